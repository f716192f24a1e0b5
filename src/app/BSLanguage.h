#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lanescope::app {

/** The index-th ;-separated part of a list, counted from 0; empty when the list is shorter. */
std::string_view listPart(std::string_view list, int index);

/** Markup of language texts: a backslash followed by breakLetter becomes "\r\n", every "_" a blank. */
std::string expandTextMarks(std::string_view text, char breakLetter);

/**
 * Sets the month and day names of the current format settings from ;-separated lists in calendar order
 * (January first, Sunday first). Empty parts, and the names of an empty list, stay as they were.
 */
void setDateNames(std::string_view longMonths, std::string_view shortMonths, std::string_view longDays,
                  std::string_view shortDays);

/**
 * The base library's keyed text store. Its text has sections "[Data.name]" of key=value lines and
 * "[Form.name]" of plain lines ("." stands for an empty line); ";" starts a comment line; blanks around a
 * line and every "$" are dropped. Keys and section names compare without regard to ASCII case; the first
 * of two equal keys counts.
 */
class TBSLanguage
{
public:
    /** Reads the store from text in the format above and sets the date names of the format settings. */
    explicit TBSLanguage(std::string_view data);

    /** The program's store, filled from the English texts built into the program on first use. */
    static TBSLanguage& instance();

    /**
     * The value of a reference "#" + section + "." + key, taken from the section "Data." + section; with
     * item >= 0 only its item-th ;-separated part (from 0). In the value "\n" becomes "\r\n" and "_" a
     * blank. A text that is no reference, or names a missing key, comes back unchanged.
     */
    std::string Text(std::string_view reference, int item = -1) const;

    /** The lines of the form section of that name, or nullptr. */
    const std::vector<std::string>* formLines(std::string_view name) const;

private:
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    std::map<std::pair<std::string, std::string>, std::string> values_; // lower-cased section and key
    std::map<std::string, std::vector<std::string>> forms_;             // lower-cased name
};

} // namespace lanescope::app
