#include "LongListMeet.h"
#include "MeetFiles.h"
#include "MeetGenerator.h"
#include "PeakMemory.h"
#include "browser/BrowserModels.h"
#include "browser/EventListDrawing.h"
#include "convert/ConverterChoice.h"
#include "lenex/Lenex.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

// Opening a meet as the window does (load, index, both trees, every list sorted) on the 50 MB synthetic meet,
// and drawing a 2 000-row result list with splits.

namespace {

using namespace lanescope;
using lanescope::bench::kMegabyte;

void openMeet(const std::string& path)
{
    lenex::TLenex document;
    document.load(path);
    document.buildIndexes();
    browser::BrowserModels models;
    models.build(document, 0);
    benchmark::DoNotOptimize(models.lists.count());
    models.clear();
}

void BM_OpenMeet(benchmark::State& state)
{
    const std::string& path = bench::meetFile(static_cast<int>(state.range(0)));
    for (auto _ : state)
        openMeet(path);
    const auto bytes = static_cast<double>(std::filesystem::file_size(path));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    static long peakKiB = bench::peakResidentGrowthKiB([&path] { openMeet(path); });
    state.counters["peak_MB"] = static_cast<double>(peakKiB) * 1024 / kMegabyte;
    state.counters["peak_per_file"] = static_cast<double>(peakKiB) * 1024 / bytes;
}
BENCHMARK(BM_OpenMeet)
    ->Arg(50)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// A real Lenex 3 meet (2.4 MB, 2 400 results, 17 000 splits) opened as the window opens it: the converter
// choice routes it to the Lenex 3 converter, then index, both trees and every list sorted.
void openConvertedMeet(const std::string& path)
{
    lenex::TLenex document;
    const auto converter = convert::createConverter(convert::chooseConverter(path), document);
    converter->Load(path);
    if (converter->errorCount() > 0) {
        std::fprintf(stderr, "%s\n", converter->errorMessage().c_str());
        std::abort();
    }
    document.buildIndexes();
    browser::BrowserModels models;
    models.build(document, 0);
    benchmark::DoNotOptimize(models.lists.count());
    models.clear();
}

// A real file opened through the converter choice; the benchmark is skipped without the shared files.
void openSharedFile(benchmark::State& state, const std::string& path)
{
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("no real-world files");
        return;
    }
    for (auto _ : state)
        openConvertedMeet(path);
    const auto bytes = static_cast<double>(std::filesystem::file_size(path));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    const long peakKiB = bench::peakResidentGrowthKiB([&path] { openConvertedMeet(path); });
    state.counters["peak_MB"] = static_cast<double>(peakKiB) * 1024 / kMegabyte;
}

void BM_OpenLenex3Meet(benchmark::State& state)
{
    openSharedFile(state, LANESCOPE_SHARED_TESTDATA_DIR "/lenex3/world-sc-championships-2022.lef");
}
BENCHMARK(BM_OpenLenex3Meet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The largest real DSV7 result list (600 KB, 2 400 swims of which 1 000 ranked twice, 3 400 splits).
void BM_OpenDsv7Meet(benchmark::State& state)
{
    openSharedFile(state, LANESCOPE_SHARED_TESTDATA_DIR "/dsv/b-csc-2026-02-22-Gersthof-Pr.dsv7");
}
BENCHMARK(BM_OpenDsv7Meet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_DrawLongList(benchmark::State& state)
{
    lenex::TLenex document;
    document.setRoot(bench::longListMeet(2000));
    document.buildIndexes();
    browser::BrowserModels models;
    models.build(document, 0);
    const browser::EventTreeNode* node = models.events.sessions().front()->children.front().get();
    browser::TvnxPaintBox box;
    browser::EventHeader header = browser::defaultEventHeader();
    browser::EventPageOptions options;
    options.splitsAndNames = true;
    for (auto _ : state) {
        const auto drawing = browser::drawEventsPage(box, header, node, document, models.lists, options);
        benchmark::DoNotOptimize(drawing.rowHeight);
    }
    state.counters["items"] = static_cast<double>(box.items().size());
    state.counters["height_px"] = box.usedHeight();
    models.clear();
}
BENCHMARK(BM_DrawLongList)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
