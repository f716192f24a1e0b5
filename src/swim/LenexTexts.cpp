#include "swim/LenexTexts.h"

#include "base/LanguageTexts.h"
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

std::string contentsText(const TLenex& document)
{
    if (document.competitionCount() > 0 || !document.root())
        return {};
    int recordLists = 0;
    int timeStandards = 0;
    if (const TLnxCollection* lists = document.root()->findCollection(tag::RECORDLISTS))
        for (int i = 0; i < lists->childCount(); ++i)
            if (const TLnxObject* list = lists->itemAt(i))
                ++(list->getText(tag::TYPE) == "TIMESTANDARD" ? timeStandards : recordLists);
    std::string text = base::languageText('V', 211);
    if (recordLists > 0)
        text += "; " + formatText(base::languageText('V', 212), {recordLists});
    if (timeStandards > 0)
        text += "; " + formatText(base::languageText('V', 213), {timeStandards});
    return text;
}

std::string clubNameText(const std::string& name)
{
    return name.empty() ? base::languageText('V', 210) : name;
}

std::string relayName(const TLnxObject& relay)
{
    if (const std::string& name = relay.getText(tag::NAME); !name.empty())
        return name;
    const TLnxAbstractObject* relays = relay.parent();
    const TLnxAbstractObject* club = relays ? relays->parent() : nullptr;
    const std::string clubName = club && club->tag() == tag::CLUB && club->asObject()
                                     ? club->asObject()->getText(tag::NAME)
                                     : std::string();
    if (clubName.empty())
        return teamLabel(relay.getInteger(tag::NUM), -1);
    // "1. team" would read like a place: the club's name says whose team it is, the number which of them.
    if (relays->childCount() < 2)
        return clubName;
    int number = relay.getInteger(tag::NUM);
    for (int i = 0; number <= 0 && i < relays->childCount(); ++i)
        if (relays->childAsObject(i) == &relay)
            number = i + 1;
    return clubName + " " + std::to_string(number);
}

std::string participantText(const TLnxObject& node, bool withGender)
{
    if (node.tag() == tag::PERSON)
        return formatText("%s %s, %.2d", {node.getText(tag::NAME), node.getText(tag::FNAME),
                                          node.getInteger(tag::YOB) % 100});
    std::string text = relayName(node);
    if (withGender)
        text += ", " + genderText(node);
    return text;
}

} // namespace lanescope::swim
