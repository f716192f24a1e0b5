#pragma once

#include <string>
#include <string_view>

/** Gender, result status, pool, relay team and round codes and their display texts. */
namespace lanescope::swim {

/** Gender positions. */
enum Gender : int
{
    gdMale = 0,
    gdFemale = 1,
    gdMixed = 2,
};

/**
 * Gender of a code in any letter case: a piece of "HM" is male, a piece of "DFW" female, everything else
 * (empty text, "X", "MIXED") mixed.
 */
int genderOf(std::string_view text);
/** Long ("Men") or short ("M") text of a gender position; positions outside 0..2 are clamped. */
std::string genderText(int gender, bool longForm);

/**
 * Status number of a result CODE, without regard to case: empty 0, "EX" 1, "DQ" and "DSQ" 2, "DNS" and
 * "WDR" (withdrawn, so not started) 3, "DNF" 4, "DQFULL" 5, "DQ10" 7, "DQ20" 8, anything else 0.
 */
int statusNumberOf(std::string_view code);
/** Empty for 0, else the display text of the status number ("DQ"). */
std::string statusText(int statusNumber);
/**
 * The text a list shows for a result status code (any case, blanks around it ignored), in the loaded
 * language: disqualified ("DSQ" or "DQ"), did not start ("DNS"), did not finish ("DNF") and withdrawn
 * ("WDR") from the status code list (S80, "DSQ;DNS;DNF;WDR" in English); the other codes of
 * `statusNumberOf` their status text; any other code as it stands ("SUI.RED10"); empty for an empty code.
 */
std::string statusCodeText(std::string_view code);
/**
 * True for a code `statusNumberOf` knows (blanks around it ignored). A swim with a code outside the table
 * (a league's own penalty code) keeps its time as valid: the code says something about the swim, not that
 * it did not count.
 */
bool isKnownStatusCode(std::string_view code);

/** Name of a pool index ("50m Pool"). */
std::string poolText(int poolIndex);
/** "3. team" for an unnamed relay team, followed by ", " and the long gender text when gender is 0 or more.
 */
std::string teamLabel(int number, int gender);
/**
 * Name of a round code, without regard to case and blanks around it: "PRE", the swim-offs "SOP", "SOS",
 * "SOF", "SO4" and "SOQ", "SEM", "FIN", "FHT"; empty for "TIM" and empty text; any other code as it stands.
 */
std::string roundText(std::string_view code);

} // namespace lanescope::swim
