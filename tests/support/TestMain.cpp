#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

// ctest runs every test case as a process of its own, several at a time: each process gets a temporary
// folder of its own (::testing::TempDir() reads TEST_TMPDIR), so tests that use fixed file names never race.
int main(int argc, char** argv)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lanescope-test-XXXXXX";
    const char* folder = mkdtemp(pattern.data());
    if (folder)
        setenv("TEST_TMPDIR", folder, 1);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (folder) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    return status;
}
