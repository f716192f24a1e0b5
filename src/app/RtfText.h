#pragma once

#include <string>
#include <string_view>
#include <vector>

/**
 * A small reader for the rich text of our help files: paragraphs of runs with bold, italic and a font size.
 * Everything else of RTF (fonts, colours, tables, pictures, document information) is skipped.
 */
namespace lanescope::app {

/** A piece of text in one format; text is UTF-8. */
struct RtfRun
{
    std::string text;
    bool bold = false;
    bool italic = false;
    /** Font size in points (\fs counts half points); 12 unless the text sets another. */
    int size = 12;

    bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph
{
    std::vector<RtfRun> runs;
};

/**
 * Reads RTF text into paragraphs. Every \par ends a paragraph (empty ones included); text after the last
 * \par is a paragraph of its own. Never fails and never recurses on the input: broken input gives what
 * could be read, unbalanced braces are tolerated, groups nested deeper than kMaxRtfGroupDepth are
 * skipped. Raw bytes that are not UTF-8 and \'hh escapes are read in the document's ANSI code page
 * (Windows-1252 unless \ansicpg names another one we know).
 */
std::vector<RtfParagraph> readRtf(std::string_view rtf);

inline constexpr int kMaxRtfGroupDepth = 256;

} // namespace lanescope::app
