#pragma once

#include "report/ReportCanvas.h"

#include <string>
#include <string_view>
#include <vector>

/** What the race and progression pictures share: the swimmers' colours and dashes, sizes and texts. */
namespace lanescope::chart {

/**
 * The line style of the k-th swimmer (from 0): eight colours that people with any colour-vision deficiency
 * tell apart (Okabe and Ito's palette, its yellow darkened for white paper), and from the ninth swimmer on
 * the colours again with another dash pattern. The first eight differ in dashes too, so a greyscale print
 * keeps them apart.
 */
report::PathStyle swimmerStyle(int index, int unit);

/** Grey of the grid lines and leg marks. */
constexpr std::uint32_t kGridColour = 0xC8C8C8;
constexpr std::uint32_t kAxisColour = 0x505050;

/** The numbered texts of the pictures from the loaded language, English when it lacks them. */
struct ChartTexts
{
    std::string gapCaption;      // "Gap to leader (s)"
    std::string lapCaption;      // "Lap times (s)"
    std::string distanceCaption; // "Distance (%s)"
    std::string legMark;         // "Leg %d"
    std::string noSplits;        // nothing to draw
    std::string personalBest;    // "Personal best"
    std::string dateCaption;
    std::string meetCaption;
    std::string timeCaption;
    std::string noSwims;

    static ChartTexts loaded();
};

/** The font every picture text uses. */
inline constexpr const char* kChartFont = "Arial";

/** Horizontal placement of a text against its x. */
enum class Align
{
    Left,
    Right,
    Centre,
};

/** Sizes of a picture at its resolution, and the place below its title. */
struct PictureStart
{
    int dpi = 96;
    /** One screen pixel in device units (at least 1). */
    int unit = 1;
    int pad = 8;
    int lineHeight = 0;
    /** Where the content starts: below the title, or at the top padding without one. */
    int y = 0;
    /** Screen pixels in device units. */
    int px(double pixels) const;
};

/** Draws the title (bold, when there is one) and gives the picture's sizes. */
PictureStart startPicture(report::ReportCanvas& canvas, const std::string& title, int dpi);

/** A text in the picture font with its top at y. */
void drawLabel(report::ReportCanvas& canvas, int x, int y, std::string_view text, Align align, int points = 8,
               bool bold = false);
void fillBox(report::ReportCanvas& canvas, int left, int top, int right, int bottom, std::uint32_t colour,
             const std::string& name = {});
void strokeLine(report::ReportCanvas& canvas, int x1, int y1, int x2, int y2, std::uint32_t colour, int width,
                std::vector<int> dashes = {});

} // namespace lanescope::chart
