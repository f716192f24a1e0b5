#pragma once

#include "convert/Dsv7Reader.h"
#include "convert/VnxLenexConverter.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lanescope::convert {

/**
 * Converts the German federation's DSV6, DSV7 and DSV8 files (".dsv6", ".dsv7", ".dsv8", a ".dsv" that begins
 * with FORMAT, or zipped) into the Lenex document: meet results, invitations, club entry lists and club
 * result lists. Records name each other by keys (meet-local ids, event number and kind), so everything is
 * indexed first and attached afterwards, whatever the order of the records.
 *
 * A swim is one RESULT however many rankings list it: RANK and CID come from the narrowest ranking, the
 * others are kept beside the result so that every list it is ranked in shows it with its place there.
 */
class TVnxLenexConverterDSV7 : public TVnxLenexConverter
{
public:
    using TVnxLenexConverter::TVnxLenexConverter;
    void Load(const std::string& fileName) override;
    /** Converts the raw bytes of a file (the fuzz harness and tests). */
    void LoadBytes(std::string bytes);

private:
    struct EventInfo
    {
        TLnxObject* event = nullptr;
        int number = 0;
        std::string kind;
        int swimmers = 1;
        int distance = 0;
        std::string sex;
    };
    struct CatInfo
    {
        TLnxObject* cat = nullptr;
        int id = 0;
        int width = 99;
        int order = 0;
    };
    struct Ranking
    {
        const CatInfo* cat = nullptr;
        int rankingId = 0;
        int place = 0;
    };
    struct Position
    {
        int personId = 0;
        std::string rt;
    };
    /** One swim (an athlete's or a relay's) with what its records add to it until it is written. */
    struct Swim
    {
        TLnxObject* result = nullptr;
        const EventInfo* event = nullptr;
        lenex::TSwimTime time = 0;
        std::vector<Ranking> rankings;
        std::map<int, lenex::TSwimTime> splits;
        std::map<int, Position> legs;
        int disqualifiedLeg = 0;
        std::string rt;
    };
    /** The fields of a result row, whichever record it comes from. */
    struct SwimRow
    {
        int eventNumber = 0;
        std::string_view kind;
        std::string_view ranking;
        int place = 0;
        std::string_view reason;
        std::string_view time;
        std::string_view remark;
        int disqualifiedLeg = 0;
    };
    struct PersonRow
    {
        std::string_view name;
        std::string_view license;
        std::string_view id;
        std::string_view sex;
        std::string_view yob;
        std::string_view nation;
    };
    struct RelayInfo
    {
        TLnxObject* relay = nullptr;
        TLnxObject* club = nullptr;
        Swim* firstSwim = nullptr;
    };

    void convert(std::unique_ptr<TDsv7Reader> reader);
    void checkEnd();
    /** The date of a field as "yyyymmdd"; a field that holds something else gives a warning and "". */
    std::string dateOf(const Dsv7Record& record, std::string_view field);
    void addHeader();
    void addSessions();
    void addEvents(std::vector<std::pair<int, std::string>>& qualifying);
    void addEvent(const Dsv7Fields& fields);
    void addCategories();
    void addFees();
    void addLimitTimes();
    void addClubs();
    TLnxObject* addClub(const Dsv7Fields& fields);
    TLnxObject* ClubFor(std::string_view name, std::string_view number);
    TLnxObject* SessionByNumber(int number);

    // Results (VnxLenexConverterDSV7Results.cpp)
    void scanPersonIds();
    TLnxObject* PersonFor(const PersonRow& row, TLnxObject& club);
    TLnxObject* RelaySwimmer(TLnxObject& club, const Dsv7Fields& fields);
    void addResults();
    void addResultDetails();
    Swim* addSwim(std::string key, TLnxObject& owner, const SwimRow& row);
    RelayInfo* RelayFor(std::string_view relayId, TLnxObject& club, std::string_view teamNumber);
    Swim* SwimFor(char owner, std::string_view id, std::string_view event, std::string_view kind);
    void finishSwims();
    void finishSwim(Swim& swim);

    // Entries (VnxLenexConverterDSV7Entries.cpp)
    void addEntries();
    const EventInfo* EntryEvent(int number, bool relay) const;
    TLnxObject* addEntry(TLnxObject& owner, const EventInfo& event, std::string_view time);

    std::unique_ptr<TDsv7Reader> FReader;
    Dsv7List FList = Dsv7List::Unknown;
    TLnxObject* FCompetition = nullptr;
    lenex::TLnxCollection* FSessions = nullptr;
    lenex::TLnxCollection* FClubs = nullptr;
    int FReferenceYear = 0;
    bool FLongCourse = false;
    bool FSessionsPerEvent = false;
    int FEventCounter = 0;
    int FRelayCounter = 0;
    int FNextPersonId = 1;
    std::deque<EventInfo> FEvents;
    std::map<std::pair<int, std::string>, const EventInfo*> FEventByKey; // by number and upper-case kind
    std::unordered_map<int, CatInfo> FCats;                              // by ranking id
    std::unordered_map<std::string, TLnxObject*> FClubByName;
    std::unordered_map<std::string, TLnxObject*> FClubByCode;
    std::unordered_map<std::string, TLnxObject*> FPersons; // by meet-local id
    // Persons by club, lower-case name and year of birth, for relay swimmers named without an id.
    std::unordered_map<std::string, std::vector<TLnxObject*>> FPersonsByName;
    std::unordered_map<std::string, RelayInfo> FRelays; // by meet-local relay id
    std::deque<Swim> FSwims;
    std::unordered_map<std::string, Swim*> FSwimIndex;
    std::unordered_map<std::string, TLnxObject*> FEntryIndex; // relay entries by relay id and event number
    TLnxObject* FOnlyClub = nullptr;                          // the club of a club entry or club result list
};

} // namespace lanescope::convert
