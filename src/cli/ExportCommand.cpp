#include "browser/BrowserModels.h"
#include "cli/Commands.h"
#include "cli/OpenDocument.h"
#include "cli/Options.h"
#include "cli/ReportOutput.h"
#include "cli/TreeLookup.h"
#include "report/ClubStats.h"
#include "report/LanescopeDrucken.h"
#include "report/ResultBook.h"
#include "report/VnxReport.h"
#include "swim/BSSwLenex.h"

#include <cstdio>
#include <memory>

namespace lanescope::cli {

namespace {

using namespace lanescope::browser;

const char* const kUsage =
    "usage: lanescope-cli export FILE [--competition N] ((--event NUM [--round CODE] | --event-id ID) "
    "[--age-group ID] | --athlete ID | --relay ID | --club-stats | --book) (--pdf OUT | --html OUT) "
    "[--splits] [--valid-only]\n"
    "       lanescope-cli export FILE [--competition N] --site DIR [--splits] [--valid-only]\n";

} // namespace

int runExport(const Arguments& arguments)
{
    if (namesSite(arguments)) {
        std::string summary;
        const int status = writeSite(arguments, summary);
        if (status == 0)
            std::printf("%s\n", summary.c_str());
        return status;
    }
    std::set<std::string> valued = {"--competition", "--athlete", "--relay", "--pdf", "--html"};
    valued.insert(kEventOptions.begin(), kEventOptions.end());
    Options options(arguments, valued, {"--club-stats", "--book", "--splits", "--valid-only"});
    const std::optional<int> competition = options.integer("--competition");
    const EventChoice event = eventChoice(options);
    const std::optional<int> athlete = options.integer("--athlete");
    const std::optional<int> relay = options.integer("--relay");
    const bool clubStats = options.has("--club-stats");
    const bool book = options.has("--book");
    const std::optional<std::string> pdf = options.text("--pdf");
    const std::optional<std::string> html = options.text("--html");
    const int chosen =
        (event.chosen() ? 1 : 0) + (athlete ? 1 : 0) + (relay ? 1 : 0) + (clubStats ? 1 : 0) + (book ? 1 : 0);
    if (!options.valid() || options.positional().size() != 1 || chosen != 1 || !event.consistent() ||
        (pdf.has_value() == html.has_value()))
        return usageError(options, kUsage);

    lenex::TLenex document;
    BrowserModels models;
    if (const int status = openCompetition(options.positional()[0], competition, document, models))
        return status;
    const auto meet = swim::lenexView<swim::IBSLenexMeet>(*document.currentCompetition());

    report::TVnxReport engine;
    std::unique_ptr<report::TVornixReport> content;
    if (book) {
        engine.OwnerCaption = "Ausdrucken";
        content = std::make_unique<report::TResultBook>(engine, meet, document, models.events, models.lists,
                                                        options.has("--splits"));
    } else if (clubStats) {
        engine.OwnerCaption = "Teilnehmende Vereine";
        content = std::make_unique<report::TClubStats>(engine, meet);
    } else {
        engine.OwnerCaption = "Ausdrucken";
        const report::ListPrintOptions checks{options.has("--valid-only"), options.has("--splits")};
        report::PrintSelection selection;
        selection.resultLists = &models.lists;
        if (event.chosen()) {
            selection.eventNode = findEventNode(models.events, event);
            if (!selection.eventNode) {
                std::fprintf(stderr, "lanescope-cli: no %s\n", event.describe().c_str());
                return 1;
            }
            selection.events = checks;
        } else {
            selection.activePage = report::PrintSelection::Page::Participants;
            selection.participantNode = athlete
                                            ? findParticipantNode(models.clubs, lenex::tag::PERSON, *athlete)
                                            : findParticipantNode(models.clubs, lenex::tag::RELAY, *relay);
            if (!selection.participantNode) {
                std::fprintf(stderr, "lanescope-cli: no %s %d with results or entries\n",
                             athlete ? "athlete" : "relay", athlete ? *athlete : *relay);
                return 1;
            }
            selection.participants = checks;
        }
        auto drucken = std::make_unique<report::TLanescopeDrucken>(engine, meet, document);
        drucken->setSelection(selection);
        content = std::move(drucken);
    }

    return writeReport(engine, pdf, html);
}

} // namespace lanescope::cli
