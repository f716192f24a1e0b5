#include "swim/BSSwLenexPersons.h"

#include "base/FormatSettings.h"
#include "base/NameCollation.h"
#include "base/Strings.h"
#include "base/TextCase.h"
#include "swim/LenexTexts.h"
#include "swim/SwimCodes.h"
#include "swim/SwimTime.h"
#include "swim/TextFormat.h"

#include <set>

namespace lanescope::swim {

namespace tag = lenex::tag;

namespace {

constexpr int kNoRank = 32767;

constexpr int compareNumbers(int a, int b) { return (a > b) - (a < b); }

bool startsWithText(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && base::sameText(text.substr(0, prefix.size()), prefix);
}

// The meet's NATION, or empty text outside a meet.
std::string meetNation(TLnxAbstractElement& node)
{
    const TLnxObject* meet = ancestorWithTag(node, tag::COMPETITION);
    return meet ? meet->getText(tag::NATION) : std::string();
}

// BIRTHDATE as a date; 0 when it is missing or no date.
TDateTime birthDateOf(TLnxObject& person)
{
    return person.isEmpty(tag::BIRTHDATE) ? 0 : person.getDate(tag::BIRTHDATE);
}

std::shared_ptr<IBSLenexPositions> positionsOf(TLnxObject& owner)
{
    auto positions = std::make_shared<TLnxPositions>(owner.findCollection(tag::POSITIONS));
    forEachItem(owner, tag::POSITIONS,
                [&](TLnxObject& position) { positions->add(std::make_shared<TLnxPosition>(position)); });
    positions->sort([](const IBSLenexPosition& a, const IBSLenexPosition& b) {
        return compareNumbers(a.legNumber(), b.legNumber());
    });
    return positions;
}

int eventNumberOf(const IBSLenexEntry& item)
{
    const auto event = item.event();
    return event ? event->number() : 0;
}

std::string swimStyleKeyOf(const IBSLenexEntry& item)
{
    const auto event = item.event();
    return event ? event->swimStyle()->sortKey(item.genderNumber()) : std::string();
}

template <class Collection> void sortEntries(Collection& items, int sortType)
{
    switch (sortType) {
    case lnsEventNumber:
        items.sort([](const IBSLenexEntry& a, const IBSLenexEntry& b) {
            return compareNumbers(eventNumberOf(a), eventNumberOf(b));
        });
        break;
    case lnsSwimStyle:
        items.sort([](const IBSLenexEntry& a, const IBSLenexEntry& b) {
            return swimStyleKeyOf(a).compare(swimStyleKeyOf(b));
        });
        break;
    case lnsEntryTime:
        items.sort([](const IBSLenexEntry& a, const IBSLenexEntry& b) {
            return compareNumbers(a.entryTime(), b.entryTime());
        });
        break;
    default:
        break;
    }
}

template <class View, class Collection>
std::shared_ptr<Collection> participantItems(TLnxObject& participant, TLnxTagId collectionTag, int sortType,
                                             TRoundFilter rounds)
{
    auto items = std::make_shared<Collection>(participant.findOrAddCollection(collectionTag));
    forEachItem(participant, collectionTag, [&](TLnxObject& item) {
        auto view = std::make_shared<View>(item);
        if (rounds == 0 || inNumberSet(rounds, roundNumberOf(view->event().get())))
            items->add(std::move(view));
    });
    sortEntries(*items, sortType);
    return items;
}

// Adds a view for every item with the event id in the collections with the tag of the club's participants.
template <class View, class Collection>
void addEventItems(Collection& items, const TLnxObject& club, TLnxTagId collectionTag, std::int32_t eventId)
{
    for (const TLnxTagId participants : {tag::PERSONS, tag::RELAYS})
        forEachItem(club, participants, [&](const TLnxObject& participant) {
            forEachItem(participant, collectionTag, [&](TLnxObject& item) {
                if (item.getInteger(tag::EID) == eventId)
                    items.add(std::make_shared<View>(item));
            });
        });
}

} // namespace

std::shared_ptr<IBSLenexEntries> participantEntries(TLnxObject& participant, int sortType,
                                                    TRoundFilter rounds)
{
    return participantItems<TLnxEntry, TLnxEntries>(participant, tag::ENTRIES, sortType, rounds);
}

std::shared_ptr<IBSLenexResults> participantResults(TLnxObject& participant, int sortType,
                                                    TRoundFilter rounds)
{
    return participantItems<TLnxResult, TLnxResults>(participant, tag::RESULTS, sortType, rounds);
}

std::shared_ptr<IBSLenexEntries> eventEntries(TLnxObject& event, const TLnxObject* club, int sortType)
{
    auto entries = std::make_shared<TLnxEntries>(&event);
    if (club) {
        addEventItems<TLnxEntry>(*entries, *club, tag::ENTRIES, event.id());
    } else if (const TLnxObject* meet = ancestorWithTag(event, tag::COMPETITION)) {
        forEachItem(*meet, tag::CLUBS, [&](const TLnxObject& each) {
            addEventItems<TLnxEntry>(*entries, each, tag::ENTRIES, event.id());
        });
    }
    sortEntries(*entries, sortType);
    return entries;
}

std::shared_ptr<IBSLenexResults> eventResults(TLnxObject& event)
{
    auto results = std::make_shared<TLnxResults>(&event);
    if (const TLnxObject* meet = ancestorWithTag(event, tag::COMPETITION))
        forEachItem(*meet, tag::CLUBS, [&](const TLnxObject& club) {
            addEventItems<TLnxResult>(*results, club, tag::RESULTS, event.id());
        });
    // Higher rank numbers first, so the unranked come first and the winner last; among the unranked the
    // higher status first.
    results->sort([](const IBSLenexResult& a, const IBSLenexResult& b) {
        if (const int byRank = compareNumbers(b.rank(), a.rank()); byRank != 0 || a.rank() != kNoRank)
            return byRank;
        return compareNumbers(b.statusNumber(), a.statusNumber());
    });
    return results;
}

// Club

std::string TLnxClub::code() const { return object().getText(tag::CODE); }

std::string TLnxClub::codeText() const
{
    std::string text;
    std::string previous;
    for (const std::string& piece : {nation(), lsc(), code()}) {
        if (piece.empty() || (!text.empty() && base::sameText(piece, previous)))
            continue;
        if (!text.empty())
            text += '.';
        text += piece;
        previous = piece;
    }
    return text;
}

std::shared_ptr<IBSLenexContact> TLnxClub::contact() const
{
    TLnxObject* contact = object().findObject(tag::CONTACT);
    return contact ? std::make_shared<TLnxContact>(*contact) : nullptr;
}

std::string TLnxClub::lsc() const { return object().getText(tag::LSC); }

std::string TLnxClub::name() const { return object().getText(tag::NAME); }

std::string TLnxClub::nameText() const
{
    const std::string codes = codeText();
    return codes.empty() ? name() : name() + formatText(" (%s)", {codes});
}

std::string TLnxClub::nation() const
{
    const std::string& nation = object().getText(tag::NATION);
    return nation.empty() ? meetNation(object()) : nation;
}

int TLnxClub::clubTypeNumber() const
{
    const std::string& type = object().getText(tag::TYPE);
    if (startsWithText(type, "NATION"))
        return 3;
    if (startsWithText(type, "REGION"))
        return 2;
    return nation() == code() ? 3 : 0;
}

std::shared_ptr<IBSLenexAthletes> TLnxClub::athletes() const
{
    return std::make_shared<TLnxAthletes>(object());
}

std::shared_ptr<IBSLenexRelays> TLnxClub::relays() const
{
    auto relays = std::make_shared<TLnxRelays>(object().findCollection(tag::RELAYS));
    forEachItem(object(), tag::RELAYS,
                [&](TLnxObject& relay) { relays->add(std::make_shared<TLnxRelay>(relay)); });
    return relays;
}

std::shared_ptr<IBSLenexTeams> TLnxClub::teams() const
{
    auto teams = std::make_shared<TLnxTeams>(object().findCollection(tag::TEAMS));
    forEachItem(object(), tag::TEAMS,
                [&](TLnxObject& team) { teams->add(std::make_shared<TLnxTeam>(team)); });
    return teams;
}

int TLnxClub::athleteCount(TGenderSet genders) const
{
    const Statistics& counts = statistics();
    int sum = 0;
    for (int gender = 1; gender <= 2; ++gender)
        if (inNumberSet(genders, gender))
            sum += counts.athletes[gender - 1];
    return sum;
}

int TLnxClub::startCount(TGenderSet genders, bool relay) const
{
    const Statistics& counts = statistics();
    int sum = 0;
    for (int gender = 1; gender <= 3; ++gender)
        if (inNumberSet(genders, gender))
            sum += counts.starts[gender - 1][relay ? 1 : 0];
    return sum;
}

int TLnxClub::medalCount(TGenderSet genders, int place) const
{
    if (place < 1 || place > 3)
        return 0;
    const Statistics& counts = statistics();
    int sum = 0;
    for (int gender = 1; gender <= 3; ++gender)
        if (inNumberSet(genders, gender))
            sum += counts.medals[gender - 1][place - 1];
    return sum;
}

void TLnxClub::remove()
{
    if (lenex::TLnxAbstractObject* clubs = node()->parent())
        clubs->removeChild(node());
}

const TLnxClub::Statistics& TLnxClub::statistics() const
{
    if (FStatistics.computed)
        return FStatistics;
    FStatistics.computed = true;
    forEachItem(object(), tag::PERSONS, [&](TLnxObject& person) {
        const TLnxAthlete athlete(person);
        const int gender = athlete.genderNumber();
        if (gender == 1 || gender == 2)
            ++FStatistics.athletes[gender - 1];
        countStarts(gender, 0, *athlete.results(lnsSwimStyle, 0),
                    *athlete.entries(lnsSwimStyle, numberSet({lrTimedFinal, lrPrelims})));
    });
    forEachItem(object(), tag::RELAYS, [&](TLnxObject& node) {
        const TLnxRelay relay(node);
        countStarts(relay.genderNumber(), 1, *relay.results(lnsSwimStyle, 0),
                    *relay.entries(lnsSwimStyle, numberSet({lrTimedFinal, lrPrelims})));
    });
    return FStatistics;
}

// One start per event, from the timed final or prelims result, else from such an entry; medals from timed
// finals and finals only, so heats and final of one event give one start and the final's medal.
void TLnxClub::countStarts(int genderNumber, int kind, IBSLenexResults& results,
                           IBSLenexEntries& entries) const
{
    const std::size_t gender = static_cast<std::size_t>(genderNumber - 1);
    std::set<std::int32_t> counted;
    for (results.reset(); results.hasCurrent(); results.advance()) {
        const auto result = results.current();
        const auto event = result->event();
        if (!event)
            continue;
        const int round = event->roundNumber();
        if ((round == lrTimedFinal || round == lrPrelims) && counted.insert(event->id()).second)
            ++FStatistics.starts[gender][static_cast<std::size_t>(kind)];
        if ((round == lrTimedFinal || round == lrFinal) && result->rank() >= 1 && result->rank() <= 3)
            ++FStatistics.medals[gender][static_cast<std::size_t>(result->rank() - 1)];
    }
    for (entries.reset(); entries.hasCurrent(); entries.advance())
        if (const auto event = entries.current()->event(); event && counted.insert(event->id()).second)
            ++FStatistics.starts[gender][static_cast<std::size_t>(kind)];
}

// Clubs

TLnxClubs::TLnxClubs(TLnxCollection* clubs, int sortType)
    : TLnxManagedCollection(clubs)
{
    if (!clubs)
        return;
    for (const auto& child : clubs->children())
        if (TLnxObject* club = child->asObject())
            add(std::make_shared<TLnxClub>(*club));
    if (sortType == lcsName)
        sort([](const IBSLenexClub& a, const IBSLenexClub& b) {
            return base::compareNames(a.name(), b.name());
        });
    else if (sortType == lcsCodeText)
        sort([](const IBSLenexClub& a, const IBSLenexClub& b) {
            return base::compareText(a.codeText(), b.codeText());
        });
}

std::shared_ptr<IBSLenexClub> TLnxClubs::findByName(const IBSLenexClub& club)
{
    const std::string name = club.name();
    for (int index = 0; index < count(); ++index)
        if (auto candidate = at(index); base::sameText(candidate->name(), name)) {
            setCursor(index);
            return candidate;
        }
    return nullptr;
}

std::shared_ptr<IBSLenexClub> TLnxClubs::appendCopy(const ILnxAbstractObject& club)
{
    const TLnxAbstractElement* source = club.node();
    TLnxAbstractElement* clubs = node();
    if (!clubs || !source || source->tag() != tag::CLUB || !source->isObjectNode())
        return nullptr;
    TLnxAbstractElement* copy = clubs->asAbstractObject()->addChild(source->clone());
    auto view = std::make_shared<TLnxClub>(*copy->asObject());
    add(view);
    return view;
}

// Athlete

TDateTime TLnxAthlete::birthDate() const
{
    if (const TDateTime date = birthDateOf(object()); date != 0)
        return date;
    const int year = object().getInteger(tag::YOB);
    return year >= 1850 && year <= 2050 ? base::encodeDate(year, 1, 1) : 0;
}

std::string TLnxAthlete::birthText(bool yearOnly) const
{
    const TDateTime date = birthDateOf(object());
    if (date == 0)
        return object().getText(tag::YOB);
    return base::formatDateTime(yearOnly ? "yyyy" : "ddddd", date);
}

std::shared_ptr<IBSLenexEntries> TLnxAthlete::entries(int sortType, TRoundFilter rounds) const
{
    return participantEntries(object(), sortType, rounds);
}

std::string TLnxAthlete::firstName() const { return base::trim(object().getText(tag::FNAME)); }

std::string TLnxAthlete::fullName() const
{
    const std::uint8_t flags = TLnxSettings::instance().flags;
    const std::string family =
        flags & TLnxSettings::FamilyNameCapitals ? base::upperCase(familyName()) : familyName();
    return flags & TLnxSettings::FamilyNameFirst ? family + ' ' + firstName() : firstName() + ' ' + family;
}

std::string TLnxAthlete::fullNameWithBirth() const { return fullName() + ", " + birthText(false); }

std::int32_t TLnxAthlete::id() const { return object().id(); }

std::string TLnxAthlete::familyName() const { return base::trim(object().getText(tag::NAME)); }

std::string TLnxAthlete::licence() const { return object().getText(tag::LICENSE); }

std::string TLnxAthlete::clubNation() const
{
    if (const TLnxObject* club = ancestorWithTag(object(), tag::CLUB))
        if (const std::string& nation = club->getText(tag::NATION); !nation.empty())
            return nation;
    return meetNation(object());
}

std::string TLnxAthlete::nation() const
{
    const std::string& nation = object().getText(tag::NATION);
    return nation.empty() ? clubNation() : nation;
}

std::string TLnxAthlete::passport() const { return object().getText(tag::PASSPORT); }

std::shared_ptr<IBSLenexResults> TLnxAthlete::results(int sortType, TRoundFilter rounds) const
{
    return participantResults(object(), sortType, rounds);
}

int TLnxAthlete::genderNumber() const { return genderNumberOf(object()); }

TLnxAthletes::TLnxAthletes(TLnxObject& club)
    : TLnxManagedCollection(club.findCollection(tag::PERSONS))
{
    forEachItem(club, tag::PERSONS, [&](TLnxObject& person) { add(std::make_shared<TLnxAthlete>(person)); });
}

void TLnxAthletes::reset()
{
    setCursor(0);
    sort([](const IBSLenexAthlete& a, const IBSLenexAthlete& b) {
        return base::compareNames(a.fullName(), b.fullName());
    });
}

// Relay

std::string TLnxRelay::ageText() const
{
    TLnxObject* ageGroup = object().findObject(tag::CAT);
    return ageGroup ? TLnxAgeGroup(*ageGroup).ageText() : std::string();
}

std::shared_ptr<IBSLenexEntries> TLnxRelay::entries(int sortType, TRoundFilter rounds) const
{
    return participantEntries(object(), sortType, rounds);
}

std::string TLnxRelay::nameText(bool withGender) const
{
    std::string text = relayName(object());
    if (withGender)
        text += ", " + genderText(genderNumber() - 1, true);
    return text;
}

int TLnxRelay::number() const { return object().getInteger(tag::NUM); }

std::shared_ptr<IBSLenexResults> TLnxRelay::results(int sortType, TRoundFilter rounds) const
{
    return participantResults(object(), sortType, rounds);
}

int TLnxRelay::genderNumber() const { return genderNumberOf(object()); }

// Position

std::shared_ptr<IBSLenexAthlete> TLnxPosition::athlete() const
{
    const auto meet = meetOf(object());
    return meet ? meet->athleteById(athleteId()) : nullptr;
}

std::int32_t TLnxPosition::athleteId() const { return object().getInteger(tag::PID); }

int TLnxPosition::legNumber() const { return object().getInteger(tag::NUM); }

int TLnxPosition::reactionTime() const { return reactionTimeOf(object()); }

int TLnxPosition::statusNumber() const { return statusNumberOf(object().getText(tag::CODE)); }

// Entry and result

template <class Interface> TLnxObject* TLnxEntryResult<Interface>::participant() const
{
    for (TLnxAbstractElement* node = this->node()->parent(); node; node = node->parent())
        if (node->tag() == tag::PERSON || node->tag() == tag::RELAY)
            return node->asObject();
    return nullptr;
}

template <class Interface> std::string TLnxEntryResult<Interface>::birthText(bool yearOnly) const
{
    TLnxObject* owner = participant();
    return owner && owner->tag() == tag::PERSON ? TLnxAthlete(*owner).birthText(yearOnly) : std::string();
}

template <class Interface> std::shared_ptr<IBSLenexAthlete> TLnxEntryResult<Interface>::athlete() const
{
    TLnxObject* owner = participant();
    return owner && owner->tag() == tag::PERSON ? std::make_shared<TLnxAthlete>(*owner) : nullptr;
}

template <class Interface> std::string TLnxEntryResult<Interface>::clubCodeText() const
{
    TLnxObject* club = ancestorWithTag(this->object(), tag::CLUB);
    return club ? TLnxClub(*club).codeText() : std::string();
}

template <class Interface> int TLnxEntryResult<Interface>::genderNumber() const
{
    const TLnxObject* owner = participant();
    return owner ? genderNumberOf(*owner) : gdMixed + 1;
}

template <class Interface> std::int32_t TLnxEntryResult<Interface>::entryTime() const
{
    return swimTimeToMilliseconds(entryNode().getLenexTime(tag::TIME, lenex::tkEntry));
}

template <class Interface> std::string TLnxEntryResult<Interface>::entryTimeText() const
{
    return formatMilliseconds(entryTime(), true);
}

template <class Interface> std::shared_ptr<IBSLenexEvent> TLnxEntryResult<Interface>::event() const
{
    if (!FEventLookedUp) {
        FEventLookedUp = true;
        if (const auto meet = meetOf(this->object()))
            FEvent = meet->eventById(this->object().getInteger(tag::EID));
    }
    return FEvent;
}

template <class Interface> int TLnxEntryResult<Interface>::heat() const
{
    return entryNode().getInteger(tag::HEAT);
}

template <class Interface> int TLnxEntryResult<Interface>::lane() const
{
    return entryNode().getInteger(tag::LANE);
}

template <class Interface> std::string TLnxEntryResult<Interface>::entryTimeDateText() const
{
    const TDateTime date = entryNode().findOrAddObject(tag::MEETINFO)->getDate(tag::DATE);
    return date == 0 ? std::string() : base::formatDateTime("ddddd", date);
}

template <class Interface> std::string TLnxEntryResult<Interface>::entryTimePlaceText() const
{
    const TLnxObject* meetInfo = entryNode().findObject(tag::MEETINFO);
    if (!meetInfo)
        return {};
    const std::string& nation = meetInfo->getText(tag::NATION);
    const std::string& place = meetInfo->getText(tag::PLACE);
    return nation.empty() ? place : place + formatText(" (%s)", {nation});
}

template <class Interface> std::string TLnxEntryResult<Interface>::participantName(bool withGender) const
{
    TLnxObject* owner = participant();
    if (!owner)
        return {};
    return owner->tag() == tag::RELAY ? TLnxRelay(*owner).nameText(withGender)
                                      : TLnxAthlete(*owner).fullName();
}

template <class Interface>
std::shared_ptr<IBSLenexPositions> TLnxEntryResult<Interface>::relayPositions() const
{
    return positionsOf(this->object());
}

template class TLnxEntryResult<IBSLenexEntry>;
template class TLnxEntryResult<IBSLenexResult>;

TLnxObject& TLnxResult::entryNode() const
{
    if (FEntry)
        return *FEntry;
    TLnxObject* owner = participant();
    if (!owner)
        return *(FEntry = &object());
    const std::int32_t eventId = object().getInteger(tag::EID);
    TLnxCollection* entries = owner->findOrAddCollection(tag::ENTRIES);
    for (const auto& child : entries->children())
        if (TLnxObject* entry = child->asObject(); entry && entry->getInteger(tag::EID) == eventId)
            return *(FEntry = entry);
    FEntry = entries->newItem();
    FEntry->setInteger(tag::EID, eventId);
    return *FEntry;
}

std::int32_t TLnxResult::ageGroupId() const { return object().getInteger(tag::CID); }

std::string TLnxResult::comment() const { return object().getText(tag::COMMENT); }

std::string TLnxResult::fine() const { return object().getText(tag::FINE); }

int TLnxResult::rank() const
{
    const int rank = object().getInteger(tag::RANK);
    return rank > 0 ? rank : kNoRank;
}

std::string TLnxResult::placeText() const
{
    if (const std::string& code = object().getText(tag::CODE); !code.empty())
        return statusCodeText(code);
    if (const int rank = object().getInteger(tag::RANK); rank > 0)
        return formatText("%d.", {rank});
    return {};
}

int TLnxResult::points() const { return object().getInteger(tag::POINTS); }

int TLnxResult::reactionTime() const { return reactionTimeOf(object()); }

std::shared_ptr<IBSLenexSplits> TLnxResult::splits() const
{
    return std::make_shared<TLnxSplits>(object().findCollection(tag::SPLITS));
}

int TLnxResult::statusNumber() const
{
    const int status = statusNumberOf(object().getText(tag::CODE));
    if (status == 0 && object().getLenexTime(tag::TIME, lenex::tkAny) != 0 &&
        object().getTimeKind(tag::TIME) != lenex::tkValid)
        return 2;
    return status;
}

std::int32_t TLnxResult::resultTime() const
{
    return swimTimeToMilliseconds(object().getLenexTime(tag::TIME, lenex::tkAny));
}

std::string TLnxResult::resultTimeText() const { return formatMilliseconds(resultTime(), false); }

// Splits

int TLnxSplit::distance() const { return base::strToIntDef(node()->getAttribute(lenex::lxaDIS), 0); }

std::int32_t TLnxSplit::time() const
{
    return swimTimeToMilliseconds(lenex::lenexTimeRead(node()->asData()->value(), lenex::tkAny));
}

std::string TLnxSplit::timeText() const { return formatMilliseconds(time(), false); }

TLnxSplits::TLnxSplits(TLnxCollection* splits)
    : TLnxManagedCollection(splits)
{
    if (!splits)
        return;
    for (const auto& child : splits->children())
        if (TLnxDataElement* split = child->asData())
            add(std::make_shared<TLnxSplit>(*split));
    sort([](const IBSLenexSplit& a, const IBSLenexSplit& b) {
        return compareNumbers(a.distance(), b.distance());
    });
}

std::int32_t TLnxSplits::timeAt(int distance) const
{
    for (int index = 0; index < count(); ++index)
        if (const auto split = at(index); split->distance() == distance)
            return split->time();
    return 0;
}

std::int32_t TLnxSplits::timeBetween(int from, int to) const
{
    bool fromMet = from == 0;
    bool toMet = false;
    std::int32_t time = 0;
    for (int index = 0; index < count(); ++index) {
        const auto split = at(index);
        if (!fromMet && split->distance() == from) {
            time -= split->time();
            fromMet = true;
        }
        if (!toMet && split->distance() == to) {
            time += split->time();
            toMet = true;
        }
    }
    return fromMet && toMet ? time : 0;
}

// League team

int TLnxTeam::genderNumber() const { return genderNumberOf(object()); }

int TLnxTeam::number() const { return object().getInteger(tag::NUM); }

std::shared_ptr<IBSLenexTeamAthletes> TLnxTeam::members() const
{
    auto members = std::make_shared<TLnxTeamAthletes>(object().findCollection(tag::ENTRIES));
    forEachItem(object(), tag::ENTRIES,
                [&](TLnxObject& entry) { members->add(std::make_shared<TLnxTeamAthlete>(entry)); });
    return members;
}

int TLnxTeam::leagueNumber() const
{
    const std::string& code = object().getText(tag::CODE);
    if (base::sameText(code, "NACHWUCHS"))
        return 1;
    if (base::sameText(code, "PROMOTION"))
        return 2;
    return 3;
}

std::int32_t TLnxTeamAthlete::athleteId() const { return object().getInteger(tag::PID); }

// League events are numbered by gender and member: ((gender number - 1) * 100 + NUM) * 10.
std::shared_ptr<IBSLenexResult> TLnxTeamAthlete::result() const
{
    const auto meet = meetOf(object());
    const auto athlete = meet ? meet->athleteById(athleteId()) : nullptr;
    if (!athlete)
        return nullptr;
    const std::int32_t eventId = ((athlete->genderNumber() - 1) * 100 + object().getInteger(tag::NUM)) * 10;
    const auto results = athlete->results(lnsEventNumber, 0);
    for (results->reset(); results->hasCurrent(); results->advance())
        if (const auto event = results->current()->event(); event && event->id() == eventId)
            return results->current();
    return nullptr;
}

// Contact

std::string TLnxContact::city() const { return object().getText(tag::PLACE); }

std::string TLnxContact::reserved() const { return {}; }

std::string TLnxContact::email() const { return object().getText(tag::EMAIL); }

std::string TLnxContact::fax() const { return object().getText(tag::FAX); }

std::string TLnxContact::firstName() const { return object().getText(tag::FNAME); }

std::string TLnxContact::fullName() const { return base::trim(firstName() + ' ' + name()); }

std::string TLnxContact::internet() const { return object().getText(tag::INTERNET); }

std::string TLnxContact::name() const { return object().getText(tag::NAME); }

std::string TLnxContact::mobile() const { return object().getText(tag::MOBILE); }

std::string TLnxContact::phone() const { return object().getText(tag::PHONE); }

std::string TLnxContact::state() const { return object().getText(tag::STATE); }

std::string TLnxContact::street() const { return object().getText(tag::STREET); }

std::string TLnxContact::street2() const { return object().getText(tag::STREET2); }

std::string TLnxContact::zip() const { return object().getText(tag::ZIP); }

} // namespace lanescope::swim
