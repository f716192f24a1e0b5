#include "convert/Lenex3Values.h"

#include "base/Strings.h"
#include "lenex/LnxSwimStyle.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace lanescope::convert::lenex3 {

namespace {

bool digitsAt(std::string_view text, std::size_t position, std::size_t count)
{
    if (text.size() < position + count)
        return false;
    for (std::size_t i = position; i < position + count; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

bool isDate(std::string_view value)
{
    return digitsAt(value, 0, 4) && value.size() >= 10 && value[4] == '-' && digitsAt(value, 5, 2) &&
           value[7] == '-' && digitsAt(value, 8, 2) && (value.size() == 10 || value[10] == 'T');
}

template <class T>
T lookUp(std::string_view key, std::initializer_list<std::pair<std::string_view, T>> table, T fallback)
{
    for (const auto& [name, value] : table)
        if (name == key)
            return value;
    return fallback;
}

} // namespace

std::string dateText(std::string_view value)
{
    value = base::trimView(value);
    if (!isDate(value))
        return {};
    return std::string(value.substr(0, 4)) + std::string(value.substr(5, 2)) +
           std::string(value.substr(8, 2));
}

int yearOf(std::string_view value)
{
    value = base::trimView(value);
    return isDate(value) ? base::strToIntDef(value.substr(0, 4), 0) : 0;
}

std::string daytimeText(std::string_view value)
{
    value = base::trimView(value);
    if (!digitsAt(value, 0, 2) || value.size() < 5 || value[2] != ':' || !digitsAt(value, 3, 2))
        return {};
    return std::string(value.substr(0, 2)) + std::string(value.substr(3, 2));
}

lenex::TSwimTime swimTime(std::string_view value)
{
    value = base::trimView(value);
    const std::size_t first = value.find(':');
    const std::size_t second = first == std::string_view::npos ? first : value.find(':', first + 1);
    if (second == std::string_view::npos)
        return 0;
    const std::int32_t hours = base::strToIntDef(value.substr(0, first), -1);
    if (hours < 0)
        return 0;
    const lenex::TSwimTime rest = lenex::parseSwimTime(value.substr(first + 1));
    // A time beyond the swim time's range (about 59 hours) is no time.
    const std::int64_t total = static_cast<std::int64_t>(hours) * 60 * 600000 + rest;
    return total > 0 && total <= INT32_MAX ? static_cast<lenex::TSwimTime>(total) : 0;
}

std::string reactionTimeText(std::string_view value, char decimalSeparator)
{
    value = base::trimView(value);
    if (value.empty() || value.size() > 6)
        return {};
    const std::int32_t hundredths = base::strToIntDef(value, INT32_MIN);
    if (hundredths == INT32_MIN)
        return {};
    const std::int32_t magnitude = std::abs(hundredths);
    std::string text = hundredths < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    text += decimalSeparator;
    text += static_cast<char>('0' + magnitude % 100 / 10);
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

int poolIndexOfCourse(std::string_view course)
{
    return lookUp<int>(base::trimView(course),
                       {{"SCM", 0}, {"LCM", 1}, {"SCY", 2}, {"SCM33", 3}, {"SCM16", 4}}, -1);
}

std::string timingCode(std::string_view timing)
{
    return std::string(lookUp<std::string_view>(
        base::trimView(timing), {{"MANUAL3", "M3"}, {"MANUAL2", "M1"}, {"MANUAL1", "M1"}}, "A"));
}

std::string statusCode(std::string_view status)
{
    status = base::trimView(status);
    return std::string(
        lookUp<std::string_view>(status, {{"DSQ", "DQ"}, {"EXH", "EX"}, {"SICK", "DNS"}}, status));
}

int strokeIndexOf(std::string_view stroke)
{
    // Positions in the first-generation stroke list: FR 0, BU 1, BA 2, BR 3, IM 4, XX 6.
    return lookUp<int>(base::trimView(stroke),
                       {{"FREE", 0}, {"FLY", 1}, {"BACK", 2}, {"BREAST", 3}, {"MEDLEY", 4}, {"IMRELAY", 4}},
                       lenex::kSpecialStroke);
}

std::string sexCode(std::string_view gender)
{
    gender = base::trimView(gender);
    return gender == "M" || gender == "F" ? std::string(gender) : "X";
}

int leadingNumber(std::string_view text)
{
    int value = -1;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > 100000)
            break;
        value = (value < 0 ? 0 : value * 10) + (c - '0');
    }
    return value;
}

} // namespace lanescope::convert::lenex3
