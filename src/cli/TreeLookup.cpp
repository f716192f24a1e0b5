#include "cli/TreeLookup.h"

namespace lanescope::cli {

using namespace lanescope::browser;

const EventTreeNode* findEventNode(const EventTree& tree, int number, std::optional<int> ageGroup)
{
    for (const EventTreeNode* node : tree.nodesInOrder()) {
        if (node->level != 1 || !node->data || node->data->getInteger(lenex::tag::NUM) != number)
            continue;
        if (!ageGroup)
            return node;
        for (const auto& child : node->children)
            if (child->data && child->data->id() == *ageGroup)
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
