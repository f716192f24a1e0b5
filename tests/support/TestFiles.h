#pragma once

#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>
#include <zip.h>

/** Files for tests: whole-file reads and writes, and zip archives made with libzip itself. */
namespace lanescope::testing {

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

/** A text as a test name: every character but letters and digits becomes "_". */
inline std::string testName(std::string text)
{
    for (char& c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return text;
}

enum class ZipEntryKind
{
    Deflated,
    Stored,
    Directory,
    Symlink,
};

struct ZipEntry
{
    std::string name; ///< used as it stands, hostile names included
    std::string content;
    ZipEntryKind kind = ZipEntryKind::Deflated;
};

/** Writes a zip archive holding the entries in order. */
inline void writeZip(const std::string& path, const std::vector<ZipEntry>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const ZipEntry& entry : entries) {
        if (entry.kind == ZipEntryKind::Directory) {
            ASSERT_GE(zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_UTF_8), 0);
            continue;
        }
        zip_source_t* source = zip_source_buffer(archive, entry.content.data(), entry.content.size(), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << zip_strerror(archive);
        const auto i = static_cast<zip_uint64_t>(index);
        if (entry.kind == ZipEntryKind::Stored)
            zip_set_file_compression(archive, i, ZIP_CM_STORE, 0);
        if (entry.kind == ZipEntryKind::Symlink)
            zip_file_set_external_attributes(archive, i, 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

} // namespace lanescope::testing
