#include "download/ResultFileName.h"

#include "base/Strings.h"
#include "base/TextCase.h"

#include <algorithm>
#include <array>
#include <optional>

namespace lanescope::download {

namespace {

constexpr std::array<std::string_view, 7> kResultExtensions = {".lxf", ".lef", ".snf", ".cl2",
                                                               ".sd3", ".dsv", ".zip"};
// Enough of a file's start to find the Lenex root behind an XML declaration and comments.
constexpr std::size_t kSniffBytes = 4096;

bool startsEscape(std::string_view text, std::size_t at)
{
    return at + 2 < text.size() && base::hexDigitValue(text[at + 1]) >= 0 &&
           base::hexDigitValue(text[at + 2]) >= 0;
}

// The last part of a path, so that a name never leads into another folder; control characters dropped.
std::string baseName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    std::string name;
    for (const char c : path)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            name += c;
    return name == "." || name == ".." ? std::string() : name;
}

std::string extensionOf(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

bool namesResultFile(std::string_view name) { return isResultFileExtension(extensionOf(name)); }

// The path of an address: after the scheme and host, before the query and fragment.
std::string_view pathOf(std::string_view url)
{
    url = url.substr(0, url.find_first_of("?#"));
    if (const std::size_t scheme = url.find("://"); scheme != std::string_view::npos) {
        url.remove_prefix(scheme + 3);
        const std::size_t slash = url.find('/');
        return slash == std::string_view::npos ? std::string_view() : url.substr(slash);
    }
    return url;
}

std::string_view queryOf(std::string_view url)
{
    url = url.substr(0, url.find('#'));
    const std::size_t question = url.find('?');
    return question == std::string_view::npos ? std::string_view() : url.substr(question + 1);
}

// The value of a header parameter ("name=value" or "name=\"value\""); nothing when absent.
std::optional<std::string> headerParameter(std::string_view header, std::string_view name)
{
    for (std::string_view rest = header; !rest.empty();) {
        const std::size_t semicolon = rest.find(';');
        std::string_view part = base::trimView(rest.substr(0, semicolon));
        rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos || !base::sameText(base::trimView(part.substr(0, equals)), name))
            continue;
        std::string_view value = base::trimView(part.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

} // namespace

bool isResultFileExtension(std::string_view extension)
{
    const std::string lower = base::asciiLower(extension);
    return std::find(kResultExtensions.begin(), kResultExtensions.end(), lower) != kResultExtensions.end();
}

std::string percentEncodeUrl(std::string_view url)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr std::string_view kUnsafe = "\"<>\\^`{|}";
    url = url.substr(0, url.find('#'));
    std::string encoded;
    for (std::size_t i = 0; i < url.size(); ++i) {
        const auto byte = static_cast<unsigned char>(url[i]);
        const bool unsafe = byte <= 0x20 || byte >= 0x7F || kUnsafe.find(url[i]) != std::string_view::npos ||
                            (url[i] == '%' && !startsEscape(url, i));
        if (unsafe) {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        } else {
            encoded += url[i];
        }
    }
    return encoded;
}

std::string percentDecode(std::string_view text, bool plusAsBlank)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && startsEscape(text, i)) {
            decoded +=
                static_cast<char>(base::hexDigitValue(text[i + 1]) * 16 + base::hexDigitValue(text[i + 2]));
            i += 2;
        } else {
            decoded += plusAsBlank && text[i] == '+' ? ' ' : text[i];
        }
    }
    return decoded;
}

std::string fileNameFromUrl(std::string_view url)
{
    const std::string fromPath = baseName(percentDecode(pathOf(url)));
    if (namesResultFile(fromPath))
        return fromPath;
    for (std::string_view query = queryOf(url); !query.empty();) {
        const std::size_t ampersand = query.find('&');
        const std::string_view parameter = query.substr(0, ampersand);
        query = ampersand == std::string_view::npos ? std::string_view() : query.substr(ampersand + 1);
        const std::size_t equals = parameter.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string name = baseName(percentDecode(parameter.substr(equals + 1), true));
        if (namesResultFile(name))
            return name;
    }
    return {};
}

std::string fileNameFromContentDisposition(std::string_view header)
{
    // "filename*" carries the name in UTF-8 ("UTF-8''name%20with%20blanks"); it wins over the plain one.
    if (const auto extended = headerParameter(header, "filename*")) {
        const std::size_t quotes = extended->find("''");
        if (quotes != std::string::npos)
            return baseName(percentDecode(std::string_view(*extended).substr(quotes + 2)));
    }
    if (const auto plain = headerParameter(header, "filename"))
        return baseName(*plain);
    return {};
}

std::string extensionFromContent(std::string_view firstBytes)
{
    firstBytes = firstBytes.substr(0, kSniffBytes);
    if (firstBytes.starts_with("PK\x03\x04"))
        return ".zip";
    std::string_view text = firstBytes;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::string_view firstLine = base::trimView(text.substr(0, text.find_first_of("\r\n")));
    if (firstLine.starts_with("A0"))
        return ".cl2";
    if (base::asciiLower(firstLine.substr(0, 7)) == "format:")
        return ".dsv";
    // A markup file whose root element, after an XML declaration or comments, is LENEX.
    if (firstLine.starts_with("<") && text.find("<LENEX") != std::string_view::npos)
        return ".lef";
    return {};
}

std::string resultFileName(std::string_view url, std::string_view contentDisposition,
                           std::string_view firstBytes)
{
    if (std::string name = fileNameFromUrl(url); !name.empty())
        return name;
    if (std::string name = fileNameFromContentDisposition(contentDisposition); namesResultFile(name))
        return name;
    const std::string extension = extensionFromContent(firstBytes);
    if (extension.empty())
        return {};
    // The last path segment gives the stem ("live/current" becomes "current.lef").
    const std::string stem = baseName(percentDecode(pathOf(url)));
    return (stem.empty() ? std::string("results") : stem) + extension;
}

} // namespace lanescope::download
