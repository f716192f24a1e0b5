#include "library/ResultFiles.h"

#include "base/Strings.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace lanescope::library {

namespace fs = std::filesystem;

bool hasResultFileExtension(const std::string& fileName)
{
    static constexpr std::string_view kExtensions =
        ";.lxf;.lef;.snf;.lxb;.stf;.fxl;.cl2;.sd3;.dsv;.dsv6;.dsv7;"
        ".dsv8;.zip;";
    const std::string extension = base::asciiLower(fs::path(fileName).extension().string());
    return !extension.empty() && kExtensions.find(";" + extension + ";") != std::string_view::npos;
}

std::vector<std::string> resultFilesUnder(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (const fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && hasResultFileExtension(it->path().string()))
            files.push_back(libraryPath(it->path().string()));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string libraryPath(const std::string& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return (error ? fs::path(path) : absolute).lexically_normal().string();
}

std::optional<FileStamp> fileStamp(const std::string& fileName)
{
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    std::int64_t size = 0;
    std::vector<unsigned char> buffer(1 << 16);
    std::size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
        size += static_cast<std::int64_t>(read);
        for (std::size_t i = 0; i < read; ++i)
            hash = (hash ^ buffer[i]) * 0x100000001b3ULL;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return FileStamp{size, text};
}

} // namespace lanescope::library
