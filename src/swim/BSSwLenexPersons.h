#pragma once

#include "swim/BSSwLenexImp.h"

#include <array>

/**
 * The classes behind the typed views of BSSwLenex.h, participant side: clubs with their statistics,
 * athletes, relays, positions, entries, results, splits, league teams and contacts, and their collections.
 */
namespace lanescope::swim {

class TLnxClub final : public TLnxManagedObject<IBSLenexClub>, public IBSLenexClubEdit
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::string code() const override;
    std::string codeText() const override;
    std::shared_ptr<IBSLenexContact> contact() const override;
    std::string lsc() const override;
    std::string name() const override;
    std::string nameText() const override;
    std::string nation() const override;
    int clubTypeNumber() const override;
    std::shared_ptr<IBSLenexAthletes> athletes() const override;
    std::shared_ptr<IBSLenexRelays> relays() const override;
    std::shared_ptr<IBSLenexTeams> teams() const override;
    int athleteCount(TGenderSet genders) const override;
    int startCount(TGenderSet genders, bool relay) const override;
    int medalCount(TGenderSet genders, int place) const override;

    void remove() override;

private:
    /** Counters by gender number - 1. */
    struct Statistics
    {
        bool computed = false;
        std::array<int, 2> athletes{};
        std::array<std::array<int, 2>, 3> starts{}; // individual, relay
        std::array<std::array<int, 3>, 3> medals{}; // place 1, 2, 3
    };
    const Statistics& statistics() const;
    void countStarts(int genderNumber, int kind, IBSLenexResults& results, IBSLenexEntries& entries) const;

    mutable Statistics FStatistics;
};

/** The CLUB items of a CLUBS node, sorted by a club sort type. */
class TLnxClubs final : public TLnxManagedCollection<IBSLenexClubs>, public IBSLenexClubList
{
public:
    TLnxClubs(TLnxCollection* clubs, int sortType);

    std::shared_ptr<IBSLenexClub> findByName(const IBSLenexClub& club) override;
    std::shared_ptr<IBSLenexClub> appendCopy(const ILnxAbstractObject& club) override;
};

class TLnxAthlete final : public TLnxManagedObject<IBSLenexAthlete>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    TDateTime birthDate() const override;
    std::string birthText(bool yearOnly) const override;
    std::shared_ptr<IBSLenexEntries> entries(int sortType, TRoundFilter rounds) const override;
    std::string firstName() const override;
    std::string fullName() const override;
    std::string fullNameWithBirth() const override;
    std::int32_t id() const override;
    std::string familyName() const override;
    std::string licence() const override;
    std::string clubNation() const override;
    std::string nation() const override;
    std::string passport() const override;
    std::shared_ptr<IBSLenexResults> results(int sortType, TRoundFilter rounds) const override;
    int genderNumber() const override;
};

/** The PERSON items of a club; reset() sorts them by full name. */
class TLnxAthletes final : public TLnxManagedCollection<IBSLenexAthletes>
{
public:
    explicit TLnxAthletes(TLnxObject& club);

    void reset() override;
};

class TLnxRelay final : public TLnxManagedObject<IBSLenexRelay>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::string ageText() const override;
    std::shared_ptr<IBSLenexEntries> entries(int sortType, TRoundFilter rounds) const override;
    std::string nameText(bool withGender) const override;
    int number() const override;
    std::shared_ptr<IBSLenexResults> results(int sortType, TRoundFilter rounds) const override;
    int genderNumber() const override;
};

using TLnxRelays = TLnxManagedCollection<IBSLenexRelays>;

class TLnxPosition final : public TLnxManagedObject<IBSLenexPosition>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::shared_ptr<IBSLenexAthlete> athlete() const override;
    std::int32_t athleteId() const override;
    int legNumber() const override;
    int reactionTime() const override;
    int statusNumber() const override;
};

using TLnxPositions = TLnxManagedCollection<IBSLenexPositions>;

/** The entry operations shared by entries and results; Interface is IBSLenexEntry or IBSLenexResult. */
template <class Interface> class TLnxEntryResult : public TLnxManagedObject<Interface>
{
public:
    using TLnxManagedObject<Interface>::TLnxManagedObject;

    std::string birthText(bool yearOnly) const override;
    std::shared_ptr<IBSLenexAthlete> athlete() const override;
    std::string clubCodeText() const override;
    int genderNumber() const override;
    std::int32_t entryTime() const override;
    std::string entryTimeText() const override;
    std::shared_ptr<IBSLenexEvent> event() const override;
    int heat() const override;
    int lane() const override;
    std::string entryTimeDateText() const override;
    std::string entryTimePlaceText() const override;
    std::string participantName(bool withGender) const override;
    std::shared_ptr<IBSLenexPositions> relayPositions() const override;

protected:
    /** The ENTRY that holds the entry time, heat and lane. */
    virtual TLnxObject& entryNode() const = 0;
    /** The owning PERSON or RELAY; nullptr for a node outside one. */
    TLnxObject* participant() const;

private:
    mutable std::shared_ptr<IBSLenexEvent> FEvent;
    mutable bool FEventLookedUp = false;
};

extern template class TLnxEntryResult<IBSLenexEntry>;
extern template class TLnxEntryResult<IBSLenexResult>;

class TLnxEntry final : public TLnxEntryResult<IBSLenexEntry>
{
public:
    using TLnxEntryResult::TLnxEntryResult;

protected:
    TLnxObject& entryNode() const override { return object(); }
};

class TLnxResult final : public TLnxEntryResult<IBSLenexResult>
{
public:
    using TLnxEntryResult::TLnxEntryResult;

    std::int32_t ageGroupId() const override;
    std::string comment() const override;
    std::string fine() const override;
    int rank() const override;
    std::string placeText() const override;
    int points() const override;
    int reactionTime() const override;
    std::shared_ptr<IBSLenexSplits> splits() const override;
    int statusNumber() const override;
    std::int32_t resultTime() const override;
    std::string resultTimeText() const override;

protected:
    TLnxObject& entryNode() const override;

private:
    mutable TLnxObject* FEntry = nullptr;
};

using TLnxEntries = TLnxManagedCollection<IBSLenexEntries>;
using TLnxResults = TLnxManagedCollection<IBSLenexResults>;

class TLnxSplit final : public TLnxAbstractManagedObject<IBSLenexSplit>
{
public:
    explicit TLnxSplit(TLnxDataElement& split)
        : TLnxAbstractManagedObject(&split)
    {
    }

    int distance() const override;
    std::int32_t time() const override;
    std::string timeText() const override;
};

/** The SPLIT items of a SPLITS node (none for nullptr), sorted by distance. */
class TLnxSplits final : public TLnxManagedCollection<IBSLenexSplits>
{
public:
    explicit TLnxSplits(TLnxCollection* splits);

    std::int32_t timeAt(int distance) const override;
    std::int32_t timeBetween(int from, int to) const override;
};

class TLnxTeam final : public TLnxManagedObject<IBSLenexTeam>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    int genderNumber() const override;
    int number() const override;
    std::shared_ptr<IBSLenexTeamAthletes> members() const override;
    int leagueNumber() const override;
};

using TLnxTeams = TLnxManagedCollection<IBSLenexTeams>;

class TLnxTeamAthlete final : public TLnxManagedObject<IBSLenexTeamAthlete>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::int32_t athleteId() const override;
    std::shared_ptr<IBSLenexResult> result() const override;
};

using TLnxTeamAthletes = TLnxManagedCollection<IBSLenexTeamAthletes>;

class TLnxContact final : public TLnxManagedObject<IBSLenexContact>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::string city() const override;
    std::string reserved() const override;
    std::string email() const override;
    std::string fax() const override;
    std::string firstName() const override;
    std::string fullName() const override;
    std::string internet() const override;
    std::string name() const override;
    std::string mobile() const override;
    std::string phone() const override;
    std::string state() const override;
    std::string street() const override;
    std::string street2() const override;
    std::string zip() const override;
};

// Builders of the entry and result collections.

/** The ENTRIES (or RESULTS) of a PERSON or RELAY, added empty when missing, filtered by round, sorted. */
std::shared_ptr<IBSLenexEntries> participantEntries(TLnxObject& participant, int sortType,
                                                    TRoundFilter rounds);
std::shared_ptr<IBSLenexResults> participantResults(TLnxObject& participant, int sortType,
                                                    TRoundFilter rounds);
/** The entries for the event of the club's athletes and relays, or of every club's for club nullptr. */
std::shared_ptr<IBSLenexEntries> eventEntries(TLnxObject& event, const TLnxObject* club, int sortType);
/** The results for the event of every club, ranked last to first. */
std::shared_ptr<IBSLenexResults> eventResults(TLnxObject& event);

} // namespace lanescope::swim
