#include "app/FileTypeRegistration.h"

#include "app/DesktopFiles.h"
#include "app/ProgramFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <vector>

using namespace lanescope::app;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kExtensions = {".lef", ".lxf"};
constexpr const char* kIcon = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

/** Every file below a folder with its content. */
std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = readFile(entry.path());
    return files;
}

/** The lines of one section of an ini-style file ("[Default Applications]"). */
std::map<std::string, std::string> sectionEntries(const std::string& text, const std::string& section)
{
    std::map<std::string, std::string> entries;
    bool inside = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.starts_with('['))
            inside = line == "[" + section + "]";
        else if (inside && line.find('=') != std::string::npos)
            entries[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    return entries;
}

/** XDG_DATA_HOME and XDG_CONFIG_HOME in a fresh folder, removed afterwards. */
class Registration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "lanescope-xdg-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        folders_ = {root_ / "data", root_ / "config"};
    }
    void TearDown() override { fs::remove_all(root_); }

    bool registerTypes(const fs::path& program = "/opt/lane scope/bin/lanescope") const
    {
        return RegisterFileTypes(kExtensions, "LanescopeId", program, "VORNIX File", folders_, kIcon, {});
    }

    fs::path root_;
    XdgFolders folders_;
};

TEST_F(Registration, WritesTheFourFactsAndKeepsOtherDefaults)
{
    fs::create_directories(folders_.configHome);
    std::ofstream(folders_.configHome / "mimeapps.list")
        << "[Added Associations]\ntext/plain=gedit.desktop;\n\n"
           "[Default Applications]\napplication/pdf=evince.desktop\napplication/x-lenex+xml=old.desktop\n";
    ASSERT_TRUE(RegisterFileTypes({".lef", ".LXF"}, "LanescopeId", "/opt/lane scope/bin/lanescope",
                                  "VORNIX File", folders_, kIcon, {}));

    // The types with their extensions: the package the installed program carries.
    EXPECT_EQ(readFile(folders_.dataHome / "mime/packages/LanescopeId.xml"), documentTypesPackage());

    // Open command with the document as first parameter; a program path with a blank is quoted.
    const auto entry =
        sectionEntries(readFile(folders_.dataHome / "applications/LanescopeId.desktop"), "Desktop Entry");
    EXPECT_EQ(entry.at("Exec"), "\"/opt/lane scope/bin/lanescope\" %f");
    EXPECT_EQ(entry.at("MimeType"), "application/x-lenex+xml;application/x-lenex-archive;application/x-sdif;"
                                    "application/x-dsv;application/x-pce3-archive;");
    EXPECT_EQ(entry.at("Comment"), "VORNIX File");
    EXPECT_EQ(entry.at("Icon"), "LanescopeId");
    EXPECT_EQ(entry.at("Type"), "Application");
    EXPECT_EQ(readFile(folders_.dataHome / "icons/hicolor/scalable/apps/LanescopeId.svg"), kIcon);

    // Defaults for the types of the extensions asked for, in any letter case; the other entries stay.
    const std::string list = readFile(folders_.configHome / "mimeapps.list");
    const auto defaults = sectionEntries(list, "Default Applications");
    EXPECT_EQ(defaults.at("application/x-lenex+xml"), "LanescopeId.desktop");
    EXPECT_EQ(defaults.at("application/x-lenex-archive"), "LanescopeId.desktop");
    EXPECT_FALSE(defaults.contains("application/x-sdif"));
    EXPECT_EQ(defaults.at("application/pdf"), "evince.desktop");
    EXPECT_EQ(sectionEntries(list, "Added Associations").at("text/plain"), "gedit.desktop;");
}

TEST_F(Registration, TwiceGivesTheSameFiles)
{
    ASSERT_TRUE(registerTypes());
    const auto first = snapshot(root_);
    EXPECT_EQ(first.size(), 4U);
    ASSERT_TRUE(registerTypes());
    EXPECT_EQ(snapshot(root_), first);
}

TEST_F(Registration, StopsAtTheFirstFileThatCannotBeWritten)
{
    // A file where the config folder should be: the first three parts are written, the default fails.
    std::ofstream(root_ / "config") << "not a folder";
    EXPECT_FALSE(registerTypes());
    EXPECT_TRUE(fs::exists(folders_.dataHome / "applications/LanescopeId.desktop"));
    // Without a data folder nothing is written.
    EXPECT_FALSE(RegisterFileTypes(kExtensions, "LanescopeId", "/bin/lanescope", "VORNIX File",
                                   {root_ / "config" / "data", root_ / "other"}, kIcon, {}));
    EXPECT_FALSE(fs::exists(root_ / "other"));
}

TEST_F(Registration, RunsTheMimeDatabaseUpdateOnTheDataFolder)
{
    std::vector<std::string> calls;
    ASSERT_TRUE(RegisterFileTypes(kExtensions, "LanescopeId", "/bin/lanescope", "VORNIX File", folders_,
                                  kIcon,
                                  [&calls](const std::string& program, const std::vector<std::string>& args) {
                                      calls.push_back(program + " " + args.at(0));
                                  }));
    EXPECT_EQ(calls,
              std::vector<std::string>{"update-mime-database " + (folders_.dataHome / "mime").string()});
    // A missing or failing tool changes nothing.
    runToolIfPresent("lanescope-no-such-tool", {});
    runToolIfPresent("false", {});
}

void touch(const fs::path& file)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

// A build-tree program finds its files beside itself; an installed one under ../share/lanescope, where a
// file beside the program still comes first.
TEST_F(Registration, InstalledProgramFindsItsFilesUnderShare)
{
    const fs::path bin = root_ / "usr" / "bin";
    fs::create_directories(bin);
    EXPECT_FALSE(isInstalledLayout(bin));
    EXPECT_EQ(programDataFile(bin, "lanescope.xus"), bin / "lanescope.xus");

    const fs::path shared = root_ / "usr" / "share" / "lanescope";
    touch(shared / "lanescope.xus");
    EXPECT_TRUE(isInstalledLayout(bin));
    EXPECT_EQ(dataFolders(bin), (std::vector<fs::path>{bin, shared}));
    EXPECT_EQ(programDataFile(bin, "lanescope.xus"), shared / "lanescope.xus");
    touch(bin / "lanescope.xus");
    EXPECT_EQ(programDataFile(bin, "lanescope.xus"), bin / "lanescope.xus");
}

// The first-start registration is left out only when both the entry and the types were installed.
TEST_F(Registration, InstalledDesktopFilesNeedTheEntryAndTheMimePackage)
{
    const fs::path bin = root_ / "bin";
    fs::create_directories(bin);
    touch(root_ / "share" / "applications" / (std::string(kDesktopId) + ".desktop"));
    EXPECT_FALSE(desktopIntegrationInstalled(bin));
    touch(root_ / "share" / "mime" / "packages" / kMimePackageFileName);
    EXPECT_TRUE(desktopIntegrationInstalled(bin));
    EXPECT_FALSE(desktopIntegrationInstalled(root_ / "elsewhere" / "bin"));
}

/** The answer of an xdg-mime query with the registration's folders and no desktop session. */
std::string xdgMime(const XdgFolders& folders, const std::string& query)
{
    const std::string command = "env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION "
                                "-u GNOME_DESKTOP_SESSION_ID XDG_DATA_HOME='" +
                                folders.dataHome.string() + "' XDG_CONFIG_HOME='" +
                                folders.configHome.string() + "' xdg-mime query " + query + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return {};
    char buffer[256] = {};
    const std::string answer = fgets(buffer, sizeof buffer, pipe) ? buffer : "";
    pclose(pipe);
    return answer;
}

// The desktop's own tools read what the registration wrote: every extension in any letter case gives our
// type, and the entry is the default of each type.
TEST_F(Registration, XdgMimeKnowsOurTypesAndEntry)
{
    if (std::system("command -v xdg-mime >/dev/null 2>&1 && command -v mimetype >/dev/null 2>&1 && "
                    "command -v update-mime-database >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdg-utils, libfile-mimeinfo-perl or shared-mime-info is not installed";
    ASSERT_TRUE(RegisterFileTypes(documentExtensions(), "LanescopeId", "/usr/bin/lanescope", "VORNIX File",
                                  folders_, kIcon, runToolIfPresent));
    const struct
    {
        const char* name;
        const char* content;
        const char* type;
    } files[] = {
        {"meet.lef", "<?xml version=\"1.0\"?>\n<LENEX version=\"3.0\"/>\n", "application/x-lenex+xml"},
        {"meet.LXF", "PK\x03\x04", "application/x-lenex-archive"},
        {"meet.cl2", "A01V3\n", "application/x-sdif"},
        {"meet.DSV7", "(* comment *)\nFORMAT:Wettkampfdefinitionsliste;7;\n", "application/x-dsv"},
        {"meet.dsv6", "FORMAT:Wettkampfergebnisliste;6;\n", "application/x-dsv"},
        {"meet.dsv8", "FORMAT:Wettkampfdefinitionsliste;8;\n", "application/x-dsv"},
    };
    for (const auto& file : files) {
        std::ofstream(root_ / file.name, std::ios::binary) << file.content;
        EXPECT_EQ(xdgMime(folders_, "filetype '" + (root_ / file.name).string() + "'"),
                  file.type + std::string("\n"))
            << file.name;
        EXPECT_EQ(xdgMime(folders_, std::string("default ") + file.type), "LanescopeId.desktop\n")
            << file.type;
    }
}

struct ExecCase
{
    const char* path;
    const char* written;
};

constexpr ExecCase kExecCases[] = {
    {"/usr/bin/lanescope", "/usr/bin/lanescope"},
    {"/opt/my apps/lanescope", "\"/opt/my apps/lanescope\""},
    {"/opt/100%/lanescope", "/opt/100%%/lanescope"},
    {"/opt/a$b/x\\y", "\"/opt/a\\\\$b/x\\\\\\\\y\""},
    {"/opt/say \"hi\"", "\"/opt/say \\\\\"hi\\\\\"\""},
};

class DesktopExec : public ::testing::TestWithParam<ExecCase>
{
};

TEST_P(DesktopExec, QuotesReservedCharacters)
{
    EXPECT_EQ(desktopExecArgument(GetParam().path), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Paths, DesktopExec, ::testing::ValuesIn(kExecCases));

TEST(XdgFolders, FallBackToTheHomeFolder)
{
    const auto lookup = [](std::map<std::string, std::string> values) {
        return [values](std::string_view name) -> std::optional<std::string> {
            const auto found = values.find(std::string(name));
            return found == values.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
    };
    const XdgFolders set =
        xdgFolders(lookup({{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/d"}, {"XDG_CONFIG_HOME", "/c"}}));
    EXPECT_EQ(set.dataHome, "/d");
    EXPECT_EQ(set.configHome, "/c");
    const XdgFolders home = xdgFolders(lookup({{"HOME", "/home/u"}, {"XDG_DATA_HOME", "relative"}}));
    EXPECT_EQ(home.dataHome, "/home/u/.local/share");
    EXPECT_EQ(home.configHome, "/home/u/.config");
    EXPECT_TRUE(xdgFolders(lookup({})).dataHome.empty());
}

TEST(ProgramIcon, IsAnSvgImage) { EXPECT_TRUE(programIconSvg().starts_with("<svg")); }

TEST(DocumentTypes, EveryExtensionTheProgramOpensHasOneType)
{
    const std::vector<DocumentType> types = documentTypes(documentTypesPackage());
    const auto typeOf = [&types](const std::string& extension) {
        std::string found;
        for (const DocumentType& type : types)
            if (std::find(type.extensions.begin(), type.extensions.end(), extension) != type.extensions.end())
                found += (found.empty() ? "" : " ") + type.mimeType;
        return found;
    };
    const std::pair<const char*, const char*> cases[] = {
        {".lef", "application/x-lenex+xml"},     {".lxf", "application/x-lenex-archive"},
        {".snf", "application/x-lenex-archive"}, {".sd3", "application/x-sdif"},
        {".cl2", "application/x-sdif"},          {".dsv", "application/x-dsv"},
        {".dsv6", "application/x-dsv"},          {".dsv7", "application/x-dsv"},
        {".dsv8", "application/x-dsv"},          {".lxb", "application/x-lenex-archive"},
        {".stf", "application/x-lenex-archive"}, {".fxl", "application/x-lenex-archive"},
    };
    for (const auto& [extension, type] : cases)
        EXPECT_EQ(typeOf(extension), type) << extension;
    // PCE3 archives are ordinary zips, known by their first member only.
    ASSERT_EQ(types.back().mimeType, "application/x-pce3-archive");
    EXPECT_TRUE(types.back().extensions.empty());
}

} // namespace
