#include "chart/RaceFromList.h"

#include "browser/ListCells.h"
#include "browser/ResultLists.h"
#include "browser/SplitsBlock.h"
#include "lenex/LnxTime.h"
#include "swim/LenexTexts.h"
#include "swim/SwimTime.h"

#include <algorithm>

namespace lanescope::chart {

namespace tag = lenex::tag;

namespace {

bool hasSplits(const lenex::TLnxObject& item)
{
    if (item.tag() != tag::RESULT)
        return false;
    for (const browser::SplitTime& split : browser::splitTimesByDistance(item))
        if (split.kind == 'V' && split.time > 0)
            return true;
    return false;
}

} // namespace

std::vector<lenex::TLnxObject*> raceRows(const std::vector<lenex::TLnxObject*>& shown,
                                         const std::set<int>& selected, int limit)
{
    std::vector<lenex::TLnxObject*> rows;
    if (!selected.empty()) {
        for (const int index : selected)
            if (index >= 0 && index < static_cast<int>(shown.size()) &&
                hasSplits(*shown[static_cast<std::size_t>(index)]) &&
                static_cast<int>(rows.size()) < kMostRaceRows)
                rows.push_back(shown[static_cast<std::size_t>(index)]);
        return rows;
    }
    const int most = std::clamp(limit, 1, kMostRaceRows);
    for (lenex::TLnxObject* item : shown)
        if (static_cast<int>(rows.size()) < most && hasSplits(*item))
            rows.push_back(item);
    return rows;
}

RaceData raceFromRows(const lenex::TLnxObject& event, const std::vector<lenex::TLnxObject*>& rows,
                      int ageGroupId, std::string title)
{
    RaceData race;
    race.title = std::move(title);
    const int legs = event.getInteger(tag::DISCNT);
    const int legDistance = event.getInteger(tag::DIS);
    race.raceDistance = std::max(0, legs > 1 ? legs * legDistance : legDistance);
    race.legDistance = legs > 1 ? legDistance : 0;
    const bool mixed = event.getText(tag::SEX) == "X";
    for (lenex::TLnxObject* item : rows) {
        RaceSwimmer swimmer;
        swimmer.place = browser::placeText(*item, ageGroupId);
        const lenex::TLnxObject* owner = browser::ownerOf(*item);
        swimmer.name = owner ? swim::participantText(*owner, mixed) : std::string();
        const lenex::TSwimTime finalTime =
            browser::IsValidResult(*item) ? lenex::lenexTimeRead(item->getText(tag::TIME), lenex::tkValid)
                                          : 0;
        swimmer.finished = finalTime > 0;
        swimmer.finalTime = swimmer.finished
                                ? swim::formatMilliseconds(swim::swimTimeToMilliseconds(finalTime), false)
                                : std::string();
        for (const browser::SplitTime& split : browser::splitTimesByDistance(*item)) {
            const int distance = std::atoi(split.distance.c_str());
            if (split.kind != 'V' || split.time <= 0 || distance <= 0)
                continue;
            if (!swimmer.splits.empty() && swimmer.splits.back().distance == distance)
                continue;
            swimmer.splits.push_back({distance, swim::swimTimeToMilliseconds(split.time)});
        }
        if (swimmer.finished && race.raceDistance > 0 &&
            (swimmer.splits.empty() || swimmer.splits.back().distance < race.raceDistance))
            swimmer.splits.push_back({race.raceDistance, swim::swimTimeToMilliseconds(finalTime)});
        race.swimmers.push_back(std::move(swimmer));
    }
    return race;
}

} // namespace lanescope::chart
