#include "report/ColDivList.h"

#include "base/Strings.h"

#include <string_view>

namespace lanescope::report {

namespace {

constexpr std::int32_t kFullWidth = 1000;

ColumnAlignment alignmentOf(char letter)
{
    switch (letter) {
    case 'C':
        return ColumnAlignment::Centre;
    case 'R':
        return ColumnAlignment::Right;
    default:
        return ColumnAlignment::Left;
    }
}

char letterOf(ColumnAlignment alignment)
{
    switch (alignment) {
    case ColumnAlignment::Centre:
        return 'C';
    case ColumnAlignment::Right:
        return 'R';
    default:
        return 'L';
    }
}

} // namespace

void TColDivList::SetColumns(const std::string& specification)
{
    FColumns.clear();
    std::int32_t start = 0;
    std::string_view rest = specification;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view field = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (field.empty())
            continue;
        // The width is read from the second to the hundredth character. A negative width would let
        // the next column start left of this one, so it counts as 0 like a width that does not parse.
        std::int32_t width = base::strToIntDef(field.substr(1, 99), 0);
        if (width < 0)
            width = 0;
        if (width > kFullWidth - start) {
            FColumns.push_back({start, kFullWidth - start, alignmentOf(field[0])});
            start = kFullWidth;
            break;
        }
        FColumns.push_back({start, width, alignmentOf(field[0])});
        start += width;
    }
    FHasFiller = start < kFullWidth;
    if (FHasFiller) {
        FColumns.push_back({start, kFullWidth - start, ColumnAlignment::Left});
        if (FFilledLayouts.size() < 256)
            FFilledLayouts.insert(GetColumns());
    } else {
        FHasFiller = FFilledLayouts.contains(specification);
    }
}

std::string TColDivList::GetColumns() const
{
    std::string text;
    for (const ColumnDivision& column : FColumns) {
        text += letterOf(column.alignment);
        text += std::to_string(column.width);
        text += ';';
    }
    return text;
}

} // namespace lanescope::report
