#include "lenex/LnxElement.h"

#include "lenex/LnxSwimStyle.h"

#include <gtest/gtest.h>

namespace lanescope::lenex {
namespace {

TEST(LnxElement, IntegerAndTextReadsNeverCreate)
{
    TLnxObject person(tag::PERSON);
    EXPECT_EQ(person.getInteger(tag::YOB), 0);
    EXPECT_EQ(person.getText(tag::NAME), "");
    EXPECT_EQ(person.getTimeKind(tag::TIME), 0);
    EXPECT_TRUE(person.isEmpty(tag::NUM));
    EXPECT_EQ(person.childCount(), 0);

    person.setText(tag::YOB, "19x5");
    EXPECT_EQ(person.getInteger(tag::YOB), 0);
    person.setInteger(tag::YOB, 2005);
    EXPECT_EQ(person.getText(tag::YOB), "2005");
    EXPECT_EQ(person.childCount(), 1);
}

TEST(LnxElement, DateTimeFloatAndLenexTimeReadsCreateTheChild)
{
    TLnxObject period(tag::PERIOD);
    EXPECT_EQ(period.getDate(tag::DATE), 0);
    EXPECT_TRUE(period.hasChild(tag::DATE));
    EXPECT_EQ(period.getTimeOfDay(tag::TIME), 0);
    EXPECT_EQ(period.getFloat(tag::FEE), 0);
    EXPECT_EQ(period.getLenexTime(tag::LCT, tkLimit), 0);
    EXPECT_EQ(period.childCount(), 4);
    // The newest created child is always last.
    EXPECT_EQ(period.childAt(3)->tag(), tag::LCT);
}

struct DateCase
{
    const char* text;
    int year, month, day; // 0 0 0: no date
};

TEST(LnxElement, DatesAndTimesOfDay)
{
    const DateCase dates[] = {
        {"20261107", 2026, 11, 7}, {"20240229", 2024, 2, 29}, {"20250230", 0, 0, 0},
        {"2026117", 0, 0, 0},      {"2026-11-07", 0, 0, 0},   {"", 0, 0, 0},
    };
    TLnxObject meet(tag::COMPETITION);
    for (const DateCase& c : dates) {
        meet.setText(tag::DEADLINE, c.text);
        const base::TDateTime date = meet.getDate(tag::DEADLINE);
        const base::TDateTime expected = c.year ? base::encodeDate(c.year, c.month, c.day) : 0;
        EXPECT_EQ(date, expected) << c.text;
    }
    meet.setDate(tag::DEADLINE, base::encodeDate(2026, 3, 9));
    EXPECT_EQ(meet.getText(tag::DEADLINE), "20260309");
    meet.setDate(tag::DEADLINE, 0);
    EXPECT_EQ(meet.getText(tag::DEADLINE), "");

    meet.setText(tag::TIME, "0930");
    EXPECT_EQ(meet.getTimeOfDay(tag::TIME), base::encodeTime(9, 30));
    meet.setText(tag::TIME, "2560");
    EXPECT_EQ(meet.getTimeOfDay(tag::TIME), 0);
    meet.setTimeOfDay(tag::TIME, base::encodeTime(17, 5));
    EXPECT_EQ(meet.getText(tag::TIME), "1705");
    meet.setTimeOfDay(tag::TIME, 0);
    EXPECT_EQ(meet.getText(tag::TIME), "");
}

TEST(LnxElement, FeeIsHundredths)
{
    TLnxObject event(tag::EVENT);
    event.setText(tag::FEE, "1250");
    EXPECT_DOUBLE_EQ(event.getFloat(tag::FEE), 12.5);
    event.setText(tag::FEE, "12.50");
    EXPECT_DOUBLE_EQ(event.getFloat(tag::FEE), 0);
}

TEST(LnxElement, LenexTimeRoundTrip)
{
    TLnxObject result(tag::RESULT);
    result.setLenexTime(tag::TIME, tkValid, 834050);
    EXPECT_EQ(result.getText(tag::TIME), "V00h01:23.45");
    EXPECT_EQ(result.getLenexTime(tag::TIME, tkValid), 834050);
    EXPECT_EQ(result.getLenexTime(tag::TIME, tkEntry), 0);
    EXPECT_EQ(result.getTimeKind(tag::TIME), tkValid);
}

TEST(LnxElement, Attributes)
{
    TLnxObject event(tag::EVENT);
    event.setAttribute(lxaTYPE, "x");
    event.setAttribute(lxaID, "5");
    event.setAttribute(lxaTYPE, "y");
    ASSERT_EQ(event.attributes().size(), 2u);
    EXPECT_EQ(event.attributes()[0].id, lxaTYPE);
    EXPECT_EQ(event.getAttribute(lxaTYPE), "y");
    EXPECT_EQ(event.attributeText(), "type=\"y\" id=\"5\"");
    EXPECT_EQ(event.attributeText(true), "type=\"y\"");
    event.removeAttribute(lxaTYPE);
    EXPECT_EQ(event.attributeText(), "id=\"5\"");
    EXPECT_EQ(event.getAttribute(lxaNATION), "");
    EXPECT_EQ(event.tagName(), "EVENT");
}

TEST(LnxElement, UnknownAttributesKeepTheirNamesThroughGrowthAndCopies)
{
    TLnxObject club(tag::CLUB);
    club.setNamedAttribute("xml:lang", "de");
    club.setNamedAttribute("ID", "7");
    club.setNamedAttribute("data-x", "1");
    club.setNamedAttribute("xml:lang", "fr");
    club.setAttribute(lxaTYPE, "t");
    club.setNamedAttribute("Distance", "50");
    const std::string all = "xml:lang=\"fr\" id=\"7\" data-x=\"1\" type=\"t\" dis=\"50\"";
    EXPECT_EQ(club.attributeText(), all);

    const auto copy = club.clone();
    club.removeAttribute(lxaUnknown);
    EXPECT_EQ(club.attributeText(), "id=\"7\" type=\"t\" dis=\"50\"");
    EXPECT_EQ(copy->attributeText(), all);
    EXPECT_EQ(copy->getNamedAttribute("data-x"), "1");
    EXPECT_EQ(copy->getNamedAttribute("DATA-X"), "");
}

TEST(LnxElement, FindRemoveAndFindByAttribute)
{
    TLnxCollection splits(tag::SPLITS);
    TLnxDataElement* fifty = splits.newDataItem();
    fifty->setAttribute(lxaDIS, "50");
    splits.newDataItem()->setAttribute(lxaDIS, "100");
    EXPECT_EQ(fifty->parent(), &splits);
    EXPECT_EQ(fifty->tag(), tag::SPLIT);
    EXPECT_EQ(splits.findChildByAttribute(lxaDIS, "50"), fifty);
    EXPECT_EQ(splits.findChildByAttribute(lxaDIS, "050"), nullptr);

    TLnxObject club(tag::CLUB);
    club.setText(tag::NAME, "A");
    TLnxCollection* persons = club.addCollection(tag::PERSONS);
    persons->newItem()->setId(7);
    EXPECT_EQ(club.findCollection(tag::PERSONS), persons);
    EXPECT_EQ(club.findObject(tag::NAME), nullptr);
    EXPECT_EQ(club.childAsObject(0), nullptr);
    EXPECT_NE(club.childAsData(0), nullptr);
    EXPECT_EQ(persons->itemAt(0)->id(), 7);
    club.removeChildByTag(tag::NAME);
    EXPECT_FALSE(club.hasChild(tag::NAME));
    club.removeChild(persons);
    EXPECT_EQ(club.childCount(), 0);
}

TEST(LnxElement, PruneEmptyDataAtEveryDepth)
{
    TLnxObject root(tag::LENEX);
    TLnxObject* meet = root.addCollection(tag::COMPETITIONS)->newItem();
    meet->setText(tag::NAME, "");
    meet->setText(tag::PLACE, "Bern");
    TLnxObject* event = meet->addCollection(tag::PERIODS)->newItem()->addCollection(tag::EVENTS)->newItem();
    event->setText(tag::NUM, "0");
    event->setText(tag::ORDER, "00");
    event->setText(tag::NAME, "");
    root.pruneEmptyData();

    EXPECT_FALSE(meet->hasChild(tag::NAME));
    EXPECT_EQ(meet->getText(tag::PLACE), "Bern");
    EXPECT_FALSE(event->hasChild(tag::NUM));
    EXPECT_FALSE(event->hasChild(tag::NAME));
    EXPECT_EQ(event->getText(tag::ORDER), "00"); // only exactly "0" counts as empty
    EXPECT_TRUE(meet->hasChild(tag::PERIODS));   // objects stay even when empty
}

int compareById(const TLnxAbstractElement* a, const TLnxAbstractElement* b, void* context)
{
    const int direction = *static_cast<int*>(context);
    return direction * (a->asObject()->id() - b->asObject()->id());
}

TEST(LnxElement, SortChildrenWithContext)
{
    TLnxCollection persons(tag::PERSONS);
    for (int id : {3, 1, 2})
        persons.newItem()->setId(id);
    int descending = -1;
    persons.sortChildren(compareById, &descending);
    EXPECT_EQ(persons.itemAt(0)->id(), 3);
    EXPECT_EQ(persons.itemAt(2)->id(), 1);
}

TEST(LnxElement, CloneIsDeep)
{
    TLnxObject club(tag::CLUB, 4);
    club.setFlags(lofHasResults);
    club.setErrorState(esInnerError);
    club.setLine(12);
    club.setAttribute(lxaNATION, "SUI");
    TLnxObject* person = club.addCollection(tag::PERSONS)->newItem();
    person->setId(9);
    person->setText(tag::NAME, "Keller");

    const std::unique_ptr<TLnxAbstractElement> copy = club.clone();
    const TLnxObject* copied = copy->asObject();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->id(), 4);
    EXPECT_EQ(copied->flags(), lofHasResults);
    EXPECT_EQ(copied->errorState(), esInnerError);
    EXPECT_EQ(copied->line(), 12);
    EXPECT_EQ(copied->getAttribute(lxaNATION), "SUI");
    const TLnxCollection* persons = copied->findCollection(tag::PERSONS);
    ASSERT_NE(persons, nullptr);
    EXPECT_EQ(persons->itemTag(), tag::PERSON);
    EXPECT_EQ(persons->parent(), copied);
    const TLnxObject* copiedPerson = persons->itemAt(0);
    EXPECT_NE(copiedPerson, person);
    EXPECT_EQ(copiedPerson->id(), 9);
    EXPECT_EQ(copiedPerson->getText(tag::NAME), "Keller");
}

TEST(LnxElement, SwimStyleRoundTrip)
{
    TLnxObject event(tag::EVENT);
    TSwimStyle relay;
    relay.relayCountIndex = 1;
    relay.distanceIndex = 2;
    relay.strokeIndex = 4;
    event.writeSwimStyle(relay, 1);
    EXPECT_EQ(event.getText(tag::DIS), "100");
    EXPECT_EQ(event.getText(tag::STR), "IM");
    EXPECT_EQ(event.getText(tag::DISCNT), "4");
    EXPECT_EQ(event.getText(tag::SEX), "F");
    const TSwimStyle read = event.readSwimStyle();
    EXPECT_EQ(read.relayCountIndex, 1);
    EXPECT_EQ(read.distanceIndex, 2);
    EXPECT_EQ(read.strokeIndex, 4);

    TLnxObject special(tag::EVENT);
    TSwimStyle style{17, 0, 1, 9, "Fins"};
    special.writeSwimStyle(style, 2);
    EXPECT_EQ(special.getText(tag::STR), "XX");
    EXPECT_EQ(special.findChild(tag::STR)->getAttribute(lxaID), "17");
    EXPECT_EQ(special.getText(tag::NAME), "Fins");
    EXPECT_FALSE(special.hasChild(tag::DISCNT));
    EXPECT_FALSE(special.hasChild(tag::SEX));
    EXPECT_EQ(special.readSwimStyle().strokeIndex, -1);
    EXPECT_EQ(special.readSwimStyle().relayCountIndex, 0);

    TLnxObject broken(tag::EVENT);
    EXPECT_THROW(broken.writeSwimStyle(TSwimStyle{0, 0, 3, -1, ""}, 0), std::out_of_range);
    EXPECT_EQ(broken.getText(tag::DIS), "200"); // the distance was written before the stroke failed
}

TEST(LnxElement, PoolOfACompetition)
{
    TLnxObject meet(tag::COMPETITION);
    EXPECT_EQ(meet.poolIndex(), -1);
    EXPECT_EQ(meet.courseNumber(), 0);
    meet.setPoolIndex(2);
    EXPECT_EQ(meet.getText(tag::PL), "25");
    EXPECT_EQ(meet.getText(tag::PM), "y");
    EXPECT_EQ(meet.courseNumber(), 3);
}

TEST(LnxElement, DeepTreesAreCopiedPrunedAndFreedWithoutRecursion)
{
    constexpr int kDepth = 1'000'000;
    auto root = std::make_unique<TLnxObject>(tag::LENEX);
    TLnxAbstractObject* node = root.get();
    for (int i = 0; i < kDepth; ++i) {
        node->setText(tag::NAME, "");
        node = node->addObject(tag::CONTACT);
    }
    root->pruneEmptyData();
    EXPECT_FALSE(root->hasChild(tag::NAME));
    std::unique_ptr<TLnxAbstractElement> copy = root->clone();
    EXPECT_EQ(copy->asObject()->childCount(), 1);
    copy.reset();
    root.reset();
}

} // namespace
} // namespace lanescope::lenex
