#pragma once

#include "library/LibraryTables.h"
#include "report/VornixReport.h"

#include <string>

namespace lanescope::library {

/** Which of the library's lists a table holds: each prints in its own column layout. */
enum class LibraryList
{
    History,       // historyTable
    PersonalBests, // bestsTable
    BestList,      // bestListTable
};

/**
 * A list of the library as a report: printed, previewed and written as PDF or HTML by the report engine
 * with the branded head and footer of the result lists. The head names the list (the table's title); the
 * body prints headings and rows as the result lists do: personal bests under a heading per course, a best
 * list under a heading per event and course with the place numbered ("1."). Every page repeats the heading
 * (marked as continued) and the column headings.
 */
class TLibraryReport : public report::TVornixReport
{
public:
    TLibraryReport(report::TVnxReport& report, LibraryList list, LibraryTable table);

protected:
    void Body() override;

private:
    /** The heading of a group and the column headings under it. */
    void heading(const std::string& text, bool continued);
    /** Checks for a page break before a row; a new page repeats the heading. */
    void ensureRoom(int tenths);

    LibraryList FList;
    LibraryTable FTable;
    std::string FHeading;
};

} // namespace lanescope::library
