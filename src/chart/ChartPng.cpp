#include "chart/ChartPng.h"

#include <cairo.h>
#include <memory>
#include <pango/pangocairo.h>

namespace lanescope::chart {

namespace {

constexpr int kLargest = 20000;

void setColour(cairo_t* cairo, std::uint32_t colour)
{
    cairo_set_source_rgb(cairo, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                         (colour & 0xFF) / 255.0);
}

void paintPath(cairo_t* cairo, const report::RecordedItem& item)
{
    if (item.points.size() < 2)
        return;
    cairo_new_path(cairo);
    cairo_move_to(cairo, item.points.front().x, item.points.front().y);
    for (std::size_t k = 1; k < item.points.size(); ++k)
        cairo_line_to(cairo, item.points[k].x, item.points[k].y);
    setColour(cairo, item.style.colour);
    if (item.style.filled) {
        cairo_close_path(cairo);
        cairo_fill(cairo);
        return;
    }
    std::vector<double> dashes(item.style.dashes.begin(), item.style.dashes.end());
    cairo_set_dash(cairo, dashes.data(), static_cast<int>(dashes.size()), 0);
    cairo_set_line_width(cairo, std::max(item.style.penWidth, 1));
    cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cairo);
    cairo_set_dash(cairo, nullptr, 0, 0);
}

void paintText(cairo_t* cairo, PangoLayout* layout, const report::RecordedItem& item, int dpi)
{
    std::unique_ptr<PangoFontDescription, decltype(&pango_font_description_free)> font(
        pango_font_description_from_string(item.fontName.c_str()), &pango_font_description_free);
    pango_font_description_set_absolute_size(font.get(), item.fontSize * dpi / 72.0 * PANGO_SCALE);
    pango_font_description_set_weight(font.get(), item.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(font.get(), item.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout, font.get());
    pango_layout_set_text(layout, item.text.c_str(), static_cast<int>(item.text.size()));
    setColour(cairo, 0);
    cairo_move_to(cairo, item.x, item.y);
    pango_cairo_show_layout(cairo, layout);
}

} // namespace

bool writePng(const report::RecordedPage& drawing, int dpi, const std::string& fileName)
{
    if (drawing.deviceWidth < 1 || drawing.deviceHeight < 1 || drawing.deviceWidth > kLargest ||
        drawing.deviceHeight > kLargest)
        return false;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, drawing.deviceWidth, drawing.deviceHeight),
        &cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cairo(cairo_create(surface.get()), &cairo_destroy);
    cairo_set_source_rgb(cairo.get(), 1, 1, 1);
    cairo_paint(cairo.get());
    std::unique_ptr<PangoLayout, decltype(&g_object_unref)> layout(pango_cairo_create_layout(cairo.get()),
                                                                   &g_object_unref);
    for (const report::RecordedItem& item : drawing.items) {
        switch (item.kind) {
        case report::RecordedItem::Kind::Path:
            paintPath(cairo.get(), item);
            break;
        case report::RecordedItem::Kind::Text:
            paintText(cairo.get(), layout.get(), item, dpi);
            break;
        case report::RecordedItem::Kind::Line:
        case report::RecordedItem::Kind::Rectangle: {
            report::RecordedItem path = item;
            path.points = item.kind == report::RecordedItem::Kind::Line
                              ? std::vector<report::CanvasPoint>{{item.x, item.y}, {item.x2, item.y2}}
                              : std::vector<report::CanvasPoint>{{item.x, item.y},
                                                                 {item.x2, item.y},
                                                                 {item.x2, item.y2},
                                                                 {item.x, item.y2},
                                                                 {item.x, item.y}};
            path.style = {};
            path.style.penWidth = item.penWidth;
            paintPath(cairo.get(), path);
            break;
        }
        case report::RecordedItem::Kind::Picture:
        case report::RecordedItem::Kind::Hint:
            break;
        }
    }
    cairo_surface_flush(surface.get());
    return cairo_surface_write_to_png(surface.get(), fileName.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace lanescope::chart
