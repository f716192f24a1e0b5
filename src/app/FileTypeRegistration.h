#pragma once

#include "app/SettingsLocation.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

/** Makes the program the opener of its document types on freedesktop desktops. */
namespace lanescope::app {

/** The per-user folders of the freedesktop base directories. */
struct XdgFolders
{
    std::filesystem::path dataHome;   // $XDG_DATA_HOME, else $HOME/.local/share
    std::filesystem::path configHome; // $XDG_CONFIG_HOME, else $HOME/.config
};

/** The folders for an environment; a relative or empty variable counts as unset. Empty without a home. */
XdgFolders xdgFolders(const EnvironmentLookup& environment);

/** Runs a helper program (name looked up in PATH) with arguments; its outcome is not looked at. */
using ToolRunner = std::function<void(const std::string& program, const std::vector<std::string>& arguments)>;

/** Runs a program found in PATH with its output discarded and waits for it; a missing program is skipped. */
void runToolIfPresent(const std::string& program, const std::vector<std::string>& arguments);

/** A desktop entry's Exec argument: quoted (with the entry's escapes) when it holds reserved characters. */
std::string desktopExecArgument(const std::string& argument);

/**
 * Registers the program and the user as the opener of its document types, in four parts:
 * - the built-in shared-mime-info package (documentTypesPackage: every type with its extensions or content,
 *   the same file the installed package carries) as dataHome/mime/packages/<class>.xml, then
 *   "update-mime-database" when present;
 * - the desktop entry dataHome/applications/<class>.desktop, which opens the document given as the program's
 *   first parameter (Exec=<program> %f), lists every type of the package and carries the description;
 * - the icon dataHome/icons/hicolor/scalable/apps/<class>.svg (iconSvg);
 * - the desktop entry as default in configHome/mimeapps.list for each type with one of the extensions (any
 *   letter case); the file's other entries stay.
 * Each file is replaced as a whole, so registering twice gives the same files. Returns false at the first
 * file that cannot be written; the files written before it stay.
 */
bool RegisterFileTypes(const std::vector<std::string>& extensions, const std::string& className,
                       const std::filesystem::path& programPath, const std::string& description,
                       const XdgFolders& folders, std::string_view iconSvg, const ToolRunner& runTool);

/** The same for this process: its environment's folders, the program's icon and the installed tools. */
bool RegisterFileTypes(const std::vector<std::string>& extensions, const std::string& className,
                       const std::filesystem::path& programPath, const std::string& description);

} // namespace lanescope::app
