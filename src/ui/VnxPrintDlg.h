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
    /** The initial folder of a save dialog: the folder when it exists, else the home folder. */
    static QString initialFolder(const QString& folder);
    /** Asks G10 when the file exists; true when it may be written. */
    bool mayWrite(const std::filesystem::path& file);
    /** The PDF file to write, chosen in the save dialog ("PdfFile"); empty on Cancel or No. */
    std::filesystem::path choosePdfFile();
    bool runOutput(const std::function<bool(report::ReportStatus&)>& job);
    bool printToPrinter();
    /** Runs a file output; a failed write that was not aborted shows G41. */
    void writeFile(const std::function<bool(report::ReportStatus&)>& output);
    void closeWithOk();
    void showAgain();

    base::CustomIniFile& FSettings;
    QPointer<QWidget> FActiveForm;
};

} // namespace lanescope::ui
