#pragma once

#include <QDialog>

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

    void done(int result) override;

signals:
    void findNext();
    void closed();

private:
    QLineEdit* FEdit;
    QRadioButton* FUp;
    QRadioButton* FDown;
    QPushButton* FFindNext;
};

} // namespace lanescope::ui
