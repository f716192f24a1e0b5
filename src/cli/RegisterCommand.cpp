#include "app/DesktopFiles.h"
#include "app/FileTypeRegistration.h"
#include "cli/Commands.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace lanescope::cli {

namespace {

namespace fs = std::filesystem;

bool isExecutableFile(const fs::path& file)
{
    std::error_code error;
    return fs::is_regular_file(file, error) && access(file.c_str(), X_OK) == 0;
}

// The viewer beside this tool, else the one the search path finds; nothing when there is none.
std::optional<fs::path> installedViewer()
{
    if (const fs::path beside = app::programFolder() / "lanescope"; isExecutableFile(beside))
        return beside;
    const char* searchPath = std::getenv("PATH");
    for (std::string_view rest = searchPath ? searchPath : ""; !rest.empty();) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (folder.empty())
            continue;
        if (const fs::path candidate = fs::path(folder) / "lanescope"; isExecutableFile(candidate))
            return fs::absolute(candidate);
    }
    return std::nullopt;
}

} // namespace

int runRegister(const Arguments& arguments)
{
    if (arguments.size() > 1) {
        std::fprintf(stderr, "usage: lanescope-cli register [VIEWER]\n");
        return 2;
    }
    // The viewer opens the documents: the one named (it may be installed later), else the one installed.
    std::error_code error;
    fs::path viewer;
    if (!arguments.empty()) {
        viewer = fs::absolute(arguments[0], error);
    } else if (const std::optional<fs::path> installed = installedViewer()) {
        viewer = *installed;
    } else {
        std::fprintf(stderr,
                     "lanescope-cli: no viewer \"lanescope\" beside this tool (%s) or on the search path; "
                     "name it: lanescope-cli register VIEWER\n",
                     app::programFolder().c_str());
        return 1;
    }
    const std::vector<std::string> extensions = app::documentExtensions();
    if (error || !app::RegisterFileTypes(extensions, "LanescopeId", viewer, "VORNIX File")) {
        std::fprintf(stderr, "lanescope-cli: the file types could not be registered\n");
        return 1;
    }
    std::string list;
    for (const std::string& extension : extensions)
        list += (list.empty() ? "" : " ") + extension;
    std::printf("registered %s for %s\n", list.c_str(), viewer.c_str());
    return 0;
}

} // namespace lanescope::cli
