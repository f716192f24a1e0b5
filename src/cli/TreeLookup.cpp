#include "cli/TreeLookup.h"

#include "base/TextCase.h"

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

const ClubTreeNode* findParticipantNode(const ClubTree& tree, lenex::TLnxTagId owner, int id)
{
    for (const ClubTreeNode* node = tree.firstNode(); node; node = tree.nextNode(*node)) {
        const lenex::TLnxAbstractObject* parent = node->items ? node->items->parent() : nullptr;
        if (parent && parent->tag() == owner && parent->asObject() && parent->asObject()->id() == id)
            return node;
    }
    return nullptr;
}

} // namespace lanescope::cli
