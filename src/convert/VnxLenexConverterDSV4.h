#pragma once

#include "convert/DsvReader.h"
#include "convert/VnxLenexConverter.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lanescope::convert {

using lenex::TLnxCollection;

/**
 * Converts DSV4 result lists (".dsv", or zipped) into the Lenex document: a club result list (one club, its
 * swimmers and relay teams) or a competition result list (all clubs, one result block per event).
 *
 * Data the list leaves unattached is kept: a result block whose event has no WETTKAMPF record gets an event
 * of its own, and events of a file without ABSCHNITT records get a session for each session number they name.
 */
class TVnxLenexConverterDSV4 : public TVnxLenexConverter
{
public:
    using TVnxLenexConverter::TVnxLenexConverter;
    void Load(const std::string& fileName) override;

private:
    void convert(const std::string& fileName);
    void AddSessions();
    void AddEvents();
    bool AddClub(std::string_view keyword, int startLine);
    TLnxObject* ClubByName(const std::string& name);
    TLnxObject* FindOrAddAthlete(const std::string& clubName, std::string_view personText);
    TLnxObject* AddRelay(const std::string& clubName, std::string_view relayNumber);
    TLnxObject* FindEvent(int number, std::string_view round) const;
    TLnxObject* SessionByNumber(int number);
    void SetPlaceAndTime(TLnxObject& result, std::string_view place, std::string_view line);
    void AddSplit(TLnxObject& result, const TLnxObject& event, std::string_view timeText, int distance);
    void AddSplits(TLnxObject& result, const TLnxObject& event, int firstField, std::string_view line);
    void AddRelaySplits(TLnxObject& result, const TLnxObject& event, int firstField, std::string_view line);

    void addSwimmerResults();
    void addRelayTeamResults();
    void addEventBlocks();
    void addIndividualBlock(const std::vector<std::string>& block, const TLnxObject& event);
    void addRelayBlock(const std::vector<std::string>& block, const TLnxObject& event);
    TLnxObject* addMissingEvent(int number, std::string_view round, const std::vector<std::string>& block);
    TLnxObject* addEvent(TLnxObject& session, int number, std::string_view round);
    TLnxObject* addSession(int number);
    const std::string& firstClubName() const;

    std::unique_ptr<TVnxDsvReader> FReader;
    TLnxObject* FCompetition = nullptr;
    TLnxCollection* FSessions = nullptr;
    TLnxCollection* FClubs = nullptr;
    int FRelayCounter = 0;
    int FAthleteCounter = 0;
    int FEventCounter = 0;
    bool FSessionsPerEvent = false;
    // Look-ups that keep big lists linear: first CLUB by lower-case name, first PERSON by club and identity,
    // first EVENT by number and round.
    std::unordered_map<std::string, TLnxObject*> FClubIndex;
    std::unordered_map<std::string, TLnxObject*> FAthleteIndex;
    std::map<std::pair<int, std::string>, TLnxObject*> FEventIndex;
};

} // namespace lanescope::convert
