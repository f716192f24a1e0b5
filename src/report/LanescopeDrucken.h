#pragma once

#include "browser/ClubTree.h"
#include "browser/EventTree.h"
#include "browser/ResultLists.h"
#include "report/VornixReport.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

/** The result reports: the list of an event or age group, and the results or entries of an athlete or relay.
 */
namespace lanescope::report {

/** The two check boxes of a browser page as the reports read them. */
struct ListPrintOptions
{
    bool onlyValidResults = false; // "&nur gültige Resultate"
    bool splitsAndNames = false;   // "&Zwischenzeiten/Namen"
};

/**
 * The pages a meet's website gives each athlete, relay, club and event list, as relative addresses. In HTML
 * output the names in a report point there; a missing function or an empty address gives plain text.
 */
struct ReportLinks
{
    std::function<std::string(const lenex::TLnxObject& owner)> participant;
    std::function<std::string(const lenex::TLnxObject& club)> club;
    std::function<std::string(const lenex::TLnxObject& event, const lenex::TLnxObject* ageGroup)> event;
};

/**
 * What the main window shows when it prints: the active page, the selected nodes of both trees (borrowed;
 * an event node or an age-group node, an athlete or relay node) and the result lists they index into.
 */
struct PrintSelection
{
    enum class Page
    {
        Events,
        Participants,
    };
    Page activePage = Page::Events;
    const browser::EventTreeNode* eventNode = nullptr;
    const browser::ClubTreeNode* participantNode = nullptr;
    const browser::ResultLists* resultLists = nullptr;
    ListPrintOptions events;
    ListPrintOptions participants;
};

/**
 * The result report of the print command. The events page prints the selected event's or age group's
 * list in its display order, the participants page the selected athlete's or relay's results or entries;
 * both optionally with splits and relay swimmers. Long lists break across pages with the branded head
 * on every page: before each item and before each line of a splits block.
 */
class TLanescopeDrucken : public TVornixReport
{
public:
    /** The document must outlive the report and stay indexed; the selection's nodes must stay valid. */
    TLanescopeDrucken(TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet,
                      const lenex::TLenex& document);

    void setSelection(const PrintSelection& selection) { FSelection = selection; }
    void setLinks(ReportLinks links) { FLinks = std::move(links); }
    /** The window's `FHasResults`, kept with the report; no output reads it. */
    bool HasResults = false;

protected:
    void Body() override;
    /**
     * One event or age-group list under its heading and column headings. A swimmer's name row and split
     * rows stay on one page: the block moves to the next page when it fits there; a block longer than a
     * page goes on under its name marked "(cont.)". Continuation pages repeat the heading with "(cont.)"
     * and the column headings.
     */
    void eventList(const browser::EventTreeNode* node, const ListPrintOptions& options,
                   const std::string& title);
    const lenex::TLenex& Document() const { return FDocument; }
    PrintSelection FSelection;

private:
    /** One row of a splits block: its column layout and the texts of its cells. */
    struct SplitRow
    {
        struct Cell
        {
            Cell(int column_, std::string text_, int style_, std::string link_ = {})
                : column(column_)
                , text(std::move(text_))
                , style(style_)
                , link(std::move(link_))
            {
            }
            int column = 0;
            std::string text;
            int style = 0;
            std::string link; // the cell's address in a website's HTML; empty for plain text
        };
        const char* columns = "";
        std::vector<Cell> cells;
    };

    void eventReport();
    void athleteReport();
    void titleRow(const std::string& title);
    void timeCell(int column, const lenex::TLnxObject& item);
    void eventHeading(const std::string& title, bool continued, bool points);
    /** Checks for a page break; a new page gets the list's heading marked as continued. */
    bool ensureRoom(int tenths);
    void itemRow(const lenex::TLnxObject& item, int ageGroupId, bool mixed, bool continued);
    /** itemLine: the text of the item's line (column 2), repeated where the block breaks. */
    void splitsBlock(const lenex::TLnxObject& item, const lenex::TLnxObject* event,
                     const std::string& itemLine);
    std::vector<SplitRow> splitRows(const lenex::TLnxObject& item, const lenex::TLnxObject* event) const;
    std::vector<SplitRow> relayRows(const lenex::TLnxObject& item, const lenex::TLnxObject& event) const;
    std::vector<SplitRow> individualRows(const lenex::TLnxObject& item) const;
    void printSplitRow(const SplitRow& row);
    std::string splitLabel(const std::string& distance) const;

    const lenex::TLenex& FDocument;
    std::string FListTitle;
    bool FListPoints = false;
    ReportLinks FLinks;
};

} // namespace lanescope::report
