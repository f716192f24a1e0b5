#include "PeakMemory.h"

#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lanescope::bench {
namespace {

/** VmHWM of this process in KiB, or -1. */
long peakResidentKiB()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return -1;
    long kib = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            std::sscanf(line + 6, "%ld", &kib);
            break;
        }
    }
    std::fclose(status);
    return kib;
}

/**
 * Starts the peak anew from what is resident now. Without this the child would begin with the peak
 * and the free heap of its parent, and a parse that reuses memory the parent freed would look free.
 */
bool resetPeak()
{
    malloc_trim(0);
    std::FILE* clear = std::fopen("/proc/self/clear_refs", "w");
    if (clear == nullptr)
        return false;
    const bool written = std::fputs("5", clear) >= 0;
    return std::fclose(clear) == 0 && written;
}

long measureInChild(const std::function<void()>& work)
{
    if (!resetPeak())
        return -1;
    const long before = peakResidentKiB();
    try {
        work();
    } catch (...) {
        return -1;
    }
    const long after = peakResidentKiB();
    return before < 0 || after < 0 ? -1 : after - before;
}

} // namespace

long peakResidentGrowthKiB(const std::function<void()>& work)
{
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return -1;
    }
    if (child == 0) {
        close(channel[0]);
        const long growth = measureInChild(work);
        const bool sent = write(channel[1], &growth, sizeof growth) == static_cast<ssize_t>(sizeof growth);
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    long growth = -1;
    if (read(channel[0], &growth, sizeof growth) != static_cast<ssize_t>(sizeof growth))
        growth = -1;
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? growth : -1;
}

} // namespace lanescope::bench
