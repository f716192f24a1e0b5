#include "swim/AgeRange.h"

#include "swim/DisplayLists.h"
#include "swim/SwimCodes.h"
#include "swim/TextFormat.h"

#include <algorithm>

namespace lanescope::swim {

namespace {

bool isOpenEnd(int maxAge) { return maxAge == 99 || maxAge == 999; }

// Upper bounds of the summed-age relay bands.
bool isRelayBand(int maxAge)
{
    constexpr int kBands[] = {119, 159, 199, 239, 279, 319, 359, 399};
    return std::find(std::begin(kBands), std::end(kBands), maxAge) != std::end(kBands);
}

// Masters and summed-age bands read as age groups ("AG. 75 and more"), younger swimmers in years.
bool usesAgeGroupForm(int minAge, int maxAge)
{
    return (minAge >= 70 && minAge <= 80 && maxAge == 99) || minAge >= 100 || maxAge >= 119;
}

std::string rangeText(int minAge, int maxAge, bool shortForm)
{
    const int item = usesAgeGroupForm(minAge, maxAge) ? 2 : 1;
    const std::string minText = std::to_string(minAge);
    const std::string maxText = std::to_string(maxAge);

    if (minAge == 0 && isOpenEnd(maxAge))
        return displayItem(DisplayList::OpenAge, shortForm ? 1 : 2);
    if (minAge == 0 && maxAge == 0)
        return "-";
    if (minAge == maxAge)
        return shortForm ? minText : formatText(displayItem(DisplayList::SingleAge, item), {minText});
    if (minAge == 0)
        return shortForm ? "- " + maxText
                         : formatText(displayItem(DisplayList::UpperAgeOnly, item), {maxAge});
    if (isOpenEnd(maxAge))
        return shortForm ? minText + " +"
                         : formatText(displayItem(DisplayList::LowerAgeOnly, item), {minAge});
    if (shortForm)
        return minText + (isRelayBand(maxAge) ? "+" : "-" + maxText);
    return formatText(displayItem(DisplayList::SingleAge, item), {minText + " - " + maxText});
}

} // namespace

std::string ageRangeText(int minAge, int maxAge, bool shortForm, std::string_view name, int gender,
                         int eventGender)
{
    std::string text = !shortForm && !name.empty() ? std::string(name) : rangeText(minAge, maxAge, shortForm);
    if (gender != eventGender)
        text += ", " + genderText(gender, !shortForm);
    return text;
}

} // namespace lanescope::swim
