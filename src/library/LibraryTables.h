#pragma once

#include "library/SeasonLibrary.h"

#include <string>
#include <vector>

/**
 * The library's lists as tables of texts: what the window shows, copies, prints and exports, and what the
 * command line prints. Captions come from the loaded language (V178 on), English without one.
 */
namespace lanescope::library {

struct LibraryTable
{
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

/** The [V] language text of the number, the English one while no language is loaded. */
std::string libraryText(int number, const char* english);

/** "DSQ", "DNS", "DNF" for an invalid swim, else the time ("1:05.32"). */
std::string swimTimeText(const SwimRow& swim);

LibraryTable athletesTable(const std::vector<AthleteRow>& athletes);
/** Date, meet, event, course, round, time, place, points, and the leg of a relay swim (empty for others). */
LibraryTable historyTable(const std::string& title, const std::vector<SwimRow>& swims);
/** Event, course, time, date, meet. */
LibraryTable bestsTable(const std::string& title, const std::vector<SwimRow>& bests);
/** Event, course, place, athlete, club, time, date, meet. */
LibraryTable bestListTable(const std::string& title, const std::vector<BestListRow>& rows);

/** Tab-separated lines ending in LF, without the captions (as the list command prints). */
std::string tableText(const LibraryTable& table);
/** Comma-separated values with a caption row, quoted where needed, CR LF line ends. */
std::string tableCsv(const LibraryTable& table);

} // namespace lanescope::library
