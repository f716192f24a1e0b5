#pragma once

#include "browser/EventListDrawing.h"

#include <QWidget>
#include <span>
#include <vector>

class QCheckBox;
class QHeaderView;
class QPushButton;
class QSplitter;
class QStandardItemModel;
class QTreeWidget;

namespace lanescope::ui {

class ChartView;
class ElidedLabel;
class ListSurface;

/**
 * One of the two browser pages of the main window: a tree on the left with a button under it that switches
 * to the other page, and on the right the drawn list with its title, header and the option check boxes. Where
 * a page offers it, the "Picture" check box shows a picture of the list in place of the list.
 */
class BrowserPage : public QWidget
{
    Q_OBJECT

public:
    /** sections: the header as laid out (captions, widths, smallest widths, alignment). */
    BrowserPage(const QString& otherPageCaption, std::span<const browser::HeaderSection> sections,
                QWidget* parent = nullptr);

    QTreeWidget* tree() const { return FTree; }
    QPushButton* switchButton() const { return FSwitch; }
    QHeaderView* header() const { return FHeader; }
    ListSurface* surface() const { return FSurface; }
    QCheckBox* onlyValids() const { return FOnlyValids; }
    QCheckBox* splits() const { return FSplits; }
    QCheckBox* picture() const { return FPicture; }
    ChartView* chart() const { return FChart; }
    /** Whether the page has the "Picture" check box; without it the list is always shown. */
    void setPictureOffered(bool offered);
    /** True when the picture is shown in place of the list. */
    bool pictureShown() const;
    ElidedLabel* title() const { return FTitle; }

    /** The header's sections with the widths the user set. */
    const std::vector<browser::HeaderSection>& sections() const { return FSections; }
    /** Shows texts, widths and alignment of the sections (smallest widths stay those of the layout). */
    void setSections(std::span<const browser::HeaderSection> sections);
    bool headerShown() const;
    void setHeaderShown(bool shown);
    void setTitle(const std::string& text);
    /**
     * Width a caption needs in the header, in the list's layout units: its text in the header font, the
     * section's margins and a sort arrow.
     */
    int captionWidth(const std::string& caption) const;
    /** Widens every shown section (width above 0) to at least its caption's width. */
    void keepCaptionRoom(std::span<browser::HeaderSection> sections) const;

    int treeWidth() const;
    void setTreeWidth(int width);
    /** The tree pane's share of the page's width (0.05 to 0.8), kept when the window is resized. */
    double treeShare() const { return FTreeShare; }
    void setTreeShare(double share);

signals:
    /** A check box was clicked or the user resized a header section: the list must be drawn again. */
    void redrawRequested();
    /** The user dragged a header section to a new width. */
    void sectionDragged(int section, int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyTreeShare();
    void sectionResized(int section, int oldSize, int newSize);
    void alignHeader(int left);
    int toScreen(int width) const;
    int fromScreen(int width) const;
    void showListOrPicture();

    QTreeWidget* FTree;
    QPushButton* FSwitch;
    QSplitter* FSplitter;
    ElidedLabel* FTitle;
    QStandardItemModel* FHeaderModel;
    QHeaderView* FHeader;
    ListSurface* FSurface;
    QCheckBox* FOnlyValids;
    QCheckBox* FSplits;
    QCheckBox* FPicture;
    ChartView* FChart;
    std::vector<browser::HeaderSection> FSections;
    bool FSettingSections = false;
    double FTreeShare = 0.25;
};

} // namespace lanescope::ui
