#include "convert/Dsv7Reader.h"

#include "base/CodePage.h"
#include "base/Strings.h"
#include "base/TempFolder.h"
#include "base/ZipArchive.h"
#include "convert/Dsv7Values.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lanescope::convert {

namespace {

using base::trimView;

// The largest real files hold well under a megabyte; anything far larger is refused rather than read.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;

struct KeywordKind
{
    std::string_view keyword;
    Dsv7Kind kind;
};

constexpr KeywordKind kKeywords[] = {
    {"FORMAT", Dsv7Kind::Format},
    {"ERZEUGER", Dsv7Kind::Erzeuger},
    {"VERANSTALTUNG", Dsv7Kind::Veranstaltung},
    {"VERANSTALTER", Dsv7Kind::Veranstalter},
    {"AUSRICHTER", Dsv7Kind::Ausrichter},
    {"VERANSTALTUNGSORT", Dsv7Kind::Veranstaltungsort},
    {"AUSSCHREIBUNGIMNETZ", Dsv7Kind::AusschreibungImNetz},
    {"MELDESCHLUSS", Dsv7Kind::Meldeschluss},
    {"MELDEGELD", Dsv7Kind::Meldegeld},
    {"ABSCHNITT", Dsv7Kind::Abschnitt},
    {"WETTKAMPF", Dsv7Kind::Wettkampf},
    {"WERTUNG", Dsv7Kind::Wertung},
    {"PFLICHTZEIT", Dsv7Kind::Pflichtzeit},
    {"VEREIN", Dsv7Kind::Verein},
    {"ANSPRECHPARTNER", Dsv7Kind::Ansprechpartner},
    {"PNERGEBNIS", Dsv7Kind::PnErgebnis},
    {"PNZWISCHENZEIT", Dsv7Kind::PnZwischenzeit},
    {"PNREAKTION", Dsv7Kind::PnReaktion},
    {"STERGEBNIS", Dsv7Kind::StErgebnis},
    {"STAFFELPERSON", Dsv7Kind::Staffelperson},
    {"STZWISCHENZEIT", Dsv7Kind::StZwischenzeit},
    {"STABLOESE", Dsv7Kind::StAbloese},
    {"PERSON", Dsv7Kind::Person},
    {"PERSONENERGEBNIS", Dsv7Kind::PersonenErgebnis},
    {"STAFFEL", Dsv7Kind::Staffel},
    {"STAFFELERGEBNIS", Dsv7Kind::StaffelErgebnis},
    {"PNMELDUNG", Dsv7Kind::PnMeldung},
    {"STARTPN", Dsv7Kind::StartPn},
    {"STMELDUNG", Dsv7Kind::StMeldung},
    {"STARTST", Dsv7Kind::StartSt},
    {"DATEIENDE", Dsv7Kind::DateiEnde},
};

Dsv7Kind kindOf(std::string_view keyword)
{
    for (const KeywordKind& entry : kKeywords)
        if (base::asciiSameText(entry.keyword, keyword))
            return entry.kind;
    return Dsv7Kind::Other;
}

Dsv7List listOf(std::string_view name)
{
    constexpr std::pair<std::string_view, Dsv7List> kLists[] = {
        {"Wettkampfergebnisliste", Dsv7List::Results},
        {"Wettkampfdefinitionsliste", Dsv7List::Definition},
        {"Vereinsmeldeliste", Dsv7List::ClubEntries},
        {"Vereinsergebnisliste", Dsv7List::ClubResults},
    };
    for (const auto& [text, list] : kLists)
        if (base::asciiSameText(text, name))
            return list;
    return Dsv7List::Unknown;
}

std::string readFile(const std::string& fileName, std::uintmax_t limit)
{
    const std::string failure = "Cannot open file \"" + fileName + "\". ";
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    if (error)
        throw std::runtime_error(failure + error.message());
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::runtime_error(failure + std::strerror(errno));
    if (size <= limit)
        return {std::istreambuf_iterator<char>(in), {}};
    std::string head(static_cast<std::size_t>(limit), '\0');
    in.read(head.data(), static_cast<std::streamsize>(limit));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

bool isDsvName(std::string_view name)
{
    for (const char* mask : {"*.dsv", "*.dsv6", "*.dsv7", "*.dsv8"})
        if (base::matchesMask(name, mask))
            return true;
    return false;
}

// The whole file, or the first DSV member of an archive; only limit bytes when the caller needs the start.
std::string readDsvBytes(const std::string& fileName, std::uintmax_t limit)
{
    if (!base::asciiSameText(std::filesystem::path(fileName).extension().string(), ".zip")) {
        if (limit == kMaxFileBytes && std::filesystem::file_size(fileName) > kMaxFileBytes)
            throw std::runtime_error("Cannot open file \"" + fileName + "\". The file is too large.");
        return readFile(fileName, limit);
    }
    base::ZipArchive archive;
    if (!archive.open(fileName))
        throw std::runtime_error("Cannot open file \"" + fileName + "\". " + archive.errorText());
    for (const base::ZipMember& member : archive.membersMatching("*")) {
        if (!isDsvName(member.name))
            continue;
        const base::ZipExtractResult extracted =
            archive.extractMember(member.index, base::privateTempFolder(), kMaxFileBytes);
        if (!extracted.ok())
            throw std::runtime_error(extracted.error);
        const base::TempFileGuard extractedFile(extracted.path);
        return readFile(extracted.path, limit);
    }
    throw std::runtime_error("The archive \"" + fileName + "\" holds no DSV file.");
}

// The line without its "(*...*)" comments; an unclosed "(*" runs to the end of the line.
std::string withoutComments(std::string_view line)
{
    std::string kept;
    std::size_t pos = 0;
    for (std::size_t open; (open = line.find("(*", pos)) != std::string_view::npos;) {
        kept.append(line.substr(pos, open - pos));
        const std::size_t close = line.find("*)", open + 2);
        if (close == std::string_view::npos)
            return kept;
        pos = close + 2;
    }
    kept.append(line.substr(pos));
    return kept;
}

// Calls f(line, number) for each line of the text; lines end in LF, a CR before it is dropped.
template <class F> void forEachLine(std::string_view text, F&& f)
{
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!f(line, ++number))
            return;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

// The keyword of a record line: the text before its first colon, or before a ";" in a line without colon
// ("DATEIENDE", sometimes "DATEIENDE;").
std::string_view keywordOf(std::string_view line)
{
    return trimView(line.substr(0, std::min(line.find_first_of(":;"), line.size())));
}

} // namespace

Dsv7Fields::Dsv7Fields(std::string_view text)
{
    while (FCount < kMaxFields) {
        const std::size_t end = text.find(';');
        FFields[static_cast<std::size_t>(FCount++)] = trimView(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
        if (text.empty())
            break;
    }
    // A text without any field ("") counts as none.
    if (FCount == 1 && FFields[0].empty())
        FCount = 0;
}

std::string_view Dsv7Fields::operator[](int n) const
{
    return n >= 1 && n <= FCount ? FFields[static_cast<std::size_t>(n - 1)] : std::string_view{};
}

int Dsv7Fields::number(int n, int fallback) const { return dsv7::numberOf((*this)[n], fallback); }

TDsv7Reader::TDsv7Reader(const std::string& fileName) { prepare(readDsvBytes(fileName, kMaxFileBytes)); }

std::unique_ptr<TDsv7Reader> TDsv7Reader::fromBytes(std::string bytes)
{
    std::unique_ptr<TDsv7Reader> reader(new TDsv7Reader);
    reader->prepare(std::move(bytes));
    return reader;
}

void TDsv7Reader::prepare(std::string bytes)
{
    std::string_view view = bytes;
    if (view.starts_with("\xEF\xBB\xBF"))
        view.remove_prefix(3);
    FText =
        base::isValidUtf8(view) ? std::string(view) : base::decodeToUtf8(view, base::CodePage::Windows1252);
    forEachLine(FText, [this](std::string_view line, int number) {
        addLine(line, number);
        return !FComplete && !FStopped;
    });
}

void TDsv7Reader::addLine(std::string_view line, int lineNumber)
{
    if (line.find("(*") != std::string_view::npos)
        line = FCleanedLines.emplace_back(withoutComments(line));
    line = trimView(line);
    if (line.empty())
        return;
    const Dsv7Kind kind = kindOf(keywordOf(line));
    // Only a FORMAT record opens a list; a file that begins otherwise stays of unknown type.
    if (!FStarted && kind != Dsv7Kind::Format) {
        FStopped = true;
        return;
    }
    FStarted = true;
    if (kind == Dsv7Kind::DateiEnde) {
        FComplete = true;
        return;
    }
    if (kind == Dsv7Kind::Other)
        return;
    const std::size_t colon = line.find_first_of(":;");
    const std::string_view text =
        colon != std::string_view::npos && line[colon] == ':' ? line.substr(colon + 1) : std::string_view{};
    FRecords.push_back({text, lineNumber, kind, text.ends_with(';')});
    if (kind == Dsv7Kind::Format && FRecords.size() == 1) {
        const Dsv7Fields fields(text);
        FListType = listOf(fields[1]);
        FVersion = fields.number(2, 0);
    }
}

bool textStartsWithFormatRecord(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    bool format = false;
    forEachLine(text, [&](std::string_view line, int) {
        const std::string cleaned = withoutComments(line);
        if (trimView(cleaned).empty())
            return true;
        format = base::asciiSameText(keywordOf(cleaned), "FORMAT");
        return false;
    });
    return format;
}

bool startsWithFormatRecord(const std::string& fileName)
{
    try {
        // Comment blocks before FORMAT are a few lines long.
        return textStartsWithFormatRecord(readDsvBytes(fileName, 64 * 1024));
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace lanescope::convert
