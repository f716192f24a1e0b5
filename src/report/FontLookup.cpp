#include "report/FontLookup.h"

#include <fontconfig/fontconfig.h>
#include <map>
#include <mutex>
#include <tuple>

namespace lanescope::report {

namespace {

std::string matchingFile(const std::string& family, bool bold, bool italic)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr)
        file = reinterpret_cast<const char*>(path);
    if (match != nullptr)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

} // namespace

std::shared_ptr<const TrueTypeFace> installedFace(const std::string& family, bool bold, bool italic)
{
    static std::mutex mutex;
    static std::map<std::tuple<std::string, bool, bool>, std::shared_ptr<const TrueTypeFace>> faces;
    static std::map<std::string, std::shared_ptr<const TrueTypeFace>> byFile;
    const std::lock_guard lock(mutex);
    const auto key = std::make_tuple(family, bold, italic);
    if (const auto found = faces.find(key); found != faces.end())
        return found->second;
    std::shared_ptr<const TrueTypeFace> face;
    if (FcInit()) {
        const std::string file = matchingFile(family, bold, italic);
        if (!file.empty()) {
            // Styles that fontconfig maps to one file share its face.
            auto& known = byFile[file];
            if (!known)
                known = TrueTypeFace::open(file);
            face = known;
        }
    }
    faces.emplace(key, face);
    return face;
}

} // namespace lanescope::report
