#include "swim/LenexTexts.h"

#include "swim/AgeRange.h"
#include "swim/SwimCodes.h"
#include "swim/SwimStyle.h"
#include "swim/TextFormat.h"

namespace lanescope::swim {

using namespace lenex;

std::string eventText(const TLenex& document, const TLnxObject& event, const TLnxObject* ageGroup)
{
    std::string text;
    if (event.getText(tag::STR) != "XX") {
        const TSwimStyle style = event.readSwimStyle();
        text = swimStyleText(style.relayCountIndex, style.distanceIndex, style.strokeIndex, {});
    } else {
        text = event.getText(tag::NAME);
    }
    const std::string& unit = document.poolUnit();
    if (unit != "m" && !unit.empty())
        if (const std::size_t m = text.find('m'); m != std::string::npos)
            text[m] = unit[0];
    if (ageGroup)
        text += ", " + ageGroupText(document, ageGroup);
    return text;
}

std::string ageGroupText(const TLenex& document, const TLnxObject* ageGroup)
{
    int minimumAge = 0;
    int maximumAge = 99;
    if (ageGroup) {
        if (const int latestBirthYear = ageGroup->getInteger(tag::MAX); latestBirthYear != -1)
            minimumAge = document.referenceYear() - latestBirthYear;
        if (const int earliestBirthYear = ageGroup->getInteger(tag::MIN); earliestBirthYear != -1)
            maximumAge = document.referenceYear() - earliestBirthYear;
    }
    std::string text = ageRangeText(minimumAge, maximumAge, false, {}, 0, 0);
    if (ageGroup) {
        if (const std::string& name = ageGroup->getText(tag::NAME); !name.empty())
            text += ", " + name;
        if (!ageGroup->getText(tag::SEX).empty())
            text += ", " + genderText(*ageGroup);
    }
    return text;
}

std::string genderText(const TLnxObject& node)
{
    switch ((node.getText(tag::SEX) + "X")[0]) {
    case 'F':
        return swim::genderText(1, true);
    case 'M':
        return swim::genderText(0, true);
    default:
        return swim::genderText(2, true);
    }
}

std::string participantText(const TLnxObject& node, bool withGender)
{
    if (node.tag() == tag::PERSON)
        return formatText("%s %s, %.2d", {node.getText(tag::NAME), node.getText(tag::FNAME),
                                          node.getInteger(tag::YOB) % 100});
    std::string text = node.getText(tag::NAME);
    if (text.empty())
        text = teamLabel(node.getInteger(tag::NUM), -1);
    if (withGender)
        text += ", " + genderText(node);
    return text;
}

} // namespace lanescope::swim
