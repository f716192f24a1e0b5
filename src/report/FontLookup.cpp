#include "report/FontLookup.h"

#include <fontconfig/fontconfig.h>
#include <map>
#include <mutex>
#include <tuple>

namespace lanescope::report {

namespace {

struct FaceFile
{
    std::string file;
    int index = 0;
    bool operator<(const FaceFile& other) const { return std::tie(file, index) < std::tie(other.file, other.index); }
};

/** The file and face index fontconfig matches for the family and style, and the character when not 0. */
FaceFile matchingFile(const std::string& family, bool bold, bool italic, char32_t character)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    if (character != 0) {
        FcCharSet* characters = FcCharSetCreate();
        FcCharSetAddChar(characters, character);
        FcPatternAddCharSet(pattern, FC_CHARSET, characters);
        FcCharSetDestroy(characters);
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FaceFile found;
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
        found.file = reinterpret_cast<const char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &found.index);
    }
    if (match != nullptr)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return found;
}

std::mutex& lookupMutex()
{
    static std::mutex mutex;
    return mutex;
}

/** The face of the file, opened once per process (the caller holds the lookup mutex). */
std::shared_ptr<const TrueTypeFace> openedFace(const FaceFile& file)
{
    static std::map<FaceFile, std::shared_ptr<const TrueTypeFace>> byFile;
    if (file.file.empty())
        return nullptr;
    auto& known = byFile[file];
    if (!known)
        known = TrueTypeFace::open(file.file, file.index);
    return known;
}

} // namespace

std::shared_ptr<const TrueTypeFace> faceForCharacter(char32_t character, bool bold, bool italic)
{
    static std::map<std::tuple<char32_t, bool, bool>, std::shared_ptr<const TrueTypeFace>> faces;
    const std::lock_guard lock(lookupMutex());
    const auto key = std::make_tuple(character, bold, italic);
    if (const auto found = faces.find(key); found != faces.end())
        return found->second;
    std::shared_ptr<const TrueTypeFace> face;
    if (FcInit()) {
        face = openedFace(matchingFile("sans-serif", bold, italic, character));
        if (face && face->glyph(character) == 0)
            face = nullptr;
    }
    faces.emplace(key, face);
    return face;
}

std::shared_ptr<const TrueTypeFace> installedFace(const std::string& family, bool bold, bool italic)
{
    static std::map<std::tuple<std::string, bool, bool>, std::shared_ptr<const TrueTypeFace>> faces;
    const std::lock_guard lock(lookupMutex());
    const auto key = std::make_tuple(family, bold, italic);
    if (const auto found = faces.find(key); found != faces.end())
        return found->second;
    std::shared_ptr<const TrueTypeFace> face;
    // Styles that fontconfig maps to one file share its face.
    if (FcInit())
        face = openedFace(matchingFile(family, bold, italic, 0));
    faces.emplace(key, face);
    return face;
}

} // namespace lanescope::report
