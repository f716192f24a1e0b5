#include "base/LanguageTexts.h"

namespace lanescope::base {

namespace {

LanguageTextSource& currentSource()
{
    static LanguageTextSource source;
    return source;
}

std::string& currentTag()
{
    static std::string tag;
    return tag;
}

} // namespace

void setLanguageTag(std::string tag) { currentTag() = std::move(tag); }

const std::string& languageTag() { return currentTag(); }

void setLanguageTextSource(LanguageTextSource source) { currentSource() = std::move(source); }

std::string languageText(char section, int number, int item)
{
    const LanguageTextSource& source = currentSource();
    return source ? source(section, number, item) : std::string();
}

} // namespace lanescope::base
