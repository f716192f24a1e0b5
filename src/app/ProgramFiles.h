#pragma once

#include <filesystem>
#include <string>
#include <vector>

/** Where the program's own files lie: beside the program in the build tree, under share/ when installed. */
namespace lanescope::app {

/** The installed data folder of a program folder: <program folder>/../share/lanescope. */
std::filesystem::path sharedDataFolder(const std::filesystem::path& programFolder);

/** The folders searched for language, help and editor files: the program folder, then the shared data folder.
 */
std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& programFolder);

/** The first of the data folders holding the file; the path beside the program when none does. */
std::filesystem::path programDataFile(const std::filesystem::path& programFolder, const std::string& name);

/** True when the program runs from an installed tree: its shared data folder exists. */
bool isInstalledLayout(const std::filesystem::path& programFolder);

/**
 * True when the package installed the desktop entry and the MIME package beside the program
 * (<program folder>/../share/applications and ../share/mime/packages): the desktop then knows the document
 * types without a per-user registration.
 */
bool desktopIntegrationInstalled(const std::filesystem::path& programFolder);

} // namespace lanescope::app
