#include "report/LanescopeDrucken.h"

#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "browser/AthleteRows.h"
#include "browser/ListCells.h"
#include "browser/ListOrder.h"
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

// Place, gap, name, year of birth, gap, club, time, points.
const char* const kEventColumns = "R70;L15;L330;R55;L20;L290;R120;R100";
const char* const kAthleteColumns = "R90;L30;L425;R100;C130;L100";
const char* const kRelayColumns = "L120;L235;R100;L15;L75;R100;R100";
const char* const kIndividualColumns = "L120;L75;R100;R100;L75;L75;R100;R100";

std::string timeText(lenex::TSwimTime time) { return swim::formatSwimTime(time, false); }

template <typename Function, typename... Objects>
std::string linkOf(const Function& function, const Objects&... objects)
{
    return function ? function(objects...) : std::string();
}

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

/**
 * The title of an event or age-group list in the language loaded now (the print language while a report
 * runs): the shown tree was built in the screen language, and a printout must not mix the two. The event
 * tree is built again for it; a node whose data the new tree does not hold keeps its shown text.
 */
std::string listTitleNow(const lenex::TLenex& document, const browser::EventTreeNode& node)
{
    browser::EventTree tree;
    browser::ResultLists lists;
    tree.BuildEventTree(document, lists);
    const std::vector<const browser::EventTreeNode*> nodes = tree.nodesInOrder();
    const auto textNow = [&nodes](const browser::EventTreeNode& shown) {
        for (const browser::EventTreeNode* candidate : nodes)
            if (candidate->data == shown.data && candidate->level == shown.level)
                return candidate->text;
        return shown.text;
    };
    const bool ageGroupNode = node.level >= 2 && node.parent != nullptr;
    return ageGroupNode ? textNow(*node.parent) + ", " + textNow(node) : textNow(node);
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
    Report().AdvanceLines(5);
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
    const std::string title = listTitleNow(FDocument, *node);
    SetTitle(title);
    eventList(node, FSelection.events, title);
}

void TLanescopeDrucken::eventHeading(const std::string& title, bool continued, bool points)
{
    TVnxReport& report = Report();
    report.SetFontSizePercent(120);
    report.SetColumns("L1000");
    report.PrintRow({continued ? swim::formatText(base::languageText('V', 142), {title}) : title},
                    reportflag::bold);
    report.AdvanceLines(3);
    report.HtmlNewLine();
    report.SetFontSizePercent(90);
    report.SetColumns(kEventColumns);
    // The n-th of the ";"-separated column names, counted from 0.
    const auto name = [](int index) { return base::languageText('V', 143, index + 1); };
    report.PrintCell(0, name(0), reportflag::italic);
    report.PrintCell(2, name(1), reportflag::italic);
    report.PrintCell(3, name(2), reportflag::italic);
    report.PrintCell(5, name(3), reportflag::italic);
    report.PrintCell(6, name(4), reportflag::italic);
    if (points)
        report.PrintCell(7, name(5), reportflag::italic);
    report.AdvanceLines(10);
    report.HtmlNewLine();
    report.SetFontSizePercent(100);
}

bool TLanescopeDrucken::ensureRoom(int tenths)
{
    if (!CheckPageBreakWithHead(tenths))
        return false;
    Report().AdvanceLines(5);
    eventHeading(FListTitle, true, FListPoints);
    return true;
}

void TLanescopeDrucken::itemRow(const TLnxObject& item, int ageGroupId, bool mixed, bool continued)
{
    TVnxReport& report = Report();
    report.SetColumns(kEventColumns);
    const TLnxObject* owner = browser::ownerOf(item);
    std::string name;
    if (owner != nullptr && owner->tag() == tag::PERSON)
        name = base::trim(owner->getText(tag::NAME) + " " + owner->getText(tag::FNAME));
    else if (owner != nullptr)
        name = swim::participantText(*owner, mixed);
    if (continued) {
        report.PrintCell(2, swim::formatText(base::languageText('V', 142), {name}), reportflag::italic);
        report.AdvanceLines(10);
        return;
    }
    // A disqualified, not started or not finished swim names its status where the place goes.
    if (const std::string& code = item.getText(tag::CODE); !code.empty() && item.tag() == tag::RESULT)
        report.PrintCell(0, swim::statusCodeText(code), 0);
    else if (const int rank = swim::placeInAgeGroup(item, ageGroupId); rank > 0)
        report.PrintCell(0, std::to_string(rank) + ".", 0);
    else if (const int lane = item.getInteger(tag::LANE); lane > 0)
        report.PrintCell(0, swim::formatText("%d / %d", {item.getInteger(tag::HEAT), lane}), 0);
    if (!name.empty())
        report.PrintCell(2, name, 0, owner != nullptr ? linkOf(FLinks.participant, *owner) : std::string());
    if (owner != nullptr && owner->tag() == tag::PERSON)
        if (const int born = owner->getInteger(tag::YOB); born > 0)
            report.PrintCell(3, std::to_string(born), 0);
    if (const TLnxObject* club = browser::clubOf(owner))
        report.PrintCell(5, club->getText(tag::NAME), 0, linkOf(FLinks.club, *club));
    timeCell(6, item);
    if (const int points = item.getInteger(tag::POINTS); points > 0 && item.tag() == tag::RESULT)
        report.PrintCell(7, std::to_string(points), 0);
    if (const std::string& comment = item.getText(tag::COMMENT); !comment.empty()) {
        report.AdvanceLines(10);
        report.PrintCell(2, comment, reportflag::italic | reportflag::toLineEnd);
    }
    report.AdvanceLines(10);
}

void TLanescopeDrucken::eventList(const browser::EventTreeNode* node, const ListPrintOptions& options,
                                  const std::string& title)
{
    TVnxReport& report = Report();
    // The lists the page shows, as the copy text takes them: an event without a list of its own shows each of
    // its age groups' lists under its heading.
    const TLnxObject* event =
        FSelection.resultLists != nullptr ? browser::listEventOf(node, *FSelection.resultLists) : nullptr;
    const std::vector<browser::ListSection> sections =
        FSelection.resultLists != nullptr
            ? browser::shownSections(node, *FSelection.resultLists, browser::ListOrder{})
            : std::vector<browser::ListSection>();
    FListTitle = title;
    FListPoints = false;
    for (const browser::ListSection& section : sections)
        for (const TLnxObject* item : section.rows)
            FListPoints = FListPoints || (item->tag() == tag::RESULT && item->getInteger(tag::POINTS) > 0);
    // A heading never stands alone at the foot of a page: it keeps its first row with it.
    CheckPageBreakWithHead(50);
    eventHeading(title, false, FListPoints);
    if (event == nullptr)
        return;
    const bool mixed = event->getText(tag::SEX) == "X";
    for (const browser::ListSection& section : sections) {
        if (!section.heading.empty()) {
            ensureRoom(35);
            report.AdvanceLines(5);
            report.PrintCell(2, section.heading, reportflag::bold | reportflag::toLineEnd);
            report.AdvanceLines(12);
        }
        for (const TLnxObject* item : section.rows) {
            if (item->tag() != tag::ENTRY && options.onlyValidResults && !browser::IsValidResult(*item))
                continue;
            const TLnxObject* owner = browser::ownerOf(*item);
            const std::vector<SplitRow> rows =
                options.splitsAndNames && (item->tag() == tag::RESULT || isRelay(owner))
                    ? splitRows(*item, event)
                    : std::vector<SplitRow>();
            const int itemLines = item->getText(tag::COMMENT).empty() ? 10 : 20;
            const int blockLines = itemLines + static_cast<int>(rows.size()) * 10 + (rows.empty() ? 0 : 5);
            // The swimmer's block moves to the next page when it fits there; a longer one starts here only
            // with its first two split rows, and goes on under its name marked as continued.
            if (report.LinesLeft() < blockLines && blockLines <= report.LinesPerPage() - 50)
                ensureRoom(blockLines);
            else
                ensureRoom(itemLines + std::min<int>(static_cast<int>(rows.size()), 2) * 10);
            itemRow(*item, section.ageGroupId, mixed, false);
            if (rows.empty())
                continue;
            for (const SplitRow& row : rows) {
                if (ensureRoom(10))
                    itemRow(*item, section.ageGroupId, mixed, true);
                printSplitRow(row);
            }
            report.AdvanceLines(5);
        }
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
    // The swims in the order they took place, the athlete's relay legs among them, as the page shows them.
    for (const browser::AthleteRow& row : browser::athleteRows(FDocument, *node)) {
        const TLnxObject* item = row.item;
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
            report.PrintCell(2, swim::eventText(FDocument, *event, ageGroup), 0,
                             linkOf(FLinks.event, *event, ageGroup));
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
        for (const std::string& more : {browser::legText(row), row.leg == 0 ? browser::entryText(*item) : ""})
            if (!more.empty())
                remark = remark.empty() ? more : remark + ",  " + more;
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

std::vector<TLanescopeDrucken::SplitRow> TLanescopeDrucken::splitRows(const TLnxObject& item,
                                                                      const TLnxObject* event) const
{
    if (item.findCollection(tag::POSITIONS) != nullptr)
        return event != nullptr ? relayRows(item, *event) : std::vector<SplitRow>();
    if (item.findCollection(tag::SPLITS) != nullptr)
        return individualRows(item);
    return {};
}

void TLanescopeDrucken::printSplitRow(const SplitRow& row)
{
    TVnxReport& report = Report();
    report.SetColumns(row.columns);
    for (const SplitRow::Cell& cell : row.cells)
        report.PrintCell(cell.column, cell.text, cell.style, cell.link);
    report.AdvanceLines(10);
}

void TLanescopeDrucken::splitsBlock(const TLnxObject& item, const TLnxObject* event,
                                    const std::string& itemLine)
{
    const std::vector<SplitRow> rows = splitRows(item, event);
    if (rows.empty())
        return;
    TVnxReport& report = Report();
    const std::string columns = report.GetColumns();
    for (const SplitRow& row : rows) {
        // Rows that go on after a page break repeat the item's line there, marked as continued.
        if (CheckPageBreakWithHead(10) && !itemLine.empty()) {
            report.SetColumns(columns);
            report.PrintCell(2, swim::formatText(base::languageText('V', 38), {itemLine}),
                             reportflag::italic);
            report.AdvanceLines(10);
        }
        printSplitRow(row);
    }
    report.AdvanceLines(5);
    report.SetColumns(columns);
}

std::vector<TLanescopeDrucken::SplitRow> TLanescopeDrucken::relayRows(const TLnxObject& item,
                                                                      const TLnxObject& event) const
{
    std::vector<SplitRow> rows;
    const int legs = std::min(event.getInteger(tag::DISCNT), browser::kMaxPoolLengths);
    const std::int64_t legDistance = event.getInteger(tag::DIS);
    const std::int64_t poolLength = browser::relayPoolLength(FDocument);
    // A pool length or leg distance of 0 or less would never reach the race's end: no split lines then.
    if (legs <= 0 || legDistance <= 0 || poolLength <= 0)
        return rows;
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
                // A leg's name shares the row of its first split; a leg without splits has a row of its own.
                rows.push_back({kRelayColumns, {}});
                if (const TLnxObject* person = FDocument.personById(position->getInteger(tag::PID)))
                    rows.back().cells.push_back(
                        {1, swim::participantText(*person, false), 0, linkOf(FLinks.participant, *person)});
                namePending = true;
            }
        }
        const std::int64_t g = f + poolLength;
        const auto found = byDistance.find(g);
        if (found == byDistance.end() || found->second->time <= 0)
            continue;
        const browser::SplitTime& split = *found->second;
        if (!namePending)
            rows.push_back({kRelayColumns, {}});
        SplitRow& row = rows.back();
        const int style = split.kind == 'I' ? reportflag::italic : 0;
        row.cells.push_back({4, splitLabel(std::to_string(g)), 0});
        row.cells.push_back({5, timeText(split.time), style});
        row.cells.push_back({6, browser::lapText(split.time, previous), style});
        // A leg of one length shows its time as the lap already.
        const lenex::TSwimTime leg = g % legDistance == 0 ? browser::relayLegTime(splits, g, legDistance) : 0;
        if (leg > 0 && (split.time <= previous || swim::swimTimeDifference(split.time, previous) != leg))
            row.cells.push_back({2, timeText(leg), style});
        previous = split.time;
        namePending = false;
    }
    return rows;
}

std::vector<TLanescopeDrucken::SplitRow> TLanescopeDrucken::individualRows(const TLnxObject& item) const
{
    std::vector<SplitRow> result;
    const std::vector<browser::SplitTime> splits = browser::splitTimesByDistance(item);
    const int count = static_cast<int>(splits.size());
    const int rows = count > 0 ? (count - 1) / 2 + 1 : 0;
    for (int row = 0; row < rows; ++row) {
        SplitRow& line = result.emplace_back(SplitRow{kIndividualColumns, {}});
        for (int group = 0; group < 2; ++group) {
            const int j = group * rows + row;
            if (j >= count)
                continue;
            const browser::SplitTime& split = splits[static_cast<std::size_t>(j)];
            const int style = split.kind == 'V' ? 0 : reportflag::italic;
            const int column = 1 + 4 * group;
            const lenex::TSwimTime previous = j == 0 ? 0 : splits[static_cast<std::size_t>(j - 1)].time;
            line.cells.push_back({column, splitLabel(split.distance), 0});
            line.cells.push_back({column + 1, timeText(split.time), style});
            if (previous + split.time > 0)
                line.cells.push_back({column + 2, browser::lapText(split.time, previous), style});
        }
    }
    return result;
}

} // namespace lanescope::report
