#include "library/MeetReader.h"

#include "base/DateTime.h"
#include "base/Strings.h"
#include "lenex/LnxSchema.h"
#include "lenex/LnxSwimStyle.h"
#include "swim/BSSwLenex.h"

#include <cstdio>
#include <unordered_map>

namespace lanescope::library {

namespace {

using namespace lanescope::swim;

std::string isoDate(base::TDateTime value)
{
    if (value == 0)
        return {};
    const base::DateParts parts = base::decodeDate(value);
    if (parts.year == 0)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.year, parts.month, parts.day);
    return text;
}

// The round as its code; a timed final often has none.
std::string roundCode(const IBSLenexEvent& event)
{
    std::string code = base::trim(event.node()->asObject()->getText(lenex::tag::TYPE));
    for (char& c : code)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return code.empty() ? std::string(lenex::kDefaultRound) : code;
}

class Reader
{
public:
    explicit Reader(MeetRecord& meet)
        : FMeet(meet)
    {
    }

    void read(const IBSLenexMeet& meet)
    {
        FMeet.name = base::trim(meet.name());
        FMeet.place = base::trim(meet.place());
        const TLnxDateRange range = meet.dateRange();
        FMeet.firstDate = isoDate(range.first);
        FMeet.lastDate = isoDate(range.last);
        FMeet.course = meet.courseNumber();
        readEvents(meet);
        const auto clubs = meet.clubs(lcsDocument);
        for (int i = 0; i < clubs->count(); ++i)
            readClubAthletes(*clubs->at(i));
        for (int i = 0; i < clubs->count(); ++i)
            readClubRelays(*clubs->at(i));
    }

private:
    void readEvents(const IBSLenexMeet& meet)
    {
        const auto sessions = meet.sessions();
        for (int s = 0; s < sessions->count(); ++s) {
            const auto session = sessions->at(s);
            const int sessionIndex = static_cast<int>(FMeet.sessions.size());
            FMeet.sessions.push_back({session->number(), isoDate(session->date()), session->courseNumber()});
            const auto events = session->events(0, lesDocument);
            for (int e = 0; e < events->count(); ++e) {
                const auto event = events->at(e);
                const lenex::TSwimStyle style = event->node()->asObject()->readSwimStyle();
                FEventIndexes[event->node()] = static_cast<int>(FMeet.events.size());
                FMeet.events.push_back({sessionIndex, event->number(), roundCode(*event),
                                        event->genderNumber(), style.relayCountIndex, style.distanceIndex,
                                        style.strokeIndex, style.name});
            }
        }
    }

    int eventIndex(const IBSLenexEntry& result) const
    {
        const auto event = result.event();
        if (!event)
            return -1;
        const auto found = FEventIndexes.find(event->node());
        return found == FEventIndexes.end() ? -1 : found->second;
    }

    static std::vector<SplitRecord> splitsOf(const IBSLenexResult& result)
    {
        std::vector<SplitRecord> splits;
        const auto list = result.splits();
        for (int i = 0; i < list->count(); ++i) {
            const auto split = list->at(i);
            if (split->distance() > 0 && split->time() > 0)
                splits.push_back({split->distance(), split->time()});
        }
        return splits;
    }

    void readClubAthletes(const IBSLenexClub& club)
    {
        const std::string clubName = base::trim(club.name());
        const std::string nation = base::trim(club.nation());
        const auto athletes = club.athletes();
        for (int a = 0; a < athletes->count(); ++a) {
            const auto athlete = athletes->at(a);
            const int athleteIndex = static_cast<int>(FMeet.athletes.size());
            const int gender = athlete->genderNumber();
            FMeet.athletes.push_back({base::trim(athlete->licence()), base::trim(athlete->familyName()),
                                      base::trim(athlete->firstName()),
                                      base::decodeDate(athlete->birthDate()).year, gender == 3 ? 0 : gender,
                                      clubName, nation});
            if (athlete->id() != 0)
                FAthleteIndexes.emplace(athlete->id(), athleteIndex);
            const auto results = athlete->results(lnsDocument, 0);
            for (int r = 0; r < results->count(); ++r) {
                const auto result = results->at(r);
                const int event = eventIndex(*result);
                if (event < 0 || FMeet.events[static_cast<std::size_t>(event)].relayCountIndex > 0)
                    continue;
                SwimRecord swim;
                swim.athlete = athleteIndex;
                swim.event = event;
                readResult(*result, swim);
                swim.node = result->node();
                swim.splits = splitsOf(*result);
                FMeet.swims.push_back(std::move(swim));
            }
        }
    }

    static void readResult(const IBSLenexResult& result, SwimRecord& swim)
    {
        swim.timeMs = result.resultTime();
        swim.status = result.statusNumber();
        // EX (out of competition) is a valid swim with a valid time.
        if (swim.status == 1)
            swim.status = 0;
        if (swim.status == 0 && swim.timeMs <= 0)
            swim.status = 3;
        const int rank = result.rank();
        swim.place = rank > 0 && rank < 32767 ? rank : 0;
        swim.points = result.points();
    }

    // A leg's own time is the difference of the relay's splits at the leg's ends, when both are there.
    void readClubRelays(const IBSLenexClub& club)
    {
        const auto relays = club.relays();
        for (int t = 0; t < relays->count(); ++t) {
            const auto results = relays->at(t)->results(lnsDocument, 0);
            for (int r = 0; r < results->count(); ++r) {
                const auto result = results->at(r);
                const int event = eventIndex(*result);
                if (event < 0)
                    continue;
                const EventRecord& style = FMeet.events[static_cast<std::size_t>(event)];
                const int legDistance = style.distanceIndex >= 0 ? lenex::kDistances[style.distanceIndex] : 0;
                SwimRecord relay;
                readResult(*result, relay);
                const auto splits = result->splits();
                const auto positions = result->relayPositions();
                for (int p = 0; p < positions->count(); ++p) {
                    const auto position = positions->at(p);
                    const auto athlete = FAthleteIndexes.find(position->athleteId());
                    const int leg = position->legNumber();
                    if (athlete == FAthleteIndexes.end() || leg < 1)
                        continue;
                    SwimRecord swim = relay;
                    swim.athlete = athlete->second;
                    swim.event = event;
                    swim.relayLeg = leg;
                    swim.relayTimeMs = relay.timeMs;
                    swim.timeMs = leg == 1 ? splits->timeAt(legDistance)
                                           : splits->timeBetween((leg - 1) * legDistance, leg * legDistance);
                    if (swim.timeMs == 0 && positions->count() == 1)
                        swim.timeMs = relay.timeMs;
                    if (position->statusNumber() > 1)
                        swim.status = position->statusNumber();
                    FMeet.swims.push_back(std::move(swim));
                }
            }
        }
    }

    MeetRecord& FMeet;
    std::unordered_map<const void*, int> FEventIndexes;
    std::unordered_map<std::int32_t, int> FAthleteIndexes;
};

} // namespace

std::vector<MeetRecord> readMeets(lenex::TLenex& document)
{
    std::vector<MeetRecord> meets;
    const int count = document.competitionCount();
    for (int i = 0; i < count; ++i) {
        document.selectCompetition(i);
        lenex::TLnxObject* competition = document.currentCompetition();
        if (!competition)
            continue;
        const auto meet = lenexView<IBSLenexMeet>(*competition);
        if (!meet)
            continue;
        meets.push_back(readMeet(*meet));
    }
    return meets;
}

MeetRecord readMeet(const IBSLenexMeet& meet)
{
    MeetRecord record;
    Reader(record).read(meet);
    return record;
}

} // namespace lanescope::library
