#include "FuzzTargets.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lanescope::fuzz {
namespace {

namespace fs = std::filesystem;

const fs::path kRegressionDir = LANESCOPE_TEST_DATA_DIR "/fuzz";

class FuzzRegression : public ::testing::TestWithParam<NamedTarget>
{
};

// Every input a fuzzer once broke a reader with is replayed through the same harness body; the empty input
// and a few bytes of noise run for every harness, so each body is known to work without libFuzzer too.
TEST_P(FuzzRegression, KnownInputsPassTheHarness)
{
    std::vector<fs::path> files;
    const fs::path folder = kRegressionDir / GetParam().name;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    GetParam().target({});
    GetParam().target(std::string("\0\xff\f<LENEX>\r\n[x]\n", 16));
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        GetParam().target(testing::readFile(file));
    }
}

INSTANTIATE_TEST_SUITE_P(Harnesses, FuzzRegression, ::testing::ValuesIn(fuzzTargets()),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace lanescope::fuzz
