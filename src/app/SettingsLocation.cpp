#include "app/SettingsLocation.h"

#include "app/ProgramFiles.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace lanescope::app {

namespace {

bool isWritableFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    // Creating a file needs both write and search permission on the folder.
    return std::filesystem::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// Creates each missing folder of the path with mode 0700, so no other user can read the settings. A folder
// that cannot be made leaves the settings unwritable, which the settings file tolerates.
void makeFolders(const std::filesystem::path& folder)
{
    std::filesystem::path partial;
    for (const std::filesystem::path& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return;
    }
}

} // namespace

std::filesystem::path settingsFileLocation(const std::filesystem::path& programFolder,
                                           const EnvironmentLookup& environment)
{
    const std::filesystem::path besideProgram = programFolder / kSettingsFileName;
    // An installed program shares its folder with other programs and users: its settings go to the user.
    if (!isInstalledLayout(programFolder) && isWritableFolder(programFolder))
        return besideProgram;
    std::optional<std::filesystem::path> configHome = absoluteVariable(environment, "XDG_CONFIG_HOME");
    if (!configHome) {
        const std::optional<std::filesystem::path> home = absoluteVariable(environment, "HOME");
        // No home at all (a service started as root without an environment): the program runs without
        // persistent settings rather than writing them into a folder the package or other users own.
        if (!home)
            return {};
        configHome = *home / ".config";
    }
    const std::filesystem::path folder = *configHome / "lanescope";
    makeFolders(folder);
    return folder / kSettingsFileName;
}

std::filesystem::path settingsFileLocation()
{
    return settingsFileLocation(programFolder(), [](std::string_view name) -> std::optional<std::string> {
        if (const char* value = std::getenv(std::string(name).c_str()))
            return value;
        // Without HOME the account's home folder from the user database is the home.
        if (name == "HOME")
            if (const passwd* account = ::getpwuid(::geteuid());
                account != nullptr && account->pw_dir != nullptr)
                return account->pw_dir;
        return std::nullopt;
    });
}

std::filesystem::path programFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

std::optional<std::filesystem::path> absoluteVariable(const EnvironmentLookup& environment,
                                                      std::string_view name)
{
    const std::optional<std::string> value = environment(name);
    if (!value || value->empty() || std::filesystem::path(*value).is_relative())
        return std::nullopt;
    return std::filesystem::path(*value);
}

} // namespace lanescope::app
