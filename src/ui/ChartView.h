#pragma once

#include "chart/ChartReport.h"
#include "report/RecordingDevice.h"

#include <QScrollArea>

namespace lanescope::ui {

/**
 * A picture the core draws (the race or progression picture), shown as wide as the view: drawn again
 * whenever the width changes, scrolled when it is taller than the view. Where the drawing has hints (a
 * point's meet, a swimmer's gap), resting the pointer there shows them as tool tips.
 */
class ChartView : public QScrollArea
{
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);

    /** Shows what the drawing draws; an empty drawing shows nothing. */
    void setDrawing(chart::PictureDrawing drawing);
    const report::RecordedPage& page() const { return FPage; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Picture;
    void record();

    chart::PictureDrawing FDrawing;
    report::RecordedPage FPage;
    Picture* FPicture;
};

} // namespace lanescope::ui
