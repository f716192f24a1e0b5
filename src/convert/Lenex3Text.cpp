#include "convert/Lenex3Text.h"

#include "base/CodePage.h"
#include "base/Strings.h"
#include "base/ZipArchive.h"
#include "convert/Lenex3Values.h"
#include "lenex/LnxArchive.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace lanescope::convert::lenex3 {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The root start tag stands near the top; a file whose first 64 KiB hold none is no Lenex 3 file.
constexpr std::size_t kHeadBytes = 64 * 1024;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void skipSpace(std::string_view& text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
}

// Drops everything up to and including the end mark; false when the mark is missing.
bool skipPast(std::string_view& text, std::string_view end)
{
    const std::size_t at = text.find(end);
    if (at == std::string_view::npos)
        return false;
    text.remove_prefix(at + end.size());
    return true;
}

// Passes declaration, processing instructions, comments and a document type (with an internal subset).
bool skipProlog(std::string_view& text)
{
    while (true) {
        skipSpace(text);
        if (text.starts_with("<?")) {
            if (!skipPast(text, "?>"))
                return false;
        } else if (text.starts_with("<!--")) {
            if (!skipPast(text, "-->"))
                return false;
        } else if (text.starts_with("<!")) {
            const std::size_t close = text.find('>');
            const std::size_t subset = text.find('[');
            if (subset < close && !skipPast(text, "]"))
                return false;
            if (!skipPast(text, ">"))
                return false;
        } else {
            return true;
        }
    }
}

// The value of an attribute of the start tag at the front of the text; empty when the tag has none.
std::string_view startTagAttribute(std::string_view text, std::string_view wanted)
{
    while (true) {
        skipSpace(text);
        if (text.empty() || text.front() == '>' || text.front() == '/')
            return {};
        const std::size_t nameEnd = text.find_first_of("= \t\r\n>");
        if (nameEnd == std::string_view::npos)
            return {};
        const std::string_view name = text.substr(0, nameEnd);
        text.remove_prefix(nameEnd);
        skipSpace(text);
        if (text.empty() || text.front() != '=')
            return {};
        text.remove_prefix(1);
        skipSpace(text);
        if (text.empty() || (text.front() != '"' && text.front() != '\''))
            return {};
        const std::size_t valueEnd = text.find(text.front(), 1);
        if (valueEnd == std::string_view::npos)
            return {};
        if (name == wanted)
            return text.substr(1, valueEnd - 1);
        text.remove_prefix(valueEnd + 1);
    }
}

// Reads a whole file, at most as large as an archive member may be.
std::string readFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw std::runtime_error("Can not open file !");
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > base::kDefaultMaxMemberBytes)
        throw std::runtime_error("The file is too large to be opened.");
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("Can not open file !");
    return bytes;
}

std::string readHead(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string head(kHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return head;
}

// The encoding the XML declaration names; UTF-8 when there is none (the XML default) or it is unknown.
base::CodePage declaredCodePage(std::string_view text)
{
    if (!text.starts_with("<?xml") || text.size() < 6 || !isSpace(text[5]))
        return base::CodePage::Utf8;
    text = text.substr(0, text.find("?>"));
    text.remove_prefix(5);
    const std::string_view name = startTagAttribute(text, "encoding");
    return base::codePageFromName(name).value_or(base::CodePage::Utf8);
}

} // namespace

bool startsAsLenex3(std::string_view head)
{
    if (head.starts_with(kByteOrderMark))
        head.remove_prefix(kByteOrderMark.size());
    if (!skipProlog(head) || !head.starts_with("<LENEX"))
        return false;
    head.remove_prefix(6);
    if (head.empty() || !(isSpace(head.front()) || head.front() == '>' || head.front() == '/'))
        return false;
    return leadingNumber(startTagAttribute(head, "version")) >= 2;
}

SniffedFile sniffLenexFile(const std::string& fileName)
{
    SniffedFile sniffed;
    sniffed.path = fileName;
    if (lenex::isLenexArchiveName(fileName)) {
        try {
            lenex::ExtractedLenexFile member = lenex::extractLenexMember(fileName);
            if (!member.error.empty())
                return sniffed;
            sniffed.extracted = std::move(member.file);
            sniffed.path = sniffed.extracted.path();
        } catch (const std::exception&) {
            return sniffed; // the first-generation loader reports what is wrong with the archive
        }
    }
    sniffed.lenex3 = startsAsLenex3(readHead(sniffed.path));
    return sniffed;
}

std::string readLenexText(const std::string& fileName)
{
    lenex::ExtractedLenexFile member;
    std::string path = fileName;
    if (lenex::isLenexArchiveName(fileName)) {
        member = lenex::extractLenexMember(fileName);
        if (!member.error.empty())
            throw std::runtime_error(member.error);
        path = member.file.path();
    }
    std::string bytes = readFile(path);
    std::string_view text = bytes;
    // A byte-order mark says UTF-8 whatever the declaration claims.
    const bool marked = text.starts_with(kByteOrderMark);
    if (marked)
        text.remove_prefix(kByteOrderMark.size());
    const base::CodePage codePage = marked ? base::CodePage::Utf8 : declaredCodePage(text);
    if (codePage == base::CodePage::Utf8 && base::isValidUtf8(text)) {
        bytes.erase(0, bytes.size() - text.size());
        return bytes;
    }
    return base::decodeToUtf8(text, codePage);
}

LineTable::LineTable(std::string_view text)
{
    std::size_t at = 0;
    while ((at = text.find('\n', at)) != std::string_view::npos)
        FNewlines.push_back(at++);
}

int LineTable::lineOf(std::ptrdiff_t offset) const
{
    if (offset < 0)
        return 0;
    const auto before =
        std::lower_bound(FNewlines.begin(), FNewlines.end(), static_cast<std::size_t>(offset));
    return static_cast<int>(before - FNewlines.begin()) + 1;
}

} // namespace lanescope::convert::lenex3
