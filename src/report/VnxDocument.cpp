#include "report/VnxDocument.h"

#include "base/LanguageTexts.h"
#include "base/Strings.h"
#include "base/VnxIniFiles.h"
#include "report/MulDiv.h"

#include <algorithm>
#include <utility>

namespace lanescope::report {

const TPaper paperTable[13] = {
    {-1, "?", 2970, 2100},        {8, "A3", 4200, 2970},           {9, "A4", 2970, 2100},
    {11, "A5", 2100, 1485},       {12, "B4", 3540, 2500},          {13, "B5", 2570, 1820},
    {1, "US-Letter", 2794, 2159}, {2, "Letter small", 2794, 2159}, {5, "US-Legal", 3556, 2159},
    {7, "US-Exec.", 2667, 1841},  {24, "C Sheet", 5588, 4318},     {25, "D Sheet", 8636, 5588},
    {26, "E Sheet", 11176, 8636},
};

namespace {

constexpr const char* kSection = "Printer";
constexpr const char* kDefaultFixedFont = "Courier New";
constexpr const char* kDefaultVariableFont = "Arial";

std::function<PrinterPaper()>& printerQuery()
{
    static std::function<PrinterPaper()> query;
    return query;
}

PrinterPaper currentPrinter()
{
    const auto& query = printerQuery();
    return query ? query() : PrinterPaper{};
}

std::vector<std::string> splitText(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string joinText(const std::vector<std::string>& parts, char separator)
{
    std::string text;
    for (std::size_t index = 0; index < parts.size(); ++index) {
        if (index > 0)
            text += separator;
        text += parts[index];
    }
    return text;
}

void dropTrailingEmpty(std::vector<std::string>& lines)
{
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
}

} // namespace

TDocumentOptions::TDocumentOptions(std::initializer_list<TDocumentOption> options)
{
    for (TDocumentOption option : options)
        include(option);
}

TVnxDocument::TVnxDocument()
{
    ResetHeads();
    SetDefaults(0);
}

void TVnxDocument::setPrinterQuery(std::function<PrinterPaper()> query) { printerQuery() = std::move(query); }

void TVnxDocument::SetOptions(TDocumentOptions options)
{
    if (options.contains(TDocumentOption::doCanSetAddressPos)) {
        options.exclude(TDocumentOption::doMultiCol);
        options.exclude(TDocumentOption::doChgOrientation);
    }
    FOptions = options;
}

void TVnxDocument::ResetHeads()
{
    TitleLines.clear();
    HeadLeftLines.clear();
    HeadRightLines = {base::languageText('G', 55) + "@PAGE@"};
}

void TVnxDocument::ReadPrinterPaper()
{
    const PrinterPaper printer = currentPrinter();
    PrinterName = printer.present ? printer.deviceName : std::string();
    const int code = printer.present ? printer.paperCode : 0;
    PaperIndex = 0;
    for (int index = 12; index >= 1; --index) {
        if (paperTable[index].paperCode == code) {
            PaperIndex = index;
            break;
        }
    }
}

void TVnxDocument::SetDefaults(int standard)
{
    const PrinterPaper printer = currentPrinter();
    PaperOrientation = printer.present ? printer.orientation : Orientation::Portrait;
    ReadPrinterPaper();
    FixedFont = kDefaultFixedFont;
    VariableFont = kDefaultVariableFont;
    if (standard == 1) {
        PaperOrientation = Orientation::Landscape;
        LeftMargin = 130;
        RightMargin = 130;
        TopMargin = 110;
        BottomMargin = 100;
        PageColumns = 2;
        ColumnDistance = 150;
    } else {
        PaperOrientation = Orientation::Portrait;
        LeftMargin = 150;
        RightMargin = 150;
        TopMargin = 100;
        BottomMargin = 100;
        PageColumns = 1;
        ColumnDistance = 0;
    }
    HeadOnColumn = false;
    if (!FOptions.contains(TDocumentOption::doMultiCol)) {
        PageColumns = 1;
        ColumnDistance = 0;
    }
    if (!FOptions.contains(TDocumentOption::doChgOrientation))
        PaperOrientation = Orientation::Portrait;
    if (!FOptions.contains(TDocumentOption::doCanSetMargins)) {
        LeftMargin = 0;
        RightMargin = 0;
        TopMargin = 0;
        BottomMargin = 0;
    }
    AddressLeft = 1200;
    AddressTop = 500;
    HtmlTemplate.clear();
    HTMLWidth = -1;
}

int TVnxDocument::PageWidth() const
{
    const TPaper& paper = paperTable[std::clamp(PaperIndex, 0, 12)];
    return PaperOrientation == Orientation::Landscape ? paper.longSide : paper.shortSide;
}

int TVnxDocument::PageHeight() const
{
    const TPaper& paper = paperTable[std::clamp(PaperIndex, 0, 12)];
    return PaperOrientation == Orientation::Landscape ? paper.shortSide : paper.longSide;
}

int TVnxDocument::PrintableHeight() const { return PageHeight() - TopMargin - BottomMargin; }

int TVnxDocument::ColumnWidth() const
{
    const int width = PageWidth() - LeftMargin - RightMargin;
    if (PageColumns < 2)
        return width;
    return mulDiv(width - (PageColumns - 1) * ColumnDistance, 1, PageColumns);
}

int TVnxDocument::BaseFontSize() const
{
    const int charactersWidth = mulDiv(FixCharPerLine, 2116, 1000);
    // A character count of 0 (a damaged settings file) would divide by zero; one character fills the line.
    return ColumnWidth() * 10 / std::max(charactersWidth, 1);
}

int TVnxDocument::LineHeight() const { return mulDiv(BaseFontSize(), 254, 600); }

int TVnxDocument::FooterLineCount()
{
    dropTrailingEmpty(FooterLeftLines);
    dropTrailingEmpty(FooterCentreLines);
    dropTrailingEmpty(FooterRightLines);
    return static_cast<int>(
        std::max({FooterLeftLines.size(), FooterCentreLines.size(), FooterRightLines.size()}));
}

int TVnxDocument::FooterHeight()
{
    const int lineHeight = LineHeight();
    int height = FooterLineCount() * lineHeight;
    if (height > 0)
        height += mulDiv(lineHeight, 4, 5);
    return height;
}

std::string TVnxDocument::InfoText()
{
    const int index = std::clamp(PaperIndex, 0, 12);
    std::string text = paperTable[index].name;
    text += " - ";
    text += base::languageText('G', PaperOrientation == Orientation::Landscape ? 53 : 52);
    if (index == 0)
        return text + base::languageText('G', 54);
    text += ",  (" + std::to_string(ColumnWidth() / 10) + " x " +
            std::to_string((PageHeight() - TopMargin - BottomMargin - FooterHeight()) / 10) + " mm";
    if (PageColumns <= 1)
        text += ")";
    else
        text += ";  " + std::to_string(PageColumns) + "x)";
    return text;
}

void TVnxDocument::SetColumns(const std::string& specification) { Columns.SetColumns(specification); }

std::string TVnxDocument::GetColumns() const { return Columns.GetColumns(); }

namespace {

/** The letters of the line-list keys: footer left, centre, right and the page images. */
struct LineListKey
{
    char letter;
    std::vector<std::string> TVnxDocument::*lines;
};
constexpr LineListKey kLineLists[] = {
    {'l', &TVnxDocument::FooterLeftLines},
    {'z', &TVnxDocument::FooterCentreLines},
    {'r', &TVnxDocument::FooterRightLines},
    {'i', &TVnxDocument::ImageEntries},
};

std::string lineKey(const std::string& name, char letter, std::size_t index)
{
    return "DF" + name + letter + "Foot" + std::to_string(index);
}

} // namespace

void TVnxDocument::LoadSettings(const base::CustomIniFile& settings)
{
    const std::string marginKey = "DF" + Name + "Margin";
    if (Name.empty() || !settings.ValueExists(kSection, marginKey)) {
        SetDefaults(0);
        return;
    }
    std::vector<std::string> numbers = splitText(settings.ReadString(kSection, marginKey, ""), ';');
    numbers.resize(10);
    const auto number = [&numbers](std::size_t index) { return base::strToIntDef(numbers[index], 0); };
    LeftMargin = number(0);
    RightMargin = number(1);
    TopMargin = number(2);
    BottomMargin = number(3);
    // Every geometry divides by the page-column count, so a damaged value means one column.
    PageColumns = std::max(number(4), 1);
    ColumnDistance = number(5);
    PaperOrientation = number(6) == 1 ? Orientation::Landscape : Orientation::Portrait;
    HeadOnColumn = number(7) != 0;
    AddressLeft = number(8);
    AddressTop = number(9);

    const std::string fontsKey = "DF" + Name + "Fonts";
    if (settings.ValueExists(kSection, fontsKey)) {
        std::vector<std::string> fonts = splitText(settings.ReadString(kSection, fontsKey, ""), ',');
        const std::size_t present = fonts.size();
        fonts.resize(5);
        FixedFont = fonts[0].empty() ? kDefaultFixedFont : fonts[0];
        VariableFont = fonts[1].empty() ? kDefaultVariableFont : fonts[1];
        HtmlTemplate = fonts[2];
        HTMLWidth = present > 3 ? base::strToIntDef(fonts[3], 0) : -1;
        FooterFontSize = present > 4 ? base::strToIntDef(fonts[4], 0) : 100;
    }

    for (const LineListKey& list : kLineLists) {
        std::vector<std::string>& lines = this->*list.lines;
        lines.clear();
        for (std::size_t index = 0;; ++index) {
            std::string line = settings.ReadString(kSection, lineKey(Name, list.letter, index), "$-$$");
            if (line == "$-$$")
                break;
            lines.push_back(std::move(line));
        }
    }
    ReadPrinterPaper();
}

void TVnxDocument::SaveSettings(base::CustomIniFile& settings)
{
    const std::vector<std::string> margins{std::to_string(LeftMargin),
                                           std::to_string(RightMargin),
                                           std::to_string(TopMargin),
                                           std::to_string(BottomMargin),
                                           std::to_string(PageColumns),
                                           std::to_string(ColumnDistance),
                                           std::to_string(static_cast<int>(PaperOrientation)),
                                           HeadOnColumn ? "1" : "0",
                                           std::to_string(AddressLeft),
                                           std::to_string(AddressTop)};
    settings.WriteString(kSection, "DF" + Name + "Margin", joinText(margins, ';'));
    const std::vector<std::string> fonts{FixedFont, VariableFont, HtmlTemplate, std::to_string(HTMLWidth),
                                         std::to_string(FooterFontSize)};
    settings.WriteString(kSection, "DF" + Name + "Fonts", joinText(fonts, ','));
    for (const LineListKey& list : kLineLists) {
        std::vector<std::string>& lines = this->*list.lines;
        dropTrailingEmpty(lines);
        std::size_t index = 0;
        for (; index < lines.size(); ++index)
            settings.WriteString(kSection, lineKey(Name, list.letter, index), lines[index]);
        // Keys left from a longer list are emptied, so they read back as trailing empty lines.
        for (;; ++index) {
            const std::string key = lineKey(Name, list.letter, index);
            if (settings.ReadString(kSection, key, "$$$") == "$$$")
                break;
            settings.WriteString(kSection, key, "");
        }
    }
}

} // namespace lanescope::report
