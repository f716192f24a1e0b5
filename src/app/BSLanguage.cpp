#include "app/BSLanguage.h"

#include "base/FormatSettings.h"
#include "base/Strings.h"

#include <algorithm>
#include <array>

namespace lanescope::app {

namespace {

// The English texts of the base library, built into the program.
constexpr std::string_view BSLanguageData_EN =
    R"(; Texts of the base library: date names and file-dialog filters.
[Data.BS]
ShortMonthNames=Jan;Feb;Mar;Apr;May;Jun;Jul;Aug;Sep;Oct;Nov;Dec
LongMonthNames=January;February;March;April;May;June;July;August;September;October;November;December
ShortDayNames=Sun;Mon;Tue;Wed;Thu;Fri;Sat
LongDayNames=Sunday;Monday;Tuesday;Wednesday;Thursday;Friday;Saturday
FileFilterNames=txt;htm;pdf
FileAll=All files
FileGeneric=%s files
FileTxt=Text files
FileHtm=HTML files
FilePdf=PDF files
)";

template <std::size_t N> void setNames(std::array<std::string, N>& names, std::string_view list)
{
    if (list.empty())
        return;
    for (std::size_t i = 0; i < N; ++i)
        if (std::string_view part = listPart(list, static_cast<int>(i)); !part.empty())
            names[i] = part;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && base::asciiSameText(text.substr(0, prefix.size()), prefix);
}

} // namespace

std::string_view listPart(std::string_view list, int index)
{
    std::size_t start = 0;
    for (; index > 0; --index) {
        const std::size_t semicolon = list.find(';', start);
        if (semicolon == std::string_view::npos)
            return {};
        start = semicolon + 1;
    }
    return index < 0 ? std::string_view() : list.substr(start, list.find(';', start) - start);
}

std::string expandTextMarks(std::string_view text, char breakLetter)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == breakLetter) {
            result += "\r\n";
            ++i;
        } else {
            result += text[i] == '_' ? ' ' : text[i];
        }
    }
    return result;
}

void setDateNames(std::string_view longMonths, std::string_view shortMonths, std::string_view longDays,
                  std::string_view shortDays)
{
    base::TFormatSettings settings = base::currentFormatSettings();
    setNames(settings.longMonthNames, longMonths);
    setNames(settings.shortMonthNames, shortMonths);
    setNames(settings.longDayNames, longDays);
    setNames(settings.shortDayNames, shortDays);
    base::setCurrentFormatSettings(settings);
}

TBSLanguage::TBSLanguage(std::string_view data)
{
    enum class Kind
    {
        None,
        Data,
        Form
    };
    Kind kind = Kind::None;
    std::string section;
    while (!data.empty()) {
        const std::size_t end = std::min(data.find('\n'), data.size());
        std::string line(base::trimView(data.substr(0, end)));
        data.remove_prefix(std::min(end + 1, data.size()));
        std::erase(line, '$');
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = std::string_view(line).substr(1, line.size() - 2);
            kind = startsWithNoCase(name, "Data.")   ? Kind::Data
                   : startsWithNoCase(name, "Form.") ? Kind::Form
                                                     : Kind::None;
            section = base::asciiLower(name.substr(std::min<std::size_t>(5, name.size())));
            continue;
        }
        if (kind == Kind::Data) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos)
                values_.emplace(std::pair(section, base::asciiLower(line.substr(0, equals))),
                                line.substr(equals + 1));
        } else if (kind == Kind::Form) {
            forms_[section].push_back(line == "." ? std::string() : line);
        }
    }
    const auto names = [this](std::string_view key) { return value("BS", key).value_or(std::string_view()); };
    setDateNames(names("LongMonthNames"), names("ShortMonthNames"), names("LongDayNames"),
                 names("ShortDayNames"));
}

TBSLanguage& TBSLanguage::instance()
{
    static TBSLanguage store(BSLanguageData_EN);
    return store;
}

std::optional<std::string_view> TBSLanguage::value(std::string_view section, std::string_view key) const
{
    const auto found = values_.find(std::pair(base::asciiLower(section), base::asciiLower(key)));
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

std::string TBSLanguage::Text(std::string_view reference, int item) const
{
    const std::size_t dot = reference.find('.');
    if (reference.empty() || reference[0] != '#' || dot == std::string_view::npos)
        return std::string(reference);
    const std::optional<std::string_view> found =
        value(reference.substr(1, dot - 1), reference.substr(dot + 1));
    if (!found)
        return std::string(reference);
    return expandTextMarks(item >= 0 ? listPart(*found, item) : *found, 'n');
}

const std::vector<std::string>* TBSLanguage::formLines(std::string_view name) const
{
    const auto found = forms_.find(base::asciiLower(name));
    return found == forms_.end() ? nullptr : &found->second;
}

} // namespace lanescope::app
