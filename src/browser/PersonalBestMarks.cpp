#include "browser/PersonalBestMarks.h"

#include "browser/ListCells.h"

namespace lanescope::browser {

void drawPersonalBestMark(TvnxPaintBox& box, int timeRight, int y, const PersonalBestMarks* marks,
                          const lenex::TLnxObject& item)
{
    if (marks == nullptr || !marks->contains(&item))
        return;
    const TimeCell cell = timeCell(item);
    const FontStyle style = (cell.style & textflag::bold) != 0 ? FontStyle::Bold : FontStyle::Plain;
    const int timeWidth = cell.shown ? box.measure().textWidth(cell.text, style) : 0;
    box.AddText(timeRight - timeWidth - 4, y, 0, textflag::right, languageTextOr('V', 204, "PB"));
}

} // namespace lanescope::browser
