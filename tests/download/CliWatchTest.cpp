#include "support/LocalHttpServer.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace lanescope::download {
namespace {

using Clock = std::chrono::steady_clock;

const std::string kSample = LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef";

// lanescope-cli watch running in the background; its standard output is read as it comes.
class WatchProcess
{
public:
    explicit WatchProcess(const std::vector<std::string>& arguments)
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return;
        FProcess = fork();
        if (FProcess == 0) {
            dup2(pipeEnds[1], STDOUT_FILENO);
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDERR_FILENO);
            std::vector<char*> argv{const_cast<char*>(LANESCOPE_CLI), const_cast<char*>("watch")};
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(LANESCOPE_CLI, argv.data());
            _exit(127);
        }
        close(pipeEnds[1]);
        FOutput = pipeEnds[0];
    }
    ~WatchProcess()
    {
        if (FProcess > 0) {
            kill(FProcess, SIGTERM);
            waitpid(FProcess, nullptr, 0);
        }
        if (FOutput >= 0)
            close(FOutput);
    }
    WatchProcess(const WatchProcess&) = delete;
    WatchProcess& operator=(const WatchProcess&) = delete;

    // Everything printed so far, once it holds the text, or when the time is up.
    std::string waitFor(const std::string& text, std::chrono::milliseconds limit)
    {
        const auto end = Clock::now() + limit;
        while (FText.find(text) == std::string::npos && Clock::now() < end) {
            pollfd readable{FOutput, POLLIN, 0};
            if (poll(&readable, 1, 50) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = read(FOutput, buffer, sizeof buffer);
            if (n <= 0)
                break;
            FText.append(buffer, static_cast<std::size_t>(n));
        }
        return FText;
    }

private:
    pid_t FProcess = -1;
    int FOutput = -1;
    std::string FText;
};

std::string withTime(std::string lenex, const std::string& time)
{
    for (std::size_t at = 0; (at = lenex.find("V00h00:56.79", at)) != std::string::npos; at += 12)
        lenex.replace(at, 12, "V00h00:" + time);
    return lenex;
}

// A file caught half-written keeps the printed list; the complete file is printed within two seconds,
// after a blank line.
TEST(CliWatch, LocalFileIsPrintedAgainSoonAfterAChange)
{
    const std::string file = ::testing::TempDir() + "/watched.lef";
    const std::string lenex = testing::readFile(kSample);
    testing::writeFile(file, lenex);
    WatchProcess watch({file, "--event", "1"});
    ASSERT_NE(watch.waitFor("   56.79\n", std::chrono::seconds(5)).find("Lefèvre Chloé"), std::string::npos);

    testing::writeFile(file, lenex.substr(0, lenex.size() / 2));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const std::string changed = withTime(lenex, "55.55");
    testing::writeFile(file, changed);
    const auto written = Clock::now();
    const std::string output = watch.waitFor("   55.55\n", std::chrono::seconds(3));
    EXPECT_LT(Clock::now() - written, std::chrono::seconds(2));
    const std::size_t second = output.find("\n\nEvent 1 - 100m Freestyle Women");
    ASSERT_NE(second, std::string::npos) << output;
    EXPECT_NE(output.find("   55.55\n", second), std::string::npos);
    EXPECT_EQ(output.find("Event 1", second + 3), std::string::npos) << "printed once per change";
}

// A link is asked again every interval; the answer 304 for an unchanged file prints nothing.
TEST(CliWatch, LinkIsAskedEveryIntervalAndPrintedWhenChanged)
{
    testing::LocalHttpServer server;
    const std::string lenex = testing::readFile(kSample);
    server.serve("/live.lef", testing::HttpResponse{200, lenex, {{"ETag", "\"1\""}}});
    WatchProcess watch({server.url("/live.lef"), "--event", "1", "--interval", "1"});
    ASSERT_NE(watch.waitFor("   56.79\n", std::chrono::seconds(5)).find("Lefèvre"), std::string::npos);
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_GE(server.requestCount("/live.lef"), 3);
    server.serve("/live.lef", testing::HttpResponse{200, withTime(lenex, "55.55"), {{"ETag", "\"2\""}}});
    const std::string output = watch.waitFor("   55.55\n", std::chrono::seconds(3));
    EXPECT_NE(output.find("\n\nEvent 1"), std::string::npos) << output;
    EXPECT_EQ(output.find("Event 1", output.find("\n\nEvent 1") + 3), std::string::npos);
}

// The website is written whole at the start; after a change only the pages it touches are written again.
TEST(CliWatch, SiteRewritesOnlyThePagesThatChanged)
{
    const std::string file = ::testing::TempDir() + "/site-watched.lef";
    const std::string folder = ::testing::TempDir() + "/live-site";
    const std::string lenex = testing::readFile(kSample);
    testing::writeFile(file, lenex);
    WatchProcess watch({file, "--site", folder});
    const std::string first = watch.waitFor(" removed\n", std::chrono::seconds(10));
    std::smatch counts;
    ASSERT_TRUE(std::regex_search(first, counts, std::regex(R"((\d+) pages in .*: (\d+) written, 0 unchanged)")))
        << first;
    EXPECT_EQ(counts[1], counts[2]);
    const int pages = std::stoi(counts[1]);
    EXPECT_EQ(testing::readFile(folder + "/event-1.html").find("55.55"), std::string::npos);

    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    testing::writeFile(file, withTime(lenex, "55.55"));
    // The second summary line: wait for text that is never printed, a little at a time, until it is there.
    std::string output = first;
    for (const auto end = Clock::now() + std::chrono::seconds(15);
         std::count(output.begin(), output.end(), '\n') < 2 && Clock::now() < end;)
        output = watch.waitFor("\x01", std::chrono::milliseconds(200));
    const std::string second = output.substr(output.find('\n') + 1);
    ASSERT_TRUE(std::regex_search(second, counts, std::regex(R"((\d+) pages in .*: (\d+) written, (\d+) unchanged)")))
        << output;
    EXPECT_EQ(std::stoi(counts[1]), pages);
    EXPECT_GE(std::stoi(counts[2]), 1);
    EXPECT_LT(std::stoi(counts[2]), pages / 2) << "only the pages that show the changed swim";
    EXPECT_NE(testing::readFile(folder + "/event-1.html").find("55.55"), std::string::npos);
}

} // namespace
} // namespace lanescope::download
