#include "convert/SdifReader.h"

#include "base/CodePage.h"
#include "base/Strings.h"
#include "base/TempFolder.h"
#include "base/ZipArchive.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace lanescope::convert {

namespace {

// SDIF files are a few megabytes at most; anything far larger is not worth holding in memory.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{256} << 20;

std::string readWholeFile(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || !std::filesystem::is_regular_file(path))
        throw std::runtime_error("Cannot open file \"" + path + "\"");
    if (size > kMaxFileBytes)
        throw std::runtime_error("The file \"" + path + "\" is too large for an SDIF file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot open file \"" + path + "\"");
    return {std::istreambuf_iterator<char>(in), {}};
}

// Only the first member is read, so only that one is extracted; the guard deletes it on every way out.
std::string readFirstArchiveMember(const std::string& archivePath)
{
    base::ZipArchive archive;
    if (!archive.open(archivePath))
        throw std::runtime_error(archive.errorText());
    const base::TVnxFileList members = archive.membersMatching("*.*");
    if (members.empty())
        throw std::runtime_error("The archive \"" + archivePath + "\" holds no file");
    const base::ZipExtractResult extracted =
        archive.extractMember(members.front().index, base::privateTempFolder(), kMaxFileBytes);
    if (!extracted.ok())
        throw std::runtime_error(extracted.error);
    const base::TempFileGuard guard(extracted.path);
    return readWholeFile(extracted.path);
}

std::int32_t courseOfLetter(char letter)
{
    const std::string_view courses = "SLY";
    const std::size_t position = courses.find(letter);
    return position == std::string_view::npos ? -1 : static_cast<std::int32_t>(position);
}

} // namespace

TSDifRecord::TSDifRecord(std::string_view line)
    : FText(line.substr(0, std::min<std::size_t>(line.size(), kLength)))
{
    FText.resize(kLength, ' ');
}

std::string TSDifRecord::text(int column, int width) const { return base::trim(untrimmed(column, width)); }

std::string TSDifRecord::untrimmed(int column, int width) const
{
    if (column < 1 || column > kLength || width <= 0)
        return {};
    const std::string_view field =
        std::string_view(FText).substr(static_cast<std::size_t>(column - 1), static_cast<std::size_t>(width));
    return base::decodeToUtf8(field, base::CodePage::Windows1252);
}

std::int32_t TSDifRecord::integer(int column, int width) const
{
    return base::strToIntDef(text(column, width), 0);
}

base::TDateTime TSDifRecord::date(int column) const
{
    const std::string field = text(column, 8);
    if (field.empty())
        return 0;
    const auto part = [&field](std::size_t from, std::size_t length, int fallback) {
        return from < field.size() ? base::strToIntDef(field.substr(from, length), fallback) : fallback;
    };
    const int month = part(0, 2, 1);
    const int day = part(2, 2, 1);
    const int year = part(4, 4, 1900);
    const base::TDateTime value = base::encodeDate(year, month, day);
    if (value == 0)
        throw std::runtime_error("Invalid date \"" + field + "\" in column " + std::to_string(column) +
                                 " of a " + code() + " record");
    return value;
}

lenex::TSwimTime TSDifRecord::time(int column) const { return lenex::parseSwimTime(text(column, 8)); }

void TSDifFile::Open(std::string_view bytes)
{
    FLines.clear();
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        FLines.emplace_back(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    FCurrentIndex = -1;
    FHasCurrent = false;
    Next();
}

void TSDifFile::MoveTo(std::int32_t index)
{
    if (index == FCurrentIndex)
        return;
    FCurrentIndex = index;
    FHasCurrent = index >= 0 && index < lineCount();
    FCurrent = FHasCurrent ? TSDifRecord(FLines[static_cast<std::size_t>(index)]) : TSDifRecord();
}

bool TSDifFile::Next()
{
    MoveTo(FCurrentIndex + 1);
    return FCurrentIndex < lineCount();
}

void TSDifReader::Open(const std::string& fileName, const Progress& progress)
{
    const bool zipped = base::asciiLower(std::filesystem::path(fileName).extension().string()) == ".zip";
    OpenBytes(zipped ? readFirstArchiveMember(fileName) : readWholeFile(fileName), progress);
}

void TSDifReader::OpenBytes(std::string_view bytes, const Progress& progress)
{
    FA0 = TSDifRecord();
    FB1 = TSDifRecord();
    FTeams.clear();
    FFile.Open(bytes);
    FCourseIndex = -1;
    const TSDifRecord* record = FFile.current();
    if (!record || record->code() != "A0")
        return;
    FA0 = *record;
    if (!FFile.Next())
        return;
    FB1 = *FFile.current();
    while (FFile.Next()) {
        record = FFile.current();
        const std::int32_t line = FFile.currentIndex();
        if (progress)
            progress(line);
        const std::string code = record->code();
        if (code == "C1") {
            FTeams.push_back({record->text(14, 4) + record->text(150, 1), line});
        } else if (FCourseIndex == -1 && code == "D0") {
            const std::string letters = base::trim(
                record->raw().substr(96, 1) + record->raw().substr(105, 1) + record->raw().substr(123, 1));
            if (!letters.empty())
                FCourseIndex = courseOfLetter(letters.front());
        }
    }
}

const TSDifRecord& TSDifReader::Team(std::int32_t team)
{
    MoveToTeam(team);
    return *FFile.current();
}

void TSDifReader::MoveToTeam(std::int32_t team)
{
    FFile.MoveTo(FTeams.at(static_cast<std::size_t>(team)).line);
}

bool TSDifReader::NextInTeam() { return FFile.Next() && FFile.current()->code() != "C1"; }

} // namespace lanescope::convert
