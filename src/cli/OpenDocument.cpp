#include "cli/OpenDocument.h"

#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "cli/Options.h"
#include "convert/ConverterChoice.h"
#include "swim/LenexTexts.h"

#include <cstdio>

namespace lanescope::cli {

// Language texts end lines with CR LF; the terminal wants LF.
std::string terminalText(const std::string& languageText)
{
    std::string text = base::replaceAll(languageText, "\r\n", "\n");
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

bool openDocument(const std::string& fileName, lenex::TLenex& document)
{
    const convert::ConverterKind kind = convert::chooseConverter(fileName);
    const auto converter = convert::createConverter(kind, document);
    if (!converter) {
        std::fprintf(stderr, "%s\n", terminalText(base::languageText('V', 32)).c_str());
        return false;
    }
    converter->Load(fileName);
    if (converter->errorCount() > 0) {
        std::fprintf(stderr, "%s\n%s\n", terminalText(base::languageText('V', 9)).c_str(),
                     terminalText(converter->errorMessage()).c_str());
        return false;
    }
    document.buildIndexes();
    return true;
}

int openCompetition(const std::string& fileName, std::optional<int> competition, lenex::TLenex& document,
                    browser::BrowserModels& models)
{
    if (!openDocument(fileName, document))
        return 1;
    const int index = competition.value_or(1) - 1;
    if (document.competitionCount() == 0) {
        std::fprintf(stderr, "lanescope-cli: %s\n", swim::contentsText(document).c_str());
        return 2;
    }
    if (index < 0 || index >= document.competitionCount()) {
        std::fprintf(stderr, "lanescope-cli: the file has %d competitions\n", document.competitionCount());
        return 2;
    }
    models.build(document, index);
    return 0;
}

int openCompetitionOfArguments(const Arguments& arguments, const char* usage, lenex::TLenex& document,
                               browser::BrowserModels& models)
{
    Options options(arguments, {"--competition"}, {});
    const std::optional<int> competition = options.integer("--competition");
    if (!options.valid() || options.positional().size() != 1) {
        std::fputs(usage, stderr);
        return 2;
    }
    return openCompetition(options.positional()[0], competition, document, models);
}

} // namespace lanescope::cli
