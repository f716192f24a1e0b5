#include "download/VnxTextTable.h"

#include <gtest/gtest.h>

namespace lanescope::download {
namespace {

using namespace std::string_literals;

std::vector<std::string> column(TVnxTextTable& table, const char* name)
{
    std::vector<std::string> values;
    for (table.First(); !table.Eof(); table.Next())
        values.push_back(table.Value(name));
    return values;
}

TEST(VnxTextTable, ColumnsByNameInAnyOrderAndCase)
{
    TVnxTextTable upper;
    upper.OpenText("MEETDATE\tMEETNAME\tURL\r\n20071231\t Winter Cup \thttp://a/b.lef\r\n", true);
    TVnxTextTable lower;
    lower.OpenText("url\tmeetname\tmeetdate\n http://a/b.lef\tWinter Cup\t20071231\n", true);
    for (TVnxTextTable* table : {&upper, &lower}) {
        EXPECT_EQ(column(*table, "MEETNAME"), std::vector<std::string>{"Winter Cup"});
        EXPECT_EQ(column(*table, "Url"), std::vector<std::string>{"http://a/b.lef"});
        EXPECT_EQ(column(*table, "MEETDATE"), std::vector<std::string>{"20071231"});
        EXPECT_EQ(table->ColumnIndex("MEETCITY"), -1);
    }
}

TEST(VnxTextTable, ShortRowsMissingColumnsAndZeroBytes)
{
    TVnxTextTable table;
    table.OpenText("A\tB\tC\rx\r1\t2\t3\t4\r\nna\0me\t\t"s, true);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(column(table, "A"), (std::vector<std::string>{"x", "1", "na me"}));
    EXPECT_EQ(column(table, "B"), (std::vector<std::string>{"", "2", ""}));
    EXPECT_EQ(column(table, "C"), (std::vector<std::string>{"", "3", ""}));
    EXPECT_EQ(column(table, "D"), (std::vector<std::string>{"", "", ""}));
    // Past the last row every value is empty and Next stays there.
    table.Next();
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.Value("A"), "");
}

TEST(VnxTextTable, WithoutHeaderColumnsAreNumbers)
{
    TVnxTextTable table;
    table.OpenText("a;b\nc;d\n", false, ';');
    EXPECT_EQ(column(table, "1"), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(table.ColumnIndex("x"), -1);
    EXPECT_EQ(table.ColumnIndex("-1"), -1);
    EXPECT_EQ(column(table, "2"), (std::vector<std::string>{"", ""}));
}

TEST(VnxTextTable, Windows1252TextAndMissingFile)
{
    TVnxTextTable table;
    table.OpenText("NAME\nM\xfc"
                   "nchen\n",
                   true);
    EXPECT_EQ(column(table, "NAME"), std::vector<std::string>{"M\xc3\xbcnchen"});
    EXPECT_FALSE(table.Open(::testing::TempDir() + "/no-such-list.txt", true));
    table.First();
    EXPECT_TRUE(table.Eof());
}

} // namespace
} // namespace lanescope::download
