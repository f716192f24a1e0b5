#include "convert/ConverterChoice.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace lanescope::convert {
namespace {

using namespace lenex;

/** A format converter that builds competitions as a test asks. */
class TestConverter : public TVnxLenexConverterAbstract
{
public:
    using TVnxLenexConverterAbstract::TVnxLenexConverterAbstract;
    std::vector<std::pair<std::string, int>> competitions;

    void Load(const std::string&) override
    {
        runGuarded("TEST", [this] {
            NewDocument("Test converter", "1.0", "Format 4");
            for (const auto& [name, pool] : competitions)
                AddCompetition(name, pool);
        });
    }
};

TEST(ConverterFrame, AddCompetitionBuildsItsCollections)
{
    TLenex document;
    TestConverter converter(document);
    converter.competitions = {{"  Winter Cup  ", 1}, {"Second", 2}};
    converter.Load("ignored");
    ASSERT_EQ(converter.errorCount(), 0);
    EXPECT_EQ(document.root()->getText(tag::VERSION), "Format 4");
    const TLnxCollection* competitions = document.root()->findCollection(tag::COMPETITIONS);
    ASSERT_EQ(competitions->childCount(), 2);
    const TLnxObject* first = competitions->itemAt(0);
    EXPECT_EQ(first->getText(tag::NAME), "Winter Cup");
    EXPECT_EQ(first->childAt(0)->tag(), tag::PERIODS);
    EXPECT_EQ(first->childAt(1)->tag(), tag::CLUBS);
    EXPECT_EQ(first->poolIndex(), 1);
    EXPECT_EQ(competitions->itemAt(1)->getText(tag::PM), "y");
    EXPECT_EQ(document.fileInformationText(),
              "LENEX version Format 4 created with :\r\nTest converter, version 1.0");
}

TEST(ConverterFrame, ErrorsEndTheConversionInTheGuard)
{
    TLenex document;
    TestConverter converter(document);
    converter.competitions = {{"Kept", 0}, {"Bad pool", 7}, {"Never", 0}};
    converter.Load("ignored");
    EXPECT_EQ(converter.errorCount(), 1);
    EXPECT_NE(converter.errorMessage().find("pool index 7"), std::string::npos);
    EXPECT_EQ(document.root()->findCollection(tag::COMPETITIONS)->childCount(), 2); // what was built stays
}

TEST(ConverterFrame, LenexConverterCountsTheLoadErrors)
{
    const std::string path = ::testing::TempDir() + "/frame-errors.lef";
    testing::writeFile(path, "<LENEX>\n<CLUBS>\n<EVENT/>\n</CLUB>\n</CLUBS>\n</LENEX>\n");
    TLenex document;
    std::vector<std::string> statusTexts;
    auto converter = createConverter(chooseConverter(path), document);
    ASSERT_NE(converter, nullptr);
    converter->setStatusCallback([&statusTexts](const std::string& text) { statusTexts.push_back(text); });
    converter->Load(path);
    EXPECT_EQ(converter->errorCount(), 2);
    EXPECT_EQ(converter->errorMessage(),
              "Line 3: Unallowed tag in collection: EVENT !\r\nLine 4: Unexpected tag: /CLUB !\r\n");
    ASSERT_FALSE(statusTexts.empty());
    EXPECT_EQ(statusTexts.back(), ""); // the status text is cleared at the end
    std::filesystem::remove(path);
}

// With the developer flag the converted tree is dumped, as a copy: the document keeps its empty values.
TEST(ConverterFrame, DeveloperDumpWritesACopy)
{
    const std::string folder = ::testing::TempDir() + "/dump-test";
    std::filesystem::create_directories(folder);
    const char* oldTemp = std::getenv("TMPDIR");
    const std::string savedTemp = oldTemp ? oldTemp : "";
    setenv("TMPDIR", folder.c_str(), 1);
    setenv("LANESCOPE_DEBUG", "1", 1);

    TLenex document;
    TestConverter converter(document);
    converter.competitions = {{"Dumped", 0}};
    converter.Load("ignored");

    unsetenv("LANESCOPE_DEBUG");
    if (oldTemp)
        setenv("TMPDIR", savedTemp.c_str(), 1);
    else
        unsetenv("TMPDIR");
    const std::string dump = testing::readFile(folder + "/lanescope-dumps/tmpConvert_TEST.lef");
    EXPECT_NE(dump.find("<NAME>Dumped</NAME>"), std::string::npos);
    EXPECT_EQ(dump.find("<FNAME>"), std::string::npos); // the writer prunes the empty FNAME of the contact
    EXPECT_TRUE(
        document.root()->findObject(tag::CONSTRUCTOR)->findObject(tag::CONTACT)->hasChild(tag::FNAME));
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace lanescope::convert
