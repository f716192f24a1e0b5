#pragma once

#include "browser/EventTree.h"
#include "browser/ResultLists.h"
#include "report/LanescopeDrucken.h"

#include <string>
#include <vector>

/**
 * The whole meet as one book: a title page (meet, place, dates, pool), a table of contents with page
 * numbers and links, and every event with results in session order, each age group and round, with
 * splits when asked. In PDF output the book has an outline: session, event, age group.
 */
namespace lanescope::report {

class TResultBook : public TLanescopeDrucken
{
public:
    /** The event tree and lists must outlive the report (the main window's or the command's models). */
    TResultBook(TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet, const lenex::TLenex& document,
                const browser::EventTree& events, const browser::ResultLists& lists, bool splits);

    /** One line of the contents: a session, an event or an age group; `node` is null for headings only. */
    struct Entry
    {
        int level = 0;
        std::string title;
        std::string anchor;
        const browser::EventTreeNode* node = nullptr;
    };
    /** The contents in book order: the lists that hold at least one result, under their event and session. */
    std::vector<Entry> Contents() const;

protected:
    void Body() override;

private:
    void titlePage();
    void contentsPages(const std::vector<Entry>& entries);
    void newPage();

    const browser::EventTree& FEvents;
    bool FSplits = false;
};

} // namespace lanescope::report
