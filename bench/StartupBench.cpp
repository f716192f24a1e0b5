#include "MeetFiles.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

// Start to first drawn list: the window is started offscreen on a meet file with
// LANESCOPE_QUIT_AFTER_FIRST_PAINT=1, which ends the process once a list is painted; each repetition is
// one process run, timed from spawning it to its exit. Cases: the world championships file of the
// shared test data (skipped where absent) and the synthetic 50 MB meet.
//
// The program runs from a copy beside its language files in a temporary folder, with settings that
// already name the screen language and decline the file type question, so no dialog waits for an answer
// and no user settings
// change.

extern char** environ;

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "lanescope_bench_startup: %s\n", message.c_str());
    std::exit(EXIT_FAILURE);
}

/** The program folder of the runs: a copy of the program, its language files and its settings. */
const fs::path& programCopy()
{
    static const fs::path program = [] {
        const fs::path built(LANESCOPE_PROGRAM);
        const fs::path folder = fs::temp_directory_path() / "lanescope-bench-startup";
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const fs::directory_entry& entry : fs::directory_iterator(built.parent_path())) {
            const std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (entry.path() == built || extension.rfind(".x", 0) == 0))
                fs::copy_file(entry.path(), folder / entry.path().filename());
        }
        std::ofstream(folder / "lanescope.ini") << "[Config]\nlbxLanguage=0\n[Files]\nAskRegExtension=0\n";
        return folder / built.filename();
    }();
    return program;
}

/** Runs the window once on the file until its first drawn list; returns the seconds it took. */
double startOnce(const std::string& file)
{
    std::vector<std::string> environment{"QT_QPA_PLATFORM=offscreen", "LANESCOPE_QUIT_AFTER_FIRST_PAINT=1"};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string text(*variable);
        if (text.rfind("QT_QPA_PLATFORM=", 0) != 0 && text.rfind("LANESCOPE_QUIT_AFTER_FIRST_PAINT=", 0) != 0)
            environment.push_back(text);
    }
    std::vector<char*> envp;
    for (std::string& text : environment)
        envp.push_back(text.data());
    envp.push_back(nullptr);
    std::string program = programCopy().string();
    std::string argument = file;
    char* argv[] = {program.data(), argument.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        fail("cannot start " + program);
    // A window that never draws a list (a dialog waiting for an answer, say) is ended after a minute, so the
    // benchmark cannot hang.
    int status = 0;
    pid_t ended = 0;
    while ((ended = waitpid(child, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(60))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    if (ended == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        fail(program + " " + file + " drew no list within a minute");
    }
    if (ended != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(program + " " + file + " did not end after its first drawn list");
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void benchmarkStartup(benchmark::State& state, const std::string& file)
{
    if (!fs::exists(file)) {
        state.SkipWithError((file + " is absent").c_str());
        return;
    }
    for (auto _ : state)
        state.SetIterationTime(startOnce(file));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const std::string championships =
        std::string(LANESCOPE_SHARED_TESTDATA_DIR) + "/lenex3/world-sc-championships-2022.lef";
    const std::string synthetic = lanescope::bench::meetFile(50);
    for (const auto& [name, file] :
         {std::pair<std::string, std::string>{"Startup/Championships2022", championships},
          {"Startup/Synthetic50MB", synthetic}}) {
        benchmark::RegisterBenchmark(name.c_str(),
                                     [file](benchmark::State& state) { benchmarkStartup(state, file); })
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(1)
            ->Repetitions(11)
            ->ComputeStatistics(
                "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
            ->ComputeStatistics(
                "max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
            ->ReportAggregatesOnly(true);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
