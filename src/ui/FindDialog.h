#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lanescope::ui {

/**
 * The modeless find dialog of the main window: a find text and the direction (down unless the user picks
 * up). "Find next" is enabled while the text is not empty. Closing it in any way (button, Esc, the window's
 * close box) emits closed().
 */
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindDialog(QWidget* parent = nullptr);

    QString findText() const;
    bool searchDown() const;
    void setFindText(const QString& text);
    void setSearchDown(bool down);
    /** Says inside the dialog that the search found nothing; a new search or text clears it. */
    void showNotFound(const QString& message);
    /** The not-found message shown; empty while there is none. */
    QString notFoundText() const;

    void done(int result) override;

signals:
    void findNext();
    void closed();

private:
    QLineEdit* FEdit;
    QRadioButton* FUp;
    QRadioButton* FDown;
    QPushButton* FFindNext;
    QLabel* FNotFound;
};

} // namespace lanescope::ui
