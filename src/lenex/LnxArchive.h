#pragma once

#include "base/TempFolder.h"
#include "base/ZipArchive.h"

#include <cstdint>
#include <string>
#include <string_view>

/** Lenex archives: zip files holding one .lef file, plain or scrambled. */
namespace lanescope::lenex {

/** The load message for an archive that does not hold exactly one .lef member. */
inline constexpr const char* kOneLefMessage = ".LXF File should contain one .LEF - file !";

/** True when the file name's extension, in lower case, is one of ".snf;.lxf;.zip;.lxb;.stf;.fxl". */
bool isLenexArchiveName(std::string_view fileName);

/** Size of each of the two blocks the scrambling changes. */
inline constexpr std::uint64_t kScrambleBlock = 1024;

/**
 * Scrambles or unscrambles a file in place (the same operation does both): the first and then the last 1024
 * bytes, byte i of each block combined with 255 - (i mod 256) by exclusive or. In a file shorter than 2048
 * bytes the blocks overlap and the overlap is processed twice. Returns false and leaves the file unchanged
 * when it is shorter than 1024 bytes or cannot be opened for reading and writing.
 */
bool scrambleFile(const std::string& path);

/**
 * Opens a Lenex archive for reading. A file that starts with 0xAF 0xB5 is a scrambled archive: it is copied
 * into the private temporary folder, the copy is unscrambled and read instead, and the copy is deleted with
 * the reader. The opened file itself is never written.
 */
class TVnxCryptedZipFileReader
{
public:
    /** False when the archive cannot be read (errorText() says why); a short scrambled file is unreadable. */
    bool open(const std::string& path);
    const std::string& errorText() const { return FError; }
    /** True when open failed on this computer (the copy or its unscrambling), not because of the archive. */
    bool localFailure() const { return FLocalFailure; }
    /** True once a scrambled archive was seen. */
    bool internalFormat() const { return FInternalFormat; }
    /** Members whose name part matches the mask; empty when the archive could not be read. */
    base::TVnxFileList fileList(std::string_view mask) const { return FZip.membersMatching(mask); }
    base::ZipExtractResult extract(const base::ZipMember& member, const std::string& targetFolder,
                                   std::uint64_t maxBytes = base::kDefaultMaxMemberBytes) const
    {
        return FZip.extractMember(member.index, targetFolder, maxBytes);
    }

private:
    base::TempFileGuard FCopy; // declared before FZip: the archive is closed before its copy is deleted
    base::ZipArchive FZip;
    std::string FError;
    bool FInternalFormat = false;
    bool FLocalFailure = false;
};

/** The .lef member of a Lenex archive, extracted into the private temporary folder. */
struct ExtractedLenexFile
{
    base::TempFileGuard file;    ///< the extracted file, deleted with this object; empty path on failure
    bool internalFormat = false; ///< the archive was scrambled
    std::string error;           ///< why nothing was extracted; empty on success
};

/**
 * Extracts the single member matching "*.lef" (in any folder of the archive) into the private temporary
 * folder. An unreadable archive counts as one without members; unless exactly one member matches, error is
 * kOneLefMessage. A scrambled archive that cannot be copied or unscrambled here gives that cause instead.
 * Never throws for bad data; throws std::system_error only when the private temporary folder cannot be made.
 */
ExtractedLenexFile extractLenexMember(const std::string& archivePath,
                                      std::uint64_t maxBytes = base::kDefaultMaxMemberBytes);

} // namespace lanescope::lenex
