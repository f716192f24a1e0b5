#include "report/ColDivList.h"

#include <gtest/gtest.h>

namespace lanescope::report {
namespace {

struct ColumnCase
{
    const char* specification;
    const char* written;
};

constexpr ColumnCase kColumns[] = {
    {"L120;R100", "L120;R100;L780;"},
    {"L600;L600;L100", "L600;L400;"},
    {";;R1000;", "R1000;"},
    {"X250", "L250;L750;"},
    {"C", "C0;L1000;"},
    {"", "L1000;"},
    {"L1000", "L1000;"},
    {"L120;L235;R100;L15;L75;R100;R100", "L120;L235;R100;L15;L75;R100;R100;L255;"},
    {"Rabc;C500", "R0;C500;L500;"},
    // A negative width would make the next column start left of this one.
    {"L-100;R100", "L0;R100;L900;"},
};

class ColumnSpecification : public ::testing::TestWithParam<ColumnCase>
{
};

TEST_P(ColumnSpecification, ParsesAndWritesBack)
{
    TColDivList columns;
    columns.SetColumns(GetParam().specification);
    EXPECT_EQ(columns.GetColumns(), GetParam().written);

    // Columns are laid out without gaps from 0 to 1000.
    int start = 0;
    for (const ColumnDivision& column : columns.Items()) {
        EXPECT_EQ(column.start, start);
        start += column.width;
    }
    EXPECT_EQ(start, 1000);

    TColDivList again;
    again.SetColumns(columns.GetColumns());
    EXPECT_EQ(again.Items(), columns.Items());
}

INSTANTIATE_TEST_SUITE_P(Examples, ColumnSpecification, ::testing::ValuesIn(kColumns));

TEST(ColumnSpecification, KeepsStartWidthAndAlignmentOfEachColumn)
{
    TColDivList columns;
    columns.SetColumns("L120;R100;C80");
    const std::vector<ColumnDivision> expected{{0, 120, ColumnAlignment::Left},
                                               {120, 100, ColumnAlignment::Right},
                                               {220, 80, ColumnAlignment::Centre},
                                               {300, 700, ColumnAlignment::Left}};
    EXPECT_EQ(columns.Items(), expected);
    EXPECT_EQ(columns.Count(), 4);
}

} // namespace
} // namespace lanescope::report
