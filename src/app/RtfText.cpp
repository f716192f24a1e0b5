#include "app/RtfText.h"

#include "base/CodePage.h"
#include "base/Strings.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace lanescope::app {

namespace {

using base::CodePage;

constexpr int kDefaultHalfPoints = 24;
constexpr std::size_t kMaxControlWord = 32;
constexpr std::int64_t kMaxParameter = 1'000'000'000;

/** Groups whose text is never shown. Groups marked with \* are skipped as well. */
constexpr std::array<std::string_view, 30> kSkippedDestinations = {"fonttbl",
                                                                   "colortbl",
                                                                   "stylesheet",
                                                                   "info",
                                                                   "pict",
                                                                   "header",
                                                                   "headerl",
                                                                   "headerr",
                                                                   "headerf",
                                                                   "footer",
                                                                   "footerl",
                                                                   "footerr",
                                                                   "footerf",
                                                                   "footnote",
                                                                   "listtable",
                                                                   "listoverridetable",
                                                                   "rsidtbl",
                                                                   "generator",
                                                                   "xmlnstbl",
                                                                   "themedata",
                                                                   "colorschememapping",
                                                                   "datastore",
                                                                   "latentstyles",
                                                                   "object",
                                                                   "fldinst",
                                                                   "bkmkstart",
                                                                   "bkmkend",
                                                                   "pntext",
                                                                   "pntxta",
                                                                   "pntxtb"};

struct CharacterState
{
    bool bold = false;
    bool italic = false;
    int halfPoints = kDefaultHalfPoints;
    /** Inside a destination whose text is not shown. */
    bool skip = false;
    /** Characters that follow a \u as its fallback (\uc). */
    int unicodeSkip = 1;
};

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

CodePage codePageOfNumber(std::int64_t number)
{
    switch (number) {
    case 1250:
        return CodePage::Windows1250;
    case 1251:
        return CodePage::Windows1251;
    case 1253:
        return CodePage::Windows1253;
    case 1254:
        return CodePage::Windows1254;
    case 1255:
        return CodePage::Windows1255;
    case 1256:
        return CodePage::Windows1256;
    case 1257:
        return CodePage::Windows1257;
    case 1258:
        return CodePage::Windows1258;
    case 850:
        return CodePage::Cp850;
    default:
        return CodePage::Windows1252;
    }
}

/** One pass over the input with an explicit stack of character states, so nesting costs no recursion. */
class RtfReader
{
public:
    explicit RtfReader(std::string_view input)
        : FInput(input)
    {
    }

    std::vector<RtfParagraph> read()
    {
        while (FPos < FInput.size()) {
            const char c = FInput[FPos++];
            if (FTooDeep > 0)
                skipDeepGroup(c);
            else if (c == '{')
                openGroup();
            else if (c == '}')
                closeGroup();
            else if (c == '\\')
                readControl();
            else if (static_cast<unsigned char>(c) >= 0x20)
                addByte(c);
        }
        flushBytes();
        emitPendingSurrogate();
        if (!FParagraph.runs.empty())
            FParagraphs.push_back(std::move(FParagraph));
        return std::move(FParagraphs);
    }

private:
    /** Groups beyond the depth cap are passed over whole; only braces and escapes are counted. */
    void skipDeepGroup(char c)
    {
        if (c == '{')
            ++FTooDeep;
        else if (c == '}')
            --FTooDeep;
        else if (c == '\\' && FPos < FInput.size())
            ++FPos;
    }

    void openGroup()
    {
        flushBytes();
        FPendingSkip = 0;
        if (FStack.size() >= static_cast<std::size_t>(kMaxRtfGroupDepth)) {
            FTooDeep = 1;
            return;
        }
        FStack.push_back(FState);
    }

    void closeGroup()
    {
        flushBytes();
        FPendingSkip = 0;
        if (FStack.empty())
            return;
        FState = FStack.back();
        FStack.pop_back();
    }

    void readControl()
    {
        flushBytes();
        if (FPos >= FInput.size())
            return;
        const char c = FInput[FPos];
        if (!isLetter(c)) {
            ++FPos;
            readControlSymbol(c);
            return;
        }
        std::string_view name = readWord();
        bool hasParameter = false;
        std::int64_t parameter = 0;
        const bool negative = FPos + 1 < FInput.size() && FInput[FPos] == '-' && isDigit(FInput[FPos + 1]);
        if (negative)
            ++FPos;
        while (FPos < FInput.size() && isDigit(FInput[FPos])) {
            hasParameter = true;
            parameter = std::min(parameter * 10 + (FInput[FPos] - '0'), kMaxParameter);
            ++FPos;
        }
        if (negative)
            parameter = -parameter;
        if (FPos < FInput.size() && FInput[FPos] == ' ')
            ++FPos;
        applyControlWord(name, hasParameter, parameter);
    }

    /** Letters of a control word; an overlong word is read to its end and gives an empty name. */
    std::string_view readWord()
    {
        const std::size_t start = FPos;
        while (FPos < FInput.size() && isLetter(FInput[FPos]))
            ++FPos;
        if (FPos - start > kMaxControlWord)
            return {};
        return FInput.substr(start, FPos - start);
    }

    void readControlSymbol(char c)
    {
        switch (c) {
        case '\'': {
            // A broken escape drops the hex digits it has and nothing after them.
            int value = 0;
            int digits = 0;
            while (digits < 2 && FPos < FInput.size() && base::hexDigitValue(FInput[FPos]) >= 0) {
                value = value * 16 + base::hexDigitValue(FInput[FPos++]);
                ++digits;
            }
            if (digits < 2)
                return;
            const char byte = static_cast<char>(value);
            if (consumePendingSkip() || FState.skip)
                return;
            addText(base::decodeToUtf8(std::string_view(&byte, 1), FCodePage));
            return;
        }
        case '{':
        case '}':
        case '\\':
            addByte(c);
            return;
        case '*':
            FState.skip = true;
            return;
        case '~':
            addCodePoint(0xA0);
            return;
        case '_':
            addCodePoint('-');
            return;
        case '\n':
        case '\r':
            endParagraph();
            return;
        default:
            return;
        }
    }

    void applyControlWord(std::string_view name, bool hasParameter, std::int64_t parameter)
    {
        const bool on = !hasParameter || parameter != 0;
        if (name == "par" || name == "line") {
            endParagraph();
        } else if (name == "b") {
            FState.bold = on;
        } else if (name == "i") {
            FState.italic = on;
        } else if (name == "fs") {
            FState.halfPoints = hasParameter && parameter > 0
                                    ? static_cast<int>(std::clamp<std::int64_t>(parameter, 2, 3276))
                                    : kDefaultHalfPoints;
        } else if (name == "plain") {
            FState.bold = false;
            FState.italic = false;
            FState.halfPoints = kDefaultHalfPoints;
        } else if (name == "tab") {
            addCodePoint('\t');
        } else if (name == "u") {
            if (!hasParameter)
                return;
            addUnicode(parameter < 0 ? parameter + 65536 : parameter);
            FPendingSkip = FState.unicodeSkip;
        } else if (name == "uc") {
            FState.unicodeSkip = static_cast<int>(std::clamp<std::int64_t>(parameter, 0, 16));
        } else if (name == "ansicpg") {
            FCodePage = codePageOfNumber(parameter);
        } else if (name == "emdash") {
            addCodePoint(0x2014);
        } else if (name == "endash") {
            addCodePoint(0x2013);
        } else if (name == "bullet") {
            addCodePoint(0x2022);
        } else if (name == "lquote") {
            addCodePoint(0x2018);
        } else if (name == "rquote") {
            addCodePoint(0x2019);
        } else if (name == "ldblquote") {
            addCodePoint(0x201C);
        } else if (name == "rdblquote") {
            addCodePoint(0x201D);
        } else if (std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), name) !=
                   kSkippedDestinations.end()) {
            FState.skip = true;
        }
    }

    /** A \u value; surrogate pairs written as two \u are joined, lone halves become U+FFFD. */
    void addUnicode(std::int64_t value)
    {
        if (FState.skip)
            return;
        if (value >= 0xD800 && value <= 0xDBFF) {
            emitPendingSurrogate();
            FHighSurrogate = static_cast<std::uint32_t>(value);
            return;
        }
        if (value >= 0xDC00 && value <= 0xDFFF) {
            if (FHighSurrogate == 0) {
                addCodePoint(0xFFFD);
                return;
            }
            const std::uint32_t cp =
                0x10000 + ((FHighSurrogate - 0xD800) << 10) + (static_cast<std::uint32_t>(value) - 0xDC00);
            FHighSurrogate = 0;
            addCodePoint(cp);
            return;
        }
        addCodePoint(value > 0 && value < 0x110000 ? static_cast<std::uint32_t>(value) : 0xFFFD);
    }

    void emitPendingSurrogate()
    {
        if (FHighSurrogate == 0)
            return;
        FHighSurrogate = 0;
        addCodePoint(0xFFFD);
    }

    bool consumePendingSkip()
    {
        if (FPendingSkip == 0)
            return false;
        --FPendingSkip;
        return true;
    }

    void addByte(char c)
    {
        if (consumePendingSkip() || FState.skip)
            return;
        FBytes += c;
    }

    void addCodePoint(std::uint32_t cp)
    {
        if (FState.skip)
            return;
        std::string text;
        appendUtf8(text, cp);
        addText(text);
    }

    /** Raw text bytes: UTF-8 when they are well-formed, else the ANSI code page. */
    void flushBytes()
    {
        if (FBytes.empty())
            return;
        const std::string text =
            base::decodeToUtf8(FBytes, base::isValidUtf8(FBytes) ? CodePage::Utf8 : FCodePage);
        FBytes.clear();
        addText(text);
    }

    void addText(std::string_view text)
    {
        if (FState.skip || text.empty())
            return;
        if (FHighSurrogate != 0) {
            FHighSurrogate = 0;
            addCodePoint(0xFFFD);
        }
        const RtfRun format{{}, FState.bold, FState.italic, (FState.halfPoints + 1) / 2};
        auto& runs = FParagraph.runs;
        if (runs.empty() || runs.back().bold != format.bold || runs.back().italic != format.italic ||
            runs.back().size != format.size)
            runs.push_back(format);
        runs.back().text += text;
    }

    void endParagraph()
    {
        if (FState.skip)
            return;
        flushBytes();
        emitPendingSurrogate();
        FParagraphs.push_back(std::move(FParagraph));
        FParagraph = {};
    }

    std::string_view FInput;
    std::size_t FPos = 0;
    CharacterState FState;
    std::vector<CharacterState> FStack;
    int FTooDeep = 0;
    int FPendingSkip = 0;
    std::uint32_t FHighSurrogate = 0;
    CodePage FCodePage = CodePage::Windows1252;
    std::string FBytes;
    RtfParagraph FParagraph;
    std::vector<RtfParagraph> FParagraphs;
};

} // namespace

std::vector<RtfParagraph> readRtf(std::string_view rtf) { return RtfReader(rtf).read(); }

} // namespace lanescope::app
