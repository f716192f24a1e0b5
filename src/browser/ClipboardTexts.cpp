#include "browser/ClipboardTexts.h"

#include "base/Strings.h"
#include "browser/AthleteRows.h"
#include "browser/ListCells.h"
#include "browser/SplitsBlock.h"
#include "lenex/LnxTime.h"
#include "swim/LenexTexts.h"
#include "swim/SwimTime.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace lanescope::browser {

using namespace lenex;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void trimEnd(std::string& text) { text.resize(base::trimRightView(text).size()); }

void endLine(std::string& text)
{
    trimEnd(text);
    text += kLineEnd;
}

std::string timeText(TSwimTime time) { return swim::formatSwimTime(time, false); }

std::string validTimeText(const TLnxObject& item)
{
    return IsValidResult(item) ? timeText(lenexTimeRead(item.getText(tag::TIME), tkValid)) : std::string();
}

bool copied(const TLnxObject& item, const CopyOptions& options)
{
    return (!options.onlyValidResults || IsValidResult(item)) &&
           (options.rows == nullptr || options.rows->count(&item) > 0);
}

// The list shows splits ordered by distance, and the copy is taken of the list shown; only valid split
// times count.
std::vector<SplitTime> splitsByDistance(const TLnxObject& item)
{
    std::vector<SplitTime> splits = splitTimesByDistance(item);
    for (SplitTime& split : splits)
        if (split.kind != 'V')
            split.time = 0;
    return splits;
}

std::string relaySplitText(const TLenex& document, const TLnxObject& item, const TLnxObject* event,
                           const std::vector<SplitTime>& splits)
{
    const std::string unit = document.poolUnit();
    const int legs = event ? event->getInteger(tag::DISCNT) : 0;
    const std::int64_t legDistance = event ? event->getInteger(tag::DIS) : 0;
    const std::int64_t step = relayPoolLength(document);
    std::string text;
    if (legs <= 0 || legDistance <= 0 || step <= 0)
        return text;
    std::vector<const TLnxObject*> swimmers(static_cast<std::size_t>(std::min(legs, kMaxPoolLengths)) + 1);
    if (const TLnxCollection* positions = item.findCollection(tag::POSITIONS))
        for (int i = 0; i < positions->childCount(); ++i)
            if (const TLnxObject* position = positions->itemAt(i)) {
                const int leg = position->getInteger(tag::NUM);
                if (leg >= 1 && static_cast<std::size_t>(leg) < swimmers.size())
                    swimmers[static_cast<std::size_t>(leg)] = position;
            }
    TSwimTime previous = 0;
    int lengths = 0;
    for (std::int64_t f = 0; f < legDistance * legs && lengths < kMaxPoolLengths; f += step, ++lengths) {
        if (!text.empty())
            endLine(text);
        text += '\t';
        // Legs count from 1: the swimmer of a leg opens the line of its first length.
        if (const std::size_t leg = static_cast<std::size_t>(f / legDistance + 1);
            f % legDistance == 0 && leg < swimmers.size() && swimmers[leg])
            if (const TLnxObject* person = document.personById(swimmers[leg]->getInteger(tag::PID)))
                text += swim::participantText(*person, false);
        const std::int64_t g = f + step;
        const std::string distance = std::to_string(g);
        const auto split = std::find_if(splits.begin(), splits.end(),
                                        [&distance](const SplitTime& s) { return s.distance == distance; });
        const TSwimTime t = split == splits.end() ? 0 : split->time;
        if (t > 0) {
            std::string cell = "\t" + distance + unit + ":\t" + timeText(t) + "\t" + lapText(t, previous);
            if (g % legDistance == 0)
                if (const TSwimTime leg = relayLegTime(splits, g, legDistance); leg > 0)
                    cell = timeText(leg) + cell;
            previous = t;
            text += "\t" + cell;
        }
        text += kLineEnd;
    }
    return text;
}

std::string individualSplitText(const TLenex& document, const std::vector<SplitTime>& splits)
{
    const std::string unit = document.poolUnit();
    TSwimTime previous = 0;
    const auto cell = [&unit, &previous](const SplitTime& split) {
        std::string text = "\t" + split.distance + unit + ":\t";
        if (split.time <= 0)
            return text + "\t";
        text += timeText(split.time) + "\t";
        if (previous + split.time > 0) {
            text += lapText(split.time, previous);
            previous = split.time;
        }
        return text;
    };
    const std::size_t count = splits.size();
    const std::size_t rows = count == 0 ? 1 : (count - 1) / 2 + 1;
    // The left column is built first, so the laps of the right column follow on from its last split.
    std::vector<std::string> left(rows);
    for (std::size_t j = 0; j < rows && j < count; ++j)
        left[j] = cell(splits[j]);
    std::string text;
    for (std::size_t j = 0; j < rows; ++j) {
        text += left[j];
        if (j + rows < count)
            text += cell(splits[j + rows]);
        text += kLineEnd;
    }
    return text;
}

// The heat/lane and reaction-time fields of a result line, each led by a tab, for the columns shown.
std::string optionalColumns(const TLnxObject& item, const CopyOptions& options)
{
    const bool isResult = item.tag() == tag::RESULT;
    std::string fields;
    if (options.heatLane) {
        fields += '\t';
        if (const int lane = item.getInteger(tag::LANE); isResult && lane > 0)
            fields += swim::formatText("%d / %d", {item.getInteger(tag::HEAT), lane});
    }
    if (options.reaction)
        fields += "\t" + (isResult ? item.getText(tag::RT) : std::string());
    return fields;
}

} // namespace

std::string splitText(const TLenex& document, const TLnxObject& item, const TLnxObject* event)
{
    const bool hasPositions = item.findCollection(tag::POSITIONS) != nullptr;
    if (!hasPositions && !item.findCollection(tag::SPLITS))
        return {};
    const std::vector<SplitTime> splits = splitsByDistance(item);
    return hasPositions ? relaySplitText(document, item, event, splits)
                        : individualSplitText(document, splits);
}

std::string CopyEventList(const TLenex& document, const ResultLists& lists, const EventTreeNode& node,
                          const CopyOptions& options)
{
    const bool ageGroupNode = node.level >= 2 && node.parent;
    std::string text =
        (ageGroupNode ? node.parent->text + ", " + node.text : node.text) + std::string(kLineEnd);
    const TLnxObject* event = listEventOf(&node, lists);
    if (!event)
        return text;
    const bool mixed = event->getText(tag::SEX) == "X";
    for (const ListSection& section : shownSections(&node, lists, options.order)) {
        if (!section.heading.empty())
            text += section.heading + std::string(kLineEnd);
        for (TLnxObject* item : section.rows) {
            if (!copied(*item, options))
                continue;
            text += '\t' + placeText(*item, section.ageGroupId);
            const TLnxObject* owner = ownerOf(*item);
            const TLnxObject* club = clubOf(owner);
            text += "\t" + (owner ? swim::participantText(*owner, mixed) : std::string()) + "\t" +
                    (club ? club->getText(tag::NAME) : std::string()) + "\t" + validTimeText(*item);
            const std::string& comment = item->getText(tag::COMMENT);
            if (options.heatLane || options.reaction)
                text += "\t" + comment + optionalColumns(*item, options);
            else if (!comment.empty())
                text += "\t" + comment;
            endLine(text);
            if (options.splitsAndNames)
                text += splitText(document, *item, event);
        }
    }
    return text;
}

std::string CopyAthleteList(const TLenex& document, const ClubTreeNode& node, const CopyOptions& options)
{
    std::string text = node.text + std::string(kLineEnd);
    if (!node.items)
        return text;
    for (const AthleteRow& row : athleteRows(document, node)) {
        TLnxObject* item = row.item;
        if (!copied(*item, options))
            continue;
        const int eventId = item->getInteger(tag::EID);
        const TLnxObject* event = document.eventById(eventId);
        const TLnxObject* ageGroup = document.ageGroupByIds(eventId, item->getInteger(tag::CID));
        text += "\t" + (event ? event->getText(tag::NUM) : std::string()) + "\t" +
                (event ? swim::eventText(document, *event) : std::string()) + "\t" +
                (ageGroup ? swim::ageGroupText(document, ageGroup) : std::string()) + "\t" +
                validTimeText(*item) + "\t" + placeText(*item);
        std::string remark = remarkText(*item, event);
        if (const std::string details = athleteRowDetails(row); !details.empty())
            remark += (remark.empty() ? "" : ",  ") + details;
        if (!remark.empty())
            text += "\t" + remark;
        endLine(text);
        if (options.splitsAndNames)
            text += splitText(document, *item, event);
    }
    return text;
}

} // namespace lanescope::browser
