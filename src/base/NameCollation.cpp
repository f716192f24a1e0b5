#include "NameCollation.h"

#include "TextCase.h"

#include <memory>
#include <string>
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/stringpiece.h>

namespace lanescope::base {

namespace {

struct Collation
{
    std::string locale;
    std::unique_ptr<icu::Collator> collator;
};

Collation& collation()
{
    static Collation current;
    return current;
}

// Secondary strength: base letters first, accents next, case never.
std::unique_ptr<icu::Collator> makeCollator(const std::string& locale)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(
        icu::Collator::createInstance(icu::Locale::createFromName(locale.c_str()), status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status))
            return nullptr;
    }
    collator->setStrength(icu::Collator::SECONDARY);
    return collator;
}

} // namespace

void setCollationLocale(std::string_view locale)
{
    Collation& current = collation();
    if (current.collator && current.locale == locale)
        return;
    current.locale = std::string(locale);
    current.collator = makeCollator(current.locale);
}

int compareNames(std::string_view a, std::string_view b)
{
    Collation& current = collation();
    if (!current.collator)
        current.collator = makeCollator(current.locale);
    if (current.collator) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult order = current.collator->compareUTF8(
            icu::StringPiece(a.data(), static_cast<std::int32_t>(a.size())),
            icu::StringPiece(b.data(), static_cast<std::int32_t>(b.size())), status);
        if (U_SUCCESS(status) && order != UCOL_EQUAL)
            return order == UCOL_LESS ? -1 : 1;
    }
    if (const int byCase = compareText(a, b))
        return byCase;
    return a.compare(b);
}

} // namespace lanescope::base
