#include "browser/ClubStatistic.h"

#include "browser/ListCells.h"
#include "browser/ResultLists.h"

#include <string_view>

namespace lanescope::browser {

using namespace lenex;

namespace {

bool isRelayOwner(const TLnxObject& item)
{
    const TLnxObject* owner = ownerOf(item);
    return owner && owner->getInteger(tag::NUM) != 0;
}

} // namespace

void countItem(TClubStatistic& statistic, const TLenex& document, const TLnxObject& item)
{
    const bool relay = isRelayOwner(item);
    if (item.tag() == tag::ENTRY) {
        ++(relay ? statistic.relayEntries : statistic.individualEntries);
        return;
    }
    if (item.tag() != tag::RESULT || !IsValidResult(item))
        return;
    const TLnxObject* event = document.eventById(item.getInteger(tag::EID));
    const std::string_view type = event ? std::string_view(event->getText(tag::TYPE)) : std::string_view();
    if (type == "SEM")
        ++statistic.semifinals;
    if (type == "FIN")
        ++statistic.finals;
    // Finals and timed finals give places, prelims and timed finals count as starts.
    if (typeIn(type, "FIN-TIM")) {
        switch (item.getInteger(tag::RANK)) {
        case 1:
            ++statistic.firstPlaces;
            break;
        case 2:
            ++statistic.secondPlaces;
            break;
        case 3:
            ++statistic.thirdPlaces;
            break;
        default:
            break;
        }
    }
    if (typeIn(type, "PRE-TIM"))
        ++(relay ? statistic.relayStarts : statistic.individualStarts);
}

void addCounts(TClubStatistic& total, const TClubStatistic& part)
{
    total.firstPlaces += part.firstPlaces;
    total.secondPlaces += part.secondPlaces;
    total.thirdPlaces += part.thirdPlaces;
    total.individualEntries += part.individualEntries;
    total.relayEntries += part.relayEntries;
    total.individualStarts += part.individualStarts;
    total.relayStarts += part.relayStarts;
    total.members += part.members;
    total.semifinals += part.semifinals;
    total.finals += part.finals;
}

} // namespace lanescope::browser
