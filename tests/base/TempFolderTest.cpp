#include "base/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace lanescope::base;
namespace fs = std::filesystem;

namespace {

void touch(const std::string& path) { std::ofstream(path) << "x"; }

TEST(PrivateTempFolder, IsOneOwnerOnlyFolderPerProcess)
{
    const std::string& folder = privateTempFolder();
    ASSERT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::path(folder).filename().string().rfind("lanescope-", 0), 0u);
    EXPECT_EQ(privateTempFolder(), folder);
}

TEST(PrivateTempFolder, ForkedChildNeverRemovesItsParentsFolder)
{
    const std::string parentFolder = privateTempFolder();
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child takes a folder of its own, fills it and exits normally: exit removes the child's folder.
        const std::string own = privateTempFolder();
        touch(own + "/file");
        const bool written = ::write(channel[1], own.data(), own.size()) == static_cast<ssize_t>(own.size());
        std::exit(written ? 0 : 1);
    }
    ::close(channel[1]);
    std::string childFolder;
    char buffer[256];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        childFolder.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_NE(childFolder, parentFolder);
    EXPECT_FALSE(childFolder.empty() || fs::exists(childFolder));
    EXPECT_TRUE(fs::is_directory(parentFolder));
}

TEST(UniqueTempName, GivesDistinctSafeNamesInsideThePrivateFolder)
{
    std::set<std::string> names;
    for (int i = 0; i < 1000; ++i)
        names.insert(uniqueTempName("lenex-", ".zip"));
    EXPECT_EQ(names.size(), 1000u);
    for (const std::string& name : names) {
        EXPECT_EQ(fs::path(name).parent_path(), privateTempFolder());
        EXPECT_EQ(fs::path(name).extension(), ".zip");
    }
    const fs::path hostile = uniqueTempName("../../up/", "/../.lef");
    EXPECT_EQ(hostile.parent_path(), privateTempFolder());
    EXPECT_EQ(hostile.filename().string().find('/'), std::string::npos);
}

struct NameCase
{
    std::string name;
    std::string safe;
};

const NameCase kNames[] = {
    {"meet.lef", "meet.lef"},
    {"Meet_2026-10.LEF", "Meet_2026-10.LEF"},
    {"../x.lef", "_x.lef"},
    {"/etc/passwd", "_etc_passwd"},
    {"a\\b.txt", "a_b.txt"},
    {".hidden", "hidden"},
    {"..", "unnamed"},
    {"", "unnamed"},
    {"L\xC3\xBC"
     "beck.lef",
     "L__beck.lef"},
    {"a b:c*?\n.txt", "a_b_c___.txt"},
    {std::string(200, 'a') + ".lef", std::string(kMaxFileNameLength - 4, 'a') + ".lef"},
    {std::string(200, 'b'), std::string(kMaxFileNameLength, 'b')},
    {"c." + std::string(200, 'd'), "c." + std::string(kMaxFileNameLength - 2, 'd')},
};

class SanitizeFileName : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(SanitizeFileName, KeepsOnlyPlainFileNames)
{
    EXPECT_EQ(sanitizeFileName(GetParam().name), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(Names, SanitizeFileName, ::testing::ValuesIn(kNames));

TEST(TempFileGuard, DeletesOnEveryPathOutUnlessReleased)
{
    const std::string first = uniqueTempName("guard-", ".tmp");
    const std::string second = uniqueTempName("guard-", ".tmp");
    const std::string kept = uniqueTempName("guard-", ".tmp");
    for (const std::string* path : {&first, &second, &kept})
        touch(*path);
    {
        TempFileGuard a(first);
        TempFileGuard b(std::move(a));
        EXPECT_TRUE(a.path().empty());
        b.reset(second);
        EXPECT_FALSE(fs::exists(first));
        EXPECT_TRUE(fs::exists(second));
        TempFileGuard c(kept);
        EXPECT_EQ(c.release(), kept);
        try {
            TempFileGuard d(std::move(b));
            throw std::runtime_error("leaving early");
        } catch (const std::runtime_error&) {
        }
        EXPECT_FALSE(fs::exists(second));
    }
    EXPECT_TRUE(fs::exists(kept));
    fs::remove(kept);
}

TEST(TempFileGuard, RemovesALinkNotItsTarget)
{
    const std::string target = uniqueTempName("target-", ".txt");
    const std::string link = uniqueTempName("link-", ".txt");
    touch(target);
    fs::create_symlink(target, link);
    {
        TempFileGuard guard(link);
    }
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_TRUE(fs::exists(target));
    fs::remove(target);
}

} // namespace
