#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct zip;

/** Read-only access to zip archives: member lists and safe extraction of single members. */
namespace lanescope::base {

/** One member of a zip archive as its central directory describes it. */
struct ZipMember
{
    std::uint64_t index = 0;
    std::string name;       ///< full name inside the archive, folders included, as UTF-8
    std::uint64_t size = 0; ///< uncompressed size the archive claims
    bool isDirectory = false;
    bool isSymlink = false;
};

/** A list of archive members with their names and sizes. */
using TVnxFileList = std::vector<ZipMember>;

/** Outcome of an extraction: the written path, or an error text. */
struct ZipExtractResult
{
    std::string path;
    std::string error;
    bool ok() const { return error.empty(); }
};

/** Largest member that is extracted unless the caller passes another cap. */
inline constexpr std::uint64_t kDefaultMaxMemberBytes = std::uint64_t{1} << 30;
/** Archives with more members than this are refused as hostile. */
inline constexpr std::uint64_t kMaxZipMembers = 100000;

/**
 * Wildcard match of the name part of a member name (after the last '/' or '\') against a mask with '*' and
 * '?', without regard to case. The mask "*.*" matches every name, as it does on the systems the formats
 * come from.
 */
bool matchesMask(std::string_view memberName, std::string_view mask);

/**
 * A zip archive opened read-only with libzip. Bad or hostile data never throws: opening fails with an error
 * text, extraction returns one.
 */
class ZipArchive
{
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(ZipArchive&& other) noexcept;
    ZipArchive& operator=(ZipArchive&& other) noexcept;
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    /** Opens the archive and reads its member list; false with errorText() set when that fails. */
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return FZip != nullptr; }
    const std::string& errorText() const { return FError; }

    /** Every member in archive order; empty when not open. */
    const TVnxFileList& members() const { return FMembers; }
    /** The members, in archive order, that are no folders and whose name part matches the mask. */
    TVnxFileList membersMatching(std::string_view mask) const;

    /**
     * Writes one member into targetFolder under its sanitised name part (sanitizeFileName), never under a
     * folder of the archive, so names with "..", absolute paths and links cannot leave the target folder.
     * An existing file or link is neither followed nor replaced: a free name "stem-N.ext" is taken instead.
     * Folders and symbolic links are refused. Stops and removes the partial file when the inflated data
     * grows past maxBytes or is corrupt.
     */
    ZipExtractResult extractMember(std::uint64_t index, const std::string& targetFolder,
                                   std::uint64_t maxBytes = kDefaultMaxMemberBytes) const;
    /** The same for the first member with exactly this full name. */
    ZipExtractResult extractMember(std::string_view name, const std::string& targetFolder,
                                   std::uint64_t maxBytes = kDefaultMaxMemberBytes) const;

private:
    zip* FZip = nullptr;
    std::string FError;
    TVnxFileList FMembers;
};

} // namespace lanescope::base
