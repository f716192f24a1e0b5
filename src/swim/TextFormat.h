#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

/** Fills the printf-style texts of the language files without handing them to the C library. */
namespace lanescope::swim {

using FormatArg = std::variant<int, std::string_view>;

/**
 * Replaces the directives "%d", "%s" and "%.Nd" (N of one or two digits: at least N digits, zero padded) by
 * the arguments in order, and "%%" by "%". Each directive takes the next argument in its own form (a number
 * for "%s" is written in decimal, a text for "%d" as it stands). Every other "%" sequence, and every
 * directive left without an argument, stays literal; surplus arguments are ignored. Never fails.
 */
std::string formatText(std::string_view format, std::initializer_list<FormatArg> args);

} // namespace lanescope::swim
