#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lanescope::app {

/** File name of the settings file. */
inline constexpr std::string_view kSettingsFileName = "lanescope.ini";

/** Value of an environment variable, or nothing when it is not set. */
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

/** The variable as a path when it is set to an absolute path; empty, unset or relative give nothing. */
std::optional<std::filesystem::path> absoluteVariable(const EnvironmentLookup& environment,
                                                      std::string_view name);

/**
 * Where the settings file lives: "lanescope.ini" in the program folder when that folder is writable and not
 * part of an installed tree (see isInstalledLayout), else
 * $XDG_CONFIG_HOME/lanescope/lanescope.ini ($HOME/.config when XDG_CONFIG_HOME is unset, empty or relative).
 * Creates the missing folders of the second place with mode 0700. Without a usable home the path is empty:
 * the program then runs without persistent settings, and nothing is written beside it.
 */
std::filesystem::path settingsFileLocation(const std::filesystem::path& programFolder,
                                           const EnvironmentLookup& environment);

/**
 * The same for this process: the folder of the running executable and the process environment, HOME taken
 * from the user database when the variable is unset.
 */
std::filesystem::path settingsFileLocation();

/** Folder of the running executable (from /proc/self/exe); empty when it cannot be found. */
std::filesystem::path programFolder();

} // namespace lanescope::app
