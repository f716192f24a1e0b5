#include "app/SettingsLocation.h"
#include "base/VnxIniFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>

using namespace lanescope::app;
using namespace lanescope::base;
using lanescope::base::encodeDate;
using lanescope::base::encodeTime;
using lanescope::base::TDateTime;
namespace fs = std::filesystem;

namespace {

/** A fresh folder under the system's temporary folder, removed with everything in it. */
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "lanescope-ini-XXXXXX").string();
        FPath = ::mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(FPath); }
    const fs::path& path() const { return FPath; }

private:
    fs::path FPath;
};

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

unsigned modeOf(const fs::path& path)
{
    struct stat info = {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Both settings classes share every operation; each test runs against both.
template <typename Ini> class IniFileOps : public ::testing::Test
{
protected:
    /** The ini file over a file that holds the text. */
    std::unique_ptr<Ini> open(const std::string& text)
    {
        writeFile(FFile, text);
        return std::make_unique<Ini>(FFile);
    }
    TempDir FDir;
    fs::path FFile = FDir.path() / "p.ini";
};

using IniClasses = ::testing::Types<TVnxIniFile, TVnxMemIniFile>;
TYPED_TEST_SUITE(IniFileOps, IniClasses);

TYPED_TEST(IniFileOps, IntegersAndBooleansFallBackWhenUnreadable)
{
    struct Case
    {
        const char* stored;
        int integer; // read with the default -7
        bool withTrue;
        bool withFalse;
    };
    const Case cases[] = {
        {"42", 42, true, true},     {"0", 0, false, false},          {"-3", -3, true, true},
        {"  12  ", 12, true, true}, {"abc", -7, true, false},        {"", -7, true, false},
        {"12abc", -7, true, false}, {"2147483648", -7, true, false}, {"0x10", -7, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        auto ini = this->open(std::string("[s]\nk=") + c.stored + "\n");
        EXPECT_EQ(ini->ReadInteger("s", "k", -7), c.integer);
        EXPECT_EQ(ini->ReadBool("s", "k", true), c.withTrue);
        EXPECT_EQ(ini->ReadBool("s", "k", false), c.withFalse);
    }
    auto ini = this->open("");
    EXPECT_EQ(ini->ReadInteger("s", "k", 5), 5);
    ASSERT_TRUE(ini->WriteBool("s", "on", true));
    ASSERT_TRUE(ini->WriteBool("s", "off", false));
    ASSERT_TRUE(ini->WriteInteger("s", "n", -12));
    EXPECT_EQ(ini->ReadString("s", "on", ""), "1");
    EXPECT_EQ(ini->ReadString("s", "off", ""), "0");
    EXPECT_EQ(ini->ReadInteger("s", "n", 0), -12);
}

TYPED_TEST(IniFileOps, SectionsAndKeysIgnoreCase)
{
    auto ini = this->open("[Main]\nOpenPath=/home\n[Übung]\nGröße=3\n");
    EXPECT_EQ(ini->ReadString("MAIN", "openpath", "-"), "/home");
    EXPECT_EQ(ini->ReadInteger("ÜBUNG", "GRÖßE", 0), 3);
    ASSERT_TRUE(ini->WriteString("main", "OPENPATH", "/tmp"));
    EXPECT_EQ(ini->ReadString("Main", "OpenPath", ""), "/tmp");
    EXPECT_EQ(ini->ReadSection("MAIN"), std::vector<std::string>{"OpenPath"}) << "the first spelling stays";
    EXPECT_TRUE(ini->SectionExists("main"));
    EXPECT_TRUE(ini->ValueExists("ÜBUNG", "größe"));
    EXPECT_FALSE(ini->ValueExists("main", "other"));
}

TYPED_TEST(IniFileOps, ToleratesLooseText)
{
    auto ini = this->open("\xEF\xBB\xBF"
                          "orphan=1\r\n"
                          "[Files]\r\n"
                          "; comment=here\r\n"
                          "\r\n"
                          "no equals sign\r\n"
                          "  AskRegExtension = 0  \r\n"
                          "AskRegExtension=1\r\n"
                          "=nameless\r\n"
                          "[ResultServers]\n"
                          "3=Name three;http://c\n"
                          "1=Name one;http://a\n"
                          "[files]\n"
                          "late=x");
    EXPECT_FALSE(ini->ReadBool("Files", "AskRegExtension", true)) << "the first of two keys wins";
    EXPECT_EQ(ini->ReadString("Files", "late", ""), "x") << "a repeated section joins the first";
    EXPECT_FALSE(ini->ValueExists("Files", "; comment"));
    EXPECT_FALSE(ini->ValueExists("Files", "no equals sign"));
    EXPECT_EQ(ini->ReadSections(), (std::vector<std::string>{"Files", "ResultServers"}));
    const std::vector<std::pair<std::string, std::string>> servers = {{"3", "Name three;http://c"},
                                                                      {"1", "Name one;http://a"}};
    EXPECT_EQ(ini->ReadSectionValues("resultservers"), servers);
}

TYPED_TEST(IniFileOps, DeletesKeysAndSections)
{
    auto ini = this->open("[a]\nx=1\ny=2\n[b]\nz=3\n");
    EXPECT_TRUE(ini->DeleteKey("A", "X"));
    EXPECT_TRUE(ini->DeleteKey("a", "missing"));
    EXPECT_EQ(ini->ReadSection("a"), std::vector<std::string>{"y"});
    EXPECT_TRUE(ini->EraseSection("B"));
    EXPECT_FALSE(ini->SectionExists("b"));
    EXPECT_EQ(ini->ReadString("b", "z", "gone"), "gone");
}

TYPED_TEST(IniFileOps, ReadsDateTimeFieldByField)
{
    const TDateTime fallback = encodeDate(2000, 1, 1);
    const TDateTime day = encodeDate(2024, 3, 15);
    const std::map<std::string, TDateTime> cases = {
        {"20240315134501", day + encodeTime(13, 45, 1)},
        {"20240315134501999", day + encodeTime(13, 45, 1)}, // characters after the seconds are ignored
        {"20240315", day},                                  // no time part
        {"2024031513", day},                                // minutes missing: no time
        {"20240315250000", day},                            // hour 25: no time
        {"2024031513450", day + encodeTime(13, 45, 0)},     // a one-digit second
        {"2024x315134501", fallback},
        {"20240230120000", fallback}, // 30 February
        {"18991230000000", fallback}, // day number 0
        {"", fallback},
    };
    std::string text = "[d]\n";
    for (const auto& [stored, expected] : cases)
        text += "v" + stored + "=" + stored + "\n";
    auto ini = this->open(text);
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(ini->ReadDateTime("d", "v" + stored, fallback), expected) << stored;
    EXPECT_EQ(ini->ReadDateTime("d", "missing", fallback), fallback);
}

TYPED_TEST(IniFileOps, DateTimeRoundTripsToTheSecond)
{
    const TDateTime moment = encodeDate(2024, 3, 15) + encodeTime(13, 45, 1);
    const TDateTime halfSecond = 0.5 / 86400;
    const struct
    {
        TDateTime written;
        const char* stored;
        TDateTime read;
    } cases[] = {
        {moment, "20240315134501", moment},
        {moment + 0.4 / 86400, "20240315134501", moment},
        {encodeDate(2024, 3, 16) - halfSecond / 2, "20240316000000", encodeDate(2024, 3, 16)},
        {encodeDate(1850, 6, 1) + encodeTime(6, 0), "18500601060000",
         encodeDate(1850, 6, 1) + encodeTime(6, 0)},
    };
    auto ini = this->open("");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        ASSERT_TRUE(ini->WriteDateTime("d", "when", c.written));
        EXPECT_EQ(ini->ReadString("d", "when", ""), c.stored);
        EXPECT_EQ(ini->ReadDateTime("d", "when", -1), c.read);
    }
}

TYPED_TEST(IniFileOps, ReadsMultiLineText)
{
    auto ini = this->open("[t]\n"
                          "aXX=2\na000=first\na001=second\n"
                          "bXX=0\n"
                          "cXX=3\nc000=x\nc002=z\n"
                          "dXX=999999999\nd000=only\n"
                          "eXX=junk\n");
    EXPECT_EQ(ini->ReadText("t", "A", "-"), "first\r\nsecond");
    EXPECT_EQ(ini->ReadText("t", "b", "-"), "");
    EXPECT_EQ(ini->ReadText("t", "c", "-"), "x\r\n\r\nz");
    const std::string bounded = ini->ReadText("t", "d", "-");
    EXPECT_TRUE(bounded.starts_with("only\r\n"));
    EXPECT_LT(bounded.size(), 100u) << "a huge count is bounded by the keys of the section";
    EXPECT_EQ(ini->ReadText("t", "e", "-"), "");
    EXPECT_EQ(ini->ReadText("t", "missing", "fallback"), "fallback");
}

TYPED_TEST(IniFileOps, WritesMultiLineText)
{
    const struct
    {
        const char* written;
        const char* read;
        int count;
    } cases[] = {
        {"a\nb", "a\r\nb", 2}, {"a\r\nb\r\n\r\n", "a\r\nb", 2},
        {"a\rb", "a\r\nb", 2}, {"a\n\nb", "a\r\n\r\nb", 3},
        {"", "", 0},           {"x\n  \n", "x", 1},
    };
    auto ini = this->open("");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        ASSERT_TRUE(ini->WriteText("t", "K", c.written));
        EXPECT_EQ(ini->ReadText("t", "K", "-"), c.read);
        EXPECT_EQ(ini->ReadInteger("t", "KXX", -1), c.count);
    }
}

TYPED_TEST(IniFileOps, ShorterTextDeletesStaleLines)
{
    auto ini = this->open("[t]\nK006=unrelated\n");
    ASSERT_TRUE(ini->WriteText("t", "K", "1\n2\n3\n4\n5"));
    ASSERT_TRUE(ini->WriteText("t", "K", "one\ntwo\nthree"));
    EXPECT_EQ(ini->ReadSection("t"), (std::vector<std::string>{"K006", "KXX", "K000", "K001", "K002"}))
        << "deleting stops at the first missing line, K005";
    EXPECT_EQ(ini->ReadInteger("t", "KXX", 0), 3);
    EXPECT_EQ(ini->ReadText("t", "K", ""), "one\r\ntwo\r\nthree");
}

TEST(IniFileContent, WritesSectionsWithCommentsInPlace)
{
    IniContent content("\xEF\xBB\xBF; settings\r\n[main]\r\n;keep me\r\n\r\nA=1\r\n[Files]\r\nB = 2 \r\n");
    content.set("MAIN", "c", "line\r\nbreak");
    content.set("new", "d", "4");
    EXPECT_EQ(content.text(),
              "; settings\n\n[main]\n;keep me\nA=1\nc=line  break\n\n[Files]\nB=2\n\n[new]\nd=4\n");
    EXPECT_EQ(IniContent(content.text()).text(), content.text());
}

class IniFileDisk : public ::testing::Test
{
protected:
    TempDir FDir;
    fs::path FFile = FDir.path() / "lanescope.ini";
};

TEST_F(IniFileDisk, MissingFileReadsDefaultsAndIsNotCreatedByReads)
{
    TVnxIniFile ini(FFile);
    EXPECT_EQ(ini.ReadString("main", "openPath", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("main", "pgcMain", 2), 2);
    EXPECT_TRUE(ini.ReadBool("Files", "AskRegExtension", true));
    EXPECT_EQ(ini.ReadText("t", "k", "x"), "x");
    EXPECT_TRUE(ini.ReadSections().empty());
    EXPECT_FALSE(fs::exists(FFile));
    TVnxMemIniFile memory(FFile);
    EXPECT_EQ(memory.ReadInteger("Config", "lbxLanguage", -1), -1);
}

TEST_F(IniFileDisk, WritesReachTheFileAtOnce)
{
    TVnxIniFile first(FFile);
    TVnxIniFile second(FFile);
    EXPECT_EQ(second.ReadString("main", "openPath", "none"), "none");
    ASSERT_TRUE(first.WriteString("main", "openPath", "/data/meets"));
    EXPECT_EQ(readFile(FFile), "[main]\nopenPath=/data/meets\n");
    EXPECT_EQ(second.ReadString("main", "openPath", "none"), "/data/meets");
    ASSERT_TRUE(second.WriteInteger("main", "trvEvents", 250));
    ASSERT_TRUE(first.DeleteKey("main", "openPath"));
    EXPECT_EQ(second.ReadString("main", "openPath", "none"), "none");
    EXPECT_EQ(TVnxIniFile(FFile).ReadInteger("main", "trvEvents", 300), 250);
}

TEST_F(IniFileDisk, ReplacesTheFileKeepingItsModeAndLeavesNoTemporaries)
{
    writeFile(FFile, "[a]\nx=1\n");
    fs::permissions(FFile, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TVnxIniFile ini(FFile);
    ASSERT_TRUE(ini.WriteString("a", "y", "2"));
    EXPECT_EQ(modeOf(FFile), 0640u);
    EXPECT_EQ(readFile(FFile), "[a]\nx=1\ny=2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir.path()), fs::directory_iterator()), 1);
}

TEST_F(IniFileDisk, MemoryFileWritesOnlyOnRequest)
{
    writeFile(FFile, "[a]\nx=1\n");
    TVnxMemIniFile ini(FFile);
    ASSERT_TRUE(ini.WriteText("a", "t", "l1\nl2"));
    EXPECT_EQ(readFile(FFile), "[a]\nx=1\n");
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readFile(FFile), "[a]\nx=1\ntXX=2\nt000=l1\nt001=l2\n");
    ini.SetText("[b]\ny=2");
    EXPECT_EQ(ini.GetText(), "[b]\ny=2\n");
}

TEST_F(IniFileDisk, UnwritablePlacesFailWritesQuietly)
{
    // A folder below a regular file cannot be created or written, not even by root.
    writeFile(FDir.path() / "plain", "");
    const fs::path unwritable = FDir.path() / "plain" / "lanescope.ini";
    TVnxIniFile ini(unwritable);
    EXPECT_FALSE(ini.WriteString("main", "openPath", "/x"));
    EXPECT_FALSE(ini.WriteText("t", "k", "a\nb"));
    EXPECT_EQ(ini.ReadString("main", "openPath", "none"), "none") << "a failed write does not linger";
    EXPECT_TRUE(ini.DeleteKey("main", "openPath")) << "nothing to delete, nothing to write";
    TVnxMemIniFile memory(unwritable);
    ASSERT_TRUE(memory.WriteString("main", "openPath", "/x"));
    EXPECT_FALSE(memory.UpdateFile());
}

TEST_F(IniFileDisk, UnreadableFileIsNeverOverwritten)
{
    // A folder in the file's place cannot be read as a file.
    fs::create_directory(FFile);
    writeFile(FFile / "inside", "kept");
    TVnxIniFile ini(FFile);
    EXPECT_EQ(ini.ReadInteger("main", "pgcMain", 2), 2);
    EXPECT_FALSE(ini.WriteInteger("main", "pgcMain", 1));
    EXPECT_EQ(readFile(FFile / "inside"), "kept");
}

class SettingsLocation : public ::testing::Test
{
protected:
    fs::path locate(const fs::path& programFolder) const
    {
        return settingsFileLocation(
            programFolder, [this](std::string_view name) -> std::optional<std::string> {
                const auto found = FEnvironment.find(std::string(name));
                return found == FEnvironment.end() ? std::nullopt : std::optional<std::string>(found->second);
            });
    }
    TempDir FDir;
    std::map<std::string, std::string> FEnvironment;
};

TEST_F(SettingsLocation, BesideTheProgramWhenItsFolderIsWritable)
{
    FEnvironment["XDG_CONFIG_HOME"] = (FDir.path() / "config").string();
    EXPECT_EQ(locate(FDir.path()), FDir.path() / "lanescope.ini");
    EXPECT_FALSE(fs::exists(FDir.path() / "config"));
}

TEST_F(SettingsLocation, FallsBackToTheUserConfigFolder)
{
    writeFile(FDir.path() / "plain", "");
    const fs::path home = FDir.path() / "home";
    fs::create_directory(home);
    const fs::path gone = FDir.path() / "gone";
    const fs::path xdg = FDir.path() / "xdg";
    const fs::path fromHome = home / ".config" / "lanescope";
    // A writable program folder of an installed tree, as after an install into the user's own prefix.
    const fs::path installed = FDir.path() / "usr" / "bin";
    fs::create_directories(installed);
    fs::create_directories(FDir.path() / "usr" / "share" / "lanescope");
    const struct
    {
        const char* name;
        fs::path programFolder;
        std::optional<std::string> configHome;
        fs::path expectedFolder;
    } cases[] = {
        {"missing program folder", gone, xdg.string(), xdg / "lanescope"},
        {"installed program", installed, xdg.string(), xdg / "lanescope"},
        {"program folder below a file", FDir.path() / "plain" / "bin", xdg.string(), xdg / "lanescope"},
        {"no XDG_CONFIG_HOME", gone, std::nullopt, fromHome},
        {"relative XDG_CONFIG_HOME", gone, "relative/cfg", fromHome},
        {"empty XDG_CONFIG_HOME", gone, "", fromHome},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(home / ".config");
        fs::remove_all(xdg);
        FEnvironment = {{"HOME", home.string()}};
        if (c.configHome)
            FEnvironment["XDG_CONFIG_HOME"] = *c.configHome;
        EXPECT_EQ(locate(c.programFolder), c.expectedFolder / "lanescope.ini");
        EXPECT_EQ(modeOf(c.expectedFolder), 0700u);
        EXPECT_TRUE(
            TVnxIniFile(c.expectedFolder / "lanescope.ini").WriteBool("Files", "AskRegExtension", false));
    }
}

// Root starting an installed program without HOME must not leave a settings file in the package's folder.
TEST_F(SettingsLocation, NoHomeKeepsTheSettingsInMemory)
{
    const fs::path installed = FDir.path() / "usr" / "bin";
    fs::create_directories(installed);
    fs::create_directories(FDir.path() / "usr" / "share" / "lanescope");
    FEnvironment = {};
    const fs::path location = locate(installed);
    EXPECT_EQ(location, fs::path());
    // A file object on it writes nowhere; the program keeps such settings in memory for the run.
    EXPECT_FALSE(TVnxIniFile(location).WriteBool("Files", "AskRegExtension", false));
    TVnxMemIniFile memory(location);
    memory.WriteBool("Files", "AskRegExtension", false);
    EXPECT_FALSE(memory.ReadBool("Files", "AskRegExtension", true));
    EXPECT_FALSE(memory.UpdateFile());
    EXPECT_FALSE(fs::exists(installed / "lanescope.ini"));
    EXPECT_TRUE(fs::is_empty(installed));
}

} // namespace
