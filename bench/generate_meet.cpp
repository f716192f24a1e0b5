#include "MeetGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

// lanescope-generate-meet SIZE_MB SEED OUT.lef: writes a synthetic meet of about SIZE_MB megabytes.
int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SIZE_MB SEED OUT.lef\n", argv[0]);
        return 2;
    }
    char* end = nullptr;
    const double megabytes = std::strtod(argv[1], &end);
    if (*end != '\0' || !(megabytes > 0 && megabytes <= 4096)) {
        std::fprintf(stderr, "SIZE_MB must be a number above 0 and at most 4096: %s\n", argv[1]);
        return 2;
    }
    const unsigned long long seed = std::strtoull(argv[2], &end, 10);
    if (*end != '\0' || end == argv[2]) {
        std::fprintf(stderr, "SEED must be a whole number: %s\n", argv[2]);
        return 2;
    }
    lanescope::bench::MeetSettings settings;
    settings.targetBytes = static_cast<std::size_t>(megabytes * lanescope::bench::kMegabyte);
    settings.seed = seed;
    try {
        lanescope::bench::writeMeetFile(settings, argv[3]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
