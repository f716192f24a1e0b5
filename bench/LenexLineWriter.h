#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lanescope::bench {

/**
 * Lenex text laid out as the program writes it: one element per line, one blank of indentation per
 * level, CR LF line ends. Values are copied as they are, so callers pass no markup characters.
 */
class LenexLineWriter
{
public:
    /** Receives the text in blocks of about a megabyte. */
    using Sink = std::function<void(std::string_view)>;

    /** Without a sink the whole text stays in memory until finish(). */
    explicit LenexLineWriter(Sink sink);

    /** A line that is not an element, such as the XML declaration. */
    void line(std::string_view text);
    void open(std::string_view tag);
    void openWithId(std::string_view tag, long long id);
    /** Closes the innermost open element. */
    void close();
    void data(std::string_view tag, std::string_view value);
    void number(std::string_view tag, long long value);
    /** A data element whose start tag carries one attribute, such as SPLIT with dis. */
    void dataWithAttribute(std::string_view tag, std::string_view attribute, std::string_view attributeValue,
                           std::string_view value);

    /** Bytes written so far, handed to the sink or not. */
    std::size_t written() const { return FFlushed + FText.size(); }
    /** Hands the rest to the sink, or returns the whole text when there is no sink. */
    std::string finish();

private:
    void indent() { FText.append(FOpen.size(), ' '); }
    void startTag(std::string_view tag, std::string_view attribute, std::string_view attributeValue);
    void endTag(std::string_view tag);
    void appendNumber(long long value);

    Sink FSink;
    std::string FText;
    std::size_t FFlushed = 0;
    std::vector<std::string_view> FOpen;
};

/** A lenextime such as V00h01:23.45 for a time in hundredths below one hour. */
class LenexTime
{
public:
    LenexTime(char kind, int hundredths);
    std::string_view text() const { return {FText.data(), FText.size()}; }

private:
    std::array<char, 12> FText{};
};

/** The value in width digits with leading zeros ("0930" for a time of day). */
std::string zeroPadded(int value, int width);

} // namespace lanescope::bench
