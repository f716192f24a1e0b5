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
        {languageTextOr('V', 13, "Lauf / Bahn"), 0, 0, SectionAlignment::Left},
        {languageTextOr('V', 68, "RT"), 0, 0, SectionAlignment::Right},
    }};
}

namespace {

// Bytes at the end of an athlete's text that hold the year of birth (", 05"), which is never cut away.
std::size_t yearLength(const TLnxObject* owner, const std::string& text)
{
    if (owner == nullptr || owner->tag() != tag::PERSON)
        return 0;
    const std::size_t comma = text.rfind(", ");
    return comma == std::string::npos ? 0 : text.size() - comma;
}

std::string clubNameOf(const TLnxObject* owner)
{
    const TLnxObject* club = clubOf(owner);
    return club != nullptr ? club->getText(tag::NAME) : std::string();
}

class ListPainter
{
public:
    ListPainter(TvnxPaintBox& box, const std::array<int, 8>& x, const lenex::TLenex& document,
                const TLnxObject& event, const EventPageOptions& options, EventPageDrawing& page)
        : FBox(box)
        , FX(x)
        , FDocument(document)
        , FEvent(event)
        , FOptions(options)
        , FPage(page)
        , FMixed(event.getText(tag::SEX) == "X")
    {
    }

    void heading(const std::string& text);
    void row(TLnxObject& item, int ageGroupId, bool found);
    void noResults();

    int y = kFirstRowY;
    int foundTop = -1;
    int foundBottom = -1;

private:
    TvnxPaintBox& FBox;
    const std::array<int, 8>& FX;
    const lenex::TLenex& FDocument;
    const TLnxObject& FEvent;
    const EventPageOptions& FOptions;
    EventPageDrawing& FPage;
    bool FMixed;
};

void ListPainter::heading(const std::string& text)
{
    if (y > kFirstRowY)
        y += kRowHeight / 2;
    FBox.AddText(5, y, 0, textflag::bold, text);
    y += kRowHeight + 2;
}

void ListPainter::noResults()
{
    FBox.AddText(5, y, 0, textflag::italic, languageTextOr('V', 56, "No results"));
    y += kRowHeight;
}

void ListPainter::row(TLnxObject& item, int ageGroupId, bool found)
{
    const auto& x = FX;
    const int top = y;
    const bool isResult = item.tag() == tag::RESULT;
    const bool selected = FOptions.selected.count(&item) > 0;
    // A selected row is drawn in the highlight colours over the width of its sections.
    if (selected) {
        FBox.AddBar(0, y - 1, x[7], kRowHeight, ColourRole::Highlight);
        FBox.setBrush(ColourRole::Highlight);
        FBox.setFontColour(ColourRole::HighlightText);
    }
    if (isResult && FOptions.changes != nullptr && FOptions.changes->marked(item))
        FBox.AddBar(0, y, kMarkWidth, kRowHeight - 2, ColourRole::Changed);
    if (isResult)
        FBox.AddText(x[1] / 2 - 1, y, x[1] - 2, textflag::centre, placeText(item, ageGroupId));
    if (found && !selected) {
        FBox.setBrush(ColourRole::Highlight);
        FBox.setFontColour(ColourRole::HighlightText);
    }
    const TLnxObject* owner = ownerOf(item);
    const std::string name = owner != nullptr ? swim::participantText(*owner, FMixed) : std::string();
    FBox.AddText(x[1] + 3, y, x[2] - x[1] - 6, 0, name, yearLength(owner, name));
    if (found && !selected) {
        FBox.setBrush(ColourRole::Window);
        FBox.setFontColour(ColourRole::WindowText);
    }
    FBox.AddText(x[2] + 3, y, x[3] - x[2] - 6, 0, clubNameOf(owner));
    drawTimeCell(FBox, x[4] - 3, y, item);
    drawPersonalBestMark(FBox, x[4] - 3, y, FOptions.personalBests, item);
    if (isResult) {
        if (const std::string& comment = item.getText(tag::COMMENT); !comment.empty())
            FBox.AddText(x[7] + 5, y, 0, 0, comment);
        if (const int lane = item.getInteger(tag::LANE); lane > 0 && x[6] > x[5])
            FBox.AddText(x[5] + 3, y, x[6] - x[5] - 6, 0,
                         swim::formatText("%d / %d", {item.getInteger(tag::HEAT), lane}));
        if (const std::string& reaction = item.getText(tag::RT); !reaction.empty() && x[7] > x[6])
            FBox.AddText(x[7] - 3, y, x[7] - x[6] - 6, textflag::right, reaction);
        if (item.getInteger(tag::POINTS) > 0)
            FBox.AddText((x[4] + x[5]) / 2 - 2, y, 0, textflag::centre, item.getText(tag::POINTS));
    } else if (const int lane = item.getInteger(tag::LANE); lane > 0) {
        FBox.AddText(x[4] + 10, y, 0, 0, swim::formatText("%d / %d", {item.getInteger(tag::HEAT), lane}));
    }
    if (selected) {
        FBox.setBrush(ColourRole::Window);
        FBox.setFontColour(ColourRole::WindowText);
    }
    const bool relay = owner != nullptr && owner->tag() == tag::RELAY;
    if (FOptions.splitsAndNames && (isResult || relay)) {
        y = drawSplitsAndNames(FBox, FDocument, item, x[1], x[4] - 5, y, &FEvent);
        FBox.AddLine(5, y + 14, 1, y + 14, x[4] - 1);
    }
    y += FPage.rowHeight;
    FPage.rows.push_back({&item, top, y});
    if (found) {
        foundTop = top;
        foundBottom = y;
    }
}

// The heat/lane and reaction-time sections: shown at their own width (at least their caption's) when chosen
// and a row of the result list has a lane or a reaction time; a width the user gave is kept while shown.
void setOptionalSections(EventHeader& header, const std::vector<ListSection>& sections, bool hasResults,
                         const EventPageOptions& options)
{
    bool lanes = false;
    bool reactions = false;
    for (const ListSection& section : sections)
        for (const TLnxObject* item : section.rows) {
            lanes = lanes || item->getInteger(tag::LANE) > 0;
            reactions = reactions || !item->getText(tag::RT).empty();
        }
    const auto show = [&options](HeaderSection& section, bool shown, int width) {
        if (!shown)
            section.width = 0;
        else if (section.width == 0)
            section.width =
                options.captionWidth ? std::max(width, options.captionWidth(section.text)) : width;
    };
    show(header[5], hasResults && options.heatLaneColumn && lanes, 60);
    show(header[6], hasResults && options.reactionColumn && reactions, 40);
}

} // namespace

void fitTextColumns(EventHeader& header, const TextMeasure& measure, const EventTreeNode* node,
                    const ResultLists& lists, int paneWidth)
{
    const TLnxObject* event = listEventOf(node, lists);
    if (event == nullptr)
        return;
    const bool mixed = event->getText(tag::SEX) == "X";
    int name = 0;
    int club = 0;
    for (const ListSection& section : shownSections(node, lists, ListOrder{}))
        for (const TLnxObject* item : section.rows) {
            const TLnxObject* owner = ownerOf(*item);
            if (owner != nullptr)
                name =
                    std::max(name, measure.textWidth(swim::participantText(*owner, mixed), FontStyle::Plain));
            club = std::max(club, measure.textWidth(clubNameOf(owner), FontStyle::Plain));
        }
    if (name == 0 && club == 0)
        return;
    shareTextSections(header[1], header[2], name, club,
                      paneWidth - header[0].width - header[3].width - header[4].width - header[5].width -
                          header[6].width);
}

void shareTextSections(HeaderSection& first, HeaderSection& second, int firstText, int secondText, int room)
{
    // The cell texts start 3 pixels inside their section and keep 3 pixels to its end.
    int one = std::max(first.minWidth, firstText + 8);
    int two = std::max(second.minWidth, secondText + 8);
    if (one + two > room) {
        const int share = room * one / (one + two);
        one = std::max(first.minWidth, share);
        two = std::max(second.minWidth, room - share);
    }
    first.width = one;
    second.width = two;
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
        const std::vector<ListSection> sections = shownSections(node, lists, options.order);
        // The search counts its rows over the node's own list, in the ranked order.
        const ResultList* own = ResultListFor(node, lists);
        const TLnxObject* foundItem = own != nullptr && options.foundRow >= 0 &&
                                              static_cast<std::size_t>(options.foundRow) < own->size()
                                          ? (*own)[static_cast<std::size_t>(options.foundRow)]
                                          : nullptr;
        for (const ListSection& section : sections)
            for (const TLnxObject* item : section.rows)
                page.hasResults = page.hasResults || item->tag() == tag::RESULT;
        setPerListSections(header[3], header[4], page.hasResults, document.pointTable() != nullptr,
                           options.captionWidth);
        setOptionalSections(header, sections, page.hasResults, options);
        const std::array<int, 8> x = columnEdges(header);
        ListPainter painter(box, x, document, *event, options, page);
        bool drawn = false;
        for (const ListSection& section : sections) {
            if (sections.size() > 1 || !section.heading.empty())
                painter.heading(section.heading);
            for (TLnxObject* item : section.rows) {
                if (item->tag() == tag::RESULT && options.onlyValidResults && !IsValidResult(*item))
                    continue;
                painter.row(*item, section.ageGroupId, item == foundItem);
                drawn = true;
            }
        }
        if (!drawn)
            painter.noResults();
        // A filter that hides every row keeps the header, so the order and filter stay in view.
        page.headerVisible = drawn || !options.order.filter.empty();
        page.scrollTop =
            scrollTopFor(painter.foundTop, painter.foundBottom, page.rowHeight, options.clientHeight);
    }
    box.Finish();
    return page;
}

} // namespace lanescope::browser
