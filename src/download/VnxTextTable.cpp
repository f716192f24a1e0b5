#include "download/VnxTextTable.h"

#include "base/CodePage.h"
#include "base/Strings.h"
#include "base/TextCase.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace lanescope::download {

namespace {

std::vector<std::string_view> splitFields(std::string_view line, char delimiter)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = line.find(delimiter); at != std::string_view::npos;
         at = line.find(delimiter, start)) {
        parts.push_back(line.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(line.substr(start));
    return parts;
}

} // namespace

bool TVnxTextTable::Open(const std::string& fileName, bool hasHeader, char delimiter)
{
    std::ifstream in(fileName, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const bool read = in.is_open() && !in.bad();
    OpenText(read ? std::string_view(bytes) : std::string_view(), hasHeader, delimiter);
    return read;
}

void TVnxTextTable::OpenText(std::string_view bytes, bool hasHeader, char delimiter)
{
    std::string raw(bytes);
    std::replace(raw.begin(), raw.end(), '\0', ' ');
    FRows = base::splitLines(base::decodeToUtf8(raw, base::CodePage::Utf8));
    FCurrentRow = -1;
    FHasHeader = hasHeader;
    FDelimiter = delimiter;
    FColumnNames.clear();
    const std::size_t columns = FRows.empty() ? 0 : splitFields(FRows.front(), delimiter).size();
    if (hasHeader && !FRows.empty()) {
        for (std::string_view name : splitFields(FRows.front(), delimiter))
            FColumnNames.emplace_back(name);
        FRows.erase(FRows.begin());
    }
    FCurrentValues.assign(columns, std::string());
}

void TVnxTextTable::moveTo(std::int32_t row)
{
    if (row == FCurrentRow)
        return;
    FCurrentRow = row;
    std::fill(FCurrentValues.begin(), FCurrentValues.end(), std::string());
    if (row < 0 || row >= rowCount())
        return;
    const std::vector<std::string_view> parts = splitFields(FRows[static_cast<std::size_t>(row)], FDelimiter);
    for (std::size_t i = 0; i < FCurrentValues.size() && i < parts.size(); ++i)
        FCurrentValues[i] = base::trim(parts[i]);
}

void TVnxTextTable::First() { moveTo(0); }

void TVnxTextTable::Next()
{
    if (!Eof())
        moveTo(FCurrentRow + 1);
}

bool TVnxTextTable::Eof() const { return FCurrentRow == rowCount(); }

int TVnxTextTable::ColumnIndex(std::string_view columnName) const
{
    if (!FHasHeader) {
        const int number = base::strToIntDef(columnName, -1);
        return number < 0 ? -1 : number;
    }
    for (std::size_t i = 0; i < FColumnNames.size(); ++i)
        if (base::sameText(FColumnNames[i], columnName))
            return static_cast<int>(i);
    return -1;
}

std::string TVnxTextTable::Value(std::string_view columnName) const
{
    const int index = ColumnIndex(columnName);
    return index >= 0 && static_cast<std::size_t>(index) < FCurrentValues.size()
               ? FCurrentValues[static_cast<std::size_t>(index)]
               : std::string();
}

} // namespace lanescope::download
