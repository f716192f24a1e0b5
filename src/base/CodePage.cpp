#include "CodePage.h"

#include "CodePageTables.h"
#include "Strings.h"

#include <cstdint>
#include <cstring>

namespace lanescope::base {

namespace {

// Offset of the first byte with the high bit set, or the size when there is none. Eight bytes per step:
// this scan decides the hot path of every text the parsers read.
std::size_t asciiPrefix(const char* data, std::size_t size)
{
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, sizeof word);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < size && static_cast<unsigned char>(data[i]) < 0x80)
        ++i;
    return i;
}

// Length of the well-formed UTF-8 sequence at p, with its code point in cp, or 0 when the bytes there are
// not one (the ranges of the Unicode standard's table of well-formed byte sequences).
std::size_t nextUtf8(const unsigned char* p, const unsigned char* end, char32_t& cp)
{
    const unsigned lead = *p;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead < 0xC2) {
        return 0; // continuation byte or overlong two-byte form
    } else if (lead < 0xE0) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead < 0xF0) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        else if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead < 0xF5) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90; // overlong
        else if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned c = p[i];
        if (c < low || c > high)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return length;
}

// Code points of the 8-bit tables all lie below U+10000.
void appendUtf8(std::string& out, std::uint16_t cp)
{
    if (cp < 0x800) {
        const char bytes[] = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
        out.append(bytes, 2);
    } else {
        const char bytes[] = {static_cast<char>(0xE0 | (cp >> 12)),
                              static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                              static_cast<char>(0x80 | (cp & 0x3F))};
        out.append(bytes, 3);
    }
}

// Windows-1252 keeps Latin-1's 0xA0-0xFF; only 0x80-0x9F need the table. Code points that Windows-1252
// decodes undefined bytes to (U+0081 ...) go back to those bytes, so every byte survives a round trip.
char windows1252Byte(char32_t cp)
{
    if (cp >= 0xA0 && cp <= 0xFF)
        return static_cast<char>(cp);
    const std::uint16_t* table = detail::highHalf(CodePage::Windows1252);
    for (int i = 0; i < 0x20; ++i)
        if (table[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

struct CodePageName
{
    std::string_view name;
    CodePage codePage;
};

// Names with case, hyphens and underscores taken out.
constexpr CodePageName kNames[] = {
    {"utf8", CodePage::Utf8},
    {"iso88591", CodePage::Windows1252},
    {"latin1", CodePage::Windows1252},
    {"usascii", CodePage::Windows1252},
    {"ascii", CodePage::Windows1252},
    {"iso88592", CodePage::Iso8859_2},
    {"latin2", CodePage::Iso8859_2},
    {"iso88595", CodePage::Iso8859_5},
    {"iso88597", CodePage::Iso8859_7},
    {"iso88599", CodePage::Iso8859_9},
    {"latin5", CodePage::Iso8859_9},
    {"windows1250", CodePage::Windows1250},
    {"windows1251", CodePage::Windows1251},
    {"windows1252", CodePage::Windows1252},
    {"windows1253", CodePage::Windows1253},
    {"windows1254", CodePage::Windows1254},
    {"windows1255", CodePage::Windows1255},
    {"windows1256", CodePage::Windows1256},
    {"windows1257", CodePage::Windows1257},
    {"windows1258", CodePage::Windows1258},
    {"cp1250", CodePage::Windows1250},
    {"cp1251", CodePage::Windows1251},
    {"cp1252", CodePage::Windows1252},
    {"cp1253", CodePage::Windows1253},
    {"cp1254", CodePage::Windows1254},
    {"cp1255", CodePage::Windows1255},
    {"cp1256", CodePage::Windows1256},
    {"cp1257", CodePage::Windows1257},
    {"cp1258", CodePage::Windows1258},
    {"cp850", CodePage::Cp850},
    {"ibm850", CodePage::Cp850},
};

} // namespace

std::optional<CodePage> codePageFromName(std::string_view name)
{
    // "ISO-8859-2", "iso_8859-2" and "ISO8859-2" all name the same code page.
    char key[16];
    std::size_t length = 0;
    for (char c : trimView(name)) {
        if (c == '-' || c == '_')
            continue;
        if (length == sizeof key)
            return std::nullopt;
        key[length++] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
    }
    const std::string_view normalized(key, length);
    for (const CodePageName& entry : kNames)
        if (entry.name == normalized)
            return entry.codePage;
    return std::nullopt;
}

/** True when the bytes are valid UTF-8 and every character beyond ASCII passes `accept`. */
template <typename Accept> bool everyCodePoint(std::string_view bytes, Accept accept)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (true) {
        p += asciiPrefix(reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p));
        if (p == end)
            return true;
        char32_t cp;
        const std::size_t length = nextUtf8(p, end, cp);
        if (length == 0 || !accept(cp))
            return false;
        p += length;
    }
}

bool isValidUtf8(std::string_view bytes)
{
    return everyCodePoint(bytes, [](char32_t) { return true; });
}

void appendDecoded(std::string& out, std::string_view bytes, CodePage codePage)
{
    std::size_t ascii = asciiPrefix(bytes.data(), bytes.size());
    if (ascii == bytes.size()) {
        out.append(bytes);
        return;
    }
    if (codePage == CodePage::Utf8) {
        if (isValidUtf8(bytes.substr(ascii))) {
            out.append(bytes);
            return;
        }
        // Files declared UTF-8 are often written by programs that know only Windows-1252.
        codePage = CodePage::Windows1252;
    }
    const std::uint16_t* table = detail::highHalf(codePage);
    while (true) {
        out.append(bytes.data(), ascii);
        if (ascii == bytes.size())
            return;
        appendUtf8(out, table[static_cast<unsigned char>(bytes[ascii]) - 0x80]);
        bytes.remove_prefix(ascii + 1);
        ascii = asciiPrefix(bytes.data(), bytes.size());
    }
}

std::string decodeToUtf8(std::string_view bytes, CodePage codePage)
{
    std::string out;
    appendDecoded(out, bytes, codePage);
    return out;
}

namespace {

// Encodes into out (when given) and tells whether every character had its own byte.
bool encode1252(std::string_view utf8, std::string* out)
{
    bool whole = true;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = p + utf8.size();
    while (true) {
        const std::size_t ascii =
            asciiPrefix(reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p));
        if (out)
            out->append(reinterpret_cast<const char*>(p), ascii);
        p += ascii;
        if (p == end)
            return whole;
        char32_t cp;
        const std::size_t length = nextUtf8(p, end, cp);
        const char byte = length == 0 ? '?' : windows1252Byte(cp);
        whole = whole && length != 0 && (byte != '?' || cp == '?');
        if (!out && !whole)
            return false;
        if (out)
            *out += byte;
        p += length == 0 ? 1 : length;
    }
}

} // namespace

bool fitsWindows1252(std::string_view utf8) { return encode1252(utf8, nullptr); }

bool fitsLatin1(std::string_view utf8)
{
    return everyCodePoint(utf8, [](char32_t cp) { return cp >= 0xA0 && cp <= 0xFF; });
}

std::string encodeWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    encode1252(utf8, &out);
    return out;
}

} // namespace lanescope::base
