#include "lenex/LnxTime.h"

#include "base/Strings.h"

#include <cstdint>

namespace lanescope::lenex {

namespace {

constexpr char kKindLetters[] = {'E', 'I', 'L', 'V', 'A'};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

TSwimTime parseSwimTime(std::string_view text)
{
    if (text == "99:99.99" || text == "99:99,99")
        text = "59:59.99";

    // The pieces between ":", "." and ",": only the first and the last three count, so they are kept
    // without a list (converters read a time per split).
    std::size_t count = 0;
    std::string_view first;
    std::string_view last[3]; // the third last, second last and last piece
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ':' || text[i] == '.' || text[i] == ',') {
            const std::string_view piece = text.substr(start, i - start);
            if (count++ == 0)
                first = piece;
            last[0] = last[1];
            last[1] = last[2];
            last[2] = piece;
            start = i + 1;
        }
    }
    if (count < 2)
        return 0;

    // Four pieces carry the hours in front: "1:02:03.45".
    const std::int32_t hours = count >= 4 ? base::strToIntDef(base::trimView(first), 0) : 0;
    const std::int32_t minutes = count >= 3 ? base::strToIntDef(base::trimView(last[0]), 0) : 0;
    const std::int32_t seconds = base::strToIntDef(base::trimView(last[1]), 0);
    const std::string_view fraction = last[2];

    // Wrap-around of absurd hour, minute or second counts is no concern: the result only has to stay defined.
    std::int64_t value = (static_cast<std::int64_t>(hours) * 60 + minutes) * 600000 +
                         static_cast<std::int64_t>(seconds) * 10000;
    if (!fraction.empty())
        value += isDigit(fraction[0]) ? (fraction[0] - '0') * 1000 : 0;
    if (fraction.size() >= 2)
        value += isDigit(fraction[1]) ? (fraction[1] - '0') * 10 : 100;
    else if (value > 0)
        value += 100;
    return static_cast<TSwimTime>(value);
}

std::string lenexTimeWrite(int kind, TSwimTime time)
{
    if (time < 0)
        time = 0;
    const char letter = kKindLetters[kind >= 0 && kind <= tkAny ? kind : tkAny];
    const int minutes = time / 600000;
    const int seconds = time % 600000 / 10000;
    const int tenths = time % 10000 / 1000;
    const int hundredths = time % 1000 / 10 % 10;
    // A swim time holds at most 59 hours, so every field has a fixed width: "V00h01:23.45". Written by hand,
    // as converters write a time per split and formatting through printf took most of their work.
    const int hours = minutes / 60;
    const int minute = minutes % 60;
    const char text[] = {letter, static_cast<char>('0' + hours / 10),   static_cast<char>('0' + hours % 10),
                         'h',    static_cast<char>('0' + minute / 10),  static_cast<char>('0' + minute % 10),
                         ':',    static_cast<char>('0' + seconds / 10), static_cast<char>('0' + seconds % 10),
                         '.',    static_cast<char>('0' + tenths),       static_cast<char>('0' + hundredths)};
    return std::string(text, sizeof text);
}

TSwimTime lenexTimeRead(std::string_view value, int expectedKind)
{
    if (value.empty())
        return 0;
    if (expectedKind != tkAny &&
        (expectedKind < 0 || expectedKind > tkAny || value[0] != kKindLetters[expectedKind]))
        return 0;
    if (value.size() <= 4)
        return 0;
    const TSwimTime time = parseSwimTime(value.substr(4, 8));
    const bool hourField = isDigit(value[1]) && isDigit(value[2]) && value[3] == 'h';
    const int hours = hourField ? (value[1] - '0') * 10 + (value[2] - '0') : 0;
    // A time beyond the swim time's range (about 59 hours) is no time.
    const std::int64_t total = static_cast<std::int64_t>(hours) * 60 * 600000 + time;
    return total <= INT32_MAX ? static_cast<TSwimTime>(total) : 0;
}

int lenexTimeKind(std::string_view value)
{
    if (value.empty())
        return 0;
    switch (value[0]) {
    case 'I':
        return tkInvalid;
    case 'L':
        return tkLimit;
    case 'V':
        return tkValid;
    default:
        return 0;
    }
}

} // namespace lanescope::lenex
