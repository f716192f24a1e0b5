#include "library/MeetRecord.h"

#include "library/TextKey.h"
#include "swim/SwimStyle.h"

#include <array>

namespace lanescope::library {

namespace {

constexpr std::array<std::string_view, 6> kCourseCodes = {"", "LCM", "SCM", "SCY", "SCM33", "SCM16"};

} // namespace

std::string courseCode(int course)
{
    return course > 0 && course < static_cast<int>(kCourseCodes.size()) ? std::string(kCourseCodes[course])
                                                                        : std::string();
}

int courseOfCode(std::string_view code)
{
    for (std::size_t i = 1; i < kCourseCodes.size(); ++i)
        if (textKey(code) == textKey(kCourseCodes[i]))
            return static_cast<int>(i);
    return kCourseUnknown;
}

std::string MeetRecord::key() const
{
    return textKey(name) + '\n' + textKey(place) + '\n' + firstDate + '\n' + lastDate;
}

// Relay count, distance and stroke indexes each below 100; -1 (unknown) counts as 99.
int styleCode(int relayCountIndex, int distanceIndex, int strokeIndex)
{
    const auto digits = [](int index) { return index >= 0 && index < 99 ? index : 99; };
    return digits(relayCountIndex) * 10000 + digits(distanceIndex) * 100 + digits(strokeIndex);
}

std::string styleText(int code, const std::string& styleName)
{
    const auto index = [](int digits) { return digits == 99 ? -1 : digits; };
    return swim::swimStyleText(index(code / 10000), index(code / 100 % 100), index(code % 100), styleName);
}

} // namespace lanescope::library
