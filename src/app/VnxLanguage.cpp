#include "app/VnxLanguage.h"

#include "app/BSLanguage.h"
#include "base/LanguageTexts.h"
#include "base/NameCollation.h"
#include "base/Strings.h"
#include "swim/DisplayLists.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <tuple>

namespace lanescope::app {

namespace {

constexpr std::array<std::string_view, kLanguageCount> kCodes = {
    "ch", "de", "fr", "us", "it", "nl", "es", "ru", "dk", "pl", "pt", "fi", "is",
    "se", "no", "at", "ca", "hu", "cz", "si", "hr", "tr", "mx", "uk", "xx",
};

struct LocaleRule
{
    std::string_view language; // ISO 639 code of the locale
    std::string_view country;  // ISO 3166 code; empty matches every country
    int index;
};

// German, French, English and Spanish choose by country; the first matching rule counts.
constexpr LocaleRule kLocaleRules[] = {
    {"de", "CH", 0}, {"de", "AT", 15}, {"de", "", 1},  {"fr", "CA", 16}, {"fr", "", 2},  {"en", "GB", 23},
    {"en", "", 3},   {"es", "MX", 22}, {"es", "", 6},  {"it", "", 4},    {"nl", "", 5},  {"ru", "", 7},
    {"da", "", 8},   {"pl", "", 9},    {"pt", "", 10}, {"fi", "", 11},   {"is", "", 12}, {"sv", "", 13},
    {"nb", "", 14},  {"nn", "", 14},   {"no", "", 14}, {"hu", "", 17},   {"cs", "", 18}, {"sl", "", 19},
    {"hr", "", 20},  {"tr", "", 21},
};

// The locale whose rules order names for a language: the first locale that selects it.
std::string collationLocaleOf(int index)
{
    for (const LocaleRule& rule : kLocaleRules)
        if (rule.index == index)
            return std::string(rule.language) + (rule.country.empty() ? "" : "_") + std::string(rule.country);
    return {};
}

// Texts longer than this many characters are cut.
constexpr std::size_t kMaxTextLength = 999;

bool fileExists(const std::filesystem::path& file)
{
    std::error_code error;
    return !file.empty() && std::filesystem::is_regular_file(file, error);
}

// The first count characters of UTF-8 text.
std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && count-- == 0)
            return text.substr(0, i);
    }
    return text;
}

std::optional<std::string> readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return content;
}

// Lines without their CR LF or LF ends; a final line end starts no further line.
std::vector<std::string> splitLines(std::string_view content)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (content.starts_with(kByteOrderMark))
        content.remove_prefix(kByteOrderMark.size());
    std::vector<std::string> lines;
    while (!content.empty()) {
        const std::size_t end = std::min(content.find('\n'), content.size());
        std::string_view line = content.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.emplace_back(line);
        content.remove_prefix(std::min(end + 1, content.size()));
    }
    return lines;
}

std::vector<LanguageSection> indexSections(const std::vector<std::string>& lines)
{
    std::vector<LanguageSection> sections;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].starts_with('['))
            continue;
        const std::string_view header = std::string_view(lines[i]).substr(1);
        if (!sections.empty())
            sections.back().lineCount = static_cast<int>(i) - sections.back().firstLine;
        sections.push_back({std::string(header.substr(0, header.find(']'))), static_cast<int>(i) + 1, 0});
    }
    if (!sections.empty())
        sections.back().lineCount = static_cast<int>(lines.size()) - sections.back().firstLine;
    return sections;
}

std::unique_ptr<TLanguage>& manager()
{
    static std::unique_ptr<TLanguage> instance;
    return instance;
}

} // namespace

int languageOfLocale(std::string_view locale)
{
    locale = locale.substr(0, locale.find(':'));
    const std::size_t languageEnd = std::min(locale.find_first_of("_-.@"), locale.size());
    const std::string_view language = locale.substr(0, languageEnd);
    std::string_view country;
    if (languageEnd < locale.size() && (locale[languageEnd] == '_' || locale[languageEnd] == '-')) {
        country = locale.substr(languageEnd + 1);
        country = country.substr(0, country.find_first_of(".@"));
    }
    for (const LocaleRule& rule : kLocaleRules)
        if (base::asciiSameText(language, rule.language) &&
            (rule.country.empty() || base::asciiSameText(country, rule.country)))
            return rule.index;
    return kFallbackLanguage;
}

std::string userLocale()
{
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0')
            return value;
    return "C";
}

TLanguage::TLanguage(LanguageSetup setup)
    : folders_(std::move(setup.folders))
    , programName_(std::move(setup.programName))
{
    const bool stored = setup.screen >= 0 && setup.screen < kAutomaticLanguage;
    if (!LoadLanguage(stored ? setup.screen : languageOfLocale(setup.locale), false) &&
        !LoadLanguage(kFallbackLanguage, false))
        LoadLanguage(kAutomaticLanguage, false);
    printer_ = setup.printer.value_or(screen_);
    SetHelpLanguage(setup.help.value_or(screen_));
}

std::string TLanguage::CodeOf(int index)
{
    return index >= 0 && index < kLanguageCount ? std::string(kCodes[static_cast<std::size_t>(index)])
                                                : std::string();
}

std::filesystem::path TLanguage::locate(const std::string& fileName) const
{
    for (const std::filesystem::path& folder : folders_)
        if (fileExists(folder / fileName))
            return folder / fileName;
    return folders_.empty() ? std::filesystem::path(fileName) : folders_.front() / fileName;
}

std::filesystem::path TLanguage::LanguageFileName(int index) const
{
    const std::string code = CodeOf(index);
    return code.empty() ? std::filesystem::path() : locate(programName_ + ".x" + code);
}

std::filesystem::path TLanguage::HelpFileName(int index) const
{
    const std::string code = CodeOf(index);
    return code.empty() ? std::filesystem::path() : locate(programName_ + code + ".rtf");
}

std::optional<std::pair<int, std::filesystem::path>> TLanguage::findAnyLanguageFile() const
{
    for (const std::filesystem::path& folder : folders_) {
        // Directory order differs between file systems; the smallest name makes the choice repeatable.
        std::optional<std::filesystem::path> first;
        std::error_code error;
        for (auto entry = std::filesystem::directory_iterator(folder, error);
             !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
            const std::filesystem::path& file = entry->path();
            if (base::asciiLower(file.filename().string()).find(".x") != std::string::npos &&
                fileExists(file) && (!first || file.filename() < first->filename()))
                first = file;
        }
        if (!first)
            continue;
        const std::string extension = base::asciiLower(first->extension().string());
        for (int index = 0; index < kAutomaticLanguage; ++index)
            if (extension == ".x" + CodeOf(index))
                return std::pair(index, *first);
        return std::nullopt;
    }
    return std::nullopt;
}

bool TLanguage::LoadLanguage(int index, bool refreshForms)
{
    TBSLanguage::instance();
    std::filesystem::path file;
    if (index == kAutomaticLanguage) {
        const auto found = findAnyLanguageFile();
        if (!found)
            return false;
        std::tie(index, file) = *found;
    } else {
        file = LanguageFileName(index);
    }
    const std::optional<std::string> content = fileExists(file) ? readFile(file) : std::nullopt;
    if (!content)
        return false;
    screen_ = index;
    base::setCollationLocale(collationLocaleOf(index));
    base::setLanguageTag(base::replaceAll(collationLocaleOf(index), "_", "-"));
    lines_ = splitLines(*content);
    sections_ = indexSections(lines_);
    setDateNames(Text('G', 70), Text('G', 71), Text('G', 72), Text('G', 73));
    if (refreshForms && formRefresher_)
        formRefresher_();
    if (listener_)
        listener_();
    return true;
}

const LanguageSection* TLanguage::findSection(std::string_view name) const
{
    const auto found = std::find_if(sections_.begin(), sections_.end(), [name](const LanguageSection& s) {
        return base::asciiSameText(s.name, name);
    });
    return found == sections_.end() ? nullptr : &*found;
}

std::string TLanguage::Text(char section, int number, int item) const
{
    const LanguageSection* found = findSection(std::string_view(&section, 1));
    if (found == nullptr || number < 1)
        return {};
    const std::size_t line =
        static_cast<std::size_t>(found->firstLine) + static_cast<std::size_t>(number - 1);
    if (line >= lines_.size())
        return {};
    std::string_view text = lines_[line];
    if (const std::size_t equals = text.find('='); equals != std::string_view::npos)
        text.remove_prefix(equals + 1);
    const std::string expanded = expandTextMarks(firstCharacters(text, kMaxTextLength), 'N');
    return item > 0 ? std::string(listPart(expanded, item - 1)) : expanded;
}

void TLanguage::SetHelpLanguage(int index)
{
    help_ = fileExists(HelpFileName(index)) ? index : kFallbackLanguage;
    const std::filesystem::path file = HelpFileName(help_);
    helpFile_ = fileExists(file) ? file : std::filesystem::path();
}

void TLanguage::BeginPrintLanguage()
{
    if (printer_ == screen_)
        return;
    rememberedScreen_ = screen_;
    if (!LoadLanguage(printer_, false))
        rememberedScreen_ = kAutomaticLanguage;
}

void TLanguage::EndPrintLanguage()
{
    if (rememberedScreen_ == kAutomaticLanguage)
        return;
    LoadLanguage(rememberedScreen_, false);
    rememberedScreen_ = kAutomaticLanguage;
}

void refreshSwimVocabulary(const TLanguage& language)
{
    swim::refreshDisplayLists(
        [&language](char section, int number) { return language.Text(section, number); });
}

TLanguage& createLanguageManager(LanguageSetup setup)
{
    manager() = std::make_unique<TLanguage>(std::move(setup));
    base::setLanguageTextSource(
        [](char section, int number, int item) { return manager()->Text(section, number, item); });
    refreshSwimVocabulary(*manager());
    return *manager();
}

TLanguage& LanguageManager()
{
    if (!manager())
        throw std::logic_error("the language manager is used before it was created");
    return *manager();
}

} // namespace lanescope::app
