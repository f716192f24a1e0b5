#include "convert/CompleteFile.h"

#include "base/Strings.h"
#include "base/ZipArchive.h"

#include <filesystem>
#include <fstream>

namespace lanescope::convert {

namespace {

// The last bytes of the file, enough for the root end tag and trailing blanks.
std::string tailOf(const std::string& fileName)
{
    constexpr std::streamoff kTail = 256;
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    if (size <= 0)
        return {};
    in.seekg(size > kTail ? size - kTail : 0);
    std::string tail(static_cast<std::size_t>(size > kTail ? kTail : size), '\0');
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    return tail;
}

std::string headOf(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    std::string head(4, '\0');
    in.read(head.data(), 4);
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

} // namespace

bool isCompleteFile(const std::string& fileName)
{
    if (headOf(fileName) == "PK\x03\x04") {
        base::ZipArchive archive;
        return archive.open(fileName);
    }
    const std::string extension = base::asciiLower(std::filesystem::path(fileName).extension().string());
    if (extension != ".lef" && extension != ".snf" && extension != ".lxf")
        return true;
    return base::trimView(tailOf(fileName)).ends_with("</LENEX>");
}

} // namespace lanescope::convert
