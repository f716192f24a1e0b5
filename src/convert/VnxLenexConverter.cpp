#include "convert/VnxLenexConverter.h"

#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "convert/VnxLenexConverterLenex3.h"
#include "lenex/LnxNodeArena.h"
#include "lenex/LnxWriter.h"
#include "swim/TextFormat.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace lanescope::convert {

using namespace lenex;

TVnxLenexConverterAbstract::TVnxLenexConverterAbstract(TLenex& document)
    : FDocument(document)
{
}

void TVnxLenexConverterAbstract::NewDocument(const std::string& softwareName,
                                             const std::string& softwareVersion,
                                             const std::string& fileVersion)
{
    FDocument.clear();
    FDocument.newDocument(softwareName, softwareVersion);
    FDocument.root()->setText(tag::VERSION, fileVersion);
}

TLnxObject* TVnxLenexConverterAbstract::AddCompetition(const std::string& name, int poolIndex)
{
    TLnxCollection* competitions = FDocument.root()->findOrAddCollection(tag::COMPETITIONS);
    TLnxObject* competition = competitions->newItem();
    competition->addCollection(tag::PERIODS);
    competition->addCollection(tag::CLUBS);
    competition->setText(tag::NAME, base::trim(name));
    if (poolIndex < 0 || poolIndex >= static_cast<int>(std::size(kPools)))
        throw std::out_of_range("Range check error: pool index " + std::to_string(poolIndex));
    competition->setPoolIndex(poolIndex);
    return competition;
}

void TVnxLenexConverterAbstract::showStatus(const std::string& text) const
{
    if (FStatus)
        FStatus(text);
}

void TVnxLenexConverterAbstract::runGuarded(const char* dumpName, const std::function<void()>& conversion)
{
    FErrorCount = 0;
    FErrorMessage.clear();
    try {
        // The converted tree's nodes in blocks of their own, which go back when the document closes.
        const TLnxNodeArena arena;
        conversion();
    } catch (const std::exception& error) {
        FErrorCount = 1;
        // A language text raised without a loaded language is empty; the user still learns that it failed.
        FErrorMessage = *error.what() ? error.what() : "The file could not be converted.";
    }
    showStatus({});
    if (developerMode() && FDocument.root()) {
        const char* temp = std::getenv("TMPDIR");
        const std::filesystem::path folder =
            std::filesystem::path(temp && *temp ? temp : "/tmp") / "lanescope-dumps";
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        // The writer prunes what it writes; a copy keeps the document as converted.
        const std::unique_ptr<TLnxAbstractElement> copy = FDocument.root()->clone();
        saveDocument(*copy->asObject(), (folder / (std::string("tmpConvert_") + dumpName + ".lef")).string());
    }
}

void TVnxLenexConverter::Load(const std::string& fileName)
{
    // Today's Lenex (version 2 and later) is converted; the first generation is loaded as it stands.
    if (const lenex3::SniffedFile sniffed = lenex3::sniffLenexFile(fileName); sniffed.lenex3) {
        TVnxLenexConverterLenex3 converter(FDocument);
        converter.setStatusCallback([this](const std::string& text) { showStatus(text); });
        converter.Load(sniffed.path);
        FErrorCount = converter.errorCount();
        FErrorMessage = converter.errorMessage();
        return;
    }
    FDocument.load(fileName, [this](int position) {
        showStatus(swim::formatText(base::languageText('S', 41), {position / 100 * 100}));
    });
    showStatus({});
    FErrorCount = static_cast<int>(FDocument.errors().size());
    std::string lines;
    for (const std::string& error : FDocument.errors())
        lines += error + "\r\n";
    // Without a language file the error lines still reach the user.
    std::string heading = base::languageText('S', 43);
    if (heading.empty())
        heading = "%s";
    FErrorMessage = FErrorCount > 0 ? swim::formatText(heading, {std::string_view(lines)}) : "";
}

bool developerMode()
{
    const char* flag = std::getenv("LANESCOPE_DEBUG");
    return flag && base::strToIntDef(flag, 0) != 0;
}

} // namespace lanescope::convert
