#include "report/MakerLogo.h"

#include <string>

namespace lanescope::report {

const ReportPicture& makerLogo()
{
    static const ReportPicture logo = jpegPicture(std::string(makerLogoJpeg())).value_or(ReportPicture{});
    return logo;
}

} // namespace lanescope::report
