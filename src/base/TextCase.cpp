#include "TextCase.h"

#include <cstdint>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace lanescope::base {

namespace {

// Lower-cased, then folded: "İ" meets "i", final "ς" meets "σ", long "ſ" meets "s".
UChar32 foldOf(UChar32 c) { return u_foldCase(u_tolower(c), U_FOLD_CASE_DEFAULT); }

// Maps every character through the function; ASCII goes the short way, bytes that are not well-formed
// UTF-8 are kept as they stand.
template <UChar32 (*map)(UChar32)> std::string mapCase(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        if (bytes[i] < 0x80) {
            out += static_cast<char>(map(bytes[i]));
            ++i;
            continue;
        }
        const std::int32_t start = i;
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            out.append(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
            continue;
        }
        std::uint8_t encoded[U8_MAX_LENGTH];
        std::int32_t size = 0;
        U8_APPEND_UNSAFE(encoded, size, map(c));
        out.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(size));
    }
    return out;
}

UChar32 upperOf(UChar32 c) { return u_toupper(c); }
UChar32 lowerOf(UChar32 c) { return u_tolower(c); }

char asciiLowerOf(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

} // namespace

std::string upperCase(std::string_view utf8) { return mapCase<upperOf>(utf8); }

std::string lowerCase(std::string_view utf8) { return mapCase<lowerOf>(utf8); }

std::string foldCase(std::string_view utf8) { return mapCase<foldOf>(utf8); }

int compareText(std::string_view a, std::string_view b)
{
    // Most names and keys are plain ASCII: compare those bytes directly and fold only from the first
    // non-ASCII byte on (every position before it is a character boundary in both texts).
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    std::size_t i = 0;
    for (; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80)
            break;
        if (x != y && asciiLowerOf(a[i]) != asciiLowerOf(b[i]))
            return static_cast<unsigned char>(asciiLowerOf(a[i])) -
                   static_cast<unsigned char>(asciiLowerOf(b[i]));
    }
    if (i == common)
        return (a.size() > common) - (b.size() > common);
    return foldCase(a.substr(i)).compare(foldCase(b.substr(i)));
}

bool sameText(std::string_view a, std::string_view b) { return compareText(a, b) == 0; }

} // namespace lanescope::base
