#include "MeetGenerator.h"

#include "LenexLineWriter.h"
#include "MeetVocabulary.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace lanescope::bench {
namespace {

using namespace vocabulary;

/** splitmix64: tiny, fast and the same on every platform, unlike the library distributions. */
class Random
{
public:
    explicit Random(std::uint64_t seed)
        : FState(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (FState += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    /** A whole number from low to high, both included. */
    int between(int low, int high)
    {
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool percent(int chance) { return between(0, 99) < chance; }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) { return items[next() % N]; }

private:
    std::uint64_t FState;
};

/** A reaction time in seconds as written in RT, such as 0.67. */
std::string reactionTime(int hundredths) { return "0." + zeroPadded(hundredths, 2); }

enum class Round
{
    Timed,
    Prelim,
    Final
};

struct AgeGroup
{
    int id;
    const char* name;
    int minYob; ///< earliest year of birth admitted, -1 for none
    int maxYob; ///< latest year of birth admitted, -1 for none
};

struct Event
{
    int id;
    Style style;
    char sex;
    Round round;
    int relatedId; ///< a prelim's final, a final's prelim, else 0
    int session;
    std::vector<AgeGroup> groups;

    bool isRelay() const { return style.swimmers > 1; }
    /** The age group for a year of birth: the first that admits it, else the first. */
    int groupFor(int yob) const
    {
        for (const AgeGroup& group : groups) {
            if ((group.minYob < 0 || yob >= group.minYob) && (group.maxYob < 0 || yob <= group.maxYob))
                return group.id;
        }
        return groups.front().id;
    }
};

struct Club
{
    int index;
    std::string name;
    const City* city;
    std::vector<int> men;
    std::vector<int> women;
};

/** Writes one meet into a LenexLineWriter until the target size is reached. */
class MeetBuilder
{
public:
    MeetBuilder(const MeetSettings& settings, LenexLineWriter& out)
        : FRandom(settings.seed)
        , FTarget(settings.targetBytes)
        , FOut(out)
    {
    }

    void write()
    {
        planEvents();
        FOut.open("LENEX");
        FOut.data("VERSION", "01.03.0007");
        writeConstructor();
        FOut.open("COMPETITIONS");
        FOut.open("COMPETITION");
        writeMeetData();
        writeSessions();
        writeClubs();
        FOut.close();
        FOut.close();
        FOut.close();
    }

private:
    /** Sessions of about a dozen events; fast prelims get a final in the next session. */
    void planEvents()
    {
        const int megabytes = static_cast<int>(FTarget / kMegabyte);
        const int sessions = std::clamp(2 + megabytes / 8, 2, 10);
        constexpr std::size_t kEventsPerSession = 12;
        std::vector<Event> pendingFinals;
        int programIndex = 0;
        int sprintCount = 0;
        for (int session = 0; session < sessions; ++session) {
            const std::size_t sessionStart = FEvents.size();
            for (Event& final : pendingFinals) {
                final.session = session;
                FEvents.push_back(std::move(final));
            }
            pendingFinals.clear();
            while (FEvents.size() - sessionStart < kEventsPerSession) {
                const Style& style = kProgram[programIndex++ % std::size(kProgram)];
                const bool prelim = style.swimmers == 1 && style.distance <= 100 && sprintCount++ % 3 == 0;
                for (const char sex : style.mixed ? std::string_view("X") : std::string_view("FM")) {
                    Event event = makeEvent(style, sex, session, prelim ? Round::Prelim : Round::Timed);
                    if (prelim) {
                        Event final = makeEvent(style, sex, session, Round::Final);
                        final.relatedId = event.id;
                        event.relatedId = final.id;
                        pendingFinals.push_back(std::move(final));
                    }
                    FEvents.push_back(std::move(event));
                }
            }
        }
        for (Event& final : pendingFinals) {
            final.session = sessions - 1;
            FEvents.push_back(std::move(final));
        }
        FSessions = sessions;
        for (std::size_t i = 0; i < FEvents.size(); ++i) {
            const Event& event = FEvents[i];
            if (event.round == Round::Final)
                continue;
            auto& list = event.isRelay() ? FRelayEvents : FIndividualEvents;
            list.push_back(i);
        }
    }

    Event makeEvent(const Style& style, char sex, int session, Round round)
    {
        Event event{1000 + FNextEventId++, style, sex, round, 0, session, {}};
        if (style.swimmers > 1) {
            event.groups.push_back(makeAgeGroup(kRelayAgeGroup));
        } else {
            for (const AgeGroupTemplate& group : kAgeGroups)
                event.groups.push_back(makeAgeGroup(group));
        }
        return event;
    }

    AgeGroup makeAgeGroup(const AgeGroupTemplate& group)
    {
        return {FNextAgeGroupId++, group.name, group.maxAge < 0 ? -1 : kMeetYear - group.maxAge,
                group.minAge < 0 ? -1 : kMeetYear - group.minAge};
    }

    void writeConstructor()
    {
        FOut.open("CONSTRUCTOR");
        FOut.data("NAME", "Lanescope meet generator");
        FOut.data("VERSION", "1.0");
        FOut.open("CONTACT");
        FOut.data("NAME", "Lanescope");
        FOut.data("EMAIL", "bench@lanescope.example");
        FOut.close();
        FOut.close();
    }

    void writeMeetData()
    {
        const City& city = FRandom.pick(kCities);
        FOut.data("NAME", std::string("Open Championships ") + city.name + " " + std::to_string(kMeetYear));
        FOut.data("PLACE", city.name);
        FOut.data("NATION", city.nation);
        FOut.number("PL", 50);
        FOut.data("PM", "m");
        FOut.data("TI", "A");
        FOut.number("AGEDATE", kMeetYear * 10000 + 1231);
        FOut.number("DEADLINE", kMeetYear * 10000 + 601);
        FOut.number("LANEMIN", 1);
        FOut.number("LANEMAX", kLanes);
        FOut.data("ORGANIZER", std::string("Swimming Association ") + city.name);
        FOut.data("POOLNAME", std::string("Aquatic Centre ") + city.name);
        FOut.open("POINTTABLE");
        FOut.data("NAME", "Points table");
        FOut.data("VERSION", "2023");
        FOut.close();
        writeContact(city);
    }

    void writeContact(const City& city)
    {
        FOut.open("CONTACT");
        FOut.data("NAME", FRandom.pick(kFamilyNames));
        FOut.data("FNAME", FRandom.pick(FRandom.percent(50) ? kMaleNames : kFemaleNames));
        FOut.data("STREET",
                  std::string(FRandom.pick(kStreets)) + " " + std::to_string(FRandom.between(1, 120)));
        FOut.data("ZIP", std::to_string(FRandom.between(1000, 99999)));
        FOut.data("PLACE", city.name);
        FOut.data("PHONE", "+41 " + std::to_string(FRandom.between(20, 99)) + " " +
                               std::to_string(FRandom.between(1000000, 9999999)));
        FOut.data("EMAIL", "info" + std::to_string(FRandom.between(1, 99999)) + "@swim.example");
        FOut.close();
    }

    void writeSessions()
    {
        FOut.open("PERIODS");
        std::size_t next = 0;
        for (int session = 0; session < FSessions; ++session) {
            FOut.open("PERIOD");
            FOut.number("NUM", session + 1);
            if (session % 2 == 0)
                FOut.data("NAME", "Session " + std::to_string(session + 1));
            FOut.number("DATE", kMeetYear * 10000 + 600 + kMeetStartDay + session / 2);
            int minutes = session % 2 == 0 ? 9 * 60 : 16 * 60;
            FOut.data("TIME", zeroPadded(minutes / 60 * 100 + minutes % 60, 4));
            FOut.open("EVENTS");
            for (; next < FEvents.size() && FEvents[next].session == session; ++next) {
                writeEvent(FEvents[next], static_cast<int>(next) + 1, minutes);
                minutes += FEvents[next].isRelay() ? 8 : 12;
            }
            FOut.close();
            FOut.close();
        }
        FOut.close();
    }

    void writeEvent(const Event& event, int number, int minutes)
    {
        static constexpr const char* kRounds[] = {"TIM", "PRE", "FIN"};
        FOut.openWithId("EVENT", event.id);
        FOut.number("NUM", number);
        FOut.number("ORDER", number);
        FOut.number("DIS", event.style.distance);
        FOut.number("DISCNT", event.style.swimmers);
        FOut.data("STR", kStrokes[static_cast<int>(event.style.stroke)]);
        FOut.data("SEX", std::string_view(&event.sex, 1));
        FOut.data("TYPE", kRounds[static_cast<int>(event.round)]);
        FOut.data("TIME", zeroPadded(minutes / 60 % 24 * 100 + minutes % 60, 4));
        FOut.dataWithAttribute("FEE", "currency", "EUR", event.isRelay() ? "1500" : "850");
        if (event.round == Round::Final)
            FOut.number("PEID", event.relatedId);
        FOut.open("CATS");
        for (const AgeGroup& group : event.groups) {
            FOut.openWithId("CAT", group.id);
            FOut.data("NAME", group.name);
            FOut.number("MIN", group.minYob);
            FOut.number("MAX", group.maxYob);
            FOut.data("SEX", std::string_view(&event.sex, 1));
            if (!event.isRelay() && event.round != Round::Final)
                FOut.data("LCT", LenexTime('L', swimTime(event, limitFactor(group, event.sex), 1000)).text());
            FOut.close();
        }
        FOut.close();
        FOut.close();
    }

    /** Clubs until the target size is reached: athletes first, then the club's relays. */
    void writeClubs()
    {
        FOut.open("CLUBS");
        for (int index = 0; !targetReached(); ++index) {
            Club club{index, {}, &kCities[(index / std::size(kClubPrefixes)) % std::size(kCities)], {}, {}};
            club.name = std::string(kClubPrefixes[index % std::size(kClubPrefixes)]) + " " + club.city->name;
            if (const auto round = index / (std::size(kClubPrefixes) * std::size(kCities)); round > 0)
                club.name += " " + std::to_string(round + 1);
            writeClub(club);
        }
        FOut.close();
    }

    bool targetReached() const { return FOut.written() >= FTarget; }

    void writeClub(Club& club)
    {
        FOut.open("CLUB");
        FOut.data("NAME", club.name);
        std::string code;
        for (const char* c = club.city->name; *c != '\0' && code.size() < 3; ++c) {
            if (*c >= 'A' && *c <= 'Z')
                code += *c;
            else if (*c >= 'a' && *c <= 'z')
                code += static_cast<char>(*c - 'a' + 'A');
        }
        FOut.data("CODE", code + std::to_string(club.index + 1));
        FOut.data("NATION", club.city->nation);
        writeContact(*club.city);
        FOut.open("PERSONS");
        const int athletes = FRandom.between(8, 60);
        for (int i = 0; i < athletes && !targetReached(); ++i)
            writeAthlete(club);
        FOut.close();
        writeRelays(club);
        FOut.close();
    }

    void writeAthlete(Club& club)
    {
        const int id = FNextPersonId++;
        const bool female = FRandom.percent(50);
        const char sex = female ? 'F' : 'M';
        (female ? club.women : club.men).push_back(id);
        const int yob = FRandom.percent(85) ? FRandom.between(kMeetYear - 18, kMeetYear - 9)
                                            : FRandom.between(kMeetYear - 60, kMeetYear - 19);
        FOut.openWithId("PERSON", id);
        FOut.data("NAME", FRandom.pick(kFamilyNames));
        FOut.data("FNAME", FRandom.pick(female ? kFemaleNames : kMaleNames));
        FOut.data("SEX", std::string_view(&sex, 1));
        FOut.number("BIRTHDATE", yob * 10000 + FRandom.between(1, 12) * 100 + FRandom.between(1, 28));
        FOut.number("YOB", yob);
        FOut.data("NATION", club.city->nation);
        FOut.data("LICENSE", std::to_string(FRandom.between(100000, 999999)));

        std::vector<std::size_t> starts;
        const int wanted = FRandom.between(2, 7);
        for (int attempt = 0; attempt < 6 * wanted && static_cast<int>(starts.size()) < wanted; ++attempt) {
            const std::size_t event = FIndividualEvents[FRandom.next() % FIndividualEvents.size()];
            if (FEvents[event].sex == sex && FRandom.percent(popularity(FEvents[event].style.distance)) &&
                std::find(starts.begin(), starts.end(), event) == starts.end())
                starts.push_back(event);
        }
        std::sort(starts.begin(), starts.end());
        const int factor = ageFactor(kMeetYear - yob) * (female ? 110 : 100) / 100;

        // Most athletes come without their entries, as in result files that keep only some entry times.
        const bool withEntries = FRandom.percent(40);
        std::vector<int> times;
        if (withEntries)
            FOut.open("ENTRIES");
        for (const std::size_t index : starts) {
            const Event& event = FEvents[index];
            times.push_back(swimTime(event, factor, 1120));
            if (!withEntries)
                continue;
            FOut.open("ENTRY");
            FOut.number("EID", event.id);
            FOut.number("CID", event.groupFor(yob));
            FOut.data("TIME", LenexTime('E', times.back() * FRandom.between(96, 104) / 100).text());
            writeHeatAndLane();
            FOut.close();
        }
        if (withEntries)
            FOut.close();
        FOut.open("RESULTS");
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const Event& event = FEvents[starts[i]];
            writeResult(event, event.groupFor(yob), times[i], {});
            if (event.round == Round::Prelim && FRandom.percent(12)) {
                const Event& final = *std::find_if(FEvents.begin(), FEvents.end(),
                                                   [&](const Event& e) { return e.id == event.relatedId; });
                writeResult(final, final.groupFor(yob), times[i] * FRandom.between(97, 101) / 100, {});
            }
        }
        FOut.close();
        FOut.close();
    }

    void writeRelays(const Club& club)
    {
        FOut.open("RELAYS");
        int number = 0;
        for (const std::size_t index : FRelayEvents) {
            const Event& event = FEvents[index];
            const std::vector<int> legs = relayLegs(club, event.sex);
            if (legs.empty() || !FRandom.percent(60))
                continue;
            const int time = swimTime(event, event.sex == 'F' ? 1150 : 1050, 1100);
            FOut.open("RELAY");
            FOut.number("NUM", ++number);
            FOut.data("NAME", club.name);
            FOut.data("SEX", std::string_view(&event.sex, 1));
            FOut.open("ENTRIES");
            FOut.open("ENTRY");
            FOut.number("EID", event.id);
            FOut.number("CID", event.groups.front().id);
            FOut.data("TIME", LenexTime('E', time * FRandom.between(97, 104) / 100).text());
            writeHeatAndLane();
            FOut.close();
            FOut.close();
            FOut.open("RESULTS");
            writeResult(event, event.groups.front().id, time, legs);
            FOut.close();
            FOut.close();
        }
        FOut.close();
    }

    /** Four distinct swimmers of the club for a relay (two of each for mixed), or none. */
    std::vector<int> relayLegs(const Club& club, char sex)
    {
        std::vector<int> legs;
        const auto take = [&](const std::vector<int>& from, std::size_t count) {
            if (from.size() < count)
                return false;
            const std::size_t start = FRandom.next() % from.size();
            for (std::size_t i = 0; i < count; ++i)
                legs.push_back(from[(start + i) % from.size()]);
            return true;
        };
        const bool complete = sex == 'X'   ? take(club.men, 2) && take(club.women, 2)
                              : sex == 'F' ? take(club.women, 4)
                                           : take(club.men, 4);
        if (!complete)
            legs.clear();
        return legs;
    }

    void writeResult(const Event& event, int ageGroup, int time, const std::vector<int>& legs)
    {
        const int status = FRandom.between(0, 99);
        const bool didNotStart = status < 1;
        const bool disqualified = status >= 1 && status < 4;
        FOut.open("RESULT");
        FOut.number("EID", event.id);
        FOut.number("CID", ageGroup);
        if (didNotStart) {
            FOut.data("CODE", "DNS");
        } else if (disqualified) {
            FOut.data("CODE", "DSQ");
            FOut.data("TIME", LenexTime('I', time).text());
        } else {
            FOut.data("TIME", LenexTime('V', time).text());
            FOut.number("RANK", FRandom.between(1, 200));
            FOut.number("POINTS", points(event, time));
        }
        writeHeatAndLane();
        if (didNotStart) {
            FOut.close();
            return;
        }
        FOut.data("RT", reactionTime(FRandom.between(55, 85)));
        if (!legs.empty()) {
            FOut.open("POSITIONS");
            for (std::size_t leg = 0; leg < legs.size(); ++leg) {
                FOut.open("POSITION");
                FOut.number("NUM", static_cast<long long>(leg) + 1);
                FOut.number("PID", legs[leg]);
                FOut.data("RT", reactionTime(leg == 0 ? FRandom.between(55, 85) : FRandom.between(10, 45)));
                FOut.close();
            }
            FOut.close();
        }
        writeSplits(event.style.distance * event.style.swimmers, time);
        FOut.close();
    }

    void writeHeatAndLane()
    {
        FOut.number("HEAT", FRandom.between(1, 40));
        FOut.number("LANE", FRandom.between(1, kLanes));
    }

    /** Cumulative times every 50 m before the finish: a quick first length, then an even pace. */
    void writeSplits(int distance, int time)
    {
        const int lengths = distance / 50;
        if (lengths < 2)
            return;
        const int first = time / lengths * 93 / 100;
        FOut.open("SPLITS");
        for (int length = 1; length < lengths; ++length) {
            const int jitter = length == 1 ? 0 : FRandom.between(-20, 20);
            const int at = first + (time - first) * (length - 1) / (lengths - 1) + jitter;
            char dis[8];
            const auto end = std::to_chars(dis, dis + sizeof dis, length * 50).ptr;
            FOut.dataWithAttribute("SPLIT", "dis", std::string_view(dis, static_cast<std::size_t>(end - dis)),
                                   LenexTime('V', at).text());
        }
        FOut.close();
    }

    /**
     * A swim time in hundredths: the stroke's pace stretched by distance, scaled by a factor in per mille
     * and by a random spread up to spreadPerMille.
     */
    int swimTime(const Event& event, int factorPerMille, int spreadPerMille)
    {
        static constexpr std::pair<int, int> kEndurance[] = {{50, 940},   {100, 1000}, {200, 1080},
                                                             {400, 1130}, {800, 1170}, {1500, 1200}};
        int endurance = 1000;
        for (const auto& [distance, stretch] : kEndurance) {
            if (distance == event.style.distance)
                endurance = stretch;
        }
        long long time = 1LL * kPacePer100[static_cast<int>(event.style.stroke)] * event.style.distance *
                         event.style.swimmers / 100;
        time = time * endurance / 1000 * factorPerMille / 1000;
        time = time * FRandom.between(1000, spreadPerMille) / 1000;
        return static_cast<int>(std::min<long long>(time, 59 * 6000 + 5999));
    }

    /** Percent of the athletes who would swim a distance: sprints draw the fields, long races few. */
    static int popularity(int distance)
    {
        return distance <= 100 ? 100 : distance <= 200 ? 70 : distance <= 400 ? 35 : 12;
    }

    /** Limit times admit the slower half of the youngest swimmers of an age group. */
    static int limitFactor(const AgeGroup& group, char sex)
    {
        const int youngest = group.maxYob < 0 ? 10 : kMeetYear - group.maxYob;
        return ageFactor(youngest) * (sex == 'F' ? 110 : 100) / 100 * 115 / 100;
    }

    /** Slower per mille for the young and the old. */
    static int ageFactor(int age)
    {
        if (age <= 10)
            return 1500;
        if (age <= 12)
            return 1350;
        if (age <= 14)
            return 1200;
        if (age <= 18)
            return 1080;
        if (age <= 30)
            return 1030;
        return 1030 + (age - 30) * 12;
    }

    /** Points grow with the cube of speed against a fast reference time; 1000 at the reference. */
    static int points(const Event& event, int time)
    {
        const long long reference = 1LL * kPacePer100[static_cast<int>(event.style.stroke)] *
                                    event.style.distance * event.style.swimmers / 100 * 97 / 100;
        const long long ratio = reference * 1000 / std::max(time, 1);
        return static_cast<int>(ratio * ratio / 1000 * ratio / 1000000);
    }

    Random FRandom;
    std::size_t FTarget;
    LenexLineWriter& FOut;
    std::vector<Event> FEvents;
    std::vector<std::size_t> FIndividualEvents;
    std::vector<std::size_t> FRelayEvents;
    int FSessions = 0;
    int FNextEventId = 1;
    int FNextAgeGroupId = 1;
    int FNextPersonId = 10001;
};

void generate(const MeetSettings& settings, LenexLineWriter& out)
{
    out.line(R"(<?xml version="1.0" encoding="ISO-8859-1"?>)");
    MeetBuilder(settings, out).write();
}

} // namespace

std::string generateMeetText(const MeetSettings& settings)
{
    LenexLineWriter out({});
    generate(settings, out);
    return out.finish();
}

void writeMeetFile(const MeetSettings& settings, const std::string& path)
{
    const std::string partial = path + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("Cannot create " + partial);
    bool ok = true;
    LenexLineWriter out([&](std::string_view block) {
        ok = ok && std::fwrite(block.data(), 1, block.size(), file) == block.size();
    });
    generate(settings, out);
    out.finish();
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        std::remove(partial.c_str());
        throw std::runtime_error("Cannot write " + partial);
    }
    std::filesystem::rename(partial, path);
}

} // namespace lanescope::bench