#include "support/LocalHttpServer.h"
#include "support/TestFiles.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace lanescope::download {
namespace {

using testing::LocalHttpServer;

struct CliRun
{
    int status;
    std::string output;
};

// Runs lanescope-cli with the arguments and collects its standard output.
CliRun runCli(const std::string& arguments)
{
    const std::string command = std::string("'") + LANESCOPE_CLI + "' " + arguments + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    CliRun run{-1, {}};
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(CliDownload, MeetsListsServersThenTheChosenServersMeets)
{
    LocalHttpServer server;
    server.serve("/appinfo", "[ResultServers]\n4=North;" + server.url("/north.txt") + "\n9=South;" +
                                 server.url("/south.txt") + "\n");
    server.serve("/north.txt", "MEETDATE\tMEETNAME\tMEETCITY\tMEETNATION\tURL\n"
                               "20260102\tNew Year Sprint\tOslo\tNOR\thttp://r/n.lef\n");
    server.serve("/south.txt", "MEETDATE\tMEETNAME\tMEETCITY\tMEETNATION\tURL\n"
                               "20071231\tOld Meet\tLyon\t\thttp://r/a.lef\n"
                               "20080415\tSpring Open\tLyon\tFRA\thttp://r/b.lxf\n");
    const CliRun first = runCli("meets --app-info " + server.url("/appinfo"));
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.output, "Result servers:\n  4\tNorth\n  9\tSouth\n\nMeets of North:\n"
                            "02.01.2026\tNew Year Sprint\tOslo (NOR)\thttp://r/n.lef\n");
    const CliRun south = runCli("meets --app-info " + server.url("/appinfo") + " --server 9");
    EXPECT_NE(south.output.find("Meets of South:\n15.04.2008\tSpring Open\tLyon (FRA)\thttp://r/b.lxf\n"
                                "31.12.2007\tOld Meet\tLyon\thttp://r/a.lef\n"),
              std::string::npos)
        << south.output;
    EXPECT_EQ(runCli("meets --app-info " + server.url("/appinfo") + " --server 5").status, 1);
    EXPECT_EQ(runCli("meets --app-info " + testing::unreachableUrl("/appinfo")).status, 1);
}

TEST(CliDownload, FetchPrintsTheInformationOfTheDownloadedFile)
{
    LocalHttpServer server;
    server.serve("/meet.lxf", testing::readFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lxf"));
    const CliRun fetched = runCli("fetch " + server.url("/meet.lxf"));
    EXPECT_EQ(fetched.status, 0);
    EXPECT_NE(fetched.output.find("Competition 1: Autumn Open 2026"), std::string::npos) << fetched.output;
    EXPECT_EQ(runCli("fetch " + server.url("/missing.lxf")).status, 1);
    // A pasted link with a blank is percent-encoded.
    server.serve("/Autumn%20Open.lxf", testing::readFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lxf"));
    EXPECT_EQ(runCli("fetch '" + server.url("/Autumn Open.lxf") + "'").status, 0);
}

} // namespace
} // namespace lanescope::download
