#include "cli/TreeLookup.h"

#include "base/TextCase.h"

#include <algorithm>
#include <vector>

namespace lanescope::cli {

using namespace lanescope::browser;

namespace {

// An event without TYPE is a timed final.
bool inRound(const lenex::TLnxObject& event, const std::string& round)
{
    const std::string& type = event.getText(lenex::tag::TYPE);
    return base::sameText(type.empty() ? std::string_view("TIM") : std::string_view(type), round);
}

bool matches(const EventTreeNode& node, const EventChoice& choice)
{
    if (node.level != 1 || !node.data)
        return false;
    if (choice.id)
        return node.data->id() == *choice.id;
    return node.data->getInteger(lenex::tag::NUM) == *choice.number &&
           (!choice.round || inRound(*node.data, *choice.round));
}

} // namespace

bool EventChoice::consistent() const
{
    if (!chosen())
        return !round && !ageGroup;
    return !(number && id) && (!round || number);
}

std::string EventChoice::describe() const
{
    std::string text = id ? "event with id " + std::to_string(*id) : "event " + std::to_string(*number);
    if (round)
        text += " in round " + *round;
    if (ageGroup)
        text += " with age group " + std::to_string(*ageGroup);
    return text;
}

EventChoice eventChoice(Options& options)
{
    EventChoice choice;
    choice.number = options.integer("--event");
    choice.round = options.text("--round");
    choice.id = options.integer("--event-id");
    choice.ageGroup = options.integer("--age-group");
    return choice;
}

const EventTreeNode* findEventNode(const EventTree& tree, const EventChoice& choice)
{
    if (!choice.chosen())
        return nullptr;
    for (const EventTreeNode* node : tree.nodesInOrder()) {
        if (!matches(*node, choice))
            continue;
        if (!choice.ageGroup)
            return node;
        for (const auto& child : node->children)
            if (child->data && child->data->id() == *choice.ageGroup)
                return child.get();
    }
    return nullptr;
}

namespace {

const lenex::TLnxObject* participantOf(const ClubTreeNode& node)
{
    const lenex::TLnxAbstractObject* parent = node.items ? node.items->parent() : nullptr;
    return parent && (parent->tag() == lenex::tag::PERSON || parent->tag() == lenex::tag::RELAY)
               ? parent->asObject()
               : nullptr;
}

} // namespace

std::unordered_map<const ClubTreeNode*, int> participantIds(const ClubTree& tree)
{
    std::unordered_map<const ClubTreeNode*, int> ids;
    std::vector<const ClubTreeNode*> unnumbered;
    int largestRelayId = 0;
    for (const ClubTreeNode* node = tree.firstNode(); node; node = tree.nextNode(*node)) {
        const lenex::TLnxObject* participant = participantOf(*node);
        if (!participant)
            continue;
        const bool relay = participant->tag() == lenex::tag::RELAY;
        if (relay && participant->id() == 0)
            unnumbered.push_back(node);
        else
            ids.emplace(node, participant->id());
        if (relay)
            largestRelayId = std::max(largestRelayId, participant->id());
    }
    for (std::size_t i = 0; i < unnumbered.size(); ++i)
        ids.emplace(unnumbered[i], largestRelayId + static_cast<int>(i) + 1);
    return ids;
}

const ClubTreeNode* findParticipantNode(const ClubTree& tree, lenex::TLnxTagId owner, int id)
{
    const std::unordered_map<const ClubTreeNode*, int> ids = participantIds(tree);
    for (const ClubTreeNode* node = tree.firstNode(); node; node = tree.nextNode(*node))
        if (const auto found = ids.find(node);
            found != ids.end() && found->second == id && participantOf(*node)->tag() == owner)
            return node;
    return nullptr;
}

} // namespace lanescope::cli
