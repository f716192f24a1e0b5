#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;

namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::ui {

/**
 * `TvnxPreviewDlg`: the report's pages as pictures at screen resolution, one at a time, with page
 * navigation and zoom in steps of the square root of 2. Print ends it with OK, Cancel with Cancel; the zoom
 * is kept as "PreviewProzent" and the window placement under "Windows".
 */
class TvnxPreviewDlg : public QDialog
{
    Q_OBJECT

public:
    TvnxPreviewDlg(std::vector<QImage> pages, base::CustomIniFile& settings, QWidget* parent = nullptr);

    /** The window title: "Preview - " and the report's title, in the screen language. */
    void setCaption(const QString& report);
    /** Restores the saved placement and zoom, or fits the whole page when nothing was saved. */
    void applySavedView();

    void ShowPage(int index);
    void SetZoom(QSize size);
    void ZoomIn();
    void ZoomOut();
    void Zoom100();
    void ZoomPageWidth();
    void ZoomWholePage();
    void ZoomSaved();

    int currentPage() const { return FCurrent; }
    QSize pictureSize() const { return FZoom; }
    QSize naturalSize() const { return FNatural; }

    QLabel* lblPage;
    QLabel* lblZoom;
    QLabel* imgPage;
    QScrollArea* scrollBox;
    QPushButton* btnFirst;
    QPushButton* btnPrior;
    QPushButton* btnNext;
    QPushButton* btnLast;
    QPushButton* btnZoomIn;
    QPushButton* btnZoomOut;
    QPushButton* btn100;
    QPushButton* btnPageWidth;
    QPushButton* btnWholePage;
    QPushButton* btnPrint;
    QPushButton* btnCancel;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateButtons();
    void showPicture();
    void scrollBy(int dx, int dy);

    std::vector<QImage> FPages;
    base::CustomIniFile& FSettings;
    QSize FNatural;
    QSize FZoom;
    int FCurrent = -1;
};

} // namespace lanescope::ui
