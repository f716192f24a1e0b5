#include "cli/Commands.h"
#include "cli/OpenDocument.h"
#include "lenex/LnxWriter.h"

#include <cstdio>
#include <filesystem>

namespace lanescope::cli {

int runConvert(const Arguments& arguments)
{
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: lanescope-cli convert FILE OUT.lef\n");
        return 2;
    }
    const std::filesystem::path target = std::filesystem::path(arguments[1]).replace_extension(".lef");
    std::error_code error;
    if (std::filesystem::equivalent(arguments[0], target, error)) {
        std::fprintf(stderr, "lanescope-cli: %s is the file being converted; choose another name\n",
                     target.c_str());
        return 2;
    }
    lenex::TLenex document;
    if (!openDocument(arguments[0], document))
        return 1;
    if (!lenex::saveDocument(*document.root(), target.string())) {
        std::fprintf(stderr, "lanescope-cli: cannot write %s\n", target.c_str());
        return 1;
    }
    return 0;
}

} // namespace lanescope::cli
