#pragma once

#include "lenex/LnxElement.h"
#include "lenex/LnxMessageSink.h"
#include "lenex/LnxParser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lanescope::lenex {

/**
 * The Lenex document the program works on: owns the node tree, loads it from a file (archives included),
 * collects the load messages, indexes persons, events and age groups per competition and keeps the current
 * competition. Converters fill a new document instead of loading one.
 *
 * Bad input never throws: problems become "Line %d: %s" messages in the error or warning list, and a load
 * with errors counts as failed. The indexes hold pointers into the tree and are always cleared before it.
 */
class TLenex : public TLnxMessageSink
{
public:
    TLenex() = default;
    ~TLenex() override;
    TLenex(const TLenex&) = delete;
    TLenex& operator=(const TLenex&) = delete;

    /** Frees the indexes, then the tree; empties the message lists. */
    void clear();
    /** Loads a plain Lenex file or a Lenex archive (".lxf" and friends, scrambled or not). */
    void load(const std::string& fileName, const TLnxProgress& progress = {});
    /** A fresh tree: LENEX with VERSION "01.03.0007" and a CONSTRUCTOR with name, version and our contact. */
    void newDocument(const std::string& constructorName, const std::string& constructorVersion);
    /** Takes over a tree built elsewhere; the document must be clear. */
    void setRoot(std::unique_ptr<TLnxObject> root);

    void addMessage(const std::string& text, int position, bool warning) override;

    /** Builds the per-competition indexes and applies the defaults; runs once per load. */
    void buildIndexes();
    /** Makes the competition at the index current. The index must be one of the COMPETITIONS items. */
    void selectCompetition(int index);

    bool hasCompetitions() const;
    int competitionCount() const;

    TLnxObject* personById(int id) const;
    TLnxObject* eventById(int id) const;
    /** The CAT with the ids; for age group id 0 without such a CAT, the event's first CAT in key order. */
    TLnxObject* ageGroupByIds(int eventId, int ageGroupId) const;

    /** "LENEX version %s" (or "Internal used format,") and the constructor's name and version. */
    std::string fileInformationText() const;

    TLnxObject* root() const { return FRoot.get(); }
    const std::string& fileName() const { return FFileName; }
    TLnxObject* pointTable() const { return FPointTable; }
    TLnxObject* currentCompetition() const { return FCurrentCompetition; }
    int currentCompetitionIndex() const { return FCurrentCompetitionIndex; }
    /** PM of the current competition; "m" when empty. */
    const std::string& poolUnit() const { return FPoolUnit; }
    /** Year of the latest PERIOD DATE of the current competition; 0 when there is none. */
    int referenceYear() const { return FReferenceYear; }
    const std::vector<std::string>& errors() const { return FMessages.errors(); }
    const std::vector<std::string>& warnings() const { return FMessages.warnings(); }
    bool internalFormat() const { return FInternalFormat; }
    bool indexed() const { return FIndexed; }

private:
    // Lookups by id; an age group is found by its event id and its own id, packed into one key.
    using Index = std::unordered_map<std::int32_t, TLnxObject*>;
    // Ids and objects sorted by id: the persons, the largest index, take no more room than a list.
    using IdList = std::vector<std::pair<std::int32_t, TLnxObject*>>;
    struct CompetitionIndexes
    {
        IdList persons;
        Index events;
        std::unordered_map<std::uint64_t, TLnxObject*> ageGroups;
        // Per event id the CAT whose decimal id comes first as text ("10" before "9"): the age group of
        // an item without one.
        Index firstAgeGroups;
    };

    void indexEvents(TLnxObject& competition, CompetitionIndexes& indexes);
    void indexPersons(TLnxObject& competition, CompetitionIndexes& indexes);
    static std::vector<const TLnxObject*> indexPersonIds(const TLnxCollection& clubs,
                                                         CompetitionIndexes& indexes);
    std::uint8_t flagEvents(TLnxObject& owner, std::uint8_t flagsWhenEntries, std::uint8_t flagsWhenResults,
                            const CompetitionIndexes& indexes);
    const CompetitionIndexes* currentIndexes() const;

    std::unique_ptr<TLnxObject> FRoot;
    std::string FFileName;
    TLnxObject* FPointTable = nullptr;
    TLnxObject* FCurrentCompetition = nullptr;
    std::string FPoolUnit = "m";
    int FReferenceYear = 0;
    int FCurrentCompetitionIndex = 0;
    std::vector<CompetitionIndexes> FIndexes;
    TLnxMessageList FMessages;
    bool FInternalFormat = false;
    bool FIndexed = false;
};

} // namespace lanescope::lenex
