#pragma once

/** What synthetic meets are made of: names, places, the event programme and the age groups. */
namespace lanescope::bench::vocabulary {

// Names carry ISO-8859-1 letters as single bytes, written as octal escapes (\374 is u with diaeresis).
inline constexpr const char* kFamilyNames[] = {
    "M\374ller", "Schmidt",     "Sch\344fer",   "Fischer",     "Weber",        "Martin",      "Bernard",
    "Dubois",    "Lef\350vre",  "Garc\355a",    "Mart\355nez", "L\363pez",     "Gonz\341lez", "Rossi",
    "Russo",     "Ferrari",     "Esposito",     "Nov\341k",    "Dvor\341k",    "Svensson",    "Andersson",
    "Johansson", "Nilsson",     "J\370rgensen", "S\370rensen", "Hansen",       "Jansen",      "de Vries",
    "van Dijk",  "Smith",       "Jones",        "Brown",       "Wilson",       "Taylor",      "Kowalski",
    "Nowak",     "Gr\366nholm", "Bj\366rklund", "Ferreira",    "Gon\347alves", "Jo\343o",     "Peeters",
    "Wagner",    "Becker",      "Hoffmann",     "Kr\344mer",   "Dupont",
};
inline constexpr const char* kMaleNames[] = {
    "J\374rgen", "Jos\351", "Fran\347ois", "Bj\366rn", "S\370ren", "J\351r\364me", "Andr\351",
    "Ren\351",   "Lukas",   "Leon",        "Noah",     "Elias",    "Paul",         "Jonas",
    "Luca",      "Matteo",  "Hugo",        "Louis",    "Oliver",   "Jack",         "Mateo",
    "Pablo",     "Lars",    "Anders",      "Nils",     "Tom\341s", "Jan",          "Piotr",
};
inline constexpr const char* kFemaleNames[] = {
    "Ren\351e", "Ma\353lle", "Zo\351", "Chlo\351", "In\350s", "\305sa",    "L\351a",
    "Ana",      "Mia",       "Emma",   "Hannah",   "Sofia",   "Lena",      "Marie",
    "Clara",    "Laura",     "Julia",  "Elena",    "Ingrid",  "Sigr\355d", "Maja",
    "Alice",    "Olivia",    "Amelia", "Lucia",    "Martina", "Zuzana",    "Agnieszka",
};
struct City
{
    const char* name;
    const char* nation;
};
inline constexpr City kCities[] = {
    {"Z\374rich", "SUI"},   {"Gen\350ve", "SUI"},  {"Bern", "SUI"},         {"M\374nchen", "GER"},
    {"K\366ln", "GER"},     {"Berlin", "GER"},     {"Hamburg", "GER"},      {"D\374sseldorf", "GER"},
    {"Wien", "AUT"},        {"Graz", "AUT"},       {"Linz", "AUT"},         {"Lyon", "FRA"},
    {"Marseille", "FRA"},   {"Orl\351ans", "FRA"}, {"Toulouse", "FRA"},     {"Malm\366", "SWE"},
    {"G\366teborg", "SWE"}, {"Uppsala", "SWE"},    {"\305rhus", "DEN"},     {"K\370ge", "DEN"},
    {"Bergen", "NOR"},      {"Troms\370", "NOR"},  {"Madrid", "ESP"},       {"C\341diz", "ESP"},
    {"M\341laga", "ESP"},   {"Milano", "ITA"},     {"Torino", "ITA"},       {"Praha", "CZE"},
    {"Brno", "CZE"},        {"Amsterdam", "NED"},  {"Leiden", "NED"},       {"Bruxelles", "BEL"},
    {"Li\350ge", "BEL"},    {"Luxembourg", "LUX"}, {"Reykjav\355k", "ISL"}, {"S\343o Paulo", "BRA"},
    {"Montr\351al", "CAN"}, {"Qu\351bec", "CAN"},  {"Leeds", "GBR"},        {"Krak\363w", "POL"},
};
inline constexpr const char* kClubPrefixes[] = {
    "SC", "SV", "Schwimmclub", "Cercle des Nageurs", "Club Nataci\363n", "Swim Team", "Simklubb", "Aquatics",
};
inline constexpr const char* kStreets[] = {
    "Hauptstrasse", "Bahnhofstrasse", "Rue du Lac",  "Calle Mayor",
    "Via Roma",     "Storgatan",      "High Street", "Schillerstra\337e",
};

inline constexpr int kMeetYear = 2023;
inline constexpr int kMeetStartDay = 16; // sessions run from the 16th of June, two a day
inline constexpr int kLanes = 8;

inline constexpr const char* kStrokes[] = {"FR", "BU", "BA", "BR", "IM"};
/** Positions in kStrokes. */
enum class Stroke
{
    Free,
    Fly,
    Back,
    Breast,
    Medley,
};
/** A men's senior time over 100 m per stroke, in hundredths. */
inline constexpr int kPacePer100[] = {5600, 6000, 6200, 6900, 6400};

struct Style
{
    int distance; ///< per swimmer
    int swimmers;
    Stroke stroke;
    bool mixed = false;
};
using enum Stroke;
/** The order of events through the meet; each style is swum by women and men unless it is mixed. */
inline constexpr Style kProgram[] = {
    {50, 1, Free},   {100, 1, Breast},    {200, 1, Back},   {400, 1, Medley}, {100, 4, Free},
    {100, 1, Fly},   {200, 1, Free},      {50, 1, Back},    {200, 1, Breast}, {100, 1, Medley},
    {200, 4, Free},  {50, 1, Fly},        {100, 1, Free},   {400, 1, Free},   {100, 1, Back},
    {50, 1, Breast}, {200, 1, Medley},    {100, 4, Medley}, {200, 1, Fly},    {800, 1, Free},
    {1500, 1, Free}, {50, 4, Free, true},
};

struct AgeGroupTemplate
{
    const char* name;
    int minAge; ///< -1: no lower bound
    int maxAge; ///< -1: no upper bound
};
inline constexpr AgeGroupTemplate kAgeGroups[] = {
    {"10 and under", -1, 10}, {"11-12 years", 11, 12}, {"13-14 years", 13, 14},
    {"15-17 years", 15, 17},  {"18 and over", 18, -1},
};
inline constexpr AgeGroupTemplate kRelayAgeGroup = {"Open", -1, -1};

} // namespace lanescope::bench::vocabulary
