#pragma once

#include "convert/VnxLenexConverter.h"

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lanescope::lenex {
class TLnxCollection;
}

namespace lanescope::convert {

namespace pce3 {
struct EventCode;
}

/**
 * Converts a PCE3 export (a zip archive or a folder of fixed-column tables, recognised by "rcomp.txt") into
 * the Lenex document: one COMPETITION per rcomp line, sessions and events from pcomp, entries from engag,
 * results with splits and relay swimmers from prres and relais, clubs and athletes by their licences.
 */
class TVnxLenexConverterPCE3 : public TVnxLenexConverter
{
public:
    using TVnxLenexConverter::TVnxLenexConverter;
    void Load(const std::string& fileName) override;

private:
    /** Lines of a kept look-up table with the line index of each key (the first line wins). */
    struct KeyedTable
    {
        std::vector<std::string> lines;
        std::unordered_map<std::string, std::size_t> firstByKey;
        void load(std::vector<std::string> tableLines, int keyLength);
        /** The first line whose leading keyLength characters equal key, or nullptr. */
        const std::string* find(std::string_view key) const;
    };

    /** Where an event stands in its competition: session number, then place in the session. */
    using EventOrder = std::pair<int, int>;
    /** Events of one competition, swim style (relay count, distance, stroke) and sex index. */
    struct EventSlot
    {
        std::map<std::string, std::pair<EventOrder, TLnxObject*>, std::less<>> firstByType;
        std::pair<EventOrder, TLnxObject*> last{{-1, -1}, nullptr};
    };
    using EventKey = std::tuple<const TLnxObject*, int, int, int, int>;

    void convert();
    void indexEvent(const TLnxObject& competition, TLnxObject& event, const pce3::EventCode& code);
    std::vector<std::string> ReadTable(const std::string& name) const;
    TLnxObject* CompetitionByCode(std::string_view code) const;
    TLnxObject* SessionFor(std::string_view pcompLine);
    TLnxObject* FindOrAddEvent(std::string_view code, char round);
    /** The event an unmatched entry or result creates: in the last session, numbered after all others. */
    TLnxObject* AddUnplannedEvent(TLnxObject& competition);
    TLnxObject* ClubFor(std::string_view competitionCode, std::string_view clubKey);
    TLnxObject* AthleteFor(std::string_view competitionCode, std::string_view licence);
    TLnxObject* RelayFor(std::string_view competitionCode, std::string_view licence);
    /** The owner of an entry or result: the athlete, or the relay team of a relay event. */
    TLnxObject* OwnerFor(const TLnxObject& event, std::string_view competitionCode, std::string_view licence);
    void AddRelaySwimmers(std::string_view key, TLnxObject& result);
    void AddSplits(std::string_view prresLine, const TLnxObject& event, TLnxObject& result) const;
    void FinalPass() const;

    std::string FSource;
    std::map<std::string, int, std::less<>> FCompetitionMap;
    lenex::TLnxCollection* FCompetitions = nullptr;
    int FEventCounter = 0;
    int FAthleteCounter = 0;
    KeyedTable FLicenceTable;
    KeyedTable FClubTable;
    KeyedTable FRelaisTable;
    // Indexes over the objects this load made, so that look-ups stay fast in big tables.
    std::map<EventKey, EventSlot> FEvents;
    std::map<const TLnxObject*, int> FLastEventNumber;
    std::map<std::pair<const TLnxObject*, double>, TLnxObject*> FSessions;
    std::unordered_map<std::string, TLnxObject*> FClubs;
    std::map<std::pair<const TLnxObject*, std::string>, TLnxObject*> FPersons;
    std::map<std::pair<const TLnxObject*, std::string>, TLnxObject*> FRelays;
};

} // namespace lanescope::convert
