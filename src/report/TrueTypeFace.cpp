#include "report/TrueTypeFace.h"

#include <algorithm>
#include <cmath>
#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

namespace lanescope::report {

namespace {

bool hasTable(hb_face_t* face, hb_tag_t tag)
{
    hb_blob_t* table = hb_face_reference_table(face, tag);
    const bool found = hb_blob_get_length(table) > 0;
    hb_blob_destroy(table);
    return found;
}

/** A big-endian 16-bit signed value of a font table. */
int tableShort(const char* data, unsigned offset)
{
    const auto high = static_cast<unsigned char>(data[offset]);
    const auto low = static_cast<unsigned char>(data[offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((high << 8) | low));
}

} // namespace

struct TrueTypeFace::HarfBuzz
{
    hb_face_t* face = nullptr;
    hb_font_t* font = nullptr;
    ~HarfBuzz()
    {
        hb_font_destroy(font);
        hb_face_destroy(face);
    }
};

std::shared_ptr<const TrueTypeFace> TrueTypeFace::open(const std::string& fileName, int faceIndex)
{
    hb_blob_t* blob = hb_blob_create_from_file_or_fail(fileName.c_str());
    if (blob == nullptr)
        return nullptr;
    auto harfBuzz = std::make_unique<HarfBuzz>();
    harfBuzz->face = hb_face_create(blob, static_cast<unsigned>(std::max(faceIndex, 0)));
    hb_blob_destroy(blob);
    const bool trueType = hasTable(harfBuzz->face, HB_TAG('g', 'l', 'y', 'f'));
    const bool cff = !trueType && hasTable(harfBuzz->face, HB_TAG('C', 'F', 'F', ' '));
    if (hb_face_get_glyph_count(harfBuzz->face) == 0 || (!trueType && !cff))
        return nullptr;
    harfBuzz->font = hb_font_create(harfBuzz->face);
    std::shared_ptr<TrueTypeFace> face(new TrueTypeFace(std::move(harfBuzz)));
    face->FCff = cff;
    return face;
}

std::vector<TrueTypeFace::ShapedGlyph> TrueTypeFace::shape(const std::u16string& text, std::size_t start,
                                                           std::size_t length, bool rightToLeft) const
{
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf16(buffer, reinterpret_cast<const std::uint16_t*>(text.data()),
                        static_cast<int>(text.size()), static_cast<unsigned>(start),
                        static_cast<int>(length));
    hb_buffer_set_direction(buffer, rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    hb_buffer_set_flags(buffer, static_cast<hb_buffer_flags_t>(HB_BUFFER_FLAG_REMOVE_DEFAULT_IGNORABLES));
    // A mark keeps the cluster of its own character instead of joining its letter's: each glyph then stands
    // for its own text, and a mark glyph used under many letters reads as that mark, not as the letter it
    // first sat on.
    hb_buffer_set_cluster_level(buffer, HB_BUFFER_CLUSTER_LEVEL_MONOTONE_CHARACTERS);
    hb_shape(FHarfBuzz->font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    std::vector<ShapedGlyph> glyphs;
    glyphs.reserve(count);
    const auto scaled = [this](hb_position_t units) {
        return static_cast<int>(std::lround(static_cast<double>(units) * 1000 / FUnitsPerEm));
    };
    for (unsigned i = 0; i < count; ++i) {
        ShapedGlyph glyph;
        glyph.glyph = infos[i].codepoint > 0xFFFF ? 0 : static_cast<std::uint16_t>(infos[i].codepoint);
        glyph.cluster = infos[i].cluster;
        glyph.advance = scaled(positions[i].x_advance);
        glyph.offsetX = scaled(positions[i].x_offset);
        glyph.offsetY = scaled(positions[i].y_offset);
        glyphs.push_back(glyph);
    }
    hb_buffer_destroy(buffer);
    return glyphs;
}

TrueTypeFace::TrueTypeFace(std::unique_ptr<HarfBuzz> harfBuzz)
    : FHarfBuzz(std::move(harfBuzz))
{
    hb_face_t* face = FHarfBuzz->face;
    hb_font_t* font = FHarfBuzz->font;
    FUnitsPerEm = static_cast<int>(std::max(hb_face_get_upem(face), 1u));
    const auto scaled = [this](double units) {
        return static_cast<int>(std::lround(units * 1000 / FUnitsPerEm));
    };

    char name[128] = {};
    unsigned length = sizeof name;
    hb_ot_name_get_utf8(face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &length, name);
    for (const char* c = name; *c != '\0'; ++c)
        if (*c > ' ' && *c < 127 && std::string_view("()<>[]{}/%#").find(*c) == std::string_view::npos)
            FPostScriptName += *c;
    if (FPostScriptName.empty())
        FPostScriptName = "Font";

    hb_position_t value = 0;
    if (hb_ot_metrics_get_position(font, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &value))
        FMetrics.ascent = scaled(value);
    if (hb_ot_metrics_get_position(font, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &value))
        FMetrics.descent = scaled(value);
    FMetrics.capHeight = hb_ot_metrics_get_position(font, HB_OT_METRICS_TAG_CAP_HEIGHT, &value)
                             ? scaled(value)
                             : FMetrics.ascent;
    FMetrics.italicAngle = static_cast<int>(std::lround(-hb_style_get_value(font, HB_STYLE_TAG_SLANT_ANGLE)));

    // The bounding box of all glyphs sits in the "head" table at bytes 36 to 43.
    hb_blob_t* head = hb_face_reference_table(face, HB_TAG('h', 'e', 'a', 'd'));
    unsigned size = 0;
    const char* data = hb_blob_get_data(head, &size);
    if (data != nullptr && size >= 44)
        for (unsigned i = 0; i < 4; ++i)
            FMetrics.bbox[i] = scaled(tableShort(data, 36 + 2 * i));
    hb_blob_destroy(head);
}

TrueTypeFace::~TrueTypeFace() = default;

std::uint16_t TrueTypeFace::glyph(char32_t codePoint) const
{
    hb_codepoint_t glyph = 0;
    if (!hb_font_get_nominal_glyph(FHarfBuzz->font, codePoint, &glyph) || glyph > 0xFFFF)
        return 0;
    return static_cast<std::uint16_t>(glyph);
}

int TrueTypeFace::advance(std::uint16_t glyph) const
{
    const hb_position_t units = hb_font_get_glyph_h_advance(FHarfBuzz->font, glyph);
    return static_cast<int>(std::lround(static_cast<double>(units) * 1000 / FUnitsPerEm));
}

std::string TrueTypeFace::subset(const std::set<std::uint16_t>& glyphs,
                                 const std::set<char32_t>& codePoints) const
{
    hb_subset_input_t* input = hb_subset_input_create_or_fail();
    if (input == nullptr)
        return {};
    hb_set_t* glyphSet = hb_subset_input_glyph_set(input);
    hb_set_add(glyphSet, 0);
    for (const std::uint16_t glyph : glyphs)
        hb_set_add(glyphSet, glyph);
    hb_set_t* unicodes = hb_subset_input_unicode_set(input);
    for (const char32_t codePoint : codePoints)
        hb_set_add(unicodes, codePoint);
    // The page content names glyphs by their numbers in the whole face: the subset keeps them.
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NO_HINTING);
    hb_face_t* reduced = hb_subset_or_fail(FHarfBuzz->face, input);
    hb_subset_input_destroy(input);
    if (reduced == nullptr)
        return {};
    // CFF outlines travel as the bare CFF table; TrueType outlines as the whole font file.
    hb_blob_t* blob = FCff ? hb_face_reference_table(reduced, HB_TAG('C', 'F', 'F', ' '))
                           : hb_face_reference_blob(reduced);
    unsigned size = 0;
    const char* data = hb_blob_get_data(blob, &size);
    std::string bytes(data != nullptr ? data : "", data != nullptr ? size : 0);
    hb_blob_destroy(blob);
    hb_face_destroy(reduced);
    return bytes;
}

} // namespace lanescope::report
