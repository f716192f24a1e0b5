#pragma once

#include "report/RecordingDevice.h"

#include <string>

/** Recorded drawings as PNG pictures. */
namespace lanescope::chart {

/**
 * Paints the drawing (recorded at dpi) on white at its device size and writes it as a PNG file: paths
 * anti-aliased in their colours and dashes, texts laid out by Pango, so names in every script find a font
 * through fontconfig. False when the file cannot be written or the drawing is empty or over 20000 pixels
 * in either direction.
 */
bool writePng(const report::RecordedPage& drawing, int dpi, const std::string& fileName);

} // namespace lanescope::chart
