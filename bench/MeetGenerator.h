#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/** Synthetic Lenex meets for benchmarks and load tests. */
namespace lanescope::bench {

/** One megabyte as the benchmarks count it (2^20 bytes). */
constexpr std::size_t kMegabyte = std::size_t{1} << 20;

/** Raised whenever the generated text changes, so that files kept from earlier runs are not reused. */
constexpr int kMeetGeneratorRevision = 1;

/** What to generate; equal settings give byte-identical text on every platform. */
struct MeetSettings
{
    std::size_t targetBytes = kMegabyte; ///< the text ends a few kilobytes above this size
    std::uint64_t seed = 1;
};

/**
 * A first-generation Lenex meet as the program writes it: ISO-8859-1 bytes, one element per line,
 * one blank of indentation per level, CR LF line ends. One COMPETITION with sessions, events with
 * age groups, and as many clubs with athletes, entries, results with splits and relays as the
 * target size takes (a 50 MB meet holds about 100 000 results).
 */
std::string generateMeetText(const MeetSettings& settings);

/**
 * Writes the same text as generateMeetText to a file without holding it in memory. The text goes to
 * a temporary name beside the file first, so a file at the path is always complete.
 * Throws std::runtime_error when the file cannot be written.
 */
void writeMeetFile(const MeetSettings& settings, const std::string& path);

} // namespace lanescope::bench
