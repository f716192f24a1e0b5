#include "chart/ChartReport.h"

#include "report/MulDiv.h"
#include "report/RecordingDevice.h"
#include "report/VnxReport.h"

namespace lanescope::chart {

TChartReport::TChartReport(report::TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet,
                           std::string title, PictureDrawing drawing)
    : TVornixReport(report, nullptr, std::move(meet))
    , FTitle(std::move(title))
    , FDrawing(std::move(drawing))
{
}

void TChartReport::setTable(std::string columns, std::vector<std::string> headings,
                            std::vector<std::vector<std::string>> rows)
{
    FColumns = std::move(columns);
    FHeadings = std::move(headings);
    FRows = std::move(rows);
}

void TChartReport::Body()
{
    report::TVnxReport& engine = Report();
    BrandedHead();
    // The picture carries its title; the HTML page is named after it.
    SetTitle(FTitle);

    report::RecordedPage picture;
    report::RecordingCanvas canvas(kReportPictureDpi);
    canvas.setPage(&picture);
    picture.deviceWidth = report::mulDiv(engine.ColumnWidthMm(), kReportPictureDpi, 254);
    picture.deviceHeight = FDrawing(canvas, picture.deviceWidth, kReportPictureDpi);
    CheckPageBreakWithHead(engine.DrawingLines(picture, kReportPictureDpi));
    engine.PrintDrawing(picture, kReportPictureDpi);

    if (FRows.empty())
        return;
    engine.AdvanceLines(5);
    engine.SetColumns(FColumns);
    CheckPageBreakWithHead(20);
    engine.PrintRow(FHeadings, report::reportflag::bold);
    engine.HtmlFlushRow();
    for (const std::vector<std::string>& row : FRows) {
        // Every page's table starts with its headings.
        if (CheckPageBreakWithHead(10)) {
            engine.SetColumns(FColumns);
            engine.PrintRow(FHeadings, report::reportflag::bold);
        }
        engine.PrintRow(row, 0);
        engine.HtmlFlushRow();
    }
}

} // namespace lanescope::chart
