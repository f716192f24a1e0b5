#include "download/VnxHTTP.h"

#include "base/ProductVersion.h"
#include "base/TempFolder.h"
#include "support/LocalHttpServer.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::download {
namespace {

namespace fs = std::filesystem;
using testing::HttpResponse;
using testing::LocalHttpServer;

class VnxHTTPTest : public ::testing::Test
{
protected:
    VnxHTTPTest()
        : settings(fs::path(::testing::TempDir()) / "no-such-settings.ini")
    {
        settings.WriteString("Special", "AppInfoURL", server.url("/appinfo"));
    }

    std::string target(const char* name) const { return ::testing::TempDir() + "/" + name; }

    LocalHttpServer server;
    base::TVnxMemIniFile settings;
};

TEST_F(VnxHTTPTest, DownloadsIntoTheFileWithTheProgramsUserAgent)
{
    server.serve("/meet.lef", "<LENEX/>");
    TVnxHTTP http(&settings);
    const std::string file = target("meet.lef");
    testing::writeFile(file, "older and longer content");
    ASSERT_TRUE(http.Download(server.url("/meet.lef"), file));
    EXPECT_EQ(testing::readFile(file), "<LENEX/>");
    EXPECT_EQ(server.lastUserAgent(), std::string("Lanescope/") + base::versionText);
}

TEST_F(VnxHTTPTest, EveryFailureIsFalseAndLeavesTheCreatedFile)
{
    server.serve("/big", std::string(5000, 'x'));
    server.serve("/toFile", HttpResponse{302, "", {{"Location", "file:///etc/passwd"}}});
    server.serve("/loop", HttpResponse{302, "", {{"Location", "/loop"}}});
    TVnxHTTP http(&settings);
    TransferLimits limits = http.limits();
    limits.maxBytes = 1000;
    http.setLimits(limits);
    const std::pair<const char*, std::string> cases[] = {
        {"missing", server.url("/missing.lef")},
        {"unreachable", testing::unreachableUrl("/meet.lef")},
        {"fileScheme", "file:///etc/passwd"},
        {"ftpScheme", "ftp://127.0.0.1/meet.lef"},
        {"redirectToFile", server.url("/toFile")},
        {"redirectLoop", server.url("/loop")},
        {"tooBig", server.url("/big")},
    };
    for (const auto& [name, url] : cases) {
        const std::string file = target(name);
        EXPECT_FALSE(http.Download(url, file)) << name;
        EXPECT_TRUE(fs::exists(file)) << name;
        EXPECT_LE(fs::file_size(file), 1000u) << name;
    }
    EXPECT_FALSE(http.Download(server.url("/big"), target("no-such-folder/file")));
}

TEST_F(VnxHTTPTest, FollowsRedirectsWithinHttp)
{
    server.serve("/old", HttpResponse{302, "", {{"Location", "/new"}}});
    server.serve("/new", "moved");
    TVnxHTTP http(&settings);
    ASSERT_TRUE(http.Download(server.url("/old"), target("moved")));
    EXPECT_EQ(testing::readFile(target("moved")), "moved");
}

TEST(VnxHTTP, TransferLimitsBoundEveryDownload)
{
    const TVnxHTTP http;
    EXPECT_EQ(http.limits().connectTimeoutSeconds, 10);
    EXPECT_EQ(http.limits().lowSpeedBytes, 1);
    EXPECT_EQ(http.limits().lowSpeedSeconds, 30);
    EXPECT_EQ(http.limits().totalTimeoutSeconds, 600);
    EXPECT_EQ(http.limits().maxRedirects, 5);
    EXPECT_EQ(http.limits().maxBytes, 256 * 1024 * 1024);
}

TEST(VnxHTTP, LocalhostRewriteMakesTheHostTheFirstPathSegment)
{
    EXPECT_EQ(localhostUrl("http://results.example.org/2026/meet.lxf"),
              "http://localhost/results.example.org/2026/meet.lxf");
    EXPECT_EQ(localhostUrl("https://results.example.org/meet.lxf"), "https://results.example.org/meet.lxf");
}

TEST_F(VnxHTTPTest, LocalhostSettingIsReadAtEveryDownload)
{
    server.serve("/meet.lef", "x");
    TVnxHTTP http(&settings);
    settings.WriteBool("Special", "WWWUseLocalhost", true);
    // The address now goes to port 80 of this machine, where the test server is not.
    http.Download(server.url("/meet.lef"), target("rewritten"));
    EXPECT_EQ(server.requestCount("/meet.lef"), 0);
    settings.WriteBool("Special", "WWWUseLocalhost", false);
    EXPECT_TRUE(http.Download(server.url("/meet.lef"), target("direct")));
    EXPECT_EQ(server.requestCount("/meet.lef"), 1);
}

TEST_F(VnxHTTPTest, ApplicationInfoIsFetchedOnceWithItsQueryAndCachedForEveryClient)
{
    server.serve("/appinfo", HttpResponse{500, "", {}});
    TVnxHTTP first(&settings);
    EXPECT_FALSE(first.LoadApplicationInfo(false));
    EXPECT_FALSE(first.LoadApplicationInfo(true));
    EXPECT_EQ(first.ApplicationInfo(), nullptr);

    server.serve("/appinfo", "[ResultServers]\n1=One;http://one/list.txt\n");
    ASSERT_TRUE(first.LoadApplicationInfo(true));
    EXPECT_EQ(server.requestCount("/appinfo"), 2);
    EXPECT_EQ(server.lastTarget("/appinfo"),
              std::string("/appinfo?mode=new&id=0&app=lanescope&ver=") + base::versionText);
    EXPECT_FALSE(fs::exists(base::privateTempFolder() + "/vornix_www_settings.$$$"));

    TVnxHTTP second(&settings);
    EXPECT_TRUE(second.LoadApplicationInfo(true));
    ASSERT_NE(second.ApplicationInfo(), nullptr);
    EXPECT_EQ(*second.ApplicationInfo()->find("ResultServers", "1"), "One;http://one/list.txt");
    EXPECT_EQ(server.requestCount("/appinfo"), 2);
}

TEST(VnxHTTP, EndpointComesFromTheSettingsOrTheDefault)
{
    base::TVnxMemIniFile settings(fs::path(::testing::TempDir()) / "no-such-settings.ini");
    EXPECT_EQ(TVnxHTTP().applicationInfoEndpoint(), kDefaultAppInfoUrl);
    EXPECT_EQ(TVnxHTTP(&settings).applicationInfoEndpoint(), kDefaultAppInfoUrl);
    settings.WriteString("Special", "AppInfoURL", "http://intranet/servers");
    EXPECT_EQ(TVnxHTTP(&settings).applicationInfoUrl().rfind("http://intranet/servers?mode=new&id=0&app=", 0),
              0u);
}

} // namespace
} // namespace lanescope::download
