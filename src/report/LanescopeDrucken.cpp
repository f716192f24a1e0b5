#include "report/LanescopeDrucken.h"

#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "browser/ListCells.h"
#include "browser/SplitsBlock.h"
#include "report/VnxReport.h"
#include "swim/LenexTexts.h"
#include "swim/ResultRankings.h"
#include "swim/SwimCodes.h"
#include "swim/SwimTime.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lanescope::report {

namespace {

using lenex::TLnxObject;
namespace tag = lenex::tag;

const char* const kEventColumns = "R100;L20;L350;L350;R100";
const char* const kAthleteColumns = "R90;L30;L425;R100;C130;L100";
const char* const kRelayColumns = "L120;L235;R100;L15;L75;R100;R100";
const char* const kIndividualColumns = "L120;L75;R100;R100;L75;L75;R100;R100";

std::string timeText(lenex::TSwimTime time) { return swim::formatSwimTime(time, false); }

bool isRelay(const TLnxObject* owner) { return owner != nullptr && owner->tag() == tag::RELAY; }

/**
 * The event's age group of an athlete's result that names none: the one whose birth years (MIN to MAX,
 * -1 or none: open) hold the athlete's and whose SEX (empty or "X": any) is the athlete's (when known);
 * the narrowest when several do. None for relays, an unknown birth year or no such group.
 */
const TLnxObject* athleteAgeGroup(const TLnxObject& event, const TLnxObject* athlete)
{
    const lenex::TLnxCollection* groups = event.findCollection(tag::CATS);
    if (groups == nullptr || athlete == nullptr || athlete->tag() == tag::RELAY)
        return nullptr;
    const int born = athlete->getInteger(tag::YOB);
    if (born <= 0)
        return nullptr;
    const std::string& sex = athlete->getText(tag::SEX);
    const TLnxObject* best = nullptr;
    int bestSpan = 0;
    for (int i = 0; i < groups->childCount(); ++i) {
        const TLnxObject* group = groups->itemAt(i);
        if (group == nullptr)
            continue;
        const int earliest = group->getInteger(tag::MIN);
        const int latest = group->getInteger(tag::MAX);
        const std::string& groupSex = group->getText(tag::SEX);
        if ((earliest > 0 && born < earliest) || (latest > 0 && born > latest))
            continue;
        if (!sex.empty() && !groupSex.empty() && groupSex != "X" && groupSex != sex)
            continue;
        const int span = (latest > 0 ? latest : 9999) - (earliest > 0 ? earliest : 0);
        if (best == nullptr || span < bestSpan) {
            best = group;
            bestSpan = span;
        }
    }
    return best;
}

} // namespace

TLanescopeDrucken::TLanescopeDrucken(TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet,
                                     const lenex::TLenex& document)
    : TVornixReport(report, nullptr, std::move(meet))
    , FDocument(document)
{
}

void TLanescopeDrucken::Body()
{
    BrandedHead();
    Report().SetColumns("L1000");
    Report().PrintRow({MeetDateText()}, 0);
    Report().AdvanceLines(10);
    if (FSelection.activePage == PrintSelection::Page::Events)
        eventReport();
    else
        athleteReport();
}

void TLanescopeDrucken::titleRow(const std::string& title)
{
    TVnxReport& report = Report();
    SetTitle(title);
    report.SetFontSizePercent(120);
    report.SetColumns("L1000");
    report.PrintRow({title}, reportflag::bold);
    report.AdvanceLines(5);
    report.HtmlNewLine();
    report.SetFontSizePercent(100);
}

void TLanescopeDrucken::timeCell(int column, const TLnxObject& item)
{
    const browser::TimeCell cell = browser::timeCell(item);
    if (cell.shown && !cell.text.empty())
        Report().PrintCell(column, cell.text, cell.style);
}

void TLanescopeDrucken::eventReport()
{
    const browser::EventTreeNode* node = FSelection.eventNode;
    if (node == nullptr)
        return;
    TVnxReport& report = Report();
    const bool ageGroupNode = node->level >= 2 && node->parent != nullptr;
    titleRow(ageGroupNode ? node->parent->text + ", " + node->text : node->text);
    report.SetColumns(kEventColumns);

    // The list the page shows, as the copy text takes it.
    if (FSelection.resultLists == nullptr)
        return;
    const TLnxObject* event = browser::listEventOf(node, *FSelection.resultLists);
    const browser::ResultList* list = browser::ResultListFor(node, *FSelection.resultLists);
    if (event == nullptr || list == nullptr)
        return;
    const bool mixed = event->getText(tag::SEX) == "X";
    const ListPrintOptions& options = FSelection.events;
    const int ageGroupId = browser::listAgeGroupId(node);
    for (const TLnxObject* item : *list) {
        const std::string& comment = item->getText(tag::COMMENT);
        // A row and its comment line stay on one page, so the comment never runs into the footer band.
        CheckPageBreakWithHead(comment.empty() ? 10 : 20);
        if (item->tag() != tag::ENTRY && options.onlyValidResults && !browser::IsValidResult(*item))
            continue;
        // A disqualified, not started or not finished swim names its status where the place goes.
        if (const std::string& code = item->getText(tag::CODE); !code.empty() && item->tag() == tag::RESULT)
            report.PrintCell(0, swim::statusCodeText(code), 0);
        else if (const int rank = swim::placeInAgeGroup(*item, ageGroupId); rank > 0)
            report.PrintCell(0, std::to_string(rank) + ".", 0);
        else if (const int lane = item->getInteger(tag::LANE); lane > 0)
            report.PrintCell(0, swim::formatText("%d / %d", {item->getInteger(tag::HEAT), lane}), 0);
        const TLnxObject* owner = browser::ownerOf(*item);
        if (owner != nullptr)
            report.PrintCell(2, swim::participantText(*owner, mixed), 0);
        if (const TLnxObject* club = browser::clubOf(owner))
            report.PrintCell(3, club->getText(tag::NAME), 0);
        timeCell(4, *item);
        if (!comment.empty()) {
            report.AdvanceLines(10);
            report.PrintCell(2, comment, reportflag::italic | reportflag::toLineEnd);
        }
        report.AdvanceLines(10);
        if (options.splitsAndNames && (item->tag() == tag::RESULT || isRelay(owner)))
            splitsBlock(*item, event,
                        owner != nullptr ? swim::participantText(*owner, mixed) : std::string());
    }
}

void TLanescopeDrucken::athleteReport()
{
    const browser::ClubTreeNode* node = FSelection.participantNode;
    if (node == nullptr)
        return;
    TVnxReport& report = Report();
    titleRow(node->text);
    report.SetColumns(kAthleteColumns);
    const lenex::TLnxCollection* items = node->items;
    if (items == nullptr)
        return;
    const bool relay = items->parent() != nullptr && items->parent()->tag() == tag::RELAY;
    const ListPrintOptions& options = FSelection.participants;
    for (int i = 0; i < items->childCount(); ++i) {
        const TLnxObject* item = items->itemAt(i);
        if (item == nullptr)
            continue;
        const std::string& comment = item->getText(tag::COMMENT);
        // An item and its comment line stay on one page.
        CheckPageBreakWithHead(comment.empty() ? 10 : 20);
        if (item->tag() != tag::ENTRY && options.onlyValidResults && !browser::IsValidResult(*item))
            continue;
        const int eventId = item->getInteger(tag::EID);
        const TLnxObject* event = FDocument.eventById(eventId);
        // A result without an age group is shown with the group the athlete belongs to, if any.
        const int ageGroupId = item->getInteger(tag::CID);
        const TLnxObject* ageGroup = event == nullptr ? nullptr
                                     : ageGroupId > 0 ? FDocument.ageGroupByIds(eventId, ageGroupId)
                                                      : athleteAgeGroup(*event, browser::ownerOf(*item));
        const std::string type = event != nullptr ? event->getText(tag::TYPE) : std::string();
        if (event != nullptr) {
            report.PrintCell(0, base::languageText('S', 18) + event->getText(tag::NUM), reportflag::centre);
            report.PrintCell(2, swim::eventText(FDocument, *event, ageGroup), 0);
        }
        timeCell(3, *item);
        // The round and the heat and lane share the last column: round first, then heat and lane.
        // A status code takes the place of the rank.
        const std::string& code = item->getText(tag::CODE);
        const bool status = !code.empty() && item->tag() == tag::RESULT;
        const int rank = item->getInteger(tag::RANK);
        if (status)
            report.PrintCell(4, swim::statusCodeText(code), 0);
        else if (rank > 0)
            report.PrintCell(4, swim::formatText("%d.", {rank}),
                             browser::typeIn(type, "SEM-PRE") ? 0 : reportflag::bold);
        std::string remark;
        if (status || rank > 0) {
            if (const std::string round = swim::roundText(type); !round.empty())
                remark = "(" + round + ")";
        }
        if (const int lane = item->getInteger(tag::LANE); lane > 0) {
            const std::string heatLane =
                swim::formatText(base::languageText('V', 3), {item->getInteger(tag::HEAT), lane});
            remark = remark.empty() ? heatLane : remark + "  " + heatLane;
        }
        if (!remark.empty())
            report.PrintCell(5, remark, 0);
        if (!comment.empty()) {
            report.AdvanceLines(10);
            report.PrintCell(2, comment, reportflag::italic | reportflag::toLineEnd);
        }
        report.AdvanceLines(10);
        if (options.splitsAndNames && (item->tag() == tag::RESULT || relay))
            splitsBlock(*item, event,
                        event != nullptr ? swim::eventText(FDocument, *event, ageGroup) : std::string());
        report.AdvanceLines(3);
    }
}

std::string TLanescopeDrucken::splitLabel(const std::string& distance) const
{
    return distance + FDocument.poolUnit() + ":";
}

void TLanescopeDrucken::splitsBlock(const TLnxObject& item, const TLnxObject* event,
                                    const std::string& itemLine)
{
    const bool hasPositions = item.findCollection(tag::POSITIONS) != nullptr;
    if (!hasPositions && item.findCollection(tag::SPLITS) == nullptr)
        return;
    TVnxReport& report = Report();
    const std::string columns = report.GetColumns();
    if (hasPositions) {
        if (event != nullptr)
            relaySplits(item, *event, itemLine, columns);
    } else {
        individualSplits(item);
    }
    report.SetColumns(columns);
}

void TLanescopeDrucken::relaySplits(const TLnxObject& item, const TLnxObject& event,
                                    const std::string& itemLine, const std::string& itemColumns)
{
    TVnxReport& report = Report();
    report.SetColumns(kRelayColumns);
    // A relay that goes on after a page break repeats its line there, marked as continued.
    const auto checkPageBreak = [&] {
        if (!CheckPageBreakWithHead(10) || itemLine.empty())
            return;
        report.SetColumns(itemColumns);
        report.PrintCell(2, swim::formatText(base::languageText('V', 38), {itemLine}), reportflag::italic);
        report.AdvanceLines(10);
        report.SetColumns(kRelayColumns);
    };
    const int legs = std::min(event.getInteger(tag::DISCNT), browser::kMaxPoolLengths);
    const std::int64_t legDistance = event.getInteger(tag::DIS);
    const std::int64_t poolLength = browser::relayPoolLength(FDocument);
    // A pool length or leg distance of 0 or less would never reach the race's end: no split lines then.
    if (legs <= 0 || legDistance <= 0 || poolLength <= 0) {
        report.AdvanceLines(5);
        return;
    }
    std::vector<const TLnxObject*> swimmers(static_cast<std::size_t>(legs) + 1);
    if (const lenex::TLnxCollection* positions = item.findCollection(tag::POSITIONS))
        for (int i = 0; i < positions->childCount(); ++i)
            if (const TLnxObject* position = positions->itemAt(i)) {
                const int leg = position->getInteger(tag::NUM);
                if (leg >= 1 && leg <= legs)
                    swimmers[static_cast<std::size_t>(leg)] = position;
            }
    const std::vector<browser::SplitTime> splits = browser::splitTimesByDistance(item);
    std::unordered_map<std::int64_t, const browser::SplitTime*> byDistance;
    for (const browser::SplitTime& split : splits)
        byDistance.emplace(base::strToIntDef(split.distance, 0), &split);

    const std::int64_t total = legDistance * legs;
    lenex::TSwimTime previous = 0;
    bool namePending = false;
    int lengths = 0;
    for (std::int64_t f = 0; f < total && lengths < browser::kMaxPoolLengths; f += poolLength, ++lengths) {
        // Leg numbers count from 1: the swimmer of leg n starts at (n - 1) leg distances.
        if (f % legDistance == 0) {
            if (const TLnxObject* position = swimmers[static_cast<std::size_t>(f / legDistance + 1)]) {
                if (namePending)
                    report.AdvanceLines(10);
                checkPageBreak();
                if (const TLnxObject* person = FDocument.personById(position->getInteger(tag::PID)))
                    report.PrintCell(1, swim::participantText(*person, false), 0);
                namePending = true;
            }
        }
        const std::int64_t g = f + poolLength;
        const auto found = byDistance.find(g);
        if (found == byDistance.end() || found->second->time <= 0)
            continue;
        const browser::SplitTime& split = *found->second;
        if (!namePending)
            checkPageBreak();
        const int style = split.kind == 'I' ? reportflag::italic : 0;
        report.PrintCell(4, splitLabel(std::to_string(g)), 0);
        report.PrintCell(5, timeText(split.time), style);
        report.PrintCell(6, browser::lapText(split.time, previous), style);
        // A leg of one length shows its time as the lap already.
        const lenex::TSwimTime leg = g % legDistance == 0 ? browser::relayLegTime(splits, g, legDistance) : 0;
        if (leg > 0 && (split.time <= previous || swim::swimTimeDifference(split.time, previous) != leg))
            report.PrintCell(2, timeText(leg), style);
        previous = split.time;
        report.AdvanceLines(10);
        namePending = false;
    }
    report.AdvanceLines(namePending ? 15 : 5);
}

void TLanescopeDrucken::individualSplits(const TLnxObject& item)
{
    TVnxReport& report = Report();
    report.SetColumns(kIndividualColumns);
    const std::vector<browser::SplitTime> splits = browser::splitTimesByDistance(item);
    const int count = static_cast<int>(splits.size());
    const int rows = count > 0 ? (count - 1) / 2 + 1 : 0;
    for (int row = 0; row < rows; ++row) {
        CheckPageBreakWithHead(10);
        for (int group = 0; group < 2; ++group) {
            const int j = group * rows + row;
            if (j >= count)
                continue;
            const browser::SplitTime& split = splits[static_cast<std::size_t>(j)];
            const int style = split.kind == 'V' ? 0 : reportflag::italic;
            const int column = 1 + 4 * group;
            const lenex::TSwimTime previous = j == 0 ? 0 : splits[static_cast<std::size_t>(j - 1)].time;
            report.PrintCell(column, splitLabel(split.distance), 0);
            report.PrintCell(column + 1, timeText(split.time), style);
            if (previous + split.time > 0)
                report.PrintCell(column + 2, browser::lapText(split.time, previous), style);
        }
        report.AdvanceLines(10);
    }
    report.AdvanceLines(5);
}

} // namespace lanescope::report
