#pragma once

#include "report/VornixReport.h"

#include <functional>
#include <string>
#include <vector>

namespace lanescope::report {
class ReportCanvas;
}

/** The pictures as a report of their own: printed, previewed, written as PDF or HTML. */
namespace lanescope::chart {

/** Draws a picture width device units wide at dpi and gives its height. */
using PictureDrawing = std::function<int(report::ReportCanvas& canvas, int width, int dpi)>;

/**
 * A report of one picture under the branded head: the picture (with its title) as wide as the page column,
 * and optionally a table below it (the progression's meets: a row of texts per swim under bold
 * headings), so paper shows what a screen shows as hints.
 */
class TChartReport : public report::TVornixReport
{
public:
    TChartReport(report::TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet, std::string title,
                 PictureDrawing drawing);

    /** Columns as the engine takes them ("L200;L600;R200"), the headings and the rows of the table. */
    void setTable(std::string columns, std::vector<std::string> headings,
                  std::vector<std::vector<std::string>> rows);

protected:
    void Body() override;

private:
    std::string FTitle;
    PictureDrawing FDrawing;
    std::string FColumns;
    std::vector<std::string> FHeadings;
    std::vector<std::vector<std::string>> FRows;
};

/** The resolution pictures are recorded at for reports: tenths of a point, so PDF paths keep fractions. */
constexpr int kReportPictureDpi = 720;

} // namespace lanescope::chart
