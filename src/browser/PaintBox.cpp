#include "browser/PaintBox.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lanescope::browser {

namespace {

// Advance widths in 1/1000 em of the characters 32 to 126 (Arial and Helvetica share them).
constexpr std::array<short, 95> kPlainWidths = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // space to /
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // 0 to ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // @ to O
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556, // P to _
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, // ` to o
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,      // p to ~
};
constexpr std::array<short, 95> kBoldWidths = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, // space to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, // 0 to ?
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778, // @ to O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556, // P to _
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611, // ` to o
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584,      // p to ~
};
constexpr int kOtherWidth = 556;
constexpr int kEmPixels = 11;
constexpr int kLinePixels = 13;

} // namespace

int ArialMeasure::textWidth(std::string_view text, FontStyle style) const
{
    const bool bold = style == FontStyle::Bold || style == FontStyle::BoldItalic;
    const auto& widths = bold ? kBoldWidths : kPlainWidths;
    long units = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte <= 126)
            units += widths[byte - 32];
        else if (byte >= 0xC0 || byte < 32)
            units += kOtherWidth; // a UTF-8 lead byte or a control character: one character
        // UTF-8 continuation bytes and stray bytes 127 to 0xBF add nothing
    }
    return static_cast<int>((units * kEmPixels + 500) / 1000);
}

int ArialMeasure::textHeight() const { return kLinePixels; }

namespace {
const ArialMeasure kDefaultMeasure;

FontStyle styleOf(int flags)
{
    const bool bold = (flags & textflag::bold) != 0;
    const bool italic = (flags & textflag::italic) != 0;
    if (bold)
        return italic ? FontStyle::BoldItalic : FontStyle::Bold;
    return italic ? FontStyle::Italic : FontStyle::Plain;
}
} // namespace

TvnxPaintBox::TvnxPaintBox()
    : measure_(&kDefaultMeasure)
{
}

TvnxPaintBox::TvnxPaintBox(const TextMeasure& measure)
    : measure_(&measure)
{
}

void TvnxPaintBox::Clear()
{
    items_.clear();
    recording_ = false;
    usedWidth_ = 0;
    usedHeight_ = 0;
}

void TvnxPaintBox::startDrawing()
{
    if (recording_)
        return;
    items_.clear();
    recording_ = true;
    usedWidth_ = 0;
    usedHeight_ = 0;
    brush_ = ColourRole::Window;
    fontColour_ = ColourRole::WindowText;
}

void TvnxPaintBox::cover(int right, int bottom)
{
    usedWidth_ = std::max(usedWidth_, right);
    usedHeight_ = std::max(usedHeight_, bottom);
}

std::string elideText(const TextMeasure& measure, std::string_view text, int width, FontStyle style,
                      std::size_t keepEnd)
{
    if (measure.textWidth(text, style) <= width)
        return std::string(text);
    static constexpr std::string_view kEllipsis = "\u2026";
    keepEnd = std::min(keepEnd, text.size());
    const std::string tail = std::string(kEllipsis) + std::string(text.substr(text.size() - keepEnd));
    if (keepEnd > 0 && measure.textWidth(tail, style) > width)
        return elideText(measure, text, width, style, 0);
    // Character starts of the part before the kept end, and the longest start that fits with the tail.
    const std::string_view head = text.substr(0, text.size() - keepEnd);
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i < head.size(); ++i)
        if ((static_cast<unsigned char>(head[i]) & 0xC0) != 0x80)
            cuts.push_back(i);
    const auto shortened = [&](std::size_t k) {
        std::string_view start = head.substr(0, cuts[k]);
        while (!start.empty() && start.back() == ' ')
            start.remove_suffix(1);
        return std::string(start) + tail;
    };
    // cuts[0] is 0 (only the tail); the widths grow with k, so the longest start that fits is searched.
    std::size_t low = 0;
    std::size_t high = cuts.empty() ? 0 : cuts.size() - 1;
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (measure.textWidth(shortened(middle), style) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return cuts.empty() ? tail : shortened(low);
}

void TvnxPaintBox::AddText(int x, int y, int width, int flags, std::string_view text, std::size_t keepEnd)
{
    startDrawing();
    PaintItem item;
    item.kind = PaintItem::Kind::Text;
    item.x = x;
    item.y = y;
    item.clipWidth = width;
    item.flags = flags;
    const FontStyle style = styleOf(flags);
    item.text = width > 0 ? elideText(*measure_, text, width, style, keepEnd) : std::string(text);
    if (item.text != text)
        item.fullText = std::string(text);
    item.brush = brush_;
    item.fontColour = fontColour_;
    item.height = measure_->textHeight();
    item.drawnWidth = measure_->textWidth(item.text, style);
    if (width > 0)
        item.drawnWidth = std::min(item.drawnWidth, width);
    item.left = x;
    if ((flags & textflag::right) != 0)
        item.left = x - item.drawnWidth;
    else if ((flags & textflag::centre) != 0)
        item.left = x - item.drawnWidth / 2;
    int extentHeight = item.height;
    if ((flags & textflag::underline) != 0) {
        item.pen = item.height / 15;
        ++extentHeight;
    }
    // A rotated text runs along the y axis: its length becomes the height of the item.
    if ((flags & textflag::rotated) != 0)
        cover(item.left + extentHeight, y + item.drawnWidth);
    else
        cover(item.left + item.drawnWidth, y + extentHeight);
    items_.push_back(std::move(item));
}

void TvnxPaintBox::AddLine(int x1, int y1, int penWidth, int y2, int x2)
{
    startDrawing();
    PaintItem item;
    item.kind = PaintItem::Kind::Line;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.pen = penWidth;
    items_.push_back(std::move(item));
    cover(std::max(x1, x2), std::max(y1, y2));
}

void TvnxPaintBox::AddBar(int x, int y, int width, int height, ColourRole role)
{
    startDrawing();
    PaintItem item;
    item.kind = PaintItem::Kind::Bar;
    item.x = x;
    item.y = y;
    item.x2 = x + width;
    item.y2 = y + height;
    item.brush = role;
    items_.push_back(std::move(item));
    cover(x + width, y + height);
}

void TvnxPaintBox::Finish() { recording_ = false; }

void TvnxPaintBox::setBrush(ColourRole role)
{
    startDrawing();
    brush_ = role;
}

void TvnxPaintBox::setFontColour(ColourRole role)
{
    startDrawing();
    fontColour_ = role;
}

void TvnxPaintBox::SetScale(int percent) { scale_ = percent; }

int TvnxPaintBox::imageWidth() const { return items_.empty() ? 1 : usedWidth_ * scale_ / 100; }

int TvnxPaintBox::imageHeight() const { return items_.empty() ? 1 : usedHeight_ * scale_ / 100; }

} // namespace lanescope::browser
