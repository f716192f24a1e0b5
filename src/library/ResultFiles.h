#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/** Finding result files on disk and telling whether one changed. */
namespace lanescope::library {

/** Whether the name has the extension of a type the viewer opens (any case). */
bool hasResultFileExtension(const std::string& fileName);
/** The files under a folder (recursively, links to files followed, unreadable folders passed over) that have
 * a result file extension, sorted by path. */
std::vector<std::string> resultFilesUnder(const std::string& folder);
/** The absolute, normal form of a path, by which the library knows a file. */
std::string libraryPath(const std::string& path);

struct FileStamp
{
    std::int64_t size = 0;
    std::string hash; // 16 hex digits
};
/** Size and content hash (64-bit FNV-1a) of a file; nothing when it cannot be read. */
std::optional<FileStamp> fileStamp(const std::string& fileName);

} // namespace lanescope::library
