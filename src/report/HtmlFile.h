#pragma once

#include "base/DateTime.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

/**
 * The HTML writer of the report engine: builds one page as a list of lines from cells, line advances,
 * rules and column changes, then wraps it into a template and saves it as UTF-8. Columns become tables
 * whose cell widths follow the column specification; the lines of a block stay level because every line
 * advance adds a line break to every cell of the pending row.
 */
namespace lanescope::report {

class THtmlFile
{
public:
    /** A positive table width gives cell widths in pixels, anything else in percent. */
    THtmlFile(int tableWidth, std::filesystem::path templateFile, int defaultFontSizeId);

    /** Closes the pending table when the column layout text (completed to 1000) differs as text. */
    void SetColumns(const std::string& specification);
    /**
     * Index -1 means the cell after the last one; an index outside 0..100 is ignored. A text with letters
     * outside ASCII is set apart for the bidi algorithm (`<bdi>`); a link makes the text point to that
     * address.
     */
    void AddCell(int index, const std::string& text, int flags, const std::string& link = {});
    void NewLine();
    void FlushRow();
    void CloseTable();
    void Rule();
    /** Closes the pending table and marks the place with the id, the target of a "#id" link. */
    void Anchor(const std::string& id);
    /** Adds the report engine's own markup, letters escaped, as one line of its own. */
    void AddRaw(const std::string& text);

    /** The page wrapped into its template, one text per line. */
    std::vector<std::string> PageLines();
    /** The page wrapped into its template, lines ended by CR LF. */
    std::string PageText();
    /** Writes the page with CR LF line ends; false when the file could not be written. */
    bool Save(const std::filesystem::path& fileName);

    /** The body lines produced so far. */
    const std::vector<std::string>& Lines() const { return FLines; }
    bool LastWasRule() const { return FRowState == RowState::AfterRule; }
    int TableWidth() const { return FTableWidth; }
    const std::string& Columns() const { return FColumns; }

    /**
     * The 24 accented letters as entities, then every two blanks as two non-breaking spaces; bidi controls
     * are removed.
     */
    static std::string escapeLetters(std::string_view text);
    /** The text without the bidi controls (embeddings, overrides, isolates and marks). */
    static std::string withoutBidiControls(std::string_view text);
    /**
     * A text from the file as page text: "&", "<", ">" and '"' as entities, then the letters as
     * `escapeLetters` does. A name or club can never become markup.
     */
    static std::string escapeText(std::string_view text);

    /** Fixes the date put into the template for golden-file tests; use only in test suites. */
    void setFixedDate(base::TDateTime date) { FFixedDate = date; }

    int FontSizeId = 10;
    std::string FontName = "Arial";
    /** The page's title, plain text (escaped when the page is built). */
    std::string Title;
    /** The language tag of the page's texts ("de-CH"), put in for "@LANG@"; empty: "en". */
    std::string Language;
    /** The template itself; when set, it takes the place of the template file. */
    std::string TemplateText;

private:
    enum class RowState
    {
        Idle,
        AfterRule,
        TableOpen,
        RowPending,
    };
    enum class CellState
    {
        Empty,
        LineBreaks,
        Text,
    };
    struct Cell
    {
        std::string text;
        CellState state = CellState::Empty;
        int fontSizeId = 0;
    };
    static constexpr int kMaxCell = 100;

    std::string widthText(int width) const;
    std::vector<std::string> columnFields() const;
    std::string templateText() const;
    std::string styleBlock() const;

    std::vector<std::string> FLines;
    int FTableWidth;
    std::filesystem::path FTemplateFile;
    int FDefaultFontSizeId;
    std::string FColumns;
    bool FTableOpen = false;
    bool FWidthsWritten = false;
    RowState FRowState = RowState::Idle;
    std::array<Cell, kMaxCell + 1> FCells;
    int FLastCell = -1;
    base::TDateTime FFixedDate = 0;
};

} // namespace lanescope::report
