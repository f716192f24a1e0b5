#include "swim/BSSwLenexImp.h"

#include "base/FormatSettings.h"
#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "base/TextCase.h"
#include "swim/AgeRange.h"
#include "swim/BSSwLenexPersons.h"
#include "swim/SwimCodes.h"
#include "swim/SwimStyle.h"
#include "swim/SwimTime.h"
#include "swim/TextFormat.h"

#include <cmath>
#include <ctime>
#include <iterator>

namespace lanescope::swim {

namespace tag = lenex::tag;

namespace {

// Round codes by round number 1 to 8; "SOF" is read as round 2 besides.
constexpr std::string_view kRoundCodes[] = {"PRE", "SOP", "FI4", "SO4", "SEM", "SOS", "FHT", "FIN"};

// The session name format when the language has none.
constexpr std::string_view kSessionNameFallback = "Session %d";

constexpr int compareNumbers(double a, double b) { return (a > b) - (a < b); }

TDateTime currentLocalDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return base::encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           base::encodeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

void addEvents(TLnxEvents& events, const TLnxObject& period, TRoundFilter rounds)
{
    forEachItem(period, tag::EVENTS, [&](TLnxObject& event) {
        if (rounds == 0 || inNumberSet(rounds, roundNumberOf(event.getText(tag::TYPE))))
            events.add(std::make_shared<TLnxEvent>(event));
    });
}

void sortEvents(TLnxEvents& events, int sortType)
{
    switch (sortType) {
    case lesNumber:
        events.sort([](const IBSLenexEvent& a, const IBSLenexEvent& b) {
            return compareNumbers(a.number(), b.number());
        });
        break;
    case lesSwimStyle:
        events.sort([](const IBSLenexEvent& a, const IBSLenexEvent& b) {
            return a.swimStyle()->sortKey(a.genderNumber()).compare(b.swimStyle()->sortKey(b.genderNumber()));
        });
        break;
    case lesSortKey:
        events.sort(
            [](const IBSLenexEvent& a, const IBSLenexEvent& b) { return a.sortKey().compare(b.sortKey()); });
        break;
    default:
        break;
    }
}

} // namespace

TLnxSettings& TLnxSettings::instance()
{
    static TLnxSettings settings;
    return settings;
}

// Helpers

TLnxObject* ancestorWithTag(TLnxAbstractElement& node, TLnxTagId tag)
{
    for (TLnxAbstractElement* current = &node; current; current = current->parent())
        if (current->tag() == tag && current->isObjectNode())
            return current->asObject();
    return nullptr;
}

std::shared_ptr<IBSLenexMeet> meetOf(TLnxAbstractElement& node)
{
    TLnxObject* meet = ancestorWithTag(node, tag::COMPETITION);
    return meet ? std::make_shared<TLnxMeet>(*meet) : nullptr;
}

TLnxObject* findItemById(const TLnxObject& parent, TLnxTagId collectionTag, std::int32_t id)
{
    for (const auto& child : parent.children())
        if (child->tag() == collectionTag && child->isCollection())
            for (const auto& item : child->asCollection()->children())
                if (TLnxObject* object = item->asObject(); object && object->id() == id)
                    return object;
    return nullptr;
}

int roundNumberOf(std::string_view type)
{
    if (base::sameText(type, "SOF"))
        return lrSwimOffPrelims;
    for (int round = lrFinal; round >= lrPrelims; --round)
        if (base::sameText(type, kRoundCodes[round - 1]))
            return round;
    return lrTimedFinal;
}

int roundNumberOf(const IBSLenexEvent* event) { return event ? event->roundNumber() : -1; }

int genderNumberOf(const TLnxObject& node) { return genderOf(node.getText(tag::SEX)) + 1; }

int reactionTimeOf(const TLnxObject& node)
{
    constexpr int kNoReactionTime = -32768;
    const std::optional<double> seconds = base::parseDecimal(node.getText(tag::RT));
    if (!seconds || !(std::fabs(*seconds) < 1e6))
        return kNoReactionTime;
    return static_cast<int>(std::lround(*seconds * 100));
}

std::shared_ptr<ILnxAbstractObject> createLenexView(TLnxAbstractElement& node)
{
    if (TLnxDataElement* data = node.asData())
        return node.tag() == tag::SPLIT ? std::make_shared<TLnxSplit>(*data) : nullptr;
    TLnxObject* object = node.asObject();
    if (!object)
        return nullptr;
    switch (node.tag()) {
    case tag::COMPETITION:
        return std::make_shared<TLnxMeet>(*object);
    case tag::PERIOD:
        return std::make_shared<TLnxSession>(*object);
    case tag::EVENT:
        return std::make_shared<TLnxEvent>(*object);
    case tag::CAT:
        return std::make_shared<TLnxAgeGroup>(*object);
    case tag::POINTTABLE:
        return std::make_shared<TLnxPointTable>(*object);
    case tag::CLUB:
        return std::make_shared<TLnxClub>(*object);
    case tag::PERSON:
        return std::make_shared<TLnxAthlete>(*object);
    case tag::RELAY:
        return std::make_shared<TLnxRelay>(*object);
    case tag::POSITION:
        return std::make_shared<TLnxPosition>(*object);
    case tag::ENTRY: {
        const TLnxAbstractElement* entries = node.parent();
        if (entries && entries->parent() && entries->parent()->tag() == tag::TEAM)
            return std::make_shared<TLnxTeamAthlete>(*object);
        return std::make_shared<TLnxEntry>(*object);
    }
    case tag::RESULT:
        return std::make_shared<TLnxResult>(*object);
    case tag::TEAM:
        return std::make_shared<TLnxTeam>(*object);
    case tag::CONTACT:
        return std::make_shared<TLnxContact>(*object);
    default:
        return nullptr;
    }
}

// Meet

std::string TLnxMeet::nation() const { return object().getText(tag::NATION); }

void TLnxMeet::setNation(const std::string& nation) { object().setText(tag::NATION, nation); }

TDateTime TLnxMeet::ageDate() const
{
    if (object().hasChild(tag::AGEDATE))
        if (const TDateTime date = object().getDate(tag::AGEDATE); date != 0)
            return date;
    if (const auto first = sessions()->at(0))
        if (const TDateTime date = first->date(); date != 0)
            return date;
    return currentLocalDateTime();
}

std::shared_ptr<IBSLenexAthlete> TLnxMeet::athleteById(int id) const
{
    TLnxObject* found = nullptr;
    if (id != 0)
        forEachItem(object(), tag::CLUBS, [&](const TLnxObject& club) {
            if (!found)
                found = findItemById(club, tag::PERSONS, id);
        });
    return found ? std::make_shared<TLnxAthlete>(*found) : nullptr;
}

std::string TLnxMeet::place() const { return object().getText(tag::PLACE); }

std::string TLnxMeet::placeText() const
{
    if (nation().empty())
        return place();
    return formatText("%s  (%s)", {place(), nation()});
}

std::shared_ptr<IBSLenexClubs> TLnxMeet::clubs(int sortType) const
{
    return std::make_shared<TLnxClubs>(object().findCollection(tag::CLUBS), sortType);
}

std::shared_ptr<IBSLenexContact> TLnxMeet::contact() const
{
    TLnxObject* contact = object().findObject(tag::CONTACT);
    return contact ? std::make_shared<TLnxContact>(*contact) : nullptr;
}

int TLnxMeet::courseNumber() const { return object().courseNumber(); }

TLnxDateRange TLnxMeet::dateRange() const
{
    TLnxDateRange range{base::encodeDate(2099, 12, 31), 0};
    forEachItem(object(), tag::PERIODS, [&](TLnxObject& period) {
        if (const TDateTime date = period.getDate(tag::DATE); date != 0) {
            range.first = std::min(range.first, date);
            range.last = std::max(range.last, date);
        }
    });
    return range;
}

TDateTime TLnxMeet::deadline() const { return object().getDate(tag::DEADLINE); }

std::shared_ptr<IBSLenexEvent> TLnxMeet::eventById(int id) const
{
    TLnxObject* found = nullptr;
    if (id != 0)
        forEachItem(object(), tag::PERIODS, [&](const TLnxObject& period) {
            if (!found)
                found = findItemById(period, tag::EVENTS, id);
        });
    return found ? std::make_shared<TLnxEvent>(*found) : nullptr;
}

std::shared_ptr<IBSLenexEvents> TLnxMeet::events(TRoundFilter rounds, int sortType) const
{
    auto events = std::make_shared<TLnxEvents>(&object());
    forEachItem(object(), tag::PERIODS,
                [&](const TLnxObject& period) { addEvents(*events, period, rounds); });
    sortEvents(*events, sortType);
    return events;
}

int TLnxMeet::laneMin() const { return object().getInteger(tag::LANEMIN); }

int TLnxMeet::laneMax() const { return object().getInteger(tag::LANEMAX); }

std::string TLnxMeet::name() const { return object().getText(tag::NAME); }

std::string TLnxMeet::organizer() const { return object().getText(tag::ORGANIZER); }

std::shared_ptr<IBSLenexPointTable> TLnxMeet::pointTable() const
{
    return std::make_shared<TLnxPointTable>(*object().findOrAddObject(tag::POINTTABLE));
}

std::string TLnxMeet::poolName() const { return object().getText(tag::POOLNAME); }

std::string TLnxMeet::promoter() const { return object().getText(tag::PROMOTER); }

std::string TLnxMeet::poolUnit() const { return object().getText(tag::PM); }

std::shared_ptr<IBSLenexSessions> TLnxMeet::sessions() const
{
    auto sessions = std::make_shared<TLnxSessions>(&object());
    forEachItem(object(), tag::PERIODS,
                [&](TLnxObject& period) { sessions->add(std::make_shared<TLnxSession>(period)); });
    sessions->sort([](const IBSLenexSession& a, const IBSLenexSession& b) {
        return compareNumbers(a.number(), b.number());
    });
    return sessions;
}

std::string TLnxMeet::state() const { return object().getText(tag::STATE); }

int TLnxMeet::timing() const
{
    const std::string& code = object().getText(tag::TI);
    for (int position = static_cast<int>(std::size(lenex::kTimingCodes)) - 1; position >= 1; --position)
        if (base::sameText(code, lenex::kTimingCodes[position]))
            return position;
    return 0;
}

// Session

int TLnxSession::courseNumber() const
{
    if (object().hasChild(tag::PL) && object().hasChild(tag::PM))
        return object().courseNumber();
    const auto meet = meetOf(object());
    return meet ? meet->courseNumber() : 0;
}

std::string TLnxSession::poolText() const { return swim::poolText(lenex::poolIndexOfCourse(courseNumber())); }

std::shared_ptr<IBSLenexEvents> TLnxSession::events(TRoundFilter rounds, int sortType) const
{
    auto events = std::make_shared<TLnxEvents>(&object());
    addEvents(*events, object(), rounds);
    sortEvents(*events, sortType);
    return events;
}

int TLnxSession::sessionOrMeetInteger(TLnxTagId tag) const
{
    if (object().hasChild(tag))
        return object().getInteger(tag);
    const TLnxObject* meet = ancestorWithTag(object(), tag::COMPETITION);
    return meet ? meet->getInteger(tag) : 0;
}

int TLnxSession::laneMin() const { return sessionOrMeetInteger(tag::LANEMIN); }

int TLnxSession::laneMax() const { return sessionOrMeetInteger(tag::LANEMAX); }

std::string TLnxSession::name() const
{
    if (const std::string& name = object().getText(tag::NAME); !name.empty())
        return name;
    std::string format = base::languageText('S', 72);
    if (format.empty())
        format = kSessionNameFallback;
    return formatText(format, {number()}) + " - " + poolText();
}

int TLnxSession::number() const { return object().getInteger(tag::NUM); }

TDateTime TLnxSession::date() const { return object().getDate(tag::DATE); }

TDateTime TLnxSession::start() const { return date() + object().getTimeOfDay(tag::TIME); }

std::string TLnxSession::dateText() const
{
    std::string text = base::formatDateTime("dddddd", date());
    if (const TDateTime time = object().getTimeOfDay(tag::TIME); time > 0)
        text += ", " + base::formatDateTime("h:nn", time);
    return text;
}

// Event

std::shared_ptr<IBSLenexAgeGroups> TLnxEvent::ageGroups() const
{
    return std::make_shared<TLnxAgeGroups>(object());
}

std::string TLnxEvent::ageText() const
{
    const TLnxAgeGroups groups(object());
    return ageRangeText(groups.minAge(), groups.maxAge(), false, {}, gdMale, gdMale);
}

std::shared_ptr<IBSLenexEntries> TLnxEvent::entries(const IBSLenexClub* club, int sortType) const
{
    return eventEntries(object(), club && club->node() ? club->node()->asObject() : nullptr, sortType);
}

std::string TLnxEvent::title() const
{
    const TLnxSwimStyle style(object());
    return formatText("%d. %s %s, %s", {number(), style.distanceText(), style.strokeText(), genderText()});
}

std::string TLnxEvent::feeText() const
{
    const double fee = object().getFloat(tag::FEE);
    if (fee == 0)
        return "-";
    const std::string& currency = object().findChild(tag::FEE)->getAttribute(lenex::lxaCURRENCY);
    return formatText("%s %s", {currency, base::formatDecimal(fee, 2)});
}

int TLnxEvent::genderNumber() const { return genderNumberOf(object()); }

std::string TLnxEvent::genderText() const { return swim::genderText(genderNumber() - 1, true); }

std::int32_t TLnxEvent::id() const { return object().id(); }

int TLnxEvent::entryLimit() const
{
    const int limit = object().getInteger(tag::MAXENTRIES);
    return limit > 0 ? limit : 32767;
}

int TLnxEvent::number() const { return object().getInteger(tag::NUM); }

std::string TLnxEvent::numberText() const { return object().getText(tag::NUM) + "."; }

std::shared_ptr<IBSLenexEvent> TLnxEvent::relatedEvent() const
{
    const auto meet = meetOf(object());
    return meet ? meet->eventById(object().getInteger(tag::PEID)) : nullptr;
}

std::string TLnxEvent::sortKey() const
{
    const int minute = static_cast<int>(std::lround(time() * 1440));
    return formatText("%.6d_%.4d_%.5d_%.3d",
                      {object().getInteger(tag::ORDER), minute, number(), roundNumber()});
}

std::shared_ptr<IBSLenexResults> TLnxEvent::results() const { return eventResults(object()); }

int TLnxEvent::roundNumber() const { return roundNumberOf(object().getText(tag::TYPE)); }

std::string TLnxEvent::roundText() const { return swim::roundText(object().getText(tag::TYPE)); }

std::shared_ptr<IBSLenexSession> TLnxEvent::session() const
{
    TLnxObject* period = ancestorWithTag(object(), tag::PERIOD);
    return period ? std::make_shared<TLnxSession>(*period) : nullptr;
}

TDateTime TLnxEvent::time() const { return object().getTimeOfDay(tag::TIME); }

std::shared_ptr<IBSLenexSwimStyle> TLnxEvent::swimStyle() const
{
    return std::make_shared<TLnxSwimStyle>(object());
}

// Swim style

TLnxSwimStyle::TLnxSwimStyle(TLnxObject& event)
    : FStyle(event.readSwimStyle())
{
    FStyle.name = event.getText(tag::NAME);
    // The writer keeps the id of a special style on the STR element.
    if (const TLnxAbstractElement* stroke = event.findChild(tag::STR))
        FStyle.styleId = base::strToIntDef(stroke->getAttribute(lenex::lxaID), 0);
    if (const TLnxObject* meet = ancestorWithTag(event, tag::COMPETITION))
        if (const std::string_view unit = base::trimView(meet->getText(tag::PM)); !unit.empty())
            FUnit = unit.front();
}

int TLnxSwimStyle::distance() const
{
    const int index = FStyle.distanceIndex;
    return index >= 0 && index < static_cast<int>(std::size(lenex::kDistances)) ? lenex::kDistances[index]
                                                                                : 0;
}

int TLnxSwimStyle::styleId() const { return FStyle.styleId; }

bool TLnxSwimStyle::isRelay() const { return relayCount() > 1; }

int TLnxSwimStyle::relayCount() const
{
    const int index = FStyle.relayCountIndex;
    return index >= 0 && index < static_cast<int>(std::size(lenex::kRelayCounts)) ? lenex::kRelayCounts[index]
                                                                                  : 1;
}

int TLnxSwimStyle::strokeNumber() const
{
    // Stroke positions: freestyle, butterfly, backstroke, breaststroke, medley.
    constexpr int kNumbers[] = {1, 4, 2, 3, 5};
    const int index = FStyle.strokeIndex;
    return index >= 0 && index < static_cast<int>(std::size(kNumbers)) ? kNumbers[index] : 0;
}

std::string TLnxSwimStyle::distanceText() const
{
    std::string text;
    for (const char c : relayPrefix(FStyle.relayCountIndex))
        if (c != ' ')
            text.push_back(c);
    text += swim::distanceText(FStyle.distanceIndex);
    if (const std::size_t m = text.find('m'); m != std::string::npos)
        text[m] = FUnit;
    return text;
}

std::string TLnxSwimStyle::sortKey(int genderNumber) const
{
    return swimStyleSortKey(genderNumber - 1, FStyle);
}

std::string TLnxSwimStyle::strokeText() const
{
    return swim::strokeText(FStyle.strokeIndex, FStyle.relayCountIndex > 0);
}

std::string TLnxSwimStyle::fullText() const
{
    return FStyle.strokeIndex < 0 ? FStyle.name : distanceText() + ' ' + strokeText();
}

// Age group

int TLnxAgeGroup::ageDateYear() const
{
    const auto meet = meetOf(object());
    return meet ? base::decodeDate(meet->ageDate()).year : 0;
}

std::string TLnxAgeGroup::ageText() const
{
    return ageRangeText(minAge(), maxAge(), false, name(), gdMale, gdMale);
}

int TLnxAgeGroup::genderNumber() const
{
    if (!object().hasChild(tag::SEX))
        if (TLnxObject* event = ancestorWithTag(object(), tag::EVENT))
            return genderNumberOf(*event);
    return genderNumberOf(object());
}

std::int32_t TLnxAgeGroup::id() const { return object().id(); }

int TLnxAgeGroup::minAge() const
{
    const int latestBirthYear = object().getInteger(tag::MAX);
    return latestBirthYear == -1 ? 0 : ageDateYear() - latestBirthYear;
}

int TLnxAgeGroup::maxAge() const
{
    const int earliestBirthYear = object().getInteger(tag::MIN);
    return earliestBirthYear == -1 ? 999 : ageDateYear() - earliestBirthYear;
}

std::string TLnxAgeGroup::name() const { return object().getText(tag::NAME); }

std::string TLnxAgeGroup::limitTimeText(int courseNumber) const
{
    if (courseNumber == 0)
        if (TLnxObject* period = ancestorWithTag(object(), tag::PERIOD))
            courseNumber = TLnxSession(*period).courseNumber();
    TLnxTagId limit;
    switch (courseNumber) {
    case 1:
        limit = tag::LCT;
        break;
    case 2:
        limit = tag::SCT;
        break;
    default:
        return {};
    }
    return std::string(
        base::trimLeftView(formatSwimTime(object().getLenexTime(limit, lenex::tkLimit), false)));
}

TLnxAgeGroups::TLnxAgeGroups(TLnxObject& event)
    : TLnxManagedCollection(event.findCollection(tag::CATS))
{
    int smallest = 999;
    int largest = 0;
    forEachItem(event, tag::CATS, [&](TLnxObject& cat) {
        auto group = std::make_shared<TLnxAgeGroup>(cat);
        smallest = std::min(smallest, group->minAge());
        largest = std::max(largest, group->maxAge());
        add(std::move(group));
    });
    if (count() > 0) {
        FMinAge = smallest;
        FMaxAge = largest;
    }
}

// Point table

std::int32_t TLnxPointTable::id() const { return object().id(); }

std::string TLnxPointTable::name() const { return object().getText(tag::NAME); }

std::string TLnxPointTable::version() const { return object().getText(tag::VERSION); }

} // namespace lanescope::swim
