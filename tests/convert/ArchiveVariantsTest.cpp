#include "convert/ConverterChoice.h"
#include "lenex/LnxArchive.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace lanescope::convert {
namespace {

using namespace lenex;

/** Tags, attributes, ids and values of a whole tree, one line per node in document order. */
std::string treeText(const TLnxAbstractElement& root)
{
    std::string text;
    std::vector<const TLnxAbstractElement*> pending{&root};
    while (!pending.empty()) {
        const TLnxAbstractElement* node = pending.back();
        pending.pop_back();
        text += std::string(node->tagName()) + " " + node->attributeText();
        if (const TLnxDataElement* data = node->asData())
            text += "=" + data->value();
        text += "\n";
        if (const TLnxAbstractObject* object = node->asAbstractObject())
            for (int i = object->childCount() - 1; i >= 0; --i)
                pending.push_back(object->childAt(i));
    }
    return text;
}

struct Loaded
{
    std::string tree;
    std::string information;
    std::vector<std::string> errors;
};

Loaded load(const std::string& path)
{
    TLenex document;
    document.load(path);
    document.buildIndexes();
    return {document.root() ? treeText(*document.root()) : "", document.fileInformationText(),
            document.errors()};
}

// The sample meet reads the same as a plain file and as every kind of Lenex archive, scrambled too.
TEST(ArchiveVariants, TheSampleMeetLoadsTheSameFromEveryArchiveKind)
{
    const std::string sample = LANESCOPE_SAMPLES_DIR "/autumn-open-2026";
    const Loaded plain = load(sample + ".lef");
    ASSERT_TRUE(plain.errors.empty());
    ASSERT_FALSE(plain.tree.empty());
    const std::string archive = testing::readFile(sample + ".lxf");

    for (const char* extension : {".lxf", ".zip", ".snf", ".lxb", ".stf", ".fxl"}) {
        const std::string path = ::testing::TempDir() + "/variant" + extension;
        testing::writeFile(path, archive);
        EXPECT_EQ(chooseConverter(path), ConverterKind::Lenex) << extension;
        const Loaded loaded = load(path);
        EXPECT_TRUE(loaded.errors.empty()) << extension;
        EXPECT_EQ(loaded.tree, plain.tree) << extension;
        EXPECT_EQ(loaded.information, plain.information) << extension;
        std::filesystem::remove(path);
    }

    const std::string scrambled = ::testing::TempDir() + "/variant-scrambled.lxf";
    testing::writeFile(scrambled, archive);
    ASSERT_TRUE(scrambleFile(scrambled));
    const Loaded loaded = load(scrambled);
    EXPECT_EQ(loaded.tree, plain.tree);
    EXPECT_EQ(loaded.information.substr(0, loaded.information.find(" created")), "Internal used format,");
    EXPECT_EQ(loaded.information.substr(loaded.information.find(" created")),
              plain.information.substr(plain.information.find(" created")));
    std::filesystem::remove(scrambled);
}

TEST(ArchiveVariants, ArchiveRulesReachTheDocument)
{
    const std::string two = ::testing::TempDir() + "/two-members.lxf";
    testing::writeZip(two, {{"a.lef", "<LENEX/>"}, {"b.LEF", "<LENEX/>"}});
    EXPECT_EQ(load(two).errors, std::vector<std::string>{".LXF File should contain one .LEF - file !"});

    const std::string nested = ::testing::TempDir() + "/nested.lxf";
    testing::writeZip(nested, {{"meets/2026/", "", testing::ZipEntryKind::Directory},
                               {"meets/2026/meet.lef", "<LENEX><VERSION>01.03.0007</VERSION></LENEX>"}});
    const Loaded loaded = load(nested);
    EXPECT_TRUE(loaded.errors.empty());
    EXPECT_FALSE(loaded.tree.empty());
    std::filesystem::remove(two);
    std::filesystem::remove(nested);
}

} // namespace
} // namespace lanescope::convert
