#include "convert/Dsv7Values.h"

#include "base/Strings.h"
#include "convert/Lenex3Values.h"
#include "lenex/LnxSwimStyle.h"

#include <algorithm>

namespace lanescope::convert::dsv7 {

namespace {

using base::trimView;

bool digitsAt(std::string_view text, std::size_t position, std::size_t count)
{
    if (text.size() < position + count)
        return false;
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(position),
                       text.begin() + static_cast<std::ptrdiff_t>(position + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool isDate(std::string_view value)
{
    return value.size() == 10 && digitsAt(value, 0, 2) && value[2] == '.' && digitsAt(value, 3, 2) &&
           value[5] == '.' && digitsAt(value, 6, 4);
}

// "JJJJ-MM-TT", which one tool that turns spreadsheets into DSV lists writes.
bool isIsoDate(std::string_view value)
{
    return value.size() == 10 && digitsAt(value, 0, 4) && value[4] == '-' && digitsAt(value, 5, 2) &&
           value[7] == '-' && digitsAt(value, 8, 2);
}

// An age as the number before an optional "+" ("80+" is 80); -1 for anything else.
int ageOf(std::string_view text)
{
    text = trimView(text);
    if (text.ends_with('+'))
        text.remove_suffix(1);
    const int age = numberOf(text, -1);
    return age >= 0 && age <= 999 ? age : -1;
}

constexpr std::pair<std::string_view, std::string_view> kStrokeWords[] = {
    {"F", "Freistil"}, {"R", "Rücken"}, {"B", "Brust"}, {"S", "Schmetterling"}, {"L", "Lagen"},
};

constexpr std::pair<std::string_view, std::string_view> kExerciseWords[] = {
    {"BE", "Beine"},
    {"AR", "Arme"},
    {"ST", "Start"},
    {"WE", "Wende"},
    {"GB", "Gleitübung"},
    {"KB", "Kicks Bauchlage"},
    {"KR", "Kicks Rückenlage"},
};

} // namespace

int numberOf(std::string_view text, int fallback)
{
    text = trimView(text);
    while (text.size() > 1 && text.front() == '0')
        text.remove_prefix(1);
    return base::isInteger(text) ? base::strToIntDef(text, fallback) : fallback;
}

std::string idKey(std::string_view text)
{
    text = trimView(text);
    while (text.size() > 1 && text.front() == '0')
        text.remove_prefix(1);
    return std::string(text);
}

std::string dateText(std::string_view value)
{
    value = trimView(value);
    if (isIsoDate(value))
        return std::string(value.substr(0, 4)) + std::string(value.substr(5, 2)) +
               std::string(value.substr(8, 2));
    if (!isDate(value))
        return {};
    return std::string(value.substr(6, 4)) + std::string(value.substr(3, 2)) +
           std::string(value.substr(0, 2));
}

int yearOf(std::string_view value)
{
    const std::string date = dateText(value);
    return date.empty() ? 0 : base::strToIntDef(std::string_view(date).substr(0, 4), 0);
}

std::string daytimeText(std::string_view value)
{
    value = trimView(value);
    if (value.size() != 5 || !digitsAt(value, 0, 2) || value[2] != ':' || !digitsAt(value, 3, 2) ||
        value == "00:00")
        return {};
    return std::string(value.substr(0, 2)) + std::string(value.substr(3, 2));
}

lenex::TSwimTime swimTime(std::string_view value) { return lenex3::swimTime(value); }

int moneyInHundredths(std::string_view value)
{
    value = trimView(value);
    const std::size_t separator = value.find_first_of(",.");
    const std::string_view whole = value.substr(0, separator);
    std::string_view cents = separator == std::string_view::npos ? "" : value.substr(separator + 1);
    if (whole.empty() || whole.size() > 7 || !digitsAt(whole, 0, whole.size()) || cents.size() > 2 ||
        !digitsAt(cents, 0, cents.size()))
        return -1;
    const int fraction = cents.empty() ? 0 : base::strToIntDef(cents, 0) * (cents.size() == 1 ? 10 : 1);
    return base::strToIntDef(whole, 0) * 100 + fraction;
}

std::string sexCode(std::string_view letter)
{
    letter = trimView(letter);
    if (base::asciiSameText(letter, "M"))
        return "M";
    if (base::asciiSameText(letter, "W"))
        return "F";
    // "D" (diverse) must not reach the tree as it stands: the gender parse would read it as female.
    if (base::asciiSameText(letter, "X") || base::asciiSameText(letter, "D"))
        return "X";
    return {};
}

int sexIndexOf(std::string_view code) { return code == "M" ? 0 : code == "F" ? 1 : 2; }

std::string roundType(std::string_view kind)
{
    kind = trimView(kind);
    if (base::asciiSameText(kind, "V"))
        return "PRE";
    if (base::asciiSameText(kind, "Z"))
        return "SEM";
    if (base::asciiSameText(kind, "F"))
        return "FIN";
    if (base::asciiSameText(kind, "A"))
        return "SOF";
    return "TIM";
}

int strokeIndexOf(std::string_view stroke)
{
    // Positions in the stroke list: FR 0, BU 1, BA 2, BR 3, IM 4.
    constexpr std::pair<std::string_view, int> kStrokes[] = {
        {"F", 0}, {"S", 1}, {"R", 2}, {"B", 3}, {"L", 4}};
    for (const auto& [letter, index] : kStrokes)
        if (base::asciiSameText(letter, trimView(stroke)))
            return index;
    return -1;
}

std::string styleName(int swimmers, int distance, std::string_view stroke, std::string_view exercise)
{
    std::string name = swimmers > 1 ? std::to_string(swimmers) + "x" : "";
    name += std::to_string(distance) + "m ";
    std::string_view strokeWord = "Sonderform";
    for (const auto& [letter, word] : kStrokeWords)
        if (base::asciiSameText(letter, trimView(stroke)))
            strokeWord = word;
    name += strokeWord;
    for (const auto& [code, word] : kExerciseWords)
        if (base::asciiSameText(code, trimView(exercise)))
            name += " " + std::string(word);
    return name;
}

std::string reactionTimeText(std::string_view sign, std::string_view time, char decimalSeparator)
{
    time = trimView(time);
    // Only the seconds and hundredths matter: a reaction time is under a minute.
    if (const std::size_t colon = time.rfind(':'); colon != std::string_view::npos)
        time = time.substr(colon + 1);
    const std::size_t separator = time.find_first_of(",.");
    const int seconds = numberOf(time.substr(0, separator), -1);
    const std::string_view fraction = separator == std::string_view::npos ? "" : time.substr(separator + 1);
    if (seconds < 0 || seconds > 59 || fraction.size() != 2 || !digitsAt(fraction, 0, 2))
        return {};
    const int hundredths = seconds * 100 + base::strToIntDef(fraction, 0);
    const bool early = trimView(sign) == "-" && hundredths > 0;
    return lenex3::reactionTimeText(std::to_string(early ? -hundredths : hundredths), decimalSeparator);
}

std::pair<std::string, std::string> splitName(std::string_view name)
{
    const std::size_t comma = name.find(',');
    if (comma == std::string_view::npos)
        return {std::string(trimView(name)), {}};
    return {std::string(trimView(name.substr(0, comma))), std::string(trimView(name.substr(comma + 1)))};
}

std::string associationCode(std::string_view value)
{
    value = trimView(value);
    const int number = numberOf(value, -1);
    if (value.empty() || number == 0)
        return {};
    if (number >= 1 && number <= 9)
        return "0" + std::to_string(number);
    return std::string(value);
}

AgeBounds ageBounds(std::string_view type, std::string_view lower, std::string_view upper, bool relay,
                    int referenceYear)
{
    AgeBounds bounds;
    if (base::asciiSameText(trimView(type), "AK")) {
        int low = ageOf(lower);
        int high = trimView(upper).empty() ? (relay || low < 0 ? -1 : low + 4) : ageOf(upper);
        if (low >= 0 && high >= 0 && high < low)
            std::swap(low, high);
        bounds.max = low >= 0 ? referenceYear - low : -1;
        bounds.min = high >= 0 ? referenceYear - high : -1;
    } else {
        int low = numberOf(lower, 0);
        int high = trimView(upper).empty() ? low : numberOf(upper, 0);
        // Writers differ in which year comes first ("2013;2011" is born 2011 to 2013); open bounds keep
        // their side.
        const auto year = [](int value) { return value > 0 && value < 9999; };
        if (year(low) && year(high) && high < low)
            std::swap(low, high);
        bounds.min = low > 0 && low < 9999 ? low : -1;
        bounds.max = high > 0 && high < 9999 ? high : -1;
    }
    const int youngest = bounds.max == -1 ? 0 : referenceYear - bounds.max;
    const int oldest = bounds.min == -1 ? 99 : referenceYear - bounds.min;
    bounds.width = oldest - youngest;
    return bounds;
}

void addFinishSplit(std::map<int, lenex::TSwimTime>& splits, int raceDistance, lenex::TSwimTime finalTime)
{
    if (!splits.empty() && finalTime > 0 && raceDistance > 0)
        splits.try_emplace(raceDistance, finalTime);
}

} // namespace lanescope::convert::dsv7
