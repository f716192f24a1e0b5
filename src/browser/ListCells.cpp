#include "browser/ListCells.h"

#include "base/LanguageTexts.h"
#include "lenex/LnxTime.h"
#include "swim/BSSwLenex.h"
#include "swim/ResultRankings.h"
#include "swim/SwimCodes.h"
#include "swim/SwimTime.h"

namespace lanescope::browser {

std::string languageTextOr(char section, int number, const char* caption)
{
    std::string text = base::languageText(section, number);
    return text.empty() ? std::string(caption) : text;
}

using namespace lenex;

const TLnxObject* ownerOf(const TLnxObject& item)
{
    const TLnxAbstractObject* collection = item.parent();
    const TLnxAbstractObject* owner = collection ? collection->parent() : nullptr;
    return owner ? owner->asObject() : nullptr;
}

const TLnxObject* clubOf(const TLnxObject* owner)
{
    const TLnxAbstractObject* collection = owner ? owner->parent() : nullptr;
    const TLnxAbstractObject* club = collection ? collection->parent() : nullptr;
    return club && club->tag() == tag::CLUB ? club->asObject() : nullptr;
}

std::string placeText(TLnxObject& result, int ageGroupId)
{
    if (result.tag() != tag::RESULT)
        return {};
    const auto view = swim::lenexView<swim::IBSLenexResult>(result);
    if (!view)
        return {};
    if (ageGroupId == 0 || !result.getText(tag::CODE).empty())
        return view->placeText();
    const int place = swim::placeInAgeGroup(result, ageGroupId);
    return place > 0 ? std::to_string(place) + "." : std::string();
}

TimeCell timeCell(const TLnxObject& item)
{
    const std::string& value = item.getText(tag::TIME);
    const char kind = value.empty() ? '\0' : value.front();
    if (kind == 'L')
        return {};
    const std::string time = swim::formatSwimTime(lenexTimeRead(value, tkAny), false);
    if (kind == 'V')
        return {time, textflag::bold, true};
    if (kind == 'I')
        return {time, textflag::italic, true};
    return {kind == 'E' ? time : std::string(), 0, true};
}

void drawTimeCell(TvnxPaintBox& box, int x, int y, const TLnxObject& item)
{
    const TimeCell cell = timeCell(item);
    if (cell.shown)
        box.AddText(x, y, 0, textflag::right + cell.style, cell.text);
}

std::string remarkText(const TLnxObject& item, const TLnxObject* event)
{
    const std::string& comment = item.getText(tag::COMMENT);
    const std::string round = event ? swim::roundText(event->getText(tag::TYPE)) : std::string();
    if (round.empty())
        return comment;
    std::string remark = "(" + round + ")";
    if (!comment.empty())
        remark += ",  " + comment;
    return remark;
}

bool typeIn(std::string_view type, std::string_view codes)
{
    return !type.empty() && codes.find(type) != std::string_view::npos;
}

} // namespace lanescope::browser
