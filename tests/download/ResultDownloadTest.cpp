#include "base/TempFolder.h"
#include "convert/ConverterChoice.h"
#include "download/MeetsFactory.h"
#include "download/ResultFileName.h"
#include "support/LocalHttpServer.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::download {
namespace {

namespace fs = std::filesystem;
using testing::HttpResponse;
using testing::LocalHttpServer;

const std::string kSample = LANESCOPE_SAMPLES_DIR "/autumn-open-2026";

// The meet's result file fetched through the factory and opened through the converter choice.
struct ResultCase
{
    const char* path;
    std::string body;
    const char* savedAs;
    convert::ConverterKind kind;
    const char* meetName;
};

class ResultDownloadTest : public ::testing::Test
{
protected:
    ResultDownloadTest()
        : settings(fs::path(::testing::TempDir()) / "no-such-settings.ini")
    {
        settings.WriteString("Special", "AppInfoURL", server.url("/appinfo"));
    }

    TNodeDownloadMeet meet(const std::string& url)
    {
        TNodeDownloadMeet node;
        node.SetData("Meet", "City", url, "", 0);
        return node;
    }

    LocalHttpServer server;
    base::TVnxMemIniFile settings;
};

TEST_F(ResultDownloadTest, ResultFilesOpenThroughTheConverterChoice)
{
    const std::string zip = ::testing::TempDir() + "/built.zip";
    testing::writeZip(zip, {{"autumn.lef", testing::readFile(kSample + ".lef")}});
    const std::string sdif = testing::readFile(LANESCOPE_TEST_DATA_DIR "/convert/sdif/meet-results.cl2");
    const ResultCase cases[] = {
        {"/2026/autumn.lef", testing::readFile(kSample + ".lef"), "$$$Vornix_Lanescope_Data.lef",
         convert::ConverterKind::Lenex, "Autumn Open 2026"},
        {"/2026/autumn.lxf", testing::readFile(kSample + ".lxf"), "$$$Vornix_Lanescope_Data.lxf",
         convert::ConverterKind::Lenex, "Autumn Open 2026"},
        {"/2026/autumn.zip", testing::readFile(zip), "$$$Vornix_Lanescope_Data.zip",
         convert::ConverterKind::Lenex, "Autumn Open 2026"},
        {"/2008/spring.sd3", sdif, "$$$Vornix_Lanescope_Data.sd3", convert::ConverterKind::Sdif,
         "Spring Open"},
    };
    TMeetsFactory factory(&settings);
    for (const ResultCase& c : cases) {
        server.serve(c.path, c.body);
        const std::optional<std::string> file = factory.DownloadMeet(meet(server.url(c.path)));
        ASSERT_TRUE(file) << c.path;
        EXPECT_EQ(*file, base::privateTempFolder() + "/" + c.savedAs);
        EXPECT_EQ(testing::readFile(*file), c.body) << c.path;

        lenex::TLenex document;
        const auto converter = convert::createConverter(convert::chooseConverter(*file), document);
        ASSERT_NE(converter, nullptr) << c.path;
        converter->Load(*file);
        EXPECT_EQ(converter->errorCount(), 0) << c.path << converter->errorMessage();
        ASSERT_GE(document.competitionCount(), 1) << c.path;
        document.selectCompetition(0);
        EXPECT_EQ(document.currentCompetition()->getText(lenex::tag::NAME), c.meetName) << c.path;
    }
}

TEST_F(ResultDownloadTest, FailedDownloadSaysWhyAndLeavesNoPartialFile)
{
    server.serve("/results", "plain text, no results");
    TMeetsFactory factory(&settings);
    std::vector<std::string> statusTexts;
    factory.setStatusHook([&](const std::string& text) { statusTexts.push_back(text); });
    const std::pair<std::string, const char*> cases[] = {
        {server.url("/gone.lxf"), "HTTP status 404"},
        {testing::unreachableUrl("/meet.lef"), "connection refused"},
        {server.url("/results"), "not a supported file"},
    };
    for (const auto& [url, reason] : cases) {
        EXPECT_FALSE(factory.DownloadMeet(meet(url))) << url;
        EXPECT_EQ(factory.lastFailure().reason(), reason) << url;
        EXPECT_FALSE(fs::exists(base::privateTempFolder() + "/$$$Vornix_Lanescope_Data.part")) << url;
    }
    EXPECT_EQ(statusTexts.size(), 6u);
    EXPECT_EQ(statusTexts.front(), "Download results: Meet");
}

// The file's name comes from the path, a query parameter, Content-Disposition or the content, in that order;
// blanks and non-ASCII characters of a pasted link are percent-encoded on the way.
TEST_F(ResultDownloadTest, NameRulesGiveTheSavedFilesExtension)
{
    const std::string lenex = testing::readFile(kSample + ".lef");
    const std::string sdif = testing::readFile(LANESCOPE_TEST_DATA_DIR "/convert/sdif/meet-results.cl2");
    server.serve("/get.php", lenex);
    server.serve("/Ergebnisse%20Tag%201.lef", lenex);
    server.serve("/M%C3%BCnchen.sd3", sdif);
    server.serve("/download",
                 HttpResponse{200, sdif, {{"Content-Disposition", "attachment; filename=\"x.cl2\""}}});
    server.serve("/live/current", lenex);
    const struct
    {
        std::string url;
        const char* savedAs;
        const char* sentPath;
    } cases[] = {
        {server.url("/get.php?id=4&file=autumn.lef"), "$$$Vornix_Lanescope_Data.lef", "/get.php"},
        {server.url("/Ergebnisse Tag 1.lef"), "$$$Vornix_Lanescope_Data.lef", "/Ergebnisse%20Tag%201.lef"},
        {server.url("/München.sd3"), "$$$Vornix_Lanescope_Data.sd3", "/M%C3%BCnchen.sd3"},
        {server.url("/download?meet=7"), "$$$Vornix_Lanescope_Data.cl2", "/download"},
        {server.url("/live/current"), "$$$Vornix_Lanescope_Data.lef", "/live/current"},
    };
    TMeetsFactory factory(&settings);
    for (const auto& c : cases) {
        const std::optional<std::string> file = factory.DownloadMeet(meet(c.url));
        ASSERT_TRUE(file) << c.url << ": " << factory.lastFailure().reason();
        EXPECT_EQ(fs::path(*file).filename(), c.savedAs) << c.url;
        EXPECT_NE(convert::chooseConverter(*file), convert::ConverterKind::None) << c.url;
        EXPECT_EQ(server.requestCount(c.sentPath), 1) << c.url;
    }
}

TEST(ResultFileName, RulesInOrder)
{
    const struct
    {
        const char* url;
        const char* contentDisposition;
        const char* content;
        const char* name;
    } cases[] = {
        {"http://r.example/2026/meet.LXF", "", "", "meet.LXF"},
        {"https://r.example/meet.sd3?download=1#top", "", "", "meet.sd3"},
        {"http://r.example/get.php?file=x.lxf", "", "", "x.lxf"},
        {"http://r.example/get.php?file=..%2F..%2Fetc%2Fx.lef", "", "", "x.lef"},
        {"http://r.example/get.php?name=Meet+Day.dsv", "", "", "Meet Day.dsv"},
        {"http://r.example/a%20b.lef", "", "", "a b.lef"},
        {"http://r.example/dl", "attachment; filename*=UTF-8''Z%C3%BCrich.lxf; filename=\"Z.lxf\"", "",
         "Z\xC3\xBCrich.lxf"},
        {"http://r.example/dl", "inline; filename=\"notes.txt\"", "<?xml version=\"1.0\"?>\n<LENEX>",
         "dl.lef"},
        {"http://r.example/", "", "PK\x03\x04rest", "results.zip"},
        {"http://r.example/res", "", "A01V3      01Meet Results", "res.cl2"},
        {"http://r.example/res", "",
         "\xEF\xBB\xBF"
         "FORMAT:Wettkampfergebnisliste;7;",
         "res.dsv"},
        {"http://r.example/res", "", "<html><body>LENEX</body></html>", ""},
        {"http://r.example/meet.", "", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultFileName(c.url, c.contentDisposition, c.content), c.name) << c.url;
}

TEST(PercentEncodeUrl, EncodesWhatMayNotStandInAnAddress)
{
    const std::pair<const char*, const char*> cases[] = {
        {"http://r.example/a b.lxf", "http://r.example/a%20b.lxf"},
        {"http://r.example/M\xC3\xBCnchen.lxf", "http://r.example/M%C3%BCnchen.lxf"},
        {"http://r.example/a%20b.lxf?x=1&y=%zz", "http://r.example/a%20b.lxf?x=1&y=%25zz"},
        {"http://r.example/{a}|b.lxf#part", "http://r.example/%7Ba%7D%7Cb.lxf"},
    };
    for (const auto& [url, encoded] : cases)
        EXPECT_EQ(percentEncodeUrl(url), encoded) << url;
}

} // namespace
} // namespace lanescope::download
