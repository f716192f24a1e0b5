#include "Strings.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace lanescope::base {

std::string_view trimLeftUnicodeSpaces(std::string_view text)
{
    // ICU walks 32-bit offsets: the beginning of a longer text is looked at as far as they reach.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
    std::int32_t at = 0;
    while (at < length) {
        const std::int32_t start = at;
        UChar32 c = 0;
        U8_NEXT(bytes, at, length, c);
        if (c < 0 || !(c <= 32 || u_isUWhiteSpace(c)))
            return text.substr(static_cast<std::size_t>(start));
    }
    return {};
}

std::string_view trimRightUnicodeSpaces(std::string_view text)
{
    if (text.size() > INT32_MAX)
        return text;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    auto at = static_cast<std::int32_t>(text.size());
    while (at > 0) {
        const std::int32_t end = at;
        UChar32 c = 0;
        U8_PREV(bytes, 0, at, c);
        if (c < 0 || !(c <= 32 || u_isUWhiteSpace(c)))
            return text.substr(0, static_cast<std::size_t>(end));
    }
    return {};
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t start = 0;;) {
        const std::size_t found = text.find(from, start);
        result.append(text.substr(start, found - start));
        if (found == std::string_view::npos)
            return result;
        result.append(to);
        start = found + from.size();
    }
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string asciiLower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    return result;
}

std::string asciiUpper(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return result;
}

bool asciiSameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

namespace {

bool parseInt32(std::string_view text, std::int32_t& value)
{
    text = trimLeftView(text);
    // from_chars reads a minus sign but no plus sign; a minus after a plus ("+-3") is no number.
    const bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    if (text.empty() || (plus && text.front() == '-'))
        return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

} // namespace

std::int32_t strToIntDef(std::string_view text, std::int32_t fallback)
{
    std::int32_t value = 0;
    return parseInt32(text, value) ? value : fallback;
}

bool isInteger(std::string_view text)
{
    std::int32_t value = 0;
    return parseInt32(text, value);
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string xmlEscaped(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace lanescope::base
