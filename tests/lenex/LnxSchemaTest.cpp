#include "lenex/LnxSchema.h"

#include <gtest/gtest.h>

namespace lanescope::lenex {
namespace {

TEST(LnxSchema, EveryTagNameMapsBackToItsId)
{
    for (int id = 0; id < tag::Unknown; ++id)
        EXPECT_EQ(tagIdOf(tagName(static_cast<TLnxTagId>(id))), id) << tagName(static_cast<TLnxTagId>(id));
    EXPECT_EQ(tagName(tag::Unknown), "???");
    EXPECT_EQ(tagName(200), "???");
}

TEST(LnxSchema, TagLookupIsExactAndCaseSensitive)
{
    EXPECT_EQ(tagIdOf("LENEX"), tag::LENEX);
    EXPECT_EQ(tagIdOf("lenex"), tag::Unknown);
    EXPECT_EQ(tagIdOf("Lenex"), tag::Unknown);
    EXPECT_EQ(tagIdOf("NAMES"), tag::Unknown);
    EXPECT_EQ(tagIdOf(""), tag::Unknown);
    EXPECT_EQ(tagIdOf("???"), tag::Unknown);
    EXPECT_EQ(tagIdOf("STREET2"), tag::STREET2);
}

TEST(LnxSchema, KindsAndCollectionItems)
{
    EXPECT_EQ(tagKind(tag::LENEX), TLnxTagKind::Object);
    EXPECT_EQ(tagKind(tag::TEAM), TLnxTagKind::Object);
    EXPECT_EQ(tagKind(tag::SPLIT), TLnxTagKind::Data);
    EXPECT_EQ(tagKind(tag::CATS), TLnxTagKind::Collection);
    EXPECT_EQ(tagKind(tag::SPLITS), TLnxTagKind::Collection);
    EXPECT_EQ(tagKind(tag::AGEDATE), TLnxTagKind::Data);
    EXPECT_EQ(tagKind(tag::Unknown), TLnxTagKind::Data);

    const std::pair<TLnxTagId, TLnxTagId> pairs[] = {
        {tag::CATS, tag::CAT},
        {tag::CLUBS, tag::CLUB},
        {tag::COMPETITIONS, tag::COMPETITION},
        {tag::ENTRIES, tag::ENTRY},
        {tag::EVENTS, tag::EVENT},
        {tag::JUDGES, tag::JUDGE},
        {tag::PERIODS, tag::PERIOD},
        {tag::PERSONS, tag::PERSON},
        {tag::POSITIONS, tag::POSITION},
        {tag::RECORDS, tag::RECORD},
        {tag::RECORDLISTS, tag::RECORDLIST},
        {tag::RELAYS, tag::RELAY},
        {tag::RESULTS, tag::RESULT},
        {tag::TEAMS, tag::TEAM},
        {tag::SPLITS, tag::SPLIT},
    };
    for (auto [collection, item] : pairs)
        EXPECT_EQ(itemTagOf(collection), item) << tagName(collection);
}

TEST(LnxSchema, AttributeNames)
{
    EXPECT_EQ(attributeOf("Distance"), lxaDIS);
    EXPECT_EQ(attributeOf("dis"), lxaDIS);
    EXPECT_EQ(attributeOf("ID"), lxaID);
    EXPECT_EQ(attributeOf("currency"), lxaCURRENCY);
    EXPECT_EQ(attributeOf("Nation"), lxaNATION);
    EXPECT_EQ(attributeOf("type"), lxaTYPE);
    EXPECT_EQ(attributeOf("VERSION"), lxaVERSION);
    EXPECT_EQ(attributeOf("value"), lxaUnknown);
    EXPECT_EQ(attributeName(lxaDIS), "dis");
    EXPECT_EQ(attributeName(lxaUnknown), "???");
}

struct PoolCase
{
    int length;
    const char* unit;
    int poolIndex;
    int course;
};

TEST(LnxSchema, PoolTable)
{
    const PoolCase cases[] = {
        {25, "m", 0, 2}, {50, "m", 1, 1}, {25, "y", 2, 3},  {25, "Y", 2, 3}, {33, "M", 3, 4},
        {16, "m", 4, 5}, {50, "", -1, 0}, {50, "y", -1, 0}, {0, "m", -1, 0},
    };
    for (const PoolCase& c : cases) {
        EXPECT_EQ(poolIndexOf(c.length, c.unit), c.poolIndex) << c.length << c.unit;
        EXPECT_EQ(courseOfPoolIndex(c.poolIndex), c.course) << c.length << c.unit;
        EXPECT_EQ(poolIndexOfCourse(c.course), c.poolIndex) << c.length << c.unit;
    }
}

} // namespace
} // namespace lanescope::lenex
