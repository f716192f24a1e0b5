#pragma once

#include <string>

namespace lanescope::convert {

/**
 * False when the file shows that its writer has not finished it: a zip archive that does not open (its
 * directory comes last) or a Lenex text whose root element is not closed ("</LENEX>" last). Reading such a
 * file succeeds in part, so a reload asks first and keeps what it shows until the file is whole. Other
 * kinds, which carry no such mark, count as complete.
 */
bool isCompleteFile(const std::string& fileName);

} // namespace lanescope::convert
