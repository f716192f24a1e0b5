#include "base/Strings.h"
#include "cli/Commands.h"
#include "cli/OpenDocument.h"
#include "swim/LenexTexts.h"
#include "swim/SwimCodes.h"

#include <cstdio>

namespace lanescope::cli {

namespace {

using namespace lanescope::lenex;

struct Counts
{
    long sessions = 0;
    long events = 0;
    long ageGroups = 0;
    long clubs = 0;
    long athletes = 0;
    long relays = 0;
    long results = 0;
    long relayResults = 0;
    long entries = 0;
    long splits = 0;
};

long itemCount(const TLnxAbstractObject& owner, TLnxTagId collection)
{
    const TLnxCollection* list = owner.findCollection(collection);
    return list ? list->childCount() : 0;
}

// Results and entries of an athlete or a relay, with the splits of the results.
void countSwims(const TLnxObject& owner, long& results, Counts& counts)
{
    results += itemCount(owner, tag::RESULTS);
    counts.entries += itemCount(owner, tag::ENTRIES);
    if (const TLnxCollection* list = owner.findCollection(tag::RESULTS))
        for (int i = 0; i < list->childCount(); ++i)
            if (const TLnxObject* result = list->itemAt(i))
                counts.splits += itemCount(*result, tag::SPLITS);
}

Counts countCompetition(const TLnxObject& competition)
{
    Counts counts;
    if (const TLnxCollection* periods = competition.findCollection(tag::PERIODS)) {
        counts.sessions = periods->childCount();
        for (int p = 0; p < periods->childCount(); ++p) {
            const TLnxObject* period = periods->itemAt(p);
            const TLnxCollection* events = period ? period->findCollection(tag::EVENTS) : nullptr;
            for (int e = 0; events && e < events->childCount(); ++e) {
                ++counts.events;
                if (const TLnxObject* event = events->itemAt(e))
                    counts.ageGroups += itemCount(*event, tag::CATS);
            }
        }
    }
    if (const TLnxCollection* clubs = competition.findCollection(tag::CLUBS)) {
        counts.clubs = clubs->childCount();
        for (int c = 0; c < clubs->childCount(); ++c) {
            const TLnxObject* club = clubs->itemAt(c);
            if (!club)
                continue;
            for (TLnxTagId list : {tag::PERSONS, tag::RELAYS}) {
                const TLnxCollection* owners = club->findCollection(list);
                for (int i = 0; owners && i < owners->childCount(); ++i) {
                    const TLnxObject* owner = owners->itemAt(i);
                    if (!owner)
                        continue;
                    (list == tag::PERSONS ? counts.athletes : counts.relays)++;
                    countSwims(*owner, list == tag::PERSONS ? counts.results : counts.relayResults, counts);
                }
            }
        }
    }
    return counts;
}

void printLines(const char* label, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        std::printf("%s: %s\n", label, line.c_str());
}

} // namespace

int runInfo(const Arguments& arguments)
{
    if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: lanescope-cli info FILE\n");
        return 2;
    }
    TLenex document;
    if (!openDocument(arguments[0], document))
        return 1;

    std::printf("%s\n", base::replaceAll(document.fileInformationText(), "\r\n", "\n").c_str());
    if (const std::string contents = swim::contentsText(document); !contents.empty())
        std::printf("\n%s\n", contents.c_str());

    for (int i = 0; i < document.competitionCount(); ++i) {
        document.selectCompetition(i);
        const TLnxObject* competition = document.currentCompetition();
        if (!competition)
            continue;
        const Counts counts = countCompetition(*competition);
        std::printf("\nCompetition %d: %s\n", i + 1, competition->getText(tag::NAME).c_str());
        std::printf("  place       %s\n", competition->getText(tag::PLACE).c_str());
        std::printf("  pool        %s\n", swim::poolText(competition->poolIndex()).c_str());
        std::printf("  sessions    %ld\n  events      %ld\n  age groups  %ld\n  clubs       %ld\n"
                    "  athletes    %ld\n  relays      %ld\n  results     %ld\n  relay results %ld\n"
                    "  entries     %ld\n  splits      %ld\n",
                    counts.sessions, counts.events, counts.ageGroups, counts.clubs, counts.athletes,
                    counts.relays, counts.results, counts.relayResults, counts.entries, counts.splits);
    }
    printLines("error", document.errors());
    printLines("warning", document.warnings());
    return document.errors().empty() ? 0 : 1;
}

} // namespace lanescope::cli
