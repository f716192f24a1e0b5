#include "browser/AthleteListDrawing.h"

#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "browser/AthleteRows.h"
#include "browser/ListCells.h"
#include "browser/SplitsBlock.h"
#include "swim/LenexTexts.h"
#include "swim/TextFormat.h"

#include <algorithm>

namespace lanescope::browser {

using namespace lenex;

namespace {

constexpr int kFirstRowY = 5;
constexpr int kLineHeight = 15;
constexpr int kRowHeightWithSplits = 17;
constexpr int kTextX = 10;
constexpr int kMarkWidth = 3; // the bar of a new or changed result
constexpr int kCountRight = 200;
constexpr int kRemarkRoom = 260; // kept for the remarks right of the sections when they are fitted

void drawStatistic(TvnxPaintBox& box, const TClubStatistic& statistic)
{
    const struct
    {
        int textNumber;
        std::int32_t count;
    } lines[] = {
        {17, statistic.members},          {18, statistic.individualEntries}, {19, statistic.relayEntries},
        {20, statistic.individualStarts}, {21, statistic.relayStarts},       {14, statistic.firstPlaces},
        {15, statistic.secondPlaces},     {16, statistic.thirdPlaces},       {22, statistic.finals},
        {23, statistic.semifinals},
    };
    int y = kFirstRowY;
    for (const auto& line : lines) {
        if (line.count <= 0)
            continue;
        box.AddText(kTextX, y, 0, 0, base::languageText('V', line.textNumber));
        box.AddText(kCountRight, y, 0, textflag::right, std::to_string(line.count));
        y += kLineHeight;
    }
    y += 10;
    const TLnxObject* contact = statistic.club ? statistic.club->findObject(tag::CONTACT) : nullptr;
    if (!contact)
        return;
    const auto valueOrEmpty = [contact](const char* prefix, TLnxTagId valueTag) {
        const std::string& value = contact->getText(valueTag);
        return value.empty() ? std::string() : prefix + value;
    };
    // Email and URL lines show their caption even without an address.
    const std::string contactLines[] = {
        base::languageText('V', 24),
        base::trim(contact->getText(tag::FNAME) + " " + contact->getText(tag::NAME)),
        contact->getText(tag::STREET),
        base::trim(contact->getText(tag::ZIP) + " " + contact->getText(tag::PLACE)),
        valueOrEmpty(base::languageText('V', 25).c_str(), tag::PHONE),
        valueOrEmpty(base::languageText('V', 26).c_str(), tag::FAX),
        "Email: " + contact->getText(tag::EMAIL),
        "URL: " + contact->getText(tag::INTERNET),
    };
    for (const std::string& line : contactLines) {
        if (line.empty())
            continue;
        box.AddText(kTextX, y, 0, 0, line);
        y += kLineHeight;
    }
}

void drawItems(TvnxPaintBox& box, const ClubHeader& header, const ClubTreeNode& node, const TLenex& document,
               const ClubPageOptions& options)
{
    const std::array<int, 7> x = columnEdges(header);
    const int placeCentre = x[4] + header[4].width / 2 - 1;
    int y = kFirstRowY;
    for (const AthleteRow& row : athleteRows(document, node)) {
        TLnxObject* item = row.item;
        const int eventId = item->getInteger(tag::EID);
        const TLnxObject* event = document.eventById(eventId);
        const TLnxObject* ageGroup = document.ageGroupByIds(eventId, item->getInteger(tag::CID));
        const bool isResult = item->tag() == tag::RESULT;
        if (isResult && options.onlyValidResults && !IsValidResult(*item))
            continue;
        if (isResult && options.changes != nullptr && options.changes->marked(*item))
            box.AddBar(0, y, kMarkWidth, kLineHeight - 2, ColourRole::Changed);
        box.AddText(x[1] / 2 - 1, y, 0, textflag::centre, event ? event->getText(tag::NUM) : std::string());
        box.AddText(x[1] + 3, y, x[2] - x[1] - 6, 0,
                    event ? swim::eventText(document, *event) : std::string());
        if (ageGroup)
            box.AddText(x[2] + 3, y, x[3] - x[2] - 6, 0, swim::ageGroupText(document, ageGroup));
        drawTimeCell(box, x[4] - 3, y, *item);
        drawPersonalBestMark(box, x[4] - 3, y, options.personalBests, *item);
        if (isResult) {
            // Prelims, semifinals and unranked rows show their place plain; places of finals stand out.
            const std::string& type = event ? event->getText(tag::TYPE) : std::string();
            if (typeIn(type, "SEM-PRE") || item->getInteger(tag::RANK) < 1)
                box.AddText(placeCentre - 2, y, 0, textflag::centre, placeText(*item));
            else
                box.AddText(placeCentre, y, 0, textflag::centre + textflag::bold, placeText(*item));
            std::string remark = remarkText(*item, event);
            if (const std::string details = athleteRowDetails(row); !details.empty())
                remark += (remark.empty() ? "" : ",  ") + details;
            if (!remark.empty())
                box.AddText(x[6] + 5, y, 0, 0, remark);
            if (item->getInteger(tag::POINTS) > 0)
                box.AddText((x[5] + x[6]) / 2 - 2, y, 0, textflag::centre, item->getText(tag::POINTS));
        } else if (const int lane = item->getInteger(tag::LANE); lane > 0) {
            box.AddText(x[5] + 10, y, 0, 0, swim::formatText("%d / %d", {item->getInteger(tag::HEAT), lane}));
        }
        const TLnxObject* owner = ownerOf(*item);
        if (options.splitsAndNames && (isResult || (owner && owner->tag() == tag::RELAY))) {
            y = drawSplitsAndNames(box, document, *item, x[1], placeCentre, y, event);
            box.AddLine(5, y + 14, 1, y + 14, std::max(x[1] + 300, x[5] - 1));
            y += kRowHeightWithSplits;
        } else {
            y += kLineHeight;
        }
    }
}

} // namespace

void fitAthleteColumns(ClubHeader& header, const TextMeasure& measure, const ClubTreeNode* node,
                       const TLenex& document, int paneWidth)
{
    if (node == nullptr || node->statistic)
        return;
    int eventWidth = 0;
    int ageGroupWidth = 0;
    for (const AthleteRow& row : athleteRows(document, *node)) {
        const int eventId = row.item->getInteger(tag::EID);
        if (const TLnxObject* event = document.eventById(eventId))
            eventWidth =
                std::max(eventWidth, measure.textWidth(swim::eventText(document, *event), FontStyle::Plain));
        if (const TLnxObject* ageGroup = document.ageGroupByIds(eventId, row.item->getInteger(tag::CID)))
            ageGroupWidth = std::max(
                ageGroupWidth, measure.textWidth(swim::ageGroupText(document, ageGroup), FontStyle::Plain));
    }
    if (eventWidth == 0)
        return;
    shareTextSections(header[1], header[2], eventWidth, ageGroupWidth,
                      paneWidth - kRemarkRoom - header[0].width - header[3].width - header[4].width -
                          header[5].width);
}

ClubHeader defaultClubHeader()
{
    return {{
        {languageTextOr('S', 18, "Nr."), 45, 30, SectionAlignment::Centre},
        {languageTextOr('S', 16, "Disziplin"), 110, 50, SectionAlignment::Left},
        {languageTextOr('V', 31, "Kategorie"), 110, 50, SectionAlignment::Left},
        {languageTextOr('V', 11, "Zeit"), 60, 53, SectionAlignment::Right},
        {languageTextOr('V', 28, "Rg."), 40, 30, SectionAlignment::Centre},
        {languageTextOr('V', 13, "Lauf / Bahn"), 70, 0, SectionAlignment::Left},
    }};
}

ClubPageDrawing drawClubsPage(TvnxPaintBox& box, ClubHeader& header, const ClubTreeNode* node,
                              const TLenex& document, const ClubPageOptions& options)
{
    ClubPageDrawing page;
    box.Clear();
    if (node) {
        page.title = node->text;
        if (node->statistic) {
            drawStatistic(box, *node->statistic);
        } else if (node->items) {
            page.headerVisible = true;
            page.hasResults = node->items->tag() == tag::RESULTS;
            setPerListSections(header[3], header[5], page.hasResults, document.pointTable() != nullptr,
                               options.captionWidth);
            drawItems(box, header, *node, document, options);
        }
    }
    box.Finish();
    return page;
}

} // namespace lanescope::browser
