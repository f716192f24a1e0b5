#include "TempFolder.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace lanescope::base {

namespace {

/**
 * The folder of this process. It lives in a function-local static, so the exit machinery runs its
 * destructor, which removes the folder. The owner's process id guards against fork: a child that exits
 * leaves its parent's folder alone, and a child that needs a folder makes its own.
 */
class PrivateFolder
{
public:
    PrivateFolder() = default;
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    ~PrivateFolder()
    {
        if (!FPath.empty() && FOwner == ::getpid()) {
            std::error_code ignored;
            std::filesystem::remove_all(FPath, ignored);
        }
    }

    const std::string& path()
    {
        const std::lock_guard lock(FMutex);
        if (FPath.empty() || FOwner != ::getpid()) {
            FPath = create();
            FOwner = ::getpid();
        }
        return FPath;
    }

private:
    static std::string tryCreate(const std::string& parent)
    {
        std::string pattern = parent + "/lanescope-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) // mkdtemp makes the folder with mode 0700
            return {};
        std::error_code ec;
        std::filesystem::path absolute = std::filesystem::absolute(pattern, ec);
        return ec ? pattern : absolute.string();
    }

    static std::string create()
    {
        const char* tmpDir = std::getenv("TMPDIR");
        std::string path = tmpDir != nullptr && *tmpDir != '\0' ? tryCreate(tmpDir) : std::string();
        if (path.empty())
            path = tryCreate("/tmp");
        if (path.empty())
            throw std::system_error(errno, std::generic_category(),
                                    "Cannot create a private temporary folder");
        return path;
    }

    std::mutex FMutex;
    std::string FPath;
    ::pid_t FOwner = 0;
};

bool isSafeByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

std::string replaceUnsafe(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (!isSafeByte(c))
            c = '_';
    return result;
}

void stripLeadingDots(std::string& name) { name.erase(0, name.find_first_not_of('.')); }

constexpr std::size_t kMaxExtensionLength = 16;
constexpr std::size_t kMaxPrefixLength = 40;

} // namespace

const std::string& privateTempFolder()
{
    static PrivateFolder folder;
    return folder.path();
}

std::string uniqueTempName(std::string_view prefix, std::string_view extension)
{
    static std::atomic<unsigned long long> counter{0};
    const auto stamp = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    char middle[48];
    std::snprintf(middle, sizeof middle, "%llx-%llu", static_cast<unsigned long long>(stamp), ++counter);
    std::string name = replaceUnsafe(prefix.substr(0, kMaxPrefixLength)) + middle +
                       replaceUnsafe(extension.substr(0, kMaxExtensionLength));
    stripLeadingDots(name);
    return privateTempFolder() + "/" + name;
}

std::string sanitizeFileName(std::string_view name)
{
    std::string safe = replaceUnsafe(name);
    stripLeadingDots(safe);
    if (safe.empty())
        return "unnamed";
    if (safe.size() > kMaxFileNameLength) {
        const std::size_t dot = safe.rfind('.');
        const std::string extension = dot != std::string::npos && safe.size() - dot <= kMaxExtensionLength
                                          ? safe.substr(dot)
                                          : std::string();
        safe = safe.substr(0, kMaxFileNameLength - extension.size()) + extension;
    }
    return safe;
}

TempFileGuard::TempFileGuard(std::string path)
    : FPath(std::move(path))
{
}

TempFileGuard::~TempFileGuard() { reset(); }

TempFileGuard::TempFileGuard(TempFileGuard&& other) noexcept
    : FPath(std::exchange(other.FPath, {}))
{
}

TempFileGuard& TempFileGuard::operator=(TempFileGuard&& other) noexcept
{
    if (this != &other)
        reset(std::exchange(other.FPath, {}));
    return *this;
}

void TempFileGuard::reset(std::string path)
{
    // unlink removes a symbolic link itself, never the file it points to.
    if (!FPath.empty())
        ::unlink(FPath.c_str());
    FPath = std::move(path);
}

std::string TempFileGuard::release() { return std::exchange(FPath, {}); }

} // namespace lanescope::base
