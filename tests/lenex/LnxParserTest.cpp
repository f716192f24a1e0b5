#include "lenex/LnxParser.h"
#include "lenex/LnxXmlText.h"

#include "ParserHelpers.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace lanescope::lenex {
namespace {

using testing::lenexDocument;
using testing::parseText;
using Strings = std::vector<std::string>;

struct MessageCase
{
    const char* name;
    std::string text;
    Strings errors;
    Strings warnings;
    bool hasRoot = true;
};

// Positions: a pretty-printed file reports line numbers, a one-line file element ordinals (LENEX is 1).
const MessageCase kMessageCases[] = {
    {"HeaderAndCommentsBeforeRoot",
     "<?xml version=\"1.0\"?>\n<!-- made by hand -->\n<LENEX>\n<VERSION>01.03.0007</VERSION>\n</LENEX>\n",
     {},
     {}},
    {"DoctypeBeforeRoot", "<!DOCTYPE LENEX>\n<LENEX></LENEX>", {"No LENEX - File !"}, {}, false},
    {"MixedCaseRoot", "<Lenex></Lenex>", {"No LENEX - File !"}, {}, false},
    {"TextBeforeRoot", "hello <LENEX></LENEX>", {"No LENEX - File !"}, {}, false},
    {"EmptyInput", "", {"No LENEX - File !"}, {}, false},
    {"MissingVersion", "<LENEX></LENEX>", {}, {"Expired LENEX - Version !"}},
    {"OlderVersion", "<LENEX><VERSION>01.02.0003</VERSION></LENEX>", {}, {"Expired LENEX - Version !"}},
    {"NewerVersion", "<LENEX><VERSION>01.03.0007</VERSION></LENEX>", {}, {}},
    {"ShortVersionSortsHigher", "<LENEX><VERSION>1.2</VERSION></LENEX>", {}, {}},
    {"EventInClubs",
     lenexDocument("<CLUBS><EVENT></EVENT></CLUBS>"),
     {"Line 4: Unallowed tag in collection: EVENT !"},
     {}},
    {"UnknownElementSkippedWhole",
     lenexDocument("<FOO><foo><NAME>x</NAME></foo></FOO><CLUBS/>"),
     {},
     {"Line 3: Unknown Tag: FOO !"}},
    {"UnknownElementWithEmptyChildOfOtherName",
     lenexDocument("<EXT><ITEM a=\"1\"/><ITEM/></EXT><CLUBS></CLUBS>"),
     {},
     {"Line 3: Unknown Tag: EXT !"}},
    {"SingleQuotes",
     lenexDocument("<CLUBS><CLUB id='4'></CLUB></CLUBS>"),
     {"Line 4: Quote \" expected !"},
     {}},
    // The bytes after a failed "=" are skipped up to the next token, which is then dropped: here </CLUB>.
    {"MissingEquals",
     lenexDocument("<CLUBS><CLUB id \"4\"></CLUB></CLUBS>"),
     {"Line 4: = expected !", "Line 4: Value expected !", "Line 4: Unexpected tag: /CLUBS !",
      "Line 4: Unexpected tag: /LENEX !"},
     {}},
    {"SlashWithoutClose",
     lenexDocument("<CLUBS><CLUB/x></CLUBS>"),
     {"Line 4: > expected !"},
     {"Line 4: Unexpected Data !"}},
    {"TextInObject", lenexDocument("<CLUBS>stray</CLUBS>"), {}, {"Line 3: Unexpected Data !"}},
    {"ElementInDataElement",
     lenexDocument("<CLUBS><CLUB><NAME>A<CODE>x</CODE></NAME></CLUB></CLUBS>"),
     {},
     {"Line 6: No child elements allowed !"}},
    {"WrongEndTag",
     lenexDocument("<CLUBS><CLUB></CLUBS></CLUB></CLUBS>"),
     {"Line 4: Unexpected tag: /CLUBS !"},
     {}},
    {"EndTagAfterRoot",
     "<LENEX><VERSION>01.03.0007</VERSION></LENEX></LENEX>",
     {"Line 2: Unexpected tag: /LENEX !"},
     {}},
    {"AttributeWithoutValue",
     lenexDocument("<CLUBS><CLUB id><NAME>A</NAME></CLUB></CLUBS>"),
     {"Line 4: = expected !", "Line 4: Value expected !", "Line 4: Unexpected tag: /NAME !"},
     {"Line 4: Unexpected Data !"}},
    // A name that merely begins with the expected one (the tag seen there before, or the open element's) is
    // a name of its own.
    {"NameLongerThanTheTagSeenBefore",
     lenexDocument(
         "<CLUBS><CLUB><NAME>A</NAME><CODE>1</CODE></CLUB><CLUB><NAME>B</NAME><CODEX>2</CODEX></CLUB>"
         "</CLUBS>"),
     {},
     {"Line 9: Unknown Tag: CODEX !"}},
    {"EndTagLongerThanTheOpenName",
     lenexDocument("<CLUBS><CLUB><NAME>A</NAMES></NAME></CLUB></CLUBS>"),
     {"Line 5: Unexpected tag: /NAMES !"},
     {}},
    {"PrettyPrintedLines",
     "<LENEX>\n\n <VERSION>01.03.0007</VERSION>\n\n <CLUBS>\n\n  <CLUB>\n\n   <FOO/>\n  </CLUB>\n "
     "</CLUBS>\n</LENEX>\n",
     {},
     {"Line 9: Unknown Tag: FOO !"}},
};

class ParserMessages : public ::testing::TestWithParam<MessageCase>
{
};

TEST_P(ParserMessages, AreWordedAndPlacedExactly)
{
    const MessageCase& c = GetParam();
    const auto parsed = parseText(c.text);
    EXPECT_EQ(parsed.errors, c.errors);
    EXPECT_EQ(parsed.warnings, c.warnings);
    EXPECT_EQ(parsed.root != nullptr, c.hasRoot);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParserMessages, ::testing::ValuesIn(kMessageCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

const TLnxObject* firstClub(const TLnxObject& root) { return root.findCollection(tag::CLUBS)->itemAt(0); }

TEST(LnxParser, BuildsTheTreeWithIdsAttributesAndLines)
{
    const auto parsed = parseText("<?xml version=\"1.0\"?>\n<LENEX>\n <VERSION>01.03.0007</VERSION>\n"
                                  " <CLUBS>\n  <CLUB id=\"12\" nation=\"SUI\">\n   <NAME>  SC Bern  </NAME>\n"
                                  "   <SPLITS><SPLIT Distance=\"50\">V00h00:29.87</SPLIT></SPLITS>\n"
                                  "  </CLUB>\n </CLUBS>\n</LENEX>\n");
    ASSERT_TRUE(parsed.errors.empty());
    const TLnxObject* club = firstClub(*parsed.root);
    EXPECT_EQ(club->id(), 12);
    EXPECT_EQ(club->line(), 5);
    EXPECT_EQ(club->getAttribute(lxaNATION), "SUI");
    EXPECT_EQ(club->getText(tag::NAME), "SC Bern");
    const TLnxAbstractElement* split = club->findCollection(tag::SPLITS)->childAt(0);
    EXPECT_EQ(split->getAttribute(lxaDIS), "50");
    EXPECT_EQ(split->asData()->value(), "V00h00:29.87");
    EXPECT_EQ(parsed.root->line(), 2);
}

TEST(LnxParser, MarksTheFaultyElementAndItsAncestors)
{
    const auto parsed =
        parseText(lenexDocument("<CLUBS><CLUB><PERSONS><PERSON id='4'/></PERSONS></CLUB></CLUBS>"));
    const TLnxObject* club = firstClub(*parsed.root);
    const TLnxObject* person = club->findCollection(tag::PERSONS)->itemAt(0);
    EXPECT_EQ(person->errorState(), esError);
    EXPECT_EQ(person->parent()->errorState(), esInnerError);
    EXPECT_EQ(club->errorState(), esInnerError);
    EXPECT_EQ(parsed.root->errorState(), esInnerError);
    EXPECT_EQ(parsed.root->findChild(tag::VERSION)->errorState(), esSound);
}

TEST(LnxParser, UnquotedIdIsStoredEmpty)
{
    const auto parsed = parseText(lenexDocument("<EVENTS><EVENT id=12><NUM>3</NUM></EVENT></EVENTS>"));
    const TLnxObject* event = parsed.root->findCollection(tag::EVENTS)->itemAt(0);
    EXPECT_EQ(event->id(), 0);
    EXPECT_TRUE(event->hasAttribute(lxaID));
    EXPECT_EQ(event->getAttribute(lxaID), "");
    EXPECT_EQ(event->getInteger(tag::NUM), 3);
    EXPECT_EQ(parsed.errors, Strings{"Line 4: Quote \" expected !"});
}

TEST(LnxParser, ElementInsideDataElementIsDroppedAndFlagged)
{
    const auto parsed = parseText(lenexDocument("<CLUBS><CLUB><NAME>A<CODE>x</CODE></NAME></CLUB></CLUBS>"));
    const TLnxObject* club = firstClub(*parsed.root);
    EXPECT_FALSE(club->hasChild(tag::CODE));
    EXPECT_EQ(club->findChild(tag::NAME)->errorState(), esError);
    EXPECT_EQ(club->getText(tag::NAME), "A");
}

TEST(LnxParser, UnallowedItemIsStillAdded)
{
    const auto parsed = parseText(lenexDocument("<CLUBS><EVENT id=\"2\"/></CLUBS>"));
    const TLnxCollection* clubs = parsed.root->findCollection(tag::CLUBS);
    ASSERT_EQ(clubs->childCount(), 1);
    EXPECT_EQ(clubs->childAt(0)->tag(), tag::EVENT);
    EXPECT_EQ(clubs->errorState(), esInnerError);
}

TEST(LnxParser, TextBrokenByACommentKeepsItsLastPiece)
{
    const auto parsed = parseText(lenexDocument("<CLUBS><CLUB><CODE>one<!-- c -->two</CODE></CLUB></CLUBS>"));
    EXPECT_EQ(firstClub(*parsed.root)->getText(tag::CODE), "two");
}

// The predefined entities and numeric references are resolved in texts and attribute values, in every
// encoding; an "&" that starts no valid reference stays as it stands.
TEST(LnxParser, ResolvesCharacterReferences)
{
    const struct
    {
        const char* raw;
        const char* text;
    } cases[] = {
        {"A &amp; B", "A & B"},
        {"&lt;U&#252;&gt; &quot;x&quot; &apos;y&apos;", "<Uü> \"x\" 'y'"},
        {"&#xE4;&#XE4;&#x1F3CA;&#x000041;", "ä&#XE4;🏊A"},
        {"R&D & Co", "R&D & Co"},
        {"&amp;amp; &#38;lt;", "&amp; &lt;"},
        {"&nbsp; &#; &#x; &#0; &#xD800; &#x110000; &#1; &#65", "&nbsp; &#; &#x; &#0; &#xD800; &#x110000; &#1; &#65"},
        {"&#1114111;&amp", "\U0010FFFF&amp"},
    };
    for (const auto& c : cases) {
        const auto parsed = parseText(lenexDocument(std::string("<CLUBS><CLUB type=\"") + c.raw + "\"><NAME>" +
                                                    c.raw + "</NAME></CLUB></CLUBS>"));
        const TLnxObject* club = firstClub(*parsed.root);
        EXPECT_EQ(club->getText(tag::NAME), c.text) << c.raw;
        EXPECT_EQ(club->getAttribute(lxaTYPE), c.text) << c.raw;
    }
    const auto latin1 = parseText("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
                                  lenexDocument("<CLUBS><CLUB><NAME>M\xFCller &amp; S&#246;hne</NAME></CLUB></CLUBS>"));
    EXPECT_EQ(firstClub(*latin1.root)->getText(tag::NAME), "Müller & Söhne");
}

// The word-at-a-time check that lets plain values skip decoding sees an "&" or a byte above 0x7F at every
// position of a word and of the tail, and takes the neighbours of "&" ("%", "'") for plain text.
TEST(LnxXmlText, PlainTextCheckSeesEveryAmpersandAndHighByte)
{
    for (std::size_t length = 1; length <= 17; ++length) {
        EXPECT_TRUE(isPlainXmlText(std::string(length, '%'))) << length;
        EXPECT_TRUE(isPlainXmlText(std::string(length, '\''))) << length;
        for (std::size_t at = 0; at < length; ++at) {
            for (const char odd : {'&', '\xC3', '\x80', '\xFF'}) {
                std::string text(length, 'a');
                text[at] = odd;
                EXPECT_FALSE(isPlainXmlText(text)) << length << " " << at << " " << int(odd);
            }
        }
    }
    EXPECT_TRUE(isPlainXmlText(""));
}

// A parser that read a broken input (stopped inside a start tag, elements left open, a declared encoding)
// reads the next input from a fresh state: same tree, positions and messages as a new parser gives.
TEST(LnxParser, EveryInputStartsAfresh)
{
    TLnxMessageList messages;
    TLnxParser parser(messages);
    EXPECT_TRUE(parser.parseText("<?xml version=\"1.0\" encoding=\"UTF-8\"?><LENEX><CLUBS><CLUB><NAME>x</NAME><CLUB id=1"));
    EXPECT_FALSE(messages.errors().empty());

    const std::string valid = "<LENEX>\n<VERSION>01.03.0007</VERSION>\n<CLUBS><CLUB id=\"4\"><NAME>M\xFCller</NAME>"
                              "</CLUB></CLUBS>\n<FOO/>\n</LENEX>\n";
    const std::size_t errorsBefore = messages.errors().size();
    const std::size_t warningsBefore = messages.warnings().size();
    const auto reread = parser.parseText(valid);
    TLnxMessageList fresh;
    const auto expected = TLnxParser(fresh).parseText(valid);
    ASSERT_TRUE(reread);
    EXPECT_EQ(messages.errors().size(), errorsBefore);
    EXPECT_EQ(Strings(messages.warnings().begin() + static_cast<std::ptrdiff_t>(warningsBefore),
                      messages.warnings().end()),
              fresh.warnings());
    EXPECT_EQ(firstClub(*reread)->getText(tag::NAME), "Müller");
    EXPECT_EQ(firstClub(*reread)->id(), 4);
    EXPECT_EQ(firstClub(*reread)->line(), firstClub(*expected)->line());
}

TEST(LnxParser, UnknownElementsStillCountAsElements)
{
    // LENEX 1, VERSION 2, the skipped FOO 3 and FOO 4, CLUBS 5, then the wrong item is element 6.
    const auto parsed = parseText(lenexDocument("<FOO><FOO></FOO></FOO><CLUBS><EVENT/></CLUBS>"));
    EXPECT_EQ(parsed.errors, Strings{"Line 6: Unallowed tag in collection: EVENT !"});
}

struct EncodingCase
{
    const char* name;
    std::string declaration;
    std::string bytes;
    std::string expected;
};

TEST(LnxParser, DecodesTextByTheDeclaredEncoding)
{
    const EncodingCase cases[] = {
        {"none", "",
         "M\xFC"
         "ller",
         "Müller"},
        {"latin1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
         "M\xFC"
         "ller \x80",
         "Müller €"},
        {"utf8", "<?xml version='1.0' encoding='UTF-8'?>",
         "M\xC3\xBC"
         "ller",
         "Müller"},
        {"invalidUtf8", "<?xml version=\"1.0\" encoding=\"utf-8\"?>",
         "M\xFC"
         "ller",
         "Müller"},
        {"latin2", "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>",
         "\xA3\xF3"
         "d\xBC",
         "Łódź"},
        {"stylesheetAfterDeclaration",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>"
         "<?xml-stylesheet type=\"text/xsl\" href=\"meet.xsl\" encoding=\"UTF-8\"?>",
         "\xA3\xF3"
         "d\xBC",
         "Łódź"},
        {"unknown", "<?xml version=\"1.0\" encoding=\"x-klingon\"?>",
         "M\xFC"
         "ller",
         "Müller"},
    };
    for (const EncodingCase& c : cases) {
        const auto parsed =
            parseText(c.declaration + lenexDocument("<CLUBS><CLUB nation=\"" + c.bytes + "\"><NAME>" +
                                                    c.bytes + "</NAME></CLUB></CLUBS>"));
        ASSERT_TRUE(parsed.root) << c.name;
        const TLnxObject* club = firstClub(*parsed.root);
        EXPECT_EQ(club->getText(tag::NAME), c.expected) << c.name;
        EXPECT_EQ(club->getAttribute(lxaNATION), c.expected) << c.name;
    }
}

// Values, names and texts that straddle the 4096-byte refills come through whole.
TEST(LnxParser, TokensAcrossBufferRefills)
{
    std::string persons;
    for (int i = 1; i <= 600; ++i) {
        persons += "<PERSON id=\"" + std::to_string(i) + "\"><NAME>Name" +
                   std::string(static_cast<std::size_t>(i % 37), 'x') + "</NAME><FNAME>F" +
                   std::to_string(i) + "</FNAME></PERSON>\n";
    }
    const std::string longText(10000, 'a');
    const std::string longComment = "<!--" + std::string(9000, '-') + "x-->";
    const std::string text =
        lenexDocument("<CLUBS><CLUB><NAME>" + longText + "</NAME>" + longComment + "<CODE>" +
                      std::string(5000, ' ') + "X</CODE><PERSONS>" + persons + "</PERSONS></CLUB></CLUBS>");
    int progressCalls = 0;
    TLnxMessageList messages;
    TLnxParser parser(messages);
    const auto root = parser.parseText(text, [&progressCalls](int) { ++progressCalls; });
    ASSERT_TRUE(root);
    EXPECT_TRUE(messages.errors().empty());
    EXPECT_TRUE(messages.warnings().empty());
    EXPECT_GT(progressCalls, static_cast<int>(text.size() / 4096));

    const TLnxObject* club = firstClub(*root);
    EXPECT_EQ(club->getText(tag::NAME), longText);
    EXPECT_EQ(club->getText(tag::CODE), "X");
    const TLnxCollection* list = club->findCollection(tag::PERSONS);
    ASSERT_EQ(list->childCount(), 600);
    for (int i = 1; i <= 600; ++i) {
        const TLnxObject* person = list->itemAt(i - 1);
        ASSERT_EQ(person->id(), i);
        ASSERT_EQ(person->getText(tag::NAME), "Name" + std::string(static_cast<std::size_t>(i % 37), 'x'));
        ASSERT_EQ(person->getText(tag::FNAME), "F" + std::to_string(i));
    }
}

TEST(LnxParser, ReadsFilesAndReportsOnesItCannotOpen)
{
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / "parser-file-test.lef";
    std::ofstream(path) << "<LENEX>\r\n<VERSION>01.03.0007</VERSION>\r\n<UNKNOWN/>\r\n</LENEX>\r\n";
    TLnxMessageList messages;
    EXPECT_TRUE(TLnxParser(messages).parse(path.string()));
    EXPECT_EQ(messages.warnings(), Strings{"Line 3: Unknown Tag: UNKNOWN !"});
    std::filesystem::remove(path);

    messages.clear();
    EXPECT_FALSE(TLnxParser(messages).parse(path.string()));
    EXPECT_EQ(messages.errors(), Strings{"Can not open file !"});

    messages.clear();
    EXPECT_FALSE(TLnxParser(messages).parse(::testing::TempDir()));
    EXPECT_EQ(messages.errors(), Strings{"Can not open file !"});
}

} // namespace
} // namespace lanescope::lenex
