#include "ui/ReportPrinter.h"

#include "report/VnxDocument.h"
#include "ui/QtReportCanvas.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

namespace lanescope::ui {

namespace printers {

namespace {

struct CurrentPrinter
{
    QString name;
    std::unique_ptr<QPrinter> printer;
};

CurrentPrinter& state()
{
    static CurrentPrinter current;
    static const bool cleanup = [] {
        // The printer must go before the application object that its print engine depends on.
        qAddPostRoutine([] { state().printer.reset(); });
        return true;
    }();
    (void)cleanup;
    return current;
}

std::unique_ptr<QPrinter> createPrinter(const QString& name)
{
    if (name == QLatin1String(kPdfFilePrinter)) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return printer;
    }
    return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
}

} // namespace

QStringList names()
{
    QStringList list = QPrinterInfo::availablePrinterNames();
    list.removeAll(QLatin1String(kPdfFilePrinter));
    list.append(QLatin1String(kPdfFilePrinter));
    return list;
}

QString defaultName()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? QString::fromLatin1(kPdfFilePrinter) : name;
}

void setCurrent(const QString& name)
{
    if (!names().contains(name))
        return;
    CurrentPrinter& current = state();
    if (current.printer && current.name == name)
        return;
    current.printer = createPrinter(name);
    current.name = name;
}

QString currentName()
{
    current();
    return state().name;
}

bool currentIsPdfFile() { return currentName() == QLatin1String(kPdfFilePrinter); }

QPrinter& current()
{
    if (!state().printer)
        setCurrent(defaultName());
    return *state().printer;
}

void installPrinterQuery()
{
    report::TVnxDocument::setPrinterQuery([] {
        QPrinter& printer = current();
        report::PrinterPaper paper;
        paper.present = true;
        paper.deviceName = currentName().toStdString();
        paper.paperCode = QPageSize::windowsId(printer.pageLayout().pageSize().id());
        paper.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                                ? report::Orientation::Landscape
                                : report::Orientation::Portrait;
        return paper;
    });
}

} // namespace printers

PrinterDevice::PrinterDevice(QPrinter& printer)
    : FPrinter(printer)
{
}

PrinterDevice::~PrinterDevice()
{
    if (FPainter.isActive())
        FPainter.end();
}

int PrinterDevice::dpiX() const { return FPrinter.logicalDpiX(); }

int PrinterDevice::dpiY() const { return FPrinter.logicalDpiY(); }

int PrinterDevice::offsetX() const { return qRound(FPrinter.pageRect(QPrinter::DevicePixel).left()); }

int PrinterDevice::offsetY() const { return qRound(FPrinter.pageRect(QPrinter::DevicePixel).top()); }

bool PrinterDevice::canMakeCopies() const { return FPrinter.supportsMultipleCopies(); }

void PrinterDevice::setCopies(int copies) { FPrinter.setCopyCount(copies); }

void PrinterDevice::setJobTitle(const std::string& title)
{
    FPrinter.setDocName(QString::fromStdString(title));
}

report::ReportCanvas& PrinterDevice::beginJob(report::Orientation orientation, int, int)
{
    FPrinter.setPageOrientation(orientation == report::Orientation::Landscape ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait);
    if (!FPainter.begin(&FPrinter))
        throw std::runtime_error("The printer did not start the job.");
    FPainter.setRenderHint(QPainter::TextAntialiasing);
    FCanvas = std::make_unique<QtReportCanvas>(FPainter);
    FSheets = 1;
    return *FCanvas;
}

report::ReportCanvas& PrinterDevice::newSheet()
{
    FPrinter.newPage();
    ++FSheets;
    return *FCanvas;
}

void PrinterDevice::endJob(bool aborted)
{
    if (aborted)
        FPrinter.abort();
    if (FPainter.isActive())
        FPainter.end();
    FCanvas.reset();
}

} // namespace lanescope::ui
