#include "convert/DsvReader.h"

#include "base/CodePage.h"
#include "base/Strings.h"
#include "base/TempFolder.h"
#include "base/ZipArchive.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>

namespace lanescope::convert {

namespace {

using base::isBlank;
using base::trimView;

// DSV files are small text lists; anything larger is refused rather than read into memory.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;

constexpr std::string_view kListKeywords[] = {"", "VEREINSMELDELISTE", "VEREINSERGEBNISLISTE",
                                              "WETTKAMPFERGEBNISLISTE"};

constexpr std::string_view kRecordKeywords[] = {"DATEIENDE",
                                                "FORMAT",
                                                "VERANSTALTUNG",
                                                "ABSCHNITT",
                                                "WETTKAMPF",
                                                "VEREINSMELDELISTE",
                                                "VEREIN",
                                                "VEREINSBEZEICHNUNG",
                                                "LSV",
                                                "NATION",
                                                "ANSPRECHPARTNER",
                                                "PNMELDUNG",
                                                "STMELDUNG",
                                                "STARTS",
                                                "PNERGEBNIS",
                                                "STERGEBNIS",
                                                "WK",
                                                "DSBEM"};

std::string readWholeFile(const std::string& fileName)
{
    const std::string failure = "Cannot open file \"" + fileName + "\". ";
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    if (error)
        throw std::runtime_error(failure + error.message());
    if (size > kMaxFileBytes)
        throw std::runtime_error(failure + "The file is too large.");
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::runtime_error(failure + std::strerror(errno));
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string readFirstArchivedDsv(const std::string& fileName)
{
    base::ZipArchive archive;
    if (!archive.open(fileName))
        throw std::runtime_error("Cannot open file \"" + fileName + "\". " + archive.errorText());
    const base::TVnxFileList members = archive.membersMatching("*.dsv");
    if (members.empty())
        return {};
    const base::ZipExtractResult extracted =
        archive.extractMember(members.front().index, base::privateTempFolder(), kMaxFileBytes);
    if (!extracted.ok())
        throw std::runtime_error(extracted.error);
    const base::TempFileGuard extractedFile(extracted.path);
    return readWholeFile(extracted.path);
}

// Removes "(*...*)" comments in one pass. A "*)" that stands before the next "(*" (or none at all) makes the
// comment run to the end of the text. Text kept so far holds neither delimiter, except one formed across the
// join with the rest after a deletion, which the look-ups check first.
std::string removeComments(std::string_view text)
{
    std::string kept;
    std::size_t pos = 0;
    const auto locate = [&](std::string_view delimiter) -> std::optional<std::size_t> {
        if (!kept.empty() && pos < text.size() && kept.back() == delimiter[0] && text[pos] == delimiter[1])
            return kept.size() - 1;
        const std::size_t found = text.find(delimiter, pos);
        if (found == std::string_view::npos)
            return std::nullopt;
        return kept.size() + (found - pos);
    };
    // Keeps the text up to a position of the joined text and drops that position's character.
    const auto keepUpTo = [&](std::size_t joined) {
        if (joined < kept.size())
            kept.pop_back();
        else
            kept.append(text.substr(pos, joined - kept.size()));
    };
    while (const std::optional<std::size_t> open = locate("(*")) {
        const std::optional<std::size_t> close = locate("*)");
        if (!close || *close <= *open) {
            keepUpTo(*open);
            return kept;
        }
        const std::size_t afterClose = pos + (*close - kept.size()) + 2;
        keepUpTo(*open);
        pos = afterClose;
    }
    kept.append(text.substr(pos));
    return kept;
}

// CP850 bytes of the umlauts; Windows text uses other bytes for them (and these rarely).
bool hasDosUmlauts(std::string_view bytes)
{
    for (const char c : bytes)
        switch (static_cast<unsigned char>(c)) {
        case 0x84:
        case 0x94:
        case 0x81:
        case 0x8E:
        case 0x99:
        case 0x9A:
            return true;
        default:
            break;
        }
    return false;
}

// Joins lines into one with blanks; a competition result list keeps the lines from its first "WK:" on.
std::string joinRecords(const std::vector<std::string>& lines, bool keepResultLines)
{
    std::string text;
    std::size_t i = 0;
    if (!lines.empty())
        text = lines[i++];
    for (; i < lines.size(); ++i) {
        if (keepResultLines && dsvStartsWith(trimView(lines[i]), "WK:"))
            break;
        text += ' ';
        text += lines[i];
    }
    for (; i < lines.size(); ++i) {
        text += "\r\n";
        text += lines[i];
    }
    return text;
}

// Puts a line break before every "KEYWORD:" (any case), writing the keyword in upper case. No keyword with
// its colon ends another, so one pass does what replacing keyword by keyword would.
std::string breakAtKeywords(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size();) {
        bool matched = false;
        for (const std::string_view keyword : kRecordKeywords)
            if (text.size() - i > keyword.size() && text[i + keyword.size()] == ':' &&
                base::asciiSameText(text.substr(i, keyword.size()), keyword)) {
                out += "\r\n";
                out += keyword;
                out += ':';
                i += keyword.size() + 1;
                matched = true;
                break;
            }
        if (!matched)
            out += text[i++];
    }
    // The file end marker is often written without its colon; it still gets a line of its own, so that it
    // does not end up as an extra field of the last record.
    constexpr std::string_view kEnd = "DATEIENDE";
    const std::string_view body = trimView(out);
    if (body.size() > kEnd.size() && base::asciiSameText(body.substr(body.size() - kEnd.size()), kEnd))
        out.insert(static_cast<std::size_t>(body.data() - out.data()) + body.size() - kEnd.size(), "\r\n");
    return out;
}

// A remark record runs up to its first ";" (taking in following lines until one comes); further fields on its
// line move to a line of their own. Empty lines are dropped.
std::vector<std::string> separateRemarks(std::vector<std::string> lines)
{
    std::vector<std::string> out;
    std::optional<std::string> carried;
    std::size_t next = 0;
    while (carried || next < lines.size()) {
        std::string line = carried ? std::move(*carried) : std::move(lines[next++]);
        carried.reset();
        if (dsvStartsWith(trimView(line), "DSBEM:")) {
            while (line.find(';') == std::string::npos) {
                if (next < lines.size()) {
                    line += ' ';
                    line += trimView(lines[next++]);
                } else {
                    line += ';';
                }
            }
            std::string rest = dsvFields(line, 2, dsvFieldCount(line));
            if (!rest.empty()) {
                line = dsvField(line, 1) + ";";
                carried = std::move(rest);
            }
        }
        if (!trimView(line).empty())
            out.push_back(std::move(line));
    }
    return out;
}

// The line rebuilt from its fields without surrounding blanks.
std::string trimFields(std::string_view line)
{
    std::string out;
    bool first = true;
    for (const std::string_view field : dsvSplitFields(line)) {
        if (!first)
            out += ';';
        out += trimView(field);
        first = false;
    }
    return out;
}

bool isSexLetter(std::string_view text) { return text == "M" || text == "W" || text == "WM"; }

} // namespace

std::vector<std::string_view> dsvSplitFields(std::string_view text)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t semicolon = text.find(';'); semicolon != std::string_view::npos;
         semicolon = text.find(';', start)) {
        fields.push_back(text.substr(start, semicolon - start));
        start = semicolon + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

std::string dsvField(std::string_view text, int n)
{
    if (n < 1)
        return {};
    std::size_t start = 0;
    for (int i = 1; i < n; ++i) {
        start = text.find(';', start);
        if (start == std::string_view::npos)
            return {};
        ++start;
    }
    return std::string(text.substr(start, text.find(';', start) - start));
}

std::string dsvFields(std::string_view text, int first, int last)
{
    const std::vector<std::string_view> fields = dsvSplitFields(text);
    first = std::max(first, 1);
    last = std::min(last, static_cast<int>(fields.size()));
    std::string out;
    for (int i = first; i <= last; ++i) {
        if (i > first)
            out += ';';
        out += fields[static_cast<std::size_t>(i - 1)];
    }
    return out;
}

int dsvFieldCount(std::string_view text)
{
    int count = 1;
    for (const char c : text)
        count += c == ';';
    return count;
}

bool dsvStartsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && base::asciiSameText(text.substr(0, prefix.size()), prefix);
}

std::string_view dsvListKeyword(int listType)
{
    return listType >= 0 && listType < static_cast<int>(std::size(kListKeywords))
               ? kListKeywords[static_cast<std::size_t>(listType)]
               : std::string_view{};
}

TVnxDsvReader::TVnxDsvReader(const std::string& fileName)
{
    const std::string extension = base::asciiLower(std::filesystem::path(fileName).extension().string());
    prepare(extension == ".zip" ? readFirstArchivedDsv(fileName) : readWholeFile(fileName));
}

TVnxDsvReader TVnxDsvReader::fromBytes(std::string bytes)
{
    TVnxDsvReader reader;
    reader.prepare(std::move(bytes));
    return reader;
}

void TVnxDsvReader::prepare(std::string bytes)
{
    // Comments and quotes go before the text is decoded: their bytes are the same in every code page.
    std::string cleaned = removeComments(trimView(bytes));
    std::erase(cleaned, '"');
    const std::string text = base::decodeToUtf8(
        cleaned, hasDosUmlauts(cleaned) ? base::CodePage::Cp850 : base::CodePage::Windows1252);

    const std::vector<std::string> physical = base::splitLines(trimView(text));
    const bool competitionList = text.find("WETTKAMPFERGEBNISLISTE:") != std::string::npos;
    const std::string records = breakAtKeywords(joinRecords(physical, competitionList));
    FLines = separateRemarks(base::splitLines(trimView(records)));

    FListType = dltUnknown;
    for (int type = dltCompetitionResults; type > dltUnknown; --type)
        if (!FLines.empty() && dsvStartsWith(FLines.front(), kListKeywords[type])) {
            FListType = static_cast<std::uint8_t>(type);
            break;
        }
    FFormat = FindRecord("FORMAT", 0, 1);
}

std::string TVnxDsvReader::FindRecord(std::string_view keyword, int startLine, int fieldIndex)
{
    for (FCurrentLine = std::max(startLine, 0); FCurrentLine < lineCount(); ++FCurrentLine) {
        const std::string& line = FLines[static_cast<std::size_t>(FCurrentLine)];
        if (!dsvStartsWith(line, keyword))
            continue;
        std::string_view rest = std::string_view(line).substr(keyword.size());
        while (!rest.empty() && (isBlank(rest.front()) || rest.front() == ':'))
            rest.remove_prefix(1);
        return fieldIndex > 0 ? std::string(trimView(dsvField(rest, fieldIndex))) : std::string(rest);
    }
    return {};
}

std::pair<std::string, std::string> TVnxDsvReader::NextRecord()
{
    FCurrentLine = std::min(FCurrentLine + 1, lineCount());
    if (FCurrentLine >= lineCount())
        return {};
    const std::string_view line = FLines[static_cast<std::size_t>(FCurrentLine)];
    const std::size_t colon = line.find(':');
    const std::string_view key = colon == std::string_view::npos ? std::string_view{} : line.substr(0, colon);
    std::string_view rest = line.substr(key.size());
    while (!rest.empty() && (isBlank(rest.front()) || rest.front() == ':'))
        rest.remove_prefix(1);
    return {std::string(trimView(key)), trimFields(rest)};
}

void TVnxDsvReader::findBlocks()
{
    FBlockEnd = lineCount();
    for (int i = 0; i < lineCount(); ++i) {
        const std::string_view line = trimView(FLines[static_cast<std::size_t>(i)]);
        if (dsvStartsWith(line, "DATEIENDE")) {
            FBlockEnd = i;
            break;
        }
        if (dsvStartsWith(line, "WK:"))
            FBlockStarts.push_back(i);
    }
}

std::vector<std::string> TVnxDsvReader::EventBlock(int k)
{
    if (FBlockEnd < 0)
        findBlocks();
    if (k < 1 || k > static_cast<int>(FBlockStarts.size()))
        return {};
    const int first = FBlockStarts[static_cast<std::size_t>(k - 1)];
    const int end =
        k < static_cast<int>(FBlockStarts.size()) ? FBlockStarts[static_cast<std::size_t>(k)] : FBlockEnd;
    std::vector<std::string> raw(FLines.begin() + first, FLines.begin() + end);
    raw.front() = std::string(trimView(raw.front()).substr(3));
    if (raw.size() == 1)
        return raw;

    std::vector<std::string> block;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        std::string& line = raw[i];
        if (dsvStartsWith(trimView(line), "DSBEM:") && line.find(';') == std::string::npos) {
            if (i + 1 < raw.size()) {
                std::string& next = raw[i + 1];
                line += std::string(trimView(dsvField(next, 1))) + ";";
                next = dsvFields(next, 2, dsvFieldCount(next));
            } else {
                line += ';';
            }
        }
        std::string rebuilt = trimFields(line);
        if (!rebuilt.empty() && rebuilt != ";")
            block.push_back(std::move(rebuilt));
    }

    // Two-line layout: the first result line carries the sex letter in field 4, the line after it does not.
    if (block.size() > 2) {
        const std::size_t sampleIndex = dsvStartsWith(block[2], "DSBEM:") ? 3 : 2;
        const bool twoLines = sampleIndex < block.size() && isSexLetter(dsvField(block[1], 4)) &&
                              !block[sampleIndex].empty() && !isSexLetter(dsvField(block[sampleIndex], 4));
        if (twoLines) {
            std::vector<std::string> joined{std::move(block[0])};
            for (std::size_t j = 1; j < block.size(); ++j) {
                if (!dsvStartsWith(block[j], "DSBEM:")) {
                    if (j + 1 >= block.size())
                        throw std::out_of_range("List index out of bounds (" + std::to_string(j + 1) +
                                                "): the result line \"" + block[j] + "\" has no second line");
                    block[j] += block[j + 1];
                    joined.push_back(std::move(block[j]));
                    ++j;
                } else {
                    joined.push_back(std::move(block[j]));
                }
            }
            block = std::move(joined);
        }
    }
    std::erase_if(block, [](const std::string& line) { return trimView(line).empty(); });
    return block;
}

} // namespace lanescope::convert
