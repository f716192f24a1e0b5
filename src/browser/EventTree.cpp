#include "browser/EventTree.h"

#include "base/DateTime.h"
#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "swim/AgeRange.h"
#include "swim/BSSwLenex.h"
#include "swim/LenexTexts.h"
#include "swim/SwimCodes.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace lanescope::browser {

using lenex::TLnxObject;
namespace tag = lenex::tag;

namespace {

// The items of a collection child of the owner; a missing collection gives nothing.
std::vector<TLnxObject*> itemsOf(const TLnxObject& owner, lenex::TLnxTagId collectionTag)
{
    std::vector<TLnxObject*> items;
    if (const lenex::TLnxCollection* collection = owner.findCollection(collectionTag))
        for (int i = 0; i < collection->childCount(); ++i)
            if (TLnxObject* item = collection->itemAt(i))
                items.push_back(item);
    return items;
}

// The calendar year of a "yyyymmdd" DATE; a missing or unreadable date is the zero date of 1899. Read
// without the creating date access, so building the tree leaves the document as it is.
int sessionYear(const TLnxObject& period)
{
    const std::string& text = period.getText(tag::DATE);
    base::TDateTime date = 0;
    if (text.size() >= 8)
        date =
            base::encodeDate(base::strToIntDef(text.substr(0, 4), 0), base::strToIntDef(text.substr(4, 2), 0),
                             base::strToIntDef(text.substr(6, 2), 0));
    return base::decodeDate(date).year;
}

// Minutes after midnight of the EVENT's daytime "hhnn"; 0 when missing or unreadable.
int daytimeMinutes(const TLnxObject& event)
{
    const std::string& text = event.getText(tag::TIME);
    if (text.size() < 4)
        return 0;
    const base::TDateTime time =
        base::encodeTime(base::strToIntDef(text.substr(0, 2), -1), base::strToIntDef(text.substr(2, 2), -1));
    return static_cast<int>(std::lround(time * 24 * 60));
}

std::string eventSortKey(const TLnxObject& event)
{
    return swim::formatText(
        "%.6dX%.4dX%.5d", {event.getInteger(tag::ORDER), daytimeMinutes(event), event.getInteger(tag::NUM)});
}

std::string sessionText(TLnxObject& period)
{
    const auto session = swim::lenexView<swim::IBSLenexSession>(period);
    return session ? session->name() + " - " + session->dateText() : std::string();
}

std::string singleAgeGroupText(const TLnxObject& ageGroup, int referenceYear)
{
    const int min = ageGroup.getInteger(tag::MIN);
    const int max = ageGroup.getInteger(tag::MAX);
    const int lowest = max == -1 ? 0 : referenceYear - max;
    const int highest = min == -1 ? 99 : referenceYear - min;
    std::string text = ", " + swim::ageRangeText(lowest, highest, false, {}, 0, 0);
    if (const std::string& name = ageGroup.getText(tag::NAME); !name.empty())
        text += ", " + name;
    return text;
}

void sortNodes(std::vector<std::unique_ptr<EventTreeNode>>& nodes, int level)
{
    if (level == 1) {
        // Events compare by a formatted text key; it is made once per node, not once per comparison.
        std::vector<std::pair<std::string, std::unique_ptr<EventTreeNode>>> keyed;
        for (auto& node : nodes)
            keyed.emplace_back(eventSortKey(*node->data), std::move(node));
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < nodes.size(); ++i)
            nodes[i] = std::move(keyed[i].second);
    } else {
        const lenex::TLnxTagId field = level == 0 ? tag::NUM : tag::MIN;
        std::stable_sort(nodes.begin(), nodes.end(), [field](const auto& a, const auto& b) {
            return a->data->getInteger(field) < b->data->getInteger(field);
        });
    }
    for (auto& node : nodes)
        sortNodes(node->children, level + 1);
}

EventTreeNode* addNode(std::vector<std::unique_ptr<EventTreeNode>>& siblings, EventTreeNode* parent,
                       int level, std::string text, int image, TLnxObject* data)
{
    auto node = std::make_unique<EventTreeNode>();
    node->level = level;
    node->text = std::move(text);
    node->imageIndex = image;
    node->data = data;
    node->parent = parent;
    siblings.push_back(std::move(node));
    return siblings.back().get();
}

} // namespace

void EventTree::clear() { FSessions.clear(); }

void EventTree::BuildEventTree(const lenex::TLenex& document, ResultLists& lists,
                               const ProgressText& progress)
{
    clear();
    TLnxObject* competition = document.currentCompetition();
    if (competition == nullptr)
        return;
    int eventCount = 0;
    for (TLnxObject* period : itemsOf(*competition, tag::PERIODS)) {
        EventTreeNode* session = addNode(FSessions, nullptr, 0, sessionText(*period), kSessionImage, period);
        const int referenceYear = sessionYear(*period);
        for (TLnxObject* event : itemsOf(*period, tag::EVENTS)) {
            ++eventCount;
            if (progress)
                progress(swim::formatText("%d events scanned ...", {eventCount}));
            const std::string title = swim::eventText(document, *event) + " " + swim::genderText(*event);
            EventTreeNode* node =
                addNode(session->children, session, 1,
                        base::languageText('S', 18) +
                            swim::formatText("%d - %s", {event->getInteger(tag::NUM), title}),
                        kEventImage, event);
            if (const std::string round = swim::roundText(event->getText(tag::TYPE)); !round.empty())
                node->text += ", " + round;
            const std::vector<TLnxObject*> ageGroups = itemsOf(*event, tag::CATS);
            const std::string key = ResultLists::eventKey(event->id());
            if (ageGroups.size() == 1) {
                node->text += singleAgeGroupText(*ageGroups.front(), referenceYear);
            } else {
                for (TLnxObject* ageGroup : ageGroups) {
                    addNode(node->children, node, 2, swim::ageGroupText(document, ageGroup), kAgeGroupImage,
                            ageGroup);
                    lists.createList(ResultLists::ageGroupKey(event->id(), ageGroup->id()));
                }
            }
            lists.createList(key);
        }
    }
    pairFastestHeats();
    sortNodes(FSessions, 0);
}

void EventTree::pairFastestHeats()
{
    std::map<int, EventTreeNode*> eventsById;
    for (const auto& session : FSessions)
        for (const auto& event : session->children)
            eventsById.emplace(event->data->id(), event.get());
    for (const auto& [id, node] : eventsById) {
        const std::string& named = node->data->getText(tag::PEID);
        if (node->data->getText(tag::TYPE) != "FHT" || named.empty())
            continue;
        const auto target = eventsById.find(node->data->getInteger(tag::PEID));
        if (target == eventsById.end() || target->second == node)
            continue;
        node->partner = target->second->data;
        if (target->second->partner == nullptr)
            target->second->partner = node->data;
    }
}

std::vector<const EventTreeNode*> EventTree::nodesInOrder() const
{
    std::vector<const EventTreeNode*> nodes;
    for (const auto& session : FSessions) {
        nodes.push_back(session.get());
        for (const auto& event : session->children) {
            nodes.push_back(event.get());
            for (const auto& ageGroup : event->children)
                nodes.push_back(ageGroup.get());
        }
    }
    return nodes;
}

TLnxObject* listEventOf(const EventTreeNode* node, const ResultLists& lists)
{
    if (node == nullptr || node->data == nullptr || node->level <= 0)
        return nullptr;
    if (node->level >= 2)
        return node->parent != nullptr ? node->parent->data : nullptr;
    TLnxObject* event = node->data;
    const auto holdsItems = [&lists](const TLnxObject& candidate) {
        const ResultList* list = lists.find(ResultLists::eventKey(candidate.id()));
        return list != nullptr && !list->empty();
    };
    if (node->partner != nullptr && !holdsItems(*event) && holdsItems(*node->partner))
        return node->partner;
    return event;
}

const ResultList* ResultListFor(const EventTreeNode* node, const ResultLists& lists)
{
    const TLnxObject* event = listEventOf(node, lists);
    if (event == nullptr)
        return nullptr;
    if (node->level >= 2)
        return lists.find(ResultLists::ageGroupKey(event->id(), node->data->id()));
    return lists.find(ResultLists::eventKey(event->id()));
}

int listAgeGroupId(const EventTreeNode* node)
{
    return node != nullptr && node->level >= 2 && node->data != nullptr ? node->data->id() : 0;
}

} // namespace lanescope::browser
