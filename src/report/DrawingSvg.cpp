#include "report/DrawingSvg.h"

#include "base/Strings.h"

#include <algorithm>
#include <cstdio>

namespace lanescope::report {

namespace {

// Control characters have no place in XML: a tab or line break in a name shows as a blank.
std::string escaped(std::string_view text)
{
    std::string clean(text);
    for (char& c : clean)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return base::xmlEscaped(clean);
}

std::string colourText(std::uint32_t colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(colour & 0xFFFFFF));
    return text;
}

std::string pathElement(const RecordedItem& item)
{
    const PathStyle& style = item.style;
    std::string data;
    for (std::size_t k = 0; k < item.points.size(); ++k)
        data += (k ? " L" : "M") + std::to_string(item.points[k].x) + " " + std::to_string(item.points[k].y);
    std::string element = "<path";
    if (!style.name.empty())
        element += " class=\"" + escaped(style.name) + "\"";
    element += " d=\"" + data + (style.filled ? " Z\"" : "\"");
    if (style.filled) {
        element += " fill=\"" + colourText(style.colour) + "\" stroke=\"none\"";
    } else {
        element += " fill=\"none\" stroke=\"" + colourText(style.colour) + "\" stroke-width=\"" +
                   std::to_string(std::max(style.penWidth, 1)) + "\" stroke-linejoin=\"round\"";
        if (!style.dashes.empty()) {
            element += " stroke-dasharray=\"";
            for (std::size_t k = 0; k < style.dashes.size(); ++k)
                element += (k ? " " : "") + std::to_string(style.dashes[k]);
            element += "\"";
        }
    }
    return element + "/>";
}

std::string textElement(const RecordedItem& item, int dpi)
{
    const int size = item.fontSize * dpi / 72;
    // Recorded texts give their top edge; SVG places a text at its baseline, 0.905 em lower in Arial.
    const int baseline = item.y + size * 905 / 1000;
    std::string element = "<text x=\"" + std::to_string(item.x) + "\" y=\"" + std::to_string(baseline) +
                          "\" font-size=\"" + std::to_string(size) + "\"";
    if (item.bold)
        element += " font-weight=\"bold\"";
    if (item.italic)
        element += " font-style=\"italic\"";
    return element + ">" + escaped(item.text) + "</text>";
}

std::string svgBody(const RecordedPage& drawing, int dpi)
{
    std::string body;
    for (const RecordedItem& item : drawing.items) {
        switch (item.kind) {
        case RecordedItem::Kind::Path:
            if (!item.points.empty())
                body += pathElement(item) + "\n";
            break;
        case RecordedItem::Kind::Text:
            body += textElement(item, dpi) + "\n";
            break;
        case RecordedItem::Kind::Line:
            body += "<line x1=\"" + std::to_string(item.x) + "\" y1=\"" + std::to_string(item.y) +
                    "\" x2=\"" + std::to_string(item.x2) + "\" y2=\"" + std::to_string(item.y2) +
                    "\" stroke=\"#000000\" stroke-width=\"" + std::to_string(std::max(item.penWidth, 1)) +
                    "\"/>\n";
            break;
        case RecordedItem::Kind::Rectangle:
            body += "<rect x=\"" + std::to_string(item.x) + "\" y=\"" + std::to_string(item.y) +
                    "\" width=\"" + std::to_string(item.x2 - item.x) + "\" height=\"" +
                    std::to_string(item.y2 - item.y) + "\" fill=\"none\" stroke=\"#000000\"/>\n";
            break;
        case RecordedItem::Kind::Hint:
            body += "<rect x=\"" + std::to_string(item.x) + "\" y=\"" + std::to_string(item.y) +
                    "\" width=\"" + std::to_string(item.x2 - item.x) + "\" height=\"" +
                    std::to_string(item.y2 - item.y) + "\" fill=\"transparent\"><title>" +
                    escaped(item.text) + "</title></rect>\n";
            break;
        case RecordedItem::Kind::Picture:
            // The pictures drawn into recorded drawings carry no bitmaps.
            break;
        }
    }
    return body;
}

std::string openTag(const RecordedPage& drawing, int dpi, bool withNamespace)
{
    const int width = drawing.deviceWidth * 96 / std::max(dpi, 1);
    const int height = drawing.deviceHeight * 96 / std::max(dpi, 1);
    return std::string("<svg") + (withNamespace ? " xmlns=\"http://www.w3.org/2000/svg\"" : "") +
           " width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
           "\" viewBox=\"0 0 " + std::to_string(drawing.deviceWidth) + " " +
           std::to_string(drawing.deviceHeight) +
           "\" font-family=\"Arial, 'Liberation Sans', sans-serif\" role=\"img\">\n" +
           "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
}

} // namespace

std::string svgElement(const RecordedPage& drawing, int dpi)
{
    return openTag(drawing, dpi, false) + svgBody(drawing, dpi) + "</svg>";
}

std::string svgFile(const RecordedPage& drawing, int dpi)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + openTag(drawing, dpi, true) +
           svgBody(drawing, dpi) + "</svg>\n";
}

} // namespace lanescope::report
