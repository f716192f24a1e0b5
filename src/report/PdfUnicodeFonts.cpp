#include "report/PdfUnicodeFonts.h"

#include "base/CodePage.h"
#include "report/FontLookup.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/ubidi.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

namespace lanescope::report {

namespace {

constexpr const char* kPrimaryFamily = "Liberation Sans";
constexpr const char* kFallbackFamily = "DejaVu Sans";

void appendHex(std::string& out, unsigned value, int digits)
{
    char text[12];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    out += text;
}

/** The UTF-16 text as big-endian hex digits. */
std::string utf16Hex(const std::u16string& text)
{
    std::string out;
    for (const char16_t unit : text)
        appendHex(out, unit, 4);
    return out;
}

/** The CMap that maps the glyph numbers back to Unicode, so the text can be searched and copied. */
std::string toUnicodeMap(const std::map<std::uint16_t, std::u16string>& glyphs)
{
    std::string map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    // Glyphs that stand for no text of their own (the missing-glyph box, the further glyphs of a letter
    // group) get no entry.
    auto it = glyphs.begin();
    while (it != glyphs.end()) {
        // At most 100 entries per block.
        std::string block;
        int count = 0;
        for (; it != glyphs.end() && count < 100; ++it) {
            if (it->second.empty() || it->first == 0)
                continue;
            block += '<';
            appendHex(block, it->first, 4);
            block += "> <" + utf16Hex(it->second) + ">\n";
            ++count;
        }
        if (count > 0)
            map += std::to_string(count) + " beginbfchar\n" + block + "endbfchar\n";
    }
    return map + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

/** Six capital letters naming the subset, derived from its glyphs so equal documents get equal files. */
std::string subsetTag(const std::string& name, const std::map<std::uint16_t, std::u16string>& glyphs)
{
    std::size_t hash = std::hash<std::string>{}(name);
    for (const auto& [number, text] : glyphs)
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

std::string PdfUnicodeFonts::prepared(std::string_view utf8)
{
    UErrorCode error = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(error);
    icu::UnicodeString text =
        icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
    if (U_SUCCESS(error) && nfc != nullptr) {
        icu::UnicodeString normal = nfc->normalize(text, error);
        if (U_SUCCESS(error))
            text = normal;
    }
    icu::UnicodeString clean;
    for (std::int32_t i = 0; i < text.length();) {
        const UChar32 cp = text.char32At(i);
        i += U16_LENGTH(cp);
        if (cp == '\t' || cp == '\n' || cp == '\r')
            clean.append(static_cast<UChar>(' '));
        else if (u_charType(cp) == U_CONTROL_CHAR || u_hasBinaryProperty(cp, UCHAR_BIDI_CONTROL))
            continue; // a mark of direction or embedding from a file must not turn the rest of the cell
        else
            clean.append(cp);
    }
    std::string out;
    clean.toUTF8String(out);
    return out;
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
        created.bold = bold;
        created.italic = italic;
        created.primary = faceIndex(installedFace(kPrimaryFamily, bold, italic));
        if (created.primary < 0)
            created.primary = faceIndex(installedFace(kFallbackFamily, bold, italic));
        found = FStyles.emplace(key, std::move(created)).first;
    }
    return found->second;
}

int PdfUnicodeFonts::faceFor(Style& style, const std::u16string& text, std::size_t start, std::size_t end)
{
    const auto covers = [&](int face) {
        for (std::size_t i = start; i < end;) {
            char32_t cp = 0;
            U16_NEXT(text.data(), i, end, cp);
            if (!u_hasBinaryProperty(static_cast<UChar32>(cp), UCHAR_DEFAULT_IGNORABLE_CODE_POINT) &&
                FFaces[static_cast<std::size_t>(face)].face->glyph(cp) == 0)
                return false;
        }
        return true;
    };
    if (covers(style.primary))
        return style.primary;
    int chosen = -1;
    for (std::size_t i = start; i < end && chosen < 0;) {
        char32_t cp = 0;
        U16_NEXT(text.data(), i, end, cp);
        if (u_hasBinaryProperty(static_cast<UChar32>(cp), UCHAR_DEFAULT_IGNORABLE_CODE_POINT) ||
            FFaces[static_cast<std::size_t>(style.primary)].face->glyph(cp) != 0)
            continue;
        const auto known = style.faceOf.find(cp);
        chosen = known != style.faceOf.end()
                     ? known->second
                     : style.faceOf.emplace(cp, faceIndex(faceForCharacter(cp, style.bold, style.italic)))
                           .first->second;
    }
    return chosen;
}

PdfUnicodeFonts::Shaped PdfUnicodeFonts::shape(Style& style, const std::u16string& text)
{
    Shaped result;
    const auto length = static_cast<std::int32_t>(text.size());
    // Letter groups: a letter with its marks, a Hangul syllable, an emoji sequence.
    std::vector<std::size_t> groups;
    {
        UErrorCode error = U_ZERO_ERROR;
        const icu::UnicodeString alias(false, text.data(), length);
        std::unique_ptr<icu::BreakIterator> iterator(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), error));
        if (U_SUCCESS(error)) {
            iterator->setText(alias);
            for (std::int32_t at = iterator->first(); at != icu::BreakIterator::DONE; at = iterator->next())
                groups.push_back(static_cast<std::size_t>(at));
        }
        if (groups.empty() || groups.back() != text.size())
            groups = {0, text.size()};
    }
    UErrorCode error = U_ZERO_ERROR;
    UBiDi* bidi = ubidi_openSized(length, 0, &error);
    ubidi_setPara(bidi, text.data(), length, UBIDI_DEFAULT_LTR, nullptr, &error);
    const std::int32_t runCount = U_SUCCESS(error) ? ubidi_countRuns(bidi, &error) : 0;
    struct Segment
    {
        std::size_t begin;
        std::size_t end;
        int face;
    };
    for (std::int32_t run = 0; run < std::max(runCount, 0); ++run) {
        std::int32_t runStart = 0;
        std::int32_t runLength = 0;
        const bool rightToLeft = ubidi_getVisualRun(bidi, run, &runStart, &runLength) == UBIDI_RTL;
        const auto runEnd = static_cast<std::size_t>(runStart + runLength);
        std::vector<Segment> segments;
        for (std::size_t g = 0; g + 1 < groups.size(); ++g) {
            const std::size_t begin = std::max(groups[g], static_cast<std::size_t>(runStart));
            const std::size_t end = std::min(groups[g + 1], runEnd);
            if (begin >= end)
                continue;
            const int face = faceFor(style, text, begin, end);
            // Letters no face has stay one segment each: one box per letter group.
            if (!segments.empty() && segments.back().face == face && face >= 0 && segments.back().end == begin)
                segments.back().end = end;
            else
                segments.push_back({begin, end, face});
        }
        if (rightToLeft)
            std::reverse(segments.begin(), segments.end());
        for (const Segment& segment : segments) {
            if (segment.face < 0) {
                const TrueTypeFace& primary = *FFaces[static_cast<std::size_t>(style.primary)].face;
                PlacedGlyph box{style.primary, 0, primary.advance(0), 0, 0, {}};
                result.width += box.advance;
                result.glyphs.push_back(std::move(box));
                ++result.missing;
                continue;
            }
            const TrueTypeFace& face = *FFaces[static_cast<std::size_t>(segment.face)].face;
            const std::vector<TrueTypeFace::ShapedGlyph> glyphs =
                face.shape(text, segment.begin, segment.end - segment.begin, rightToLeft);
            std::set<std::uint32_t> clusters;
            for (const TrueTypeFace::ShapedGlyph& glyph : glyphs)
                clusters.insert(glyph.cluster);
            std::set<std::uint32_t> named;
            for (const TrueTypeFace::ShapedGlyph& glyph : glyphs) {
                PlacedGlyph placed{segment.face, glyph.glyph, glyph.advance, glyph.offsetX, glyph.offsetY, {}};
                if (named.insert(glyph.cluster).second) {
                    const auto next = clusters.upper_bound(glyph.cluster);
                    const std::size_t end = next == clusters.end() ? segment.end : *next;
                    placed.text = text.substr(glyph.cluster, end - glyph.cluster);
                }
                if (glyph.glyph == 0)
                    ++result.missing;
                result.width += placed.advance;
                result.glyphs.push_back(std::move(placed));
            }
        }
    }
    ubidi_close(bidi);
    return result;
}

const PdfUnicodeFonts::Shaped& PdfUnicodeFonts::shaped(std::string_view utf8, bool bold, bool italic)
{
    std::string key(utf8);
    key += static_cast<char>('0' + (bold ? 1 : 0) + (italic ? 2 : 0));
    if (const auto found = FShaped.find(key); found != FShaped.end())
        return found->second;
    Style& chosen = style(bold, italic);
    Shaped result;
    if (chosen.primary >= 0) {
        const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
            icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
        result = shape(chosen, std::u16string(text.getBuffer(), static_cast<std::size_t>(text.length())));
    }
    return FShaped.emplace(std::move(key), std::move(result)).first->second;
}

int PdfUnicodeFonts::width(std::string_view utf8, bool bold, bool italic)
{
    return shaped(utf8, bold, italic).width;
}

std::vector<PdfUnicodeFonts::Run> PdfUnicodeFonts::runs(std::string_view utf8, bool bold, bool italic)
{
    std::vector<Run> result;
    const Shaped& text = shaped(utf8, bold, italic);
    FMissing += text.missing;
    int face = -1;
    int rise = 0;
    bool inString = false;
    const auto adjust = [&](int thousandths) {
        // A number in a TJ array moves the next glyph left by thousandths of the font size.
        if (thousandths == 0)
            return;
        if (inString)
            result.back().glyphArray += "> ";
        inString = false;
        result.back().glyphArray += std::to_string(-thousandths) + " ";
    };
    for (const PlacedGlyph& glyph : text.glyphs) {
        FaceUse& use = FFaces[static_cast<std::size_t>(glyph.face)];
        const auto known = use.glyphs.find(glyph.number);
        if (known == use.glyphs.end())
            use.glyphs.emplace(glyph.number, glyph.text);
        else if (known->second.empty())
            known->second = glyph.text;
        // A TJ array moves along the baseline only: a glyph at another height starts a run of its own.
        if (glyph.face != face || glyph.offsetY != rise) {
            if (inString)
                result.back().glyphArray += ">";
            inString = false;
            result.push_back({use.fontName, {}, glyph.offsetY});
            face = glyph.face;
            rise = glyph.offsetY;
        }
        adjust(glyph.offsetX);
        if (!inString)
            result.back().glyphArray += "<";
        inString = true;
        appendHex(result.back().glyphArray, glyph.number, 4);
        // The PDF moves on by the glyph's own width; shaping may want more or less (kerning, marks).
        adjust(glyph.advance - use.face->advance(glyph.number) - glyph.offsetX);
    }
    if (inString)
        result.back().glyphArray += ">";
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
        for (const auto& [number, text] : use.glyphs) {
            numbers.insert(number);
            for (std::size_t i = 0; i < text.size();) {
                char32_t cp = 0;
                U16_NEXT(text.data(), i, text.size(), cp);
                used.insert(cp);
            }
            widths += (widths.empty() ? "" : " ") + std::to_string(number) + " [" +
                      std::to_string(use.face->advance(number)) + "]";
        }
        PdfType0Font font;
        const FontDescriptorMetrics& metrics = use.face->metrics();
        font.baseFont = subsetTag(use.face->postScriptName(), use.glyphs) + "+" + use.face->postScriptName();
        font.fontFile = use.face->subset(numbers, used);
        font.widths = widths;
        font.toUnicode = toUnicodeMap(use.glyphs);
        font.cff = use.face->cff();
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
