#pragma once

#include <functional>
#include <string>

/**
 * The language-dependent display lists of the swimming vocabulary: semicolon-separated texts, built-in
 * English until a language replaces them. They are process-wide; refresh them from the thread that owns the
 * language, never while another thread formats.
 */
namespace lanescope::swim {

/** A data text of the loaded language by section letter and number; empty when the language lacks it. */
using TextLookup = std::function<std::string(char section, int number)>;

/**
 * Replaces the display lists by the S texts of the loaded language. A list whose text the language lacks
 * (empty) keeps the built-in English value.
 */
void refreshDisplayLists(const TextLookup& text);
/** Back to the built-in English lists. */
void resetDisplayLists();

enum class DisplayList
{
    Pools,               // by pool index + 1
    RelayPrefixes,       // by relay count index + 1
    Strokes,             // individual events, by stroke index + 1
    RelayStrokes,        // relay events, by stroke index + 1
    GendersLong,         // by gender position + 1
    GendersShort,        // by gender position + 1
    Statuses,            // by status number + 1
    OpenAge,             // 1 short form, 2 long form
    SingleAge,           // "%s": 1 years form, 2 age-group form
    UpperAgeOnly,        // "%d": 1 years form, 2 age-group form
    LowerAgeOnly,        // "%d": 1 years form, 2 age-group form
    TeamLabel,           // "%d": the unnamed relay team
    Rounds,              // 1 prelims, 2 swim-offs, 3 semi-finals, 4 final
    StrokeAbbreviations, // by stroke index + 1
    FinalNames,          // final, A-, B-, C-final, "%d" semi-final, "%d" heat
    FinalShortNames,     // final, A, B, C, "%d" semi-final
    RecordNames,         // meet, world, Olympic, ... record
    StatusCodes,         // disqualified, did not start, did not finish, withdrawn
};

/** Item n (1-based) of a list: n below 1 gives the first item, n beyond the list empty text. */
std::string displayItem(DisplayList list, int n);

} // namespace lanescope::swim
