#pragma once

#include "report/ReportPicture.h"

#include <string_view>

/** The maker's logo of the branded report head, built into the library from resources/korvalin.jpg. */
namespace lanescope::report {

/** The JPEG file's bytes as built in. */
std::string_view makerLogoJpeg();

/** The logo (65 x 54 pixels) as a picture, read once; an empty picture if the built-in data is no JPEG. */
const ReportPicture& makerLogo();

} // namespace lanescope::report
