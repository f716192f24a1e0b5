#include "swim/SwimStyle.h"

#include "base/Strings.h"
#include "swim/DisplayLists.h"

#include <cstdio>
#include <iterator>

namespace lanescope::swim {

namespace {

template <std::size_t N> bool inList(const int (&)[N], int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < N;
}

// Item (index + 1) of the distance list: below the list the first distance, beyond it nothing.
std::string distanceItem(int distanceIndex)
{
    if (distanceIndex >= static_cast<int>(std::size(lenex::kDistances)))
        return {};
    return std::to_string(lenex::kDistances[distanceIndex < 0 ? 0 : distanceIndex]);
}

} // namespace

std::string relayPrefix(int relayCountIndex)
{
    if (relayCountIndex < 1)
        return {};
    return displayItem(DisplayList::RelayPrefixes, relayCountIndex + 1) + ' ';
}

std::string distanceText(int distanceIndex, char unit)
{
    std::string text = distanceItem(distanceIndex);
    text.push_back(unit == kDefaultUnit ? 'm' : unit);
    return base::trim(text);
}

std::string strokeText(int strokeIndex, bool relay)
{
    return displayItem(relay ? DisplayList::RelayStrokes : DisplayList::Strokes, strokeIndex + 1);
}

std::string swimStyleText(int relayCountIndex, int distanceIndex, int strokeIndex, std::string_view name)
{
    if (strokeIndex == lenex::kSpecialStroke && !name.empty())
        return std::string(name);
    return relayPrefix(relayCountIndex) + distanceText(distanceIndex) + ' ' +
           strokeText(strokeIndex, relayCountIndex > 0);
}

bool sameSwimStyle(const TSwimStyle& a, const TSwimStyle& b)
{
    return a.relayCountIndex == b.relayCountIndex && a.distanceIndex == b.distanceIndex &&
           a.strokeIndex == b.strokeIndex;
}

int totalDistance(int relayCountIndex, int distanceIndex)
{
    if (!inList(lenex::kRelayCounts, relayCountIndex) || !inList(lenex::kDistances, distanceIndex))
        return 0;
    return lenex::kRelayCounts[relayCountIndex] * lenex::kDistances[distanceIndex];
}

int strokeSortOrder(int strokeIndex)
{
    // By stroke position: freestyle, butterfly, backstroke, breaststroke, medley, kick, special.
    constexpr int kOrder[] = {0, 3, 1, 2, 4, 5, 6};
    return strokeIndex >= 0 && strokeIndex < static_cast<int>(std::size(kOrder)) ? kOrder[strokeIndex] : 9;
}

std::string swimStyleSortKey(int gender, const TSwimStyle& style)
{
    char key[64];
    std::snprintf(key, sizeof key, "%d%d%d%.4d", gender, style.relayCountIndex,
                  strokeSortOrder(style.strokeIndex), style.distanceIndex);
    return key;
}

} // namespace lanescope::swim
