#include "browser/ListCsv.h"

#include "base/Strings.h"
#include "browser/ListCells.h"
#include "browser/SplitsBlock.h"
#include "swim/LenexTexts.h"
#include "swim/SwimTime.h"

#include <algorithm>
#include <map>
#include <vector>

namespace lanescope::browser {

using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void addLine(std::string& text, const std::vector<std::string>& fields)
{
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0)
            text += ',';
        text += csvField(fields[k]);
    }
    text += kLineEnd;
}

std::string positiveOrEmpty(const TLnxObject& item, lenex::TLnxTagId field)
{
    const int value = item.getInteger(field);
    return value > 0 ? std::to_string(value) : std::string();
}

// Name and year of birth of an athlete; a relay's name (with its gender in a mixed event) and no year.
std::pair<std::string, std::string> nameAndYear(const TLnxObject* owner, bool mixed)
{
    if (owner == nullptr)
        return {};
    if (owner->tag() != tag::PERSON)
        return {swim::participantText(*owner, mixed), std::string()};
    return {base::trim(owner->getText(tag::NAME) + " " + owner->getText(tag::FNAME)),
            positiveOrEmpty(*owner, tag::YOB)};
}

std::vector<std::string> rowFields(TLnxObject& item, int ageGroupId, bool mixed)
{
    const bool isResult = item.tag() == tag::RESULT;
    const std::string place = placeText(item, ageGroupId);
    const bool hasStatus = isResult && !item.getText(tag::CODE).empty();
    const TLnxObject* owner = ownerOf(item);
    const TLnxObject* club = clubOf(owner);
    auto [name, year] = nameAndYear(owner, mixed);
    return {
        hasStatus || place.empty() || place.back() != '.' ? std::string() : place.substr(0, place.size() - 1),
        std::move(name),
        std::move(year),
        club != nullptr ? club->getText(tag::NAME) : std::string(),
        club != nullptr ? club->getText(tag::NATION) : std::string(),
        base::trim(timeCell(item).text),
        isResult ? positiveOrEmpty(item, tag::POINTS) : std::string(),
        hasStatus ? place : std::string(),
        positiveOrEmpty(item, tag::HEAT),
        positiveOrEmpty(item, tag::LANE),
        isResult ? item.getText(tag::RT) : std::string(),
    };
}

} // namespace

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

std::string EventListCsv(const lenex::TLenex& document, const ResultLists& lists, const EventTreeNode& node,
                         const CopyOptions& options)
{
    const TLnxObject* event = listEventOf(&node, lists);
    const bool mixed = event != nullptr && event->getText(tag::SEX) == "X";
    std::vector<ListSection> sections = shownSections(&node, lists, options.order);
    const bool ageGroups = showsAgeGroups(&node, lists);
    for (ListSection& section : sections)
        std::erase_if(section.rows, [&options](const TLnxObject* item) {
            return options.onlyValidResults && !IsValidResult(*item);
        });

    // One column per split distance that any row has, in distance order.
    std::map<int, std::string> distances;
    for (const ListSection& section : sections)
        for (const TLnxObject* item : section.rows)
            for (const SplitTime& split : splitTimesByDistance(*item))
                distances.emplace(base::strToIntDef(split.distance, 0), split.distance);

    std::vector<std::string> header = {"Place",  "Name",   "Year", "Club", "Nation",  "Time",
                                       "Points", "Status", "Heat", "Lane", "Reaction"};
    if (ageGroups)
        header.insert(header.begin(), "Age group");
    for (const auto& [number, distance] : distances)
        header.push_back(distance + document.poolUnit());
    std::string text;
    addLine(text, header);
    for (const ListSection& section : sections) {
        for (TLnxObject* item : section.rows) {
            std::vector<std::string> fields = rowFields(*item, section.ageGroupId, mixed);
            if (ageGroups)
                fields.insert(fields.begin(), section.heading);
            const std::vector<SplitTime> splits = splitTimesByDistance(*item);
            for (const auto& column : distances) {
                const std::string& distance = column.second;
                const auto split =
                    std::find_if(splits.begin(), splits.end(),
                                 [&distance](const SplitTime& s) { return s.distance == distance; });
                fields.push_back(split != splits.end() && split->time > 0
                                     ? base::trim(swim::formatSwimTime(split->time, false))
                                     : std::string());
            }
            addLine(text, fields);
        }
    }
    return text;
}

} // namespace lanescope::browser
