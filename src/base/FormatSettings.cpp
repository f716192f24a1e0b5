#include "FormatSettings.h"

#include "base/Strings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <utility>

namespace lanescope::base {

namespace {

TFormatSettings& current()
{
    static TFormatSettings settings;
    return settings;
}

// The short and long date and time formats may contain "c", "t" or "ddddd" themselves; they are expanded
// two levels deep and no further, so a format that names itself cannot loop.
constexpr int kMaxNesting = 2;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// Length of the am/pm marker at the start of the text, 0 when there is none.
std::size_t amPmLength(std::string_view text)
{
    for (std::string_view marker : {"am/pm", "a/p", "ampm"})
        if (text.size() >= marker.size() && asciiSameText(text.substr(0, marker.size()), marker))
            return marker.size();
    return 0;
}

// An hour is written on the 12-hour clock when the first "a" after it (outside quotes, before the next hour)
// begins an am/pm marker.
bool twelveHourClockFollows(std::string_view rest)
{
    char quote = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = lower(rest[i]);
        if (quote != 0) {
            if (rest[i] == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = rest[i];
        } else if (c == 'a') {
            return amPmLength(rest.substr(i)) > 0;
        } else if (c == 'h') {
            return false;
        }
    }
    return false;
}

void appendNumber(std::string& out, int value, int digits)
{
    char buffer[16];
    const int length = std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
    out.append(buffer, static_cast<std::size_t>(length));
}

class DateTimeWriter
{
public:
    DateTimeWriter(TDateTime value, const TFormatSettings& settings)
        : settings_(settings)
        , date_(decodeDate(value))
        , time_(decodeTime(value))
    {
        if (date_.year != 0) {
            // Day 0 (30 December 1899) was a Saturday.
            const long day = static_cast<long>(encodeDate(date_.year, date_.month, date_.day));
            dayOfWeek_ = static_cast<int>(((day + 6) % 7 + 7) % 7);
        } else {
            dayOfWeek_ = -1;
        }
    }

    void append(std::string_view pattern, int level);
    std::string take() { return std::move(out_); }

private:
    void appendHour(std::string_view rest, std::size_t count);
    void appendNested(std::string_view pattern, int level)
    {
        if (level < kMaxNesting)
            append(pattern, level + 1);
    }

    const TFormatSettings& settings_;
    DateParts date_;
    TimeParts time_;
    int dayOfWeek_ = 0; // 0 Sunday; -1 for a value outside the calendar
    std::string out_;
};

void DateTimeWriter::appendHour(std::string_view rest, std::size_t count)
{
    int hour = time_.hour;
    if (twelveHourClockFollows(rest))
        hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
    appendNumber(out_, hour, count == 1 ? 1 : 2);
}

void DateTimeWriter::append(std::string_view pattern, int level)
{
    char lastLetter = 0;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char start = pattern[i];
        std::size_t count = 1;
        while (i + count < pattern.size() && pattern[i + count] == start)
            ++count;
        char token = lower(start);
        if (token == 'm' && lastLetter == 'h')
            token = 'n';
        if (token >= 'a' && token <= 'z')
            lastLetter = token;
        switch (token) {
        case 'd':
            if (count <= 2)
                appendNumber(out_, date_.day, static_cast<int>(count));
            else if (count <= 4 && dayOfWeek_ >= 0)
                out_ += (count == 3 ? settings_.shortDayNames : settings_.longDayNames)[dayOfWeek_];
            else if (count >= 5)
                appendNested(count == 5 ? settings_.shortDateFormat : settings_.longDateFormat, level);
            break;
        case 'm':
            if (count <= 2)
                appendNumber(out_, date_.month, static_cast<int>(count));
            else if (date_.month >= 1)
                out_ += (count == 3 ? settings_.shortMonthNames : settings_.longMonthNames)[date_.month - 1];
            break;
        case 'y':
            if (count <= 2)
                appendNumber(out_, date_.year % 100, 2);
            else
                appendNumber(out_, date_.year, 4);
            break;
        case 'h':
            appendHour(pattern.substr(i + count), count);
            break;
        case 'n':
            appendNumber(out_, time_.minute, count == 1 ? 1 : 2);
            break;
        case 's':
            appendNumber(out_, time_.second, count == 1 ? 1 : 2);
            break;
        case 't':
            appendNested(count == 1 ? settings_.shortTimeFormat : settings_.longTimeFormat, level);
            break;
        case 'c':
            appendNested(settings_.shortDateFormat, level);
            if (time_.hour != 0 || time_.minute != 0 || time_.second != 0) {
                out_ += ' ';
                appendNested(settings_.longTimeFormat, level);
            }
            break;
        case 'a':
            count = amPmLength(pattern.substr(i));
            if (count == 4) {
                out_ += time_.hour < 12 ? settings_.timeAMString : settings_.timePMString;
            } else if (count > 0) {
                // "am/pm" and "a/p" write their own letters, in the case the pattern uses.
                const std::size_t length = count == 5 ? 2 : 1;
                out_ += pattern.substr(time_.hour < 12 ? i : i + length + 1, length);
            } else {
                count = 1;
                out_ += start;
            }
            break;
        case '\'':
        case '"': {
            const std::size_t close = pattern.find(start, i + 1);
            const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
            out_ += pattern.substr(i + 1, end - i - 1);
            count = end - i + 1;
            break;
        }
        default:
            // Separators and every other character stand for themselves, one at a time.
            count = 1;
            out_ += start == '/' ? settings_.dateSeparator : start == ':' ? settings_.timeSeparator : start;
            break;
        }
        i += count;
    }
}

} // namespace

const TFormatSettings& currentFormatSettings() { return current(); }

void setCurrentFormatSettings(const TFormatSettings& settings) { current() = settings; }

std::string formatDateTime(std::string_view pattern, TDateTime value, const TFormatSettings& settings)
{
    DateTimeWriter writer(value, settings);
    writer.append(pattern, 0);
    return writer.take();
}

std::string formatDecimal(double value, int decimals, const TFormatSettings& settings)
{
    std::array<char, 400> buffer; // enough for the largest double in fixed notation with 15 decimals
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, std::clamp(decimals, 0, 15));
    std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
    if (text.find_first_not_of("-0.") == std::string::npos && !text.empty() && text[0] == '-')
        text.erase(0, 1); // a small negative value rounded to zero is written without its sign
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text[point] = settings.decimalSeparator;
    return text;
}

std::optional<double> parseDecimal(std::string_view text, const TFormatSettings& settings)
{
    text = trimView(text);
    // Check the shape first: from_chars alone would accept "inf", "nan" and hexadecimal digits.
    std::string normal;
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            normal += text[i++];
        return i - from;
    };
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            normal += '-';
        ++i;
    }
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == settings.decimalSeparator) {
        normal += '.';
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            normal += text[i++];
        if (digits() == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error != std::errc() || end != normal.data() + normal.size())
        return std::nullopt;
    return value;
}

} // namespace lanescope::base
