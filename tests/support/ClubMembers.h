#pragma once

#include "lenex/LnxElement.h"

/** Walks over what the converters put into a competition's clubs, for tests that count it. */
namespace lanescope::testing {

/** The number of items in the owner's collection; 0 when it has none. */
inline int itemCount(const lenex::TLnxAbstractObject& owner, lenex::TLnxTagId collection)
{
    const lenex::TLnxCollection* items = owner.findCollection(collection);
    return items ? items->childCount() : 0;
}

/** The SPLITs of all RESULTS of an athlete or relay. */
inline int splitCount(const lenex::TLnxObject& owner)
{
    int splits = 0;
    const lenex::TLnxCollection* results = owner.findCollection(lenex::tag::RESULTS);
    for (int r = 0; results && r < results->childCount(); ++r)
        splits += itemCount(*results->itemAt(r), lenex::tag::SPLITS);
    return splits;
}

/** Calls visit(owner, relay) for every PERSON (relay false) and RELAY (relay true) of every CLUB. */
template <class Visit> void forEachClubMember(const lenex::TLnxObject& competition, Visit visit)
{
    const lenex::TLnxCollection* clubs = competition.findCollection(lenex::tag::CLUBS);
    for (int c = 0; clubs && c < clubs->childCount(); ++c)
        for (const lenex::TLnxTagId list : {lenex::tag::PERSONS, lenex::tag::RELAYS}) {
            const lenex::TLnxCollection* owners = clubs->itemAt(c)->findCollection(list);
            for (int o = 0; owners && o < owners->childCount(); ++o)
                visit(*owners->itemAt(o), list == lenex::tag::RELAYS);
        }
}

} // namespace lanescope::testing
