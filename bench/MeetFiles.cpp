#include "MeetFiles.h"

#include "MeetGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace lanescope::bench {

namespace {

constexpr std::uint64_t kSeed = 20230616;

} // namespace

const std::string& meetFile(int megabytes)
{
    namespace fs = std::filesystem;
    static std::map<int, std::string> files;
    std::string& path = files[megabytes];
    if (!path.empty())
        return path;
    const char* temp = std::getenv("TMPDIR");
    const fs::path folder = fs::path(temp != nullptr && *temp != '\0' ? temp : "/tmp") / "lanescope-bench";
    fs::create_directories(folder);
    path = (folder / ("meet-" + std::to_string(megabytes) + "mb-seed" + std::to_string(kSeed) + "-r" +
                      std::to_string(kMeetGeneratorRevision) + ".lef"))
               .string();
    if (!fs::exists(path)) {
        std::fprintf(stderr, "Generating %s\n", path.c_str());
        writeMeetFile({static_cast<std::size_t>(megabytes) * kMegabyte, kSeed}, path);
    }
    return path;
}

} // namespace lanescope::bench
