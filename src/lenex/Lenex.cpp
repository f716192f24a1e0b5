#include "lenex/Lenex.h"

#include "base/DateTime.h"
#include "base/ProductVersion.h"
#include "lenex/LnxNodeArena.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace lanescope::lenex {

namespace {

std::uint64_t ageGroupKey(std::int32_t eventId, std::int32_t ageGroupId)
{
    return std::uint64_t{static_cast<std::uint32_t>(eventId)} << 32 | static_cast<std::uint32_t>(ageGroupId);
}

// Ids compare as their decimal texts: "10" before "9", "-1" before "0".
bool idTextLess(std::int32_t a, std::int32_t b) { return std::to_string(a) < std::to_string(b); }

template <class Map> TLnxObject* lookUp(const Map& index, typename Map::key_type key)
{
    const auto found = index.find(key);
    return found != index.end() ? found->second : nullptr;
}

} // namespace

TLenex::~TLenex() { clear(); }

void TLenex::clear()
{
    FIndexed = false;
    FInternalFormat = false;
    FCurrentCompetitionIndex = 0;
    FMessages.clear();
    FIndexes.clear();
    FPointTable = nullptr;
    FCurrentCompetition = nullptr;
    FRoot.reset();
}

void TLenex::addMessage(const std::string& text, int position, bool warning)
{
    FMessages.addMessage(text, position, warning);
}

void TLenex::load(const std::string& fileName, const TLnxProgress& progress)
{
    FFileName = std::filesystem::path(fileName).filename().string();
    clear();
    // The tree's nodes in blocks of their own, which go back when the document closes.
    const TLnxNodeArena arena;
    TLnxParser parser(*this);
    FRoot = parser.parse(fileName, progress);
    if (!FRoot)
        return;
    if (!FRoot->hasChild(tag::CONSTRUCTOR))
        FRoot->addObject(tag::CONSTRUCTOR)->setText(tag::NAME, "Unknown software");
    FInternalFormat = parser.internalFormat();
    FCurrentCompetitionIndex = 0;
}

void TLenex::newDocument(const std::string& constructorName, const std::string& constructorVersion)
{
    clear();
    FRoot = std::make_unique<TLnxObject>(tag::LENEX);
    FRoot->setText(tag::VERSION, std::string(kWrittenVersion));
    TLnxObject* constructor = FRoot->addObject(tag::CONSTRUCTOR);
    constructor->setText(tag::NAME, constructorName);
    constructor->setText(tag::VERSION, constructorVersion);
    // The contact names the program that made the document and its version; it has no address of its own to
    // give, and a made-up one would send readers of a written file nowhere.
    TLnxObject* contact = constructor->addObject(tag::CONTACT);
    contact->setText(tag::NAME, std::string(base::productName) + " " + base::versionText);
    contact->setText(tag::FNAME, {});
}

void TLenex::setRoot(std::unique_ptr<TLnxObject> root) { FRoot = std::move(root); }

bool TLenex::hasCompetitions() const { return FRoot && FRoot->hasChild(tag::COMPETITIONS); }

int TLenex::competitionCount() const
{
    const TLnxCollection* competitions = FRoot ? FRoot->findCollection(tag::COMPETITIONS) : nullptr;
    return competitions ? competitions->childCount() : 0;
}

void TLenex::buildIndexes()
{
    if (FIndexed)
        return;
    try {
        if (TLnxCollection* competitions = FRoot ? FRoot->findCollection(tag::COMPETITIONS) : nullptr) {
            FIndexes.resize(static_cast<std::size_t>(competitions->childCount()));
            for (int i = 0; i < competitions->childCount(); ++i) {
                TLnxObject* competition = competitions->itemAt(i);
                if (!competition)
                    continue;
                if (!competition->hasChild(tag::PL))
                    competition->setInteger(tag::PL, 50);
                if (!competition->hasChild(tag::PM))
                    competition->setText(tag::PM, "m");
                if (!competition->hasChild(tag::TI))
                    competition->setText(tag::TI, "A");
                indexEvents(*competition, FIndexes[static_cast<std::size_t>(i)]);
                indexPersons(*competition, FIndexes[static_cast<std::size_t>(i)]);
            }
        }
    } catch (const std::exception& error) {
        addMessage(error.what(), 0, false);
    }
    FIndexed = true;
}

void TLenex::indexEvents(TLnxObject& competition, CompetitionIndexes& indexes)
{
    const TLnxCollection* periods = competition.findCollection(tag::PERIODS);
    for (int p = 0; periods && p < periods->childCount(); ++p) {
        const TLnxObject* period = periods->itemAt(p);
        const TLnxCollection* events = period ? period->findCollection(tag::EVENTS) : nullptr;
        for (int e = 0; events && e < events->childCount(); ++e) {
            TLnxObject* event = events->itemAt(e);
            if (!event)
                continue;
            event->setFlags(0);
            if (event->getInteger(tag::DISCNT) == 0)
                event->setInteger(tag::DISCNT, 1);
            if (!event->hasChild(tag::SEX))
                event->setText(tag::SEX, "X");
            if (!event->hasChild(tag::TYPE))
                event->setText(tag::TYPE, std::string(kDefaultRound));
            if (!indexes.events.emplace(event->id(), event).second) {
                addMessage("Duplicate EVENT id !", event->line(), false);
                event->setErrorState(esError);
            }
            const TLnxCollection* cats = event->findCollection(tag::CATS);
            for (int c = 0; cats && c < cats->childCount(); ++c) {
                TLnxObject* cat = cats->itemAt(c);
                if (!cat)
                    continue;
                if (!indexes.ageGroups.emplace(ageGroupKey(event->id(), cat->id()), cat).second) {
                    addMessage("Duplicate CAT id !", cat->line(), false);
                    cat->setErrorState(esError);
                    continue;
                }
                const auto [first, added] = indexes.firstAgeGroups.emplace(event->id(), cat);
                if (!added && idTextLess(cat->id(), first->second->id()))
                    first->second = cat;
            }
        }
    }
}

// Marks every event named by the EID of the owner's entries (flag 1) and results (flag 2) and returns the
// owner's flags for its club.
std::uint8_t TLenex::flagEvents(TLnxObject& owner, std::uint8_t flagsWhenEntries,
                                std::uint8_t flagsWhenResults, const CompetitionIndexes& indexes)
{
    std::uint8_t ownerFlags = 0;
    const std::pair<TLnxTagId, std::uint8_t> lists[] = {{tag::ENTRIES, lofHasEntries},
                                                        {tag::RESULTS, lofHasResults}};
    for (auto [listTag, eventFlag] : lists) {
        const TLnxCollection* list = owner.findCollection(listTag);
        if (!list || list->childCount() == 0)
            continue;
        ownerFlags |= listTag == tag::ENTRIES ? flagsWhenEntries : flagsWhenResults;
        for (int i = 0; i < list->childCount(); ++i) {
            const TLnxObject* item = list->itemAt(i);
            if (!item)
                continue;
            if (TLnxObject* event = lookUp(indexes.events, item->getInteger(tag::EID)))
                event->setFlags(event->flags() | eventFlag);
        }
    }
    return ownerFlags;
}

// The persons sorted by id, of equal ids only the first in the file; the others are returned, sorted.
std::vector<const TLnxObject*> TLenex::indexPersonIds(const TLnxCollection& clubs,
                                                      CompetitionIndexes& indexes)
{
    IdList& persons = indexes.persons;
    std::size_t count = 0;
    for (int c = 0; c < clubs.childCount(); ++c)
        if (TLnxObject* club = clubs.itemAt(c))
            count += static_cast<std::size_t>(club->findOrAddCollection(tag::PERSONS)->childCount());
    persons.reserve(count);
    for (int c = 0; c < clubs.childCount(); ++c) {
        const TLnxObject* club = clubs.itemAt(c);
        const TLnxCollection* list = club ? club->findCollection(tag::PERSONS) : nullptr;
        for (int p = 0; list && p < list->childCount(); ++p)
            if (TLnxObject* person = list->itemAt(p))
                persons.emplace_back(person->id(), person);
    }
    const auto byId = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::stable_sort(persons.begin(), persons.end(), byId);
    std::vector<const TLnxObject*> duplicates;
    for (std::size_t i = 1; i < persons.size(); ++i)
        if (persons[i].first == persons[i - 1].first)
            duplicates.push_back(persons[i].second);
    persons.erase(std::unique(persons.begin(), persons.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  persons.end());
    std::sort(duplicates.begin(), duplicates.end());
    return duplicates;
}

void TLenex::indexPersons(TLnxObject& competition, CompetitionIndexes& indexes)
{
    competition.setFlags(0);
    TLnxCollection* clubs = competition.findCollection(tag::CLUBS);
    if (!clubs)
        return;
    const std::vector<const TLnxObject*> duplicates = indexPersonIds(*clubs, indexes);
    for (int c = 0; c < clubs->childCount(); ++c) {
        TLnxObject* club = clubs->itemAt(c);
        if (!club)
            continue;
        std::uint8_t clubFlags = 0;
        const TLnxCollection* persons = club->findCollection(tag::PERSONS);
        for (int p = 0; p < persons->childCount(); ++p) {
            TLnxObject* person = persons->itemAt(p);
            if (!person)
                continue;
            if (std::binary_search(duplicates.begin(), duplicates.end(), person)) {
                addMessage("Duplicate PERSON id !", person->line(), false);
                person->setErrorState(esError);
                continue;
            }
            clubFlags |= flagEvents(*person, lofHasEntries | lofIndividualEntries,
                                    lofHasResults | lofIndividualResults, indexes);
        }
        const TLnxCollection* relays = club->findCollection(tag::RELAYS);
        for (int r = 0; relays && r < relays->childCount(); ++r)
            if (TLnxObject* relay = relays->itemAt(r))
                clubFlags |= flagEvents(*relay, lofHasEntries | lofRelayEntries,
                                        lofHasResults | lofRelayResults, indexes);
        club->setFlags(clubFlags);
        competition.setFlags(competition.flags() | clubFlags);
    }
}

void TLenex::selectCompetition(int index)
{
    FCurrentCompetitionIndex = index;
    FCurrentCompetition = nullptr;
    FPointTable = nullptr;
    FReferenceYear = 0;
    FPoolUnit.clear();
    if (const TLnxCollection* competitions = FRoot ? FRoot->findCollection(tag::COMPETITIONS) : nullptr) {
        if (index >= 0 && index < competitions->childCount())
            FCurrentCompetition = competitions->itemAt(index);
        if (FCurrentCompetition) {
            FPointTable = FCurrentCompetition->findObject(tag::POINTTABLE);
            base::TDateTime latest = 0;
            if (const TLnxCollection* periods = FCurrentCompetition->findCollection(tag::PERIODS))
                for (int p = 0; p < periods->childCount(); ++p)
                    if (TLnxObject* period = periods->itemAt(p))
                        latest = std::max(latest, period->getDate(tag::DATE));
            if (latest > 0)
                FReferenceYear = base::decodeDate(latest).year;
            FPoolUnit = FCurrentCompetition->getText(tag::PM);
        }
    }
    if (FPoolUnit.empty())
        FPoolUnit = "m";
}

const TLenex::CompetitionIndexes* TLenex::currentIndexes() const
{
    const auto index = static_cast<std::size_t>(FCurrentCompetitionIndex);
    return FCurrentCompetitionIndex >= 0 && index < FIndexes.size() ? &FIndexes[index] : nullptr;
}

TLnxObject* TLenex::personById(int id) const
{
    const CompetitionIndexes* indexes = currentIndexes();
    if (!indexes)
        return nullptr;
    const auto found = std::lower_bound(indexes->persons.begin(), indexes->persons.end(), id,
                                        [](const auto& entry, int key) { return entry.first < key; });
    return found != indexes->persons.end() && found->first == id ? found->second : nullptr;
}

TLnxObject* TLenex::eventById(int id) const
{
    const CompetitionIndexes* indexes = currentIndexes();
    return indexes ? lookUp(indexes->events, id) : nullptr;
}

TLnxObject* TLenex::ageGroupByIds(int eventId, int ageGroupId) const
{
    const CompetitionIndexes* indexes = currentIndexes();
    if (!indexes)
        return nullptr;
    if (TLnxObject* ageGroup = lookUp(indexes->ageGroups, ageGroupKey(eventId, ageGroupId)))
        return ageGroup;
    return ageGroupId == 0 ? lookUp(indexes->firstAgeGroups, eventId) : nullptr;
}

std::string TLenex::fileInformationText() const
{
    const TLnxObject* constructor = FRoot ? FRoot->findObject(tag::CONSTRUCTOR) : nullptr;
    const std::string firstLine = FInternalFormat
                                      ? "Internal used format,"
                                      : "LENEX version " + (FRoot ? FRoot->getText(tag::VERSION) : "");
    const std::string name = constructor ? constructor->getText(tag::NAME) : "";
    const std::string version = constructor ? constructor->getText(tag::VERSION) : "";
    return firstLine + " created with :\r\n" + name + ", version " + version;
}

} // namespace lanescope::lenex
