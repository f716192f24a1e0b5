#include "lenex/LnxXmlText.h"

#include <cstdint>
#include <cstring>

namespace lanescope::lenex {

namespace {

// The characters an XML document may hold, as a reference or as they stand.
bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

int digitValue(char c, int base)
{
    int value = 99;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The character a reference names (the text between "&" and ";"), or nothing (0) when it names none.
char32_t referencedCharacter(std::string_view name)
{
    if (name == "amp")
        return '&';
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "quot")
        return '"';
    if (name == "apos")
        return '\'';
    if (name.size() < 2 || name[0] != '#')
        return 0;
    name.remove_prefix(1);
    int base = 10;
    if (name[0] == 'x') {
        base = 16;
        name.remove_prefix(1);
    }
    if (name.empty())
        return 0;
    std::uint32_t value = 0;
    for (char c : name) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            return 0;
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        if (value > 0x10FFFF)
            return 0;
    }
    return isXmlChar(value) ? value : 0;
}

// Writes the character as UTF-8 at out and returns the byte count.
std::size_t putUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

// "&#x10FFFF;" and "&#1114111;" are the longest references that name a character; leading zeros aside.
constexpr std::size_t kLongestReference = 16;

} // namespace

void decodeXmlReferences(std::string& text)
{
    std::size_t amp = text.find('&');
    if (amp == std::string::npos)
        return;
    // A character is never longer in UTF-8 than the reference that names it, so the text shrinks in place.
    std::size_t write = amp;
    std::size_t read = amp;
    while (read < text.size()) {
        if (text[read] != '&') {
            text[write++] = text[read++];
            continue;
        }
        const std::size_t semicolon = text.find(';', read + 1);
        char32_t c = 0;
        if (semicolon != std::string::npos && semicolon - read <= kLongestReference)
            c = referencedCharacter(std::string_view(text).substr(read + 1, semicolon - read - 1));
        if (c == 0) {
            text[write++] = text[read++];
            continue;
        }
        write += putUtf8(text.data() + write, c);
        read = semicolon + 1;
    }
    text.resize(write);
}

bool isPlainXmlText(std::string_view raw)
{
    // Eight bytes at a time: a byte with its high bit set, or a byte equal to "&" (zero after the xor).
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    constexpr std::uint64_t kAmpersands = kOnes * '&';
    std::size_t i = 0;
    for (; i + 8 <= raw.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, raw.data() + i, sizeof word);
        const std::uint64_t ampersands = word ^ kAmpersands;
        if ((word | ((ampersands - kOnes) & ~ampersands)) & kHighBits)
            return false;
    }
    for (; i < raw.size(); ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        if (byte >= 0x80 || byte == '&')
            return false;
    }
    return true;
}

void appendXmlEscaped(std::string& out, std::string_view text, bool attributeValue)
{
    std::size_t plain = 0; // start of the bytes not yet appended
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const char* replacement = nullptr;
        std::size_t skipped = 1;
        switch (byte) {
        case '&':
            replacement = "&amp;";
            break;
        case '<':
            replacement = "&lt;";
            break;
        case '>':
            replacement = "&gt;";
            break;
        case '"':
            if (!attributeValue)
                continue;
            replacement = "&quot;";
            break;
        case '\t':
        case '\n':
            if (!attributeValue)
                continue;
            replacement = byte == '\t' ? "&#9;" : "&#10;";
            break;
        case '\r':
            replacement = "&#13;";
            break;
        case 0xEF:
            // U+FFFE and U+FFFF (EF BF BE, EF BF BF) are no XML characters.
            if (i + 2 >= text.size() || static_cast<unsigned char>(text[i + 1]) != 0xBF ||
                static_cast<unsigned char>(text[i + 2]) < 0xBE)
                continue;
            replacement = "";
            skipped = 3;
            break;
        default:
            if (byte >= 0x20)
                continue;
            replacement = ""; // a control character XML cannot carry
            break;
        }
        out.append(text.data() + plain, i - plain);
        out += replacement;
        i += skipped - 1;
        plain = i + 1;
    }
    out.append(text.data() + plain, text.size() - plain);
}

bool isXmlName(std::string_view name)
{
    if (name.empty())
        return false;
    const char first = name.front();
    if ((first >= '0' && first <= '9') || first == '-' || first == '.')
        return false;
    for (char c : name) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                            static_cast<unsigned char>(c) >= 0x80;
        if (!letter && !(c >= '0' && c <= '9') && c != '_' && c != '-' && c != '.' && c != ':')
            return false;
    }
    return true;
}

} // namespace lanescope::lenex
