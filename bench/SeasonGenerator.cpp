#include "SeasonGenerator.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace lanescope::bench {

namespace {

struct Style
{
    int distance;
    const char* stroke;
    int baseSeconds; // a good time of a young swimmer, short course
};

constexpr Style kStyles[] = {
    {50, "FREE", 30},     {100, "FREE", 65},    {200, "FREE", 140},   {400, "FREE", 295}, {800, "FREE", 610},
    {1500, "FREE", 1160}, {50, "BACK", 35},     {100, "BACK", 75},    {200, "BACK", 160}, {50, "BREAST", 39},
    {100, "BREAST", 84},  {200, "BREAST", 182}, {50, "FLY", 33},      {100, "FLY", 72},   {200, "FLY", 165},
    {100, "MEDLEY", 75},  {200, "MEDLEY", 160}, {400, "MEDLEY", 340},
};

constexpr const char* kLastNames[] = {"Müller", "Schmidt", "Schneider", "Fischer",  "Weber",   "Meyer",
                                      "Wagner", "Becker",  "Schulz",    "Hoffmann", "Koch",    "Richter",
                                      "Klein",  "Wolf",    "Schröder",  "Neumann",  "Schwarz", "Zimmermann",
                                      "Braun",  "Krüger",  "Hofmann",   "Hartmann", "Lange",   "Schmitt",
                                      "Werner", "Krause",  "Meier",     "Lehmann",  "Schmid",  "Köhler"};
constexpr const char* kFirstNames[] = {
    "Anna", "Lena", "Mia",   "Emma", "Lea",   "Hannah", "Sophie", "Marie", "Lina",   "Ella",
    "Paul", "Ben",  "Leon",  "Finn", "Elias", "Jonas",  "Luis",   "Noah",  "Felix",  "Lukas",
    "Emil", "Max",  "Henry", "Theo", "Anton", "Jakob",  "Ida",    "Clara", "Frieda", "Greta"};

struct Athlete
{
    std::string lastName;
    std::string firstName;
    std::string license;
    int birthYear;
    char gender;
    int club;
    double talent; // factor on the base time
};

std::string swimTime(int hundredths)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", hundredths / 360000, hundredths / 6000 % 60,
                  hundredths / 100 % 60, hundredths % 100);
    return text;
}

std::string isoDate(int dayOfSeason)
{
    // 2025-01-04 plus the day; months of 28 to 31 days counted out.
    static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    int day = 3 + dayOfSeason;
    while (day >= kMonthDays[month % 12]) {
        day -= kMonthDays[month % 12];
        ++month;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", 2025 + month / 12, month % 12 + 1, day + 1);
    return text;
}

} // namespace

std::vector<std::string> writeSeason(const SeasonSettings& settings, const std::string& folder)
{
    std::filesystem::create_directories(folder);
    std::mt19937_64 random(settings.seed);
    std::vector<Athlete> athletes;
    for (int club = 0; club < settings.clubs; ++club)
        for (int i = 0; i < settings.athletesPerClub; ++i) {
            const int n = static_cast<int>(athletes.size());
            athletes.push_back({kLastNames[random() % std::size(kLastNames)],
                                kFirstNames[random() % std::size(kFirstNames)], std::to_string(300000 + n),
                                2006 + static_cast<int>(random() % 10), random() % 2 ? 'F' : 'M', club,
                                1.0 + static_cast<double>(random() % 400) / 1000.0});
        }
    std::vector<std::string> files;
    for (int meet = 0; meet < settings.meets; ++meet) {
        const bool longCourse = meet % 3 == 0;
        const std::string date = isoDate(meet * 360 / settings.meets);
        std::string events;
        for (std::size_t s = 0; s < std::size(kStyles); ++s)
            for (const char gender : {'F', 'M'}) {
                const std::size_t id = s * 2 + (gender == 'F' ? 1 : 2);
                events += "<EVENT eventid=\"" + std::to_string(id) + "\" number=\"" + std::to_string(id) +
                          "\" gender=\"" + gender + "\" round=\"TIM\"><SWIMSTYLE distance=\"" +
                          std::to_string(kStyles[s].distance) + "\" relaycount=\"1\" stroke=\"" +
                          kStyles[s].stroke + "\"/></EVENT>\n";
            }
        // Each meet: a third of the clubs come, each of their athletes swims a few events.
        std::string clubs;
        int swims = 0;
        int resultId = 0;
        const int clubsHere = std::max(1, settings.clubs / 3);
        const int attending = std::max(1, clubsHere * settings.athletesPerClub);
        const int perAthlete = std::max(1, (settings.swimsPerMeet + attending - 1) / attending);
        for (int c = 0; c < clubsHere && swims < settings.swimsPerMeet; ++c) {
            const int club = static_cast<int>((meet * 7 + c * 3) % settings.clubs);
            clubs += "<CLUB name=\"SV Club " + std::to_string(club) + "\" nation=\"GER\"><ATHLETES>\n";
            for (int a = 0; a < settings.athletesPerClub && swims < settings.swimsPerMeet; ++a) {
                const std::size_t index = static_cast<std::size_t>(club * settings.athletesPerClub + a);
                const Athlete& athlete = athletes[index];
                clubs += "<ATHLETE athleteid=\"" + std::to_string(index + 1) + "\" lastname=\"" +
                         athlete.lastName + "\" firstname=\"" + athlete.firstName + "\" gender=\"" +
                         athlete.gender + "\" birthdate=\"" + std::to_string(athlete.birthYear) +
                         "-06-01\" license=\"" + athlete.license + "\"><RESULTS>\n";
                for (int k = 0; k < perAthlete && swims < settings.swimsPerMeet; ++k) {
                    const std::size_t s =
                        (index + static_cast<std::size_t>(meet + k * 5)) % std::size(kStyles);
                    const std::size_t event = s * 2 + (athlete.gender == 'F' ? 1 : 2);
                    const double form = 1.0 - meet * 0.0002 + static_cast<double>(random() % 300) / 10000.0;
                    const int time = static_cast<int>(kStyles[s].baseSeconds * 100 * athlete.talent * form *
                                                      (longCourse ? 1.03 : 1.0));
                    clubs += "<RESULT resultid=\"" + std::to_string(++resultId) + "\" eventid=\"" +
                             std::to_string(event) + "\" swimtime=\"" + swimTime(time) + "\"><SPLITS>";
                    for (int d = 50; d < kStyles[s].distance; d += 50)
                        clubs += "<SPLIT distance=\"" + std::to_string(d) + "\" swimtime=\"" +
                                 swimTime(time * d / kStyles[s].distance) + "\"/>";
                    clubs += "</SPLITS></RESULT>\n";
                    ++swims;
                }
                clubs += "</RESULTS></ATHLETE>\n";
            }
            clubs += "</ATHLETES></CLUB>\n";
        }
        char name[32];
        std::snprintf(name, sizeof name, "meet-%03d.lef", meet + 1);
        const std::string path = (std::filesystem::path(folder) / name).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><CONSTRUCTOR "
               "name=\"season "
               "generator\" version=\""
            << kSeasonGeneratorRevision
            << "\"><CONTACT email=\"bench@example.org\"/></CONSTRUCTOR><MEETS><MEET name=\"Season Meet "
            << meet + 1 << "\" city=\"City " << meet % 25 << "\" nation=\"GER\" course=\""
            << (longCourse ? "LCM" : "SCM") << "\"><SESSIONS><SESSION number=\"1\" date=\"" << date
            << "\"><EVENTS>\n"
            << events << "</EVENTS></SESSION></SESSIONS><CLUBS>\n"
            << clubs << "</CLUBS></MEET></MEETS></LENEX>\n";
        if (!out)
            throw std::runtime_error("cannot write " + path);
        files.push_back(path);
    }
    return files;
}

} // namespace lanescope::bench
