#include "report/DrawingPdf.h"

#include "report/BSPdf.h"
#include "report/MulDiv.h"

#include <algorithm>

namespace lanescope::report {

void drawOnPdf(TBSPdf& pdf, const RecordedPage& drawing, int dpi, int left, int top)
{
    const double scale = 72.0 / std::max(dpi, 1);
    const auto points = [&](int value) { return mulDiv(value, 72, std::max(dpi, 1)); };
    for (const RecordedItem& item : drawing.items) {
        switch (item.kind) {
        case RecordedItem::Kind::Path: {
            std::vector<TBSPdf::PathPoint> path;
            path.reserve(item.points.size());
            for (const CanvasPoint& point : item.points)
                path.push_back({left + point.x * scale, top + point.y * scale});
            std::vector<double> dashes;
            for (const int dash : item.style.dashes)
                dashes.push_back(dash * scale);
            pdf.DrawPath(path, item.style.colour, std::max(item.style.penWidth, 1) * scale, dashes,
                         item.style.filled);
            break;
        }
        case RecordedItem::Kind::Text:
            pdf.SetFontName(item.fontName);
            pdf.SetFontSize(item.fontSize);
            pdf.SetStyle((item.bold ? pdfstyle::bold : 0) | (item.italic ? pdfstyle::italic : 0) |
                         (item.underline ? pdfstyle::underline : 0));
            pdf.TextOut(left + points(item.x), top + points(item.y), 0, item.text);
            break;
        case RecordedItem::Kind::Line:
            pdf.DrawPath({{left + item.x * scale, top + item.y * scale},
                          {left + item.x2 * scale, top + item.y2 * scale}},
                         0, std::max(item.penWidth, 1) * scale, {}, false);
            break;
        case RecordedItem::Kind::Rectangle: {
            const double x1 = left + item.x * scale;
            const double y1 = top + item.y * scale;
            const double x2 = left + item.x2 * scale;
            const double y2 = top + item.y2 * scale;
            pdf.DrawPath({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}}, 0,
                         std::max(item.penWidth, 1) * scale, {}, false);
            break;
        }
        case RecordedItem::Kind::Picture:
            if (item.picture)
                pdf.DrawImage(left + points(item.x), top + points(item.y), left + points(item.x2),
                              top + points(item.y2), *item.picture);
            break;
        case RecordedItem::Kind::Hint:
            break;
        }
    }
}

} // namespace lanescope::report
