#include "convert/ConverterChoice.h"

#include "convert/CompleteFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace lanescope::convert {
namespace {

using testing::ZipEntry;
using testing::ZipEntryKind;

TEST(ConverterChoice, ByExtensionInLowerCase)
{
    const std::pair<const char*, ConverterKind> cases[] = {
        {"meet.lef", ConverterKind::Lenex}, {"MEET.LXF", ConverterKind::Lenex},
        {"meet.snf", ConverterKind::Lenex}, {"RESULTS.SD3", ConverterKind::Sdif},
        {"club.cl2", ConverterKind::Sdif},  {"meet.DSV", ConverterKind::Dsv4},
        {"x.txt", ConverterKind::None},     {"noextension", ConverterKind::None},
        {"x.lxb", ConverterKind::Lenex},    {"X.STF", ConverterKind::Lenex},
        {"x.fxl", ConverterKind::Lenex},    {"missing.zip", ConverterKind::None},
        {"meet.DSV6", ConverterKind::Dsv7}, {"meet.dsv7", ConverterKind::Dsv7},
        {"meet.Dsv8", ConverterKind::Dsv7},
    };
    for (auto [name, kind] : cases)
        EXPECT_EQ(chooseConverter(name), kind) << name;
}

struct ZipCase
{
    const char* name;
    std::vector<ZipEntry> entries;
    ConverterKind kind;
};

TEST(ConverterChoice, ZipArchivesByTheirMembers)
{
    const ZipCase cases[] = {
        {"pce3", {{"rsession.txt", "x"}, {"RCOMP.TXT", "x"}, {"rclub.txt", "x"}}, ConverterKind::Pce3},
        {"dsv", {{"meet.dsv", "x"}, {"readme.lef", "x"}}, ConverterKind::Dsv4},
        {"lenex", {{"meet.lef", "x"}}, ConverterKind::Lenex},
        {"dsv7", {{"meet.dsv7", "x"}}, ConverterKind::Dsv7},
        {"dsvBeginningWithFormat", {{"meet.dsv", "(* writer *)\r\n\r\nFORMAT: Vereinsmeldeliste;7;\r\n"}},
         ConverterKind::Dsv7},
        {"folderFirst",
         {{"results/", "", ZipEntryKind::Directory}, {"results/meet.SD3", "x"}},
         ConverterKind::Sdif},
        {"empty", {}, ConverterKind::None},
        {"other", {{"notes.txt", "x"}}, ConverterKind::None},
    };
    for (const ZipCase& c : cases) {
        const std::string path = ::testing::TempDir() + "/choice-" + c.name + ".zip";
        testing::writeZip(path, c.entries);
        EXPECT_EQ(chooseConverter(path), c.kind) << c.name;
        std::filesystem::remove(path);
    }
}

// A ".dsv" file is a DSV4 list unless its first record is FORMAT, which only the later versions have.
TEST(ConverterChoice, DsvFilesByTheirFirstRecord)
{
    const std::pair<const char*, ConverterKind> cases[] = {
        {"(* comment *)\n\nFORMAT:Wettkampfergebnisliste;7;\n", ConverterKind::Dsv7},
        {"WETTKAMPFERGEBNISLISTE:\nFORMAT:4;\n", ConverterKind::Dsv4},
        {"", ConverterKind::Dsv4},
    };
    const std::string path = ::testing::TempDir() + "/choice.dsv";
    for (auto [text, kind] : cases) {
        testing::writeFile(path, text);
        EXPECT_EQ(chooseConverter(path), kind) << text;
    }
    std::filesystem::remove(path);
}

// A file caught while its writer is at work reads in part without errors; these marks tell it apart.
TEST(CompleteFile, UnfinishedLenexTextAndCutArchives)
{
    const std::string lenex = testing::readFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");
    const std::string zip = ::testing::TempDir() + "/whole.zip";
    testing::writeZip(zip, {{"meet.lef", lenex}});
    const std::string zipped = testing::readFile(zip);
    const struct
    {
        const char* name;
        std::string bytes;
        bool complete;
    } cases[] = {
        {"whole.lef", lenex, true},
        {"trailing-blanks.lef", lenex + "\r\n\r\n", true},
        {"half.lef", lenex.substr(0, lenex.size() / 2), false},
        {"empty.lef", "", false},
        {"whole.lxf", zipped, true},
        {"cut.lxf", zipped.substr(0, zipped.size() - 10), false},
        {"sdif.cl2", "A01V3", true},
    };
    for (const auto& c : cases) {
        const std::string file = ::testing::TempDir() + "/" + c.name;
        testing::writeFile(file, c.bytes);
        EXPECT_EQ(isCompleteFile(file), c.complete) << c.name;
    }
}

} // namespace
} // namespace lanescope::convert
