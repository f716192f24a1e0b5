#pragma once

#include <QComboBox>

namespace lanescope::ui {

/**
 * `TVnxComboBox`: a drop-down list with a read-only mode. Read-only, it shows the selected item as plain
 * text without a drop-down button or list and is skipped by the Tab key; items and selection stay as they
 * are and come back usable when the mode is left.
 */
class TVnxComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit TVnxComboBox(QWidget* parent = nullptr);

    bool isReadOnly() const { return FReadOnly; }
    void setReadOnly(bool readOnly);

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool FReadOnly = false;
    Qt::FocusPolicy FFocusPolicy;
};

} // namespace lanescope::ui
