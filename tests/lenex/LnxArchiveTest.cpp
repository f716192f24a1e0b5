#include "lenex/LnxArchive.h"

#include "base/TempFolder.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>
#include <zip.h>

using namespace lanescope;
using namespace lanescope::lenex;
namespace fs = std::filesystem;

namespace {

using Members = std::vector<lanescope::testing::ZipEntry>;
using lanescope::testing::readFile;
using lanescope::testing::writeFile;
using lanescope::testing::writeZip;

std::set<std::string> privateFolderContents()
{
    std::set<std::string> names;
    for (const auto& item : fs::directory_iterator(base::privateTempFolder()))
        names.insert(item.path().filename().string());
    return names;
}

/** Lenex text that compresses badly, so its archive is longer than two scramble blocks. */
std::string lenexText(const std::string& name)
{
    std::string noise;
    unsigned state = static_cast<unsigned>(name.front());
    for (int i = 0; i < 4000; ++i) {
        state = state * 1103515245u + 12345u;
        noise += "0123456789ABCDEF"[(state >> 16) & 15];
    }
    return "<?xml version=\"1.0\"?>\n<LENEX VERSION=\"01.03.0007\">\n<!-- " + name + " " + noise +
           " -->\n</LENEX>\n";
}

struct NameCase
{
    const char* fileName;
    bool archive;
};

const NameCase kNames[] = {
    {"meet.lxf", true},   {"MEET.LXF", true},      {"a.snf", true}, {"a.Zip", true},
    {"a.lxb", true},      {"a.stf", true},         {"a.fxl", true}, {"/data/meet.lef", false},
    {"a.zip.bak", false}, {"dir.lxf/meet", false}, {"lxf", false},  {"a.", false},
    {"a.lx", false},      {"a.lxfx", false},
};

class LenexArchiveName : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(LenexArchiveName, GoesByTheLowerCaseExtension)
{
    EXPECT_EQ(isLenexArchiveName(GetParam().fileName), GetParam().archive);
}

INSTANTIATE_TEST_SUITE_P(Names, LenexArchiveName, ::testing::ValuesIn(kNames));

/** The byte a file of the given size holds at offset after scrambling, XOR the byte it held before. */
struct ScrambleCase
{
    std::size_t size;
    std::size_t offset;
    unsigned char change;
};

const ScrambleCase kScrambles[] = {
    {5000, 0, 0xFF},
    {5000, 1, 0xFE},
    {5000, 1023, 0x00},
    {5000, 1024, 0x00},
    {5000, 3975, 0x00},
    {5000, 3976, 0xFF},
    {5000, 4999, 0x00},
    {2048, 1023, 0x00},
    {2048, 1024, 0xFF},
    // 1500 bytes: the blocks overlap from 476 to 1023 and the overlap is changed twice.
    {1500, 0, 0xFF},
    {1500, 475, 0x24},
    {1500, 476, 0xDC},
    {1500, 1023, 0xDC},
    {1500, 1024, 0xDB},
    {1500, 1499, 0x00},
    // 1024 bytes: both blocks are the whole file, so it comes out unchanged.
    {1024, 0, 0x00},
    {1024, 700, 0x00},
};

class Scramble : public ::testing::TestWithParam<ScrambleCase>
{
};

TEST_P(Scramble, CombinesFirstAndLastBlockAndUndoesItself)
{
    const ScrambleCase& c = GetParam();
    std::string original(c.size, '\0');
    for (std::size_t i = 0; i < original.size(); ++i)
        original[i] = static_cast<char>(i * 131 % 251);
    const base::TempFileGuard file(base::uniqueTempName("scramble-", ".bin"));
    writeFile(file.path(), original);

    ASSERT_TRUE(scrambleFile(file.path()));
    const std::string scrambled = readFile(file.path());
    ASSERT_EQ(scrambled.size(), c.size);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[c.offset] ^ original[c.offset]), c.change);
    ASSERT_TRUE(scrambleFile(file.path()));
    EXPECT_EQ(readFile(file.path()), original);
}

INSTANTIATE_TEST_SUITE_P(Offsets, Scramble, ::testing::ValuesIn(kScrambles));

TEST(ScrambleFile, LeavesFilesShorterThanOneBlockAlone)
{
    const base::TempFileGuard file(base::uniqueTempName("short-", ".bin"));
    const std::string bytes(1023, 'z');
    writeFile(file.path(), bytes);
    EXPECT_FALSE(scrambleFile(file.path()));
    EXPECT_EQ(readFile(file.path()), bytes);
    EXPECT_FALSE(scrambleFile(file.path() + ".missing"));
}

enum class Make
{
    Zip,
    ScrambledZip,
    ShortScrambled,
    PlainText,
    Missing,
};

struct LoadCase
{
    const char* what;
    Make make;
    Members members;
    const char* loaded; ///< content of the extracted member; nullptr when the load must fail
};

const LoadCase kLoads[] = {
    {"single_member", Make::Zip, {{"meet.lef", lenexText("a")}, {"readme.txt", "x"}}, "a"},
    {"member_in_a_subfolder", Make::Zip, {{"export/2026/MEET.LEF", lenexText("b")}}, "b"},
    {"hostile_member_name", Make::Zip, {{"../../evil.lef", lenexText("c")}}, "c"},
    {"scrambled_archive", Make::ScrambledZip, {{"meet.lef", lenexText("d")}}, "d"},
    {"two_members", Make::Zip, {{"a.lef", lenexText("a")}, {"sub/b.lef", lenexText("b")}}, nullptr},
    {"no_member", Make::Zip, {{"meet.txt", lenexText("a")}}, nullptr},
    {"short_scrambled_file", Make::ShortScrambled, {}, nullptr},
    {"no_archive", Make::PlainText, {}, nullptr},
    {"missing_file", Make::Missing, {}, nullptr},
};

class ExtractLenexMember : public ::testing::TestWithParam<LoadCase>
{
protected:
    void SetUp() override
    {
        fs::create_directory(work);
        const LoadCase& c = GetParam();
        if (c.make == Make::Zip || c.make == Make::ScrambledZip)
            writeZip(archive, c.members);
        if (c.make == Make::ScrambledZip) {
            ASSERT_TRUE(scrambleFile(archive));
            const std::string head = readFile(archive).substr(0, 2);
            ASSERT_EQ(head, "\xAF\xB5");
        }
        if (c.make == Make::ShortScrambled)
            writeFile(archive, "\xAF\xB5" + std::string(600, 'q'));
        if (c.make == Make::PlainText)
            writeFile(archive, lenexText("plain"));
    }
    void TearDown() override { fs::remove_all(work); }

    const std::string work = base::uniqueTempName("lxf-test-", "");
    const std::string archive = work + "/meet.lxf";
};

TEST_P(ExtractLenexMember, ExtractsTheOneLefOrSaysWhyNot)
{
    const LoadCase& c = GetParam();
    const std::set<std::string> before = privateFolderContents();
    const std::string archiveBytes = readFile(archive);
    {
        const ExtractedLenexFile result = extractLenexMember(archive);
        EXPECT_EQ(result.internalFormat, c.make == Make::ScrambledZip || c.make == Make::ShortScrambled);
        if (c.loaded != nullptr) {
            ASSERT_TRUE(result.error.empty()) << result.error;
            EXPECT_EQ(fs::path(result.file.path()).parent_path(), base::privateTempFolder());
            EXPECT_EQ(readFile(result.file.path()), lenexText(c.loaded));
        } else {
            EXPECT_EQ(result.error, kOneLefMessage);
            EXPECT_TRUE(result.file.path().empty());
        }
    }
    EXPECT_EQ(privateFolderContents(), before); // extracted file and unscrambled copy are gone
    EXPECT_EQ(readFile(archive), archiveBytes); // the opened file is never written
}

INSTANTIATE_TEST_SUITE_P(Archives, ExtractLenexMember, ::testing::ValuesIn(kLoads),
                         [](const auto& test) { return std::string(test.param.what); });

TEST(ExtractLenexMember, ReadsTheSampleMeetPlainAndScrambled)
{
    const std::string sample = LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lxf";
    const std::string lef = readFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");
    ASSERT_FALSE(lef.empty());

    const ExtractedLenexFile plain = extractLenexMember(sample);
    ASSERT_TRUE(plain.error.empty()) << plain.error;
    EXPECT_FALSE(plain.internalFormat);
    EXPECT_EQ(readFile(plain.file.path()), lef);

    const base::TempFileGuard scrambledCopy(base::uniqueTempName("sample-", ".lxf"));
    fs::copy_file(sample, scrambledCopy.path());
    ASSERT_TRUE(scrambleFile(scrambledCopy.path()));
    const ExtractedLenexFile scrambled = extractLenexMember(scrambledCopy.path());
    ASSERT_TRUE(scrambled.error.empty()) << scrambled.error;
    EXPECT_TRUE(scrambled.internalFormat);
    EXPECT_EQ(readFile(scrambled.file.path()), lef);
    EXPECT_NE(scrambled.file.path(), plain.file.path());
}

TEST(CryptedZipFileReader, ShortScrambledFileIsAnUnreadableArchive)
{
    const base::TempFileGuard file(base::uniqueTempName("short-", ".lxf"));
    writeFile(file.path(), "\xAF\xB5 too short");
    TVnxCryptedZipFileReader reader;
    EXPECT_FALSE(reader.open(file.path()));
    EXPECT_FALSE(reader.errorText().empty());
    EXPECT_TRUE(reader.internalFormat());
    EXPECT_TRUE(reader.fileList("*.*").empty());
}

// A scrambled archive is copied into the temporary folder to be unscrambled; when that folder cannot take
// the copy, the message says so instead of blaming the archive.
TEST(ExtractLenexMember, ATemporaryFolderThatTakesNoCopyIsReportedAsSuch)
{
    const std::string scrambled = ::testing::TempDir() + "/unreachable-copy.lxf";
    fs::copy_file(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lxf", scrambled,
                  fs::copy_options::overwrite_existing);
    ASSERT_TRUE(scrambleFile(scrambled));
    const std::string folder = base::privateTempFolder();
    fs::rename(folder, folder + ".away");
    const ExtractedLenexFile extracted = extractLenexMember(scrambled);
    fs::rename(folder + ".away", folder);
    EXPECT_EQ(extracted.error.rfind("Cannot copy \"" + scrambled + "\" to the temporary folder: ", 0), 0u)
        << extracted.error;
    EXPECT_NE(extracted.error, kOneLefMessage);
    fs::remove(scrambled);
}

} // namespace
