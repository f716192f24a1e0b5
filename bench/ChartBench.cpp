// The race picture of a crowded long race: 16 swimmers of a 1500 m with a split every 25 m, recorded as the
// window draws it, and written as SVG and as PNG.
#include "chart/ChartPng.h"
#include "chart/RaceChart.h"
#include "report/DrawingSvg.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

using namespace lanescope;

chart::RaceData longRace()
{
    chart::RaceData race;
    race.raceDistance = 1500;
    for (int swimmer = 0; swimmer < 16; ++swimmer) {
        chart::RaceSwimmer entry{
            std::to_string(swimmer + 1) + ".", "Swimmer " + std::to_string(swimmer), "15:40.00", true, {}};
        std::int32_t time = 0;
        for (int distance = 25; distance <= 1500; distance += 25) {
            time += 15000 + (swimmer * 37 + distance * 13) % 900;
            entry.splits.push_back({distance, time});
        }
        race.swimmers.push_back(std::move(entry));
    }
    return race;
}

report::RecordedPage recorded(const chart::RaceData& race, int dpi)
{
    report::RecordedPage page;
    report::RecordingCanvas canvas(dpi);
    canvas.setPage(&page);
    page.deviceWidth = 960 * dpi / 96;
    page.deviceHeight = chart::drawRaceChart(canvas, race, chart::ChartTexts{}, page.deviceWidth, dpi);
    return page;
}

void drawLongRace(benchmark::State& state)
{
    const chart::RaceData race = longRace();
    for (auto _ : state)
        benchmark::DoNotOptimize(recorded(race, 96).items.size());
}
BENCHMARK(drawLongRace)->Unit(benchmark::kMillisecond);

void svgOfLongRace(benchmark::State& state)
{
    const report::RecordedPage page = recorded(longRace(), 96);
    for (auto _ : state)
        benchmark::DoNotOptimize(report::svgFile(page, 96).size());
}
BENCHMARK(svgOfLongRace)->Unit(benchmark::kMillisecond);

void pngOfLongRace(benchmark::State& state)
{
    const report::RecordedPage page = recorded(longRace(), 192);
    const std::string file = (std::filesystem::temp_directory_path() / "lanescope-bench-race.png").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(chart::writePng(page, 192, file));
    std::filesystem::remove(file);
}
BENCHMARK(pngOfLongRace)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
