#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/** The process's private temporary folder and the temporary files inside it. */
namespace lanescope::base {

/**
 * Path of the folder that holds every temporary file of this process: made with mkdtemp under $TMPDIR (or
 * /tmp) on first use, mode 0700, and removed with its contents when the process exits. A child made by fork
 * gets a folder of its own on first use and never removes its parent's. Throws std::system_error when the
 * folder cannot be made.
 */
const std::string& privateTempFolder();

/**
 * A fresh path in the private folder: prefix, a time stamp, a per-process counter and the extension, made
 * safe with sanitizeFileName. The file is not created; open it with O_EXCL.
 */
std::string uniqueTempName(std::string_view prefix, std::string_view extension);

/** Longest name sanitizeFileName returns, in bytes. */
inline constexpr std::size_t kMaxFileNameLength = 120;

/**
 * Turns a name from an archive or a download into a plain file name: letters, digits, '.', '-' and '_' are
 * kept, every other byte becomes '_' (so no path separator survives), leading dots are dropped and a long
 * name is cut to kMaxFileNameLength with its extension kept. Gives "unnamed" when nothing is left.
 */
std::string sanitizeFileName(std::string_view name);

/** Owns a file path and deletes the file when it goes out of scope, on every path out. */
class TempFileGuard
{
public:
    TempFileGuard() = default;
    explicit TempFileGuard(std::string path);
    ~TempFileGuard();
    TempFileGuard(TempFileGuard&& other) noexcept;
    TempFileGuard& operator=(TempFileGuard&& other) noexcept;
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    /** The owned path; empty when the guard owns nothing. */
    const std::string& path() const { return FPath; }
    /** Deletes the owned file now (if any) and takes over path. */
    void reset(std::string path = {});
    /** Gives up ownership without deleting; returns the path. */
    std::string release();

private:
    std::string FPath;
};

} // namespace lanescope::base
