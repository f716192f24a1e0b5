#include "library/BestTimes.h"
#include "library/LibraryRows.h"
#include "library/SeasonLibrary.h"
#include "library/TextKey.h"

#include <algorithm>
#include <functional>
#include <tuple>

namespace lanescope::library {

namespace {

// One athlete's best of a list, as the query gives it; the texts are slots of the lists' ById tables.
constexpr std::size_t kNoClub = static_cast<std::size_t>(-1);

struct Best
{
    std::int64_t athleteId;
    std::size_t athlete;
    std::int32_t time;
    std::string date;
    std::size_t meet;
    std::size_t club;
    std::size_t event;
};

// The rows of one style and course, bests[first, end).
struct StyleList
{
    int style;
    int course;
    std::size_t first;
    std::size_t end;
};

// Without a date range the athletes' bests per style, course and club are at hand in best_times, in ranking
// order; a range needs every valid swim in it, which swims_best gives per athlete, fastest first. Either way
// an athlete's rows of a list come best first: equal times by date, club, meet and event, the order in
// which best_times picks its row.
std::string bestListQuery(const BestListFilter& filter)
{
    const bool range = !filter.from.empty() || !filter.to.empty();
    std::string sql = "SELECT s.style, s.course, s.athlete_id, s.time_ms, s.date, s.meet_id, s.club_id, "
                      "s.event_id FROM ";
    sql += range ? "swims s " : "best_times s ";
    if (filter.gender != 0 || filter.birthYear != 0)
        sql += "JOIN athletes a ON a.id = s.athlete_id ";
    sql += range ? std::string("WHERE ") + best_times::kValidSwim : std::string("WHERE 1");
    if (!filter.club.empty())
        sql += " AND s.club_id IN (SELECT id FROM clubs WHERE instr(club_key, ?1) > 0)";
    if (filter.gender != 0)
        sql += " AND a.gender = ?2";
    if (filter.birthYear != 0)
        sql += " AND a.birth_year = ?3";
    if (!filter.from.empty())
        sql += " AND s.date >= ?4";
    if (!filter.to.empty())
        sql += " AND s.date <= ?5";
    if (filter.course != 0)
        sql += " AND s.course = ?6";
    return sql + (range
                      ? " ORDER BY s.style, s.course, s.athlete_id, s.time_ms, s.date, s.club_id, s.meet_id, "
                        "s.event_id"
                      : " ORDER BY s.style, s.course, s.time_ms, s.date, s.athlete_id, s.club_id");
}

// Values by library id, each read once by the load function. Ids are rowids, dense from 1, so a vector
// indexed by id finds them without hashing; slot() numbers the values in the order they were first asked.
template <typename T> class ById
{
public:
    explicit ById(std::function<T(std::int64_t)> load)
        : FLoad(std::move(load))
    {
    }

    std::size_t slot(std::int64_t id)
    {
        const auto index = static_cast<std::size_t>(std::max<std::int64_t>(id, 0));
        if (index >= FSlots.size())
            FSlots.resize(std::max(index + 1, FSlots.size() * 2), kNone);
        if (FSlots[index] == kNone) {
            FSlots[index] = FValues.size();
            FValues.push_back(FLoad(id));
        }
        return FSlots[index];
    }

    const T& operator[](std::size_t slot) const { return FValues[slot]; }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::function<T(std::int64_t)> FLoad;
    std::vector<std::size_t> FSlots;
    std::vector<T> FValues;
};

// A statement reading one text column of the row with the id.
std::function<std::string(std::int64_t)> textOf(SqliteStatement& select)
{
    return [&select](std::int64_t id) {
        select.bind(1, id);
        std::string text = select.step() ? select.text(0) : std::string();
        select.reset();
        return text;
    };
}

} // namespace

std::vector<BestListRow> SeasonLibrary::bestList(const BestListFilter& filter)
{
    SqliteStatement select(*FDatabase, bestListQuery(filter));
    if (!filter.club.empty())
        select.bind(1, textKey(filter.club));
    if (filter.gender != 0)
        select.bind(2, filter.gender);
    if (filter.birthYear != 0)
        select.bind(3, filter.birthYear);
    if (!filter.from.empty())
        select.bind(4, filter.from);
    if (!filter.to.empty())
        select.bind(5, filter.to);
    if (filter.course != 0)
        select.bind(6, filter.course);

    SqliteStatement athlete(
        *FDatabase, "SELECT id, last_name, first_name, birth_year, gender FROM athletes WHERE id = ?");
    SqliteStatement meet(*FDatabase, "SELECT name FROM meets WHERE id = ?");
    SqliteStatement club(*FDatabase, "SELECT name FROM clubs WHERE id = ?");
    SqliteStatement event(*FDatabase,
                          "SELECT relay_count, distance, stroke, style_name FROM events WHERE id = ?");
    ById<AthleteRow> athletes([&athlete](std::int64_t id) {
        athlete.bind(1, id);
        AthleteRow row = athlete.step() ? athleteOf(athlete, 0) : AthleteRow{};
        athlete.reset();
        return row;
    });
    ById<std::string> meets(textOf(meet));
    ById<std::string> clubs(textOf(club));
    ById<std::string> events([&event](std::int64_t id) {
        event.bind(1, id);
        std::string text;
        if (event.step())
            text = styleText(styleCode(static_cast<int>(event.integer(0)), static_cast<int>(event.integer(1)),
                                       static_cast<int>(event.integer(2))),
                             event.text(3));
        event.reset();
        return text;
    });

    // The first row of an athlete in a list is the athlete's best; later ones are slower swims (of the range)
    // or the best for another club. The names are read while the query runs, in its read transaction.
    std::vector<Best> bests;
    std::vector<StyleList> lists;
    std::vector<std::size_t> listOfAthlete; // by athlete slot: the number of the list it was last in, from 1
    while (select.step()) {
        const int style = static_cast<int>(select.integer(0));
        const int course = static_cast<int>(select.integer(1));
        if (lists.empty() || lists.back().style != style || lists.back().course != course) {
            if (!lists.empty())
                lists.back().end = bests.size();
            lists.push_back({style, course, bests.size(), 0});
        }
        const std::size_t athleteSlot = athletes.slot(select.integer(2));
        if (athleteSlot >= listOfAthlete.size())
            listOfAthlete.resize(athleteSlot + 1, 0);
        if (listOfAthlete[athleteSlot] == lists.size())
            continue;
        listOfAthlete[athleteSlot] = lists.size();
        const std::int64_t clubId = select.integer(6);
        bests.push_back({select.integer(2), athleteSlot, static_cast<std::int32_t>(select.integer(3)),
                         select.text(4), meets.slot(select.integer(5)),
                         clubId != 0 ? clubs.slot(clubId) : kNoClub, events.slot(select.integer(7))});
    }
    if (!lists.empty())
        lists.back().end = bests.size();
    // Ranked by time; equal times by date, then athlete.
    for (const StyleList& list : lists)
        std::sort(bests.begin() + static_cast<std::ptrdiff_t>(list.first),
                  bests.begin() + static_cast<std::ptrdiff_t>(list.end), [](const Best& a, const Best& b) {
                      return std::tie(a.time, a.date, a.athleteId) < std::tie(b.time, b.date, b.athleteId);
                  });
    std::sort(lists.begin(), lists.end(), [](const StyleList& a, const StyleList& b) {
        return styleOrder(a.course, a.style) < styleOrder(b.course, b.style);
    });

    std::vector<BestListRow> rows;
    rows.reserve(bests.size());
    for (const StyleList& list : lists) {
        for (std::size_t i = list.first; i < list.end; ++i) {
            const Best& best = bests[i];
            BestListRow row;
            row.style = list.style;
            row.course = list.course;
            row.event = events[best.event];
            // Equal times share a place; the next time takes the place after all of them.
            row.rank = i > list.first && bests[i - 1].time == best.time
                           ? rows.back().rank
                           : static_cast<int>(i - list.first) + 1;
            row.athlete = athletes[best.athlete];
            if (best.club != kNoClub)
                row.club = clubs[best.club];
            row.timeMs = best.time;
            row.date = best.date;
            row.meet = meets[best.meet];
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

} // namespace lanescope::library
