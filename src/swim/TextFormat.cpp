#include "swim/TextFormat.h"

#include <cstdint>

namespace lanescope::swim {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void appendNumber(std::string& out, int number, int minDigits)
{
    std::int64_t value = number;
    if (value < 0) {
        out.push_back('-');
        value = -value;
    }
    const std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < minDigits)
        out.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
    out += digits;
}

// Length of the directive at format[0] == '%' and its minimum digit count; 0 when it is none we fill.
std::size_t directiveLength(std::string_view format, int& minDigits)
{
    minDigits = 0;
    if (format.size() >= 2 && (format[1] == 'd' || format[1] == 's'))
        return 2;
    if (format.size() < 4 || format[1] != '.' || !isDigit(format[2]))
        return 0;
    int digits = format[2] - '0';
    std::size_t end = 3;
    if (isDigit(format[end]))
        digits = digits * 10 + (format[end++] - '0');
    if (end >= format.size() || format[end] != 'd')
        return 0;
    minDigits = digits;
    return end + 1;
}

} // namespace

std::string formatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out.push_back(format[i++]);
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out.push_back('%');
            i += 2;
            continue;
        }
        int minDigits = 0;
        const std::size_t length = directiveLength(format.substr(i), minDigits);
        if (length == 0 || next == args.end()) {
            out.push_back(format[i++]);
            continue;
        }
        if (const int* number = std::get_if<int>(&*next))
            appendNumber(out, *number, minDigits);
        else
            out += std::get<std::string_view>(*next);
        ++next;
        i += length;
    }
    return out;
}

} // namespace lanescope::swim
