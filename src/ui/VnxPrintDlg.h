#pragma once

#include "report/VnxReport.h"

#include <QDialog>
#include <QPointer>
#include <filesystem>
#include <functional>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace lanescope::base {
class CustomIniFile;
}

namespace lanescope::ui {

/**
 * `TVnxPrintDlg`: the print dialog that starts a report. The user picks the printer and the copies, opens
 * the page setup and sends the report to the printer, the preview, a PDF file or an HTML file. The concrete
 * dialogs add their report object on `Report`. Settings: section "Printer" ("Current", "PdfFile",
 * "HtmlDir", "HtmlExtension", "PreviewProzent") and the page setup of the document "Hoch75".
 */
class TVnxPrintDlg : public QDialog
{
    Q_OBJECT

public:
    /** The settings file must outlive the dialog. */
    explicit TVnxPrintDlg(base::CustomIniFile& settings, QWidget* parent = nullptr);
    ~TVnxPrintDlg() override;

    /** Sets the report's options and the HTML and preview buttons that follow them. */
    void SetOptions(std::initializer_list<report::TPrnDlgOption> options);

    report::TVnxReport Report;
    /** The file name (without folder and extension) the PDF and HTML save dialogs suggest; empty: none. */
    QString SuggestedName;
    /** Where the save dialogs start when no earlier output names an existing folder (the open file's). */
    QString DefaultFolder;

    /** The PDF or HTML file the last output wrote; empty when none was written. */
    const std::filesystem::path& savedFile() const { return FSavedFile; }
    /** The HTML output file of a chosen name: ".htm" and ".html" stay, any other extension becomes the given
     * one. */
    static std::filesystem::path htmlFileName(std::filesystem::path chosen, const std::string& extension);
    /**
     * A title as a file name to suggest: characters a file system or a file dialog would refuse or read as a
     * folder become blanks, trailing dots go, at most 80 characters.
     */
    static QString fileNameOf(QString title);

    QComboBox* CBPrinters;
    QSpinBox* edtExemplare;
    QPushButton* btnSetup;
    QPushButton* btnOptions;
    QPushButton* btnPrint;
    QPushButton* btnPreview;
    QPushButton* BPdf;
    QPushButton* btnHtml;
    QPushButton* btnCancel;

    void CBPrintersClick();
    void btnSetupClick();
    void btnOptionsClick();
    void btnPrintClick(QPushButton* sender);
    void btnPreviewClick();
    void BPdfClick();
    void btnHtmlClick();
    void UpdateButtons();

private:
    void updateOptionButtons();
    void writeCurrent();
    /** The initial folder of a save dialog: the folder when it exists, else DefaultFolder when that exists,
     * else the home folder. */
    QString initialFolder(const QString& folder) const;
    /** Asks G10 when the file exists; true when it may be written. */
    bool mayWrite(const std::filesystem::path& file);
    /** The PDF file to write, chosen in the save dialog ("PdfFile"); empty on Cancel or No. */
    std::filesystem::path choosePdfFile();
    bool runOutput(const std::function<bool(report::ReportStatus&)>& job);
    bool printToPrinter();
    /** The path a save dialog starts with: the suggested name with the extension in the folder. */
    QString suggestedFile(const QString& folder, const QString& extension) const;
    /** Runs a file output; a failed write that was not aborted shows G41. True when the file was written. */
    bool writeFile(const std::filesystem::path& file,
                   const std::function<bool(report::ReportStatus&)>& output);
    void closeWithOk();
    void showAgain();

    base::CustomIniFile& FSettings;
    QPointer<QWidget> FActiveForm;
    std::filesystem::path FSavedFile;
};

} // namespace lanescope::ui
