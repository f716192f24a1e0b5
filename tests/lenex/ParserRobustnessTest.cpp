#include "ParserHelpers.h"
#include "lenex/LnxParser.h"

#include <gtest/gtest.h>
#include <random>

namespace lanescope::lenex {
namespace {

using testing::parseText;

const char* const kDocument = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                              "<LENEX>\n <VERSION>01.03.0007</VERSION>\n <!-- c -->\n"
                              " <COMPETITIONS>\n  <COMPETITION id=\"1\">\n   <NAME>Cup</NAME>\n"
                              "   <CLUBS>\n    <CLUB id=\"7\" nation=\"SUI\">\n     <NAME>SC</NAME>\n"
                              "     <UNKNOWN a=\"1\"><X/></UNKNOWN>\n"
                              "     <PERSONS><PERSON id=\"9\"><NAME>Keller</NAME></PERSON></PERSONS>\n"
                              "    </CLUB>\n   </CLUBS>\n  </COMPETITION>\n </COMPETITIONS>\n</LENEX>\n";

// A file cut anywhere ends the parse with what was read: never a crash or a hang.
TEST(ParserRobustness, EveryTruncationEndsTheParse)
{
    const std::string_view document = kDocument;
    for (std::size_t length = 0; length <= document.size(); ++length) {
        const auto parsed = parseText(document.substr(0, length));
        const bool pastRootTag = length >= document.find("<LENEX>") + 6;
        EXPECT_EQ(parsed.root != nullptr, pastRootTag) << "length " << length;
    }
}

TEST(ParserRobustness, InputEndingAfterAnAttributeName)
{
    const auto parsed = parseText("<LENEX><CLUBS><CLUB id");
    ASSERT_TRUE(parsed.root);
    EXPECT_EQ(parsed.root->findCollection(tag::CLUBS)->childCount(), 1);
}

TEST(ParserRobustness, BinaryAndRandomInput)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 9000), '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        // Half of the rounds start with a valid root so the noise reaches the document loop.
        if (round % 2 == 0)
            bytes = "<LENEX>" + bytes;
        const auto parsed = parseText(bytes);
        if (round % 2 != 0) {
            EXPECT_FALSE(parsed.root);
        }
    }
}

TEST(ParserRobustness, MarkupNoiseAfterTheRoot)
{
    const char pieces[] = "<>/=\"'!-?ab CLUB NAME\n";
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string text = "<LENEX>";
        for (int i = 0; i < 3000; ++i)
            text += pieces[random() % (sizeof pieces - 1)];
        EXPECT_TRUE(parseText(text).root);
    }
}

TEST(ParserRobustness, AMillionNestedElements)
{
    constexpr int kDepth = 1'000'000;
    std::string text = "<LENEX>";
    text.reserve(static_cast<std::size_t>(kDepth) * 20);
    for (int i = 0; i < kDepth; ++i)
        text += "<CONTACT>";
    text += "<NAME>deep</NAME><NAME/>";
    for (int i = 0; i < kDepth; ++i)
        text += "</CONTACT>";
    text += "</LENEX>";

    auto parsed = parseText(text);
    ASSERT_TRUE(parsed.root);
    EXPECT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.warnings, std::vector<std::string>{"Expired LENEX - Version !"});

    std::unique_ptr<TLnxAbstractElement> copy = parsed.root->clone();
    parsed.root->pruneEmptyData();
    const TLnxAbstractObject* node = parsed.root.get();
    for (int i = 0; i < kDepth; ++i)
        node = node->childAt(0)->asAbstractObject();
    EXPECT_EQ(node->childCount(), 1);
    EXPECT_EQ(node->getText(tag::NAME), "deep");
    copy.reset();
    parsed.root.reset();
}

TEST(ParserRobustness, AMillionNestedUnknownElementsAndErrors)
{
    // Unknown elements are skipped by counting; wrong end tags each mark the same open element.
    constexpr int kDepth = 1'000'000;
    std::string text = "<LENEX><VERSION>01.03.0007</VERSION>";
    for (int i = 0; i < kDepth; ++i)
        text += "<FOO>";
    for (int i = 0; i < kDepth; ++i)
        text += "</FOO>";
    for (int i = 0; i < 1000; ++i)
        text += "</BAR>";
    text += "</LENEX>";
    const auto parsed = parseText(text);
    ASSERT_TRUE(parsed.root);
    EXPECT_EQ(parsed.warnings.size(), 1u);
    EXPECT_EQ(parsed.errors.size(), 1000u);
}

} // namespace
} // namespace lanescope::lenex
