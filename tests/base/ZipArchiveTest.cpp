#include "base/ZipArchive.h"

#include "base/TempFolder.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>
#include <zip.h>

using namespace lanescope::base;
namespace fs = std::filesystem;

namespace {

using lanescope::testing::readFile;
using lanescope::testing::writeFile;
using lanescope::testing::writeZip;
using Entry = lanescope::testing::ZipEntry;
using Kind = lanescope::testing::ZipEntryKind;

void patch32(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

/** Makes the local and the central header of the only member claim a smaller uncompressed size. */
void claimSize(const std::string& path, std::uint32_t size)
{
    std::string bytes = readFile(path);
    patch32(bytes, 22, size); // local header at offset 0
    patch32(bytes, bytes.find("PK\x01\x02") + 24, size);
    writeFile(path, bytes);
}

void flipContentByte(const std::string& path, const std::string& content)
{
    std::string bytes = readFile(path);
    bytes[bytes.find(content)] ^= 0x01;
    writeFile(path, bytes);
}

std::set<std::string> listTree(const fs::path& root)
{
    std::set<std::string> paths;
    for (const auto& item : fs::recursive_directory_iterator(root))
        paths.insert(fs::relative(item.path(), root).string());
    return paths;
}

/** A work folder in the private temp folder: the archive at its top, the target folder two levels down. */
class ZipArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(out);
        zipPath = (work / "archive.zip").string();
    }
    void TearDown() override { fs::remove_all(work); }

    std::set<std::string> treeWith(const std::string& extracted) const
    {
        std::set<std::string> expected{"archive.zip", "a", "a/b", "a/b/out"};
        if (!extracted.empty())
            expected.insert("a/b/out/" + extracted);
        return expected;
    }

    const fs::path work = uniqueTempName("zip-test-", "");
    const fs::path out = work / "a" / "b" / "out";
    std::string zipPath;
};

TEST_F(ZipArchiveTest, ListsMembersWithSizesFoldersAndLinks)
{
    writeZip(zipPath, {{"meet.lef", "abc"},
                       {"sub/", "", Kind::Directory},
                       {"sub/B.LEF", std::string(5000, 'x')},
                       {"link.lef", "/etc/passwd", Kind::Symlink}});
    ZipArchive archive;
    ASSERT_TRUE(archive.open(zipPath)) << archive.errorText();
    const TVnxFileList& members = archive.members();
    ASSERT_EQ(members.size(), 4u);
    const struct
    {
        const char* name;
        std::uint64_t size;
        bool isDirectory;
        bool isSymlink;
    } expected[] = {{"meet.lef", 3, false, false},
                    {"sub/", 0, true, false},
                    {"sub/B.LEF", 5000, false, false},
                    {"link.lef", 11, false, true}};
    for (std::size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(members[i].index, i);
        EXPECT_EQ(members[i].name, expected[i].name);
        EXPECT_EQ(members[i].size, expected[i].size);
        EXPECT_EQ(members[i].isDirectory, expected[i].isDirectory);
        EXPECT_EQ(members[i].isSymlink, expected[i].isSymlink);
    }
    const TVnxFileList lef = archive.membersMatching("*.lef");
    ASSERT_EQ(lef.size(), 3u); // folders never match, links do (and are refused at extraction)
    EXPECT_EQ(lef[1].name, "sub/B.LEF");
}

struct MaskCase
{
    const char* name;
    const char* mask;
    bool matches;
};

const MaskCase kMasks[] = {
    {"meet.lef", "*.lef", true},
    {"MEET.LEF", "*.lef", true},
    {"sub/dir/meet.Lef", "*.lef", true},
    {"sub\\meet.lef", "meet.lef", true},
    {"meet.lef.bak", "*.lef", false},
    {"meet.lxf", "*.lef", false},
    {"RCOMP.TXT", "rcomp.txt", true},
    {"data/rcomp.txt", "rcomp.txt", true},
    {"xrcomp.txt", "rcomp.txt", false},
    {"rcomp.txt", "sub/rcomp.txt", false},
    {"readme", "*.*", true},
    {"readme", "*", true},
    {"readme", "*.txt", false},
    {"rcomp.txt", "r?omp.txt", true},
    {"rcomp.txt", "r?comp.txt", false},
    {"\xC3\x9C"
     "ber.lef",
     "\xC3\xBC"
     "ber.LEF",
     true},                          // Über matches über
    {"\xC3\xBC.lef", "?.lef", true}, // one '?' takes one whole character
    {"a.b.c.lef", "*.*.lef", true},
    {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*a*c", false},
};

class MemberMask : public ::testing::TestWithParam<MaskCase>
{
};

TEST_P(MemberMask, MatchesTheNamePartWithoutRegardToCase)
{
    EXPECT_EQ(matchesMask(GetParam().name, GetParam().mask), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Masks, MemberMask, ::testing::ValuesIn(kMasks));

struct EscapeCase
{
    const char* member; ///< '@' stands for the work folder, for an absolute name that points into it
    const char* written;
};

const EscapeCase kEscapes[] = {
    {"../x.lef", "x.lef"}, {"../../x.lef", "x.lef"}, {"sub/../../x.lef", "x.lef"}, {"..\\..\\x.lef", "x.lef"},
    {"@/x.lef", "x.lef"},  {"sub/..", "unnamed"},    {"sub/.x.lef", "x.lef"},
};

class ZipEscape : public ZipArchiveTest, public ::testing::WithParamInterface<EscapeCase>
{
};

TEST_P(ZipEscape, WritesOnlyTheBaseNameIntoTheTargetFolder)
{
    std::string member = GetParam().member;
    if (member.front() == '@')
        member.replace(0, 1, work.string());
    writeZip(zipPath, {{member, "payload"}});
    ZipArchive archive;
    ASSERT_TRUE(archive.open(zipPath)) << archive.errorText();
    const ZipExtractResult result = archive.extractMember(member, out.string());
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.path, (out / GetParam().written).string());
    EXPECT_EQ(readFile(result.path), "payload");
    EXPECT_EQ(listTree(work), treeWith(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(HostileNames, ZipEscape, ::testing::ValuesIn(kEscapes));

const std::string kCorruptible = "stored data that gets one bit flipped on disk";
const std::string kBomb(1 << 20, '\0');

struct RefusalCase
{
    const char* what;
    Entry entry;
    std::uint64_t maxBytes;
    void (*damage)(const std::string& zipPath);
};

const RefusalCase kRefusals[] = {
    {"symlink", {"link.lef", "../../etc/passwd", Kind::Symlink}, kDefaultMaxMemberBytes, nullptr},
    {"folder", {"sub/", "", Kind::Directory}, kDefaultMaxMemberBytes, nullptr},
    {"bomb", {"bomb.lef", kBomb}, 4096, nullptr},
    {"bomb with a lying size", {"bomb.lef", kBomb}, 4096, [](const std::string& p) { claimSize(p, 100); }},
    {"crc error",
     {"bad.lef", kCorruptible, Kind::Stored},
     kDefaultMaxMemberBytes,
     [](const std::string& p) { flipContentByte(p, kCorruptible); }},
};

class ZipRefusal : public ZipArchiveTest, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(ZipRefusal, FailsAndLeavesNoFile)
{
    writeZip(zipPath, {GetParam().entry});
    if (GetParam().damage != nullptr)
        GetParam().damage(zipPath);
    ZipArchive archive;
    ASSERT_TRUE(archive.open(zipPath)) << archive.errorText();
    const ZipExtractResult result = archive.extractMember(0, out.string(), GetParam().maxBytes);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.path.empty());
    EXPECT_EQ(listTree(work), treeWith({}));
}

INSTANTIATE_TEST_SUITE_P(Members, ZipRefusal, ::testing::ValuesIn(kRefusals), [](const auto& test) {
    std::string name = test.param.what;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
});

TEST_F(ZipArchiveTest, NeverFollowsOrReplacesWhatIsAlreadyThere)
{
    writeZip(zipPath, {{"x.lef", "new"}});
    const fs::path victim = work / "victim";
    writeFile(victim.string(), "keep");
    fs::create_symlink(victim, out / "x.lef");
    writeFile((out / "x-1.lef").string(), "older");
    ZipArchive archive;
    ASSERT_TRUE(archive.open(zipPath));
    const ZipExtractResult result = archive.extractMember(0, out.string());
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.path, (out / "x-2.lef").string());
    EXPECT_EQ(readFile(result.path), "new");
    EXPECT_EQ(readFile(victim.string()), "keep");
    EXPECT_EQ(readFile((out / "x-1.lef").string()), "older");
    EXPECT_TRUE(fs::is_symlink(out / "x.lef"));
}

TEST_F(ZipArchiveTest, UnreadableArchivesGiveErrorTexts)
{
    writeFile(zipPath, "PK\x03\x04 but nothing after");
    for (const std::string& path : {zipPath, (work / "missing.zip").string()}) {
        ZipArchive archive;
        EXPECT_FALSE(archive.open(path));
        EXPECT_NE(archive.errorText().find(path), std::string::npos);
        EXPECT_TRUE(archive.members().empty());
        EXPECT_FALSE(archive.extractMember(0, out.string()).ok());
    }
    writeZip(zipPath, {{"a.lef", "a"}});
    ZipArchive archive;
    ASSERT_TRUE(archive.open(zipPath));
    EXPECT_FALSE(archive.extractMember("b.lef", out.string()).ok());
    EXPECT_FALSE(archive.extractMember(1, out.string()).ok());
}

} // namespace
