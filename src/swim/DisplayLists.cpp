#include "swim/DisplayLists.h"

#include <array>
#include <string_view>
#include <vector>

namespace lanescope::swim {

namespace {

struct ListSource
{
    int textNumber; // number of the S text; 0 for the pool list, which is joined from several texts
    std::string_view english;
};

// In the order of DisplayList.
constexpr ListSource kSources[] = {
    {0, "25m Pool;50m Pool;25y Pool;33m Pool"},
    {1, "Indiv.;4 x;5 x;8 x;10 x;2 x;3 x;6 x"},
    {2, "Freestyle;Butterfly;Backstroke;Breaststroke;Individual Medley;Kick;Free"},
    {28, "Freestyle Relay;Butterfly Relay;Backstroke Relay;Breaststroke Relay;Medley Relay;Kick;Free"},
    {3, "Men;Women;mixed"},
    {4, "M;W;X"},
    {5, ";EX;DQ;DNS;DNF;DQ sport.;DNS. no r.;DQ 10%;DQ 20%;RJC"},
    {7, "open;Open/Senior"},
    {9, "%s years;AG.  %s"},
    {10, "%d years and less;AG. %d and less"},
    {11, "%d years and more;AG. %d and more"},
    {29, "%d. team"},
    {40, "Prelims;Swim offs;Semi finals;Final"},
    {6, "Fr;Bu;Bk;Br;IM;Ki;.."},
    {8, "Final;A-Final;B-Final;C-Final;%d. Semi-final;Heat %d"},
    {12, "F;A;B;C;S%d"},
    {13, "Meet Record;World Record;Olympic Record;European Record;Pan American Record;African Record;Asian "
         "Record;Commonwealth Record;National Record;Junior World Record;Junior European Record"},
    {80, "DSQ;DNS;DNF;WDR"},
};

constexpr std::size_t kListCount = std::size(kSources);
static_assert(kListCount == static_cast<std::size_t>(DisplayList::StatusCodes) + 1);

// The pool names are one S text per pool index.
constexpr int kPoolTextNumbers[] = {21, 22, 23, 58, 70};

using Lists = std::array<std::vector<std::string>, kListCount>;

std::vector<std::string> splitItems(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t semicolon = text.find(';'); semicolon != std::string_view::npos;
         semicolon = text.find(';', start)) {
        items.emplace_back(text.substr(start, semicolon - start));
        start = semicolon + 1;
    }
    items.emplace_back(text.substr(start));
    return items;
}

Lists englishLists()
{
    Lists lists;
    for (std::size_t i = 0; i < kListCount; ++i)
        lists[i] = splitItems(kSources[i].english);
    return lists;
}

Lists& currentLists()
{
    static Lists lists = englishLists();
    return lists;
}

// A pool text the language lacks keeps its English item, so the other pools still show translated.
std::string poolNames(const TextLookup& text)
{
    const std::vector<std::string> english = splitItems(kSources[0].english);
    std::string joined;
    for (std::size_t i = 0; i < std::size(kPoolTextNumbers); ++i) {
        std::string name = text('S', kPoolTextNumbers[i]);
        if (name.empty() && i < english.size())
            name = english[i];
        if (i > 0)
            joined.push_back(';');
        joined += name;
    }
    return joined;
}

} // namespace

void refreshDisplayLists(const TextLookup& text)
{
    Lists lists = englishLists();
    for (std::size_t i = 0; i < kListCount; ++i) {
        const std::string value =
            kSources[i].textNumber == 0 ? poolNames(text) : text('S', kSources[i].textNumber);
        if (!value.empty())
            lists[i] = splitItems(value);
    }
    currentLists() = std::move(lists);
}

void resetDisplayLists() { currentLists() = englishLists(); }

std::string displayItem(DisplayList list, int n)
{
    const std::vector<std::string>& items = currentLists()[static_cast<std::size_t>(list)];
    if (n < 1)
        n = 1;
    return static_cast<std::size_t>(n) <= items.size() ? items[static_cast<std::size_t>(n) - 1]
                                                       : std::string();
}

} // namespace lanescope::swim
