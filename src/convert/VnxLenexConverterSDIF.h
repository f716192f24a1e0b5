#pragma once

#include "convert/SdifReader.h"
#include "convert/VnxLenexConverter.h"

#include <array>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lanescope::convert {

/**
 * Converts SDIF result and entry files (".sd3", ".cl2", or zipped) into one COMPETITION of the document:
 * sessions per course and date, events per course, round, number, style and date, age groups per event.
 */
class TVnxLenexConverterSDIF : public TVnxLenexConverter
{
public:
    using TVnxLenexConverter::TVnxLenexConverter;
    void Load(const std::string& fileName) override;

private:
    static constexpr int kRounds = 3;

    void Convert(const std::string& fileName);
    void LinkFinals();
    void NumberSessions();
    lenex::TLnxCollection* FindOrAddSession(const std::string& courseLetter, base::TDateTime swimDate);
    TLnxObject* FindOrAddEvent(int sexIndex, int eventNumber, int round, base::TDateTime swimDate,
                               const std::string& distanceAndStroke, const std::string& courseLetter);
    TLnxObject* FindOrAddAgeGroup(TLnxObject* event, const std::string& ageCode, int totalAge);
    TLnxObject* FindOrAddAthlete(const std::string& name, const std::string& sexCode,
                                 base::TDateTime birthDate);
    TLnxObject* FindOrAddRelay(const std::string& letter, const std::string& sexCode,
                               const std::string& ageCode);
    void SetTimeAndPlace(TLnxObject* result, const TSDifRecord& record, int timeColumn, int placeColumn);
    void ConvertTeam();
    void ConvertSwim(const TSDifRecord& record);
    void ConvertRelaySwim(const TSDifRecord& record);
    void ConvertRelaySwimmer(const TSDifRecord& record);
    void ConvertSplits(const TSDifRecord& record);
    void LeaveOut();
    base::TDateTime clampToMeet(base::TDateTime swimDate) const;
    std::string courseOf(const TSDifRecord& record, int timeColumn) const;
    int nextId() { return ++FIdCounter; }

    TSDifReader FReader;
    TLnxObject* FCompetition = nullptr;
    lenex::TLnxCollection* FSessions = nullptr;
    std::vector<std::pair<std::string, TLnxObject*>> FEventList;
    std::unordered_map<std::string, TLnxObject*> FEventIndex;
    lenex::TLnxCollection* FPersons = nullptr;
    std::unordered_map<std::string, TLnxObject*> FAthleteList;
    lenex::TLnxCollection* FRelays = nullptr;
    std::unordered_map<std::string, TLnxObject*> FRelayList;
    int FIdCounter = 0;
    base::TDateTime FMeetStart = 0;
    base::TDateTime FMeetEnd = 0;

    TLnxObject* FAthlete = nullptr;
    std::array<TLnxObject*, kRounds> FResults{};
    std::array<int, kRounds> FSplitOffsets{};
    int FLegDistance = 0;
    bool FEntries = false;
    bool FSkippingRelay = false;
    int FLeftOut = 0;
};

} // namespace lanescope::convert
