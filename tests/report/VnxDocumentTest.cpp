#include "report/VnxDocument.h"

#include "base/VnxIniFiles.h"
#include "report/EngineTexts.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::report {
namespace {

class DocumentTest : public ::testing::Test
{
protected:
    void TearDown() override { TVnxDocument::setPrinterQuery({}); }

    static void usePrinter(int paperCode, Orientation orientation = Orientation::Portrait)
    {
        TVnxDocument::setPrinterQuery([=] { return PrinterPaper{true, "Office", paperCode, orientation}; });
    }

    testing::EngineTexts texts;
};

struct GeometryCase
{
    const char* name;
    int standard;
    int charactersPerLine;
    int columnWidth;
    int baseFontSize;
    int lineHeight;
};

constexpr GeometryCase kGeometry[] = {
    {"PortraitA4_75", 0, 75, 1800, 113, 48},
    {"PortraitA4_84", 0, 84, 1800, 101, 43},
    // (2970 - 260 - 150) / 2 = 1280; R = 159 gives 80, line height 34.
    {"TwoColumnsLandscape", 1, 75, 1280, 80, 34},
};

class DocumentGeometry : public DocumentTest, public ::testing::WithParamInterface<GeometryCase>
{
};

TEST_P(DocumentGeometry, FollowsPaperMarginsAndCharactersPerLine)
{
    usePrinter(9);
    TVnxDocument document;
    document.SetDefaults(GetParam().standard);
    document.FixCharPerLine = GetParam().charactersPerLine;
    EXPECT_EQ(document.ColumnWidth(), GetParam().columnWidth);
    EXPECT_EQ(document.BaseFontSize(), GetParam().baseFontSize);
    EXPECT_EQ(document.LineHeight(), GetParam().lineHeight);
}

INSTANTIATE_TEST_SUITE_P(Examples, DocumentGeometry, ::testing::ValuesIn(kGeometry),
                         [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST_F(DocumentTest, PageSizeFollowsOrientation)
{
    usePrinter(8);
    TVnxDocument document;
    EXPECT_EQ(document.PaperIndex, 1);
    EXPECT_EQ(document.PageWidth(), 2970);
    EXPECT_EQ(document.PageHeight(), 4200);
    EXPECT_EQ(document.PrintableHeight(), 4000);
    document.PaperOrientation = Orientation::Landscape;
    EXPECT_EQ(document.PageWidth(), 4200);
    EXPECT_EQ(document.PageHeight(), 2970);
}

TEST_F(DocumentTest, InfoTextShowsPaperOrientationAndTextArea)
{
    usePrinter(9);
    TVnxDocument document;
    EXPECT_EQ(document.InfoText(), "A4 - Portrait,  (180 x 277 mm)");
    document.SetDefaults(1);
    EXPECT_EQ(document.InfoText(), "A4 - Landscape,  (128 x 189 mm;  2x)");
    // One footer line of 48 takes 48 + 38 from the text area of the portrait page.
    document.SetDefaults(0);
    document.FooterLeftLines = {"left"};
    EXPECT_EQ(document.InfoText(), "A4 - Portrait,  (180 x 268 mm)");
}

TEST_F(DocumentTest, UnknownPaperFallsBackToA4Dimensions)
{
    usePrinter(4711);
    TVnxDocument document;
    EXPECT_EQ(document.PaperIndex, 0);
    EXPECT_EQ(document.PageWidth(), 2100);
    EXPECT_EQ(document.PageHeight(), 2970);
    EXPECT_EQ(document.InfoText(), "? - Portrait, paper size unknown");
}

TEST_F(DocumentTest, NoPrinterGivesFallbackPaperAndPortrait)
{
    TVnxDocument document;
    document.ReadPrinterPaper();
    EXPECT_EQ(document.PaperIndex, 0);
    EXPECT_EQ(document.PrinterName, "");
    EXPECT_EQ(document.PaperOrientation, Orientation::Portrait);
}

TEST_F(DocumentTest, StandardSetupsRespectTheOptions)
{
    usePrinter(9, Orientation::Landscape);
    TVnxDocument document;
    document.SetDefaults(1);
    EXPECT_EQ(document.PageColumns, 2);
    EXPECT_EQ(document.ColumnDistance, 150);
    EXPECT_EQ(document.PaperOrientation, Orientation::Landscape);
    EXPECT_EQ(document.TopMargin, 110);

    document.SetOptions({TDocumentOption::doCanSetAddressPos, TDocumentOption::doMultiCol,
                         TDocumentOption::doChgOrientation});
    EXPECT_EQ(document.Options(), TDocumentOptions{TDocumentOption::doCanSetAddressPos});
    document.SetDefaults(1);
    EXPECT_EQ(document.PageColumns, 1);
    EXPECT_EQ(document.ColumnDistance, 0);
    EXPECT_EQ(document.PaperOrientation, Orientation::Portrait);
    EXPECT_EQ(document.LeftMargin, 0);
    EXPECT_EQ(document.BottomMargin, 0);
    EXPECT_EQ(document.AddressLeft, 1200);
    EXPECT_EQ(document.HTMLWidth, -1);
}

TEST_F(DocumentTest, ResetHeadsLeavesThePageNumberAtTheRight)
{
    TVnxDocument document;
    document.TitleLines = {"title"};
    document.HeadLeftLines = {"left"};
    document.ResetHeads();
    EXPECT_TRUE(document.TitleLines.empty());
    EXPECT_TRUE(document.HeadLeftLines.empty());
    EXPECT_EQ(document.HeadRightLines, std::vector<std::string>{"Page @PAGE@"});
}

TEST_F(DocumentTest, FooterCountDropsTrailingEmptyLines)
{
    TVnxDocument document;
    EXPECT_EQ(document.FooterHeight(), 0);
    document.FooterLeftLines = {"a", "", ""};
    document.FooterCentreLines = {"", "b", ""};
    document.FooterRightLines = {""};
    EXPECT_EQ(document.FooterLineCount(), 2);
    EXPECT_EQ(document.FooterLeftLines, std::vector<std::string>{"a"});
    EXPECT_TRUE(document.FooterRightLines.empty());
    EXPECT_EQ(document.FooterHeight(), 2 * 48 + 38);
}

class DocumentSettings : public DocumentTest
{
protected:
    base::TVnxMemIniFile ini{std::filesystem::path(::testing::TempDir()) / "settings.ini"};
};

TEST_F(DocumentSettings, WritesTheKeysOfTheDocumentName)
{
    TVnxDocument document;
    document.FooterLeftLines = {"left @PAGE@", ""};
    document.ImageEntries = {"5;5;100;0;logo.bmp"};
    document.SaveSettings(ini);
    EXPECT_EQ(ini.ReadString("Printer", "DFHoch75Margin", ""), "150;150;100;100;1;0;0;0;1200;500");
    EXPECT_EQ(ini.ReadString("Printer", "DFHoch75Fonts", ""), "Courier New,Arial,,-1,100");
    EXPECT_EQ(ini.ReadString("Printer", "DFHoch75lFoot0", "-"), "left @PAGE@");
    EXPECT_FALSE(ini.ValueExists("Printer", "DFHoch75lFoot1"));
    EXPECT_EQ(ini.ReadString("Printer", "DFHoch75iFoot0", "-"), "5;5;100;0;logo.bmp");
}

TEST_F(DocumentSettings, ReadsBackWhatItWrote)
{
    TVnxDocument written;
    written.Name = "Quer";
    written.SetDefaults(1);
    written.HeadOnColumn = true;
    written.FixedFont = "Liberation Mono";
    written.HtmlTemplate = "page.htt";
    written.HTMLWidth = 600;
    written.FooterFontSize = 80;
    written.FooterCentreLines = {"one", "two"};
    written.FooterRightLines = {"@DATE@"};
    written.SaveSettings(ini);

    TVnxDocument read;
    read.Name = "Quer";
    read.LoadSettings(ini);
    EXPECT_EQ(read.LeftMargin, 130);
    EXPECT_EQ(read.TopMargin, 110);
    EXPECT_EQ(read.PageColumns, 2);
    EXPECT_EQ(read.ColumnDistance, 150);
    EXPECT_EQ(read.PaperOrientation, Orientation::Landscape);
    EXPECT_TRUE(read.HeadOnColumn);
    EXPECT_EQ(read.FixedFont, "Liberation Mono");
    EXPECT_EQ(read.VariableFont, "Arial");
    EXPECT_EQ(read.HtmlTemplate, "page.htt");
    EXPECT_EQ(read.HTMLWidth, 600);
    EXPECT_EQ(read.FooterFontSize, 80);
    EXPECT_EQ(read.FooterCentreLines, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(read.FooterRightLines, std::vector<std::string>{"@DATE@"});
    EXPECT_TRUE(read.FooterLeftLines.empty());
}

TEST_F(DocumentSettings, ShorterListEmptiesTheKeysLeftBehind)
{
    TVnxDocument document;
    document.FooterLeftLines = {"a", "b", "c"};
    document.SaveSettings(ini);
    document.FooterLeftLines = {"a"};
    document.SaveSettings(ini);
    EXPECT_EQ(ini.ReadString("Printer", "DFHoch75lFoot1", "-"), "");
    EXPECT_EQ(ini.ReadString("Printer", "DFHoch75lFoot2", "-"), "");
    EXPECT_FALSE(ini.ValueExists("Printer", "DFHoch75lFoot3"));

    TVnxDocument read;
    read.LoadSettings(ini);
    EXPECT_EQ(read.FooterLineCount(), 1);
}

TEST_F(DocumentSettings, MissingOrShortValuesGiveDefaults)
{
    TVnxDocument document;
    document.LeftMargin = 1;
    document.FooterLeftLines = {"kept"};
    document.LoadSettings(ini);
    EXPECT_EQ(document.LeftMargin, 150);
    EXPECT_EQ(document.FooterLeftLines, std::vector<std::string>{"kept"});

    ini.SetText("[Printer]\nDFHoch75Margin=100;90\nDFHoch75Fonts=,,t.htt\n");
    document.LoadSettings(ini);
    EXPECT_EQ(document.LeftMargin, 100);
    EXPECT_EQ(document.RightMargin, 90);
    EXPECT_EQ(document.TopMargin, 0);
    EXPECT_EQ(document.PageColumns, 1); // 0 columns would divide by zero
    EXPECT_EQ(document.FixedFont, "Courier New");
    EXPECT_EQ(document.VariableFont, "Arial");
    EXPECT_EQ(document.HtmlTemplate, "t.htt");
    EXPECT_EQ(document.HTMLWidth, -1);
    EXPECT_EQ(document.FooterFontSize, 100);
    EXPECT_TRUE(document.FooterLeftLines.empty());
}

} // namespace
} // namespace lanescope::report
