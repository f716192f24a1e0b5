#include "app/DesktopFiles.h"
#include "app/FileTypeRegistration.h"
#include "cli/Commands.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace lanescope::cli {

int runRegister(const Arguments& arguments)
{
    if (arguments.size() > 1) {
        std::fprintf(stderr, "usage: lanescope-cli register [VIEWER]\n");
        return 2;
    }
    // The viewer opens the documents: the one named, else the one installed beside this tool.
    std::error_code error;
    const std::filesystem::path viewer = arguments.empty() ? app::programFolder() / "lanescope"
                                                           : std::filesystem::absolute(arguments[0], error);
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
