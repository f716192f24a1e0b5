#pragma once

#include <QFrame>
#include <QStyledItemDelegate>

namespace lanescope::ui {

/**
 * A one-line label that shows its whole text when it fits and otherwise cuts it at the right with "..."
 * and offers the whole text as its tool tip, so a long title never widens its panel.
 */
class ElidedLabel : public QFrame
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    /** The whole text, whatever is shown of it. */
    const QString& text() const { return FText; }
    void setText(const QString& text);
    /** True when the text is cut to fit the label's width. */
    bool elided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();

    QString FText;
};

/**
 * Item texts of a tree that do not fit their column: the view cuts them in the middle (set by
 * `showWholeTexts`), so the start and the end of a node text, event number and round, stay visible, and
 * the delegate shows the whole text as a tool tip over a cut item.
 */
class WholeTextToolTips : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

/** Cuts the view's long item texts in the middle and shows them whole as tool tips. */
void showWholeTexts(QAbstractItemView* view);

} // namespace lanescope::ui
