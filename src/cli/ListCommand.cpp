#include "base/Strings.h"
#include "browser/BrowserModels.h"
#include "browser/ClipboardTexts.h"
#include "browser/ListCsv.h"
#include "cli/Commands.h"
#include "cli/OpenDocument.h"
#include "cli/Options.h"
#include "cli/TreeLookup.h"

#include <cstdio>

namespace lanescope::cli {

namespace {

using namespace lanescope::browser;
using namespace lanescope::lenex;

const char* const kUsage =
    "usage: lanescope-cli list FILE [--competition N] ((--event NUM [--round CODE] | "
    "--event-id ID) [--age-group ID] [--sort place|name|club|time|points] [--filter TEXT] [--csv] "
    "[--heat-lane] [--reaction] | --athlete ID | --relay ID) [--splits] [--valid-only]\n";

} // namespace

int listText(const Arguments& arguments, std::string& text)
{
    std::set<std::string> valued = {"--competition", "--athlete", "--relay", "--sort", "--filter"};
    valued.insert(kEventOptions.begin(), kEventOptions.end());
    Options options(arguments, valued, {"--splits", "--valid-only", "--csv", "--heat-lane", "--reaction"});
    const std::optional<int> competition = options.integer("--competition");
    const EventChoice event = eventChoice(options);
    const std::optional<int> athlete = options.integer("--athlete");
    const std::optional<int> relay = options.integer("--relay");
    const int chosen = (event.chosen() ? 1 : 0) + (athlete ? 1 : 0) + (relay ? 1 : 0);
    const std::optional<std::string> sort = options.text("--sort");
    const std::optional<SortColumn> column = sort ? sortColumnNamed(*sort) : SortColumn::Place;
    const bool eventOnly = sort || options.has("--filter") || options.has("--csv") ||
                           options.has("--heat-lane") || options.has("--reaction");
    if (!options.valid() || options.positional().size() != 1 || chosen != 1 || !event.consistent() ||
        !column || (eventOnly && !event.chosen()))
        return usageError(options, kUsage);

    TLenex document;
    BrowserModels models;
    if (const int status = openCompetition(options.positional()[0], competition, document, models))
        return status;
    const CopyOptions copy{options.has("--splits"),
                           options.has("--valid-only"),
                           ListOrder{*column, false, options.text("--filter").value_or(std::string())},
                           nullptr,
                           options.has("--heat-lane"),
                           options.has("--reaction")};

    if (event.chosen()) {
        const EventTreeNode* node = findEventNode(models.events, event);
        if (!node) {
            std::fprintf(stderr, "lanescope-cli: no %s\n", event.describe().c_str());
            return 1;
        }
        if (options.has("--csv")) {
            text = EventListCsv(document, models.lists, *node, copy);
            models.clear();
            return 0;
        }
        text = CopyEventList(document, models.lists, *node, copy);
    } else {
        const ClubTreeNode* node = athlete ? findParticipantNode(models.clubs, tag::PERSON, *athlete)
                                           : findParticipantNode(models.clubs, tag::RELAY, *relay);
        if (!node) {
            std::fprintf(stderr, "lanescope-cli: no %s %d with results or entries\n",
                         athlete ? "athlete" : "relay", athlete ? *athlete : *relay);
            return 1;
        }
        text = CopyAthleteList(document, *node, copy);
    }
    text = base::replaceAll(text, "\r\n", "\n");
    models.clear();
    return 0;
}

int runList(const Arguments& arguments)
{
    std::string text;
    const int status = listText(arguments, text);
    if (status == 0)
        std::fputs(text.c_str(), stdout);
    return status;
}

} // namespace lanescope::cli
