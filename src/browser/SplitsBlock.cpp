#include "browser/SplitsBlock.h"

#include "base/Strings.h"
#include "lenex/LnxTime.h"
#include "swim/LenexTexts.h"
#include "swim/SwimTime.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace lanescope::browser {

using lenex::TLnxDataElement;
using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

constexpr int kLabelOffset = 3;
constexpr int kTimeOffset = 85;
constexpr int kLapOffset = 137;
constexpr int kBlockTop = 1;
constexpr int kBlockBottom = 5;

using Split = SplitTime;

// Valid split times are plain, any other kind italic; both right-aligned.
int styleOf(const Split& split)
{
    return split.kind == 'V' ? textflag::right : textflag::right + textflag::italic;
}

std::string timeText(lenex::TSwimTime time) { return swim::formatSwimTime(time, false); }

class BlockWriter
{
public:
    BlockWriter(TvnxPaintBox& box, const lenex::TLenex& document, int left, int nameWidth)
        : FBox(box)
        , FDocument(document)
        , FLeft(left)
        , FNameWidth(nameWidth)
    {
    }

    void relay(const TLnxObject& item, const std::vector<Split>& splits, const TLnxObject& event, int& y);
    void individual(const std::vector<Split>& splits, int& y);

private:
    std::string label(const std::string& distance) const { return distance + FDocument.poolUnit() + ":"; }

    TvnxPaintBox& FBox;
    const lenex::TLenex& FDocument;
    int FLeft;
    int FNameWidth;
};

void BlockWriter::relay(const TLnxObject& item, const std::vector<Split>& splits, const TLnxObject& event,
                        int& y)
{
    const int legs = event.getInteger(tag::DISCNT);
    const std::int64_t legDistance = event.getInteger(tag::DIS);
    const std::int64_t step = relayPoolLength(FDocument);
    if (legs <= 0 || legDistance <= 0 || step <= 0)
        return;
    std::vector<const TLnxObject*> swimmers(static_cast<std::size_t>(std::min(legs, kMaxPoolLengths)) + 1);
    if (const lenex::TLnxCollection* positions = item.findCollection(tag::POSITIONS))
        for (int i = 0; i < positions->childCount(); ++i)
            if (const TLnxObject* position = positions->itemAt(i)) {
                const int leg = position->getInteger(tag::NUM);
                if (leg >= 1 && static_cast<std::size_t>(leg) < swimmers.size())
                    swimmers[static_cast<std::size_t>(leg)] = position;
            }
    std::unordered_map<std::string, const Split*> byDistance;
    for (const Split& split : splits)
        byDistance.emplace(split.distance, &split);

    const std::int64_t total = legDistance * legs;
    lenex::TSwimTime previous = 0;
    int lengths = 0;
    for (std::int64_t f = 0; f < total && lengths < kMaxPoolLengths; f += step, ++lengths) {
        bool lineUsed = false;
        // A swimmer's name opens the line of the first length of the leg; leg numbers count from 1.
        if (f % legDistance == 0) {
            const std::int64_t leg = f / legDistance + 1;
            if (static_cast<std::size_t>(leg) < swimmers.size() && swimmers[static_cast<std::size_t>(leg)]) {
                y += kSplitLineHeight;
                lineUsed = true;
                const int personId = swimmers[static_cast<std::size_t>(leg)]->getInteger(tag::PID);
                if (const TLnxObject* person = FDocument.personById(personId))
                    FBox.AddText(FLeft + kLabelOffset, y, FNameWidth - 5, 0,
                                 swim::participantText(*person, false));
            }
        }
        const std::int64_t g = f + step;
        const auto found = byDistance.find(std::to_string(g));
        if (found == byDistance.end() || found->second->time <= 0)
            continue;
        const Split& split = *found->second;
        if (!lineUsed)
            y += kSplitLineHeight;
        const int x = FLeft + FNameWidth;
        FBox.AddText(x + kLabelOffset, y, 0, 0, label(split.distance));
        FBox.AddText(x + kTimeOffset, y, 0, styleOf(split), timeText(split.time));
        FBox.AddText(x + kLapOffset, y, 0, styleOf(split), lapText(split.time, previous));
        // A leg of one length shows its time as the lap already.
        const lenex::TSwimTime leg = g % legDistance == 0 ? relayLegTime(splits, g, legDistance) : 0;
        if (leg > 0 && (split.time <= previous || swim::swimTimeDifference(split.time, previous) != leg))
            FBox.AddText(x - 5, y, 0, styleOf(split), timeText(leg));
        previous = split.time;
    }
}

void BlockWriter::individual(const std::vector<Split>& splits, int& y)
{
    const int count = static_cast<int>(splits.size());
    const int rows = (count - 1) / 2 + 1;
    const int top = y;
    lenex::TSwimTime previous = 0;
    for (int j = 0; j < count; ++j) {
        const Split& split = splits[static_cast<std::size_t>(j)];
        const int column = FLeft + (j / rows) * FNameWidth;
        const int line = top + (j % rows + 1) * kSplitLineHeight;
        FBox.AddText(column + kLabelOffset, line, 0, 0, label(split.distance));
        FBox.AddText(column + kTimeOffset, line, 0, styleOf(split), timeText(split.time));
        if (previous + split.time > 0)
            if (const std::string lap = lapText(split.time, previous); !lap.empty())
                FBox.AddText(column + kLapOffset, line, 0, styleOf(split), lap);
        previous = split.time;
    }
    y = top + rows * kSplitLineHeight;
}

} // namespace

std::vector<SplitTime> splitTimesByDistance(const TLnxObject& item)
{
    std::vector<std::pair<int, SplitTime>> keyed;
    if (const lenex::TLnxCollection* splits = item.findCollection(tag::SPLITS)) {
        for (int i = 0; i < splits->childCount(); ++i) {
            const TLnxDataElement* split = splits->childAsData(i);
            if (split == nullptr)
                continue;
            SplitTime entry;
            entry.distance = split->getAttribute(lenex::lxaDIS);
            entry.time = lenex::lenexTimeRead(split->value(), lenex::tkAny);
            entry.kind = split->value().empty() ? '\0' : split->value().front();
            keyed.emplace_back(base::strToIntDef(entry.distance, 0), std::move(entry));
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SplitTime> result;
    result.reserve(keyed.size());
    for (auto& entry : keyed)
        result.push_back(std::move(entry.second));
    return result;
}

int relayPoolLength(const lenex::TLenex& document)
{
    const TLnxObject* competition = document.currentCompetition();
    if (competition == nullptr || competition->getText(tag::PL).empty())
        return 50;
    return competition->getInteger(tag::PL);
}

std::string lapText(lenex::TSwimTime time, lenex::TSwimTime previous)
{
    if (time <= previous)
        return {};
    return "(" + base::trim(timeText(swim::swimTimeDifference(time, previous))) + ")";
}

lenex::TSwimTime relayLegTime(const std::vector<SplitTime>& splits, std::int64_t end,
                              std::int64_t legDistance)
{
    const auto timeAt = [&splits](std::int64_t distance) -> lenex::TSwimTime {
        if (distance == 0)
            return 0;
        for (const SplitTime& split : splits)
            if (base::strToIntDef(split.distance, 0) == distance && split.time > 0)
                return split.time;
        return -1;
    };
    const lenex::TSwimTime finish = timeAt(end);
    const lenex::TSwimTime start = timeAt(end - legDistance);
    if (finish <= 0 || start < 0 || finish <= start)
        return 0;
    return swim::swimTimeDifference(finish, start);
}

int drawSplitsAndNames(TvnxPaintBox& box, const lenex::TLenex& document, const TLnxObject& item, int left,
                       int rightLimit, int y, const TLnxObject* event)
{
    y += kBlockTop;
    const bool hasSplits = item.findCollection(tag::SPLITS) != nullptr;
    const bool hasPositions = item.findCollection(tag::POSITIONS) != nullptr;
    if (hasSplits || hasPositions) {
        const std::vector<Split> splits = splitTimesByDistance(item);
        const int nameWidth = std::min(220, std::max(160, rightLimit - left - kLapOffset));
        BlockWriter writer(box, document, left, nameWidth);
        if (hasPositions) {
            if (event != nullptr)
                writer.relay(item, splits, *event, y);
        } else {
            writer.individual(splits, y);
        }
    }
    return y + kBlockBottom;
}

} // namespace lanescope::browser
