#include "TextCase.h"

#include <array>
#include <cstdint>

namespace lanescope::base {

namespace {

// Case pairs are looked up for the code points up to U+017F: ASCII, Latin-1 and Latin Extended-A.
constexpr char32_t kTableSize = 0x180;

constexpr bool isOdd(char32_t c) { return c % 2 == 1; }

// Latin Extended-A pairs its letters capital first from U+0100 to U+0137 and from U+014A to U+0177, but
// capital second from U+0139 to U+0148 and from U+0179 to U+017E (kra U+0138 and U+0149 sit between).
constexpr bool isEvenPairedCapital(char32_t c)
{
    return (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
}
constexpr bool isOddPairedCapital(char32_t c)
{
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
}

constexpr char32_t upperOf(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) // ß U+00DF has no single capital and stays
        return c - 0x20;
    switch (c) {
    case 0xFF: // ÿ
        return 0x178;
    case 0x131: // dotless i
        return 'I';
    case 0x17F: // long s
        return 'S';
    default:
        break;
    }
    if (isEvenPairedCapital(c))
        return isOdd(c) ? c - 1 : c;
    if (isOddPairedCapital(c))
        return isOdd(c) ? c : c - 1;
    return c;
}

constexpr char32_t lowerOf(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    switch (c) {
    case 0x130: // capital I with dot above
        return 'i';
    case 0x178: // Ÿ
        return 0xFF;
    default:
        break;
    }
    if (isEvenPairedCapital(c))
        return isOdd(c) ? c : c + 1;
    if (isOddPairedCapital(c))
        return isOdd(c) ? c + 1 : c;
    return c;
}

using CaseTable = std::array<std::uint16_t, kTableSize>;

template <char32_t (*map)(char32_t)> constexpr CaseTable makeTable()
{
    CaseTable table{};
    for (char32_t c = 0; c < kTableSize; ++c)
        table[c] = static_cast<std::uint16_t>(map(c));
    return table;
}

constexpr CaseTable kUpper = makeTable<upperOf>();
constexpr CaseTable kLower = makeTable<lowerOf>();

static_assert(kUpper[0xFC] == 0xDC && kLower[0xDC] == 0xFC);     // ü Ü
static_assert(kUpper[0x142] == 0x141 && kLower[0x141] == 0x142); // ł Ł
static_assert(kUpper[0x17A] == 0x179 && kLower[0x179] == 0x17A); // ź Ź
static_assert(kUpper[0x138] == 0x138 && kLower[0x149] == 0x149); // kra, ŉ

// Code point of the two-byte character U+00C0..U+017F at text[i] (UTF-8 lead bytes 0xC3 to 0xC5), or 0.
// In well-formed UTF-8 these lead bytes never occur inside another character.
char32_t latinLetterAt(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0xC3 || lead > 0xC5 || i + 1 >= text.size())
        return 0;
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    if ((trail & 0xC0) != 0x80)
        return 0;
    return static_cast<char32_t>(((lead & 0x1F) << 6) | (trail & 0x3F));
}

// Mapped code points stay below U+0800: one or two UTF-8 bytes.
void appendMapped(std::string& out, std::uint16_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string mapCase(std::string_view text, const CaseTable& table)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(table[c]);
            ++i;
        } else if (const char32_t letter = latinLetterAt(text, i)) {
            appendMapped(out, table[letter]);
            i += 2;
        } else {
            out += static_cast<char>(c);
            ++i;
        }
    }
    return out;
}

// Hands out the bytes of the lower-cased text one at a time, without building the string.
class LowerBytes
{
public:
    explicit LowerBytes(std::string_view text)
        : text_(text)
    {
    }

    /** The next byte (0 to 255), or -1 at the end. */
    int next()
    {
        if (pending_ >= 0) {
            const int byte = pending_;
            pending_ = -1;
            return byte;
        }
        if (pos_ == text_.size())
            return -1;
        const auto c = static_cast<unsigned char>(text_[pos_]);
        if (c < 0x80) {
            ++pos_;
            return kLower[c];
        }
        if (const char32_t letter = latinLetterAt(text_, pos_)) {
            pos_ += 2;
            const std::uint16_t lower = kLower[letter];
            if (lower < 0x80)
                return lower;
            pending_ = 0x80 | (lower & 0x3F);
            return 0xC0 | (lower >> 6);
        }
        ++pos_;
        return c;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int pending_ = -1;
};

} // namespace

std::string upperCase(std::string_view utf8) { return mapCase(utf8, kUpper); }

std::string lowerCase(std::string_view utf8) { return mapCase(utf8, kLower); }

int compareText(std::string_view a, std::string_view b)
{
    // Most names are plain ASCII: compare those bytes directly and go through LowerBytes only from the
    // first non-ASCII byte on (every position before it is a character boundary).
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    std::size_t i = 0;
    for (; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80)
            break;
        if (x != y && kLower[x] != kLower[y])
            return kLower[x] - kLower[y];
    }
    LowerBytes restA(a.substr(i));
    LowerBytes restB(b.substr(i));
    while (true) {
        const int x = restA.next();
        const int y = restB.next();
        if (x != y)
            return x - y;
        if (x < 0)
            return 0;
    }
}

bool sameText(std::string_view a, std::string_view b) { return compareText(a, b) == 0; }

} // namespace lanescope::base
