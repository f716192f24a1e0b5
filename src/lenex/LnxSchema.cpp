#include "lenex/LnxSchema.h"

#include "base/Strings.h"

#include <array>

namespace lanescope::lenex {

namespace {

constexpr std::string_view kTagNames[kTagCount] = {
    "LENEX",    "FINA",     "CONTACT",  "CONSTRUCTOR",  "MEETINFO",     "POINTTABLE",  "STYLE",
    "POOL",     "CAT",      "CLUB",     "COMPETITION",  "ENTRY",        "EVENT",       "JUDGE",
    "PERIOD",   "PERSON",   "POSITION", "RECORD",       "RECORDLIST",   "RELAY",       "RESULT",
    "TEAM",     "SPLIT",    "CATS",     "CLUBS",        "COMPETITIONS", "ENTRIES",     "EVENTS",
    "JUDGES",   "PERIODS",  "PERSONS",  "POSITIONS",    "RECORDS",      "RECORDLISTS", "RELAYS",
    "RESULTS",  "TEAMS",    "SPLITS",   "AGEDATE",      "AGEMAX",       "AGEMIN",      "BIRTHDATE",
    "CID",      "CODE",     "COMMENT",  "COURSE",       "DATE",         "DEADLINE",    "DIS",
    "DISCNT",   "EID",      "EMAIL",    "FAX",          "FEE",          "FINE",        "FINAID",
    "FNAME",    "GROUP",    "HEAT",     "INITIAL",      "INTERNET",     "LANE",        "LANEMAX",
    "LANEMIN",  "LCT",      "LICENSE",  "LSC",          "MAX",          "MAXENTRIES",  "MIN",
    "MOBILE",   "NAME",     "NATION",   "NUM",          "ORDER",        "ORGANIZER",   "PASSPORT",
    "PEID",     "PHONE",    "PID",      "PLACE",        "PL",           "PM",          "POINTS",
    "POOLNAME", "PROMOTER", "RANK",     "REGISTRATION", "RT",           "SCT",         "SEX",
    "SID",      "STR",      "STATE",    "STREET",       "STREET2",      "TI",          "TIME",
    "TYPE",     "UPDATED",  "VERSION",  "YOB",          "ZIP",          "???",
};

constexpr std::string_view kAttributeNames[] = {"currency", "dis", "id", "nation", "type", "version", "???"};

constexpr std::string_view kValueTypeNames[] = {"object", "string",      "version",   "number",
                                                "float",  "enumeration", "lenextime", "lenexreactiontime",
                                                "date",   "time",        "???"};

// Open-addressing table from tag name to id. Names are looked up for every tag the parser reads, so the
// lookup is one short hash and, nearly always, one comparison.
class TagNameTable
{
public:
    TagNameTable()
    {
        FSlots.fill(tag::Unknown);
        for (int id = 0; id < tag::Unknown; ++id) {
            std::size_t slot = hash(kTagNames[id]);
            while (FSlots[slot] != tag::Unknown)
                slot = (slot + 1) & kMask;
            FSlots[slot] = static_cast<TLnxTagId>(id);
        }
    }

    TLnxTagId find(std::string_view name) const
    {
        for (std::size_t slot = hash(name);; slot = (slot + 1) & kMask) {
            const TLnxTagId id = FSlots[slot];
            if (id == tag::Unknown || sameTagName(kTagNames[id], name))
                return id;
        }
    }

private:
    static constexpr std::size_t kSize = 512;
    static constexpr std::size_t kMask = kSize - 1;

    // Length, first, second and last letter tell the tag names apart well enough for a handful of probes.
    static std::size_t hash(std::string_view name)
    {
        if (name.empty())
            return 0;
        const auto at = [name](std::size_t i) {
            return static_cast<std::size_t>(static_cast<unsigned char>(name[i]));
        };
        const std::size_t second = name.size() > 1 ? at(1) : 0;
        return (name.size() * 131 + at(0) * 31 + at(name.size() - 1) * 7 + second * 3) & kMask;
    }

    std::array<TLnxTagId, kSize> FSlots{};
};

} // namespace

TLnxTagId tagIdOf(std::string_view name)
{
    static const TagNameTable table;
    return table.find(name);
}

std::string_view tagName(TLnxTagId tag) { return tag < kTagCount ? kTagNames[tag] : kTagNames[tag::Unknown]; }

TLnxAttribute attributeOf(std::string_view name)
{
    // The names of the table are in lower case.
    if (base::asciiSameText(name, "distance"))
        return lxaDIS;
    for (int i = 0; i < lxaUnknown; ++i)
        if (base::asciiSameText(kAttributeNames[i], name))
            return static_cast<TLnxAttribute>(i);
    return lxaUnknown;
}

std::string_view attributeName(TLnxAttribute attribute)
{
    return attribute < lxaUnknown ? kAttributeNames[attribute] : kAttributeNames[lxaUnknown];
}

std::string_view valueTypeName(TLnxValueType type) { return kValueTypeNames[static_cast<int>(type)]; }

int poolIndexOf(int length, std::string_view unit)
{
    for (int i = static_cast<int>(std::size(kPools)) - 1; i >= 0; --i)
        if (kPools[i].length == length && base::asciiSameText(kPools[i].unit, unit))
            return i;
    return -1;
}

int courseOfPoolIndex(int poolIndex)
{
    static constexpr int kCourses[] = {2, 1, 3, 4, 5};
    return poolIndex >= 0 && poolIndex < static_cast<int>(std::size(kCourses)) ? kCourses[poolIndex] : 0;
}

int poolIndexOfCourse(int course)
{
    static constexpr int kPoolIndexes[] = {-1, 1, 0, 2, 3, 4};
    return course >= 0 && course < static_cast<int>(std::size(kPoolIndexes)) ? kPoolIndexes[course] : -1;
}

} // namespace lanescope::lenex
