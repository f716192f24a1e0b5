#include "base/Strings.h"
#include "base/TempFolder.h"
#include "cli/Commands.h"
#include "convert/CompleteFile.h"
#include "download/ResultFetch.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace lanescope::cli {

namespace {

using Clock = std::chrono::steady_clock;

const char* const kUsage =
    "usage: lanescope-cli watch FILE|URL [--competition N] --event NUM [--age-group ID] "
    "[--splits] [--valid-only] [--interval SECONDS]\n"
    "       lanescope-cli watch FILE|URL [--competition N] --site DIR [--splits] [--valid-only] "
    "[--interval SECONDS]\n";
constexpr int kDefaultIntervalSeconds = 30;
// A file is read once it has stayed unchanged this long, so a writer that is still at work is not caught.
constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kFilePollTime = std::chrono::milliseconds(200);
constexpr const char* kWatchStem = "$$$Vornix_Lanescope_Watch";

bool isLink(const std::string& source)
{
    return source.starts_with("http://") || source.starts_with("https://");
}

// What tells that a file on disk changed: its time, its size and which file the name leads to (a writer
// that replaces the file by renaming another one over it changes the last).
struct FileStamp
{
    std::int64_t seconds = 0;
    std::int64_t nanoseconds = 0;
    std::int64_t size = -1;
    std::uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const std::string& file)
{
    struct stat status
    {
    };
    if (stat(file.c_str(), &status) != 0)
        return {};
    return {status.st_mtim.tv_sec, status.st_mtim.tv_nsec, status.st_size, status.st_ino};
}

class Watcher
{
public:
    explicit Watcher(Arguments listArguments)
        : FListArguments(std::move(listArguments))
        , FSource(FListArguments[0])
    {
    }

    // Reads the source and prints the list when it differs from the last one printed, or writes the pages
    // of the website that changed. 2 for a usage error.
    int check()
    {
        Arguments arguments = FListArguments;
        if (isLink(FSource)) {
            const download::FetchedResult fetched =
                download::fetchResultFile(FHttp, FSource, base::privateTempFolder(), kWatchStem, FValidators);
            if (fetched.transfer.error == download::TransferError::NotModified)
                return 0;
            if (!fetched.ok()) {
                std::fprintf(stderr, "lanescope-cli: %s\n", fetched.transfer.reason().c_str());
                return 1;
            }
            FValidators = fetched.transfer.validators;
            arguments[0] = fetched.localFile;
        }
        if (!convert::isCompleteFile(arguments[0]))
            return 1;
        if (namesSite(arguments)) {
            // Only pages whose text changed are written, so a folder synced to a web server sends little.
            std::string summary;
            const int status = writeSite(arguments, summary);
            if (status == 0) {
                std::printf("%s\n", summary.c_str());
                std::fflush(stdout);
            }
            return status;
        }
        std::string text;
        const int status = listText(arguments, text);
        if (status != 0)
            return status;
        if (text != FPrinted) {
            std::printf("%s%s", FPrinted.empty() ? "" : "\n", text.c_str());
            std::fflush(stdout);
            FPrinted = std::move(text);
        }
        return 0;
    }

    [[noreturn]] void watchLink(int intervalSeconds)
    {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(intervalSeconds));
            check();
        }
    }

    // Polls the file; a change is read once the file has been quiet for a second, and a read that failed
    // (a file caught half-written) is tried again after the same wait.
    [[noreturn]] void watchFile(bool firstReadFailed)
    {
        FileStamp seen = stampOf(FSource);
        std::optional<Clock::time_point> changedAt;
        if (firstReadFailed)
            changedAt = Clock::now();
        for (;;) {
            std::this_thread::sleep_for(kFilePollTime);
            if (const FileStamp now = stampOf(FSource); !(now == seen)) {
                seen = now;
                changedAt = Clock::now();
            }
            if (changedAt && Clock::now() - *changedAt >= kQuietTime)
                changedAt = check() == 0 ? std::nullopt : std::optional(Clock::now());
        }
    }

private:
    Arguments FListArguments;
    std::string FSource;
    download::TVnxHTTP FHttp;
    download::Validators FValidators;
    std::string FPrinted;
};

} // namespace

int runWatch(const Arguments& arguments)
{
    Arguments listArguments;
    std::optional<int> interval;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--interval") {
            listArguments.push_back(arguments[i]);
            continue;
        }
        interval = i + 1 < arguments.size() && base::isInteger(arguments[i + 1])
                       ? base::strToIntDef(arguments[i + 1], 0)
                       : 0;
        ++i;
    }
    if (listArguments.empty() || listArguments[0].starts_with("--") || (interval && *interval < 1)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Watcher watcher(listArguments);
    const int first = watcher.check();
    if (first == 2)
        return 2;
    if (isLink(listArguments[0]))
        watcher.watchLink(interval.value_or(kDefaultIntervalSeconds));
    watcher.watchFile(first != 0);
}

} // namespace lanescope::cli
