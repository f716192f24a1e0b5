#include "report/BSPdf.h"

#include "report/FontLookup.h"
#include "report/HelveticaMetrics.h"
#include "report/ReportPicture.h"
#include "support/TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>
#include <vector>
#include <zlib.h>

using namespace lanescope::report;
using lanescope::testing::readFile;

namespace {

const std::filesystem::path kImages = std::filesystem::path(LANESCOPE_TEST_DATA_DIR) / "report" / "images";

std::filesystem::path tempPdf(const std::string& name)
{
    return std::filesystem::path(::testing::TempDir()) / name;
}

bool onPath(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string inflate(const std::string& data)
{
    std::string out(data.size() * 20 + 1024, '\0');
    uLongf size = static_cast<uLongf>(out.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                         reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size())),
              Z_OK);
    out.resize(size);
    return out;
}

struct Stream
{
    std::string dictionary;
    std::string data;
};

/** The streams of the file in order, with their dictionaries; the data is taken by its /Length. */
std::vector<Stream> streams(const std::string& pdf)
{
    std::vector<Stream> out;
    const std::regex length(R"(/Length (\d+))");
    for (std::size_t at = pdf.find("stream\r\n"); at != std::string::npos;
         at = pdf.find("stream\r\n", at + 1)) {
        if (at >= 3 && pdf.compare(at - 3, 3, "end") == 0)
            continue;
        const std::size_t open = pdf.rfind("<<", at);
        std::string dictionary = pdf.substr(open, at - open);
        std::smatch match;
        EXPECT_TRUE(std::regex_search(dictionary, match, length));
        const std::size_t size = std::stoul(match[1]);
        const std::size_t begin = at + 8;
        EXPECT_EQ(pdf.compare(begin + size, 11, "\r\nendstream"), 0);
        out.push_back({dictionary, pdf.substr(begin, size)});
    }
    return out;
}

/** The inflated content streams of the pages, in page order (pictures, font files and maps left out). */
std::vector<std::string> pageContents(const std::string& pdf)
{
    std::vector<std::string> out;
    for (const Stream& s : streams(pdf)) {
        if (s.dictionary.find("/Subtype /Image") != std::string::npos ||
            s.dictionary.find("/Length1") != std::string::npos)
            continue;
        std::string data = inflate(s.data);
        if (!data.starts_with("/CIDInit"))
            out.push_back(std::move(data));
    }
    return out;
}

std::size_t occurrences(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

/** Checks the file structure: header, every cross-reference entry pointing at its object, trailer. */
void expectWellFormed(const std::filesystem::path& file)
{
    const std::string pdf = readFile(file);
    ASSERT_EQ(pdf.rfind("%PDF-1.2 \r\n", 0), 0u);
    ASSERT_GE(pdf.size(), 7u);
    EXPECT_EQ(pdf.substr(pdf.size() - 7), "%%EOF\r\n");
    const std::size_t startxref = pdf.rfind("startxref\r\n");
    ASSERT_NE(startxref, std::string::npos);
    const std::size_t xref = std::stoul(pdf.substr(startxref + 11));
    ASSERT_EQ(pdf.compare(xref, 6, "xref\r\n"), 0);
    const std::size_t countAt = pdf.find(' ', xref + 6);
    const int count = std::stoi(pdf.substr(countAt + 1));
    std::size_t entry = pdf.find("\r\n", countAt) + 2;
    EXPECT_EQ(pdf.substr(entry, 20), "0000000000 65535 f\r\n");
    for (int object = 1; object < count; ++object) {
        entry += 20;
        ASSERT_EQ(pdf.substr(entry + 10, 10), " 00000 n\r\n") << "entry " << object;
        const std::size_t offset = std::stoul(pdf.substr(entry, 10));
        EXPECT_EQ(
            pdf.compare(offset, std::to_string(object).size() + 8, std::to_string(object) + " 0 obj\r\n"), 0)
            << "object " << object;
    }
    EXPECT_EQ(pdf.compare(entry + 20, 9, "trailer\r\n"), 0);
    EXPECT_NE(pdf.find("<< /Size " + std::to_string(count) + " /Root 1 0 R /Info 3 0 R >>"),
              std::string::npos);

    if (onPath("qpdf")) {
        const std::string report = file.string() + ".qpdf";
        const int status =
            std::system(("qpdf --check '" + file.string() + "' >'" + report + "' 2>&1").c_str());
        EXPECT_EQ(status, 0) << readFile(report);
    }
}

/** The text pdftotext extracts, or nothing when the tool is missing. */
std::optional<std::string> extractedText(const std::filesystem::path& file)
{
    if (!onPath("pdftotext"))
        return std::nullopt;
    const std::string out = file.string() + ".txt";
    if (std::system(("pdftotext -enc UTF-8 '" + file.string() + "' '" + out + "'").c_str()) != 0)
        return std::string();
    return readFile(out);
}

std::unique_ptr<TBSPdf> openA4(const std::filesystem::path& file)
{
    auto pdf = std::make_unique<TBSPdf>(file);
    pdf->SetCreator("Vornix Lanescope 1.0");
    pdf->SetAuthor("Lanescope");
    pdf->setFixedCreationDate("20240131235959");
    pdf->SetPageWidth(595);
    pdf->SetPageHeight(842);
    pdf->NewPage();
    return pdf;
}

struct TextCase
{
    const char* name;
    int size;
    int style;
    int x;
    int y;
    int alignment;
    const char* text;
    const char* operators;
};

// Helvetica widths: "Hello" 2278 (10 pt: 23 points), bold "Hi" 1000 (6 pt: 6 points).
const TextCase kTexts[] = {
    {"TopLineBaselineNinePointsDown", 10, 0, 50, 0, 0, "Hello", "BT /Arial 10 Tf 50 833 Td (Hello) Tj ET"},
    {"RightAlignedEndsAtX", 10, 0, 200, 100, 1, "Hello", "BT /Arial 10 Tf 177 733 Td (Hello) Tj ET"},
    {"CentredOnX", 10, 0, 200, 100, 2, "Hello", "BT /Arial 10 Tf 189 733 Td (Hello) Tj ET"},
    {"SixPointUnderlineHasWidthZero", 6, pdfstyle::bold | pdfstyle::underline, 10, 100, 0, "Hi",
     "0 w 10 735 m 16 735 l S\r\nBT /Arial-Bold 6 Tf 10 737 Td (Hi) Tj ET"},
    {"TwentyPointUnderline", 20, pdfstyle::italic | pdfstyle::underline, 0, 0, 0, "l",
     "2 w 0 820 m 4 820 l S\r\nBT /Arial-Italic 20 Tf 0 824 Td (l) Tj ET"},
    {"BoldItalic", 8, pdfstyle::bold | pdfstyle::italic, 0, 0, 0, "x",
     "BT /Arial-BoldItalic 8 Tf 0 835 Td (x) Tj ET"},
    {"EscapesDelimiters", 10, 0, 0, 0, 0, "a(b)c\\", "BT /Arial 10 Tf 0 833 Td (a\\(b\\)c\\\\) Tj ET"},
    {"WinAnsiUmlautsAndEuro", 10, 0, 0, 0, 0, "Müller €", "BT /Arial 10 Tf 0 833 Td (M\xFCller \x80) Tj ET"},
};

class PdfText : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(PdfText, WritesPlacedTextIntoCompressedContent)
{
    const TextCase& c = GetParam();
    const auto file = tempPdf(std::string(c.name) + ".pdf");
    const auto pdf = openA4(file);
    pdf->SetFontSize(c.size);
    pdf->SetStyle(c.style);
    pdf->TextOut(c.x, c.y, c.alignment, c.text);
    ASSERT_TRUE(pdf->SaveAndClose());
    const std::string bytes = readFile(file);
    const auto contents = pageContents(bytes);
    ASSERT_EQ(contents.size(), 1u);
    EXPECT_EQ(contents[0], std::string(c.operators) + "\r\n");
    EXPECT_NE(bytes.find("/Encoding /WinAnsiEncoding /FirstChar 32 /LastChar 255 /Widths [278 "),
              std::string::npos);
    expectWellFormed(file);
}

INSTANTIATE_TEST_SUITE_P(Placement, PdfText, ::testing::ValuesIn(kTexts),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(HelveticaMetrics, GivesPublishedWidths)
{
    EXPECT_EQ(helveticaTextWidth(HelveticaFont::Regular, "Hello"), 2278);
    EXPECT_EQ(helveticaTextWidth(HelveticaFont::Oblique, "Hello"), 2278);
    EXPECT_EQ(helveticaTextWidth(HelveticaFont::Bold, "Hello"), 2445);
    EXPECT_EQ(helveticaTextWidth(HelveticaFont::Regular, "Müller"), 833 + 556 + 222 + 222 + 556 + 333);
    EXPECT_EQ(helveticaTextWidth(HelveticaFont::Regular, "Ω"),
              helveticaCharWidth(HelveticaFont::Regular, '?'));
    EXPECT_EQ(helveticaCharWidth(HelveticaFont::Regular, ' '), 278);
    EXPECT_EQ(helveticaCharWidth(HelveticaFont::Regular, '\t'), 0);
    EXPECT_EQ(helveticaCharWidth(HelveticaFont::BoldOblique, 0xDF), 611); // ß
    EXPECT_EQ(helveticaBaseFont(HelveticaFont::BoldOblique), "Helvetica-BoldOblique");

    TBSPdf pdf(tempPdf("unused.pdf"));
    pdf.SetFontSize(10);
    EXPECT_EQ(pdf.TextWidth("Hello"), 23);
    pdf.SetStyle(pdfstyle::bold);
    EXPECT_EQ(pdf.TextWidth("Hello"), 24);
}

TEST(BSPdf, WritesDocumentInformation)
{
    const auto file = tempPdf("info.pdf");
    TBSPdf pdf(file);
    pdf.SetCreator("Vornix Lanescope 1.0");
    pdf.SetAuthor("Jörg (Timing)");
    pdf.NewPage();
    ASSERT_TRUE(pdf.SaveAndClose());
    const std::string bytes = readFile(file);
    EXPECT_NE(bytes.find("/Producer (Korvalin PDF Library) /Creator (Vornix Lanescope 1.0) "
                         "/Author <FEFF004A00F6007200670020002800540069006D0069006E00670029> /Subject () "),
              std::string::npos);
    std::smatch date;
    ASSERT_TRUE(std::regex_search(bytes, date, std::regex(R"(/CreationDate \(D:(\d{14})\))")));
    EXPECT_EQ(date[1].str().substr(0, 2), "20");
    expectWellFormed(file);

    const auto fixed = tempPdf("fixed-date.pdf");
    ASSERT_TRUE(openA4(fixed)->SaveAndClose());
    EXPECT_NE(readFile(fixed).find("/CreationDate (D:20240131235959)"), std::string::npos);
}

TEST(BSPdf, NamesPicturesPerDocumentAndUsesTheirColourSpaces)
{
    const auto file = tempPdf("pictures.pdf");
    const auto pdf = openA4(file);
    const std::string logo = readFile(kImages / "logo-rgb.jpg");
    const auto jpeg = jpegPicture(logo);
    const auto gray = jpegPicture(readFile(kImages / "gray.jpg"));
    const auto gif = gifPicture(readFile(kImages / "plain.gif"));
    ASSERT_TRUE(jpeg && gray && gif);
    ReportPicture rgb;
    rgb.width = 1;
    rgb.height = 2;
    rgb.pixels = {1, 2, 3, 4, 5, 6};

    pdf->DrawImage(10, 10, 42, 26, *jpeg);
    pdf->DrawImage(100, 0, 103, 2, *gif);
    pdf->DrawImage(0, 0, 0, 10, *gif); // empty rectangle: nothing drawn
    pdf->NewPage();
    pdf->DrawImage(0, 0, 8, 4, *gray);
    pdf->DrawImage(0, 0, 1, 2, rgb);
    pdf->NewPage();
    pdf->DrawImage(10, 10, 42, 26, *jpeg); // the same logo again: its data is not stored twice
    ASSERT_TRUE(pdf->SaveAndClose());

    const std::string bytes = readFile(file);
    const auto contents = pageContents(bytes);
    ASSERT_EQ(contents.size(), 3u);
    EXPECT_EQ(contents[0], "q 32 0 0 16 10 816 cm /BSImage0 Do Q\r\nq 3 0 0 2 100 840 cm /BSImage1 Do Q\r\n");
    EXPECT_EQ(contents[1], "q 8 0 0 4 0 838 cm /BSImage2 Do Q\r\nq 1 0 0 2 0 840 cm /BSImage3 Do Q\r\n");
    EXPECT_NE(bytes.find("/ProcSet [/PDF /Text /ImageC /ImageI] /XObject << /BSImage0 "), std::string::npos);
    EXPECT_NE(bytes.find("/ProcSet [/PDF /Text /ImageC /ImageB] /XObject << /BSImage2 "), std::string::npos);
    EXPECT_EQ(contents[2], "q 32 0 0 16 10 816 cm /BSImage4 Do Q\r\n");
    EXPECT_NE(bytes.find("/XObject << /BSImage4 4 0 R >>"), std::string::npos);

    const auto all = streams(bytes);
    ASSERT_EQ(all.size(), 7u); // four pictures, then the three pages' contents
    EXPECT_NE(bytes.find("4 0 obj\r\n<< /Type /XObject /Subtype /Image /Width 16 /Height 8 /ColorSpace "
                         "/DeviceRGB /BitsPerComponent 8 "
                         "/Filter /DCTDecode"),
              std::string::npos);
    EXPECT_EQ(all[0].data, logo);
    EXPECT_NE(all[1].dictionary.find("/ColorSpace [/Indexed /DeviceRGB 3 <FF000000FF000000FF000000>] "
                                     "/BitsPerComponent 8 /Filter /FlateDecode"),
              std::string::npos);
    EXPECT_EQ(inflate(all[1].data), std::string("\0\1\2\2\1\0", 6));
    EXPECT_NE(all[2].dictionary.find("/ColorSpace /DeviceGray"), std::string::npos);
    EXPECT_EQ(inflate(all[3].data), "\1\2\3\4\5\6");
    expectWellFormed(file);
}

TEST(BSPdf, InconsistentPictureIsAnError)
{
    const auto pdf = openA4(tempPdf("bad-picture.pdf"));
    ReportPicture noPalette;
    noPalette.width = 2;
    noPalette.height = 1;
    noPalette.bitsPerPixel = 8;
    noPalette.pixels = {0, 0};
    EXPECT_THROW(pdf->DrawImage(0, 0, 2, 1, noPalette), std::invalid_argument);
    ReportPicture cmyk;
    cmyk.kind = ReportPicture::Kind::Jpeg;
    cmyk.width = 1;
    cmyk.height = 1;
    cmyk.components = 2;
    EXPECT_THROW(pdf->DrawImage(0, 0, 2, 1, cmyk), std::invalid_argument);
}

TEST(BSPdf, PagesCarryTheirSizeAndTextComesBack)
{
    const auto file = tempPdf("pages.pdf");
    const auto pdf = openA4(file);
    pdf->SetFontSize(12);
    pdf->TextOut(72, 72, 0, "Müller, Anna");
    pdf->DrawLine(72, 100, 1, 100, 500);
    pdf->SetPageWidth(842);
    pdf->SetPageHeight(595);
    pdf->NewPage();
    pdf->SetStyle(pdfstyle::bold);
    pdf->TextOut(72, 72, 0, "Seite 2 (quer)");
    ASSERT_TRUE(pdf->SaveAndClose());

    const std::string bytes = readFile(file);
    EXPECT_NE(bytes.find("/MediaBox [0 0 595 842]"), std::string::npos);
    EXPECT_NE(bytes.find("/MediaBox [0 0 842 595]"), std::string::npos);
    EXPECT_NE(bytes.find("/Type /Pages /Kids ["), std::string::npos);
    EXPECT_NE(bytes.find("/Count 2 >>"), std::string::npos);
    const auto contents = pageContents(bytes);
    ASSERT_EQ(contents.size(), 2u);
    EXPECT_NE(contents[0].find("1 w 72 742 m 500 742 l S"), std::string::npos);
    expectWellFormed(file);
    if (const auto text = extractedText(file)) {
        EXPECT_NE(text->find("Müller, Anna"), std::string::npos) << *text;
        EXPECT_NE(text->find("Seite 2 (quer)"), std::string::npos) << *text;
    }
}

TEST(BSPdf, TextBeyondWindows1252EmbedsSubsetsOfInstalledFonts)
{
    if (!installedFace("Liberation Sans", false, false) || !installedFace("DejaVu Sans", false, false))
        GTEST_SKIP() << "Liberation Sans or DejaVu Sans is not installed";
    const auto file = tempPdf("unicode.pdf");
    const auto pdf = openA4(file);
    pdf->SetFontSize(100);
    // Liberation Sans has Helvetica's widths, and the width comes from the font the text is set in.
    EXPECT_EQ(pdf->TextWidth("Ondřej"), pdf->TextWidth("Ondrej"));
    pdf->SetFontSize(12);
    pdf->TextOut(72, 72, 0, "GEMOV Ondřej");
    pdf->SetStyle(pdfstyle::bold);
    pdf->TextOut(72, 100, 0, "MIĶELSONS Kristaps");
    pdf->SetStyle(0);
    // Armenian is not in Liberation Sans: those letters come from DejaVu Sans in the same line.
    pdf->TextOut(72, 128, 0, "Ωμέγα Армения Հայաստան");
    pdf->TextOut(72, 156, 0, "Müller");
    ASSERT_TRUE(pdf->SaveAndClose());

    const std::string bytes = readFile(file);
    EXPECT_EQ(occurrences(bytes, "/Subtype /Type0"), 3u);
    EXPECT_EQ(occurrences(bytes, "/FontFile2"), 3u);
    EXPECT_NE(bytes.find("+LiberationSans /Encoding /Identity-H"), std::string::npos);
    EXPECT_NE(bytes.find("+LiberationSans-Bold /Encoding /Identity-H"), std::string::npos);
    EXPECT_NE(bytes.find("+DejaVuSans /Encoding /Identity-H"), std::string::npos);
    for (const Stream& s : streams(bytes)) {
        if (s.dictionary.find("/Length1") != std::string::npos) {
            EXPECT_LT(inflate(s.data).size(), 60000u) << "a subset, not the whole font";
        }
    }
    const auto contents = pageContents(bytes);
    ASSERT_EQ(contents.size(), 1u);
    EXPECT_NE(contents[0].find("BT /Arial 12 Tf 72 675 Td (M\xFCller) Tj ET"), std::string::npos);
    expectWellFormed(file);
    if (const auto text = extractedText(file)) {
        for (const char* line : {"GEMOV Ondřej", "MIĶELSONS Kristaps", "Ωμέγα Армения Հայաստան", "Müller"})
            EXPECT_NE(text->find(line), std::string::npos) << line << " in " << *text;
    }
}

TEST(BSPdf, MarksSitAboveAndBelowTheirLettersAsShapingPlacesThem)
{
    if (!installedFace("DejaVu Sans", false, false))
        GTEST_SKIP() << "DejaVu Sans is not installed";
    const auto file = tempPdf("marks.pdf");
    const auto pdf = openA4(file);
    pdf->SetFontSize(20);
    // Muhammad with damma, fatha and shadda above its letters; bi with kasra below.
    pdf->TextOut(72, 72, 0, "\u0645\u064F\u062D\u064E\u0645\u0651\u064E\u062F \u0628\u0650");
    pdf->TextOut(72, 120, 0, "\u0645\u062D\u0645\u062F");
    ASSERT_TRUE(pdf->SaveAndClose());

    const auto contents = pageContents(readFile(file));
    ASSERT_EQ(contents.size(), 1u);
    const std::string& page = contents[0];
    const std::string withMarks = page.substr(0, page.find("ET") + 2);
    const std::string bare = page.substr(withMarks.size());
    // A mark is lifted or lowered by the text rise, which is back at 0 before the text object ends.
    const std::regex rise("(-?[0-9.]+) Ts ");
    std::vector<double> rises;
    for (auto it = std::sregex_iterator(withMarks.begin(), withMarks.end(), rise); it != std::sregex_iterator();
         ++it)
        rises.push_back(std::stod((*it)[1]));
    ASSERT_FALSE(rises.empty()) << withMarks;
    EXPECT_TRUE(std::any_of(rises.begin(), rises.end(), [](double r) { return r != 0; })) << withMarks;
    EXPECT_EQ(rises.back(), 0) << withMarks;
    EXPECT_EQ(bare.find("Ts"), std::string::npos) << "letters without marks sit on the baseline";

    // A mark glyph stands for its marks alone (shadda and fatha share one glyph): mapped to the letter it
    // first sat on, every later use of it would copy as that letter.
    std::set<int> marks;
    const std::regex entry("<([0-9A-F]{4})> <([0-9A-F]+)>");
    for (const Stream& s : streams(readFile(file))) {
        const std::string data = inflate(s.data);
        if (!data.starts_with("/CIDInit"))
            continue;
        for (auto it = std::sregex_iterator(data.begin(), data.end(), entry); it != std::sregex_iterator(); ++it) {
            const std::string text = (*it)[2];
            std::set<int> units;
            for (std::size_t at = 0; at + 4 <= text.size(); at += 4)
                units.insert(std::stoi(text.substr(at, 4), nullptr, 16));
            const auto isMark = [](int unit) { return unit >= 0x064B && unit <= 0x0652; };
            if (std::any_of(units.begin(), units.end(), isMark)) {
                EXPECT_TRUE(std::all_of(units.begin(), units.end(), isMark))
                    << "glyph " << (*it)[1] << " stands for " << text;
                marks.insert(units.begin(), units.end());
            }
        }
    }
    EXPECT_EQ(marks, (std::set<int>{0x064E, 0x064F, 0x0650, 0x0651})) << "fatha, damma, kasra and shadda";
    expectWellFormed(file);
}

TEST(BSPdf, SavingWritesOnlyWhenThereArePages)
{
    const auto empty = tempPdf("empty.pdf");
    TBSPdf noPages(empty);
    EXPECT_TRUE(noPages.SaveAndClose());
    EXPECT_FALSE(std::filesystem::exists(empty));

    const auto discarded = tempPdf("discarded.pdf");
    const auto pdf = openA4(discarded);
    pdf->TextOut(0, 0, 0, "x");
    pdf->Discard();
    EXPECT_TRUE(pdf->SaveAndClose());
    EXPECT_FALSE(std::filesystem::exists(discarded));
}

TEST(BSPdf, ReplacesAnExistingFileAndReportsWriteFailures)
{
    const auto file = tempPdf("replaced.pdf");
    lanescope::testing::writeFile(file, std::string(100000, 'x'));
    ASSERT_TRUE(openA4(file)->SaveAndClose());
    EXPECT_EQ(readFile(file).rfind("%PDF-1.2", 0), 0u);
    expectWellFormed(file);

    const auto unreachable = tempPdf("no-such-folder") / "report.pdf";
    EXPECT_FALSE(openA4(unreachable)->SaveAndClose());
    EXPECT_FALSE(std::filesystem::exists(unreachable.parent_path()));
}

} // namespace
