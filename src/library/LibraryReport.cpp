#include "library/LibraryReport.h"

#include "report/VnxReport.h"
#include "swim/TextFormat.h"

#include <utility>
#include <vector>

namespace lanescope::library {

namespace {

using report::reportflag::bold;
using report::reportflag::italic;

// A table column printed into a report column (whose layout says how it is aligned).
struct Cell
{
    int tableColumn;
    int reportColumn;
};

// How a list prints: the report columns, the table columns that make a group's heading, and the cells of a
// row. Columns are thousandths of the page width; a narrow empty column keeps a right-aligned time apart
// from the left-aligned text after it.
struct Layout
{
    const char* columns;
    std::vector<int> groupColumns;
    std::vector<Cell> cells;
    int placeColumn = -1; // printed as "1."
};

const Layout& layoutOf(LibraryList list)
{
    // History: date, meet, event, course, round, time, place, points, relay leg.
    static const Layout history{"L120;L220;L185;L75;L80;R90;R65;R75;R90",
                                {},
                                {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}}};
    // Personal bests: event, course (the heading), time, date, meet.
    static const Layout bests{"L300;R110;L40;L120;L430", {1}, {{0, 0}, {2, 1}, {3, 3}, {4, 4}}};
    // Best list: event and course (the heading), place, athlete, club, time, date, meet.
    static const Layout bestList{
        "R60;L15;L270;L190;R100;L25;L110;L230", {0, 1}, {{2, 0}, {3, 2}, {4, 3}, {5, 4}, {6, 6}, {7, 7}}, 2};
    switch (list) {
    case LibraryList::History:
        return history;
    case LibraryList::PersonalBests:
        return bests;
    case LibraryList::BestList:
        break;
    }
    return bestList;
}

// The list's name under the head: the history and the personal bests name themselves, a best list's
// title does.
std::string listCaption(LibraryList list)
{
    switch (list) {
    case LibraryList::History:
        return libraryText(175, "History");
    case LibraryList::PersonalBests:
        return libraryText(176, "Personal bests");
    case LibraryList::BestList:
        break;
    }
    return {};
}

std::string groupText(const Layout& layout, const std::vector<std::string>& row)
{
    std::string text;
    for (const int column : layout.groupColumns)
        if (static_cast<std::size_t>(column) < row.size() && !row[static_cast<std::size_t>(column)].empty())
            text += (text.empty() ? "" : ", ") + row[static_cast<std::size_t>(column)];
    return text;
}

} // namespace

TLibraryReport::TLibraryReport(report::TVnxReport& report, LibraryList list, LibraryTable table)
    : TVornixReport(report, nullptr, nullptr)
    , FList(list)
    , FTable(std::move(table))
{
    HeadName = FTable.title;
    HeadPlace = listCaption(list);
}

void TLibraryReport::heading(const std::string& text, bool continued)
{
    report::TVnxReport& report = Report();
    const Layout& layout = layoutOf(FList);
    if (!text.empty()) {
        report.SetFontSizePercent(120);
        report.SetColumns("L1000");
        report.PrintRow({continued ? swim::formatText(libraryText(142, "%s (cont.)"), {text}) : text}, bold);
        report.AdvanceLines(3);
        report.HtmlNewLine();
    }
    report.SetFontSizePercent(90);
    report.SetColumns(layout.columns);
    for (const Cell& cell : layout.cells)
        if (static_cast<std::size_t>(cell.tableColumn) < FTable.columns.size())
            report.PrintCell(cell.reportColumn, FTable.columns[static_cast<std::size_t>(cell.tableColumn)],
                             italic);
    report.AdvanceLines(10);
    report.HtmlNewLine();
    report.SetFontSizePercent(100);
}

void TLibraryReport::ensureRoom(int tenths)
{
    if (!CheckPageBreakWithHead(tenths))
        return;
    Report().AdvanceLines(5);
    heading(FHeading, true);
}

void TLibraryReport::Body()
{
    report::TVnxReport& report = Report();
    const Layout& layout = layoutOf(FList);
    BrandedHead();
    SetTitle(FTable.title);
    std::string group;
    bool first = true;
    for (const std::vector<std::string>& row : FTable.rows) {
        const std::string rowGroup = groupText(layout, row);
        if (first || rowGroup != group) {
            if (!first) {
                report.AdvanceLines(5);
                report.HtmlNewLine();
            }
            // A heading never stands alone at the foot of a page: it keeps its first row with it.
            CheckPageBreakWithHead(50);
            FHeading = layout.groupColumns.empty() ? HeadPlace : rowGroup;
            heading(FHeading, false);
            group = rowGroup;
            first = false;
        }
        ensureRoom(10);
        report.SetColumns(layout.columns);
        for (const Cell& cell : layout.cells) {
            if (static_cast<std::size_t>(cell.tableColumn) >= row.size())
                continue;
            const std::string& text = row[static_cast<std::size_t>(cell.tableColumn)];
            if (!text.empty())
                report.PrintCell(cell.reportColumn,
                                 cell.tableColumn == layout.placeColumn ? text + "." : text, 0);
        }
        report.AdvanceLines(10);
    }
    // An empty list still says what it is.
    if (first)
        heading(layout.groupColumns.empty() ? HeadPlace : std::string(), false);
}

} // namespace lanescope::library
