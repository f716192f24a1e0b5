#include "cli/PictureOutput.h"

#include "chart/ChartPng.h"
#include "report/DrawingSvg.h"
#include "report/VnxReport.h"

#include <cstdio>
#include <fstream>

namespace lanescope::cli {

namespace {

constexpr int kScreenDpi = 96;
constexpr int kSvgWidth = 960;

report::RecordedPage recorded(const chart::PictureDrawing& drawing, int dpi)
{
    report::RecordedPage page;
    report::RecordingCanvas canvas(dpi);
    canvas.setPage(&page);
    page.deviceWidth = kSvgWidth * dpi / kScreenDpi;
    page.deviceHeight = drawing(canvas, page.deviceWidth, dpi);
    return page;
}

int cannotWrite(const std::string& file)
{
    std::fprintf(stderr, "lanescope-cli: cannot write %s\n", file.c_str());
    return 1;
}

} // namespace

PictureTarget pictureTarget(const Options& options)
{
    return {options.text("--svg"), options.text("--pdf"), options.text("--png")};
}

int writePicture(const PictureTarget& target, std::shared_ptr<swim::IBSLenexMeet> meet,
                 const std::string& title, const chart::PictureDrawing& drawing, const PictureTable& table)
{
    if (target.svg) {
        std::ofstream out(*target.svg, std::ios::binary | std::ios::trunc);
        out << report::svgFile(recorded(drawing, kScreenDpi), kScreenDpi);
        out.close();
        return out ? 0 : cannotWrite(*target.svg);
    }
    if (target.png)
        return chart::writePng(recorded(drawing, 2 * kScreenDpi), 2 * kScreenDpi, *target.png)
                   ? 0
                   : cannotWrite(*target.png);
    report::TVnxReport engine;
    engine.OwnerCaption = "Ausdrucken";
    chart::TChartReport content(engine, std::move(meet), title, drawing);
    if (!table.rows.empty())
        content.setTable(table.columns, table.headings, table.rows);
    report::SilentStatus status;
    engine.PdfFileName = *target.pdf;
    return engine.PrintToPdf(status) ? 0 : cannotWrite(*target.pdf);
}

} // namespace lanescope::cli
