#include "library/LibraryTables.h"

#include "base/LanguageTexts.h"
#include "swim/SwimTime.h"

namespace lanescope::library {

namespace {

std::string number(int value) { return value > 0 ? std::to_string(value) : std::string(); }

std::string csvField(const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

std::string libraryText(int number, const char* english)
{
    std::string loaded = base::languageText('V', number);
    return loaded.empty() ? english : loaded;
}

std::string swimTimeText(const SwimRow& swim)
{
    switch (swim.status) {
    case 0:
    case 1:
        return swim::formatMilliseconds(swim.timeMs, true);
    case 3:
        return "DNS";
    case 4:
        return "DNF";
    default:
        return "DSQ";
    }
}

LibraryTable athletesTable(const std::vector<AthleteRow>& athletes)
{
    LibraryTable table{
        libraryText(187, "Athlete"),
        {"id", libraryText(187, "Athlete"), libraryText(188, "Clubs"), libraryText(189, "Swims")},
        {}};
    for (const AthleteRow& athlete : athletes)
        table.rows.push_back(
            {std::to_string(athlete.id), athlete.nameText(), athlete.clubs, std::to_string(athlete.swims)});
    return table;
}

LibraryTable historyTable(const std::string& title, const std::vector<SwimRow>& swims)
{
    LibraryTable table{title,
                       {libraryText(178, "Date"), libraryText(179, "Meet"), libraryText(180, "Event"),
                        libraryText(181, "Course"), libraryText(182, "Round"), libraryText(183, "Time"),
                        libraryText(184, "Place"), libraryText(185, "Points"), libraryText(186, "Relay leg")},
                       {}};
    for (const SwimRow& swim : swims)
        table.rows.push_back({swim.date, swim.meet, swim.event, courseCode(swim.course), swim.round,
                              swimTimeText(swim), number(swim.place), number(swim.points),
                              number(swim.relayLeg)});
    return table;
}

LibraryTable bestsTable(const std::string& title, const std::vector<SwimRow>& bests)
{
    LibraryTable table{title,
                       {libraryText(180, "Event"), libraryText(181, "Course"), libraryText(183, "Time"),
                        libraryText(178, "Date"), libraryText(179, "Meet")},
                       {}};
    for (const SwimRow& best : bests)
        table.rows.push_back({best.event, courseCode(best.course), swimTimeText(best), best.date, best.meet});
    return table;
}

LibraryTable bestListTable(const std::string& title, const std::vector<BestListRow>& rows)
{
    LibraryTable table{title,
                       {libraryText(180, "Event"), libraryText(181, "Course"), libraryText(184, "Place"),
                        libraryText(187, "Athlete"), libraryText(190, "Club"), libraryText(183, "Time"),
                        libraryText(178, "Date"), libraryText(179, "Meet")},
                       {}};
    for (const BestListRow& row : rows)
        table.rows.push_back({row.event, courseCode(row.course), std::to_string(row.rank),
                              row.athlete.nameText(), row.club, swim::formatMilliseconds(row.timeMs, true),
                              row.date, row.meet});
    return table;
}

std::string tableText(const LibraryTable& table)
{
    std::string result;
    for (const auto& row : table.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                result += '\t';
            result += row[i];
        }
        result += '\n';
    }
    return result;
}

std::string tableCsv(const LibraryTable& table)
{
    std::string result;
    const auto line = [&](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                result += ',';
            result += csvField(fields[i]);
        }
        result += "\r\n";
    };
    line(table.columns);
    for (const auto& row : table.rows)
        line(row);
    return result;
}

} // namespace lanescope::library
