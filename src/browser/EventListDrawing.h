#pragma once

#include "browser/EventTree.h"
#include "browser/ListOrder.h"
#include "browser/PaintBox.h"
#include "browser/PersonalBestMarks.h"
#include "browser/ResultChanges.h"

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

/** The result list of the events page, drawn row by row on a paint box. */
namespace lanescope::browser {

enum class SectionAlignment
{
    Left,
    Centre,
    Right,
};

/** One section of a list header: caption, width in pixels, smallest width and text alignment. */
struct HeaderSection
{
    std::string text;
    int width = 0;
    int minWidth = 0;
    SectionAlignment alignment = SectionAlignment::Left;
};

/**
 * The header of the events page (`hcEvents`): place, name, club, time, heat/lane or points, and the optional
 * heat/lane and reaction-time sections of result lists (width 0 while not shown).
 */
using EventHeader = std::array<HeaderSection, 7>;

/**
 * The header as laid out in the window; the captions of place, name and club are the language texts V28,
 * V29 and V30 where the loaded language has them. The time and last sections get their texts per list.
 */
EventHeader defaultEventHeader();

/** Left edges of the sections and the right end: edges[0] = 0 and edges[k] = w0 + ... + w(k-1). */
template <std::size_t N> std::array<int, N + 1> columnEdges(const std::array<HeaderSection, N>& header)
{
    std::array<int, N + 1> edges{};
    for (std::size_t k = 0; k < N; ++k)
        edges[k + 1] = edges[k] + header[k].width;
    return edges;
}

/** Width in pixels that a header caption needs in the window's header font, its padding included. */
using CaptionWidth = std::function<int(const std::string& caption)>;

/**
 * Sets the sections that change per list, of both pages: the time caption (V11 for results, S17 for
 * entries) and the last section: for results the points (V12, centred, width 40 with a points table and
 * 0 without), for entries heat and lane (V13, left, width 70). A caption wider than its shown section
 * widens it, so no language's caption is cut.
 */
void setPerListSections(HeaderSection& time, HeaderSection& last, bool hasResults, bool pointTable,
                        const CaptionWidth& captionWidth);

/** What a drawing of the events page reads besides the node. */
struct EventPageOptions
{
    bool splitsAndNames = false;   // "&Zwischenzeiten/Namen"
    bool onlyValidResults = false; // "&nur gültige Resultate"
    int foundRow = -1;             // the row the search found, counted over the unfiltered list; -1: none
    int clientHeight = 0;          // visible height of the surface, for scrolling to the found row
    CaptionWidth captionWidth;     // none: the per-list sections keep their widths
    const ResultChanges* changes =
        nullptr; // results to mark with a bar at the row's left edge; none: no marks
    const PersonalBestMarks* personalBests =
        nullptr;                 // results marked "PB" in the time column; none: no marks
    bool heatLaneColumn = false; // the heat/lane section of a result list, when a row has a lane
    bool reactionColumn = false; // the reaction-time section, when a row has a reaction time
    ListOrder order{};           // sort column and filter of the rows
    std::set<const lenex::TLnxObject*> selected{}; // rows drawn selected
};

/** Where one row of the list was drawn, for selecting rows with the mouse and the keys. */
struct DrawnRow
{
    lenex::TLnxObject* item = nullptr;
    int top = 0;
    int bottom = 0;
};

/** What the window shows around the drawing. */
struct EventPageDrawing
{
    std::string title; // the title panel's text
    bool headerVisible = false;
    bool hasResults = false; // the list holds a RESULT (kept for printing)
    int rowHeight = 0;
    int scrollTop = -1; // vertical scroll position that brings the drawn found row into view; -1: none
    std::vector<DrawnRow> rows; // the drawn rows from top to bottom
};

/**
 * Gives two text sections the widths their longest texts want (cell texts keep 3 pixels at each end), never
 * below their smallest widths; when both do not fit into room, they share it in proportion to what they want.
 */
void shareTextSections(HeaderSection& first, HeaderSection& second, int firstText, int secondText, int room);

/**
 * Widens or narrows the name and club sections so that each fits the longest text of the node's lists,
 * within the pane: when both do not fit beside the other sections, they share the room left in proportion
 * to their texts, never below their smallest widths.
 */
void fitTextColumns(EventHeader& header, const TextMeasure& measure, const EventTreeNode* node,
                    const ResultLists& lists, int paneWidth);

/**
 * `TrvEventsChange`: clears the box and draws the lists of the node (`shownSections`: an event or age-group
 * node's list, or each age group's under its heading) with the header's widths, setting the texts and the
 * last section's width and alignment of the header per list; then finishes the box. A list without a row
 * to show says "No results" (V56). No node or a session node leave the box empty. Texts wider than their
 * column end in "…"; a swimmer's year of birth is kept. The caller forgets the found row after one
 * drawing.
 */
EventPageDrawing drawEventsPage(TvnxPaintBox& box, EventHeader& header, const EventTreeNode* node,
                                const lenex::TLenex& document, const ResultLists& lists,
                                const EventPageOptions& options);

} // namespace lanescope::browser
