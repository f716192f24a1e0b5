#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

/**
 * A column layout of the report engine: columns in thousandths of the page-column width, laid out left
 * to right and always filling 0..1000, read from and written to the text form "L120;R100;C80".
 */
namespace lanescope::report {

enum class ColumnAlignment : std::uint8_t
{
    Left = 0,
    Right = 1,
    Centre = 2,
};

struct ColumnDivision
{
    std::int32_t start = 0;
    std::int32_t width = 0;
    ColumnAlignment alignment = ColumnAlignment::Left;
    bool operator==(const ColumnDivision&) const = default;
};

class TColDivList
{
public:
    /** Replaces the columns by the layout text; a shortfall below 1000 gets a left filler column. */
    void SetColumns(const std::string& specification);
    /** Every column as letter, width and ";", the filler included. */
    std::string GetColumns() const;

    int Count() const { return static_cast<int>(FColumns.size()); }
    const ColumnDivision& operator[](int index) const { return FColumns[static_cast<std::size_t>(index)]; }
    const std::vector<ColumnDivision>& Items() const { return FColumns; }
    /**
     * True for the left column that `SetColumns` added to fill a layout up to 1000, also when the layout
     * comes back as the text `GetColumns` gave (reports save and restore their layout that way).
     */
    bool IsFiller(int index) const { return FHasFiller && index == Count() - 1; }

private:
    std::vector<ColumnDivision> FColumns{{0, 1000, ColumnAlignment::Left}};
    bool FHasFiller = false;
    /** The `GetColumns` texts of layouts that got a filler; a report uses a handful of layouts. */
    std::set<std::string> FFilledLayouts;
};

} // namespace lanescope::report
