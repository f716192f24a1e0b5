#include "convert/ConverterChoice.h"
#include "lenex/Lenex.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

// Resident memory of live reloads: the championship file (Lenex 3) loaded again and again into the same
// document, as following a running meet does, while a small meet stays open in a second document. The
// memory after 200 reloads should be that after 2, and closing the large document should give its memory
// back although the small one stays open.

namespace {

using namespace lanescope;

constexpr double kMegabyte = 1024.0 * 1024.0;

double residentMB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / kMegabyte;
}

void load(lenex::TLenex& document, const std::string& path)
{
    const auto converter = convert::createConverter(convert::chooseConverter(path), document);
    converter->Load(path);
    if (converter->errorCount() > 0) {
        std::fprintf(stderr, "%s\n", converter->errorMessage().c_str());
        std::abort();
    }
    document.buildIndexes();
}

void BM_LiveReloadMemory(benchmark::State& state)
{
    const std::string path = LANESCOPE_SHARED_TESTDATA_DIR "/lenex3/world-sc-championships-2022.lef";
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("no real-world files");
        return;
    }
    for (auto _ : state) {
        lenex::TLenex small;
        load(small, LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");
        const double start = residentMB();
        lenex::TLenex meet;
        double afterTwo = 0;
        for (int reload = 1; reload <= 200; ++reload) {
            load(meet, path);
            if (reload == 2)
                afterTwo = residentMB();
        }
        const double afterTwoHundred = residentMB();
        meet.clear();
        state.counters["start_MB"] = start;
        state.counters["after_2_MB"] = afterTwo;
        state.counters["after_200_MB"] = afterTwoHundred;
        state.counters["closed_MB"] = residentMB();
    }
}
BENCHMARK(BM_LiveReloadMemory)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
BENCHMARK_MAIN();
