#include "browser/Search.h"

#include "base/TextCase.h"
#include "browser/ListCells.h"
#include "swim/LenexTexts.h"

#include <algorithm>
#include <limits>

namespace lanescope::browser {

using namespace lenex;

namespace {

// Starts a walk at the list's last row, whatever its length; unlike -1, the row above the first one.
constexpr int kFromLastRow = std::numeric_limits<int>::min();

bool rowMatches(const TLnxObject& item, std::string_view findText)
{
    const TLnxObject* owner = ownerOf(item);
    return owner && nameMatches(findText, swim::participantText(*owner, false));
}

// Walks the list the node shows from the row in the direction; a row outside the list gives no hit (an
// upward step from the first row leaves the list). On a hit the row holds the hit.
bool checkNode(const EventTreeNode& node, const ResultLists& lists, std::string_view findText, int step,
               int& row)
{
    const ResultList* list = ResultListFor(&node, lists);
    if (!list)
        return false;
    const int size = static_cast<int>(list->size());
    if (row == kFromLastRow)
        row = size - 1;
    for (; row >= 0 && row < size; row += step)
        if (rowMatches(*(*list)[static_cast<std::size_t>(row)], findText))
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
    // The first row to look at: the one beside the last hit in the selected node's list; without a last
    // hit its first (down) or last (up) row; without a selection the first row of the topmost node in view
    // (down) or the last row of the tree's last node (up).
    const EventTreeNode* start = selected;
    int row = down ? 0 : kFromLastRow;
    if (!start)
        start = down ? topInView : (nodes.empty() ? nullptr : nodes.back());
    else if (state.FLastFoundRow >= 0)
        row = state.FLastFoundRow + step;
    const auto at = std::find(nodes.begin(), nodes.end(), start);
    if (at == nodes.end())
        return nullptr;
    for (auto index = at - nodes.begin(); index >= 0 && index < static_cast<std::ptrdiff_t>(nodes.size());
         index += step) {
        if (index != at - nodes.begin())
            row = down ? 0 : kFromLastRow;
        const EventTreeNode& node = *nodes[static_cast<std::size_t>(index)];
        if (checkNode(node, lists, findText, step, row)) {
            state.FFoundRow = state.FLastFoundRow = row;
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
