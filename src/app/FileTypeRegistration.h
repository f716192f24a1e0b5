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

/** The MIME type written for an extension: "application/x-" + class name + "-" + extension, lower case. */
std::string mimeTypeOf(std::string_view className, std::string_view extension);

/** A desktop entry's Exec argument: quoted (with the entry's escapes) when it holds reserved characters. */
std::string desktopExecArgument(const std::string& argument);

/**
 * Registers the document types for the program and the user, in four parts:
 * - a shared-mime-info package dataHome/mime/packages/<class>.xml with one MIME type per extension
 *   (its comment is the description, its icon the class icon), then "update-mime-database" when present;
 * - the desktop entry dataHome/applications/<class>.desktop, which opens the document given as the program's
 *   first parameter (Exec=<program> %f) and lists the MIME types;
 * - the icon dataHome/icons/hicolor/scalable/apps/<class>.svg (iconSvg);
 * - the desktop entry as default for each MIME type in configHome/mimeapps.list, whose other entries stay.
 * Each file is replaced as a whole, so registering twice gives the same files. Returns false at the first
 * file that cannot be written; the files written before it stay.
 */
bool RegisterFileTypes(const std::vector<std::string>& extensions, const std::string& className,
                       const std::filesystem::path& programPath, const std::string& description,
                       const XdgFolders& folders, std::string_view iconSvg, const ToolRunner& runTool);

/** The same for this process: its environment's folders, the program's icon and the installed tools. */
bool RegisterFileTypes(const std::vector<std::string>& extensions, const std::string& className,
                       const std::filesystem::path& programPath, const std::string& description);

/** The program's icon (SVG text), built in. */
std::string_view programIconSvg();

} // namespace lanescope::app
