#include "base/TempFolder.h"
#include "base/TextCase.h"
#include "convert/VnxLenexConverterPCE3.h"
#include "lenex/Lenex.h"
#include "lenex/LnxElement.h"
#include "lenex/LnxWriter.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace lanescope::convert {
namespace {

using namespace lenex;
namespace fs = std::filesystem;

const fs::path kMeetFolder = LANESCOPE_TEST_DATA_DIR "/convert/pce3/meet";
constexpr const char* kTables[] = {"origine", "rcomp",   "pcomp", "engag",
                                   "prres",   "licence", "club",  "relais"};

using Tables = std::map<std::string, std::string>;

Tables meetTables()
{
    Tables tables;
    for (const char* name : kTables)
        tables[std::string(name) + ".txt"] = testing::readFile(kMeetFolder / (std::string(name) + ".txt"));
    return tables;
}

fs::path scratchPath(const std::string& name)
{
    const fs::path folder = fs::temp_directory_path() / "lanescope-pce3-tests";
    fs::create_directories(folder);
    return folder / name;
}

std::string zipOf(const Tables& tables, const std::string& name, std::vector<testing::ZipEntry> extra = {})
{
    std::vector<testing::ZipEntry> entries;
    for (const auto& [member, content] : tables)
        entries.push_back({member, content});
    entries.insert(entries.end(), extra.begin(), extra.end());
    const std::string path = scratchPath(name).string();
    testing::writeZip(path, entries);
    return path;
}

struct Loaded
{
    TLenex document;
    int errors = 0;
    std::string message;
};

std::unique_ptr<Loaded> load(const std::string& source)
{
    auto loaded = std::make_unique<Loaded>();
    TVnxLenexConverterPCE3 converter(loaded->document);
    converter.Load(source);
    loaded->errors = converter.errorCount();
    loaded->message = converter.errorMessage();
    return loaded;
}

std::vector<TLnxObject*> items(const TLnxAbstractObject* owner, TLnxTagId collection)
{
    std::vector<TLnxObject*> result;
    if (const TLnxCollection* list = owner ? owner->findCollection(collection) : nullptr)
        for (int i = 0; i < list->childCount(); ++i)
            result.push_back(list->itemAt(i));
    return result;
}

TLnxObject* competition(const TLenex& document, int index)
{
    return items(document.root(), tag::COMPETITIONS).at(static_cast<std::size_t>(index));
}

std::vector<TLnxObject*> eventsOf(const TLnxObject* comp)
{
    std::vector<TLnxObject*> events;
    for (const TLnxObject* period : items(comp, tag::PERIODS))
        for (TLnxObject* event : items(period, tag::EVENTS))
            events.push_back(event);
    return events;
}

/** Persons and relays of every club of a competition, with the club that holds them. */
std::vector<std::pair<TLnxObject*, TLnxObject*>> ownersOf(const TLnxObject* comp, TLnxTagId collection)
{
    std::vector<std::pair<TLnxObject*, TLnxObject*>> owners;
    for (TLnxObject* club : items(comp, tag::CLUBS))
        for (TLnxObject* owner : items(club, collection))
            owners.emplace_back(club, owner);
    return owners;
}

TLnxObject* personNamed(const TLnxObject* comp, const std::string& name)
{
    for (const auto& [club, person] : ownersOf(comp, tag::PERSONS))
        if (person->getText(tag::NAME) == name)
            return person;
    return nullptr;
}

std::string personWithId(const TLnxObject* comp, int id)
{
    for (const auto& [club, person] : ownersOf(comp, tag::PERSONS))
        if (person->id() == id)
            return person->getText(tag::NAME);
    return "?";
}

/** "mm:ss.hh" of a lenextime text "V00hmm:ss.hh". */
std::string shownTime(const std::string& lenexTime)
{
    return lenexTime.size() > 4 ? lenexTime.substr(4) : "";
}

/** Time and splits of an owner's result in an event: "00:57.12 [50 00:27.31, 100 00:57.12]". */
std::string resultText(const TLnxObject* owner, int eventId)
{
    for (TLnxObject* result : items(owner, tag::RESULTS)) {
        if (result->getInteger(tag::EID) != eventId)
            continue;
        std::string text = shownTime(result->getText(tag::TIME)) + " [";
        if (const TLnxCollection* splits = result->findCollection(tag::SPLITS))
            for (int i = 0; i < splits->childCount(); ++i) {
                const TLnxDataElement* split = splits->childAsData(i);
                text += (i ? ", " : "") + split->getAttribute(lxaDIS) + " " + shownTime(split->value());
            }
        return text + "]";
    }
    return "(none)";
}

class Pce3Meet : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { meet = load(zipOf(meetTables(), "meet.zip")).release(); }
    static void TearDownTestSuite() { delete meet; }
    static Loaded* meet;
    TLnxObject* first() const { return competition(meet->document, 0); }
};
Loaded* Pce3Meet::meet = nullptr;

TEST_F(Pce3Meet, BuildsOneCompetitionPerRcompLine)
{
    ASSERT_EQ(meet->errors, 0) << meet->message;
    const TLnxObject* root = meet->document.root();
    EXPECT_EQ(root->getText(tag::VERSION), "3");
    EXPECT_EQ(root->findObject(tag::CONSTRUCTOR)->getText(tag::NAME), "Lanescope test export 2.1");
    struct Expected
    {
        int id;
        const char* name;
        const char* place;
        int pool;
    };
    const Expected expected[] = {{1, "Championnats de France Open", "Chartres", 1},
                                 {2, "Meeting d'Été", "Nîmes", 0},
                                 {3, "Trophée Régional", "Lyon", 1}};
    ASSERT_EQ(items(root, tag::COMPETITIONS).size(), std::size(expected));
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TLnxObject* comp = competition(meet->document, i);
        EXPECT_EQ(comp->id(), expected[i].id);
        EXPECT_EQ(comp->getText(tag::NAME), expected[i].name);
        EXPECT_EQ(comp->getText(tag::PLACE), expected[i].place);
        EXPECT_EQ(comp->poolIndex(), expected[i].pool);
    }
    const std::vector<TLnxObject*> periods = items(first(), tag::PERIODS);
    ASSERT_EQ(periods.size(), 2u);
    EXPECT_EQ(periods[0]->getText(tag::DATE), "20260712");
    EXPECT_EQ(periods[1]->getText(tag::DATE), "20260713");
    EXPECT_EQ(periods[1]->getInteger(tag::NUM), 2);
    EXPECT_TRUE(items(competition(meet->document, 2), tag::PERIODS).empty());
}

TEST_F(Pce3Meet, EventsComeFromCodesRoundsAndUnplannedLines)
{
    struct Expected
    {
        int id, num, peid;
        const char *type, *dis, *stroke, *discnt, *sex;
    };
    // Ids 1 to 8 and 10 are the pcomp events, 10 a second women's 100 m freestyle on the next day; 11 is
    // women's 400 m freestyle, which only engag names; 12 to 15 are the finals that the first "F" results of
    // events 1, 3, 11 and 10 create (a final follows the last matching event).
    const Expected expected[] = {
        {1, 1, -1, "", "100", "FR", "", "M"},      {2, 2, -1, "", "100", "FR", "", "F"},
        {3, 3, -1, "", "25", "FR", "4", ""},       {12, 1, 1, "FIN", "100", "FR", "", "M"},
        {13, 3, 3, "FIN", "25", "FR", "4", ""},    {4, 4, -1, "", "50", "FR", "4", "F"},
        {5, 5, -1, "", "50", "FR", "4", "M"},      {6, 6, -1, "", "200", "FR", "", "M"},
        {7, 7, -1, "", "800", "FR", "", "M"},      {8, 8, -1, "", "50", "FR", "", "M"},
        {10, 10, -1, "", "100", "FR", "", "F"},    {11, 11, -1, "", "400", "FR", "", "F"},
        {14, 11, 11, "FIN", "400", "FR", "", "F"}, {15, 10, 10, "FIN", "100", "FR", "", "F"},
    };
    const std::vector<TLnxObject*> events = eventsOf(first());
    ASSERT_EQ(events.size(), std::size(expected));
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(expected[i].id);
        const TLnxObject* event = events[i];
        EXPECT_EQ(event->id(), expected[i].id);
        EXPECT_EQ(event->getInteger(tag::NUM), expected[i].num);
        EXPECT_EQ(event->getInteger(tag::PEID), expected[i].peid);
        EXPECT_EQ(event->getText(tag::TYPE), expected[i].type);
        EXPECT_EQ(event->getText(tag::DIS), expected[i].dis);
        EXPECT_EQ(event->getText(tag::STR), expected[i].stroke);
        EXPECT_EQ(event->getText(tag::DISCNT), expected[i].discnt);
        EXPECT_EQ(event->getText(tag::SEX), expected[i].sex);
    }
    const std::vector<TLnxObject*> second = eventsOf(competition(meet->document, 1));
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0]->id(), 9);
}

TEST_F(Pce3Meet, ResultsCarryTimesAndSplits)
{
    struct Expected
    {
        const char* person;
        int eventId;
        const char* result;
    };
    const Expected expected[] = {
        {"DUPONT", 1, "00:57.12 [50 00:27.31, 100 00:57.12]"},
        {"DUPONT", 12, "00:56.50 [50 00:27.00, 100 00:56.50]"},
        {"GARCÍA", 12, "00:58.00 [50 00:28.00, 100 00:58.00]"},
        {"MARTIN", 2, "01:03.20 [50 00:30.10, 100 01:03.20]"},
        {"LEFÈVRE", 6, "02:01.55 [50 00:29.10, 100 01:00.20, 150 01:31.00, 200 02:01.55]"},
        {"DUPONT", 7,
         "08:12.00 [100 01:00.00, 200 02:01.00, 300 03:00.00, 400 04:00.00, 600 06:06.00, 700 07:09.00, "
         "800 08:12.00]"},
        {"NOËL", 8, "00:26.00 []"},
        {"MARTIN", 14, "04:20.00 [400 04:20.00]"},
        {"MARTIN", 15, "01:02.90 [50 00:30.00, 100 01:02.90]"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(std::string(e.person) + " " + std::to_string(e.eventId));
        const TLnxObject* person = personNamed(first(), e.person);
        ASSERT_NE(person, nullptr);
        EXPECT_EQ(resultText(person, e.eventId), e.result);
        for (const TLnxObject* result : items(person, tag::RESULTS))
            EXPECT_EQ(result->getInteger(tag::RANK), -1);
    }
    // The "99" line and the line without a time are skipped.
    EXPECT_EQ(items(personNamed(first(), "LEFÈVRE"), tag::RESULTS).size(), 1u);
    EXPECT_EQ(personNamed(first(), "DUPONT")->getText(tag::LICENSE), "0180000123000001");
    EXPECT_EQ(resultText(personNamed(competition(meet->document, 1), "DUPONT"), 9),
              "00:55.00 [50 00:26.50, 100 00:55.00]");
}

TEST_F(Pce3Meet, AthletesAreNamedFromTheLicenceTable)
{
    struct Expected
    {
        const char *name, *fname, *sex, *birth, *yob, *nation, *licence;
        bool entries, results;
    };
    const Expected expected[] = {
        {"MARTIN", "Amélie", "F", "20011117", "2001", "FRA", "0180000123000002", true, true},
        {"LEFÈVRE", "Luc", "M", "", "2000", "FRA", "0180000123000003", false, true},
        {"GARCÍA", "Pablo", "M", "20000101", "2000", "ESP", "", false, true},
        {"FRA0000001234000009 ???", "", "", "", "", "", "", true, false},
        {"MOREAU", "Hugo", "M", "20050505", "2005", "FRA", "0180000123000011", false, false},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        TLnxObject* person = personNamed(first(), e.name);
        ASSERT_NE(person, nullptr);
        EXPECT_GT(person->id(), 0);
        EXPECT_EQ(person->getText(tag::FNAME), e.fname);
        EXPECT_EQ(person->getText(tag::SEX), e.sex);
        EXPECT_EQ(person->getText(tag::BIRTHDATE), e.birth);
        EXPECT_EQ(person->getText(tag::YOB), e.yob);
        EXPECT_EQ(person->getText(tag::NATION), e.nation);
        EXPECT_EQ(person->getText(tag::LICENSE), e.licence);
        EXPECT_EQ(person->hasChild(tag::ENTRIES), e.entries);
        EXPECT_EQ(person->hasChild(tag::RESULTS), e.results);
    }
    const TLnxObject* entry = items(personNamed(first(), "MARTIN"), tag::ENTRIES).at(1);
    EXPECT_EQ(entry->getInteger(tag::EID), 11);
    EXPECT_EQ(entry->getText(tag::TIME), "E00h04:25.00");
}

TEST_F(Pce3Meet, ClubsComeFromTheirKeys)
{
    struct Expected
    {
        const char *name, *nation, *lsc, *code, *type;
    };
    const Expected expected[] = {
        {"Cercle des Nageurs d'Orléans", "FRA", "18", "180000123", ""},
        {"Dauphins de Nîmes", "FRA", "", "000001234", ""},
        {"ESP0120000456 ???", "ESP", "", "", ""},
        {"Équipe de France", "FRA", "", "", "NATION"},
        {"Comité Centre-Val de Loire", "FRA", "18", "180000000", "REGION"},
    };
    const std::vector<TLnxObject*> clubs = items(first(), tag::CLUBS);
    ASSERT_EQ(clubs.size(), std::size(expected));
    for (std::size_t i = 0; i < clubs.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(clubs[i]->getText(tag::NAME), expected[i].name);
        EXPECT_EQ(clubs[i]->getText(tag::NATION), expected[i].nation);
        EXPECT_EQ(clubs[i]->getText(tag::LSC), expected[i].lsc);
        EXPECT_EQ(clubs[i]->getText(tag::CODE), expected[i].code);
        EXPECT_EQ(clubs[i]->getText(tag::TYPE), expected[i].type);
    }
}

TEST_F(Pce3Meet, RelaysHoldTheirSwimmers)
{
    struct Expected
    {
        const char* club;
        const char* sex;
        std::size_t entries;
        std::vector<int> resultEvents;
        std::vector<std::string> swimmers;
    };
    const Expected expected[] = {
        {"Cercle des Nageurs d'Orléans", "F", 1, {4}, {"1 MARTIN", "2 BERNARD", "3 PETIT", "4 ROUX"}},
        {"Cercle des Nageurs d'Orléans", "", 1, {3, 13}, {"1 MOREAU", "2 MARTIN", "3 SIMON", "4 BERNARD"}},
        {"Comité Centre-Val de Loire", "", 0, {5}, {}},
    };
    const auto relays = ownersOf(first(), tag::RELAYS);
    ASSERT_EQ(relays.size(), std::size(expected));
    for (std::size_t i = 0; i < relays.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& [club, relay] = relays[i];
        EXPECT_EQ(club->getText(tag::NAME), expected[i].club);
        EXPECT_EQ(relay->getText(tag::SEX), expected[i].sex);
        EXPECT_EQ(relay->getInteger(tag::NUM), 1);
        EXPECT_EQ(relay->getText(tag::LICENSE), "");
        EXPECT_EQ(items(relay, tag::ENTRIES).size(), expected[i].entries);
        std::vector<int> events;
        for (const TLnxObject* result : items(relay, tag::RESULTS))
            events.push_back(result->getInteger(tag::EID));
        EXPECT_EQ(events, expected[i].resultEvents);
        std::vector<std::string> swimmers;
        for (const TLnxObject* position : items(items(relay, tag::RESULTS).front(), tag::POSITIONS))
            swimmers.push_back(position->getText(tag::NUM) + " " +
                               personWithId(first(), position->getInteger(tag::PID)));
        EXPECT_EQ(swimmers, expected[i].swimmers);
    }
}

TEST(Pce3Source, FolderGivesTheSameDocumentAsTheArchive)
{
    // Exports written on other systems may name their tables in capitals.
    const fs::path upperFolder = scratchPath("UPPER");
    fs::create_directories(upperFolder);
    for (const auto& [name, content] : meetTables())
        testing::writeFile(upperFolder / base::upperCase(name), content);

    const auto fromZip = load(zipOf(meetTables(), "same.zip"));
    std::vector<std::string> zipLines;
    writeNode(*fromZip->document.root()->clone(), zipLines, "");
    for (const fs::path& folder : {kMeetFolder, upperFolder}) {
        SCOPED_TRACE(folder.string());
        const auto fromFolder = load(folder.string());
        ASSERT_EQ(fromFolder->errors, 0) << fromFolder->message;
        std::vector<std::string> folderLines;
        writeNode(*fromFolder->document.root()->clone(), folderLines, "");
        EXPECT_EQ(zipLines, folderLines);
    }
}

TEST(Pce3Source, HostileMemberNamesStayInsideTheTemporaryFolder)
{
    Tables tables = meetTables();
    const std::vector<std::pair<std::string, std::string>> renames = {
        {"origine.txt", "../../origine.txt"},
        {"rcomp.txt", "/tmp/lanescope-pce3-escape/rcomp.txt"},
        {"pcomp.txt", "sub/../../../pcomp.txt"},
        {"engag.txt", "..\\..\\engag.txt"},
    };
    for (const auto& [from, to] : renames) {
        tables[to] = tables[from];
        tables.erase(from);
    }
    const auto loaded = load(zipOf(tables, "hostile.zip"));
    EXPECT_EQ(loaded->errors, 0) << loaded->message;
    const fs::path temp = base::privateTempFolder();
    for (const fs::path& outside :
         {fs::path("/tmp/lanescope-pce3-escape"), temp.parent_path() / "origine.txt",
          temp.parent_path().parent_path() / "origine.txt", temp.parent_path() / "pcomp.txt",
          temp.parent_path() / "..\\..\\engag.txt"})
        EXPECT_FALSE(fs::exists(outside)) << outside;
    for (const auto& file : fs::directory_iterator(temp))
        EXPECT_NE(file.path().extension(), ".txt") << file.path();
}

struct BrokenCase
{
    const char* name;
    std::function<void(Tables&, std::vector<testing::ZipEntry>&)> change;
    const char* message;
};

const BrokenCase kBroken[] = {
    {"MissingTable", [](Tables& t, auto&) { t.erase("prres.txt"); }, "prres.txt"},
    {"EventNumberNoNumber", [](Tables& t, auto&) { t["pcomp.txt"] += "C0152120720260900x1\r\n"; },
     "'x1' is not a valid integer value"},
    {"EventCodeWithoutRow", [](Tables& t, auto&) { t["pcomp.txt"] += "C0114120720260900 9\r\n"; },
     "'' is not a valid integer value"},
    {"EventCodeNoNumber", [](Tables& t, auto&) { t["engag.txt"] += "C01ab\r\n"; },
     "'ab' is not a valid integer value"},
    {"NoCompetition", [](Tables& t, auto&) { t["rcomp.txt"] = "\r\n"; }, "no competition"},
    {"TableTwice",
     [](Tables&, auto& extra) {
         extra.push_back({"copy/CLUB.TXT", "x"});
     },
     "holds it twice"},
    {"TableIsALink",
     [](Tables& t, auto& extra) {
         t.erase("licence.txt");
         extra.push_back({"licence.txt", "/etc/passwd", testing::ZipEntryKind::Symlink});
     },
     "licence.txt"},
};

class Pce3Broken : public ::testing::TestWithParam<BrokenCase>
{
};

TEST_P(Pce3Broken, EndsWithOneError)
{
    Tables tables = meetTables();
    std::vector<testing::ZipEntry> extra;
    GetParam().change(tables, extra);
    const auto loaded = load(zipOf(tables, std::string(GetParam().name) + ".zip", extra));
    EXPECT_EQ(loaded->errors, 1);
    EXPECT_NE(loaded->message.find(GetParam().message), std::string::npos) << loaded->message;
}

std::string brokenName(const ::testing::TestParamInfo<BrokenCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Examples, Pce3Broken, ::testing::ValuesIn(kBroken), brokenName);

TEST(Pce3Source, UnreadableSourcesEndWithOneError)
{
    const fs::path notZip = scratchPath("garbage.zip");
    testing::writeFile(notZip, "PK\x03\x04 not really an archive");
    for (const fs::path& source : {notZip, scratchPath("missing-folder")}) {
        SCOPED_TRACE(source.string());
        const auto loaded = load(source.string());
        EXPECT_EQ(loaded->errors, 1);
        EXPECT_NE(loaded->message.find("origine.txt"), std::string::npos) << loaded->message;
    }
}

} // namespace
} // namespace lanescope::convert
