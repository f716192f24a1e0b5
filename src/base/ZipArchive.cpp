#include "ZipArchive.h"

#include "base/TempFolder.h"
#include "base/TextCase.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <zip.h>

namespace lanescope::base {

namespace {

std::string_view namePart(std::string_view name)
{
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

std::size_t nextCodePoint(std::string_view text, std::size_t pos)
{
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
        ++pos;
    return pos;
}

/** Iterative wildcard match: a '*' is retried one character further on each mismatch, no recursion. */
bool wildcardMatch(std::string_view name, std::string_view mask)
{
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            n = nextCodePoint(name, n);
            ++m;
        } else if (m < mask.size() && mask[m] == name[n]) {
            ++n;
            ++m;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = starName = nextCodePoint(name, starName);
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::string libzipMessage(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

struct ZipFileCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFilePtr = std::unique_ptr<zip_file_t, ZipFileCloser>;

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : FFd(fd)
    {
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }
    int get() const { return FFd; }
    bool close()
    {
        const bool ok = FFd < 0 || ::close(FFd) == 0;
        FFd = -1;
        return ok;
    }

private:
    int FFd;
};

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

constexpr int kMaxNameAttempts = 100;

/**
 * Creates a new file for writing under name in folder, or under "stem-N.ext" when that name is taken.
 * O_EXCL with O_NOFOLLOW never opens an existing file and never follows a link planted at the path.
 */
int createFreshFile(const std::string& folder, const std::string& name, std::string& path)
{
    const std::size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        path = folder + "/" + (attempt == 0 ? name : stem + "-" + std::to_string(attempt) + extension);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void readAttributes(zip_t* archive, zip_uint64_t index, ZipMember& member)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return;
    if (system == ZIP_OPSYS_UNIX) {
        const auto mode = static_cast<mode_t>(attributes >> 16);
        member.isSymlink = S_ISLNK(mode);
        member.isDirectory = member.isDirectory || S_ISDIR(mode);
    } else if (system == ZIP_OPSYS_DOS) {
        constexpr zip_uint32_t kDosDirectory = 0x10;
        member.isDirectory = member.isDirectory || (attributes & kDosDirectory) != 0;
    }
}

} // namespace

bool matchesMask(std::string_view memberName, std::string_view mask)
{
    if (mask == "*.*")
        return true;
    return wildcardMatch(lowerCase(namePart(memberName)), lowerCase(mask));
}

ZipArchive::~ZipArchive() { close(); }

ZipArchive::ZipArchive(ZipArchive&& other) noexcept
    : FZip(std::exchange(other.FZip, nullptr))
    , FError(std::move(other.FError))
    , FMembers(std::move(other.FMembers))
{
}

ZipArchive& ZipArchive::operator=(ZipArchive&& other) noexcept
{
    if (this != &other) {
        close();
        FZip = std::exchange(other.FZip, nullptr);
        FError = std::move(other.FError);
        FMembers = std::move(other.FMembers);
    }
    return *this;
}

void ZipArchive::close()
{
    if (FZip != nullptr)
        zip_discard(FZip);
    FZip = nullptr;
    FMembers.clear();
}

bool ZipArchive::open(const std::string& path)
{
    close();
    FError.clear();
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (archive == nullptr) {
        FError = "Cannot open archive \"" + path + "\": " + libzipMessage(code);
        return false;
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > kMaxZipMembers) {
        zip_discard(archive);
        FError = "Archive \"" + path + "\" has too many members";
        return false;
    }
    FMembers.reserve(static_cast<std::size_t>(count));
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        ZipMember member;
        member.index = i;
        if (const char* name = zip_get_name(archive, i, ZIP_FL_ENC_GUESS))
            member.name = name;
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, i, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0)
            member.size = stat.size;
        member.isDirectory = !member.name.empty() && member.name.back() == '/';
        readAttributes(archive, i, member);
        FMembers.push_back(std::move(member));
    }
    FZip = archive;
    return true;
}

TVnxFileList ZipArchive::membersMatching(std::string_view mask) const
{
    TVnxFileList result;
    for (const ZipMember& member : FMembers)
        if (!member.isDirectory && matchesMask(member.name, mask))
            result.push_back(member);
    return result;
}

ZipExtractResult ZipArchive::extractMember(std::string_view name, const std::string& targetFolder,
                                           std::uint64_t maxBytes) const
{
    for (const ZipMember& member : FMembers)
        if (member.name == name)
            return extractMember(member.index, targetFolder, maxBytes);
    return {{}, "Archive has no member \"" + std::string(name) + "\""};
}

ZipExtractResult ZipArchive::extractMember(std::uint64_t index, const std::string& targetFolder,
                                           std::uint64_t maxBytes) const
{
    if (FZip == nullptr || index >= FMembers.size())
        return {{}, "Archive member " + std::to_string(index) + " does not exist"};
    const ZipMember& member = FMembers[index];
    const std::string failure = "Cannot extract \"" + member.name + "\": ";
    if (member.isDirectory)
        return {{}, failure + "it is a folder"};
    if (member.isSymlink)
        return {{}, failure + "it is a symbolic link"};
    if (member.size > maxBytes)
        return {{}, failure + "it is larger than " + std::to_string(maxBytes) + " bytes"};

    const ZipFilePtr source(zip_fopen_index(FZip, index, 0));
    if (!source)
        return {{}, failure + zip_strerror(FZip)};
    std::string path;
    FileDescriptor target(createFreshFile(targetFolder, sanitizeFileName(namePart(member.name)), path));
    if (target.get() < 0)
        return {{}, failure + std::strerror(errno)};
    TempFileGuard partial(path);

    // The claimed size may lie: the inflated bytes are counted as they come.
    constexpr std::size_t kChunk = 64 * 1024;
    const auto buffer = std::make_unique<char[]>(kChunk);
    std::uint64_t total = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(source.get(), buffer.get(), kChunk);
        if (got < 0)
            return {{}, failure + zip_file_strerror(source.get())};
        if (got == 0)
            break;
        total += static_cast<std::uint64_t>(got);
        if (total > maxBytes)
            return {{}, failure + "it is larger than " + std::to_string(maxBytes) + " bytes"};
        if (!writeAll(target.get(), buffer.get(), static_cast<std::size_t>(got)))
            return {{}, failure + std::strerror(errno)};
    }
    if (!target.close())
        return {{}, failure + std::strerror(errno)};
    return {partial.release(), {}};
}

} // namespace lanescope::base
