#include "convert/Pce3Tables.h"

#include "base/CodePage.h"
#include "base/DateTime.h"
#include "base/Strings.h"
#include "base/TempFolder.h"
#include "base/TextCase.h"
#include "base/ZipArchive.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lanescope::convert::pce3 {

namespace fs = std::filesystem;

namespace {

std::string cannotOpen(const std::string& fileName, const std::string& reason)
{
    return "Cannot open file \"" + fileName + "\". " + reason;
}

std::string readWholeFile(const fs::path& path, const std::string& fileName)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        throw std::runtime_error(cannotOpen(fileName, error.message()));
    if (size > kMaxTableBytes)
        throw std::runtime_error(cannotOpen(fileName, "The file is too large."));
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(cannotOpen(fileName, "The file cannot be read."));
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string readArchiveMember(const std::string& archivePath, const std::string& fileName)
{
    base::ZipArchive archive;
    if (!archive.open(archivePath))
        throw std::runtime_error(cannotOpen(fileName, archive.errorText()));
    const base::TVnxFileList members = archive.membersMatching(fileName);
    if (members.size() != 1)
        throw std::runtime_error(cannotOpen(fileName, members.empty() ? "The archive has no such member."
                                                                      : "The archive holds it twice."));
    const base::ZipExtractResult extracted =
        archive.extractMember(members.front().index, base::privateTempFolder(), kMaxTableBytes);
    if (!extracted.ok())
        throw std::runtime_error(cannotOpen(fileName, extracted.error));
    const base::TempFileGuard guard(extracted.path);
    return readWholeFile(extracted.path, fileName);
}

// Exports made on other systems may spell the file names in capitals; an exact name wins.
fs::path findFolderFile(const fs::path& folder, const std::string& fileName)
{
    std::error_code error;
    if (fs::is_regular_file(folder / fileName, error))
        return folder / fileName;
    fs::path found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (base::sameText(it->path().filename().string(), fileName) && it->is_regular_file(error))
            found = it->path();
    if (found.empty())
        throw std::runtime_error(cannotOpen(fileName, "No such file in the folder."));
    return found;
}

// Rows of the event table: swimmers (empty for individual events), distance and stroke key; empty rows
// are codes without an event.
constexpr std::string_view kEventRows[50] = {
    ";25;Cr",    ";50;Cr",   ";100;Cr",  ";200;Cr", ";400;Cr", ";800;Cr", ";1500;Cr", ";1000;Cr", "4;25;Cr",
    "10;50;Cr",  ";25;Rü",   ";50;Rü",   ";100;Rü", ";200;Rü", "",        "",         "",         "",
    "",          "",         ";25;Br",   ";50;Br",  ";100;Br", ";200;Br", "",         "10;50;Cr", "10;100;Cr",
    "4;25;Cr",   "4;50;Cr",  "4;100;Cr", ";25;De",  ";50;De",  ";100;De", ";200;De",  "4;200;Cr", "6;50;Cr",
    "4;100;La",  "4;50;La",  "4;25;La",  "4;25;La", ";100;La", ";200;La", ";400;La",  "4;100;CR", "4;200;CR",
    "10;100;CR", "4;100;La", "4;50;CR",  "4;50;La", "6;50;CR",
};

std::string_view part(std::string_view row, int index)
{
    for (int i = 0; i < index; ++i) {
        const std::size_t semicolon = row.find(';');
        row = semicolon == std::string_view::npos ? std::string_view() : row.substr(semicolon + 1);
    }
    return row.substr(0, row.find(';'));
}

} // namespace

std::string readTableText(const std::string& source, const std::string& name)
{
    const std::string fileName = name + ".txt";
    std::error_code error;
    if (fs::is_regular_file(source, error))
        return readArchiveMember(source, fileName);
    return readWholeFile(findFolderFile(source, fileName), fileName);
}

std::vector<std::string> tableLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!base::trimView(line).empty())
            lines.emplace_back(line);
    }
    return lines;
}

std::string_view columns(std::string_view line, int first, int last)
{
    const auto start = static_cast<std::size_t>(first - 1);
    if (start >= line.size() || last < first)
        return {};
    return line.substr(start, static_cast<std::size_t>(last - first + 1));
}

std::string columnText(std::string_view line, int first, int last)
{
    return base::decodeToUtf8(base::trimView(columns(line, first, last)), base::CodePage::Windows1252);
}

double readDate(std::string_view text)
{
    if (text.size() != 8)
        return 0;
    for (const char c : text)
        if (c < '0' || c > '9')
            return 0;
    const auto number = [&](std::size_t at, std::size_t length) {
        return base::strToIntDef(text.substr(at, length), 0);
    };
    return base::encodeDate(number(4, 4), number(2, 2), number(0, 2));
}

std::int32_t readInteger(std::string_view text)
{
    const std::string_view trimmed = base::trimView(text);
    if (!base::isInteger(trimmed))
        throw std::invalid_argument("'" + base::decodeToUtf8(text, base::CodePage::Windows1252) +
                                    "' is not a valid integer value");
    return base::strToIntDef(trimmed, 0);
}

EventCode decodeEventCode(std::string_view code)
{
    const std::int32_t number = readInteger(code);
    if (number < 0)
        throw std::out_of_range("Range check error: event code " + std::to_string(number));
    EventCode result;
    const std::int32_t row = number >= 84 && number <= 88 ? number - 59 : number % 50;
    result.sexIndex = number < 50 ? 1 : number >= 84 && number <= 88 ? 2 : 0;
    const std::string_view text = kEventRows[row];
    const std::string_view swimmers = part(text, 0);
    const std::int32_t distance = readInteger(part(text, 1));
    result.style.relayCountIndex = swimmers.empty() ? 0 : lenex::relayCountIndexOf(readInteger(swimmers));
    result.style.distanceIndex = lenex::distanceIndexOf(distance);
    result.style.strokeIndex = lenex::strokeIndexOf(part(text, 2));
    if (result.style.distanceIndex < 0)
        throw std::out_of_range("Range check error: distance " + std::to_string(distance));
    return result;
}

std::string_view roundType(char round)
{
    switch (round) {
    case '2':
        return "SEM";
    case '4':
        return "FI4";
    case '8':
        return "FI8";
    case 'B':
        return "SOF";
    case 'F':
        return "FIN";
    default:
        return {};
    }
}

} // namespace lanescope::convert::pce3
