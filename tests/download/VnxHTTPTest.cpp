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
    const struct
    {
        const char* name;
        std::string url;
        const char* reason;
    } cases[] = {
        {"missing", server.url("/missing.lef"), "HTTP status 404"},
        {"unreachable", testing::unreachableUrl("/meet.lef"), "connection refused"},
        {"fileScheme", "file:///etc/passwd", "Unsupported protocol"},
        {"ftpScheme", "ftp://127.0.0.1/meet.lef", "Unsupported protocol"},
        {"redirectToFile", server.url("/toFile"), "Unsupported protocol"},
        {"redirectLoop", server.url("/loop"), "Number of redirects hit maximum amount"},
        {"tooBig", server.url("/big"), "file too large"},
    };
    for (const auto& c : cases) {
        const std::string file = target(c.name);
        EXPECT_FALSE(http.Download(c.url, file)) << c.name;
        EXPECT_EQ(http.lastTransfer().reason(), c.reason) << c.name;
        EXPECT_TRUE(fs::exists(file)) << c.name;
        EXPECT_LE(fs::file_size(file), 1000u) << c.name;
    }
    EXPECT_FALSE(http.Download(server.url("/big"), target("no-such-folder/file")));
}

// An unchanged file costs one small answer: the validators of the first answer make the next request
// conditional, and the server's 304 leaves the local file without content.
TEST_F(VnxHTTPTest, ValidatorsMakeTheRequestConditional)
{
    server.serve("/live.lxf", HttpResponse{200,
                                           "<LENEX/>",
                                           {{"ETag", "\"v1\""},
                                            {"Last-Modified", "Thu, 10 Dec 2026 15:00:00 GMT"},
                                            {"Content-Disposition", "attachment; filename=\"day 1.lxf\""}}});
    TVnxHTTP http(&settings);
    const TransferResult first = http.Transfer(server.url("/live.lxf"), target("live"));
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.validators.etag, "\"v1\"");
    EXPECT_EQ(first.validators.lastModified, "Thu, 10 Dec 2026 15:00:00 GMT");
    EXPECT_EQ(first.contentDisposition, "attachment; filename=\"day 1.lxf\"");

    const TransferResult unchanged = http.Transfer(server.url("/live.lxf"), target("live"), first.validators);
    EXPECT_EQ(unchanged.error, TransferError::NotModified);
    EXPECT_EQ(unchanged.httpStatus, 304);
    EXPECT_EQ(unchanged.reason(), "not modified");
    EXPECT_EQ(testing::readFile(target("live")), "");
    EXPECT_EQ(server.requestCount("/live.lxf"), 2);

    const TransferResult changed = http.Transfer(server.url("/live.lxf"), target("live"), {"\"v0\"", ""});
    EXPECT_TRUE(changed.ok());
    EXPECT_EQ(testing::readFile(target("live")), "<LENEX/>");
}

TEST_F(VnxHTTPTest, FollowsRedirectsWithinHttp)
{
    server.serve("/old", HttpResponse{302, "", {{"Location", "/new"}}});
    server.serve("/new", "moved");
    TVnxHTTP http(&settings);
    ASSERT_TRUE(http.Download(server.url("/old"), target("moved")));
    EXPECT_EQ(testing::readFile(target("moved")), "moved");
}

// A server that falls silent before the body, and one whose body has no announced length, against limits
// made short for the test. The silence alone does not fail a download: the default limits wait it out.
TEST_F(VnxHTTPTest, LimitsEndSilentAndOversizedTransfers)
{
    const std::string body = "<LENEX>" + std::string(2000, 'x') + "</LENEX>";
    server.serve("/paused", HttpResponse{.body = body, .headers = {}, .pauseSeconds = 3});
    server.serve("/unsized", HttpResponse{.body = body, .headers = {}, .withLength = false});
    const struct
    {
        const char* name;
        const char* path;
        void (*shorten)(TransferLimits&);
        bool completes;
    } cases[] = {
        {"default limits", "/paused", [](TransferLimits&) {}, true},
        {"silence past the stall time", "/paused", [](TransferLimits& l) { l.lowSpeedSeconds = 1; }, false},
        {"longer than the total time", "/paused",
         [](TransferLimits& l) {
             l.lowSpeedBytes = 0; // no stall limit
             l.totalTimeoutSeconds = 1;
         },
         false},
        {"unannounced body over the size cap", "/unsized", [](TransferLimits& l) { l.maxBytes = 1000; },
         false},
    };
    for (const auto& c : cases) {
        TVnxHTTP http(&settings);
        TransferLimits limits;
        c.shorten(limits);
        http.setLimits(limits);
        const std::string file = target(c.path + 1);
        EXPECT_EQ(http.Download(server.url(c.path), file), c.completes) << c.name;
        const std::string kept = testing::readFile(file);
        EXPECT_EQ(kept == body, c.completes) << c.name;
        EXPECT_TRUE(body.starts_with(kept)) << c.name;
        EXPECT_LE(static_cast<std::int64_t>(kept.size()), limits.maxBytes) << c.name;
    }
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

TEST(VnxHTTP, EndpointComesFromTheSettingsOrIsNone)
{
    base::TVnxMemIniFile settings(fs::path(::testing::TempDir()) / "no-such-settings.ini");
    EXPECT_EQ(TVnxHTTP().applicationInfoEndpoint(), "");
    EXPECT_EQ(TVnxHTTP(&settings).applicationInfoEndpoint(), "");
    // Without an address nothing is fetched and nothing counts as failed: the dialog shows "no server".
    TVnxHTTP unconfigured(&settings);
    EXPECT_FALSE(unconfigured.LoadApplicationInfo(true));
    EXPECT_TRUE(unconfigured.lastTransfer().ok());
    settings.WriteString("Special", "AppInfoURL", "http://intranet/servers");
    EXPECT_EQ(TVnxHTTP(&settings).applicationInfoUrl().rfind("http://intranet/servers?mode=new&id=0&app=", 0),
              0u);
}

} // namespace
} // namespace lanescope::download
