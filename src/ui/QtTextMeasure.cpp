#include "ui/QtTextMeasure.h"

#include <QString>

namespace lanescope::ui {

QFont surfaceFont(browser::FontStyle style)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setBold(style == browser::FontStyle::Bold || style == browser::FontStyle::BoldItalic);
    font.setItalic(style == browser::FontStyle::Italic || style == browser::FontStyle::BoldItalic);
    return font;
}

QtTextMeasure::QtTextMeasure()
    : FPlain(surfaceFont(browser::FontStyle::Plain))
    , FBold(surfaceFont(browser::FontStyle::Bold))
    , FItalic(surfaceFont(browser::FontStyle::Italic))
    , FBoldItalic(surfaceFont(browser::FontStyle::BoldItalic))
{
}

const QFontMetrics& QtTextMeasure::metrics(browser::FontStyle style) const
{
    switch (style) {
    case browser::FontStyle::Bold:
        return FBold;
    case browser::FontStyle::Italic:
        return FItalic;
    case browser::FontStyle::BoldItalic:
        return FBoldItalic;
    case browser::FontStyle::Plain:
        break;
    }
    return FPlain;
}

int QtTextMeasure::textWidth(std::string_view text, browser::FontStyle style) const
{
    return metrics(style).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int QtTextMeasure::textHeight() const { return FPlain.height(); }

} // namespace lanescope::ui
