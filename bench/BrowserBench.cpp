#include "MeetFiles.h"
#include "MeetGenerator.h"
#include "PeakMemory.h"
#include "browser/BrowserModels.h"
#include "browser/EventListDrawing.h"
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

/** One 200 m event with 2 000 ranked results, each with three splits. */
std::unique_ptr<lenex::TLnxObject> longListMeet()
{
    using namespace lenex;
    auto root = std::make_unique<TLnxObject>(tag::LENEX);
    root->setText(tag::VERSION, "01.03.0007");
    TLnxObject* competition = root->addCollection(tag::COMPETITIONS)->newItem();
    competition->setText(tag::NAME, "Long list");
    competition->setPoolIndex(1);
    TLnxObject* period = competition->addCollection(tag::PERIODS)->newItem();
    period->setText(tag::DATE, "20261017");
    TLnxObject* event = period->addCollection(tag::EVENTS)->newItem();
    event->setId(1);
    event->setText(tag::NUM, "1");
    event->setText(tag::DIS, "200");
    event->setText(tag::STR, "FR");
    TLnxObject* club = competition->addCollection(tag::CLUBS)->newItem();
    club->setText(tag::NAME, "Benchmark Swim Club");
    TLnxCollection* persons = club->addCollection(tag::PERSONS);
    for (int i = 1; i <= 2000; ++i) {
        TLnxObject* person = persons->newItem();
        person->setId(i);
        person->setText(tag::NAME, "Swimmer" + std::to_string(i));
        person->setText(tag::FNAME, "Anna");
        person->setInteger(tag::YOB, 2000 + i % 20);
        TLnxObject* result = person->addCollection(tag::RESULTS)->newItem();
        result->setInteger(tag::EID, 1);
        result->setInteger(tag::RANK, i);
        const int time = 1200000 + i * 100;
        result->setLenexTime(tag::TIME, lenex::tkValid, time);
        TLnxCollection* splits = result->addCollection(tag::SPLITS);
        for (int d = 1; d <= 3; ++d) {
            TLnxDataElement* split = splits->newDataItem();
            split->setAttribute(lxaDIS, std::to_string(50 * d));
            split->setValue(lenexTimeWrite(lenex::tkValid, time * d / 4));
        }
    }
    return root;
}

void BM_DrawLongList(benchmark::State& state)
{
    lenex::TLenex document;
    document.setRoot(longListMeet());
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
