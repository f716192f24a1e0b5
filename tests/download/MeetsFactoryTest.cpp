#include "download/MeetsFactory.h"

#include "support/LocalHttpServer.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::download {
namespace {

namespace fs = std::filesystem;
using testing::HttpResponse;
using testing::LocalHttpServer;
using namespace std::string_literals;

class MeetsFactoryTest : public ::testing::Test
{
protected:
    MeetsFactoryTest()
        : settings(fs::path(::testing::TempDir()) / "no-such-settings.ini")
    {
        settings.WriteString("Special", "AppInfoURL", server.url("/appinfo"));
        server.serve("/appinfo", "[Other]\n1=x\n[ResultServers]\n3=Nord;" + server.url("/nord.txt") +
                                     "\nmain=Broken;" + server.url("/broken.txt") + "\n1=Sued;" +
                                     server.url("/sued.txt") + ";extra\n");
        // Columns in another order and case, a short row, a zero byte in a name, dates good and bad.
        server.serve("/nord.txt", "url\tMeetName\tMEETCITY\tMEETNATION\tMEETDATE\r\n"
                                  "http://r/a.lef\tAutumn Cup\tLyon\t\t20071231\r\n"
                                  "http://r/b.lef\tSpring\0Open\tLyon\tFRA\t20080415\r\n"s
                                  "http://r/c.lef\tNo Date\tBern\tSUI\t2008041\r\n"
                                  "http://r/d.lef\tShort Row\r\n");
        server.serve("/sued.txt", "MEETDATE\tMEETNAME\tMEETCITY\tMEETNATION\tURL\n"
                                  "20260301\tSouthern Open\tGraz\tAUT\thttp://r/s.lxf\n");
    }

    static std::vector<std::string> columnTexts(const TMeetsFactory& factory, int column)
    {
        std::vector<std::string> texts;
        for (const auto& node : factory.nodes())
            texts.push_back(node->cellText(column));
        return texts;
    }

    LocalHttpServer server;
    base::TVnxMemIniFile settings;
};

TEST_F(MeetsFactoryTest, ServerListInFileOrderFetchedOnce)
{
    TMeetsFactory factory(&settings);
    std::vector<std::string> statusTexts;
    factory.setStatusHook([&](const std::string& text) { statusTexts.push_back(text); });
    const std::vector<ResultServer> servers = factory.ServerList();
    ASSERT_EQ(servers.size(), 2u);
    EXPECT_EQ(servers[0].key, 3);
    EXPECT_EQ(servers[0].name, "Nord");
    EXPECT_EQ(servers[1].key, 1);
    EXPECT_EQ(servers[1].name, "Sued");
    EXPECT_EQ(factory.ServerList().size(), 2u);
    EXPECT_EQ(server.requestCount("/appinfo"), 1);
    EXPECT_EQ(statusTexts, (std::vector<std::string>{"Get result server list...", ""}));
}

TEST_F(MeetsFactoryTest, UnreachableInformationGivesNoServersAndIsTriedAgain)
{
    settings.WriteString("Special", "AppInfoURL", testing::unreachableUrl("/appinfo"));
    TMeetsFactory factory(&settings);
    EXPECT_TRUE(factory.ServerList().empty());
    settings.WriteString("Special", "AppInfoURL", server.url("/appinfo"));
    EXPECT_EQ(factory.ServerList().size(), 2u);
}

TEST_F(MeetsFactoryTest, MeetListReadAndSortedNewestFirst)
{
    TMeetsFactory factory(&settings);
    factory.ServerList();
    factory.LoadMeets(3);
    EXPECT_EQ(columnTexts(factory, 1),
              (std::vector<std::string>{"Spring Open", "Autumn Cup", "No Date", "Short Row"}));
    EXPECT_EQ(columnTexts(factory, 0), (std::vector<std::string>{"15.04.2008", "31.12.2007", "", ""}));
    EXPECT_EQ(columnTexts(factory, 2), (std::vector<std::string>{"Lyon (FRA)", "Lyon", "Bern (SUI)", ""}));
    EXPECT_EQ(factory.nodes()[0]->fileUrl(), "http://r/b.lef");
    EXPECT_EQ(factory.nodes()[0]->sortKey(0), "20080415000000000");
    EXPECT_EQ(factory.nodes()[3]->sortKey(0), "18991230000000000");

    factory.sortNodes(1, false);
    EXPECT_EQ(columnTexts(factory, 1),
              (std::vector<std::string>{"Autumn Cup", "No Date", "Short Row", "Spring Open"}));
    factory.sortNodes(2, true);
    EXPECT_EQ(columnTexts(factory, 2), (std::vector<std::string>{"Lyon (FRA)", "Lyon", "Bern (SUI)", ""}));
}

TEST_F(MeetsFactoryTest, MeetListFetchedAgainOnlyAfterSwitchingServers)
{
    TMeetsFactory factory(&settings);
    factory.ServerList();
    factory.LoadMeets(3);
    factory.LoadMeets(3);
    EXPECT_EQ(server.requestCount("/nord.txt"), 1);
    factory.LoadMeets(1);
    ASSERT_EQ(factory.nodes().size(), 1u);
    EXPECT_EQ(factory.nodes()[0]->placeText(), "Graz (AUT)");
    factory.LoadMeets(3);
    EXPECT_EQ(server.requestCount("/nord.txt"), 2);
    EXPECT_EQ(factory.nodes().size(), 4u);
    EXPECT_EQ(factory.currentServerKey(), 3);
}

TEST_F(MeetsFactoryTest, UnavailableMeetListLeavesTheTreeEmpty)
{
    server.serve("/sued.txt", HttpResponse{404, "gone", {}});
    TMeetsFactory factory(&settings);
    factory.ServerList();
    factory.LoadMeets(3);
    ASSERT_FALSE(factory.nodes().empty());
    factory.LoadMeets(1);
    EXPECT_TRUE(factory.nodes().empty());
    factory.LoadMeets(99); // no such server
    EXPECT_TRUE(factory.nodes().empty());
}

// A server whose list could not be fetched is asked again when it is chosen again, and then shows its meets.
TEST_F(MeetsFactoryTest, FailedMeetListIsFetchedAgainWhenTheServerIsChosenAgain)
{
    server.serve("/sued.txt", HttpResponse{503, "busy", {}});
    TMeetsFactory factory(&settings);
    factory.ServerList();
    factory.LoadMeets(1);
    EXPECT_TRUE(factory.nodes().empty());
    EXPECT_EQ(factory.lastFailure().error, TransferError::HttpStatus);
    EXPECT_EQ(factory.lastFailure().httpStatus, 503);
    server.serve("/sued.txt", "MEETDATE\tMEETNAME\tMEETCITY\tMEETNATION\tURL\n"
                              "20260301\tSouthern Open\tGraz\tAUT\thttp://r/s.lxf\n");
    factory.LoadMeets(1);
    EXPECT_EQ(server.requestCount("/sued.txt"), 2);
    ASSERT_EQ(factory.nodes().size(), 1u);
    EXPECT_TRUE(factory.lastFailure().ok());
    EXPECT_EQ(factory.currentServerKey(), 1);
    factory.LoadMeets(1);
    EXPECT_EQ(server.requestCount("/sued.txt"), 2) << "a shown list is not fetched again";
}

TEST_F(MeetsFactoryTest, ServerKeyZeroIsLoadedLikeAnyOther)
{
    server.serve("/appinfo", "[ResultServers]\n0=Zero;" + server.url("/sued.txt") + "\n");
    TMeetsFactory factory(&settings);
    ASSERT_EQ(factory.ServerList().size(), 1u);
    factory.LoadMeets(0);
    EXPECT_EQ(factory.nodes().size(), 1u);
}

} // namespace
} // namespace lanescope::download
