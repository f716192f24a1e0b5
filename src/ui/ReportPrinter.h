#pragma once

#include "report/ReportCanvas.h"

#include <QPainter>
#include <QStringList>
#include <memory>

class QPrinter;

namespace lanescope::ui {

class QtReportCanvas;

/**
 * The printers of the print dialogs: the CUPS printers and a "Print to File (PDF)" entry that is always
 * there, so printing and the preview work on a machine without printers. One of them is the current
 * printer; the page setup reads its paper and orientation through the document's printer query.
 */
namespace printers {

/** The entry of the PDF-file printer (Qt's PDF back end writing to a file chosen when printing). */
inline constexpr const char* kPdfFilePrinter = "Print to File (PDF)";

/** The CUPS printers followed by the PDF-file printer. */
QStringList names();
/** The system's default printer, or the PDF-file printer when there is none. */
QString defaultName();
/** Makes the named printer current; an unknown name leaves the current printer. */
void setCurrent(const QString& name);
QString currentName();
bool currentIsPdfFile();
/** The current printer (the default printer until another is chosen). */
QPrinter& current();
/** Lets the report documents read the current printer's paper code and orientation. */
void installPrinterQuery();

} // namespace printers

/** The report device of a printer job: one sheet per page, drawn through a painter on the printer. */
class PrinterDevice : public report::ReportDevice
{
public:
    explicit PrinterDevice(QPrinter& printer);
    ~PrinterDevice() override;

    int dpiX() const override;
    int dpiY() const override;
    int offsetX() const override;
    int offsetY() const override;
    bool canMakeCopies() const override;
    void setCopies(int copies) override;
    void setJobTitle(const std::string& title) override;
    bool jobRunning() const override { return FPainter.isActive(); }
    report::ReportCanvas& beginJob(report::Orientation orientation, int pageWidth, int pageHeight) override;
    report::ReportCanvas& newSheet() override;
    void endJob(bool aborted) override;

    /** Sheets begun in the job (for tests). */
    int sheets() const { return FSheets; }

private:
    QPrinter& FPrinter;
    QPainter FPainter;
    std::unique_ptr<QtReportCanvas> FCanvas;
    int FSheets = 0;
};

} // namespace lanescope::ui
