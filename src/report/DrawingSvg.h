#pragma once

#include "report/RecordingDevice.h"

#include <string>

/** Recorded drawings (the race and progression pictures) as SVG, inline in HTML or as a file of their own. */
namespace lanescope::report {

/**
 * The drawing as one `<svg>` element: its size in CSS pixels (96 per inch) from the page's device size
 * at dpi, a view box in the recorded units, paths with their colour and dashes (a path's name becomes its
 * class), texts escaped and placed at their baseline, hints as `<title>` of a transparent rectangle so a
 * browser shows them when the pointer rests there.
 */
std::string svgElement(const RecordedPage& drawing, int dpi);

/** The drawing as a standalone SVG file: XML declaration and the element with its namespace. */
std::string svgFile(const RecordedPage& drawing, int dpi);

} // namespace lanescope::report
