#include "LnxArchive.h"

#include "base/Strings.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lanescope::lenex {

namespace {

constexpr unsigned char kScrambledMark[2] = {0xAF, 0xB5};

bool startsWithScrambledMark(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char head[2] = {};
    return in.read(head, 2) && static_cast<unsigned char>(head[0]) == kScrambledMark[0] &&
           static_cast<unsigned char>(head[1]) == kScrambledMark[1];
}

bool xorBlockAt(int fd, off_t offset)
{
    std::array<unsigned char, kScrambleBlock> block{};
    if (::pread(fd, block.data(), block.size(), offset) != static_cast<ssize_t>(block.size()))
        return false;
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] ^= static_cast<unsigned char>(255 - i % 256);
    return ::pwrite(fd, block.data(), block.size(), offset) == static_cast<ssize_t>(block.size());
}

/**
 * Copies the file to a fresh name in the private folder, writable by the owner whatever the source was.
 * Returns the reason when it fails.
 */
std::error_code copyToPrivateFolder(const std::string& source, base::TempFileGuard& copy)
{
    copy.reset(base::uniqueTempName("lenex-", ".zip"));
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::copy_file(source, copy.path(), fs::copy_options::none, ec);
    if (!ec)
        fs::permissions(copy.path(), fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::replace, ec);
    return ec;
}

} // namespace

bool isLenexArchiveName(std::string_view fileName)
{
    const std::string_view name = fileName.substr(fileName.find_last_of('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string key = ";" + base::asciiLower(name.substr(dot)) + ";";
    return std::string_view(";.snf;.lxf;.zip;.lxb;.stf;.fxl;").find(key) != std::string_view::npos;
}

bool scrambleFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info
    {
    };
    // The first block is written back before the last one is read, so an overlap is processed twice.
    const bool ok = ::fstat(fd, &info) == 0 && static_cast<std::uint64_t>(info.st_size) >= kScrambleBlock &&
                    xorBlockAt(fd, 0) && xorBlockAt(fd, info.st_size - static_cast<off_t>(kScrambleBlock));
    return ::close(fd) == 0 && ok;
}

bool TVnxCryptedZipFileReader::open(const std::string& path)
{
    FZip.close();
    FCopy.reset();
    FError.clear();
    FLocalFailure = false;
    FInternalFormat = startsWithScrambledMark(path);
    std::string readable = path;
    if (FInternalFormat) {
        // Copying and unscrambling can fail on this computer (a full disk, a temporary folder that cannot be
        // written); that is said as it is, not blamed on the archive.
        if (const std::error_code failure = copyToPrivateFolder(path, FCopy)) {
            FError = "Cannot copy \"" + path + "\" to the temporary folder: " + failure.message();
            FLocalFailure = true;
            return false;
        }
        std::error_code ignored;
        if (std::filesystem::file_size(FCopy.path(), ignored) < kScrambleBlock) {
            FError = "\"" + path + "\" is no readable archive";
            return false;
        }
        if (!scrambleFile(FCopy.path())) {
            FError = "Cannot unscramble the copy of \"" + path +
                     "\" in the temporary folder: " + std::generic_category().message(errno);
            FLocalFailure = true;
            return false;
        }
        readable = FCopy.path();
    }
    if (!FZip.open(readable)) {
        FError = FZip.errorText();
        return false;
    }
    return true;
}

ExtractedLenexFile extractLenexMember(const std::string& archivePath, std::uint64_t maxBytes)
{
    ExtractedLenexFile result;
    TVnxCryptedZipFileReader reader;
    // An archive that cannot be read lists no members; one that could not be prepared here says why.
    const bool opened = reader.open(archivePath);
    result.internalFormat = reader.internalFormat();
    if (!opened && reader.localFailure()) {
        result.error = reader.errorText();
        return result;
    }
    const base::TVnxFileList members = reader.fileList("*.lef");
    if (members.size() != 1) {
        result.error = kOneLefMessage;
        return result;
    }
    base::ZipExtractResult extracted = reader.extract(members.front(), base::privateTempFolder(), maxBytes);
    if (extracted.ok())
        result.file.reset(std::move(extracted.path));
    else
        result.error = std::move(extracted.error);
    return result;
}

} // namespace lanescope::lenex
