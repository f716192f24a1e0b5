#pragma once

#include "lenex/LnxElement.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/** The result lists of the chosen competition: one ordered list of RESULTs and ENTRYs per event or age group.
 */
namespace lanescope::browser {

/** Borrowed RESULT and ENTRY objects of the document, in display order once sorted. */
using ResultList = std::vector<lenex::TLnxObject*>;

/** Receives the progress texts of long builds (the status bar); an empty function shows nothing. */
using ProgressText = std::function<void(const std::string& text)>;

/**
 * `FResultLists`: the index of result lists by key, sorted and without duplicates. A key is the decimal id of
 * an EVENT ("5", an event key) or the event id, ";" and the id of one of its CATs ("5;12", an age-group key).
 * The lists hold pointers into the document; clear the index before the document frees its tree.
 */
class ResultLists
{
public:
    static std::string eventKey(int eventId);
    static std::string ageGroupKey(int eventId, int ageGroupId);

    /** `ClearResultLists`: frees every list and empties the index. */
    void ClearResultLists();
    /** Creates an empty list under the key unless one exists. */
    void createList(const std::string& key);
    /** The list under the key (binary search), or nullptr. */
    const ResultList* find(std::string_view key) const;

    /**
     * `AddToResultList`: files one RESULT or ENTRY. The key is built from the item's EID and CID texts as
     * stored ("EID;CID" when CID is not empty, else "EID"); when no list has that key the event key "EID" is
     * tried; an item that still finds no list is dropped. So "05" finds no list for event 5. A RESULT that
     * is ranked in further age groups (swim::furtherRankings) is filed in each of their lists as well, where
     * that list exists and is not the one it went to. The club-tree scan calls this for every RESULT and
     * ENTRY it lists, then calls `SortResultLists` once.
     */
    void AddToResultList(lenex::TLnxObject& item);

    /**
     * `SortResultLists`: sorts every list: ranked items by their place in the list's age group (RANK in an
     * event's own list), then unranked RESULTs, then ENTRYs by entry time (any kind letter; without time
     * first). Reports "%d resultlists sorted..." per list.
     */
    void SortResultLists(const ProgressText& progress = {});

    int count() const { return static_cast<int>(FLists.size()); }
    const std::string& keyAt(int index) const { return FLists[static_cast<std::size_t>(index)].key; }
    const ResultList& listAt(int index) const { return FLists[static_cast<std::size_t>(index)].items; }

private:
    // What the order reads from an item, taken when the item is filed (while it is at hand) rather than in
    // a second walk over every item.
    struct SortKey
    {
        int group; // 0 ranked, 1 unranked RESULT, 2 ENTRY
        int value; // place or entry time
    };
    struct Entry
    {
        std::string key;
        int ageGroupId; // 0 for an event key
        ResultList items;
        std::vector<SortKey> keys; // one per item while the list is unsorted
    };
    // The list under the key for filing: through FPositions, made again after a list was created.
    Entry* filingEntry(std::string_view key);
    static SortKey sortKeyOf(lenex::TLnxObject& item, int ageGroupId);
    static void file(Entry& entry, lenex::TLnxObject& item);

    std::vector<Entry> FLists;
    struct KeyHash
    {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };
    // Position of each key in FLists, for the many lookups of filing.
    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> FPositions;
};

/** `IsValidResult`: the item's TIME value has the kind letter "V". An item without TIME is not valid. */
bool IsValidResult(const lenex::TLnxObject& item);

} // namespace lanescope::browser
