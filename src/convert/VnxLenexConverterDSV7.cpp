#include "convert/VnxLenexConverterDSV7.h"

#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "convert/Dsv7Values.h"
#include "lenex/LnxSwimStyle.h"

#include <algorithm>
#include <stdexcept>

namespace lanescope::convert {

using namespace lenex;

namespace {

using base::trimView;

// Fields of each record kind in the shortest layout of any version and list type: a last record without
// its closing ";" and with fewer fields was cut off in the middle.
int shortestLayout(Dsv7Kind kind)
{
    switch (kind) {
    case Dsv7Kind::Format:
    case Dsv7Kind::Meldeschluss:
    case Dsv7Kind::Meldegeld:
        return 2;
    case Dsv7Kind::Erzeuger:
    case Dsv7Kind::StartPn:
    case Dsv7Kind::StartSt:
        return 3;
    case Dsv7Kind::Veranstaltung:
    case Dsv7Kind::Abschnitt:
    case Dsv7Kind::Verein:
    case Dsv7Kind::Staffelperson:
        return 4;
    case Dsv7Kind::PnZwischenzeit:
    case Dsv7Kind::PnReaktion:
    case Dsv7Kind::Staffel:
        return 5;
    case Dsv7Kind::StZwischenzeit:
    case Dsv7Kind::StAbloese:
    case Dsv7Kind::StMeldung:
    case Dsv7Kind::Person:
        return 6;
    case Dsv7Kind::Pflichtzeit:
    case Dsv7Kind::PnMeldung:
        return 7;
    case Dsv7Kind::Wertung:
    case Dsv7Kind::Veranstaltungsort:
    case Dsv7Kind::Ansprechpartner:
        return 8;
    case Dsv7Kind::Ausrichter:
    case Dsv7Kind::PersonenErgebnis:
        return 9;
    case Dsv7Kind::Wettkampf:
    case Dsv7Kind::StaffelErgebnis:
        return 10;
    case Dsv7Kind::StErgebnis:
        return 13;
    case Dsv7Kind::PnErgebnis:
        return 16;
    default:
        return 1;
    }
}

int poolIndexOfLength(std::string_view length)
{
    const int metres = base::strToIntDef(trimView(length), 0);
    switch (metres) {
    case 25:
        return 0;
    case 33:
        return 3;
    case 16:
        return 4;
    default:
        return 1;
    }
}

void setTextWhenGiven(TLnxAbstractObject& target, TLnxTagId tag, std::string_view value)
{
    if (!value.empty())
        target.setText(tag, std::string(value));
}

// A CONTACT from an address record: name "Family, Given", then street, ZIP, city, nation, phone, fax, e-mail
// from the field given on.
void setContact(TLnxObject& contact, const Dsv7Fields& fields, int nameField, int streetField)
{
    const auto [name, firstName] = dsv7::splitName(fields[nameField]);
    setTextWhenGiven(contact, tag::NAME, name);
    setTextWhenGiven(contact, tag::FNAME, firstName);
    setTextWhenGiven(contact, tag::STREET, fields[streetField]);
    setTextWhenGiven(contact, tag::ZIP, fields[streetField + 1]);
    setTextWhenGiven(contact, tag::PLACE, fields[streetField + 2]);
    setTextWhenGiven(contact, tag::PHONE, fields[streetField + 4]);
    setTextWhenGiven(contact, tag::FAX, fields[streetField + 5]);
    setTextWhenGiven(contact, tag::EMAIL, fields[streetField + 6]);
}

std::string upper(std::string_view kind) { return base::asciiUpper(trimView(kind)); }

} // namespace

void TVnxLenexConverterDSV7::Load(const std::string& fileName)
{
    runGuarded("DSV7", [&] { convert(std::make_unique<TDsv7Reader>(fileName)); });
}

void TVnxLenexConverterDSV7::LoadBytes(std::string bytes)
{
    runGuarded("DSV7", [&] { convert(TDsv7Reader::fromBytes(std::move(bytes))); });
}

void TVnxLenexConverterDSV7::convert(std::unique_ptr<TDsv7Reader> reader)
{
    FReader = std::move(reader);
    FList = FReader->listType();
    FCompetition = nullptr;
    FReferenceYear = 0;
    FSessionsPerEvent = false;
    FEventCounter = 0;
    FRelayCounter = 0;
    FNextPersonId = 1;
    FEvents.clear();
    FEventByKey.clear();
    FCats.clear();
    FClubByName.clear();
    FClubByCode.clear();
    FPersons.clear();
    FPersonsByName.clear();
    FRelays.clear();
    FSwims.clear();
    FSwimIndex.clear();
    FEntryIndex.clear();
    FOnlyClub = nullptr;
    if (FList == Dsv7List::Unknown || FReader->version() < 6)
        throw std::runtime_error(base::languageText('S', 57));
    checkEnd();

    addHeader();
    addSessions();
    std::vector<std::pair<int, std::string>> qualifying;
    addEvents(qualifying);
    addCategories();
    if (FList == Dsv7List::Definition) {
        addFees();
        addLimitTimes();
    } else {
        addClubs();
        if (FList == Dsv7List::ClubEntries) {
            addEntries();
        } else {
            scanPersonIds();
            addResults();
            addResultDetails();
            finishSwims();
        }
    }
    FDocument.selectCompetition(FDocument.competitionCount() - 1);
}

// A list without its DATEIENDE record may have been cut off: it loads with a warning, unless its last record
// was cut in the middle, which would show a wrong value as if it were right.
void TVnxLenexConverterDSV7::checkEnd()
{
    if (FReader->complete())
        return;
    const Dsv7Record& last = FReader->records().back();
    if (!last.closed && Dsv7Fields(last.text).count() < shortestLayout(last.kind))
        throw std::runtime_error("Line " + std::to_string(last.line) +
                                 ": the record is cut off; the DSV file is incomplete.");
}

std::string TVnxLenexConverterDSV7::dateOf(const Dsv7Record& record, std::string_view field)
{
    std::string date = dsv7::dateText(field);
    if (date.empty() && !field.empty())
        FDocument.addMessage("the date \"" + std::string(field) +
                                 "\" is neither DD.MM.YYYY nor YYYY-MM-DD and is left out.",
                             record.line, true);
    return date;
}

void TVnxLenexConverterDSV7::addHeader()
{
    std::string software = "?";
    std::string softwareVersion;
    const Dsv7Record* meet = nullptr;
    for (const Dsv7Record& record : FReader->records()) {
        if (record.kind == Dsv7Kind::Erzeuger && software == "?") {
            const Dsv7Fields fields(record.text);
            software = fields.text(1);
            softwareVersion = fields.text(2);
        } else if (record.kind == Dsv7Kind::Veranstaltung && !meet) {
            meet = &record;
        }
    }
    NewDocument(software, softwareVersion, "DSV" + std::to_string(FReader->version()));
    if (!FReader->complete())
        FDocument.addMessage("The DSV file ends without its DATEIENDE record: it may be incomplete.", 0,
                             true);

    const Dsv7Fields meetFields(meet ? meet->text : std::string_view{});
    FCompetition = AddCompetition(meetFields.text(1), poolIndexOfLength(meetFields[3]));
    FLongCourse = FCompetition->poolIndex() == 1;
    setTextWhenGiven(*FCompetition, tag::PLACE, meetFields[2]);
    const std::string_view timing = meetFields[4];
    if (base::asciiSameText(timing, "HANDZEIT"))
        FCompetition->setText(tag::TI, "M1");
    else if (base::asciiSameText(timing, "AUTOMATISCH") || base::asciiSameText(timing, "HALBAUTOMATISCH"))
        FCompetition->setText(tag::TI, "A");
    FSessions = FCompetition->findCollection(tag::PERIODS);
    FClubs = FCompetition->findCollection(tag::CLUBS);

    std::string nation;
    for (const Dsv7Record& record : FReader->records()) {
        const Dsv7Fields fields(record.text);
        switch (record.kind) {
        case Dsv7Kind::Veranstalter:
            setTextWhenGiven(*FCompetition, tag::PROMOTER, fields[1]);
            break;
        case Dsv7Kind::Ausrichter:
            setTextWhenGiven(*FCompetition, tag::ORGANIZER, fields[1]);
            setContact(*FCompetition->findOrAddObject(tag::CONTACT), fields, 2, 3);
            if (nation.empty())
                nation = fields.text(6);
            break;
        case Dsv7Kind::Veranstaltungsort:
            setTextWhenGiven(*FCompetition, tag::POOLNAME, fields[1]);
            if (!fields[5].empty())
                nation = fields.text(5);
            break;
        case Dsv7Kind::AusschreibungImNetz:
            setTextWhenGiven(*FCompetition->findOrAddObject(tag::CONTACT), tag::INTERNET, fields[1]);
            break;
        case Dsv7Kind::Meldeschluss:
            if (std::string date = dateOf(record, fields[1]); !date.empty())
                FCompetition->setText(tag::DEADLINE, std::move(date));
            break;
        default:
            break;
        }
    }
    FCompetition->setText(tag::NATION, nation.empty() ? "GER" : nation);
}

void TVnxLenexConverterDSV7::addSessions()
{
    // Definition lists put doors and judges' meeting before the start.
    const int startField = FList == Dsv7List::Definition ? 5 : 3;
    for (const Dsv7Record& record : FReader->records()) {
        if (record.kind != Dsv7Kind::Abschnitt)
            continue;
        const Dsv7Fields fields(record.text);
        TLnxObject* session = FSessions->newItem();
        session->setInteger(tag::NUM, fields.number(1, 0));
        if (std::string date = dateOf(record, fields[2]); !date.empty())
            session->setText(tag::DATE, std::move(date));
        FReferenceYear = std::max(FReferenceYear, dsv7::yearOf(fields[2]));
        // "J": the start is a time after the end of the previous session, no daytime.
        if (!base::asciiSameText(fields[startField + 1], "J"))
            if (std::string time = dsv7::daytimeText(fields[startField]); !time.empty())
                session->setText(tag::TIME, std::move(time));
        session->addCollection(tag::EVENTS);
    }
    FSessionsPerEvent = FSessions->childCount() == 0;
}

TLnxObject* TVnxLenexConverterDSV7::SessionByNumber(int number)
{
    for (int i = 0; i < FSessions->childCount(); ++i)
        if (TLnxObject* session = FSessions->itemAt(i); session->getInteger(tag::NUM) == number)
            return session;
    if (FSessionsPerEvent || FSessions->childCount() == 0) {
        TLnxObject* session = FSessions->newItem();
        session->setInteger(tag::NUM, number);
        session->addCollection(tag::EVENTS);
        return session;
    }
    return FSessions->itemAt(FSessions->childCount() - 1);
}

void TVnxLenexConverterDSV7::addEvents(std::vector<std::pair<int, std::string>>& qualifying)
{
    for (const Dsv7Record& record : FReader->records())
        if (record.kind == Dsv7Kind::Wettkampf) {
            const Dsv7Fields fields(record.text);
            addEvent(fields);
            // Entry lists have no best-list class: the qualifying event stands one field earlier.
            const int field = FList == Dsv7List::ClubEntries ? 9 : 10;
            qualifying.emplace_back(fields.number(field, -1), upper(fields[field + 1]));
        }
    // Heats and finals are linked once every event is known: by number and kind, else by number alone when
    // one event has it.
    std::map<int, int> eventsWithNumber;
    for (const EventInfo& info : FEvents)
        ++eventsWithNumber[info.number];
    for (std::size_t i = 0; i < FEvents.size(); ++i) {
        const auto& [number, kind] = qualifying[i];
        int peid = -1;
        if (const auto found = FEventByKey.find({number, kind}); found != FEventByKey.end())
            peid = found->second->event->id();
        else if (number >= 0 && eventsWithNumber[number] == 1)
            for (const EventInfo& info : FEvents)
                if (info.number == number)
                    peid = info.event->id();
        FEvents[i].event->setInteger(tag::PEID, peid);
    }
}

void TVnxLenexConverterDSV7::addEvent(const Dsv7Fields& fields)
{
    EventInfo& info = FEvents.emplace_back();
    info.number = fields.number(1, 0);
    info.kind = upper(fields[2]);
    info.swimmers = std::max(1, fields.number(4, 1));
    info.distance = std::max(0, fields.number(5, 0));
    info.sex = dsv7::sexCode(fields[8]);
    if (info.sex.empty())
        info.sex = "X";
    TLnxObject* event = SessionByNumber(fields.number(3, 1))->findOrAddCollection(tag::EVENTS)->newItem();
    info.event = event;
    event->setId(++FEventCounter);
    event->setInteger(tag::NUM, info.number);
    event->setText(tag::TYPE, dsv7::roundType(info.kind));

    const std::string_view stroke = fields[6];
    const std::string_view exercise = fields[7];
    TSwimStyle style;
    style.relayCountIndex = relayCountIndexOf(info.swimmers);
    style.distanceIndex = distanceIndexOf(info.distance);
    style.strokeIndex = base::asciiSameText(exercise, "GL") ? dsv7::strokeIndexOf(stroke) : -1;
    if (style.strokeIndex >= 0 && style.relayCountIndex >= 0 && style.distanceIndex >= 0) {
        event->writeSwimStyle(style, dsv7::sexIndexOf(info.sex));
    } else {
        // Exercises, special strokes and lengths outside the fixed lists keep their numbers and get a name.
        event->setInteger(tag::DIS, info.distance);
        event->setText(tag::STR, std::string(kStrokeCodes[kSpecialStroke]));
        event->setText(tag::NAME, dsv7::styleName(info.swimmers, info.distance, stroke, exercise));
    }
    event->setInteger(tag::DISCNT, info.swimmers);
    event->setText(tag::SEX, info.sex);
    FEventByKey.try_emplace({info.number, info.kind}, &info);
}

void TVnxLenexConverterDSV7::addCategories()
{
    int order = 0;
    std::map<std::pair<const TLnxObject*, int>, bool> seen;
    for (const Dsv7Record& record : FReader->records()) {
        if (record.kind != Dsv7Kind::Wertung)
            continue;
        const Dsv7Fields fields(record.text);
        const auto found = FEventByKey.find({fields.number(1, 0), upper(fields[2])});
        const int id = fields.number(3, -1);
        // A ranking of an event the list lacks, a repeated one and one without a usable id have no place.
        if (found == FEventByKey.end() || id < 0 ||
            !seen.try_emplace({found->second->event, id}, true).second)
            continue;
        const EventInfo& event = *found->second;
        const dsv7::AgeBounds bounds =
            dsv7::ageBounds(fields[4], fields[5], fields[6], event.swimmers > 1, FReferenceYear);
        TLnxObject* cat = event.event->findOrAddCollection(tag::CATS)->newItem();
        cat->setId(id);
        setTextWhenGiven(*cat, tag::NAME, fields[8]);
        setTextWhenGiven(*cat, tag::SEX, dsv7::sexCode(fields[7]));
        cat->setInteger(tag::MIN, bounds.min);
        cat->setInteger(tag::MAX, bounds.max);
        FCats.try_emplace(id, CatInfo{cat, id, bounds.width, order++});
    }
}

void TVnxLenexConverterDSV7::addFees()
{
    std::map<int, int> eventFees;
    int individualFee = -1;
    int relayFee = -1;
    for (const Dsv7Record& record : FReader->records()) {
        if (record.kind != Dsv7Kind::Meldegeld)
            continue;
        const Dsv7Fields fields(record.text);
        const int amount = dsv7::moneyInHundredths(fields[2]);
        if (amount < 0)
            continue;
        if (base::asciiSameText(fields[1], "Wkmeldegeld"))
            eventFees.try_emplace(fields.number(3, -1), amount);
        else if (base::asciiSameText(fields[1], "Einzelmeldegeld"))
            individualFee = amount;
        else if (base::asciiSameText(fields[1], "Staffelmeldegeld"))
            relayFee = amount;
    }
    for (const EventInfo& info : FEvents) {
        const auto own = eventFees.find(info.number);
        const int fee = own != eventFees.end() ? own->second : info.swimmers > 1 ? relayFee : individualFee;
        if (fee < 0)
            continue;
        info.event->setInteger(tag::FEE, fee);
        info.event->findChild(tag::FEE)->setAttribute(lxaCURRENCY, "EUR");
    }
}

void TVnxLenexConverterDSV7::addLimitTimes()
{
    for (const Dsv7Record& record : FReader->records()) {
        if (record.kind != Dsv7Kind::Pflichtzeit)
            continue;
        const Dsv7Fields fields(record.text);
        const auto found = FEventByKey.find({fields.number(1, 0), upper(fields[2])});
        const TSwimTime time = dsv7::swimTime(fields[6]);
        if (found == FEventByKey.end() || time <= 0)
            continue;
        const EventInfo& event = *found->second;
        const dsv7::AgeBounds bounds =
            dsv7::ageBounds(fields[3], fields[4], fields[5], event.swimmers > 1, FReferenceYear);
        const std::string sex = dsv7::sexCode(fields[7]);
        const TLnxCollection* cats = event.event->findCollection(tag::CATS);
        for (int i = 0; cats && i < cats->childCount(); ++i) {
            TLnxObject* cat = cats->itemAt(i);
            if (cat->getInteger(tag::MIN) != bounds.min || cat->getInteger(tag::MAX) != bounds.max ||
                (!sex.empty() && !cat->getText(tag::SEX).empty() && cat->getText(tag::SEX) != sex))
                continue;
            cat->setLenexTime(FLongCourse ? tag::LCT : tag::SCT, tkLimit, time);
            break;
        }
    }
}

void TVnxLenexConverterDSV7::addClubs()
{
    for (const Dsv7Record& record : FReader->records()) {
        if (record.kind == Dsv7Kind::Verein) {
            TLnxObject* club = addClub(Dsv7Fields(record.text));
            if (!FOnlyClub)
                FOnlyClub = club;
        } else if (record.kind == Dsv7Kind::Ansprechpartner && FOnlyClub) {
            setContact(*FOnlyClub->findOrAddObject(tag::CONTACT), Dsv7Fields(record.text), 1, 2);
        }
    }
    // A club list without its VEREIN record still needs the club its swimmers belong to.
    if (!FOnlyClub && FList != Dsv7List::Results)
        FOnlyClub = ClubFor("", "");
}

TLnxObject* TVnxLenexConverterDSV7::addClub(const Dsv7Fields& fields)
{
    TLnxObject* club = FClubs->newItem();
    club->setText(tag::NAME, fields.text(1));
    if (fields.number(2, 0) != 0)
        club->setText(tag::CODE, fields.text(2));
    setTextWhenGiven(*club, tag::LSC, dsv7::associationCode(fields[3]));
    setTextWhenGiven(*club, tag::NATION, fields[4]);
    club->addCollection(tag::PERSONS);
    club->addCollection(tag::RELAYS);
    FClubByName.try_emplace(fields.text(1), club);
    if (const int code = fields.number(2, 0); code != 0)
        FClubByCode.try_emplace(std::to_string(code), club);
    return club;
}

// The club of a result row: the one of that exact name (foreign clubs share number 0, and one number was
// seen under two names), else the one with that number, else a new one.
TLnxObject* TVnxLenexConverterDSV7::ClubFor(std::string_view name, std::string_view number)
{
    if (const auto found = FClubByName.find(std::string(name)); found != FClubByName.end())
        return found->second;
    const int code = dsv7::numberOf(number, 0);
    if (code != 0)
        if (const auto found = FClubByCode.find(std::to_string(code)); found != FClubByCode.end())
            return found->second;
    TLnxObject* club = FClubs->newItem();
    club->setText(tag::NAME, std::string(name));
    if (code != 0)
        club->setText(tag::CODE, std::string(number));
    club->addCollection(tag::PERSONS);
    club->addCollection(tag::RELAYS);
    FClubByName.try_emplace(std::string(name), club);
    if (code != 0)
        FClubByCode.try_emplace(std::to_string(code), club);
    return club;
}

} // namespace lanescope::convert
