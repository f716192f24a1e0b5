#pragma once

#include "browser/PaintBox.h"
#include "lenex/LnxElement.h"

#include <string>
#include <string_view>

/** Cell texts and cells that the list pages and the clipboard texts share. */
namespace lanescope::browser {

/** The language text, or the form's own caption when the loaded language lacks it. */
std::string languageTextOr(char section, int number, const char* caption);

/** The PERSON or RELAY whose RESULTS or ENTRIES hold the item; nullptr for a stray item. */
const lenex::TLnxObject* ownerOf(const lenex::TLnxObject& item);
/** The CLUB that holds the PERSON or RELAY; nullptr when there is none. */
const lenex::TLnxObject* clubOf(const lenex::TLnxObject* owner);

/**
 * Place of a RESULT: the text of its status code when it has a CODE ("DSQ"), else "%d." for a positive place
 * in the list of the age group (its RANK for age group 0, swim::placeInAgeGroup), else empty. Empty for an
 * ENTRY.
 */
std::string placeText(lenex::TLnxObject& result, int ageGroupId = 0);

/** The time of a list row as shown: its text and style (text flags), and whether anything is shown. */
struct TimeCell
{
    std::string text;
    int style = 0;
    bool shown = false;
};

/**
 * The time cell by the kind letter of TIME: "V" bold, "I" italic, "E" plain, "L" nothing (not shown), any
 * other letter an empty plain text. The printed reports use it too.
 */
TimeCell timeCell(const lenex::TLnxObject& item);

/** The time cell drawn right-aligned at x. */
void drawTimeCell(TvnxPaintBox& box, int x, int y, const lenex::TLnxObject& item);

/**
 * Remark of an athlete's row: the COMMENT; for an EVENT whose round has a text (swim::roundText: not "TIM",
 * not empty) the round text in brackets, followed by ",  " and the COMMENT when there is one.
 */
std::string remarkText(const lenex::TLnxObject& item, const lenex::TLnxObject* event);

/** True when the text is not empty and a piece of the list of codes ("FIN-TIM"). */
bool typeIn(std::string_view type, std::string_view codes);

} // namespace lanescope::browser
