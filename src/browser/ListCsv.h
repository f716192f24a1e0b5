#pragma once

#include "browser/ClipboardTexts.h"

#include <string>
#include <string_view>

/** The shown event list as comma-separated values for spreadsheets. */
namespace lanescope::browser {

/** One field of a CSV line: quoted (with doubled quotes) when it holds a comma, a quote or a line break. */
std::string csvField(std::string_view text);

/**
 * The rows of the list the node shows, in the options' order and filter, as RFC 4180 text (UTF-8, CR LF line
 * ends): a header row "Place,Name,Year,Club,Nation,Time,Points,Status,Heat,Lane,Reaction" and one column per
 * split distance of the list ("50m", ...), then one row per swim. A node that shows several age groups
 * starts each row with the age group ("Age group" column). Place is the number of the place; a result with a
 * status code has its text under Status. Time, place and status are the texts the list shows. Only valid
 * results with the valid-only option.
 */
std::string EventListCsv(const lenex::TLenex& document, const ResultLists& lists, const EventTreeNode& node,
                         const CopyOptions& options);

} // namespace lanescope::browser
