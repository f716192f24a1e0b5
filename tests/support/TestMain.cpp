#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

// ctest runs every test case as a process of its own, several at a time: each process gets a temporary
// folder of its own (::testing::TempDir() reads TEST_TMPDIR), so tests that use fixed file names never race.
// The same folder holds the process's home and XDG folders: settings, desktop entries, MIME packages and
// caches that a test or a library writes land there and go with it, never in the user's home.
int main(int argc, char** argv)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lanescope-test-XXXXXX";
    const char* folder = mkdtemp(pattern.data());
    if (!folder) {
        std::perror("lanescope tests: cannot create a temporary folder");
        return 1;
    }
    setenv("TEST_TMPDIR", folder, 1);
    const std::string home = std::string(folder) + "/home";
    std::filesystem::create_directory(home);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_STATE_HOME", (home + "/.local/state").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);

    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}
