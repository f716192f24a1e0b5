#include "app/RtfText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lanescope::app {
namespace {

/** The paragraphs as text, one line each, runs in brackets with their format: "[b i 14:text]". */
std::string describe(const std::vector<RtfParagraph>& paragraphs)
{
    std::string out;
    for (const RtfParagraph& paragraph : paragraphs) {
        for (const RtfRun& run : paragraph.runs) {
            out += '[';
            if (run.bold)
                out += "b ";
            if (run.italic)
                out += "i ";
            if (run.size != 12)
                out += std::to_string(run.size) + ":";
            out += run.text + ']';
        }
        out += '|';
    }
    return out;
}

struct RtfCase
{
    const char* name;
    const char* rtf;
    const char* expected;
};

constexpr RtfCase kCases[] = {
    {"PlainParagraphs", R"({\rtf1\ansi First\par Second\par})", "[First]|[Second]|"},
    {"TextAfterLastPar", R"({\rtf1 One\par Two})", "[One]|[Two]|"},
    {"EmptyParagraphKept", R"({\rtf1 A\par\par B})", "[A]||[B]|"},
    {"BoldOnOff", R"({\rtf1 a \b bold\b0  c})", "[a ][b bold][ c]|"},
    {"ItalicWithZeroParameter", R"({\rtf1 \i x\i0 y})", "[i x][y]|"},
    {"FontSizeInHalfPoints", R"({\rtf1 \fs32 big\fs20 small\fs21 odd})", "[16:big][10:small][11:odd]|"},
    {"GroupRestoresFormat", R"({\rtf1 {\b\fs28 Head}\par body})", "[b 14:Head]|[body]|"},
    {"PlainResets", R"({\rtf1 \b\i\fs40 x\plain y})", "[b i 20:x][y]|"},
    {"PardKeepsCharacterFormat", R"({\rtf1 \b x\pard y})", "[b xy]|"},
    {"HexEscapesAreWindows1252", R"({\rtf1 Gr\'fc\'dfe \'80})", "[Grüße €]|"},
    {"AnsiCodePage1250", R"({\rtf1\ansi\ansicpg1250 \'9a})", "[š]|"},
    {"UnicodeSkipsFallback", R"({\rtf1 \u252?ber \uc2\u8364??x})", "[über €x]|"},
    {"NegativeUnicode", R"({\rtf1 \u-3844?})", "[\xef\x83\xbc]|"},
    {"SurrogatePair", R"({\rtf1 \u55357?\u56832?})", "[\xf0\x9f\x98\x80]|"},
    {"LoneSurrogate", R"({\rtf1 \u56832?x})", "[\xef\xbf\xbdx]|"},
    {"UnicodeSkipEndsAtGroup", R"({\rtf1 {\uc3\u228}abc})", "[äabc]|"},
    {"Tab", R"({\rtf1 a\tab b})", "[a\tb]|"},
    {"EscapedSymbols", R"({\rtf1 \{x\} \\ y})", "[{x} \\ y]|"},
    {"RawUtf8Text", "{\\rtf1 K\xc3\xb6ln}", "[Köln]|"},
    {"RawAnsiText", "{\\rtf1 K\xf6ln}", "[Köln]|"},
    {"SkippedDestinations",
     R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red0\green0\blue0;}{\stylesheet{\s0 Normal;}})"
     R"({\info{\title T}}{\*\generator G;}{\pict 0102}Text})",
     "[Text]|"},
    {"StarredUnknownDestination", R"({\rtf1 {\*\foo bar\par baz}x})", "[x]|"},
    {"LineBreaksInSourceIgnored", "{\\rtf1 a\r\nb}", "[ab]|"},
    {"BackslashNewlineIsPar", "{\\rtf1 a\\\nb}", "[a]|[b]|"},
    {"SpecialCharacters", R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~})",
     "[—–•‘’“”\xc2\xa0]|"},
    {"UnbalancedCloseIgnored", R"(}}{\rtf1 a}}} b)", "[a b]|"},
    {"MissingClose", R"({\rtf1 {\b a)", "[b a]|"},
    {"TruncatedEscape", R"({\rtf1 a\'f)", "[a]|"},
    {"TrailingBackslash", "{\\rtf1 a\\", "[a]|"},
    {"BadHexIgnored", R"({\rtf1 a\'zzb})", "[azzb]|"},
    {"HugeParameterClamped", R"({\rtf1 \fs99999999999999999999 x})", "[1638:x]|"},
    {"OverlongControlWordIgnored", "{\\rtf1 \\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab x}", "[x]|"},
    {"Empty", "", ""},
};

class RtfRead : public ::testing::TestWithParam<RtfCase>
{
};

TEST_P(RtfRead, GivesParagraphsOfRuns) { EXPECT_EQ(describe(readRtf(GetParam().rtf)), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Examples, RtfRead, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RtfCase>& param) { return param.param.name; });

TEST(RtfReadBounds, DeepNestingIsSkippedWithoutRecursion)
{
    const int depth = 1'000'000;
    std::string rtf = "{\\rtf1 before";
    rtf += std::string(depth, '{') + "deep" + std::string(depth, '}');
    rtf += " after}";
    EXPECT_EQ(describe(readRtf(rtf)), "[before after]|");
}

TEST(RtfReadBounds, TextAtTheDepthCapIsKept)
{
    // The outer group plus kMaxRtfGroupDepth - 1 nested ones reach the cap exactly.
    const int nested = kMaxRtfGroupDepth - 1;
    std::string rtf = "{" + std::string(nested, '{') + "\\b x" + std::string(nested, '}') + "y}";
    EXPECT_EQ(describe(readRtf(rtf)), "[b x][y]|");
}

TEST(RtfReadBounds, DeepGroupsSkipEscapedBraces)
{
    std::string rtf = "{" + std::string(kMaxRtfGroupDepth, '{') + "\\} \\{ {x}" +
                      std::string(kMaxRtfGroupDepth, '}') + "z}";
    EXPECT_EQ(describe(readRtf(rtf)), "[z]|");
}

TEST(RtfReadBounds, EveryByteValueIsSurvived)
{
    std::string rtf = "{\\rtf1 ";
    for (int round = 0; round < 4; ++round)
        for (int byte = 0; byte < 256; ++byte)
            rtf += static_cast<char>(byte);
    const auto paragraphs = readRtf(rtf);
    for (const RtfParagraph& paragraph : paragraphs)
        for (const RtfRun& run : paragraph.runs)
            EXPECT_FALSE(run.text.empty());
}

} // namespace
} // namespace lanescope::app
