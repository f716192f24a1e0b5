#pragma once

#include "browser/ResultLists.h"
#include "lenex/Lenex.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace lanescope::browser {

/**
 * The results that are new or changed since the previous load of the same file or link. A result is known
 * across loads by what a viewer reads as its swim: the event's number, type and gender and the swimmer
 * (name, first name, birth date and gender of an athlete; number and gender of a relay) with the club's name
 * and code. Ids are left out, because a converter may number a grown file anew. A result counts as changed
 * when its time, status code, place, rank, points, comment, further age-group places or splits differ.
 * Entries are not marked. The marks stay until a load that changes something: a load without changes keeps
 * them.
 */
class ResultChanges
{
public:
    /** Takes what the lists show now; call it before the document that the lists point into is freed. */
    void remember(const lenex::TLenex& document, const ResultLists& lists);
    /**
     * Compares the new lists with the remembered ones. When something is new or changed, exactly those
     * results become the marked ones; otherwise the marks of the previous load stay.
     */
    void update(const lenex::TLenex& document, const ResultLists& lists);
    /** Whether the item is a marked result of the lists passed to `update`. */
    bool marked(const lenex::TLnxObject& item) const { return FMarkedItems.contains(&item); }
    /** Forgets everything (another file was opened or the file was closed). */
    void clear();

    /** What a viewer sees of each result, by the key of its swim. */
    using Snapshot = std::unordered_map<std::string, std::string>;
    static Snapshot snapshot(const lenex::TLenex& document, const ResultLists& lists);

private:
    Snapshot FRemembered;
    std::unordered_set<std::string> FMarkedKeys;
    std::unordered_set<const lenex::TLnxObject*> FMarkedItems;
};

} // namespace lanescope::browser
