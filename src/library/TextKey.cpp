#include "library/TextKey.h"

#include <memory>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace lanescope::library {

namespace {

// Creating the transliterator parses its rules; each thread makes one and keeps it.
icu::Transliterator* accentRemover()
{
    thread_local std::unique_ptr<icu::Transliterator> remover = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> created(icu::Transliterator::createInstance(
            "NFD; [:Nonspacing Mark:] Remove; NFC", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(created) : nullptr;
    }();
    return remover.get();
}

bool plainAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string collapseBlanks(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = !result.empty();
            continue;
        }
        if (blank)
            result.push_back(' ');
        blank = false;
        result.push_back(c);
    }
    return result;
}

} // namespace

std::string textKey(std::string_view utf8)
{
    std::string folded;
    if (plainAscii(utf8)) {
        folded.assign(utf8);
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
    } else {
        icu::UnicodeString text =
            icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
        if (icu::Transliterator* remover = accentRemover())
            remover->transliterate(text);
        text.foldCase(U_FOLD_CASE_DEFAULT);
        text.toUTF8String(folded);
    }
    return collapseBlanks(folded);
}

} // namespace lanescope::library
