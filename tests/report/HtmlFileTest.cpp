#include "report/HtmlFile.h"

#include "base/FormatSettings.h"
#include "base/ProductVersion.h"
#include "base/Strings.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace lanescope::report {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

void writeFile(const fs::path& file, const std::string& text)
{
    std::ofstream stream(file, std::ios::binary);
    stream << text;
}

/**
 * Compares a written file with its golden copy, the program's title (it holds the version) replaced by
 * "@APPLICATION@"; UPDATE_GOLDEN=1 rewrites the golden copy instead.
 */
void expectGolden(const fs::path& written, const std::string& goldenName)
{
    const fs::path golden = fs::path(LANESCOPE_TEST_DATA_DIR) / "report" / "html" / goldenName;
    const std::string text =
        base::replaceAll(readFile(written), base::asciiUpper(base::applicationTitle), "@APPLICATION@");
    const char* update = std::getenv("UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        writeFile(golden, text);
        return;
    }
    ASSERT_TRUE(fs::exists(golden)) << golden;
    EXPECT_EQ(text, readFile(golden)) << "differs from " << golden;
}

constexpr int reportBold = 8;

std::vector<std::string> flushed(THtmlFile& html)
{
    html.CloseTable();
    return html.Lines();
}

struct EscapeCase
{
    const char* text;
    const char* escaped;
};

constexpr EscapeCase kEscapes[] = {
    {"Müller", "M&uuml;ller"},
    {"äëïöüÄÖÜ", "&auml;&euml;&iuml;&ouml;&uuml;&Auml;&Ouml;&Uuml;"},
    {"áéíóú âêîôû àèìòù ç", "&aacute;&eacute;&iacute;&oacute;&uacute; &acirc;&ecirc;&icirc;&ocirc;&ucirc; "
                            "&agrave;&egrave;&igrave;&ograve;&ugrave; &ccedil;"},
    {"SC  Neptun", "SC&nbsp;&nbsp;Neptun"},
    {"a   b", "a&nbsp;&nbsp; b"},
    {"<b>x & y</b>", "<b>x & y</b>"},
    {"Ñ ß É", "Ñ ß É"},
};

class HtmlEscaping : public ::testing::TestWithParam<EscapeCase>
{
};

TEST_P(HtmlEscaping, ReplacesTheAccentedLettersAndDoubleBlanks)
{
    EXPECT_EQ(THtmlFile::escapeLetters(GetParam().text), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Examples, HtmlEscaping, ::testing::ValuesIn(kEscapes));

TEST(HtmlTable, TextsFromTheFileNeverBecomeMarkup)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("L500;L500");
    html.AddCell(0, "<script>alert(\"x\")</script>", reportBold);
    html.AddCell(1, "Müller & <iframe src=x>", 0);
    html.Title = "<title>Ä & B";
    const std::vector<std::string> page = html.PageLines();
    const auto has = [&page](const std::string& text) {
        return std::any_of(page.begin(), page.end(),
                           [&text](const std::string& line) { return line.find(text) != std::string::npos; });
    };
    EXPECT_TRUE(has("<td width=50%><b>&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;</b></td>"));
    EXPECT_TRUE(has("<td width=50%><bdi>M&uuml;ller &amp; &lt;iframe src=x&gt;</bdi></td>"));
    EXPECT_TRUE(has("&lt;title&gt;&Auml; &amp; B"));
    EXPECT_FALSE(has("<script>"));
    EXPECT_FALSE(has("<iframe"));
}

TEST(HtmlTable, PercentWidthsOnlyInTheFirstRowOfATable)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("L120;L125");
    html.AddCell(0, "a", 0);
    html.AddCell(1, "b", 0);
    html.FlushRow();
    html.AddCell(0, "c", 0);
    html.AddCell(-1, "d", 0);
    const std::vector<std::string> expected{"<table width=100% border=0 cellspacing=0 cellpadding=0>",
                                            "<tr valign=top>",
                                            "<td width=12%>a</td><td width=12%>b</td><td width=75%> </td>",
                                            "</tr>",
                                            "<tr valign=top>",
                                            "<td>c</td><td>d</td><td></td>",
                                            "</tr>",
                                            "</table>"};
    EXPECT_EQ(flushed(html), expected);
}

TEST(HtmlTable, PixelWidthsFromTheTableWidth)
{
    THtmlFile html(600, {}, 10);
    html.SetColumns("L120;L125");
    html.AddCell(0, "a", 0);
    html.AddCell(1, "b", 0);
    const std::vector<std::string> lines = flushed(html);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "<table width=600 border=0 cellspacing=0 cellpadding=0>");
    EXPECT_EQ(lines[2], "<td width=72>a</td><td width=75>b</td><td width=453> </td>");

    // Pixel widths round to the nearest pixel: 68.75 is 69, 412.5 is 413.
    THtmlFile narrow(550, {}, 10);
    narrow.SetColumns("L125;L125");
    narrow.AddCell(0, "a", 0);
    EXPECT_EQ(flushed(narrow)[2], "<td width=69>a</td><td width=69> </td><td width=413> </td>");
}

TEST(HtmlTable, AlignmentFromTheColumnLetters)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("R100;C100;D100;L700");
    for (int index = 0; index < 4; ++index)
        html.AddCell(index, "x", 0);
    EXPECT_EQ(flushed(html)[2], "<td align=right width=10%>x</td><td align=center width=10%>x</td>"
                                "<td align=right width=10%>x</td><td width=70%>x</td>");
}

TEST(HtmlTable, MoreThanTwoEmptyCellsSpanOnceWidthsAreWritten)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("L100;L100;L100;L100;L100;L100;L400");
    html.AddCell(0, "widths", 0);
    html.FlushRow();
    html.AddCell(0, "a", 0);
    html.AddCell(5, "f", 0);
    html.FlushRow();
    html.AddCell(0, "a", 0);
    html.AddCell(3, "d", 0);
    const std::vector<std::string> lines = flushed(html);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[5], "<td>a</td><td colspan=4></td><td>f</td><td></td>");
    // Two empty cells stay; three at the row end are dropped.
    EXPECT_EQ(lines[8], "<td>a</td><td></td><td></td><td>d</td>");
}

TEST(HtmlTable, LinesOfABlockShareOneRow)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("L500;R500");
    for (int line = 1; line <= 3; ++line) {
        html.AddCell(0, "a" + std::to_string(line), 0);
        html.AddCell(1, "b" + std::to_string(line), 0);
        html.NewLine();
    }
    const std::vector<std::string> expected{
        "<table width=100% border=0 cellspacing=0 cellpadding=0>", "<tr valign=top>",
        "<td width=50%>a1<br>a2<br>a3</td><td align=right width=50%>b1<br>b2<br>b3</td>", "</tr>",
        "</table>"};
    EXPECT_EQ(flushed(html), expected);
}

TEST(HtmlTable, LongestCellKeepsAnEmptyLastLine)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("L500;L500");
    html.AddCell(0, "a", 0);
    html.NewLine();
    html.NewLine();
    html.AddCell(1, "b", 0);
    html.NewLine();
    // Cell 0 "a<br><br><br>" wins the tie for the longest and keeps its breaks; cell 1 loses its last.
    EXPECT_EQ(flushed(html)[2], "<td width=50%>a<br><br><br></td><td width=50%><br><br>b</td>");
}

TEST(HtmlTable, SettingTheReadBackLayoutClosesTheTableOnce)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("L1000");
    html.AddCell(0, "one", 0);
    html.SetColumns("L1000;");
    html.AddCell(0, "two", 0);
    html.SetColumns("L1000;");
    html.AddCell(0, "three", 0);
    const std::vector<std::string> lines = flushed(html);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "</table>"), 2);
    EXPECT_EQ(lines[2], "<td width=100%>one</td>");
}

TEST(HtmlTable, StylesAndFontSizeMarkers)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("L500;L500");
    html.FontSizeId = 8;
    html.AddCell(0, "a", 0);
    html.AddCell(0, "b", 0);
    html.FontSizeId = 10;
    html.AddCell(1, "Jürg", 8 | 16 | 32);
    EXPECT_EQ(flushed(html)[2],
              "<td width=50%><em id=f8>ab</td><td width=50%><u><i><b><bdi>J&uuml;rg</bdi></b></i></u></td>");
    // A size beyond the style block's largest (a title at 220 %) takes the largest it has.
    html.FontSizeId = 22;
    html.AddCell(0, "Title", 0);
    html.FontSizeId = 10;
    const std::vector<std::string> lines = flushed(html);
    EXPECT_EQ(lines[lines.size() - 3], "<td width=50%><em id=f14>Title</td><td width=50%> </td>");
}

TEST(HtmlTable, NamesAreBidiIslandsWithoutTheFilesBidiControls)
{
    THtmlFile html(-1, {}, 10);
    html.SetColumns("L400;L400;R200");
    // An override (U+202E) left open in a name, and one closed inside it, never reach the page.
    html.AddCell(0, "Cohen \u202Eevil", 0);
    html.AddCell(1, "\u05DB\u05D4\u05DF \u202B\u05D3\u05E0\u05D4\u202C", 0, "athlete-1-2.html");
    html.AddCell(2, "1:02.34", 0);
    html.Title = "Title \u2067x\u2069";
    const std::vector<std::string> page = html.PageLines();
    std::string text;
    for (const std::string& line : page)
        text += line + "\n";
    EXPECT_NE(text.find("<td width=40%><bdi>Cohen evil</bdi></td>"), std::string::npos);
    EXPECT_NE(text.find("<td width=40%><a href=\"athlete-1-2.html\"><bdi>\u05DB\u05D4\u05DF "
                        "\u05D3\u05E0\u05D4</bdi></a></td>"),
              std::string::npos);
    EXPECT_NE(text.find("<td align=right width=20%>1:02.34</td>"), std::string::npos);
    EXPECT_NE(text.find("Title x"), std::string::npos);
    for (const char* control : {"\u202A", "\u202B", "\u202C", "\u202D", "\u202E", "\u2066", "\u2067",
                                "\u2068", "\u2069", "\u200E", "\u200F", "\u061C"}) {
        EXPECT_EQ(THtmlFile::withoutBidiControls(std::string("a") + control + "b"), "ab");
        EXPECT_EQ(text.find(control), std::string::npos);
    }
}

TEST(HtmlTable, RulesAndBreaksOutsideTables)
{
    THtmlFile html(-1, {}, 10);
    html.NewLine();
    html.SetColumns("L1000");
    html.AddCell(0, "x", 0);
    html.Rule();
    EXPECT_TRUE(html.LastWasRule());
    html.NewLine();
    html.AddRaw("<p>Zürich</p>");
    html.AddCell(105, "ignored", 0);
    const std::vector<std::string> expected{
        "<br>",
        "<table width=100% border=0 cellspacing=0 cellpadding=0>",
        "<tr valign=top>",
        "<td width=100%>x</td>",
        "</tr>",
        "</table>",
        "<table width=100% border=0 cellspacing=0 cellpadding=0><tr><td><hr noshade size=\"1\" "
        "color=\"black\"></td></tr></table>",
        "<br>",
        "<p>Z&uuml;rich</p>",
        "<table width=100% border=0 cellspacing=0 cellpadding=0>",
        "<tr valign=top>",
        "<td width=100%></td>",
        "</tr>",
        "</table>"};
    EXPECT_EQ(flushed(html), expected);
}

class HtmlPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        base::setCurrentFormatSettings(base::TFormatSettings{});
        folder = fs::path(::testing::TempDir()) / "html";
        fs::create_directories(folder);
    }

    THtmlFile sampleReport(int tableWidth, const fs::path& templateFile = {})
    {
        THtmlFile html(tableWidth, templateFile, 10);
        html.setFixedDate(base::encodeDate(2026, 3, 14));
        html.Title = "Results";
        html.AddRaw("<h1>Stadtmeisterschaft Zürich</h1>");
        html.SetColumns("R100;L20;L350;L350;R100");
        html.AddCell(0, "1.", 0);
        html.AddCell(2, "Meier, Anna", 0);
        html.AddCell(3, "SC  Ägeri", 0);
        html.AddCell(4, "1:02.34", 8);
        html.NewLine();
        html.AddCell(0, "2.", 0);
        html.AddCell(2, "Huber, Lea", 0);
        html.AddCell(4, "1:03.00", 16);
        html.NewLine();
        html.SetColumns("L100;L100;L100;L100;L100;L100;L400");
        html.AddCell(0, "relay", 0);
        html.FlushRow();
        html.AddCell(0, "1.", 0);
        html.AddCell(5, "4:01.02", 0);
        html.FlushRow();
        html.Rule();
        html.SetColumns("L333;C334;R333");
        html.AddCell(0, "left", 0);
        html.AddCell(2, "Page 1", 0);
        html.NewLine();
        return html;
    }

    fs::path folder;
};

TEST_F(HtmlPage, BuiltInTemplateInPercent)
{
    THtmlFile html = sampleReport(-1);
    const fs::path file = folder / "percent.html";
    ASSERT_TRUE(html.Save(file));
    expectGolden(file, "percent.html");
}

TEST_F(HtmlPage, BuiltInTemplateInPixels)
{
    THtmlFile html = sampleReport(600);
    const fs::path file = folder / "pixels.html";
    ASSERT_TRUE(html.Save(file));
    expectGolden(file, "pixels.html");
}

TEST_F(HtmlPage, StyleBlockFollowsTheTableWidth)
{
    struct StyleCase
    {
        int width;
        const char* body;
        const char* f7;
    };
    const StyleCase cases[] = {{-1, "10pt", "7pt"},
                               {300, "8pt", "5pt"},
                               {600, "9pt", "6pt"},
                               {700, "10pt", "7pt"},
                               {1000, "11pt", "8pt"}};
    for (const StyleCase& style : cases) {
        SCOPED_TRACE(style.width);
        THtmlFile html(style.width, {}, 10);
        html.FontName = "Verdana";
        std::string page;
        for (const std::string& line : html.PageLines())
            page += line + "\n";
        EXPECT_NE(page.find(std::string("BODY,TABLE,TD {font-family: Verdana, helvetica; font-style:normal; "
                                        "font-size: ") +
                            style.body + ";}"),
                  std::string::npos);
        EXPECT_NE(
            page.find(std::string("#f7 {font-family: Verdana, helvetica; font-style:normal; font-size: ") +
                      style.f7 + ";}"),
            std::string::npos);
        EXPECT_EQ(page.find('@'), std::string::npos);
        EXPECT_NE(page.find("<!-- created with Vornix Software LANESCOPE "), std::string::npos);
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_NE(page.find("TD {overflow-wrap:anywhere;}"), std::string::npos);
    }
}

TEST_F(HtmlPage, TemplateWithoutBodyGoesBeforeTheReport)
{
    const fs::path templateFile = folder / "nobody.htt";
    writeFile(templateFile, "<html><HEAD><title>@date@ @DATE@</title></head>\r\n@Title@\n@ANCHORS@\n");
    THtmlFile html(-1, templateFile, 10);
    html.setFixedDate(base::encodeDate(2026, 3, 14));
    html.Title = "My title";
    html.AddRaw("body");
    const std::vector<std::string> lines = html.PageLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("<html><HEAD>\r\n<!-- created with Vornix Software", 0), 0u);
    EXPECT_NE(lines[0].find("--></STYLE><title>@date@ 3/14/2026</title></head>"), std::string::npos);
    EXPECT_EQ(lines[1], "My title");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "<a id=\"_top\"></a>");
    EXPECT_EQ(lines[4], "body");
}

// Browsers render a page in standards mode only when the HTML5 doctype is the very first thing in it; the
// charset must be declared within the first 1024 bytes.
TEST_F(HtmlPage, BuiltInTemplateRendersInStandardsMode)
{
    THtmlFile html = sampleReport(-1);
    html.Language = "de-CH";
    const std::string page = html.PageText();
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang=\"de-CH\"><head>", 0), 0u);
    const std::size_t charset = page.find("<meta charset=\"utf-8\">");
    EXPECT_LT(charset, 1024u);
    EXPECT_LT(page.find("<body><center>\r\n<a id=\"_top\"></a>\r\n"), page.find("<h1>"));
    EXPECT_EQ(THtmlFile(-1, {}, 10).PageText().find("lang=\"en\""), 23u) << "English without a language";
}

TEST_F(HtmlPage, TemplateFromDocumentThenDefaultFileThenBuiltIn)
{
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    writeFile("default.htt", "<html><head></head><body>default\n@BODY@\n</body></html>");
    writeFile("own.htt", "<html><head></head><body>own\n@BODY@\n</body></html>");
    const auto firstLine = [](const fs::path& templateFile) {
        THtmlFile html(-1, templateFile, 10);
        const std::vector<std::string> lines = html.PageLines();
        return !lines.empty() ? lines[0].substr(lines[0].rfind('>') + 1) : std::string();
    };
    EXPECT_EQ(firstLine(folder / "own.htt"), "own");
    EXPECT_EQ(firstLine(folder / "missing.htt"), "default");
    EXPECT_EQ(firstLine({}), "default");
    fs::remove("default.htt");
    EXPECT_EQ(firstLine({}), "");
    fs::current_path(previous);
}

TEST_F(HtmlPage, SaveIntoAMissingFolderFails)
{
    THtmlFile html(-1, {}, 10);
    EXPECT_FALSE(html.Save(folder / "no" / "such" / "folder.html"));
}

} // namespace
} // namespace lanescope::report
