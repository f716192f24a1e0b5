#pragma once

#include "browser/ClubTree.h"
#include "browser/EventListDrawing.h"
#include "browser/PaintBox.h"

#include <array>
#include <string>

/** The participants page: counts and contact of a nation or club, results or entries of an athlete or relay.
 */
namespace lanescope::browser {

/** The header of the participants page (`hcClubs`): number, event, age group, time, place, heat/lane. */
using ClubHeader = std::array<HeaderSection, 6>;

/**
 * The header as laid out in the window; the captions of number, event, age group and place are the language
 * texts S18, S16, V31 and V28 where the loaded language has them. Time and last section are set per list.
 */
ClubHeader defaultClubHeader();

/** The two check boxes of the participants page. */
struct ClubPageOptions
{
    bool splitsAndNames = false;   // "&Zwischenzeiten/Namen"
    bool onlyValidResults = false; // "&nur gültige Resultate"
    CaptionWidth captionWidth;     // none: the per-list sections keep their widths
    const ResultChanges* changes =
        nullptr; // results to mark with a bar at the row's left edge; none: no marks
    const PersonalBestMarks* personalBests = nullptr; // results marked "PB" in the time column; none: no marks
};

/** What the window shows around the drawing. */
struct ClubPageDrawing
{
    std::string title;          // the title panel's text
    bool headerVisible = false; // an athlete or relay with results or entries is shown
    bool hasResults = false;    // the shown list holds RESULTs (kept for printing); set only with the header
};

/**
 * Fits the event and age-group sections to the longest texts of an athlete's or relay's list, within the
 * pane, which keeps room right of the sections for the rows' remarks (round, leg, heat and lane, entry).
 * Other nodes leave the header as it is.
 */
void fitAthleteColumns(ClubHeader& header, const TextMeasure& measure, const ClubTreeNode* node,
                       const lenex::TLenex& document, int paneWidth);

/**
 * `trvClubsChange`: clears the box and draws the node: the counts (and a club's contact address) of a
 * nation or club, or the results or entries of an athlete or relay with the header's widths, setting the
 * time and last sections of the header per list; then finishes the box. No node or a participant without
 * data leave the box empty.
 */
ClubPageDrawing drawClubsPage(TvnxPaintBox& box, ClubHeader& header, const ClubTreeNode* node,
                              const lenex::TLenex& document, const ClubPageOptions& options);

} // namespace lanescope::browser
