#pragma once

#include <functional>

/** Peak memory of a piece of work, measured apart from the calling process. */
namespace lanescope::bench {

/**
 * Runs work once in a forked child and returns how far the child's peak resident set (VmHWM) rose
 * above its resident set before the work, in KiB. Returns -1 when the child cannot be started, the
 * peak cannot be read, or the work does not finish normally (it throws or crashes).
 */
long peakResidentGrowthKiB(const std::function<void()>& work);

} // namespace lanescope::bench
