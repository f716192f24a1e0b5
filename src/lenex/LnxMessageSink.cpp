#include "lenex/LnxMessageSink.h"

namespace lanescope::lenex {

std::string formatMessage(const std::string& text, int position)
{
    return position != 0 ? "Line " + std::to_string(position) + ": " + text : text;
}

void TLnxMessageList::addMessage(const std::string& text, int position, bool warning)
{
    (warning ? FWarnings : FErrors).push_back(formatMessage(text, position));
}

void TLnxMessageList::clear()
{
    FErrors.clear();
    FWarnings.clear();
}

} // namespace lanescope::lenex
