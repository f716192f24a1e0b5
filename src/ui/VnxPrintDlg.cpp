#include "ui/VnxPrintDlg.h"

#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "report/RecordingDevice.h"
#include "swim/TextFormat.h"
#include "ui/DialogHooks.h"
#include "ui/QtReportCanvas.h"
#include "ui/ReportPrinter.h"
#include "ui/VnxPreviewDlg.h"
#include "ui/VnxPrintSetupDlg.h"
#include "ui/VnxStatusDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <algorithm>
#include <cctype>

namespace lanescope::ui {

namespace {

using report::TPrnDlgOption;
namespace fs = std::filesystem;

constexpr const char* kPrinter = "Printer";

QString text(char section, int number) { return QString::fromStdString(base::languageText(section, number)); }

int screenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? std::max(qRound(screen->logicalDotsPerInch()), 10) : 96;
}

} // namespace

TVnxPrintDlg::TVnxPrintDlg(base::CustomIniFile& settings, QWidget* parent)
    : QDialog(parent)
    , FSettings(settings)
    , FActiveForm(QApplication::activeWindow())
{
    setWindowTitle(text('V', 94).remove(QLatin1Char('&')));
    printers::installPrinterQuery();
    Report.Settings = &FSettings;
    Report.Document().LoadSettings(FSettings);

    CBPrinters = new QComboBox(this);
    CBPrinters->setObjectName(QStringLiteral("CBPrinters"));
    CBPrinters->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    edtExemplare = new QSpinBox(this);
    edtExemplare->setObjectName(QStringLiteral("edtExemplare"));
    edtExemplare->setRange(1, 9999);
    edtExemplare->setValue(1);
    btnSetup = new QPushButton(text('V', 92), this);
    btnOptions = new QPushButton(text('V', 93), this);
    btnPrint = new QPushButton(text('V', 94), this);
    btnPrint->setDefault(true);
    btnPreview = new QPushButton(text('V', 95), this);
    BPdf = new QPushButton(QStringLiteral("PDF"), this);
    BPdf->setToolTip(text('G', 158));
    btnHtml = new QPushButton(this);
    btnCancel = new QPushButton(text('V', 96), this);
    for (const auto& [button, name] :
         {std::pair(btnSetup, "btnSetup"), std::pair(btnOptions, "btnOptions"),
          std::pair(btnPrint, "btnPrint"), std::pair(btnPreview, "btnPreview"), std::pair(BPdf, "BPdf"),
          std::pair(btnHtml, "btnHtml"), std::pair(btnCancel, "btnCancel")})
        button->setObjectName(QString::fromLatin1(name));

    auto* printerLabel = new QLabel(text('V', 90), this);
    printerLabel->setObjectName(QStringLiteral("lblPrinter"));
    printerLabel->setBuddy(CBPrinters);
    auto* copiesLabel = new QLabel(text('V', 91), this);
    copiesLabel->setObjectName(QStringLiteral("lblCopies"));
    copiesLabel->setBuddy(edtExemplare);
    auto* layout = new QGridLayout(this);
    layout->addWidget(printerLabel, 0, 0);
    layout->addWidget(CBPrinters, 0, 1, 1, 2);
    layout->addWidget(btnSetup, 0, 3);
    layout->addWidget(copiesLabel, 1, 0);
    layout->addWidget(edtExemplare, 1, 1);
    layout->addWidget(btnOptions, 1, 3);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btnPrint, btnPreview, BPdf, btnHtml, btnCancel})
        buttons->addWidget(button);
    layout->addLayout(buttons, 2, 0, 1, 4);
    layout->setColumnStretch(2, 1);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(CBPrinters, &QComboBox::activated, this, &TVnxPrintDlg::CBPrintersClick);
    connect(btnSetup, &QPushButton::clicked, this, &TVnxPrintDlg::btnSetupClick);
    connect(btnOptions, &QPushButton::clicked, this, &TVnxPrintDlg::btnOptionsClick);
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(btnPrint); });
    connect(btnPreview, &QPushButton::clicked, this, &TVnxPrintDlg::btnPreviewClick);
    connect(BPdf, &QPushButton::clicked, this, &TVnxPrintDlg::BPdfClick);
    connect(btnHtml, &QPushButton::clicked, this, &TVnxPrintDlg::btnHtmlClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    CBPrinters->addItems(printers::names());
    CBPrinters->setCurrentIndex(CBPrinters->findText(printers::currentName()));
    const int saved =
        CBPrinters->findText(QString::fromStdString(FSettings.ReadString(kPrinter, "Current", "")));
    if (saved >= 0)
        CBPrinters->setCurrentIndex(saved);
    updateOptionButtons();
    CBPrintersClick();
}

TVnxPrintDlg::~TVnxPrintDlg() = default;

void TVnxPrintDlg::SetOptions(std::initializer_list<TPrnDlgOption> options)
{
    Report.SetOptions(options);
    updateOptionButtons();
}

void TVnxPrintDlg::updateOptionButtons()
{
    const bool testPage = Report.HasOption(TPrnDlgOption::pdCanTestPage);
    btnHtml->setText(text('G', testPage ? 56 : 58));
    btnHtml->setToolTip(text('G', testPage ? 57 : 59));
    UpdateButtons();
}

void TVnxPrintDlg::UpdateButtons()
{
    const bool printer = CBPrinters->currentIndex() >= 0;
    btnPrint->setEnabled(printer);
    btnOptions->setEnabled(printer);
    btnPreview->setEnabled(printer && Report.HasOption(TPrnDlgOption::pdCanPreview));
    BPdf->setEnabled(true);
    btnHtml->setEnabled(Report.HasOption(TPrnDlgOption::pdCanHTML) ||
                        Report.HasOption(TPrnDlgOption::pdCanTestPage));
}

void TVnxPrintDlg::CBPrintersClick()
{
    if (CBPrinters->currentIndex() >= 0)
        printers::setCurrent(CBPrinters->currentText());
    Report.Document().ReadPrinterPaper();
    UpdateButtons();
}

void TVnxPrintDlg::btnSetupClick()
{
    if (CBPrinters->currentIndex() >= 0) {
        QPrintDialog setup(&printers::current(), this);
        dialogHooks().exec(setup);
    }
    Report.Document().ReadPrinterPaper();
    edtExemplare->setFocus();
    UpdateButtons();
}

void TVnxPrintDlg::btnOptionsClick()
{
    if (CBPrinters->currentIndex() < 0)
        return;
    TvnxPrintSetupDlg setup(Report.Document(), Report.HasOption(TPrnDlgOption::pdCanHTML), this);
    if (dialogHooks().exec(setup) == QDialog::Accepted)
        Report.Document().SaveSettings(FSettings);
    else
        Report.Document().LoadSettings(FSettings);
    CBPrinters->setCurrentIndex(CBPrinters->findText(printers::currentName()));
    edtExemplare->setFocus();
    UpdateButtons();
}

void TVnxPrintDlg::writeCurrent()
{
    FSettings.WriteString(kPrinter, "Current", CBPrinters->currentText().toStdString());
}

QString TVnxPrintDlg::initialFolder(const QString& folder) const
{
    for (const QString& candidate : {folder, DefaultFolder})
        if (!candidate.isEmpty() && QFileInfo(candidate).isDir())
            return candidate;
    return QDir::homePath();
}

bool TVnxPrintDlg::mayWrite(const fs::path& file)
{
    std::error_code error;
    if (!fs::exists(file, error))
        return true;
    const QString name = QString::fromStdString(file.string());
    return dialogHooks().question(
        this, QString::fromStdString(swim::formatText(base::languageText('G', 10), {name.toStdString()})));
}

QString TVnxPrintDlg::suggestedFile(const QString& folder, const QString& extension) const
{
    return SuggestedName.isEmpty() ? folder : QDir(folder).filePath(SuggestedName + extension);
}

fs::path TVnxPrintDlg::choosePdfFile()
{
    const QString saved = QString::fromStdString(FSettings.ReadString(kPrinter, "PdfFile", ""));
    const QString name = dialogHooks().saveFileName(
        this, text('G', 158),
        suggestedFile(initialFolder(saved.isEmpty() ? QString() : QFileInfo(saved).path()),
                      QStringLiteral(".pdf")),
        text('G', 159), 2);
    if (name.isEmpty())
        return {};
    FSettings.WriteString(kPrinter, "PdfFile", name.toStdString());
    fs::path file = name.toStdString();
    file.replace_extension(".pdf");
    return mayWrite(file) ? file : fs::path();
}

bool TVnxPrintDlg::runOutput(const std::function<bool(report::ReportStatus&)>& job)
{
    Report.OwnerCaption = windowTitle().toStdString();
    TVnxStatusDlg status(this, 2, false, true);
    return status.execute(job);
}

bool TVnxPrintDlg::printToPrinter()
{
    QPrinter& printer = printers::current();
    if (printers::currentIsPdfFile()) {
        const fs::path file = choosePdfFile();
        if (file.empty())
            return false;
        printer.setOutputFileName(QString::fromStdString(file.string()));
    }
    // The printable offsets the run reads first depend on the orientation.
    printer.setPageOrientation(Report.Document().PaperOrientation == report::Orientation::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    PrinterDevice device(printer);
    runOutput([this, &device](report::ReportStatus& status) {
        Report.PrintToPrinter(status, device);
        return true;
    });
    return true;
}

bool TVnxPrintDlg::writeFile(const fs::path& file, const std::function<bool(report::ReportStatus&)>& output)
{
    bool written = false;
    bool aborted = false;
    runOutput([&](report::ReportStatus& status) {
        written = output(status);
        aborted = status.aborted();
        return written;
    });
    // A run that was not aborted but left no file must not pass for a success.
    if (!written && !aborted)
        dialogHooks().message(this, text('G', 41));
    if (written)
        FSavedFile = file;
    return written;
}

void TVnxPrintDlg::btnPrintClick(QPushButton* sender)
{
    edtExemplare->interpretText();
    btnPrint->setFocus();
    writeCurrent();
    UpdateButtons();
    Report.Copies = edtExemplare->value();
    Report.TestPage =
        sender && sender->objectName().compare(QStringLiteral("btnHtml"), Qt::CaseInsensitive) == 0;
    const bool printed = printToPrinter();
    if (Report.TestPage || !printed)
        showAgain();
    else
        closeWithOk();
}

void TVnxPrintDlg::btnPreviewClick()
{
    writeCurrent();
    report::RecordingDevice device(screenDpi());
    const bool done = runOutput([this, &device](report::ReportStatus& status) {
        Report.PrintToPreview(status, device);
        return true;
    });
    int result = QDialog::Rejected;
    if (done) {
        TvnxPreviewDlg preview(pagePictures(device), FSettings, this);
        preview.setCaption(windowTitle());
        preview.applySavedView();
        result = dialogHooks().exec(preview);
    }
    if (result == QDialog::Accepted && btnPrint->isEnabled())
        btnPrintClick(btnPrint);
    else
        showAgain();
}

void TVnxPrintDlg::BPdfClick()
{
    writeCurrent();
    const fs::path file = choosePdfFile();
    if (file.empty())
        return;
    Report.PdfFileName = file;
    writeFile(file, [this](report::ReportStatus& status) { return Report.PrintToPdf(status); });
    closeWithOk();
}

void TVnxPrintDlg::btnHtmlClick()
{
    writeCurrent();
    if (Report.HasOption(TPrnDlgOption::pdCanTestPage)) {
        btnPrintClick(btnHtml);
        return;
    }
    const std::string extension = FSettings.ReadString(kPrinter, "HtmlExtension", ".htm");
    const QString folder =
        initialFolder(QString::fromStdString(FSettings.ReadString(kPrinter, "HtmlDir", "")));
    const QString name = dialogHooks().saveFileName(
        this, text('G', 59), suggestedFile(folder, QString::fromStdString(extension)), text('G', 95), 2);
    if (name.isEmpty())
        return;
    FSettings.WriteString(kPrinter, "HtmlDir", QFileInfo(name).path().toStdString());
    const fs::path file = htmlFileName(name.toStdString(), extension);
    if (!mayWrite(file))
        return;
    Report.HtmlFileName = file;
    writeFile(file, [this](report::ReportStatus& status) { return Report.PrintToHtml(status); });
    closeWithOk();
}

QString TVnxPrintDlg::fileNameOf(QString title)
{
    title.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]+")), QStringLiteral(" "));
    title = title.simplified();
    while (title.endsWith(QLatin1Char('.')))
        title.chop(1);
    return title.left(80).trimmed();
}

fs::path TVnxPrintDlg::htmlFileName(fs::path chosen, const std::string& extension)
{
    // An HTML extension the user typed stays; any other one becomes the configured extension.
    std::string typed = chosen.extension().string();
    std::transform(typed.begin(), typed.end(), typed.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (typed != ".htm" && typed != ".html")
        chosen.replace_extension(extension);
    return chosen;
}

void TVnxPrintDlg::closeWithOk()
{
    accept();
    QWidget* front = FActiveForm ? FActiveForm.data() : parentWidget();
    if (front) {
        front->raise();
        front->activateWindow();
    }
}

void TVnxPrintDlg::showAgain()
{
    show();
    edtExemplare->setFocus();
}

} // namespace lanescope::ui
