#include "base/CodePage.h"
#include "convert/ConverterChoice.h"
#include "lenex/Lenex.h"
#include "support/TestFiles.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Hostile result files through the program's whole load path: each must end in an error with a message or in
// a document whose texts are sound UTF-8, within the test's time and memory.
namespace lanescope::convert {
namespace {

using namespace lenex;

const std::string kDataDir = LANESCOPE_TEST_DATA_DIR "/convert/";

const std::string kLenex =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX><VERSION>01.03.0007</VERSION>"
    "<COMPETITIONS><COMPETITION id=\"1\"><NAME>Cup</NAME></COMPETITION></COMPETITIONS></LENEX>";

std::string replaced(std::string text, const std::string& what, const std::string& by)
{
    text.replace(text.find(what), what.size(), by);
    return text;
}

void putUint32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

/** Makes the local and central headers of every member claim the uncompressed size. */
std::string claimingSize(const std::string& zip, std::uint32_t size)
{
    std::string bytes = zip;
    for (std::size_t at = bytes.find("PK\x03\x04"); at != std::string::npos;
         at = bytes.find("PK\x03\x04", at + 4))
        putUint32(bytes, at + 22, size);
    for (std::size_t at = bytes.find("PK\x01\x02"); at != std::string::npos;
         at = bytes.find("PK\x01\x02", at + 4))
        putUint32(bytes, at + 24, size);
    return bytes;
}

std::string zipBytes(const std::vector<testing::ZipEntry>& entries)
{
    const std::string path = ::testing::TempDir() + "/hostile-build.zip";
    testing::writeZip(path, entries);
    return testing::readFile(path);
}

std::vector<testing::ZipEntry> manyMembers(int count, const std::string& name, const std::string& extension)
{
    std::vector<testing::ZipEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({name + std::to_string(i) + extension, "x", testing::ZipEntryKind::Stored});
    return entries;
}

enum class Outcome
{
    Error,
    Document,
};

struct HostileFile
{
    const char* what;
    const char* extension;
    std::function<std::string()> bytes;
    Outcome outcome;
};

const HostileFile kHostileFiles[] = {
    {"lef member claiming 2 GB", ".lxf",
     [] {
         return claimingSize(zipBytes({{"meet.lef", kLenex, testing::ZipEntryKind::Stored}}), 0x80000000u);
     },
     Outcome::Error},
    {"thousands of members around one lef", ".lxf",
     [] {
         auto entries = manyMembers(5000, "note", ".txt");
         entries.push_back({"meet.lef", kLenex});
         return zipBytes(entries);
     },
     Outcome::Document},
    {"thousands of lef members", ".lxf", [] { return zipBytes(manyMembers(5000, "meet", ".lef")); },
     Outcome::Error},
    {"member name of 60000 bytes", ".lxf",
     [] {
         return zipBytes({{std::string(60000, 'n') + ".lef", kLenex}});
     },
     Outcome::Document},
    {"lenex line of 8 MB", ".lef", [] { return replaced(kLenex, "Cup", std::string(8 << 20, 'c')); },
     Outcome::Document},
    {"lenex element name of 1 MB", ".lef",
     [] { return replaced(kLenex, "<NAME>", "<" + std::string(1 << 20, 'N') + "/><NAME>"); },
     Outcome::Document},
    {"lenex with NUL bytes", ".lef", [] { return replaced(kLenex, "Cup", std::string("C\0u\0p", 5)); },
     Outcome::Document},
    {"invalid UTF-8 under a UTF-8 declaration", ".lef",
     [] { return replaced(kLenex, "Cup", "C\xff\xfe\xc3(\xed\xa0\x80up\xe2\x82"); }, Outcome::Document},
    {"lenex 3 with invalid UTF-8 under a UTF-8 declaration", ".lef",
     [] {
         return std::string(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><MEETS>"
             "<MEET name=\"C\xff\xfeup\xc3\" city=\"\xed\xa0\x80\" course=\"LCM\"/></MEETS></LENEX>");
     },
     Outcome::Document},
    {"sdif line of 8 MB", ".cl2",
     [] {
         const std::string text = testing::readFile(kDataDir + "sdif/meet-results.cl2");
         return replaced(text, "\n", "\n" + std::string(8 << 20, 'D') + "\n");
     },
     Outcome::Document},
    {"sdif with NUL bytes", ".cl2",
     [] {
         std::string text = testing::readFile(kDataDir + "sdif/meet-results.cl2");
         for (std::size_t at = text.find("Miller"); at != std::string::npos; at = text.find("Miller", at))
             text.replace(at, 6, std::string("Mi\0\0er", 6));
         return text;
     },
     Outcome::Document},
    {"dsv4 line of 8 MB", ".dsv",
     [] {
         const std::string text = testing::readFile(kDataDir + "dsv4/ClubResults.dsv");
         return replaced(text, "VEREIN:", "VEREIN:" + std::string(8 << 20, 'v'));
     },
     Outcome::Document},
    {"dsv4 with NUL bytes", ".dsv",
     [] {
         const std::string text = testing::readFile(kDataDir + "dsv4/ClubResults.dsv");
         return replaced(text, "VEREIN:", std::string("VER\0EIN:\0", 9));
     },
     Outcome::Error},
    {"dsv7 with a million records", ".dsv7",
     [] {
         // One swim with a million split, leg and unknown records: repeated keys count once.
         std::string text = testing::readFile(kDataDir + "dsv7/results.dsv7");
         std::string records;
         for (int i = 0; i < 1000000; ++i) {
             if (i % 3 == 0)
                 records += "PNZWISCHENZEIT:7;1;V;" + std::to_string(i % 1000 + 1) + ";00:00:10,00;\n";
             else if (i % 3 == 1)
                 records += "STAFFELPERSON:42;3;E;A, B;0;" + std::to_string(i % 9) + ";M;2000;\n";
             else
                 records += "X:1;\n";
         }
         return replaced(text, "DATEIENDE", records + "DATEIENDE");
     },
     Outcome::Document},
    {"dsv7 with NUL bytes and a field of 8 MB", ".dsv7",
     [] {
         const std::string text = testing::readFile(kDataDir + "dsv7/results.dsv7");
         return replaced(replaced(text, "Berg, Lea", std::string("Be\0rg, L\0ea", 11)), "Wende",
                         std::string(8 << 20, 'w'));
     },
     Outcome::Document},
};

/** Every text of the tree is valid UTF-8. */
bool soundTexts(const TLnxAbstractElement& root)
{
    std::vector<const TLnxAbstractElement*> pending{&root};
    while (!pending.empty()) {
        const TLnxAbstractElement* node = pending.back();
        pending.pop_back();
        if (!base::isValidUtf8(node->attributeText()))
            return false;
        if (const TLnxDataElement* data = node->asData(); data && !base::isValidUtf8(data->value()))
            return false;
        if (const TLnxAbstractObject* object = node->asAbstractObject())
            for (int i = 0; i < object->childCount(); ++i)
                pending.push_back(object->childAt(i));
    }
    return true;
}

class HostileFiles : public ::testing::TestWithParam<HostileFile>
{
};

TEST_P(HostileFiles, EndInAnErrorOrASoundDocument)
{
    const std::string path = ::testing::TempDir() + "/hostile" + GetParam().extension;
    testing::writeFile(path, GetParam().bytes());
    TLenex document;
    const auto converter = createConverter(chooseConverter(path), document);
    ASSERT_TRUE(converter);
    converter->Load(path);
    if (GetParam().outcome == Outcome::Error) {
        EXPECT_GT(converter->errorCount(), 0);
        EXPECT_FALSE(converter->errorMessage().empty());
        return;
    }
    ASSERT_EQ(converter->errorCount(), 0) << converter->errorMessage();
    document.buildIndexes();
    ASSERT_TRUE(document.root());
    EXPECT_GE(document.competitionCount(), 1);
    EXPECT_TRUE(soundTexts(*document.root()));
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFiles, ::testing::ValuesIn(kHostileFiles),
                         [](const auto& test) { return testing::testName(test.param.what); });

} // namespace
} // namespace lanescope::convert
