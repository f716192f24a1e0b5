// Season library: adding files, an athlete's history and best lists over a season of 500 000 swims.
#include "SeasonGenerator.h"
#include "library/SeasonLibrary.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace lanescope;

fs::path benchFolder()
{
    const char* base = std::getenv("TMPDIR");
    return fs::path(base && *base ? base : "/tmp") /
           ("lanescope-bench-season-" + std::to_string(bench::kSeasonGeneratorRevision));
}

// The 200 meets, written once and kept for later runs.
const fs::path& seasonFolder()
{
    static const fs::path folder = [] {
        const fs::path meets = benchFolder() / "meets";
        if (!fs::exists(meets / "meet-200.lef"))
            bench::writeSeason({}, meets.string());
        return meets;
    }();
    return folder;
}

const fs::path seasonFile() { return benchFolder() / "season.sqlite"; }

void removeLibrary(const fs::path& file)
{
    for (const char* suffix : {"", "-wal", "-shm"})
        fs::remove(file.string() + suffix);
}

// Adding the whole season into a new library; the library stays for the queries below.
void BM_AddSeason(benchmark::State& state)
{
    const fs::path& meets = seasonFolder();
    for (auto _ : state) {
        state.PauseTiming();
        removeLibrary(seasonFile());
        state.ResumeTiming();
        library::SeasonLibrary library(seasonFile().string());
        const library::AddSummary summary = library.add({meets.string()});
        state.counters["files"] = static_cast<double>(summary.files.size());
    }
}
BENCHMARK(BM_AddSeason)->Unit(benchmark::kSecond)->Iterations(1);

// The season's library, built by BM_AddSeason; adding again only completes it when that was filtered out.
library::SeasonLibrary& seasonLibrary()
{
    static library::SeasonLibrary* built = [] {
        auto* library = new library::SeasonLibrary(seasonFile().string());
        library->add({seasonFolder().string()});
        return library;
    }();
    return *built;
}

void BM_AddSharedFiles(benchmark::State& state)
{
    const fs::path shared = LANESCOPE_SHARED_TESTDATA_DIR;
    if (!fs::is_directory(shared)) {
        state.SkipWithError("no real-world files");
        return;
    }
    const fs::path file = benchFolder() / "shared.sqlite";
    for (auto _ : state) {
        state.PauseTiming();
        removeLibrary(file);
        state.ResumeTiming();
        library::SeasonLibrary library(file.string());
        library.add({shared.string()});
    }
}
BENCHMARK(BM_AddSharedFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

// The athlete with the most swims.
std::int64_t busiestAthlete(library::SeasonLibrary& library)
{
    library::SqliteStatement select(
        library.database(),
        "SELECT athlete_id FROM swims GROUP BY athlete_id ORDER BY COUNT(*) DESC LIMIT 1");
    return select.step() ? select.integer(0) : 0;
}

void BM_AthleteHistory(benchmark::State& state)
{
    library::SeasonLibrary& library = seasonLibrary();
    const std::int64_t athlete = busiestAthlete(library);
    for (auto _ : state)
        benchmark::DoNotOptimize(library.history(athlete));
    library::SqliteStatement swims(library.database(), "SELECT COUNT(*) FROM swims");
    state.counters["swims"] = swims.step() ? static_cast<double>(swims.integer(0)) : 0;
    state.counters["rows"] = static_cast<double>(library.history(athlete).size());
}
BENCHMARK(BM_AthleteHistory)->Unit(benchmark::kMillisecond);

void BM_PersonalBests(benchmark::State& state)
{
    library::SeasonLibrary& library = seasonLibrary();
    const std::int64_t athlete = busiestAthlete(library);
    for (auto _ : state)
        benchmark::DoNotOptimize(library.personalBests(athlete));
}
BENCHMARK(BM_PersonalBests)->Unit(benchmark::kMillisecond);

void BM_ClubBestList(benchmark::State& state)
{
    library::SeasonLibrary& library = seasonLibrary();
    library::BestListFilter filter;
    filter.club = "SV Club 7";
    filter.gender = 2;
    filter.course = library::kCourseSCM;
    for (auto _ : state)
        benchmark::DoNotOptimize(library.bestList(filter));
    state.counters["rows"] = static_cast<double>(library.bestList(filter).size());
}
BENCHMARK(BM_ClubBestList)->Unit(benchmark::kMillisecond);

// Every club at once: the largest best list the season gives.
void BM_WholeSeasonBestList(benchmark::State& state)
{
    library::SeasonLibrary& library = seasonLibrary();
    for (auto _ : state)
        benchmark::DoNotOptimize(library.bestList({}));
}
BENCHMARK(BM_WholeSeasonBestList)->Unit(benchmark::kMillisecond);

// A date range: every valid swim of the range is read, not only the athletes' bests.
void BM_SummerBestList(benchmark::State& state)
{
    library::SeasonLibrary& library = seasonLibrary();
    library::BestListFilter filter;
    filter.from = "2025-04-01";
    filter.to = "2025-09-30";
    for (auto _ : state)
        benchmark::DoNotOptimize(library.bestList(filter));
    state.counters["rows"] = static_cast<double>(library.bestList(filter).size());
}
BENCHMARK(BM_SummerBestList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
