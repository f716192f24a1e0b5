#pragma once

#include "lenex/LnxSwimStyle.h"
#include "swim/BSSwLenex.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/**
 * The classes behind the typed views of BSSwLenex.h, meet side: the common bases, the collections, and the
 * meet, session, event, swim style, age group and point table. The participant side is in
 * BSSwLenexPersons.h. Each view class implements its interface through the templates below (the interface
 * is a template argument, so no class inherits an interface twice).
 */
namespace lanescope::swim {

using lenex::TLnxCollection;
using lenex::TLnxDataElement;
using lenex::TLnxObject;
using lenex::TLnxTagId;

/** Holds the borrowed node of a view. */
template <class Interface> class TLnxAbstractManagedObject : public Interface
{
public:
    explicit TLnxAbstractManagedObject(TLnxAbstractElement* node)
        : FNode(node)
    {
    }
    TLnxAbstractElement* node() const final { return FNode; }

private:
    TLnxAbstractElement* FNode;
};

/** A view of one object node. */
template <class Interface> class TLnxManagedObject : public TLnxAbstractManagedObject<Interface>
{
public:
    explicit TLnxManagedObject(TLnxObject& node)
        : TLnxAbstractManagedObject<Interface>(&node)
    {
    }

protected:
    TLnxObject& object() const { return *static_cast<TLnxObject*>(this->node()); }
};

/**
 * Stable bottom-up merge sort by a three-way compare. Every index stays within the list whatever the compare
 * answers, so a compare that contradicts itself gives some order, never a fault.
 */
template <class T, class Compare>
void mergeSortItems(std::vector<std::shared_ptr<T>>& items, const Compare& compare)
{
    const std::size_t size = items.size();
    if (size < 2)
        return;
    std::vector<std::shared_ptr<T>> merged(size);
    for (std::size_t width = 1; width < size; width *= 2) {
        for (std::size_t left = 0; left < size; left += 2 * width) {
            const std::size_t middle = std::min(left + width, size);
            const std::size_t right = std::min(left + 2 * width, size);
            std::size_t i = left, j = middle, k = left;
            while (i < middle && j < right)
                merged[k++] = std::move(compare(*items[j], *items[i]) < 0 ? items[j++] : items[i++]);
            while (i < middle)
                merged[k++] = std::move(items[i++]);
            while (j < right)
                merged[k++] = std::move(items[j++]);
        }
        items.swap(merged);
    }
}

/** A list of views with a cursor, over a collection node (or the node the list was gathered from). */
template <class Interface> class TLnxManagedCollection : public TLnxAbstractManagedObject<Interface>
{
public:
    using Item = typename Interface::Item;
    using TCompare = typename Interface::TCompare;

    explicit TLnxManagedCollection(TLnxAbstractElement* node)
        : TLnxAbstractManagedObject<Interface>(node)
    {
    }

    int count() const override { return static_cast<int>(FItems.size()); }
    std::shared_ptr<Item> current() const override { return at(FCursor); }
    void reset() override { FCursor = 0; }
    bool hasCurrent() const override { return FCursor < count(); }
    void advance() override
    {
        if (FCursor < count())
            ++FCursor;
    }
    std::shared_ptr<Item> at(int index) const override
    {
        return index >= 0 && index < count() ? FItems[static_cast<std::size_t>(index)] : nullptr;
    }
    void sort(const TCompare& compare) override { mergeSortItems(FItems, compare); }

    void add(std::shared_ptr<Item> item) { FItems.push_back(std::move(item)); }

protected:
    void setCursor(int cursor) { FCursor = cursor; }

private:
    std::vector<std::shared_ptr<Item>> FItems;
    int FCursor = 0;
};

using TLnxSessions = TLnxManagedCollection<IBSLenexSessions>;
using TLnxEvents = TLnxManagedCollection<IBSLenexEvents>;

class TLnxMeet final : public TLnxManagedObject<IBSLenexMeet>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::string nation() const override;
    void setNation(const std::string& nation) override;
    TDateTime ageDate() const override;
    std::shared_ptr<IBSLenexAthlete> athleteById(int id) const override;
    std::string place() const override;
    std::string placeText() const override;
    std::shared_ptr<IBSLenexClubs> clubs(int sortType) const override;
    std::shared_ptr<IBSLenexContact> contact() const override;
    int courseNumber() const override;
    TLnxDateRange dateRange() const override;
    TDateTime deadline() const override;
    std::shared_ptr<IBSLenexEvent> eventById(int id) const override;
    std::shared_ptr<IBSLenexEvents> events(TRoundFilter rounds, int sortType) const override;
    int laneMin() const override;
    int laneMax() const override;
    std::string name() const override;
    std::string organizer() const override;
    std::shared_ptr<IBSLenexPointTable> pointTable() const override;
    std::string poolName() const override;
    std::string promoter() const override;
    std::string poolUnit() const override;
    std::shared_ptr<IBSLenexSessions> sessions() const override;
    std::string state() const override;
    int timing() const override;
};

class TLnxSession final : public TLnxManagedObject<IBSLenexSession>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    int courseNumber() const override;
    std::string poolText() const override;
    std::shared_ptr<IBSLenexEvents> events(TRoundFilter rounds, int sortType) const override;
    int laneMin() const override;
    int laneMax() const override;
    std::string name() const override;
    int number() const override;
    TDateTime date() const override;
    TDateTime start() const override;
    std::string dateText() const override;

private:
    // Own value when the session has the child, else the meet's.
    int sessionOrMeetInteger(TLnxTagId tag) const;
};

class TLnxEvent final : public TLnxManagedObject<IBSLenexEvent>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::shared_ptr<IBSLenexAgeGroups> ageGroups() const override;
    std::string ageText() const override;
    std::shared_ptr<IBSLenexEntries> entries(const IBSLenexClub* club, int sortType) const override;
    std::string title() const override;
    std::string feeText() const override;
    int genderNumber() const override;
    std::string genderText() const override;
    std::int32_t id() const override;
    int entryLimit() const override;
    int number() const override;
    std::string numberText() const override;
    std::shared_ptr<IBSLenexEvent> relatedEvent() const override;
    std::string sortKey() const override;
    std::shared_ptr<IBSLenexResults> results() const override;
    int roundNumber() const override;
    std::string roundText() const override;
    std::shared_ptr<IBSLenexSession> session() const override;
    TDateTime time() const override;
    std::shared_ptr<IBSLenexSwimStyle> swimStyle() const override;
};

/** The swim style record of an event, its NAME and the unit character of its meet's PM. */
class TLnxSwimStyle final : public IBSLenexSwimStyle
{
public:
    explicit TLnxSwimStyle(TLnxObject& event);

    int distance() const override;
    int styleId() const override;
    bool isRelay() const override;
    int relayCount() const override;
    int strokeNumber() const override;
    std::string distanceText() const override;
    std::string sortKey(int genderNumber) const override;
    std::string strokeText() const override;
    std::string fullText() const override;

private:
    lenex::TSwimStyle FStyle;
    char FUnit = 'm';
};

class TLnxAgeGroup final : public TLnxManagedObject<IBSLenexAgeGroup>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::string ageText() const override;
    int genderNumber() const override;
    std::int32_t id() const override;
    int minAge() const override;
    int maxAge() const override;
    std::string name() const override;
    std::string limitTimeText(int courseNumber) const override;

private:
    int ageDateYear() const;
};

/** The CATs of an event in document order. */
class TLnxAgeGroups final : public TLnxManagedCollection<IBSLenexAgeGroups>
{
public:
    explicit TLnxAgeGroups(TLnxObject& event);

    int minAge() const override { return FMinAge; }
    int maxAge() const override { return FMaxAge; }

private:
    int FMinAge = 0;
    int FMaxAge = 999;
};

class TLnxPointTable final : public TLnxManagedObject<IBSLenexPointTable>
{
public:
    using TLnxManagedObject::TLnxManagedObject;

    std::int32_t id() const override;
    std::string name() const override;
    std::string version() const override;
};

// Helpers shared by the view classes.

/** The node itself or its nearest ancestor with the tag; nullptr when there is none. */
TLnxObject* ancestorWithTag(TLnxAbstractElement& node, TLnxTagId tag);
/** The meet view of the COMPETITION above the node; nullptr outside a meet. */
std::shared_ptr<IBSLenexMeet> meetOf(TLnxAbstractElement& node);

/** Calls visit(item) for every object item of every collection with the tag under parent, in order. */
template <class Visit> void forEachItem(const TLnxObject& parent, TLnxTagId collectionTag, const Visit& visit)
{
    for (const auto& child : parent.children())
        if (child->tag() == collectionTag && child->isCollection())
            for (const auto& item : child->asCollection()->children())
                if (TLnxObject* object = item->asObject())
                    visit(*object);
}

/** The first object item with the id in the collections with the tag under parent, or nullptr. */
TLnxObject* findItemById(const TLnxObject& parent, TLnxTagId collectionTag, std::int32_t id);

/** Round number of a TYPE code: "SOF" 2, else its position among the round codes, 0 for none. */
int roundNumberOf(std::string_view type);
/** Round number of an event view; -1 without an event, so no round filter keeps it. */
int roundNumberOf(const IBSLenexEvent* event);
/** Gender number (1 male, 2 female, 3 mixed) of the node's SEX. */
int genderNumberOf(const TLnxObject& node);
/** RT in hundredths of a second; -32768 when it is no number. */
int reactionTimeOf(const TLnxObject& node);

} // namespace lanescope::swim
