#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

class QComboBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::download {
class TMeetsFactory;
class TNodeDownloadMeet;
} // namespace lanescope::download

namespace lanescope::ui {

/**
 * `TFDownload`: the download dialog. The user picks a result server and one of its meets; "Laden" (or a
 * double click) fetches the meet's result file into the private temporary folder and closes the dialog
 * with OK. Created once per program run and kept, so the server list and the shown meet list survive
 * between downloads. Warnings go through the function the owner hands in (the main window's).
 */
class TFDownload : public QDialog
{
    Q_OBJECT

public:
    using Warning = std::function<void(const QString& text)>;

    /** settings: the program's settings, which must outlive the dialog. */
    TFDownload(base::CustomIniFile& settings, Warning warning, QWidget* parent = nullptr);
    ~TFDownload() override;

    /**
     * Fills the server selector and shows the dialog modally; true when it closed after a successful
     * download. Without any server it warns with G120 and returns false at once.
     */
    bool Execute();
    /** The local file of the last successful download. */
    const QString& DownloadedFile() const { return FDownloadedFile; }

    // Components, named as in the form.
    QComboBox* cbxServer;
    QTreeWidget* trvMeets;
    QPushButton* btnLoad;
    QPushButton* btnClose;

    // Events, named as in the form.
    void cbxServerChange();
    void btnLoadClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fillTree();
    void sortByColumn(int column);
    const download::TNodeDownloadMeet* nodeOf(const QTreeWidgetItem* item) const;

    base::CustomIniFile& FSettings;
    Warning FWarning;
    std::unique_ptr<download::TMeetsFactory> FFactory;
    QString FDownloadedFile;
};

} // namespace lanescope::ui
