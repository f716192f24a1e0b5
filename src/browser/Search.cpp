#include "browser/Search.h"

#include "base/TextCase.h"
#include "browser/ListCells.h"
#include "swim/LenexTexts.h"

#include <algorithm>

namespace lanescope::browser {

using namespace lenex;

namespace {

// The list a node holds by its own key; unlike the drawing, an "FHT" event is not redirected.
const ResultList* ownList(const EventTreeNode& node, const ResultLists& lists)
{
    if (!node.data || node.level < 1)
        return nullptr;
    if (node.level == 1)
        return lists.find(ResultLists::eventKey(node.data->id()));
    if (!node.parent || !node.parent->data)
        return nullptr;
    return lists.find(ResultLists::ageGroupKey(node.parent->data->id(), node.data->id()));
}

bool rowMatches(const TLnxObject& item, std::string_view findText)
{
    const TLnxObject* owner = ownerOf(item);
    return owner && nameMatches(findText, swim::participantText(*owner, false));
}

// Walks the node's list from the found row in the direction; -1 means from the last row.
bool checkNode(const EventTreeNode& node, const ResultLists& lists, std::string_view findText, int step,
               int& foundRow)
{
    const ResultList* list = ownList(node, lists);
    if (!list)
        return false;
    const int size = static_cast<int>(list->size());
    if (foundRow == -1)
        foundRow = size - 1;
    for (; foundRow >= 0 && foundRow < size; foundRow += step)
        if (rowMatches(*(*list)[static_cast<std::size_t>(foundRow)], findText))
            return true;
    return false;
}

} // namespace

bool nameMatches(std::string_view findText, std::string_view name)
{
    return !findText.empty() && base::upperCase(name).find(base::upperCase(findText)) != std::string::npos;
}

const EventTreeNode* searchEventsStep(const EventTree& tree, const ResultLists& lists,
                                      const EventTreeNode* selected, const EventTreeNode* topInView,
                                      SearchDirection direction, std::string_view findText,
                                      SearchState& state)
{
    const std::vector<const EventTreeNode*> nodes = tree.nodesInOrder();
    const bool down = direction == SearchDirection::Down;
    const int step = down ? 1 : -1;
    state.FFoundRow = state.FLastFoundRow;
    const EventTreeNode* start = selected;
    if (!start) {
        start = down ? topInView : (nodes.empty() ? nullptr : nodes.back());
        state.FFoundRow = down ? -1 : 0;
    }
    state.FFoundRow += step;
    const auto at = std::find(nodes.begin(), nodes.end(), start);
    if (at == nodes.end())
        return nullptr;
    for (auto index = at - nodes.begin(); index >= 0 && index < static_cast<std::ptrdiff_t>(nodes.size());
         index += step) {
        if (index != at - nodes.begin())
            state.FFoundRow = down ? 0 : -1;
        const EventTreeNode& node = *nodes[static_cast<std::size_t>(index)];
        if (checkNode(node, lists, findText, step, state.FFoundRow)) {
            state.FLastFoundRow = state.FFoundRow;
            return &node;
        }
    }
    return nullptr;
}

const ClubTreeNode* searchClubsStep(const ClubTree& tree, const ClubTreeNode* selected,
                                    const ClubTreeNode* topInView, SearchDirection direction,
                                    std::string_view findText)
{
    const bool down = direction == SearchDirection::Down;
    const ClubTreeNode* node = selected ? (down ? tree.nextNode(*selected) : tree.previousNode(*selected))
                                        : (down ? topInView : tree.lastNode());
    for (; node; node = down ? tree.nextNode(*node) : tree.previousNode(*node))
        if (node->level() == 2 && nameMatches(findText, node->text))
            return node;
    return nullptr;
}

} // namespace lanescope::browser
