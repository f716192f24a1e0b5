#pragma once

#include "browser/ClubTree.h"
#include "browser/EventTree.h"
#include "browser/ResultLists.h"

namespace lanescope::browser {

/**
 * Everything the two browser pages show for one competition: the event tree with its result lists and the
 * participants tree. They point into the document: clear them before the document frees its tree.
 */
struct BrowserModels
{
    explicit BrowserModels(int firstClubImage = kClubImage + 1)
        : images(firstClubImage)
    {
    }

    /**
     * Makes the competition current and builds, in this order: the empty result lists and the event tree,
     * the club tree (which files every RESULT and ENTRY into the lists and counts the statistics), then
     * sorts every list. The document must be indexed.
     */
    void build(lenex::TLenex& document, int competitionIndex, const ProgressText& progress = {});
    /** Builds as `build` does for the competition that is current already, leaving the document as it is. */
    void buildCurrent(const lenex::TLenex& document, const ProgressText& progress = {});
    void clear();

    ClubImages images;
    ResultLists lists;
    EventTree events;
    ClubTree clubs;
};

} // namespace lanescope::browser
