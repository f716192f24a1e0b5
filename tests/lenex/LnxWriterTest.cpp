#include "lenex/LnxWriter.h"

#include "ParserHelpers.h"
#include "lenex/LnxParser.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace lanescope::lenex {
namespace {

using Lines = std::vector<std::string>;

TEST(LnxWriter, OneElementPerLineIndentedByLevel)
{
    TLnxObject root(tag::LENEX);
    root.setText(tag::VERSION, "01.03.0007");
    TLnxObject* person = root.addCollection(tag::PERSONS)->newItem();
    person->setId(17);
    person->setText(tag::NAME, "<Keller> & Söhne");
    TLnxDataElement* split = person->addCollection(tag::SPLITS)->newDataItem();
    split->setAttribute(lxaDIS, "50");
    split->setValue("V00h00:29.87");
    TLnxObject* unnumbered = root.findCollection(tag::PERSONS)->newItem();
    unnumbered->setAttribute(lxaID, "4"); // read from a file, but the integer id is 0

    Lines lines;
    writeNode(root, lines, {});
    const Lines expected = {
        "<LENEX>",
        " <VERSION>01.03.0007</VERSION>",
        " <PERSONS>",
        "  <PERSON id=\"17\">",
        "   <NAME>&lt;Keller&gt; &amp; Söhne</NAME>",
        "   <SPLITS>",
        "    <SPLIT dis=\"50\">V00h00:29.87</SPLIT>",
        "   </SPLITS>",
        "  </PERSON>",
        "  <PERSON>",
        "  </PERSON>",
        " </PERSONS>",
        "</LENEX>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(LnxWriter, CharsetOfTheCodePage)
{
    const std::pair<int, const char*> cases[] = {
        {1250, "ISO-8859-2"}, {1251, "ISO-8859-5"}, {1252, "ISO-8859-1"},
        {1253, "ISO-8859-7"}, {1254, "ISO-8859-9"}, {1257, "ISO-8859-1"},
    };
    for (auto [codePage, charset] : cases)
        EXPECT_EQ(charsetOfCodePage(codePage), charset) << codePage;
}

using lanescope::testing::readFile;

TEST(LnxWriter, SavePrunesInPlaceAndWritesWindows1252)
{
    TLnxObject root(tag::LENEX);
    TLnxObject* event = root.addCollection(tag::EVENTS)->newItem();
    event->setText(tag::NUM, "0");
    event->setText(tag::COMMENT, "");
    event->setText(tag::NAME, "Brust 100m für Jüngere");
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / "writer-test.dump";
    ASSERT_TRUE(saveDocument(root, path.string()));

    const std::filesystem::path written = std::filesystem::path(path).replace_extension(".lef");
    EXPECT_EQ(readFile(written), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<LENEX>\r\n <EVENTS>\r\n"
                                 "  <EVENT>\r\n   <NAME>Brust 100m f\xFCr J\xFCngere</NAME>\r\n  </EVENT>\r\n"
                                 " </EVENTS>\r\n</LENEX>\r\n");
    EXPECT_FALSE(event->hasChild(tag::NUM));
    EXPECT_FALSE(event->hasChild(tag::COMMENT));
    std::filesystem::remove(written);
}

// Two trees hold the same tags, attributes, ids and values in the same order.
void expectSameTree(const TLnxAbstractElement& a, const TLnxAbstractElement& b)
{
    std::vector<std::pair<const TLnxAbstractElement*, const TLnxAbstractElement*>> pending{{&a, &b}};
    while (!pending.empty()) {
        auto [x, y] = pending.back();
        pending.pop_back();
        ASSERT_EQ(x->tag(), y->tag());
        ASSERT_EQ(x->attributeText(), y->attributeText()) << x->tagName();
        if (x->isData()) {
            ASSERT_EQ(x->asData()->value(), y->asData()->value()) << x->tagName();
            continue;
        }
        if (x->asObject()) {
            ASSERT_EQ(x->asObject()->id(), y->asObject()->id());
        }
        const TLnxAbstractObject* ox = x->asAbstractObject();
        const TLnxAbstractObject* oy = y->asAbstractObject();
        ASSERT_EQ(ox->childCount(), oy->childCount()) << x->tagName();
        for (int i = 0; i < ox->childCount(); ++i)
            pending.emplace_back(ox->childAt(i), oy->childAt(i));
    }
}

/**
 * Writes a copy of the tree, reads the file back without any message and finds the same tree (empty data
 * pruned); returns the written bytes.
 */
std::string writeAndReadBack(TLnxObject& original, const std::string& name)
{
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
    auto copy = original.clone();
    EXPECT_TRUE(saveDocument(*copy->asObject(), path.string()));
    TLnxMessageList messages;
    auto reread = TLnxParser(messages).parse(path.string());
    EXPECT_TRUE(reread);
    EXPECT_TRUE(messages.errors().empty());
    EXPECT_TRUE(messages.warnings().empty());
    original.pruneEmptyData();
    if (reread)
        expectSameTree(original, *reread);
    std::string written = readFile(path);
    std::filesystem::remove(path);
    return written;
}

// Characters beyond Windows-1252 make the whole file UTF-8; attributes the schema does not know keep their
// names and values, each on its own.
TEST(LnxWriter, KeepsEveryCharacterAndUnknownAttributes)
{
    TLnxMessageList messages;
    auto root = TLnxParser(messages).parseText(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><LENEX><VERSION>01.03.0007</VERSION><CLUBS>"
        "<CLUB id=\"3\" data-src=\"feed 1\" xml:lang=\"pl\" nation=\"POL\" data-src=\"feed 2\">"
        "<NAME>Łódź ≥ Ωmega</NAME></CLUB></CLUBS></LENEX>");
    ASSERT_TRUE(root);
    ASSERT_TRUE(messages.errors().empty());
    const TLnxObject* club = root->findCollection(tag::CLUBS)->itemAt(0);
    EXPECT_EQ(club->getNamedAttribute("data-src"), "feed 2");
    EXPECT_EQ(club->getNamedAttribute("xml:lang"), "pl");
    EXPECT_EQ(club->attributeText(), "id=\"3\" data-src=\"feed 2\" xml:lang=\"pl\" nation=\"POL\"");

    const std::string written = writeAndReadBack(*root, "utf8.lef");
    EXPECT_EQ(written.substr(0, 40), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    EXPECT_NE(written.find("<NAME>Łódź ≥ Ωmega</NAME>"), std::string::npos);
}

// Values and attribute values are XML character data: whatever they hold, the file is well-formed and reads
// back to the same text.
TEST(LnxWriter, EscapesWhatXmlReservesAndReadsItBack)
{
    TLnxObject root(tag::LENEX);
    root.setText(tag::VERSION, "01.03.0007");
    TLnxObject* club = root.addCollection(tag::CLUBS)->newItem();
    club->setText(tag::NAME, "Antigua & Barbuda <AB> \"x\" 'y' &amp; R&D");
    // Control characters, U+FFFE and U+FFFF go; U+FFFD stays.
    club->setText(tag::CODE, "a\x01"
                             "b\x1F\xEF\xBF\xBE"
                             "c\xEF\xBF\xBF\xEF\xBF\xBD");
    club->setAttribute(lxaTYPE, "say \"hi\" & <bye>\tnow\nthen");
    club->setNamedAttribute("odd$name", "left out");

    Lines lines;
    writeNode(*club, lines, {});
    const Lines expected = {
        "<CLUB type=\"say &quot;hi&quot; &amp; &lt;bye&gt;&#9;now&#10;then\">",
        " <NAME>Antigua &amp; Barbuda &lt;AB&gt; \"x\" 'y' &amp;amp; R&amp;D</NAME>",
        " <CODE>abc\xEF\xBF\xBD</CODE>",
        "</CLUB>",
    };
    EXPECT_EQ(lines, expected);

    club->setText(tag::CODE, "abc");
    club->removeAttribute(lxaUnknown);
    writeAndReadBack(root, "escaped.lef");
}

// The ISO-8859-1 header promises ISO-8859-1 bytes: letters that only Windows-1252 has (its 0x80-0x9F: „ “ € Š)
// make the file UTF-8, as letters beyond both do.
TEST(LnxWriter, Iso8859HeaderOnlyForIso8859Letters)
{
    const struct
    {
        const char* name;
        const char* header;
        const char* bytes;
    } cases[] = {
        {"Genève Zürich ÿ", "ISO-8859-1", "Gen\xE8ve Z\xFCrich \xFF"},
        {"„Šport“ 5 €", "UTF-8", "„Šport“ 5 €"},
        {"Łódź", "UTF-8", "Łódź"},
    };
    for (const auto& c : cases) {
        TLnxObject root(tag::LENEX);
        root.setText(tag::VERSION, "01.03.0007");
        root.addCollection(tag::CLUBS)->newItem()->setText(tag::NAME, c.name);
        const std::string written = writeAndReadBack(root, "encoding.lef");
        EXPECT_NE(written.find(std::string("encoding=\"") + c.header + "\""), std::string::npos) << c.name;
        EXPECT_NE(written.find(std::string("<NAME>") + c.bytes + "</NAME>"), std::string::npos) << c.name;
    }
}

TEST(LnxWriter, ParseWriteParseKeepsEveryValue)
{
    TLnxMessageList messages;
    auto original = TLnxParser(messages).parse(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");
    ASSERT_TRUE(original);
    writeAndReadBack(*original, "round-trip.lef");
}

} // namespace
} // namespace lanescope::lenex
