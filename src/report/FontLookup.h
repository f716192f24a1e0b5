#pragma once

#include "report/TrueTypeFace.h"

#include <memory>
#include <string>

/** Finds the installed fonts that PDF output embeds for text beyond Windows-1252, through fontconfig. */
namespace lanescope::report {

/**
 * The face fontconfig gives for the family in the style, opened once per process and kept; null when
 * fontconfig offers no TrueType file for it. Safe to call from several threads.
 */
std::shared_ptr<const TrueTypeFace> installedFace(const std::string& family, bool bold, bool italic);

/**
 * The face fontconfig prefers, in the style, for a text that needs the character: a sans-serif face
 * whose character set holds it (a CJK face for Chinese, Japanese and Korean). Null when no installed
 * face has it. Faces are shared with `installedFace`.
 */
std::shared_ptr<const TrueTypeFace> faceForCharacter(char32_t character, bool bold, bool italic);

} // namespace lanescope::report
