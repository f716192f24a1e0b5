#pragma once

#include "browser/ClubTree.h"
#include "browser/EventTree.h"
#include "browser/ResultLists.h"

#include <string_view>

/** The find command of both pages: athletes and relays by a piece of their name. */
namespace lanescope::browser {

enum class SearchDirection
{
    Down,
    Up,
};

/**
 * The window's search state (`FFoundRow`, `FLastFoundRow`): the row the search stands at, which the next
 * drawing of the events page highlights, and the row of the last hit, where the next step starts. Rows count
 * over the whole list, rows hidden by the valid-only filter included. Both are -1 when idle and after the
 * find dialog closes.
 */
struct SearchState
{
    int FFoundRow = -1;
    int FLastFoundRow = -1;
};

/**
 * True when the find text, upper-cased, occurs anywhere in the upper-cased name (Latin letters with
 * accents too, whatever the locale). An empty find text matches nothing.
 */
bool nameMatches(std::string_view findText, std::string_view name);

/**
 * One search step on the events page. Starts beside the last hit in the selected node's list (without a
 * last hit at its first row going down, its last row going up; without a selection at the topmost node in
 * view going down, at the tree's last node going up) and walks the lists the event and age-group nodes show
 * (`ResultListFor`) in tree order; the rows' participant names are matched. An upward step from a list's
 * first row goes on to the lists before it. On a hit returns the node, and the state holds the row in both
 * fields: the caller selects the node and draws it with the found row, then forgets the found row. Returns
 * nullptr when nothing matches up to the end of the tree (the caller shows V27); the state is unchanged.
 */
const EventTreeNode* searchEventsStep(const EventTree& tree, const ResultLists& lists,
                                      const EventTreeNode* selected, const EventTreeNode* topInView,
                                      SearchDirection direction, std::string_view findText,
                                      SearchState& state);

/**
 * One search step on the participants page: the first athlete or relay node after (before) the selected
 * node whose text matches. Without a selection the walk starts at topInView going down and at the last node
 * going up, both included. nullptr when nothing matches (the caller shows V27).
 */
const ClubTreeNode* searchClubsStep(const ClubTree& tree, const ClubTreeNode* selected,
                                    const ClubTreeNode* topInView, SearchDirection direction,
                                    std::string_view findText);

} // namespace lanescope::browser
