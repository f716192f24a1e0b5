#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::download {
struct TransferResult;
class TMeetsFactory;
class TNodeDownloadMeet;
} // namespace lanescope::download

namespace lanescope::ui {

/**
 * `TFDownload`: the download dialog. The user picks a result server and one of its meets; "Laden" (or a
 * double click) fetches the meet's result file into the private temporary folder and closes the dialog
 * with OK. Created once per program run and kept, so the server list and the shown meet list survive
 * between downloads. Warnings go through the function the owner hands in (the main window's). When no
 * result server can be reached the dialog says why and offers the address of the server list
 * ("Special"/"AppInfoURL") and the main window's Open URL command; a failed meet list or download shows
 * its reason under the list, in the screen language. Choosing a server whose list failed, again or after
 * reopening the dialog, fetches the list again.
 */
class TFDownload : public QDialog
{
    Q_OBJECT

public:
    using Warning = std::function<void(const QString& text)>;
    using Command = std::function<void()>;

    /** settings: the program's settings, which must outlive the dialog; openUrl: the Open URL command. */
    TFDownload(base::CustomIniFile& settings, Warning warning, Command openUrl, QWidget* parent = nullptr);
    ~TFDownload() override;

    /**
     * Fills the server selector and shows the dialog modally; true when it closed after a successful
     * download. Without any server it opens in the state that offers the server-list address.
     */
    bool Execute();
    /** The local file of the last successful download. */
    const QString& DownloadedFile() const { return FDownloadedFile; }

    // Components, named as in the form.
    QLabel* lblServer;
    QComboBox* cbxServer;
    QWidget* pnlNoServer;
    QLabel* lblNoServer;
    QLabel* lblAppInfoURL;
    QLineEdit* edtAppInfoURL;
    QPushButton* btnApplyURL;
    QPushButton* btnOpenUrl;
    QTreeWidget* trvMeets;
    QLabel* lblFailure;
    QPushButton* btnLoad;
    QPushButton* btnClose;

    // Events, named as in the form.
    void cbxServerChange();
    void btnLoadClick();
    /** Saves the entered server-list address and asks for the servers again. */
    void btnApplyURLClick();
    /** Closes the dialog and runs the Open URL command. */
    void btnOpenUrlClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /** Fills the server selector; without servers shows the address field and the reason. */
    bool fillServers();
    /** Shows why the failure happened under the list; nothing for a success. */
    void showFailure(const download::TransferResult& failure);
    void fillTree();
    void sortByColumn(int column);
    const download::TNodeDownloadMeet* nodeOf(const QTreeWidgetItem* item) const;

    base::CustomIniFile& FSettings;
    Warning FWarning;
    Command FOpenUrl;
    std::unique_ptr<download::TMeetsFactory> FFactory;
    QString FDownloadedFile;
};

} // namespace lanescope::ui
