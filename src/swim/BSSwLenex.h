#pragma once

#include "base/DateTime.h"
#include "lenex/LnxElement.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

/**
 * Typed views over the Lenex node tree: meets (COMPETITION), sessions (PERIOD), events, age groups (CAT),
 * clubs, athletes (PERSON), relays, relay positions, entries, results, splits, league teams and contacts.
 *
 * Each view is an abstract interface here, implemented by the TLnx... classes of BSSwLenexImp.h and
 * BSSwLenexPersons.h; the interfaces stay apart from the classes so callers only need this header. Views are
 * shared through std::shared_ptr, hold a borrowed node, never own nodes and must not outlive the document:
 * create them per use and drop them. Answers are computed from the tree on each call, except where a view
 * says it keeps a value. Like the tree's own date, time and lenextime reads, a few reads add a missing child
 * (named on the operation).
 */
namespace lanescope::swim {

using base::TDateTime;
using lenex::TLnxAbstractElement;

/** A small set of numbers 0 to 15, one bit each. */
using TNumberSet = std::uint16_t;
/** Round numbers to keep; the empty set keeps every round. */
using TRoundFilter = TNumberSet;
/** Gender numbers 1 (male), 2 (female), 3 (mixed). */
using TGenderSet = TNumberSet;

/** The set of the numbers; numbers outside 0 to 15 are left out. */
constexpr TNumberSet numberSet(std::initializer_list<int> numbers)
{
    TNumberSet set = 0;
    for (const int number : numbers)
        if (number >= 0 && number < 16)
            set = static_cast<TNumberSet>(set | (1u << number));
    return set;
}
constexpr bool inNumberSet(TNumberSet set, int number)
{
    return number >= 0 && number < 16 && (set & (1u << number)) != 0;
}

inline constexpr TGenderSet kAllGenders = numberSet({1, 2, 3});

/** Round numbers of events, from TYPE: 0 timed final (and unknown codes) ... 8 final. */
enum TLnxRound : int
{
    lrTimedFinal = 0,
    lrPrelims = 1,
    lrSwimOffPrelims = 2,
    lrFinalOfFour = 3,
    lrSwimOffOfFour = 4,
    lrSemiFinal = 5,
    lrSwimOffSemiFinal = 6,
    lrFastestHeat = 7,
    lrFinal = 8,
};

/** Sort types of event collections; any other value keeps document order. */
enum TLnxEventSort : int
{
    lesNumber = 0,
    lesSwimStyle = 1,
    lesSortKey = 2,
    lesDocument = -1,
};

/** Sort types of entry and result collections; any other value keeps document order. */
enum TLnxEntrySort : int
{
    lnsEventNumber = 0,
    lnsSwimStyle = 1,
    lnsEntryTime = 2,
    lnsDocument = -1,
};

/** Sort types of club collections; any other value keeps document order. */
enum TLnxClubSort : int
{
    lcsName = 0,
    lcsCodeText = 1,
    lcsDocument = -1,
};

/** How athlete names are shown; process-wide, created on first use. The program keeps the default. */
struct TLnxSettings
{
    enum : std::uint8_t
    {
        FamilyNameFirst = 1,
        FamilyNameCapitals = 2,
    };
    std::uint8_t flags = FamilyNameCapitals;

    static TLnxSettings& instance();
};

/** First and last day of a meet. */
struct TLnxDateRange
{
    TDateTime first = 0;
    TDateTime last = 0;
};

class IBSLenexAgeGroup;
class IBSLenexAthlete;
class IBSLenexClub;
class IBSLenexClubs;
class IBSLenexContact;
class IBSLenexEntry;
class IBSLenexEvent;
class IBSLenexPointTable;
class IBSLenexPosition;
class IBSLenexRelay;
class IBSLenexResult;
class IBSLenexSession;
class IBSLenexSplit;
class IBSLenexSplits;
class IBSLenexSwimStyle;
class IBSLenexTeam;
class IBSLenexTeamAthlete;
class IBSLenexAgeGroups;

/** Every view: the node it wraps (nullptr for a collection over a missing collection node). */
class ILnxAbstractObject
{
public:
    virtual ~ILnxAbstractObject() = default;
    virtual TLnxAbstractElement* node() const = 0;
};

/**
 * A list of views with a cursor. The cursor starts at 0; current() and at() give nullptr outside the list.
 * sort() takes a three-way compare (negative, 0, positive); items that compare equal keep their order, and a
 * compare that contradicts itself cannot make the sort leave the list.
 */
template <class T> class IBSLenexCollection : public ILnxAbstractObject
{
public:
    using Item = T;
    using TCompare = std::function<int(const T& a, const T& b)>;

    virtual int count() const = 0;
    virtual std::shared_ptr<T> current() const = 0;
    virtual void reset() = 0;
    virtual bool hasCurrent() const = 0;
    virtual void advance() = 0;
    virtual std::shared_ptr<T> at(int index) const = 0;
    virtual void sort(const TCompare& compare) = 0;
};

using IBSLenexSessions = IBSLenexCollection<IBSLenexSession>;
using IBSLenexEvents = IBSLenexCollection<IBSLenexEvent>;
/** reset() also sorts the athletes by full name, without regard to case. */
using IBSLenexAthletes = IBSLenexCollection<IBSLenexAthlete>;
using IBSLenexRelays = IBSLenexCollection<IBSLenexRelay>;
using IBSLenexPositions = IBSLenexCollection<IBSLenexPosition>;
using IBSLenexEntries = IBSLenexCollection<IBSLenexEntry>;
using IBSLenexResults = IBSLenexCollection<IBSLenexResult>;
using IBSLenexTeams = IBSLenexCollection<IBSLenexTeam>;
using IBSLenexTeamAthletes = IBSLenexCollection<IBSLenexTeamAthlete>;

/** A meet (COMPETITION). */
class IBSLenexMeet : public ILnxAbstractObject
{
public:
    virtual std::string nation() const = 0;
    virtual void setNation(const std::string& nation) = 0;
    /** AGEDATE; else the DATE of the first session; else the current local date and time. */
    virtual TDateTime ageDate() const = 0;
    /** The first PERSON with the id in any club; nullptr for none and for id 0. */
    virtual std::shared_ptr<IBSLenexAthlete> athleteById(int id) const = 0;
    virtual std::string place() const = 0;
    /** "PLACE  (NATION)", or PLACE alone without a nation. */
    virtual std::string placeText() const = 0;
    virtual std::shared_ptr<IBSLenexClubs> clubs(int sortType) const = 0;
    virtual std::shared_ptr<IBSLenexContact> contact() const = 0;
    virtual int courseNumber() const = 0;
    /** Earliest and latest session DATE; sessions without a date are left out. */
    virtual TLnxDateRange dateRange() const = 0;
    virtual TDateTime deadline() const = 0;
    /** The first EVENT with the id in any session; nullptr for none and for id 0. */
    virtual std::shared_ptr<IBSLenexEvent> eventById(int id) const = 0;
    /** The events of every session, in document order before the sort. */
    virtual std::shared_ptr<IBSLenexEvents> events(TRoundFilter rounds, int sortType) const = 0;
    virtual int laneMin() const = 0;
    virtual int laneMax() const = 0;
    virtual std::string name() const = 0;
    virtual std::string organizer() const = 0;
    /** Adds an empty POINTTABLE when the meet has none. */
    virtual std::shared_ptr<IBSLenexPointTable> pointTable() const = 0;
    virtual std::string poolName() const = 0;
    virtual std::string promoter() const = 0;
    virtual std::string poolUnit() const = 0;
    /** Sorted by session number. */
    virtual std::shared_ptr<IBSLenexSessions> sessions() const = 0;
    virtual std::string state() const = 0;
    /** Position of TI among the timing codes: 1 "A", 2 "M3", 3 "M1", 0 none. */
    virtual int timing() const = 0;
};

/** A session (PERIOD). */
class IBSLenexSession : public ILnxAbstractObject
{
public:
    /** The session's own PL and PM when it has both, else the meet's course. */
    virtual int courseNumber() const = 0;
    virtual std::string poolText() const = 0;
    virtual std::shared_ptr<IBSLenexEvents> events(TRoundFilter rounds, int sortType) const = 0;
    virtual int laneMin() const = 0;
    virtual int laneMax() const = 0;
    /** NAME, or the numbered session text, " - " and the pool text. */
    virtual std::string name() const = 0;
    virtual int number() const = 0;
    virtual TDateTime date() const = 0;
    virtual TDateTime start() const = 0;
    /** The long date, then ", h:nn" when the session has a start time. */
    virtual std::string dateText() const = 0;
};

/** An event. */
class IBSLenexEvent : public ILnxAbstractObject
{
public:
    virtual std::shared_ptr<IBSLenexAgeGroups> ageGroups() const = 0;
    virtual std::string ageText() const = 0;
    /** Entries of the club's athletes and relays for this event, or of every club's for club nullptr. */
    virtual std::shared_ptr<IBSLenexEntries> entries(const IBSLenexClub* club, int sortType) const = 0;
    /** "12. 4x100m Freestyle Relay, Women". */
    virtual std::string title() const = 0;
    /** "EUR 12.50", or "-" without a fee. Adds an empty FEE when missing. */
    virtual std::string feeText() const = 0;
    virtual int genderNumber() const = 0;
    virtual std::string genderText() const = 0;
    virtual std::int32_t id() const = 0;
    /** MAXENTRIES, or 32767 without a limit. */
    virtual int entryLimit() const = 0;
    virtual int number() const = 0;
    virtual std::string numberText() const = 0;
    /** The event named by PEID, or nullptr. */
    virtual std::shared_ptr<IBSLenexEvent> relatedEvent() const = 0;
    /** ORDER, start minute, number and round number, zero-padded: orders events by their text. */
    virtual std::string sortKey() const = 0;
    /** Ranked last to first: results without rank (the higher status first), then rank down to the winner. */
    virtual std::shared_ptr<IBSLenexResults> results() const = 0;
    virtual int roundNumber() const = 0;
    virtual std::string roundText() const = 0;
    virtual std::shared_ptr<IBSLenexSession> session() const = 0;
    virtual TDateTime time() const = 0;
    virtual std::shared_ptr<IBSLenexSwimStyle> swimStyle() const = 0;
};

/** The swim style of an event, with the length unit of its meet. */
class IBSLenexSwimStyle
{
public:
    virtual ~IBSLenexSwimStyle() = default;
    /** Metres per swimmer. */
    virtual int distance() const = 0;
    virtual int styleId() const = 0;
    virtual bool isRelay() const = 0;
    virtual int relayCount() const = 0;
    /** Freestyle 1, backstroke 2, breaststroke 3, butterfly 4, medley 5, anything else 0. */
    virtual int strokeNumber() const = 0;
    /** "4x100m", "100y". */
    virtual std::string distanceText() const = 0;
    virtual std::string sortKey(int genderNumber) const = 0;
    virtual std::string strokeText() const = 0;
    /** Distance text and stroke text, or the event NAME for an unknown stroke. */
    virtual std::string fullText() const = 0;
};

/** An age group (CAT). */
class IBSLenexAgeGroup : public ILnxAbstractObject
{
public:
    virtual std::string ageText() const = 0;
    virtual int genderNumber() const = 0;
    virtual std::int32_t id() const = 0;
    virtual int minAge() const = 0;
    virtual int maxAge() const = 0;
    virtual std::string name() const = 0;
    /** LCT for course 1, SCT for course 2, course 0 meaning the event's session course; else empty. */
    virtual std::string limitTimeText(int courseNumber) const = 0;
};

/** The age groups of an event with the age range they cover together (0 to 999 when there are none). */
class IBSLenexAgeGroups : public IBSLenexCollection<IBSLenexAgeGroup>
{
public:
    virtual int minAge() const = 0;
    virtual int maxAge() const = 0;
};

class IBSLenexPointTable : public ILnxAbstractObject
{
public:
    virtual std::int32_t id() const = 0;
    virtual std::string name() const = 0;
    virtual std::string version() const = 0;
};

/** A club, with the statistics of its athletes and relays, counted on the first statistics query. */
class IBSLenexClub : public ILnxAbstractObject
{
public:
    virtual std::string code() const = 0;
    /** Nation, LSC and CODE joined with ".", leaving out empty pieces and repeats of the piece before. */
    virtual std::string codeText() const = 0;
    virtual std::shared_ptr<IBSLenexContact> contact() const = 0;
    virtual std::string lsc() const = 0;
    virtual std::string name() const = 0;
    /** "NAME (code text)", or NAME without a code text. */
    virtual std::string nameText() const = 0;
    /** NATION, or the meet's. */
    virtual std::string nation() const = 0;
    /** 3 national team, 2 regional team, 0 club. */
    virtual int clubTypeNumber() const = 0;
    virtual std::shared_ptr<IBSLenexAthletes> athletes() const = 0;
    virtual std::shared_ptr<IBSLenexRelays> relays() const = 0;
    virtual std::shared_ptr<IBSLenexTeams> teams() const = 0;
    /** Athletes of the genders 1 and 2 in the set. */
    virtual int athleteCount(TGenderSet genders) const = 0;
    /** Individual or relay starts; prelims and final of one event count once. */
    virtual int startCount(TGenderSet genders, bool relay) const = 0;
    /** Medals of place 1 to 3 from timed finals and finals. */
    virtual int medalCount(TGenderSet genders, int place) const = 0;
};

/** Editing a club: reached with std::dynamic_pointer_cast from a club view. */
class IBSLenexClubEdit
{
public:
    virtual ~IBSLenexClubEdit() = default;
    /** Removes the club from its CLUBS and destroys the node; the view must not be used afterwards. */
    virtual void remove() = 0;
};

class IBSLenexClubs : public IBSLenexCollection<IBSLenexClub>
{
public:
    /** The first club named like the given one (without regard to case), with the cursor moved there. */
    virtual std::shared_ptr<IBSLenexClub> findByName(const IBSLenexClub& club) = 0;
};

/** Adding to a club list: reached with std::dynamic_pointer_cast from a clubs collection. */
class IBSLenexClubList
{
public:
    virtual ~IBSLenexClubList() = default;
    /**
     * Appends a deep copy of the club's node to the CLUBS node and to this list; nullptr when the view holds
     * no CLUB or the list has no CLUBS node.
     */
    virtual std::shared_ptr<IBSLenexClub> appendCopy(const ILnxAbstractObject& club) = 0;
};

/** An athlete (PERSON). */
class IBSLenexAthlete : public ILnxAbstractObject
{
public:
    /** BIRTHDATE; else 1 January of YOB from 1850 to 2050; else 0. */
    virtual TDateTime birthDate() const = 0;
    /** YOB without a birth date; else the year alone or the short date. */
    virtual std::string birthText(bool yearOnly) const = 0;
    /** Adds an empty ENTRIES when missing. */
    virtual std::shared_ptr<IBSLenexEntries> entries(int sortType, TRoundFilter rounds) const = 0;
    virtual std::string firstName() const = 0;
    virtual std::string fullName() const = 0;
    virtual std::string fullNameWithBirth() const = 0;
    virtual std::int32_t id() const = 0;
    virtual std::string familyName() const = 0;
    virtual std::string licence() const = 0;
    virtual std::string clubNation() const = 0;
    virtual std::string nation() const = 0;
    virtual std::string passport() const = 0;
    /** Adds an empty RESULTS when missing. */
    virtual std::shared_ptr<IBSLenexResults> results(int sortType, TRoundFilter rounds) const = 0;
    virtual int genderNumber() const = 0;
};

/** A relay team. */
class IBSLenexRelay : public ILnxAbstractObject
{
public:
    virtual std::string ageText() const = 0;
    virtual std::shared_ptr<IBSLenexEntries> entries(int sortType, TRoundFilter rounds) const = 0;
    /** The relay's name (`relayName`: NAME, else its club's name and number), then ", " and the gender on
     * request. */
    virtual std::string nameText(bool withGender) const = 0;
    virtual int number() const = 0;
    virtual std::shared_ptr<IBSLenexResults> results(int sortType, TRoundFilter rounds) const = 0;
    virtual int genderNumber() const = 0;
};

/** One leg of a relay swim (POSITION). */
class IBSLenexPosition : public ILnxAbstractObject
{
public:
    virtual std::shared_ptr<IBSLenexAthlete> athlete() const = 0;
    virtual std::int32_t athleteId() const = 0;
    virtual int legNumber() const = 0;
    /** Hundredths of a second, or -32768 when RT is no number. */
    virtual int reactionTime() const = 0;
    virtual int statusNumber() const = 0;
};

/**
 * An entry of an athlete or relay. Times are in milliseconds, 0 for none. The entry time, heat, lane and
 * entry time meet are read from the entry node: a result uses the participant's ENTRY with its EID.
 */
class IBSLenexEntry : public ILnxAbstractObject
{
public:
    /** The athlete's birth text; empty for a relay. */
    virtual std::string birthText(bool yearOnly) const = 0;
    /** The owning athlete; nullptr for a relay. */
    virtual std::shared_ptr<IBSLenexAthlete> athlete() const = 0;
    virtual std::string clubCodeText() const = 0;
    virtual int genderNumber() const = 0;
    virtual std::int32_t entryTime() const = 0;
    virtual std::string entryTimeText() const = 0;
    /** The meet's event with the EID, looked up once. */
    virtual std::shared_ptr<IBSLenexEvent> event() const = 0;
    virtual int heat() const = 0;
    virtual int lane() const = 0;
    /** Short date of the entry time's MEETINFO; adds an empty MEETINFO when missing. */
    virtual std::string entryTimeDateText() const = 0;
    /** "PLACE (NATION)" of the entry time's MEETINFO. */
    virtual std::string entryTimePlaceText() const = 0;
    virtual std::string participantName(bool withGender) const = 0;
    virtual std::shared_ptr<IBSLenexPositions> relayPositions() const = 0;
};

/**
 * A result. Reading its entry node looks the participant's ENTRY up once; a missing ENTRIES, or an ENTRY
 * with this EID, is added to the participant then.
 */
class IBSLenexResult : public IBSLenexEntry
{
public:
    virtual std::int32_t ageGroupId() const = 0;
    virtual std::string comment() const = 0;
    virtual std::string fine() const = 0;
    /** RANK, or 32767 without a rank. */
    virtual int rank() const = 0;
    /** The status text, "3." or empty. */
    virtual std::string placeText() const = 0;
    virtual int points() const = 0;
    virtual int reactionTime() const = 0;
    virtual std::shared_ptr<IBSLenexSplits> splits() const = 0;
    /** The status of CODE; a time that is not valid without a code counts as disqualified (2). */
    virtual int statusNumber() const = 0;
    virtual std::int32_t resultTime() const = 0;
    virtual std::string resultTimeText() const = 0;
};

/** One split time (a SPLIT data element). */
class IBSLenexSplit : public ILnxAbstractObject
{
public:
    virtual int distance() const = 0;
    virtual std::int32_t time() const = 0;
    virtual std::string timeText() const = 0;
};

/** The splits of a result by distance. */
class IBSLenexSplits : public IBSLenexCollection<IBSLenexSplit>
{
public:
    /** Milliseconds at the distance, 0 without a split there. */
    virtual std::int32_t timeAt(int distance) const = 0;
    /** Time at "to" minus time at "from" (0 is the start); 0 unless both splits exist. */
    virtual std::int32_t timeBetween(int from, int to) const = 0;
};

/** A league team (TEAM). */
class IBSLenexTeam : public ILnxAbstractObject
{
public:
    virtual int genderNumber() const = 0;
    virtual int number() const = 0;
    virtual std::shared_ptr<IBSLenexTeamAthletes> members() const = 0;
    /** "NACHWUCHS" 1, "PROMOTION" 2, anything else 3. */
    virtual int leagueNumber() const = 0;
};

/** A member of a league team (an ENTRY under a TEAM). */
class IBSLenexTeamAthlete : public ILnxAbstractObject
{
public:
    virtual std::int32_t athleteId() const = 0;
    /** The athlete's result in the league event of the member's NUM and the athlete's gender, or nullptr. */
    virtual std::shared_ptr<IBSLenexResult> result() const = 0;
};

class IBSLenexContact : public ILnxAbstractObject
{
public:
    virtual std::string city() const = 0;
    /** Always empty. */
    virtual std::string reserved() const = 0;
    virtual std::string email() const = 0;
    virtual std::string fax() const = 0;
    virtual std::string firstName() const = 0;
    /** FNAME, a blank and NAME, trimmed. */
    virtual std::string fullName() const = 0;
    virtual std::string internet() const = 0;
    virtual std::string name() const = 0;
    virtual std::string mobile() const = 0;
    virtual std::string phone() const = 0;
    virtual std::string state() const = 0;
    virtual std::string street() const = 0;
    virtual std::string street2() const = 0;
    virtual std::string zip() const = 0;
};

/**
 * The view of a node by its tag: COMPETITION a meet, PERIOD a session, EVENT, CAT an age group, POINTTABLE,
 * CLUB, PERSON an athlete, RELAY, POSITION, ENTRY (a team athlete under a TEAM), RESULT, SPLIT, TEAM,
 * CONTACT. nullptr for every other tag.
 */
std::shared_ptr<ILnxAbstractObject> createLenexView(TLnxAbstractElement& node);

/** createLenexView cast to the interface; nullptr when the node's view is of another kind. */
template <class Interface> std::shared_ptr<Interface> lenexView(TLnxAbstractElement& node)
{
    return std::dynamic_pointer_cast<Interface>(createLenexView(node));
}

} // namespace lanescope::swim
