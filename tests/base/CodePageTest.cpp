#include "base/CodePage.h"

#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>

using namespace lanescope::base;

namespace {

struct NameCase
{
    const char* name;
    std::optional<CodePage> codePage;
};

const NameCase kNames[] = {
    {"UTF-8", CodePage::Utf8},
    {"utf8", CodePage::Utf8},
    {" utf-8 ", CodePage::Utf8},
    {"ISO-8859-1", CodePage::Windows1252},
    {"latin1", CodePage::Windows1252},
    {"US-ASCII", CodePage::Windows1252},
    {"iso-8859-2", CodePage::Iso8859_2},
    {"ISO8859-2", CodePage::Iso8859_2},
    {"Latin2", CodePage::Iso8859_2},
    {"ISO_8859-5", CodePage::Iso8859_5},
    {"iso-8859-7", CodePage::Iso8859_7},
    {"ISO-8859-9", CodePage::Iso8859_9},
    {"windows-1250", CodePage::Windows1250},
    {"Windows-1251", CodePage::Windows1251},
    {"WINDOWS-1258", CodePage::Windows1258},
    {"cp1252", CodePage::Windows1252},
    {"CP1257", CodePage::Windows1257},
    {"cp850", CodePage::Cp850},
    {"IBM850", CodePage::Cp850},
    {"", std::nullopt},
    {"UTF-16", std::nullopt},
    {"ISO-8859-15", std::nullopt},
    {"windows-1259", std::nullopt},
    {"utf-8x", std::nullopt},
    {"windows-1252-windows-1252-windows-1252", std::nullopt},
};

class CodePageName : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(CodePageName, ResolvesDeclaredEncoding)
{
    EXPECT_EQ(codePageFromName(GetParam().name), GetParam().codePage);
}

INSTANTIATE_TEST_SUITE_P(Names, CodePageName, ::testing::ValuesIn(kNames));

struct ByteCase
{
    CodePage codePage;
    unsigned char byte;
    const char* utf8;
};

const ByteCase kBytes[] = {
    {CodePage::Windows1250, 0x8A, "Š"},
    {CodePage::Windows1250, 0xA3, "Ł"},
    {CodePage::Windows1250, 0xB3, "ł"},
    {CodePage::Windows1251, 0xC0, "А"},
    {CodePage::Windows1251, 0xA8, "Ё"},
    {CodePage::Windows1252, 0x80, "€"},
    {CodePage::Windows1252, 0xE4, "ä"},
    {CodePage::Windows1252, 0x9F, "Ÿ"},
    {CodePage::Windows1252, 0x81, "\u0081"},
    {CodePage::Windows1253, 0xC1, "Α"},
    {CodePage::Windows1254, 0xD0, "Ğ"},
    {CodePage::Windows1254, 0xFD, "ı"},
    {CodePage::Windows1255, 0xE0, "א"},
    {CodePage::Windows1256, 0xC7, "ا"},
    {CodePage::Windows1257, 0xC0, "Ą"},
    {CodePage::Windows1258, 0xDD, "Ư"},
    {CodePage::Iso8859_2, 0xA3, "Ł"},
    {CodePage::Iso8859_2, 0xB9, "š"},
    {CodePage::Iso8859_5, 0xB0, "А"},
    {CodePage::Iso8859_7, 0xC1, "Α"},
    {CodePage::Iso8859_7, 0xAE, "\u00AE"},
    {CodePage::Iso8859_9, 0xD0, "Ğ"},
    {CodePage::Cp850, 0x81, "ü"},
    {CodePage::Cp850, 0xE1, "ß"},
    {CodePage::Cp850, 0xD5, "ı"},
};

class CodePageByte : public ::testing::TestWithParam<ByteCase>
{
};

TEST_P(CodePageByte, DecodesAmidAscii)
{
    const ByteCase& c = GetParam();
    const std::string high(1, static_cast<char>(c.byte));
    EXPECT_EQ(decodeToUtf8("a" + high + "b", c.codePage), std::string("a") + c.utf8 + "b");
    // Past the eight-byte ASCII scan, and twice in a row.
    const std::string prefix = "Schwimmverein ";
    EXPECT_EQ(decodeToUtf8(prefix + high + high, c.codePage), prefix + c.utf8 + c.utf8);
}

INSTANTIATE_TEST_SUITE_P(Characteristic, CodePageByte, ::testing::ValuesIn(kBytes));

class EightBitCodePage : public ::testing::TestWithParam<CodePage>
{
};

TEST_P(EightBitCodePage, DecodesEveryByteToItsOwnCharacter)
{
    std::set<std::string> seen;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string decoded = decodeToUtf8(std::string(1, static_cast<char>(byte)), GetParam());
        EXPECT_TRUE(isValidUtf8(decoded)) << byte;
        if (byte < 0x80) {
            EXPECT_EQ(decoded, std::string(1, static_cast<char>(byte)));
        }
        seen.insert(decoded);
    }
    EXPECT_EQ(seen.size(), 256u);
}

INSTANTIATE_TEST_SUITE_P(All, EightBitCodePage,
                         ::testing::Values(CodePage::Windows1250, CodePage::Windows1251,
                                           CodePage::Windows1252, CodePage::Windows1253,
                                           CodePage::Windows1254, CodePage::Windows1255,
                                           CodePage::Windows1256, CodePage::Windows1257,
                                           CodePage::Windows1258, CodePage::Iso8859_2, CodePage::Iso8859_5,
                                           CodePage::Iso8859_7, CodePage::Iso8859_9, CodePage::Cp850));

struct Utf8Case
{
    const char* bytes;
    const char* decoded;
};

// Well-formed input is kept as it is; otherwise the whole piece is read as Windows-1252.
const Utf8Case kUtf8Pieces[] = {
    {"", ""},
    {"Zürich 🏊", "Zürich 🏊"},
    {"M\xFCller", "Müller"},
    {"Gr\xC3\xBC\xC3\x9F\x65 \xFC", "GrÃ¼ÃŸe ü"},
    {"SV Bayer 08 Uerdingen \xE9t\xE9", "SV Bayer 08 Uerdingen été"},
    {"abc\xC3", "abcÃ"},
    {"\xED\xA0\x80", "í\u00A0€"},
};

class Utf8Piece : public ::testing::TestWithParam<Utf8Case>
{
};

TEST_P(Utf8Piece, FallsBackToWindows1252WhenMalformed)
{
    std::string out = "kept ";
    appendDecoded(out, GetParam().bytes, CodePage::Utf8);
    EXPECT_EQ(out, std::string("kept ") + GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(Pieces, Utf8Piece, ::testing::ValuesIn(kUtf8Pieces));

struct ValidityCase
{
    const char* bytes;
    bool valid;
};

const ValidityCase kValidity[] = {
    {"", true},
    {"plain ASCII text of some length", true},
    {"\xC3\xA4", true},
    {"\xE2\x82\xAC", true},
    {"\xEF\xBF\xBF", true},
    {"\xF0\x9F\x8F\x8A", true},
    {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
    {"\xC0\xAF", false},         // overlong '/'
    {"\xC1\xBF", false},         // overlong
    {"\xE0\x80\xAF", false},     // overlong
    {"\xE0\x9F\xBF", false},     // overlong U+07FF
    {"\xF0\x80\x80\xAF", false}, // overlong
    {"\xF0\x8F\xBF\xBF", false}, // overlong U+FFFF
    {"\xED\xA0\x80", false},     // surrogate U+D800
    {"\xED\xBF\xBF", false},     // surrogate U+DFFF
    {"\xF4\x90\x80\x80", false}, // U+110000
    {"\xF5\x80\x80\x80", false}, // lead byte beyond U+10FFFF
    {"\xFF", false},             // never in UTF-8
    {"\x80", false},             // lone continuation
    {"\xC3\xA4\xA4", false},     // one continuation too many
    {"abcdefgh\xE2\x82", false}, // cut off after the ASCII scan
    {"\xE2\x82"
     "abcdefgh",
     false}, // interrupted
};

class Utf8Validity : public ::testing::TestWithParam<ValidityCase>
{
};

TEST_P(Utf8Validity, RejectsMalformedSequences)
{
    EXPECT_EQ(isValidUtf8(GetParam().bytes), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Sequences, Utf8Validity, ::testing::ValuesIn(kValidity));

TEST(Windows1252, EveryByteSurvivesDecodeAndEncode)
{
    for (int byte = 0; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        EXPECT_EQ(encodeWindows1252(decodeToUtf8(original, CodePage::Windows1252)), original) << byte;
    }
}

struct EncodeCase
{
    const char* utf8;
    const char* windows1252;
};

const EncodeCase kEncodes[] = {
    {"plain", "plain"},
    {"Zürich", "Z\xFCrich"},
    {"€ 5 – Œuvre", "\x80 5 \x96 \x8C"
                    "uvre"},
    {"Łódź", "?\xF3"
             "d?"},
    {"swim 🏊!", "swim ?!"},
    {"\xFF", "?"},
    {"cut \xE2\x82", "cut ??"},
    {"\xED\xA0\x80", "???"},
};

class Windows1252Encode : public ::testing::TestWithParam<EncodeCase>
{
};

TEST_P(Windows1252Encode, ReplacesWhatItCannotHold)
{
    EXPECT_EQ(encodeWindows1252(GetParam().utf8), GetParam().windows1252);
}

INSTANTIATE_TEST_SUITE_P(Texts, Windows1252Encode, ::testing::ValuesIn(kEncodes));

} // namespace
