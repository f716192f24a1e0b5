#include "LongListMeet.h"
#include "browser/BrowserModels.h"
#include "lenex/Lenex.h"
#include "convert/ConverterChoice.h"
#include "report/LanescopeDrucken.h"
#include "report/RecordingDevice.h"
#include "report/ResultBook.h"
#include "report/VnxReport.h"
#include "swim/BSSwLenex.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

// A 2 000-row result list with splits written as a PDF file and as an HTML file, as the export does it;
// once more as PDF with names and 40-letter club names beyond Windows-1252, which embeds font subsets; and
// into recorded pages, as the preview gets them (its pages counted first for "Page N of M").

namespace {

using namespace lanescope;

enum class Output
{
    Pdf,
    Html,
    PdfEmbeddedFonts,
    Preview,
};

void BM_LongListReport(benchmark::State& state, Output output)
{
    lenex::TLenex document;
    document.setRoot(output == Output::PdfEmbeddedFonts
                         ? bench::longListMeet(2000, "Ondřej", "Plavecký klub Łódź-Śródmieście Ωμέγα Kyї")
                         : bench::longListMeet(2000));
    document.buildIndexes();
    browser::BrowserModels models;
    models.build(document, 0);
    const auto meet = swim::lenexView<swim::IBSLenexMeet>(*document.currentCompetition());
    report::PrintSelection selection;
    selection.eventNode = models.events.sessions().front()->children.front().get();
    selection.resultLists = &models.lists;
    selection.events.splitsAndNames = true;

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("lanescope-report-bench-" + std::to_string(getpid()) + (output == Output::Html ? ".html" : ".pdf"));
    report::TVnxReport engine;
    report::TLanescopeDrucken report(engine, meet, document);
    report.setSelection(selection);
    report::SilentStatus status;
    for (auto _ : state) {
        bool written = false;
        if (output == Output::Preview) {
            report::RecordingDevice preview;
            engine.PrintToPreview(status, preview);
            written = !preview.pages().empty();
        } else if (output != Output::Html) {
            engine.PdfFileName = file;
            written = engine.PrintToPdf(status);
        } else {
            engine.HtmlFileName = file;
            written = engine.PrintToHtml(status);
        }
        if (!written)
            state.SkipWithError("the report could not be written");
    }
    if (output != Output::Preview) {
        state.counters["file_KB"] = static_cast<double>(std::filesystem::file_size(file)) / 1024;
        std::filesystem::remove(file);
    }
    models.clear();
}
BENCHMARK_CAPTURE(BM_LongListReport, Pdf, Output::Pdf)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_LongListReport, PdfEmbeddedFonts, Output::PdfEmbeddedFonts)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_LongListReport, Html, Output::Html)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_LongListReport, Preview, Output::Preview)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The championship's whole result book with splits as PDF (about 300 pages), from the opened meet to the
// written file; skipped without the shared real-world files (LANESCOPE_SHARED_TESTDATA names their folder
// where it is not beside the source tree).
void BM_ChampionshipResultBook(benchmark::State& state)
{
    const char* folder = std::getenv("LANESCOPE_SHARED_TESTDATA");
    const std::string path =
        std::string(folder != nullptr ? folder : LANESCOPE_SHARED_TESTDATA_DIR) + "/lenex3/world-sc-championships-2022.lef";
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("no real-world files");
        return;
    }
    lenex::TLenex document;
    const auto converter = convert::createConverter(convert::chooseConverter(path), document);
    converter->Load(path);
    if (converter->errorCount() > 0) {
        state.SkipWithError("the championship file could not be read");
        return;
    }
    document.buildIndexes();
    browser::BrowserModels models;
    models.build(document, 0);
    const auto meet = swim::lenexView<swim::IBSLenexMeet>(*document.currentCompetition());
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("lanescope-book-bench-" + std::to_string(getpid()) + ".pdf");
    report::TVnxReport engine;
    report::TResultBook book(engine, meet, document, models.events, models.lists, true);
    report::SilentStatus status;
    engine.PdfFileName = file;
    for (auto _ : state)
        if (!engine.PrintToPdf(status))
            state.SkipWithError("the book could not be written");
    state.counters["file_KB"] = static_cast<double>(std::filesystem::file_size(file)) / 1024;
    std::filesystem::remove(file);
    models.clear();
}
BENCHMARK(BM_ChampionshipResultBook)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
