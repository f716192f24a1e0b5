#include "browser/EventListDrawing.h"

#include "base/LanguageTexts.h"
#include "browser/ListCells.h"
#include "browser/SplitsBlock.h"
#include "swim/LenexTexts.h"
#include "swim/TextFormat.h"

#include <algorithm>

namespace lanescope::browser {

using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

constexpr int kFirstRowY = 5;
constexpr int kRowHeight = 15;
constexpr int kMarkWidth = 3; // the bar of a new or changed result
constexpr int kRowHeightWithSplits = 17;

// The scroll position that shows the found row, drawn from top to bottom (splits make rows taller), with
// two more rows below it, or its top when the row is taller than the view; -1 when it shows already or
// was not drawn.
int scrollTopFor(int top, int bottom, int rowHeight, int clientHeight)
{
    if (top < 0 || bottom + 2 * rowHeight < clientHeight)
        return -1;
    return std::min(top, bottom + 2 * rowHeight - clientHeight);
}

} // namespace

void setPerListSections(HeaderSection& time, HeaderSection& last, bool hasResults, bool pointTable,
                        const CaptionWidth& captionWidth)
{
    time.text = hasResults ? base::languageText('V', 11) : base::languageText('S', 17);
    if (hasResults) {
        last.width = pointTable ? 40 : 0;
        last.text = base::languageText('V', 12);
        last.alignment = SectionAlignment::Centre;
    } else {
        last.width = 70;
        last.text = base::languageText('V', 13);
        last.alignment = SectionAlignment::Left;
    }
    if (last.width > 0 && captionWidth)
        last.width = std::max(last.width, captionWidth(last.text));
}

EventHeader defaultEventHeader()
{
    return {{
        {languageTextOr('V', 28, "Rg."), 36, 20, SectionAlignment::Centre},
        {languageTextOr('V', 29, "Name, Vorname, Jg."), 143, 50, SectionAlignment::Left},
        {languageTextOr('V', 30, "Verein"), 143, 50, SectionAlignment::Left},
        {languageTextOr('V', 11, "Zeit"), 53, 53, SectionAlignment::Right},
        {languageTextOr('V', 13, "Lauf / Bahn"), 50, 0, SectionAlignment::Left},
    }};
}

EventPageDrawing drawEventsPage(TvnxPaintBox& box, EventHeader& header, const EventTreeNode* node,
                                const lenex::TLenex& document, const ResultLists& lists,
                                const EventPageOptions& options)
{
    EventPageDrawing page;
    box.Clear();
    const TLnxObject* event = listEventOf(node, lists);
    if (event != nullptr) {
        page.rowHeight = options.splitsAndNames ? kRowHeightWithSplits : kRowHeight;
        page.title =
            node->level >= 2 && node->parent != nullptr ? node->parent->text + ", " + node->text : node->text;
        if (const ResultList* list = ResultListFor(node, lists)) {
            const bool mixed = event->getText(tag::SEX) == "X";
            const int ageGroupId = listAgeGroupId(node);
            for (const TLnxObject* item : *list)
                page.hasResults = page.hasResults || item->tag() == tag::RESULT;
            page.headerVisible = !list->empty();
            setPerListSections(header[3], header[4], page.hasResults, document.pointTable() != nullptr,
                               options.captionWidth);
            const std::array<int, 6> x = columnEdges(header);

            int y = kFirstRowY;
            int foundTop = -1;
            int foundBottom = -1;
            for (std::size_t i = 0; i < list->size(); ++i) {
                TLnxObject& item = *(*list)[i];
                const bool isResult = item.tag() == tag::RESULT;
                if (isResult && options.onlyValidResults && !IsValidResult(item))
                    continue;
                if (isResult && options.changes != nullptr && options.changes->marked(item))
                    box.AddBar(0, y, kMarkWidth, kRowHeight - 2, ColourRole::Changed);
                if (isResult)
                    box.AddText(x[1] / 2 - 1, y, 0, textflag::centre, placeText(item, ageGroupId));
                const bool found = static_cast<int>(i) == options.foundRow;
                if (found) {
                    foundTop = y;
                    box.setBrush(ColourRole::Highlight);
                    box.setFontColour(ColourRole::HighlightText);
                }
                const TLnxObject* owner = ownerOf(item);
                box.AddText(x[1] + 3, y, x[2] - x[1] - 6, 0,
                            owner != nullptr ? swim::participantText(*owner, mixed) : std::string());
                if (found) {
                    box.setBrush(ColourRole::Window);
                    box.setFontColour(ColourRole::WindowText);
                }
                const TLnxObject* club = clubOf(owner);
                box.AddText(x[2] + 3, y, x[3] - x[2] - 6, 0, club != nullptr ? club->getText(tag::NAME) : "");
                drawTimeCell(box, x[4] - 3, y, item);
                drawPersonalBestMark(box, x[4] - 3, y, options.personalBests, item);
                if (isResult) {
                    if (const std::string& comment = item.getText(tag::COMMENT); !comment.empty())
                        box.AddText(x[5] + 5, y, 0, 0, comment);
                    if (item.getInteger(tag::POINTS) > 0)
                        box.AddText((x[4] + x[5]) / 2 - 2, y, 0, textflag::centre, item.getText(tag::POINTS));
                } else if (const int lane = item.getInteger(tag::LANE); lane > 0) {
                    box.AddText(x[4] + 10, y, 0, 0,
                                swim::formatText("%d / %d", {item.getInteger(tag::HEAT), lane}));
                }
                const bool relay = owner != nullptr && owner->tag() == tag::RELAY;
                if (options.splitsAndNames && (isResult || relay)) {
                    y = drawSplitsAndNames(box, document, item, x[1], x[4] - 5, y, event);
                    box.AddLine(5, y + 14, 1, y + 14, x[4] - 1);
                }
                y += page.rowHeight;
                if (found)
                    foundBottom = y;
            }
            page.scrollTop = scrollTopFor(foundTop, foundBottom, page.rowHeight, options.clientHeight);
        }
    }
    box.Finish();
    return page;
}

} // namespace lanescope::browser
