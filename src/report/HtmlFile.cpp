#include "report/HtmlFile.h"

#include "base/FormatSettings.h"
#include "base/ProductVersion.h"
#include "base/Strings.h"
#include "report/LocalClock.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

namespace lanescope::report {

namespace {

// The HTML5 doctype as the very first line: any other doctype, or anything before it, sends browsers into
// quirks mode, where table cells no longer inherit the font and widths follow other rules.
constexpr std::string_view kBuiltInTemplate =
    "<!DOCTYPE html>\r\n<html lang=\"@LANG@\"><head><title>\r\n@TITLE@\r\n"
    "</title></head><body><center>\r\n@BODY@\r\n</center></body></html>";

// A word longer than its column (a name without a break point) wraps anywhere rather than pushing the rest of
// its row off the page; the nested cells of the branded head keep their words whole.
constexpr std::string_view kStyleBlock =
    "<STYLE><!--\r\n"
    "BODY,TABLE,TD {font-family: @FONT, helvetica; font-style:normal; font-size: @%dpt;}\r\n"
    "#f3 {font-family: @FONT, helvetica; font-style:normal; font-size: @7pt;}\r\n"
    "#f4 {font-family: @FONT, helvetica; font-style:normal; font-size: @7pt;}\r\n"
    "#f5 {font-family: @FONT, helvetica; font-style:normal; font-size: @7pt;}\r\n"
    "#f6 {font-family: @FONT, helvetica; font-style:normal; font-size: @7pt;}\r\n"
    "#f7 {font-family: @FONT, helvetica; font-style:normal; font-size: @7pt;}\r\n"
    "#f8 {font-family: @FONT, helvetica; font-style:normal; font-size: @8pt;}\r\n"
    "#f9 {font-family: @FONT, helvetica; font-style:normal; font-size: @9pt;}\r\n"
    "#f10 {font-family: @FONT, helvetica; font-style:normal; font-size: @10pt;}\r\n"
    "#f11 {font-family: @FONT, helvetica; font-style:normal; font-size: @11pt;}\r\n"
    "#f12 {font-family: @FONT, helvetica; font-style:normal; font-size: @12pt;}\r\n"
    "#f13 {font-family: @FONT, helvetica; font-style:normal; font-size: @13pt;}\r\n"
    "#f14 {font-family: @FONT, helvetica; font-style:normal; font-size: @14pt;}\r\n"
    "TD {overflow-wrap:anywhere;}\r\n"
    "TD TD {overflow-wrap:normal;}\r\n"
    "--></STYLE>";

constexpr std::string_view kCharsetTag = "<meta charset=\"utf-8\">";

/**
 * The bidi controls (ALM, LRM, RLM, LRE to RLO, LRI to PDI). A file's text never carries them into a page: an
 * override left open inside a name would reverse everything after it in the cell.
 */
constexpr std::string_view kBidiControls[] = {
    "\u061C", "\u200E", "\u200F", "\u202A", "\u202B", "\u202C",
    "\u202D", "\u202E", "\u2066", "\u2067", "\u2068", "\u2069",
};

bool hasNonAscii(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

/** The accented letters and their entities, replaced in this order. */
constexpr std::pair<std::string_view, std::string_view> kLetters[] = {
    {"ä", "&auml;"},   {"ë", "&euml;"},   {"ï", "&iuml;"},   {"ö", "&ouml;"},   {"ü", "&uuml;"},
    {"Ä", "&Auml;"},   {"Ö", "&Ouml;"},   {"Ü", "&Uuml;"},   {"á", "&aacute;"}, {"é", "&eacute;"},
    {"í", "&iacute;"}, {"ó", "&oacute;"}, {"ú", "&uacute;"}, {"â", "&acirc;"},  {"ê", "&ecirc;"},
    {"î", "&icirc;"},  {"ô", "&ocirc;"},  {"û", "&ucirc;"},  {"à", "&agrave;"}, {"è", "&egrave;"},
    {"ì", "&igrave;"}, {"ò", "&ograve;"}, {"ù", "&ugrave;"}, {"ç", "&ccedil;"},
};

/**
 * The size markers of the style block by table width: narrow tables get smaller type. The classes
 * f11, f13 and f14 follow their neighbours in each band.
 */
struct SizeBand
{
    int from;
    int to;
    std::pair<std::string_view, std::string_view> markers[8];
};
constexpr SizeBand kSizeBands[] = {
    {1,
     549,
     {{"@7", "5"},
      {"@8", "6"},
      {"@9", "7"},
      {"@10", "8"},
      {"@11", "9"},
      {"@12", "10"},
      {"@13", "11"},
      {"@14", "12"}}},
    {550,
     649,
     {{"@7", "6"},
      {"@8", "7"},
      {"@9", "8"},
      {"@10", "9"},
      {"@11", "10"},
      {"@12", "12"},
      {"@13", "13"},
      {"@14", "14"}}},
};
constexpr std::pair<std::string_view, std::string_view> kWideMarkers[] = {
    {"@7", "8"},   {"@8", "9"},   {"@9", "10"},  {"@10", "11"},
    {"@11", "12"}, {"@12", "14"}, {"@13", "15"}, {"@14", "16"},
};

std::vector<std::string> splitFields(std::string_view specification)
{
    std::vector<std::string> fields;
    while (!specification.empty()) {
        const std::size_t end = specification.find(';');
        if (end != 0)
            fields.emplace_back(specification.substr(0, end));
        if (end == std::string_view::npos)
            break;
        specification.remove_prefix(end + 1);
    }
    return fields;
}

/** Lines as a text list reads them: CR LF, LF or CR end a line; a final line end adds no empty line. */
std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

bool endsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

} // namespace

THtmlFile::THtmlFile(int tableWidth, std::filesystem::path templateFile, int defaultFontSizeId)
    : FontSizeId(defaultFontSizeId)
    , FTableWidth(tableWidth)
    , FTemplateFile(std::move(templateFile))
    , FDefaultFontSizeId(defaultFontSizeId)
{
    for (Cell& cell : FCells)
        cell.fontSizeId = FDefaultFontSizeId;
}

std::string THtmlFile::withoutBidiControls(std::string_view text)
{
    std::string result(text);
    if (!hasNonAscii(text))
        return result;
    for (const std::string_view control : kBidiControls)
        if (result.find(control) != std::string::npos)
            result = base::replaceAll(result, control, "");
    return result;
}

std::string THtmlFile::escapeLetters(std::string_view text)
{
    std::string result = withoutBidiControls(text);
    for (const auto& [letter, entity] : kLetters)
        if (result.find(letter) != std::string::npos)
            result = base::replaceAll(result, letter, entity);
    return base::replaceAll(result, "  ", "&nbsp;&nbsp;");
}

std::string THtmlFile::escapeText(std::string_view text) { return escapeLetters(base::xmlEscaped(text)); }

std::string THtmlFile::widthText(int width) const
{
    // Rounded to the nearest pixel: cut off, the cells of a row fall short of the table by up to a pixel
    // each.
    if (FTableWidth > 0)
        return std::to_string((static_cast<long long>(width) * FTableWidth + 500) / 1000);
    return std::to_string(width / 10) + "%";
}

std::vector<std::string> THtmlFile::columnFields() const { return splitFields(FColumns); }

void THtmlFile::SetColumns(const std::string& specification)
{
    int sum = 0;
    for (const std::string& field : splitFields(specification))
        sum += base::strToIntDef(std::string_view(field).substr(1), 0);
    std::string completed = specification;
    if (sum < 1000)
        completed += ";L" + std::to_string(1000 - sum);
    if (completed == FColumns)
        return;
    CloseTable();
    FColumns = std::move(completed);
    FLastCell = -1;
}

void THtmlFile::AddCell(int index, const std::string& text, int flags, const std::string& link)
{
    FRowState = RowState::RowPending;
    if (index == -1)
        index = FLastCell + 1;
    if (index < 0 || index > kMaxCell)
        return;
    Cell& cell = FCells[static_cast<std::size_t>(index)];
    if (!text.empty()) {
        if (cell.fontSizeId != FontSizeId) {
            // The style block knows the sizes f3 to f14: a larger text (a book's title) takes the largest
            // rather than falling back to the browser's italic <em>.
            cell.text += swim::formatText("<em id=f%d>", {std::clamp(FontSizeId, 3, 14)});
            cell.fontSizeId = FontSizeId;
        }
        cell.state = CellState::Text;
        std::string shown = escapeText(text);
        // Each text is a bidi island of its own: a right-to-left name keeps its order and cannot turn the
        // place, club or time beside it round. Texts in ASCII hold no right-to-left letter.
        if (hasNonAscii(text))
            shown = "<bdi>" + shown + "</bdi>";
        if (!link.empty())
            shown = "<a href=\"" + base::xmlEscaped(link) + "\">" + shown + "</a>";
        if (flags & 8)
            shown = "<b>" + shown + "</b>";
        if (flags & 16)
            shown = "<i>" + shown + "</i>";
        if (flags & 32)
            shown = "<u>" + shown + "</u>";
        cell.text += shown;
    }
    FLastCell = index;
}

void THtmlFile::NewLine()
{
    if (FRowState == RowState::Idle || FRowState == RowState::AfterRule) {
        FLines.emplace_back("<br>");
        return;
    }
    const std::size_t count = std::min(columnFields().size(), FCells.size());
    for (std::size_t index = 0; index < count; ++index) {
        Cell& cell = FCells[index];
        cell.text += "<br>";
        if (cell.state == CellState::Empty)
            cell.state = CellState::LineBreaks;
    }
    FRowState = RowState::RowPending;
}

void THtmlFile::FlushRow()
{
    if (FRowState != RowState::RowPending)
        return;
    if (!FTableOpen) {
        FLines.push_back("<table width=" + widthText(1000) + " border=0 cellspacing=0 cellpadding=0>");
        FTableOpen = true;
        FWidthsWritten = false;
    }
    const bool writeWidths = !FWidthsWritten;
    std::vector<std::string> fields = columnFields();
    if (fields.size() > FCells.size())
        fields.resize(FCells.size());

    std::size_t longest = 0;
    for (std::size_t index = 1; index < fields.size(); ++index)
        if (FCells[index].text.size() > FCells[longest].text.size())
            longest = index;

    std::string row;
    std::vector<std::string> nonText; // cells since the last text cell, not yet written
    const auto writeNonText = [&] {
        if (!writeWidths && nonText.size() > 2) {
            row += swim::formatText("<td colspan=%d></td>", {static_cast<int>(nonText.size())});
        } else {
            for (const std::string& cell : nonText)
                row += cell;
        }
        nonText.clear();
    };
    for (std::size_t index = 0; index < fields.size(); ++index) {
        const std::string& field = fields[index];
        const int width = base::strToIntDef(std::string_view(field).substr(1, 4), 0);
        if (width <= 0)
            continue;
        Cell& cell = FCells[index];
        std::string& text = cell.text;
        if (index != longest) {
            while (endsWith(text, "<br>"))
                text.resize(text.size() - 4);
        } else if (endsWith(text, "<br>") && !endsWith(text, "<br><br>")) {
            text.resize(text.size() - 4);
        }
        const char letter = field[0];
        const std::string align = letter == 'C'                    ? " align=center"
                                  : letter == 'R' || letter == 'D' ? " align=right"
                                                                   : "";
        if (cell.state == CellState::Text || index == longest) {
            writeNonText();
            if (writeWidths)
                row += "<td" + align + " width=" + widthText(width) + ">" + text + "</td>";
            else
                row += "<td" + align + ">" + text + "</td>";
        } else if (cell.state == CellState::LineBreaks) {
            nonText.push_back(writeWidths ? "<td width=" + widthText(width) + ">" + text + "</td>"
                                          : "<td>" + text + "</td>");
        } else {
            nonText.push_back(writeWidths ? "<td width=" + widthText(width) + "> </td>" : "<td></td>");
        }
    }
    // Empty cells at the end of a row need no markup once the table has its widths.
    if (!writeWidths && nonText.size() > 2)
        nonText.clear();
    for (const std::string& cell : nonText)
        row += cell;

    if (!row.empty()) {
        FLines.emplace_back("<tr valign=top>");
        FLines.push_back(std::move(row));
        FLines.emplace_back("</tr>");
    }
    if (writeWidths)
        FWidthsWritten = true;
    for (Cell& cell : FCells)
        cell = Cell{{}, CellState::Empty, FDefaultFontSizeId};
    FLastCell = -1;
    FRowState = RowState::TableOpen;
}

void THtmlFile::CloseTable()
{
    FlushRow();
    if (!FTableOpen)
        return;
    FLines.emplace_back("</table>");
    FTableOpen = false;
    FRowState = RowState::Idle;
}

void THtmlFile::Rule()
{
    const std::string columns = FColumns;
    CloseTable();
    FLines.push_back("<table width=" + widthText(1000) +
                     " border=0 cellspacing=0 cellpadding=0><tr><td><hr noshade size=\"1\" "
                     "color=\"black\"></td></tr></table>");
    FRowState = RowState::AfterRule;
    SetColumns(columns);
}

void THtmlFile::Anchor(const std::string& id)
{
    // An element between table rows would be moved out of the table by the browser: the mark goes between
    // tables.
    CloseTable();
    FLines.push_back("<a id=\"" + base::xmlEscaped(id) + "\"></a>");
}

void THtmlFile::AddRaw(const std::string& text) { FLines.push_back(escapeLetters(text)); }

std::string THtmlFile::templateText() const
{
    if (!TemplateText.empty())
        return TemplateText;
    std::error_code error;
    std::filesystem::path file;
    if (!FTemplateFile.empty() && std::filesystem::is_regular_file(FTemplateFile, error))
        file = FTemplateFile;
    else if (std::filesystem::is_regular_file("default.htt", error))
        file = "default.htt";
    if (!file.empty()) {
        std::ifstream stream(file, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        if (stream.good() || stream.eof())
            return text;
    }
    return std::string(kBuiltInTemplate);
}

std::string THtmlFile::styleBlock() const
{
    std::string style = swim::formatText(kStyleBlock, {FDefaultFontSizeId});
    style = base::replaceAll(style, "@FONT", FontName);
    const auto applyMarkers = [&style](const auto& markers) {
        for (const auto& [marker, size] : markers)
            style = base::replaceAll(style, marker, size);
    };
    bool banded = false;
    if (FTableWidth == -1 || (FTableWidth >= 650 && FTableWidth <= 800)) {
        banded = true;
    } else {
        for (const SizeBand& band : kSizeBands) {
            if (FTableWidth >= band.from && FTableWidth <= band.to) {
                applyMarkers(band.markers);
                banded = true;
            }
        }
    }
    if (!banded)
        applyMarkers(kWideMarkers);
    return base::replaceAll(style, "@", "");
}

std::vector<std::string> THtmlFile::PageLines()
{
    CloseTable();
    const base::TDateTime date = FFixedDate != 0 ? FFixedDate : localNow();
    const base::TFormatSettings& settings = base::currentFormatSettings();
    std::string page = base::replaceAll(templateText(), "@DATE@", base::formatDateTime(settings.shortDateFormat, date));
    page = base::replaceAll(page, "@LANG@", base::xmlEscaped(Language.empty() ? "en" : Language));
    std::vector<std::string> templateLines = splitLines(page);
    for (std::string& line : templateLines) {
        if (base::asciiSameText(line, "@TITLE@")) {
            line = escapeText(Title);
            break;
        }
    }
    std::size_t body = templateLines.size();
    for (std::size_t index = 0; index < templateLines.size(); ++index) {
        if (base::asciiSameText(templateLines[index], "@BODY@")) {
            body = index;
            break;
        }
    }
    // The top anchor opens the body: placed before the doctype it would put the page in quirks mode.
    std::vector<std::string> lines(templateLines.begin(),
                                   templateLines.begin() + static_cast<std::ptrdiff_t>(body));
    lines.emplace_back("<a id=\"_top\"></a>");
    lines.insert(lines.end(), FLines.begin(), FLines.end());
    if (body < templateLines.size())
        lines.insert(lines.end(), templateLines.begin() + static_cast<std::ptrdiff_t>(body) + 1,
                     templateLines.end());
    for (std::string& line : lines)
        if (line == "@ANCHORS@")
            line.clear();

    for (std::string& line : lines) {
        const std::size_t head = base::asciiUpper(line).find("<HEAD>");
        if (head == std::string::npos)
            continue;
        const std::string header = "\r\n<!-- created with Vornix Software " +
                                   base::asciiUpper(base::applicationTitle) + "-->\r\n<!-- author is " +
                                   base::productName + " report engine-->\r\n" + std::string(kCharsetTag) +
                                   "\r\n" + styleBlock();
        line.insert(head + 6, header);
        break;
    }
    return lines;
}

std::string THtmlFile::PageText()
{
    std::string text;
    for (const std::string& line : PageLines())
        text += line + "\r\n";
    return text;
}

bool THtmlFile::Save(const std::filesystem::path& fileName)
{
    const std::string page = PageText();
    std::ofstream stream(fileName, std::ios::binary | std::ios::trunc);
    if (!stream)
        return false;
    stream << page;
    stream.close();
    return !stream.fail();
}

} // namespace lanescope::report
