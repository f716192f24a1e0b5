#pragma once

#include "report/RecordingDevice.h"

/** Recorded drawings on PDF pages. */
namespace lanescope::report {

class TBSPdf;

/**
 * Draws the items of a drawing recorded at dpi onto the current page of the PDF, its top-left corner at
 * (left, top) points: paths as vector paths in their colours and dashes, texts in the PDF's fonts at
 * their point size, lines and frames in black. Hints have no place on paper and are left out.
 */
void drawOnPdf(TBSPdf& pdf, const RecordedPage& drawing, int dpi, int left, int top);

} // namespace lanescope::report
