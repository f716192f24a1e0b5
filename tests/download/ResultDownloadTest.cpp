#include "base/TempFolder.h"
#include "convert/ConverterChoice.h"
#include "download/MeetsFactory.h"
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

TEST_F(ResultDownloadTest, MissingOrUnreachableResultFileGivesNothing)
{
    TMeetsFactory factory(&settings);
    std::vector<std::string> statusTexts;
    factory.setStatusHook([&](const std::string& text) { statusTexts.push_back(text); });
    EXPECT_FALSE(factory.DownloadMeet(meet(server.url("/gone.lxf"))));
    // The file was created before the request and stays, empty.
    const std::string left = base::privateTempFolder() + "/$$$Vornix_Lanescope_Data.lxf";
    ASSERT_TRUE(fs::exists(left));
    EXPECT_EQ(fs::file_size(left), 0u);
    EXPECT_FALSE(factory.DownloadMeet(meet(testing::unreachableUrl("/meet.lef"))));
    EXPECT_EQ(statusTexts,
              (std::vector<std::string>{"Download results: Meet", "", "Download results: Meet", ""}));
}

TEST_F(ResultDownloadTest, WithoutExtensionTheFileIsUnsupported)
{
    server.serve("/results", testing::readFile(kSample + ".lef"));
    TMeetsFactory factory(&settings);
    const std::optional<std::string> file = factory.DownloadMeet(meet(server.url("/results")));
    ASSERT_TRUE(file);
    EXPECT_EQ(fs::path(*file).filename(), "$$$Vornix_Lanescope_Data");
    EXPECT_EQ(convert::chooseConverter(*file), convert::ConverterKind::None);
}

TEST(UrlExtension, OnlyPlainExtensionsOfThePath)
{
    const std::pair<const char*, const char*> cases[] = {
        {"http://results.example.org/2026/meet.lxf", ".lxf"},
        {"https://r.example/meet.SD3?download=1#top", ".SD3"},
        {"http://r.example/archive.tar.zip", ".zip"},
        {"http://r.example/results", ""},
        {"http://r.example", ""},
        {"http://r.example/", ""},
        {"http://r.example/dir.v2/results", ""},
        {"http://r.example/meet.", ""},
        {"http://r.example/meet.l%2Fx", ""},
        {"http://r.example/meet.lxf\\..\\x", ""},
        {"http://r.example/meet.a-b", ""},
        {"http://r.example/meet.averyveryverylongext", ""},
        {"http://r.example/list.php?file=meet.lxf", ".php"},
        {"meet.lef", ".lef"},
    };
    for (const auto& [url, extension] : cases)
        EXPECT_EQ(urlExtension(url), extension) << url;
}

} // namespace
} // namespace lanescope::download
