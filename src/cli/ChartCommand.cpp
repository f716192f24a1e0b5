#include "browser/BrowserModels.h"
#include "browser/ListOrder.h"
#include "chart/RaceChart.h"
#include "chart/RaceFromList.h"
#include "cli/Commands.h"
#include "cli/OpenDocument.h"
#include "cli/PictureOutput.h"
#include "cli/TreeLookup.h"
#include "swim/BSSwLenex.h"

#include <cstdio>

namespace lanescope::cli {

namespace {

const char* const kUsage =
    "usage: lanescope-cli chart FILE [--competition N] ((--event NUM [--round CODE] | --event-id ID) "
    "[--age-group ID]) [--rows N] (--svg OUT | --pdf OUT | --png OUT)\n";

} // namespace

int runChart(const Arguments& arguments)
{
    std::set<std::string> valued = {"--competition", "--rows", "--svg", "--pdf", "--png"};
    valued.insert(kEventOptions.begin(), kEventOptions.end());
    Options options(arguments, valued, {});
    const std::optional<int> competition = options.integer("--competition");
    const EventChoice event = eventChoice(options);
    const int rows = options.integer("--rows").value_or(chart::kDefaultRaceRows);
    const PictureTarget target = pictureTarget(options);
    if (!options.valid() || options.positional().size() != 1 || !event.chosen() || !event.consistent() ||
        !target.valid() || rows < 1 || rows > chart::kMostRaceRows)
        return usageError(options, kUsage);

    lenex::TLenex document;
    browser::BrowserModels models;
    if (const int status = openCompetition(options.positional()[0], competition, document, models))
        return status;
    const browser::EventTreeNode* node = findEventNode(models.events, event);
    const lenex::TLnxObject* eventObject = node ? browser::listEventOf(node, models.lists) : nullptr;
    if (!node || !eventObject) {
        std::fprintf(stderr, "lanescope-cli: no %s\n", event.describe().c_str());
        return 1;
    }
    // The picture shows the list's first section (an event shown by age groups: the first age group).
    const std::vector<browser::ListSection> sections = browser::shownSections(node, models.lists, {});
    std::vector<lenex::TLnxObject*> shown;
    int ageGroupId = 0;
    std::string title =
        node->level >= 2 && node->parent ? node->parent->text + ", " + node->text : node->text;
    if (!sections.empty()) {
        shown = sections.front().rows;
        ageGroupId = sections.front().ageGroupId;
        if (!sections.front().heading.empty())
            title += ", " + sections.front().heading;
    }
    const chart::RaceData race =
        chart::raceFromRows(*eventObject, chart::raceRows(shown, {}, rows), ageGroupId, title);
    const chart::ChartTexts texts = chart::ChartTexts::loaded();
    const auto meet = swim::lenexView<swim::IBSLenexMeet>(*document.currentCompetition());
    return writePicture(target, meet, title, [&](report::ReportCanvas& canvas, int width, int dpi) {
        return chart::drawRaceChart(canvas, race, texts, width, dpi);
    });
}

} // namespace lanescope::cli
