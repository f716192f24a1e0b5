#pragma once

#include "library/SeasonLibrary.h"
#include "support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

/** Small Lenex 3 meets written for the library tests, and a library in the test's own folder. */
namespace lanescope::testing {

struct FixtureSwim
{
    std::string lastName;
    std::string firstName;
    std::string license;
    std::string birthDate; // YYYY-MM-DD
    std::string gender;    // "F" or "M"
    std::string club;
    int distance;
    std::string stroke; // FREE, BACK, BREAST, FLY, MEDLEY
    std::string time;   // "00:01:20.00"
    std::string status = {};
};

struct FixtureMeet
{
    std::string name;
    std::string city;
    std::string date; // the one session's date
    std::string course = "SCM";
    std::vector<FixtureSwim> swims;
};

/** The meet as a Lenex 3 file: one event per style, one athlete per swimmer and club. */
inline std::string lenex3Text(const FixtureMeet& meet)
{
    std::vector<std::string> styles;
    std::string events;
    const auto eventOf = [&](const FixtureSwim& swim) {
        const std::string style = std::to_string(swim.distance) + swim.stroke + swim.gender;
        for (std::size_t i = 0; i < styles.size(); ++i)
            if (styles[i] == style)
                return static_cast<int>(i) + 1;
        styles.push_back(style);
        const int id = static_cast<int>(styles.size());
        events += "<EVENT eventid=\"" + std::to_string(id) + "\" number=\"" + std::to_string(id) +
                  "\" gender=\"" + swim.gender + "\" round=\"TIM\"><SWIMSTYLE distance=\"" +
                  std::to_string(swim.distance) + "\" relaycount=\"1\" stroke=\"" + swim.stroke +
                  "\"/></EVENT>\n";
        return id;
    };
    std::string clubs;
    int athleteId = 0;
    for (const FixtureSwim& swim : meet.swims) {
        const int event = eventOf(swim);
        ++athleteId;
        clubs += "<CLUB name=\"" + swim.club + "\" nation=\"GER\"><ATHLETES><ATHLETE athleteid=\"" +
                 std::to_string(athleteId) + "\" lastname=\"" + swim.lastName + "\" firstname=\"" +
                 swim.firstName + "\" gender=\"" + swim.gender + "\" birthdate=\"" + swim.birthDate + "\"" +
                 (swim.license.empty() ? "" : " license=\"" + swim.license + "\"") +
                 "><RESULTS><RESULT resultid=\"" + std::to_string(athleteId) + "\" eventid=\"" +
                 std::to_string(event) + "\" swimtime=\"" + swim.time + "\"" +
                 (swim.status.empty() ? "" : " status=\"" + swim.status + "\"") +
                 "/></RESULTS></ATHLETE></ATHLETES></CLUB>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><CONSTRUCTOR name=\"test\" "
           "version=\"1\"><CONTACT email=\"t@example.org\"/></CONSTRUCTOR><MEETS><MEET name=\"" +
           meet.name + "\" city=\"" + meet.city + "\" nation=\"GER\" course=\"" + meet.course +
           "\"><SESSIONS><SESSION number=\"1\" date=\"" + meet.date + "\"><EVENTS>\n" + events +
           "</EVENTS></SESSION></SESSIONS><CLUBS>\n" + clubs + "</CLUBS></MEET></MEETS></LENEX>\n";
}

/** A folder of the test's own, emptied first. */
inline std::filesystem::path testFolder(const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void writeMeet(const std::filesystem::path& path, const FixtureMeet& meet)
{
    writeFile(path, lenex3Text(meet));
}

/**
 * The best list the library keeps up to date on every change equals the one read from every swim (a date
 * range that holds them all), row by row.
 */
inline void expectKeptBestsMatchTheSwims(library::SeasonLibrary& library, library::BestListFilter filter = {})
{
    const std::vector<library::BestListRow> kept = library.bestList(filter);
    filter.from = "0000-01-01";
    const std::vector<library::BestListRow> read = library.bestList(filter);
    ASSERT_EQ(kept.size(), read.size());
    const auto fields = [](const library::BestListRow& row) {
        return std::tuple(row.event, row.course, row.rank, row.athlete.id, row.athlete.nameText(), row.club,
                          row.timeMs, row.date, row.meet);
    };
    for (std::size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ(fields(kept[i]), fields(read[i])) << "row " << i;
}

/** The shared real-world files, or a skip when they are not there. */
#define LANESCOPE_REAL_FILES_OR_SKIP()                                                                       \
    if (!std::filesystem::is_directory(LANESCOPE_SHARED_TESTDATA_DIR))                                       \
    GTEST_SKIP() << "no real-world files at " << LANESCOPE_SHARED_TESTDATA_DIR

} // namespace lanescope::testing
