#include "library/MeetLoading.h"

#include "base/LanguageTexts.h"
#include "convert/ConverterChoice.h"
#include "library/MeetReader.h"

namespace lanescope::library {

namespace {

// Language texts end lines with CR LF; a reason is one line.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    const std::size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

} // namespace

bool loadMeets(const std::string& fileName, std::vector<MeetRecord>& meets, std::string& reason)
{
    lenex::TLenex document;
    const auto converter = convert::createConverter(convert::chooseConverter(fileName), document);
    if (!converter) {
        reason = oneLine(base::languageText('V', 32));
        if (reason.empty())
            reason = "not a result file of a supported type";
        return false;
    }
    converter->Load(fileName);
    if (converter->errorCount() > 0) {
        reason = oneLine(converter->errorMessage());
        if (reason.empty())
            reason = "the file did not load";
        return false;
    }
    document.buildIndexes();
    meets = readMeets(document);
    return true;
}

} // namespace lanescope::library
