#include "browser/BrowserModels.h"

namespace lanescope::browser {

void BrowserModels::build(lenex::TLenex& document, int competitionIndex, const ProgressText& progress)
{
    clear();
    document.selectCompetition(competitionIndex);
    events.BuildEventTree(document, lists, progress);
    clubs.BuildClubTree(
        document, images, [this](lenex::TLnxObject& item) { lists.AddToResultList(item); }, progress);
    lists.SortResultLists(progress);
}

void BrowserModels::clear()
{
    clubs.ClearClubTree();
    events.clear();
    lists.ClearResultLists();
}

} // namespace lanescope::browser
