#pragma once

#include "lenex/LnxParser.h"

#include <string>
#include <string_view>
#include <vector>

namespace lanescope::lenex::testing {

/** The outcome of parsing one text: the root (or none) and the messages. */
struct Parsed
{
    std::unique_ptr<TLnxObject> root;
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
};

inline Parsed parseText(std::string_view text)
{
    TLnxMessageList messages;
    TLnxParser parser(messages);
    Parsed parsed;
    parsed.root = parser.parseText(text);
    parsed.errors = messages.errors();
    parsed.warnings = messages.warnings();
    return parsed;
}

/** A valid document around the given inner text, all on one line. */
inline std::string lenexDocument(std::string_view inner)
{
    return "<LENEX><VERSION>01.03.0007</VERSION>" + std::string(inner) + "</LENEX>";
}

} // namespace lanescope::lenex::testing
