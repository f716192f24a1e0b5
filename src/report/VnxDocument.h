#pragma once

#include "report/ColDivList.h"
#include "report/ReportCanvas.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace lanescope::base {
class CustomIniFile;
}

/**
 * The page setup of one kind of report: paper, orientation, margins, page columns, fonts, header and
 * footer lines, page images, HTML table width and template. Lengths are tenths of a millimetre; the
 * geometry uses integer multiply-divide rounded to the nearest integer.
 */
namespace lanescope::report {

struct TPaper
{
    int paperCode;
    const char* name;
    int longSide;
    int shortSide;
};

/** The paper table; index 0 is the fallback for paper it does not know. */
extern const TPaper paperTable[13];

enum class TDocumentOption
{
    doMultiCol,
    doChgOrientation,
    doCanSetMargins,
    doCanSetTopOfs,
    doNoFontChange,
    doCanSetAddressPos,
};

/** A set of `TDocumentOption`. */
class TDocumentOptions
{
public:
    TDocumentOptions() = default;
    TDocumentOptions(std::initializer_list<TDocumentOption> options);
    bool contains(TDocumentOption option) const { return (FBits & bit(option)) != 0; }
    void include(TDocumentOption option) { FBits |= bit(option); }
    void exclude(TDocumentOption option) { FBits &= ~bit(option); }
    bool operator==(const TDocumentOptions&) const = default;

private:
    static unsigned bit(TDocumentOption option) { return 1u << static_cast<unsigned>(option); }
    unsigned FBits = 0;
};

/** What the platform tells about the current printer; a machine without printers gives `present` false. */
struct PrinterPaper
{
    bool present = false;
    std::string deviceName;
    int paperCode = 0;
    Orientation orientation = Orientation::Portrait;
};

class TVnxDocument
{
public:
    TVnxDocument();

    /** The current printer's paper; the shell installs its query, the core default has no printer. */
    static void setPrinterQuery(std::function<PrinterPaper()> query);

    void LoadSettings(const base::CustomIniFile& settings);
    void SaveSettings(base::CustomIniFile& settings);
    /** Standard 0 "1 Spalte, Hochformat" or 1 "2 Spalten, Querformat". */
    void SetDefaults(int standard);
    /** Clears title and head lines and puts one head-right line: G55 followed by "@PAGE@". */
    void ResetHeads();
    void ReadPrinterPaper();

    int PageWidth() const;
    int PageHeight() const;
    int PrintableHeight() const;
    int ColumnWidth() const;
    /** Base font size in tenths of a point. */
    int BaseFontSize() const;
    int LineHeight() const;
    /** Removes trailing empty lines of the three footer lists and gives the longest one's count. */
    int FooterLineCount();
    int FooterHeight();
    std::string InfoText();

    void SetColumns(const std::string& specification);
    std::string GetColumns() const;

    const TDocumentOptions& Options() const { return FOptions; }
    /** Stores the set; with `doCanSetAddressPos` the options `doMultiCol` and `doChgOrientation` go. */
    void SetOptions(TDocumentOptions options);

    std::string Name = "Hoch75";
    std::int32_t FixCharPerLine = 75;
    std::int32_t HTMLWidth = -1;
    bool HeadOnColumn = false;

    std::string PrinterName;
    TColDivList Columns;
    int CurrentColumn = 0;
    int PaperIndex = 0;
    std::string FixedFont = "Courier New";
    std::string VariableFont = "Arial";
    std::string HtmlTemplate;
    int LeftMargin = 150;
    int RightMargin = 150;
    int TopMargin = 100;
    int BottomMargin = 100;
    int AddressLeft = 1200;
    int AddressTop = 500;
    int PageColumns = 1;
    int ColumnDistance = 0;
    int FooterFontSize = 100;
    Orientation PaperOrientation = Orientation::Portrait;

    std::vector<std::string> TitleLines;
    std::vector<std::string> HeadLeftLines;
    std::vector<std::string> HeadRightLines;
    std::vector<std::string> FooterLeftLines;
    std::vector<std::string> FooterCentreLines;
    std::vector<std::string> FooterRightLines;
    /** "x;y;scale;alignment;file" per page image. */
    std::vector<std::string> ImageEntries;

private:
    TDocumentOptions FOptions{TDocumentOption::doMultiCol, TDocumentOption::doChgOrientation,
                              TDocumentOption::doCanSetMargins};
};

} // namespace lanescope::report
