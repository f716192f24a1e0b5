#include "report/PdfUnicodeFonts.h"

#include "base/CodePage.h"
#include "report/FontLookup.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace lanescope::report {

namespace {

constexpr const char* kPrimaryFamily = "Liberation Sans";
constexpr const char* kFallbackFamily = "DejaVu Sans";

/** Code points of UTF-8 text; a byte that starts no well-formed sequence gives U+FFFD. */
std::u32string codePoints(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        char32_t cp = length == 1 ? lead : length == 0 ? 0 : (lead & (0x7F >> length));
        bool valid = length > 0 && i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        out += valid ? cp : U'\uFFFD';
        i += valid ? length : 1;
    }
    return out;
}

void appendHex(std::string& out, unsigned value, int digits)
{
    char text[12];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    out += text;
}

/** The code point as UTF-16BE hex digits, a surrogate pair above U+FFFF. */
std::string utf16Hex(char32_t cp)
{
    std::string out;
    if (cp >= 0x10000) {
        appendHex(out, 0xD800 + ((cp - 0x10000) >> 10), 4);
        appendHex(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), 4);
    } else {
        appendHex(out, cp, 4);
    }
    return out;
}

/** The CMap that maps the glyph numbers back to Unicode, so the text can be searched and copied. */
std::string toUnicodeMap(const std::map<std::uint16_t, char32_t>& glyphs)
{
    std::string map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    auto it = glyphs.begin();
    while (it != glyphs.end()) {
        // At most 100 entries per block.
        std::string block;
        int count = 0;
        for (; it != glyphs.end() && count < 100; ++it, ++count) {
            block += '<';
            appendHex(block, it->first, 4);
            block += "> <" + utf16Hex(it->second) + ">\n";
        }
        map += std::to_string(count) + " beginbfchar\n" + block + "endbfchar\n";
    }
    return map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

/** Six capital letters naming the subset, derived from its glyphs so equal documents get equal files. */
std::string subsetTag(const std::string& name, const std::map<std::uint16_t, char32_t>& glyphs)
{
    std::size_t hash = std::hash<std::string>{}(name);
    for (const auto& [number, cp] : glyphs)
        hash = hash * 1000003u ^ number;
    std::string tag;
    for (int i = 0; i < 6; ++i, hash /= 26)
        tag += static_cast<char>('A' + hash % 26);
    return tag;
}

} // namespace

bool PdfUnicodeFonts::fitsWindows1252(std::string_view utf8)
{
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return true;
    // The code page writes "?" for what it lacks: more question marks than the text had means a loss.
    const std::string encoded = base::encodeWindows1252(utf8);
    return std::count(encoded.begin(), encoded.end(), '?') == std::count(utf8.begin(), utf8.end(), '?');
}

bool PdfUnicodeFonts::available() { return style(false, false).primary >= 0; }

int PdfUnicodeFonts::faceIndex(const std::shared_ptr<const TrueTypeFace>& face)
{
    if (!face)
        return -1;
    for (std::size_t i = 0; i < FFaces.size(); ++i)
        if (FFaces[i].face == face)
            return static_cast<int>(i);
    FFaces.push_back({face, "U" + std::to_string(FFaces.size()), {}});
    return static_cast<int>(FFaces.size() - 1);
}

PdfUnicodeFonts::Style& PdfUnicodeFonts::style(bool bold, bool italic)
{
    const int key = (bold ? 1 : 0) | (italic ? 2 : 0);
    auto found = FStyles.find(key);
    if (found == FStyles.end()) {
        Style created;
        created.primary = faceIndex(installedFace(kPrimaryFamily, bold, italic));
        created.fallback = faceIndex(installedFace(kFallbackFamily, bold, italic));
        if (created.primary < 0)
            created.primary = created.fallback;
        found = FStyles.emplace(key, std::move(created)).first;
    }
    return found->second;
}

const PdfUnicodeFonts::Glyph& PdfUnicodeFonts::glyph(Style& style, char32_t codePoint)
{
    const auto found = style.glyphs.find(codePoint);
    if (found != style.glyphs.end())
        return found->second;
    Glyph glyph;
    glyph.face = style.primary;
    glyph.number = FFaces[static_cast<std::size_t>(style.primary)].face->glyph(codePoint);
    if (glyph.number == 0 && style.fallback >= 0 && style.fallback != style.primary) {
        if (const std::uint16_t other =
                FFaces[static_cast<std::size_t>(style.fallback)].face->glyph(codePoint)) {
            glyph.face = style.fallback;
            glyph.number = other;
        }
    }
    glyph.width = FFaces[static_cast<std::size_t>(glyph.face)].face->advance(glyph.number);
    return style.glyphs.emplace(codePoint, glyph).first->second;
}

int PdfUnicodeFonts::width(std::string_view utf8, bool bold, bool italic)
{
    Style& chosen = style(bold, italic);
    if (chosen.primary < 0)
        return 0;
    int total = 0;
    for (const char32_t cp : codePoints(utf8))
        total += glyph(chosen, cp).width;
    return total;
}

std::vector<PdfUnicodeFonts::Run> PdfUnicodeFonts::runs(std::string_view utf8, bool bold, bool italic)
{
    std::vector<Run> result;
    Style& chosen = style(bold, italic);
    if (chosen.primary < 0)
        return result;
    int face = -1;
    for (const char32_t cp : codePoints(utf8)) {
        const Glyph& found = glyph(chosen, cp);
        FaceUse& use = FFaces[static_cast<std::size_t>(found.face)];
        use.glyphs.emplace(found.number, cp);
        if (found.face != face) {
            result.push_back({use.fontName, {}});
            face = found.face;
        }
        appendHex(result.back().glyphHex, found.number, 4);
    }
    return result;
}

std::map<std::string, PdfType0Font> PdfUnicodeFonts::fonts() const
{
    std::map<std::string, PdfType0Font> result;
    for (const FaceUse& use : FFaces) {
        if (use.glyphs.empty())
            continue;
        std::set<std::uint16_t> numbers;
        std::set<char32_t> used;
        std::string widths;
        for (const auto& [number, cp] : use.glyphs) {
            numbers.insert(number);
            used.insert(cp);
            widths += (widths.empty() ? "" : " ") + std::to_string(number) + " [" +
                      std::to_string(use.face->advance(number)) + "]";
        }
        PdfType0Font font;
        const FontDescriptorMetrics& metrics = use.face->metrics();
        font.baseFont = subsetTag(use.face->postScriptName(), use.glyphs) + "+" + use.face->postScriptName();
        font.fontFile = use.face->subset(numbers, used);
        font.widths = widths;
        font.toUnicode = toUnicodeMap(use.glyphs);
        // Flags: 32 non-symbolic, 64 italic.
        font.descriptorEntries =
            "/Flags " + std::to_string(metrics.italicAngle != 0 ? 96 : 32) + " /FontBBox [" +
            std::to_string(metrics.bbox[0]) + " " + std::to_string(metrics.bbox[1]) + " " +
            std::to_string(metrics.bbox[2]) + " " + std::to_string(metrics.bbox[3]) + "] /ItalicAngle " +
            std::to_string(metrics.italicAngle) + " /Ascent " + std::to_string(metrics.ascent) +
            " /Descent " + std::to_string(metrics.descent) + " /CapHeight " +
            std::to_string(metrics.capHeight) + " /StemV 80";
        result.emplace(use.fontName, std::move(font));
    }
    return result;
}

} // namespace lanescope::report
