#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace lanescope::ui {

/**
 * `TvnxNoteEditDlg`: edits a text (the HTML template of the page setup) in a memo sized for the given
 * columns and lines, with a choice of variable or fixed font that the program keeps for its run.
 */
class TvnxNoteEditDlg : public QDialog
{
    Q_OBJECT

public:
    TvnxNoteEditDlg(int columns, int lines, const QString& caption, const QString& text,
                    QWidget* parent = nullptr);

    /** The edited text. */
    QString text() const;

    QPlainTextEdit* Memo;
    QRadioButton* rbVariable;
    QRadioButton* rbFixed;
    QLabel* lblCaret;

private:
    void applyFont();
    void showCaret();
};

} // namespace lanescope::ui
