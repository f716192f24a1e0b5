#include "browser/PaintBox.h"

#include <array>
#include <gtest/gtest.h>

namespace lanescope::browser {
namespace {

// "Hello" is 25 pixels plain and 27 bold in the default measurement, 13 pixels high.
struct TextCase
{
    int x;
    int width;
    int flags;
    int left;       // left edge after alignment
    int drawnWidth; // width after clipping
    int usedWidth;
    int usedHeight;
    const char* shown = "Hello"; // the text as recorded: shortened with "…" when the width cuts it
};

constexpr TextCase kTexts[] = {
    {10, 0, 0, 10, 25, 35, 33},                   // left at x
    {10, 0, textflag::left, 10, 25, 35, 33},      //
    {100, 0, textflag::right, 75, 25, 100, 33},   // x is the right edge
    {100, 0, textflag::centre, 88, 25, 113, 33},  // centred: half the width left of x
    {100, 20, textflag::right, 80, 20, 100, 33, "He…"},  // shortened before aligning
    {100, 20, textflag::centre, 90, 20, 110, 33, "He…"}, //
    {10, 40, textflag::bold, 10, 27, 37, 33},     // bold is wider; clip wider than text
    {10, 0, textflag::underline, 10, 25, 35, 34}, // underline counts one pixel more
    {10, 0, textflag::right + textflag::bold + textflag::italic, -17, 27, 10, 33}, // style on alignment
    {10, 0, textflag::rotated, 10, 25, 23, 45}, // runs down: length is the height
};

class PaintBoxText : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(PaintBoxText, AlignsClipsAndCoversTheItem)
{
    const TextCase& c = GetParam();
    TvnxPaintBox box;
    box.AddText(c.x, 20, c.width, c.flags, "Hello");
    ASSERT_EQ(box.items().size(), 1u);
    const PaintItem& item = box.items().front();
    EXPECT_EQ(item.kind, PaintItem::Kind::Text);
    EXPECT_EQ(item.text, c.shown);
    EXPECT_EQ(item.fullText, item.text == "Hello" ? "" : "Hello");
    EXPECT_EQ(item.x, c.x);
    EXPECT_EQ(item.y, 20);
    EXPECT_EQ(item.flags, c.flags);
    EXPECT_EQ(item.clipWidth, c.width);
    EXPECT_EQ(item.left, c.left);
    EXPECT_EQ(item.drawnWidth, c.drawnWidth);
    EXPECT_EQ(box.usedWidth(), c.usedWidth);
    EXPECT_EQ(box.usedHeight(), c.usedHeight);
}

INSTANTIATE_TEST_SUITE_P(PaintBoxFlags, PaintBoxText, ::testing::ValuesIn(kTexts));

TEST(PaintBox, LinesCoverBothEndsInTheSurfaceArgumentOrder)
{
    TvnxPaintBox box;
    box.AddLine(5, 40, 1, 30, 120);
    const PaintItem& line = box.items().front();
    EXPECT_EQ(line.kind, PaintItem::Kind::Line);
    EXPECT_EQ((std::array{line.x, line.y, line.x2, line.y2, line.pen}), (std::array{5, 40, 120, 30, 1}));
    EXPECT_EQ(box.usedWidth(), 120);
    EXPECT_EQ(box.usedHeight(), 40);
}

TEST(PaintBox, TextsTakeTheCurrentColourRoles)
{
    TvnxPaintBox box;
    box.AddText(0, 0, 0, 0, "a");
    box.setBrush(ColourRole::Highlight);
    box.setFontColour(ColourRole::HighlightText);
    box.AddText(0, 15, 0, 0, "b");
    box.setBrush(ColourRole::Window);
    box.setFontColour(ColourRole::WindowText);
    box.AddText(0, 30, 0, 0, "c");
    const auto& items = box.items();
    EXPECT_EQ(items[0].brush, ColourRole::Window);
    EXPECT_EQ(items[1].brush, ColourRole::Highlight);
    EXPECT_EQ(items[1].fontColour, ColourRole::HighlightText);
    EXPECT_EQ(items[2].fontColour, ColourRole::WindowText);
}

TEST(PaintBox, FinishShowsThePictureAndTheNextDrawCallStartsAfresh)
{
    TvnxPaintBox box;
    box.Finish();
    EXPECT_EQ(box.imageWidth(), 1);
    EXPECT_EQ(box.imageHeight(), 1);

    box.setBrush(ColourRole::Highlight);
    box.AddText(0, 100, 0, 0, "Hello");
    box.Finish();
    EXPECT_FALSE(box.recording());
    box.SetScale(200);
    EXPECT_EQ(box.imageWidth(), 50);
    EXPECT_EQ(box.imageHeight(), 226);

    box.AddText(0, 0, 0, 0, "Hi");
    ASSERT_EQ(box.items().size(), 1u);
    EXPECT_EQ(box.items().front().brush, ColourRole::Window);
    EXPECT_EQ(box.usedHeight(), 13);

    box.Clear();
    EXPECT_TRUE(box.items().empty());
    EXPECT_EQ(box.imageWidth(), 1);
}

// Lists far longer than any platform canvas are recorded whole.
TEST(PaintBox, RecordsBeyondAnyCanvasSize)
{
    TvnxPaintBox box;
    for (int row = 0; row < 5000; ++row)
        box.AddText(5, 5 + row * 15, 0, 0, "Row");
    box.Finish();
    EXPECT_EQ(box.items().size(), 5000u);
    EXPECT_EQ(box.usedHeight(), 5 + 4999 * 15 + 13);
}

class FixedMeasure : public TextMeasure
{
public:
    int textWidth(std::string_view text, FontStyle) const override
    {
        return 10 * static_cast<int>(text.size());
    }
    int textHeight() const override { return 20; }
};

TEST(PaintBox, UsesTheMeasureItIsGiven)
{
    const FixedMeasure measure;
    TvnxPaintBox box(measure);
    box.AddText(100, 0, 0, textflag::right, "abc");
    EXPECT_EQ(box.items().front().left, 70);
    EXPECT_EQ(box.usedHeight(), 20);
}

TEST(PaintBoxMeasure, SumsLetterWidthsOnce)
{
    const ArialMeasure measure;
    EXPECT_EQ(measure.textWidth("Hello", FontStyle::Plain), 25);
    EXPECT_EQ(measure.textWidth("Hello", FontStyle::Italic), 25);
    EXPECT_EQ(measure.textWidth("Hello", FontStyle::BoldItalic), 27);
    EXPECT_EQ(measure.textWidth("Zürich", FontStyle::Plain), measure.textWidth("Zurich", FontStyle::Plain));
    EXPECT_EQ(measure.textWidth("", FontStyle::Plain), 0);
    EXPECT_EQ(measure.textHeight(), 13);
}

} // namespace
} // namespace lanescope::browser
