#include "app/FileTypeRegistration.h"

#include "app/DesktopFiles.h"
#include "base/Strings.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace lanescope::app {

namespace {

constexpr std::string_view kDefaultsSection = "[Default Applications]";

// Writes beside the target and renames, so a reader never sees half a file and a failure keeps the old one.
bool replaceFile(const std::filesystem::path& file, std::string_view content)
{
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        return false;
    const std::filesystem::path temporary = file.string() + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, file, error);
    if (error)
        std::filesystem::remove(temporary, error);
    return !error;
}

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string desktopEntry(const std::vector<std::string>& mimeTypes, const std::string& className,
                         const std::filesystem::path& programPath, const std::string& description)
{
    std::string types;
    for (const std::string& type : mimeTypes)
        types += type + ";";
    // The entry only opens documents: it stays out of the application menus, where the installed entry is.
    std::string entry = "[Desktop Entry]\nType=Application\n";
    entry += "Name=" + programPath.stem().string() + "\n";
    entry += "Comment=" + description + "\n";
    entry += "Exec=" + desktopExecArgument(programPath.string()) + " %f\n";
    entry += "Icon=" + className + "\n";
    entry += "MimeType=" + types + "\n";
    entry += "NoDisplay=true\nTerminal=false\n";
    return entry;
}

// The lines of mimeapps.list with our entry as the default of each type; every other line stays in place.
std::string updatedMimeApps(const std::string& content, const std::vector<std::string>& mimeTypes,
                            const std::string& desktopId)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < content.size();) {
        const std::size_t end = std::min(content.find('\n', start), content.size());
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    auto isHeader = [](const std::string& line) { return line.starts_with('['); };
    std::size_t section = 0;
    while (section < lines.size() && lines[section] != kDefaultsSection)
        ++section;
    if (section == lines.size()) {
        if (!lines.empty() && !lines.back().empty())
            lines.emplace_back();
        lines.emplace_back(kDefaultsSection);
    }
    for (const std::string& type : mimeTypes) {
        const std::string entry = type + "=" + desktopId;
        std::size_t insertAt = section + 1;
        bool replaced = false;
        for (std::size_t i = section + 1; i < lines.size() && !isHeader(lines[i]); ++i) {
            if (lines[i].starts_with(type + "=")) {
                lines[i] = entry;
                replaced = true;
                break;
            }
            if (!lines[i].empty())
                insertAt = i + 1;
        }
        if (!replaced)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

XdgFolders xdgFolders(const EnvironmentLookup& environment)
{
    const std::optional<std::filesystem::path> home = absoluteVariable(environment, "HOME");
    XdgFolders folders;
    if (auto data = absoluteVariable(environment, "XDG_DATA_HOME"))
        folders.dataHome = *data;
    else if (home)
        folders.dataHome = *home / ".local" / "share";
    if (auto config = absoluteVariable(environment, "XDG_CONFIG_HOME"))
        folders.configHome = *config;
    else if (home)
        folders.configHome = *home / ".config";
    return folders;
}

void runToolIfPresent(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    std::string name = program;
    argv.push_back(name.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

std::string desktopExecArgument(const std::string& argument)
{
    // Field codes start with "%" everywhere; inside quotes the shell's special characters need a backslash,
    // and the key's value escapes each backslash once more.
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string text;
    for (const char c : argument)
        text += c == '%' ? std::string("%%") : std::string(1, c);
    if (text.find_first_of(kReserved) == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '`' || c == '$')
            quoted += "\\\\";
        else if (c == '\\')
            quoted += "\\\\\\";
        quoted += c;
    }
    return quoted + "\"";
}

bool RegisterFileTypes(const std::vector<std::string>& extensions, const std::string& className,
                       const std::filesystem::path& programPath, const std::string& description,
                       const XdgFolders& folders, std::string_view iconSvg, const ToolRunner& runTool)
{
    if (folders.dataHome.empty() || folders.configHome.empty())
        return false;
    const std::string_view package = documentTypesPackage();
    std::vector<std::string> mimeTypes;
    std::vector<std::string> defaults;
    for (const DocumentType& type : documentTypes(package)) {
        mimeTypes.push_back(type.mimeType);
        if (std::any_of(type.extensions.begin(), type.extensions.end(), [&](const std::string& own) {
                return std::any_of(extensions.begin(), extensions.end(),
                                   [&](const std::string& asked) { return base::asciiLower(asked) == own; });
            }))
            defaults.push_back(type.mimeType);
    }
    const std::filesystem::path mimeFolder = folders.dataHome / "mime";
    if (!replaceFile(mimeFolder / "packages" / (className + ".xml"), package))
        return false;
    if (runTool)
        runTool("update-mime-database", {mimeFolder.string()});
    const std::string desktopId = className + ".desktop";
    if (!replaceFile(folders.dataHome / "applications" / desktopId,
                     desktopEntry(mimeTypes, className, programPath, description)))
        return false;
    if (!replaceFile(folders.dataHome / "icons" / "hicolor" / "scalable" / "apps" / (className + ".svg"),
                     iconSvg))
        return false;
    const std::filesystem::path mimeApps = folders.configHome / "mimeapps.list";
    return replaceFile(mimeApps, updatedMimeApps(readFile(mimeApps), defaults, desktopId));
}

bool RegisterFileTypes(const std::vector<std::string>& extensions, const std::string& className,
                       const std::filesystem::path& programPath, const std::string& description)
{
    const XdgFolders folders = xdgFolders([](std::string_view name) -> std::optional<std::string> {
        const char* value = std::getenv(std::string(name).c_str());
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    });
    return RegisterFileTypes(extensions, className, programPath, description, folders, programIconSvg(),
                             runToolIfPresent);
}

} // namespace lanescope::app
