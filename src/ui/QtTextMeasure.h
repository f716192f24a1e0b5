#pragma once

#include "browser/PaintBox.h"

#include <QFont>
#include <QFontMetrics>

namespace lanescope::ui {

/** The font of the list surfaces: Arial at 8 points (Liberation Sans through fontconfig). */
QFont surfaceFont(browser::FontStyle style = browser::FontStyle::Plain);

/** Measures texts with the list surface's real font, so that aligned items end where they are painted. */
class QtTextMeasure : public browser::TextMeasure
{
public:
    QtTextMeasure();

    int textWidth(std::string_view text, browser::FontStyle style) const override;
    int textHeight() const override;

private:
    const QFontMetrics& metrics(browser::FontStyle style) const;

    QFontMetrics FPlain;
    QFontMetrics FBold;
    QFontMetrics FItalic;
    QFontMetrics FBoldItalic;
};

} // namespace lanescope::ui
