#include "browser/BrowserModels.h"

namespace lanescope::browser {

void BrowserModels::build(lenex::TLenex& document, int competitionIndex, const ProgressText& progress)
{
    document.selectCompetition(competitionIndex);
    buildCurrent(document, progress);
}

void BrowserModels::buildCurrent(const lenex::TLenex& document, const ProgressText& progress)
{
    clear();
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
