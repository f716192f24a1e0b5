#pragma once

#include <string_view>

/**
 * The order of names by the rules of the screen language: in German "Ä" sorts with "A", in Swedish after
 * "Z"; every script has its place. Letter case does not count.
 */
namespace lanescope::base {

/**
 * Sets the locale whose rules order names ("de", "de_CH", "sv", "ru"); an empty or unknown name gives the
 * common rules of every language. The language manager sets it with the screen language.
 */
void setCollationLocale(std::string_view locale);

/**
 * Three-way comparison of two UTF-8 names by the collation rules, without regard to case: negative, 0 or
 * positive. Names the rules count as equal are ordered by compareText, then by their bytes, so 0 means the
 * same bytes and sorting is repeatable.
 */
int compareNames(std::string_view a, std::string_view b);

} // namespace lanescope::base
