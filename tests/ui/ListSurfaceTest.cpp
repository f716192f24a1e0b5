#include "ui/ListSurface.h"

#include "ui/BrowserPage.h"
#include "ui/VnxComboBox.h"
#include "ui/VnxStatusBar.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace lanescope::ui {
namespace {

TEST(ListSurfaceTest, ListsOfAnyLengthScrollToTheirEndAndKeysMoveByRowsAndPages)
{
    ListSurface surface;
    surface.resize(400, 300);
    surface.show();
    browser::TvnxPaintBox& box = surface.paintBox();
    constexpr int kRows = 20000; // 300 000 pixels, far beyond what a widget may be tall
    for (int row = 0; row < kRows; ++row)
        box.AddText(10, 5 + row * 15, 0, 0, "row " + std::to_string(row));
    box.Finish();
    surface.finished();
    QScrollBar* bar = surface.verticalScrollBar();
    EXPECT_EQ(bar->maximum(), box.imageHeight() - surface.clientHeight());
    EXPECT_GT(bar->maximum(), 32767);

    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&surface, &down);
    EXPECT_EQ(surface.scrollY(), 15);
    QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(&surface, &pageDown);
    EXPECT_EQ(surface.scrollY(), 15 + surface.clientHeight() - 15);
    surface.scrollToY(bar->maximum());
    EXPECT_EQ(surface.scrollY(), box.imageHeight() - surface.clientHeight());
    // At the end of the range the last rows are painted: the view is not blank.
    const QImage image = surface.viewport()->grab().toImage();
    const QRgb ground = surface.palette().color(QPalette::Base).rgb();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += image.pixel(x, y) != ground ? 1 : 0;
    EXPECT_GT(inked, 100);

    // A short list shows no scroll range, and the keys do nothing.
    box.Clear();
    box.AddText(10, 5, 0, 0, "one row");
    box.Finish();
    surface.finished();
    QApplication::sendEvent(&surface, &pageDown);
    EXPECT_EQ(surface.scrollY(), 0);
}

TEST(BrowserPageTest, TheHeaderFollowsTheDrawingSideways)
{
    BrowserPage page(QStringLiteral("Teilnehmer"), browser::defaultEventHeader());
    page.resize(700, 400);
    page.show();
    page.setHeaderShown(true);
    browser::TvnxPaintBox& box = page.surface()->paintBox();
    box.AddText(2000, 5, 0, 0, "far right");
    box.Finish();
    page.surface()->finished();
    const int frame = page.surface()->frameWidth();
    page.surface()->horizontalScrollBar()->setValue(120);
    EXPECT_EQ(page.header()->offset(), 120 - frame);
    page.surface()->finished(); // a new drawing starts at the left
    EXPECT_EQ(page.header()->offset(), -frame);
    // Section 0 starts where the drawing's x = 0 is.
    const QPoint drawingOrigin = page.surface()->viewport()->mapTo(&page, QPoint(0, 0));
    const QPoint headerOrigin =
        page.header()->viewport()->mapTo(&page, QPoint(page.header()->sectionViewportPosition(0), 0));
    EXPECT_EQ(headerOrigin.x(), drawingOrigin.x());
}

// The list is laid out for an 8-point font and drawn in the proportion of the desktop's font size (never
// smaller); the header shows the layout's widths at that scale and hands dragged widths back unscaled.
TEST(BrowserPageTest, ListAndHeaderFollowTheDesktopFontSize)
{
    const QFont desktop = QApplication::font();
    const struct
    {
        double points;
        int scale;
    } cases[] = {{8, 100}, {10, 125}, {16, 200}, {6, 100}};
    for (const auto& c : cases) {
        QFont font = desktop;
        font.setPointSizeF(c.points);
        QApplication::setFont(font);
        BrowserPage page(QStringLiteral("Teilnehmer"), browser::defaultEventHeader());
        EXPECT_EQ(page.surface()->paintBox().scale(), c.scale) << c.points;
        const int layoutWidth = page.sections()[1].width;
        EXPECT_EQ(page.header()->sectionSize(1), layoutWidth * c.scale / 100) << c.points;
        page.header()->resizeSection(1, 400 * c.scale / 100); // as the user's drag does
        EXPECT_EQ(page.sections()[1].width, 400) << c.points;
    }
    QApplication::setFont(desktop);
}

TEST(StatusBarTest, MessagesStayEightTicksAndHintsWaitThreeTicks)
{
    TvnxStatusBar bar;
    bar.setHint(QStringLiteral("first line\r\nsecond line"));
    EXPECT_EQ(bar.messageText(), QStringLiteral(" first line | second line"));
    bar.setHint(QStringLiteral("@not shown"));
    EXPECT_TRUE(bar.messageText().isEmpty());

    bar.errorMessage(QStringLiteral("failed"));
    bar.tick();
    bar.tick();
    bar.setHint(QStringLiteral("a hint")); // inside the first three ticks: the message stays
    EXPECT_EQ(bar.messageText(), QStringLiteral("failed"));
    for (int tick = 2; tick < 7; ++tick)
        bar.tick();
    EXPECT_EQ(bar.messageText(), QStringLiteral("failed"));
    bar.tick();
    EXPECT_EQ(bar.messageText(), QStringLiteral(" a hint"));

    bar.informationMessage(QStringLiteral("note"));
    for (int tick = 0; tick < 3; ++tick)
        bar.tick();
    bar.setHint(QStringLiteral("next hint")); // after three ticks a hint replaces it
    EXPECT_EQ(bar.messageText(), QStringLiteral(" next hint"));

    bar.informationMessage(QStringLiteral("note"));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(&bar, &key); // a key press ends it
    EXPECT_EQ(bar.messageText(), QStringLiteral(" next hint"));
}

TEST(VnxComboBoxTest, ReadOnlyKeepsItemsAndSkipsTheTabKey)
{
    TVnxComboBox box;
    box.addItems({QStringLiteral("a"), QStringLiteral("b")});
    box.setCurrentIndex(1);
    const Qt::FocusPolicy policy = box.focusPolicy();
    box.setReadOnly(true);
    EXPECT_EQ(box.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(box.count(), 2);
    EXPECT_EQ(box.currentText(), QStringLiteral("b"));
    box.setReadOnly(false);
    EXPECT_EQ(box.focusPolicy(), policy);
    EXPECT_EQ(box.currentIndex(), 1);
}

} // namespace
} // namespace lanescope::ui
