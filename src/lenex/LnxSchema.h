#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/** The first-generation Lenex vocabulary: tag ids, attribute ids, value types, code lists and the pool table.
 */
namespace lanescope::lenex {

/** Tag id: a tag's position in the closed tag table. The numbers are fixed; other code relies on them. */
using TLnxTagId = std::uint8_t;

namespace tag {
// Object elements (0 to 21).
inline constexpr TLnxTagId LENEX = 0, FINA = 1, CONTACT = 2, CONSTRUCTOR = 3, MEETINFO = 4, POINTTABLE = 5,
                           STYLE = 6, POOL = 7, CAT = 8, CLUB = 9, COMPETITION = 10, ENTRY = 11, EVENT = 12,
                           JUDGE = 13, PERIOD = 14, PERSON = 15, POSITION = 16, RECORD = 17, RECORDLIST = 18,
                           RELAY = 19, RESULT = 20, TEAM = 21;
// SPLIT is a data element that lives in a SPLITS collection.
inline constexpr TLnxTagId SPLIT = 22;
// Collections (23 to 37); each holds the tag 15 below its own.
inline constexpr TLnxTagId CATS = 23, CLUBS = 24, COMPETITIONS = 25, ENTRIES = 26, EVENTS = 27, JUDGES = 28,
                           PERIODS = 29, PERSONS = 30, POSITIONS = 31, RECORDS = 32, RECORDLISTS = 33,
                           RELAYS = 34, RESULTS = 35, TEAMS = 36, SPLITS = 37;
// Data elements (38 to 102).
inline constexpr TLnxTagId AGEDATE = 38, AGEMAX = 39, AGEMIN = 40, BIRTHDATE = 41, CID = 42, CODE = 43,
                           COMMENT = 44, COURSE = 45, DATE = 46, DEADLINE = 47, DIS = 48, DISCNT = 49,
                           EID = 50, EMAIL = 51, FAX = 52, FEE = 53, FINE = 54, FINAID = 55, FNAME = 56,
                           GROUP = 57, HEAT = 58, INITIAL = 59, INTERNET = 60, LANE = 61, LANEMAX = 62,
                           LANEMIN = 63, LCT = 64, LICENSE = 65, LSC = 66, MAX = 67, MAXENTRIES = 68,
                           MIN = 69, MOBILE = 70, NAME = 71, NATION = 72, NUM = 73, ORDER = 74,
                           ORGANIZER = 75, PASSPORT = 76, PEID = 77, PHONE = 78, PID = 79, PLACE = 80,
                           PL = 81, PM = 82, POINTS = 83, POOLNAME = 84, PROMOTER = 85, RANK = 86,
                           REGISTRATION = 87, RT = 88, SCT = 89, SEX = 90, SID = 91, STR = 92, STATE = 93,
                           STREET = 94, STREET2 = 95, TI = 96, TIME = 97, TYPE = 98, UPDATED = 99,
                           VERSION = 100, YOB = 101, ZIP = 102;
inline constexpr TLnxTagId Unknown = 103;
} // namespace tag

inline constexpr int kTagCount = 104;

enum class TLnxTagKind : std::uint8_t
{
    Data,
    Object,
    Collection,
};

/** Id of a tag name: exact, case-sensitive match in the tag table; tag::Unknown otherwise. */
TLnxTagId tagIdOf(std::string_view name);
/** Byte-wise equality for short names: a plain loop is cheaper than a call to memcmp on the parser's path. */
inline bool sameTagName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

/** Name of a tag id; "???" for tag::Unknown and anything beyond. */
std::string_view tagName(TLnxTagId tag);
/** Objects are ids 0 to 21, collections 23 to 37, every other id a data element. */
constexpr TLnxTagKind tagKind(TLnxTagId tag)
{
    if (tag <= tag::TEAM)
        return TLnxTagKind::Object;
    if (tag >= tag::CATS && tag <= tag::SPLITS)
        return TLnxTagKind::Collection;
    return TLnxTagKind::Data;
}
/** The item tag of a collection: its id minus 15. */
constexpr TLnxTagId itemTagOf(TLnxTagId collection) { return static_cast<TLnxTagId>(collection - 15); }

/** The six XML attributes of the format; everything else is lxaUnknown. */
enum TLnxAttribute : std::uint8_t
{
    lxaCURRENCY = 0,
    lxaDIS = 1,
    lxaID = 2,
    lxaNATION = 3,
    lxaTYPE = 4,
    lxaVERSION = 5,
    lxaUnknown = 6,
};

/** Attribute of a name: lower-cased, "distance" read as "dis", else lxaUnknown. */
TLnxAttribute attributeOf(std::string_view name);
/** Name written for an attribute; "???" for lxaUnknown. */
std::string_view attributeName(TLnxAttribute attribute);

/** The value types; the tree stores text, the type decides which typed accessor reads it. */
enum class TLnxValueType : std::uint8_t
{
    Object,
    String,
    Version,
    Number,
    Float,
    Enumeration,
    LenexTime,
    LenexReactionTime,
    Date,
    Time,
    Unknown,
};

std::string_view valueTypeName(TLnxValueType type);

/** The lowest file version read without the "expired" warning. */
inline constexpr std::string_view kMinimumVersion = "01.02.0004";
/** The version the program writes. */
inline constexpr std::string_view kWrittenVersion = "01.03.0007";

// Fixed code lists, in their fixed order.
inline constexpr std::string_view kSexCodes[] = {"M", "F", "X"};
inline constexpr std::string_view kStrokeCodes[] = {"FR", "BU", "BA", "BR", "IM", "KI", "XX"};
inline constexpr std::string_view kTimingCodes[] = {"", "A", "M3", "M1"};
inline constexpr std::string_view kStatusCodes[] = {"EX",  "DQ",     "DSQ",  "DNS",
                                                    "DNF", "DQFULL", "DQ10", "DQ20"};
inline constexpr std::string_view kTimeKindLetters[] = {"E", "I", "L", "V", "A"};
inline constexpr std::string_view kDefaultRound = "TIM";

struct PoolSize
{
    int length;
    std::string_view unit;
};
/** The pool table; a pool index is a position in it. */
inline constexpr PoolSize kPools[] = {{25, "m"}, {50, "m"}, {25, "y"}, {33, "m"}, {16, "m"}};

/** Pool index of a length and unit, searched from the last entry, unit without case; -1 when absent. */
int poolIndexOf(int length, std::string_view unit);
/** Course number of a pool index: -1 gives 0 (unknown), 0 gives 2 (SCM), 1 gives 1 (LCM), 2..4 give 3..5. */
int courseOfPoolIndex(int poolIndex);
/** Pool index of a course number; the reverse of courseOfPoolIndex, -1 for unknown numbers. */
int poolIndexOfCourse(int course);

} // namespace lanescope::lenex
