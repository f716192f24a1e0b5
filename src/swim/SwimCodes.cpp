#include "swim/SwimCodes.h"

#include "base/Strings.h"
#include "base/TextCase.h"
#include "swim/DisplayLists.h"
#include "swim/TextFormat.h"

#include <algorithm>

namespace lanescope::swim {

namespace {

struct StatusCode
{
    std::string_view code;
    int number;
};

constexpr StatusCode kStatusNumbers[] = {
    {"EX", 1},  {"DQ", 2},     {"DSQ", 2},  {"DNS", 3},  {"WDR", 3},
    {"DNF", 4}, {"DQFULL", 5}, {"DQ10", 7}, {"DQ20", 8},
};

// Positions in the status code list.
constexpr StatusCode kStatusCodeItems[] = {
    {"DSQ", 1}, {"DQ", 1}, {"DNS", 2}, {"DNF", 3}, {"WDR", 4},
};

} // namespace

int genderOf(std::string_view text)
{
    if (text.empty())
        return gdMixed;
    const std::string upper = base::upperCase(text);
    if (std::string_view("HM").find(upper) != std::string_view::npos)
        return gdMale;
    if (std::string_view("DFW").find(upper) != std::string_view::npos)
        return gdFemale;
    return gdMixed;
}

std::string genderText(int gender, bool longForm)
{
    return displayItem(longForm ? DisplayList::GendersLong : DisplayList::GendersShort,
                       std::clamp(gender, 0, 2) + 1);
}

int statusNumberOf(std::string_view code)
{
    for (const StatusCode& status : kStatusNumbers)
        if (base::sameText(code, status.code))
            return status.number;
    return 0;
}

std::string statusText(int statusNumber)
{
    return statusNumber == 0 ? std::string() : displayItem(DisplayList::Statuses, statusNumber + 1);
}

std::string statusCodeText(std::string_view code)
{
    code = base::trimView(code);
    for (const StatusCode& status : kStatusCodeItems)
        if (base::sameText(code, status.code))
            return displayItem(DisplayList::StatusCodes, status.number);
    // A code outside the table (a league's own "SUI.RED10") is shown as the file writes it: an empty place
    // would hide that the swim carries a status at all.
    if (const int number = statusNumberOf(code); number != 0)
        return statusText(number);
    return std::string(code);
}

bool isKnownStatusCode(std::string_view code) { return statusNumberOf(base::trimView(code)) != 0; }

std::string poolText(int poolIndex) { return displayItem(DisplayList::Pools, poolIndex + 1); }

std::string teamLabel(int number, int gender)
{
    std::string label = formatText(displayItem(DisplayList::TeamLabel, 1), {number});
    if (gender >= 0)
        label += ", " + genderText(gender, true);
    return label;
}

std::string roundText(std::string_view code)
{
    code = base::trimView(code);
    const auto is = [code](std::string_view name) { return base::asciiSameText(code, name); };
    if (is("FIN"))
        return displayItem(DisplayList::Rounds, 4);
    if (is("SEM"))
        return displayItem(DisplayList::Rounds, 3);
    // Swim-offs after prelims, quarterfinals or semi-finals.
    if (is("SOP") || is("SOS") || is("SOF") || is("SO4") || is("SOQ"))
        return displayItem(DisplayList::Rounds, 2);
    if (is("PRE"))
        return displayItem(DisplayList::Rounds, 1);
    if (is("FHT"))
        return "Fastest heat";
    // A timed final is no round of its own; any other code a file brings is the best name there is for it.
    if (code.empty() || is("TIM"))
        return {};
    return std::string(code);
}

} // namespace lanescope::swim
