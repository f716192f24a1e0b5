#pragma once

#include "convert/Lenex3Text.h"
#include "convert/VnxLenexConverter.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace pugi {
class xml_node;
}

namespace lanescope::convert {

/**
 * Converts Lenex 2 and 3 files (".lef", or the single .lef of an archive) into the first-generation tree:
 * every MEET becomes a COMPETITION with its sessions, events, age groups, clubs, athletes, relays, entries,
 * results and splits. Malformed XML ends the conversion with the parser's line in the message; a
 * well-formed file without meets gives a document without competitions.
 */
class TVnxLenexConverterLenex3 : public TVnxLenexConverter
{
public:
    using TVnxLenexConverter::TVnxLenexConverter;
    void Load(const std::string& fileName) override;

private:
    /** A result's place in one age group, with the age group's width in years. */
    struct Ranking
    {
        int place = 0;
        int ageGroupId = 0;
        int width = 0;
    };

    void Convert(const std::string& fileName);
    void ConvertMeet(const pugi::xml_node& meet);
    void AddLists(const pugi::xml_node& root);
    void ConvertSession(const pugi::xml_node& session, lenex::TLnxCollection& periods, int referenceYear);
    void ConvertEvent(const pugi::xml_node& event, lenex::TLnxCollection& events, int referenceYear);
    void ConvertClub(const pugi::xml_node& club, lenex::TLnxCollection& clubs, int referenceYear);
    void ConvertAthlete(const pugi::xml_node& athlete, lenex::TLnxCollection& persons);
    void ConvertRelay(const pugi::xml_node& relay, lenex::TLnxCollection& relays, int referenceYear);
    /** The ENTRIES and RESULTS of an athlete or relay. */
    void ConvertSwims(const pugi::xml_node& owner, TLnxObject& target);
    void ConvertEntry(const pugi::xml_node& entry, lenex::TLnxCollection& entries);
    void ConvertResult(const pugi::xml_node& result, lenex::TLnxCollection& results);
    /** The result's splits, completed by the finish split that writers leave out. */
    void AddSplits(TLnxObject& target, const pugi::xml_node& result, lenex::TSwimTime time) const;
    /** CID and RANK from the narrowest age group that ranks the result, the others as further rankings. */
    void SetRankings(TLnxObject& target, const pugi::xml_node& result) const;
    int HeatOf(const pugi::xml_node& swim) const;
    void SetLine(lenex::TLnxAbstractElement& target, const pugi::xml_node& source) const;

    lenex3::LineTable FLines;
    std::unordered_map<int, std::vector<Ranking>> FRankings; // by result id, in file order
    std::unordered_map<int, int> FHeatNumbers;               // heat number by heat id
    std::unordered_map<int, int> FRaceDistances;             // distance times relay count by event id
    int FRelayId = 0;
    int FNextAthleteId = 0;
    int FNextEventId = 0;
};

} // namespace lanescope::convert
