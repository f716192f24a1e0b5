#include "browser/BrowserModels.h"
#include "cli/Commands.h"
#include "cli/OpenDocument.h"
#include "cli/TreeLookup.h"

#include <cstdio>

namespace lanescope::cli {

namespace {

using namespace lanescope::browser;

void printStatistic(const TClubStatistic& statistic, int indent)
{
    std::printf("%*s[members %d, entries %d + %d relay, starts %d + %d relay, finals %d, semifinals %d, "
                "places 1st %d 2nd %d 3rd %d]\n",
                indent, "", statistic.members, statistic.individualEntries, statistic.relayEntries,
                statistic.individualStarts, statistic.relayStarts, statistic.finals, statistic.semifinals,
                statistic.firstPlaces, statistic.secondPlaces, statistic.thirdPlaces);
}

} // namespace

int runClubs(const Arguments& arguments)
{
    lenex::TLenex document;
    BrowserModels models;
    if (const int status = openCompetitionOfArguments(
            arguments, "usage: lanescope-cli clubs FILE [--competition N]\n", document, models))
        return status;
    // Athletes and relays carry the id that list and export take with --athlete and --relay.
    const auto ids = participantIds(models.clubs);
    for (const ClubTreeNode* node = models.clubs.firstNode(); node; node = models.clubs.nextNode(*node)) {
        const int indent = 2 * node->level();
        if (const auto id = ids.find(node); id != ids.end())
            std::printf("%*s%s  [id %d]\n", indent, "", node->text.c_str(), id->second);
        else
            std::printf("%*s%s\n", indent, "", node->text.c_str());
        if (node->statistic)
            printStatistic(*node->statistic, indent + 4);
    }
    models.clear();
    return 0;
}

} // namespace lanescope::cli
