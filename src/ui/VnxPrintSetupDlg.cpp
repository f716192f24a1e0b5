#include "ui/VnxPrintSetupDlg.h"

#include "base/LanguageTexts.h"
#include "report/VnxDocument.h"
#include "swim/TextFormat.h"
#include "ui/DialogHooks.h"
#include "ui/ReportPrinter.h"
#include "ui/VnxNoteEditDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lanescope::ui {

namespace {

using report::TDocumentOption;

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Components carry the names the form section of the language files uses for their texts.
template <typename Component> Component* named(Component* component, const char* name)
{
    component->setObjectName(QString::fromLatin1(name));
    return component;
}

QLabel* label(QWidget* parent, const char* name, const char* caption)
{
    return named(new QLabel(QString::fromUtf8(caption), parent), name);
}

QSpinBox* spinBox(QWidget* parent, int minimum, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    return box;
}

struct ImageEntry
{
    int x = 5;
    int y = 5;
    int scale = 100;
    int alignment = 0;
    QString file;
};

int fieldNumber(const QStringList& fields, int index, int fallback)
{
    bool ok = false;
    const int value = index < fields.size() ? fields[index].trimmed().toInt(&ok) : 0;
    return ok ? value : fallback;
}

/** "x;y;scale;alignment;file"; x and y default to 5, a scale of 0 or empty to 100. */
ImageEntry parseEntry(const std::string& text)
{
    const QStringList fields = qs(text).split(QLatin1Char(';'));
    ImageEntry entry;
    entry.x = fieldNumber(fields, 0, 5);
    entry.y = fieldNumber(fields, 1, 5);
    entry.scale = fieldNumber(fields, 2, 100);
    if (entry.scale == 0)
        entry.scale = 100;
    entry.alignment = std::clamp(fieldNumber(fields, 3, 0), 0, 2);
    entry.file = fields.size() > 4 ? fields.mid(4).join(QLatin1Char(';')) : QString();
    return entry;
}

std::string formatEntry(const ImageEntry& entry)
{
    return QStringLiteral("%1;%2;%3;%4;%5")
        .arg(entry.x)
        .arg(entry.y)
        .arg(entry.scale)
        .arg(entry.alignment)
        .arg(entry.file)
        .toStdString();
}

/** One row of the image list: position, scale, alignment and file name in fixed columns. */
class ImageEntryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        QStyledItemDelegate::paint(painter, background, index);
        const ImageEntry entry = parseEntry(index.data(Qt::UserRole).toString().toStdString());
        const QString file =
            entry.file.isEmpty() ? qs(base::languageText('G', 11)) : QFileInfo(entry.file).fileName();
        const std::pair<int, QString> cells[] = {
            {2, QStringLiteral("%1,%2 mm").arg(entry.x).arg(entry.y)},
            {80, QStringLiteral("%1%").arg(entry.scale)},
            {120, qs(base::languageText('G', 69, entry.alignment + 1))},
            {190, file},
        };
        painter->save();
        painter->setPen(option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                   : QPalette::Text));
        for (const auto& [x, text] : cells)
            painter->drawText(option.rect.adjusted(x, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter->restore();
    }
};

std::vector<std::string> memoLines(const QPlainTextEdit* memo)
{
    std::vector<std::string> lines;
    for (const QString& line : memo->toPlainText().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines.push_back(line.toStdString());
    return lines;
}

QString memoText(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list.append(qs(line));
    return list.join(QLatin1Char('\n'));
}

void selectFont(QComboBox* box, const std::string& name)
{
    const QString font = qs(name);
    if (box->findText(font) < 0)
        box->insertItem(0, font);
    box->setCurrentIndex(box->findText(font));
}

} // namespace

TvnxPrintSetupDlg::TvnxPrintSetupDlg(report::TVnxDocument& document, bool allowHtml, QWidget* parent)
    : QDialog(parent)
    , FDocument(document)
    , FAllowHtml(allowHtml)
{
    setWindowTitle(QStringLiteral("Einstellungen Drucken"));
    CBPrinters = new QComboBox(this);
    CBPrinters->addItems(printers::names());
    CBPrinters->setCurrentText(printers::currentName());
    btnProperties = named(new QPushButton(QStringLiteral("Eigenschaften"), this), "btnProperties");
    PageControl = new QTabWidget(this);
    PageControl->addTab(named(createMarginsTab(), "tsMargins"), QStringLiteral("Ränder/Schriftart"));
    PageControl->addTab(named(createFooterTab(), "tsFooter"), QStringLiteral("Fusszeilen"));
    PageControl->addTab(named(createImagesTab(), "tsImages"), QStringLiteral("Grafiken"));
    PageControl->addTab(named(createMiscTab(), "tsMisc"), QStringLiteral("Verschiedenes"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = named(new QPushButton(QStringLiteral("Abbrechen"), this), "btnCancel");
    btnStandard = named(new QPushButton(QStringLiteral("Standard"), this), "btnStandard");
    auto* standards = new QMenu(btnStandard);
    standards->addAction(qs(base::languageText('V', 112)), this, [this] { ApplyStandard(0); });
    standards->addAction(qs(base::languageText('V', 113)), this, [this] { ApplyStandard(1); });
    connect(btnStandard, &QPushButton::clicked, this, [this, standards] {
        standards->popup(btnStandard->mapToGlobal(QPoint(0, btnStandard->height())));
    });
    connect(btnOK, &QPushButton::clicked, this, [this] {
        SaveToDocument();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(CBPrinters, 1);
    top->addWidget(btnProperties);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnStandard);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);

    fillFonts();
    LoadDocument();
    connectChanges();
    applyOptions();
    connect(CBPrinters, &QComboBox::currentIndexChanged, this, &TvnxPrintSetupDlg::printerChanged);
    connect(btnProperties, &QPushButton::clicked, this, &TvnxPrintSetupDlg::propertiesClick);
    connect(PageControl, &QTabWidget::currentChanged, this, &TvnxPrintSetupDlg::tabChanged);
}

QWidget* TvnxPrintSetupDlg::createMarginsTab()
{
    auto* page = new QWidget;
    edtTop = spinBox(page, 0, 100);
    edtBottom = spinBox(page, 0, 100);
    edtLeft = spinBox(page, 0, 100);
    edtRight = spinBox(page, 0, 100);
    edtColDist = spinBox(page, 0, 100);
    lblColDist = named(new QLabel(QStringLiteral("Spaltenabstand"), page), "lblColDist");
    auto* margins = named(new QGroupBox(QStringLiteral("Ränder (mm)"), page), "gbMargins");
    auto* marginForm = new QFormLayout(margins);
    marginForm->addRow(label(page, "lblTop", "Oben"), edtTop);
    marginForm->addRow(label(page, "lblBottom", "Unten"), edtBottom);
    marginForm->addRow(label(page, "lblLeft", "Links"), edtLeft);
    marginForm->addRow(label(page, "lblRight", "Rechts"), edtRight);
    marginForm->addRow(lblColDist, edtColDist);

    cbVarFont = new QComboBox(page);
    cbFixFont = new QComboBox(page);
    auto* fonts = named(new QGroupBox(QStringLiteral("Schriftart"), page), "gbFonts");
    auto* fontForm = new QFormLayout(fonts);
    fontForm->addRow(label(page, "lblVarFont", "Var - Font"), cbVarFont);
    fontForm->addRow(label(page, "lblFixFont", "Fix - Font"), cbFixFont);

    gbColumns = named(new QGroupBox(QStringLiteral("Spalten"), page), "gbColumns");
    edtColumns = spinBox(gbColumns, 1, 9);
    cbHeadOnColumn =
        named(new QCheckBox(QStringLiteral("Kopf- und Fusszeilen pro Spalte"), gbColumns), "cbHeadOnColumn");
    auto* columnForm = new QFormLayout(gbColumns);
    columnForm->addRow(label(gbColumns, "lblColumns", "Anzahl"), edtColumns);
    columnForm->addRow(cbHeadOnColumn);

    gbOrientation = named(new QGroupBox(QStringLiteral("Ausrichtung"), page), "gbOrientation");
    rbPortrait = named(new QRadioButton(QStringLiteral("Hochformat"), gbOrientation), "rbPortrait");
    rbLandscape = named(new QRadioButton(QStringLiteral("Querformat"), gbOrientation), "rbLandscape");
    auto* orientation = new QVBoxLayout(gbOrientation);
    orientation->addWidget(rbPortrait);
    orientation->addWidget(rbLandscape);

    gbAddress = named(new QGroupBox(QStringLiteral("Adresse (mm)"), page), "gbAddress");
    edtAddrTop = spinBox(gbAddress, 0, 200);
    edtAddrLeft = spinBox(gbAddress, 0, 200);
    auto* address = new QFormLayout(gbAddress);
    address->addRow(label(gbAddress, "lblAddrTop", "von oben"), edtAddrTop);
    address->addRow(label(gbAddress, "lblAddrLeft", "von links"), edtAddrLeft);

    lblInfo = new QLabel(page);
    auto* grid = new QGridLayout(page);
    grid->addWidget(margins, 0, 0, 2, 1);
    grid->addWidget(fonts, 0, 1);
    grid->addWidget(gbColumns, 1, 1);
    grid->addWidget(gbOrientation, 2, 0);
    grid->addWidget(gbAddress, 2, 1);
    grid->addWidget(lblInfo, 3, 0, 1, 2);
    return page;
}

QWidget* TvnxPrintSetupDlg::createFooterTab()
{
    auto* page = new QWidget;
    memoFootLeft = new QPlainTextEdit(page);
    memoFootCentre = new QPlainTextEdit(page);
    memoFootRight = new QPlainTextEdit(page);
    edtFootSize = spinBox(page, 10, 300);
    lblFootCount = new QLabel(page);
    auto* grid = new QGridLayout(page);
    grid->addWidget(label(page, "lblFootLeft", "Links"), 0, 0);
    grid->addWidget(label(page, "lblFootCentre", "Mitte"), 0, 1);
    grid->addWidget(label(page, "lblFootRight", "Rechts"), 0, 2);
    grid->addWidget(memoFootLeft, 1, 0);
    grid->addWidget(memoFootCentre, 1, 1);
    grid->addWidget(memoFootRight, 1, 2);
    auto* size = new QHBoxLayout;
    size->addWidget(label(page, "lblFootSize", "Schriftgrösse (%)"));
    size->addWidget(edtFootSize);
    size->addStretch();
    size->addWidget(lblFootCount);
    grid->addLayout(size, 2, 0, 1, 3);
    return page;
}

QWidget* TvnxPrintSetupDlg::createImagesTab()
{
    auto* page = new QWidget;
    lbImages = new QListWidget(page);
    lbImages->setItemDelegate(new ImageEntryDelegate(lbImages));
    edtImgX = spinBox(page, 0, 1000);
    edtImgY = spinBox(page, 0, 1000);
    edtImgScale = spinBox(page, 1, 10000);
    edtImgScale->setToolTip(QStringLiteral("100% entspricht 100 Pixel pro Inch"));
    edtImgScale->setObjectName(QStringLiteral("edtImgScale"));
    cbImgAlign = new QComboBox(page);
    cbImgAlign->addItems(qs(base::languageText('G', 69)).split(QLatin1Char(';')));
    edtImgFile = new QLineEdit(page);
    btnImgFile = new QPushButton(QStringLiteral("..."), page);
    btnImgNew = named(new QPushButton(QStringLiteral("Neu"), page), "btnImgNew");
    btnImgDelete = named(new QPushButton(QStringLiteral("Löschen"), page), "btnImgDelete");
    auto* form = new QFormLayout;
    form->addRow(label(page, "lblImgX", "x (mm)"), edtImgX);
    form->addRow(label(page, "lblImgY", "y (mm)"), edtImgY);
    form->addRow(label(page, "lblImgScale", "Grösse (%)"), edtImgScale);
    form->addRow(label(page, "lblImgAlign", "Ausrichtung"), cbImgAlign);
    auto* file = new QHBoxLayout;
    file->addWidget(edtImgFile, 1);
    file->addWidget(btnImgFile);
    form->addRow(label(page, "lblImgFile", "Datei"), file);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnImgNew);
    buttons->addWidget(btnImgDelete);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lbImages, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(lbImages, &QListWidget::currentRowChanged, this, &TvnxPrintSetupDlg::imageSelected);
    connect(btnImgNew, &QPushButton::clicked, this, &TvnxPrintSetupDlg::newImageEntry);
    connect(btnImgDelete, &QPushButton::clicked, this, &TvnxPrintSetupDlg::deleteImageEntry);
    connect(btnImgFile, &QPushButton::clicked, this, [this] {
        const QString name = dialogHooks().openFileName(this, QString(), QFileInfo(edtImgFile->text()).path(),
                                                        qs(base::languageText('G', 109)));
        if (!name.isEmpty())
            edtImgFile->setText(name);
    });
    return page;
}

QWidget* TvnxPrintSetupDlg::createMiscTab()
{
    auto* page = new QWidget;
    lblTemplate = named(new QLabel(QStringLiteral("HTML-Vorlage"), page), "lblTemplate");
    edtTemplate = new QLineEdit(page);
    btnTemplateFile = new QPushButton(QStringLiteral("..."), page);
    btnTemplateEdit = named(new QPushButton(QStringLiteral("Bearbeiten"), page), "btnTemplateEdit");
    edtHtmlWidth = spinBox(page, -1, 1000);
    auto* grid = new QGridLayout(page);
    grid->addWidget(lblTemplate, 0, 0);
    grid->addWidget(edtTemplate, 0, 1);
    grid->addWidget(btnTemplateFile, 0, 2);
    grid->addWidget(btnTemplateEdit, 0, 3);
    grid->addWidget(label(page, "lblHtmlWidth", "HTML-Tabellenbreite"), 1, 0);
    grid->addWidget(edtHtmlWidth, 1, 1);
    grid->setRowStretch(2, 1);
    connect(btnTemplateFile, &QPushButton::clicked, this, [this] {
        const QString name = dialogHooks().openFileName(
            this, QString(), QFileInfo(edtTemplate->text()).path(), qs(base::languageText('G', 108)));
        if (!name.isEmpty())
            edtTemplate->setText(name);
    });
    connect(btnTemplateEdit, &QPushButton::clicked, this, &TvnxPrintSetupDlg::btnTemplateEditClick);
    return page;
}

void TvnxPrintSetupDlg::connectChanges()
{
    for (QSpinBox* box : {edtTop, edtBottom, edtLeft, edtRight, edtColDist, edtColumns, edtAddrTop,
                          edtAddrLeft, edtFootSize, edtHtmlWidth})
        connect(box, &QSpinBox::valueChanged, this, &TvnxPrintSetupDlg::fieldChanged);
    for (QComboBox* box : {cbVarFont, cbFixFont})
        connect(box, &QComboBox::currentIndexChanged, this, &TvnxPrintSetupDlg::fieldChanged);
    for (QPlainTextEdit* memo : {memoFootLeft, memoFootCentre, memoFootRight})
        connect(memo, &QPlainTextEdit::textChanged, this, &TvnxPrintSetupDlg::fieldChanged);
    connect(cbHeadOnColumn, &QCheckBox::toggled, this, &TvnxPrintSetupDlg::fieldChanged);
    connect(rbLandscape, &QRadioButton::toggled, this, &TvnxPrintSetupDlg::fieldChanged);
    connect(edtTemplate, &QLineEdit::textChanged, this, &TvnxPrintSetupDlg::fieldChanged);
    for (QSpinBox* box : {edtImgX, edtImgY, edtImgScale})
        connect(box, &QSpinBox::valueChanged, this, &TvnxPrintSetupDlg::imageFieldsChanged);
    connect(cbImgAlign, &QComboBox::currentIndexChanged, this, &TvnxPrintSetupDlg::imageFieldsChanged);
    connect(edtImgFile, &QLineEdit::textChanged, this, &TvnxPrintSetupDlg::imageFieldsChanged);
}

void TvnxPrintSetupDlg::fillFonts()
{
    const QSignalBlocker blockVariable(cbVarFont);
    const QSignalBlocker blockFixed(cbFixFont);
    QStringList all = QFontDatabase::families();
    all.sort(Qt::CaseInsensitive);
    cbVarFont->clear();
    cbVarFont->addItems(all);
    cbFixFont->clear();
    for (const QString& family : all)
        if (QFontDatabase::isFixedPitch(family))
            cbFixFont->addItem(family);
}

void TvnxPrintSetupDlg::LoadDocument()
{
    FLoading = true;
    const report::TVnxDocument& d = FDocument;
    edtTop->setValue(d.TopMargin / 10);
    edtBottom->setValue(d.BottomMargin / 10);
    edtLeft->setValue(d.LeftMargin / 10);
    edtRight->setValue(d.RightMargin / 10);
    edtColDist->setValue(d.ColumnDistance / 10);
    selectFont(cbVarFont, d.VariableFont);
    selectFont(cbFixFont, d.FixedFont);
    edtColumns->setValue(std::max(d.PageColumns, 1));
    cbHeadOnColumn->setChecked(d.HeadOnColumn);
    (d.PaperOrientation == report::Orientation::Landscape ? rbLandscape : rbPortrait)->setChecked(true);
    edtAddrTop->setValue(d.AddressTop / 10);
    edtAddrLeft->setValue(d.AddressLeft / 10);
    memoFootLeft->setPlainText(memoText(d.FooterLeftLines));
    memoFootCentre->setPlainText(memoText(d.FooterCentreLines));
    memoFootRight->setPlainText(memoText(d.FooterRightLines));
    edtFootSize->setValue(d.FooterFontSize);
    FImages = d.ImageEntries;
    FImageRow = -1;
    refreshImageRows();
    edtTemplate->setText(qs(d.HtmlTemplate));
    edtHtmlWidth->setValue(d.HTMLWidth);
    FLoading = false;
    lblInfo->setText(qs(FDocument.InfoText()));
    updateColumnFields();
    updateFooterCount();
}

void TvnxPrintSetupDlg::SaveToDocument()
{
    report::TVnxDocument& d = FDocument;
    d.TopMargin = edtTop->value() * 10;
    d.BottomMargin = edtBottom->value() * 10;
    d.LeftMargin = edtLeft->value() * 10;
    d.RightMargin = edtRight->value() * 10;
    d.ColumnDistance = edtColDist->value() * 10;
    d.VariableFont = cbVarFont->currentText().toStdString();
    d.FixedFont = cbFixFont->currentText().toStdString();
    d.PageColumns = edtColumns->value();
    d.HeadOnColumn = cbHeadOnColumn->isChecked();
    d.PaperOrientation =
        rbLandscape->isChecked() ? report::Orientation::Landscape : report::Orientation::Portrait;
    d.AddressTop = edtAddrTop->value() * 10;
    d.AddressLeft = edtAddrLeft->value() * 10;
    d.FooterLeftLines = memoLines(memoFootLeft);
    d.FooterCentreLines = memoLines(memoFootCentre);
    d.FooterRightLines = memoLines(memoFootRight);
    d.FooterFontSize = edtFootSize->value();
    d.ImageEntries.clear();
    for (const std::string& entry : FImages)
        if (!parseEntry(entry).file.isEmpty())
            d.ImageEntries.push_back(entry);
    d.HtmlTemplate = edtTemplate->text().toStdString();
    d.HTMLWidth = edtHtmlWidth->value();
    lblInfo->setText(qs(FDocument.InfoText()));
}

void TvnxPrintSetupDlg::fieldChanged()
{
    if (FLoading)
        return;
    SaveToDocument();
    updateColumnFields();
    updateFooterCount();
}

void TvnxPrintSetupDlg::ApplyStandard(int standard)
{
    SaveToDocument();
    FDocument.SetDefaults(standard);
    LoadDocument();
    applyOptions();
}

void TvnxPrintSetupDlg::applyOptions()
{
    const report::TDocumentOptions& options = FDocument.Options();
    const bool margins = options.contains(TDocumentOption::doCanSetMargins);
    edtTop->setEnabled(margins || options.contains(TDocumentOption::doCanSetTopOfs));
    edtBottom->setEnabled(margins);
    edtLeft->setEnabled(margins);
    edtRight->setEnabled(margins);
    cbVarFont->setEnabled(!options.contains(TDocumentOption::doNoFontChange));
    cbFixFont->setEnabled(!options.contains(TDocumentOption::doNoFontChange));
    const bool address = options.contains(TDocumentOption::doCanSetAddressPos);
    gbAddress->setVisible(address);
    gbColumns->setVisible(!address);
    gbOrientation->setVisible(!address);
    const bool multiColumn = options.contains(TDocumentOption::doMultiCol);
    gbColumns->setEnabled(multiColumn);
    if (!multiColumn) {
        edtColumns->setValue(1);
        edtColumns->setReadOnly(true);
    }
    gbOrientation->setEnabled(options.contains(TDocumentOption::doChgOrientation));
    PageControl->setTabVisible(1, margins);
    lblTemplate->setEnabled(FAllowHtml);
    edtTemplate->setEnabled(FAllowHtml);
    btnTemplateFile->setEnabled(FAllowHtml);
    edtHtmlWidth->setEnabled(FAllowHtml && gbOrientation->isEnabled());
    updateColumnFields();
}

void TvnxPrintSetupDlg::updateColumnFields()
{
    const bool columns = edtColumns->value() > 1;
    lblColDist->setEnabled(columns);
    cbHeadOnColumn->setEnabled(columns);
    edtColDist->setEnabled(columns && edtLeft->isEnabled());
}

void TvnxPrintSetupDlg::updateFooterCount()
{
    const int count = FDocument.FooterLineCount();
    lblFootCount->setText(count > 0 ? qs(swim::formatText(base::languageText('G', 63), {count}))
                                    : qs(base::languageText('G', 62)));
    lblFootCount->setVisible(PageControl->currentIndex() == 1);
}

void TvnxPrintSetupDlg::printerChanged()
{
    printers::setCurrent(CBPrinters->currentText());
    SaveToDocument();
    FDocument.ReadPrinterPaper();
    fillFonts();
    selectFont(cbVarFont, FDocument.VariableFont);
    selectFont(cbFixFont, FDocument.FixedFont);
    lblInfo->setText(qs(FDocument.InfoText()));
}

void TvnxPrintSetupDlg::propertiesClick()
{
    SaveToDocument();
    QPageSetupDialog setup(&printers::current(), this);
    dialogHooks().exec(setup);
    FDocument.ReadPrinterPaper();
    lblInfo->setText(qs(FDocument.InfoText()));
}

void TvnxPrintSetupDlg::tabChanged(int index)
{
    updateFooterCount();
    btnStandard->setEnabled(index != 1);
    if (index == 0)
        (edtTop->isEnabled() ? static_cast<QWidget*>(edtTop) : cbVarFont)->setFocus();
    else if (index == 1)
        memoFootLeft->setFocus();
    else if (index == 2) {
        if (FImages.empty())
            newImageEntry();
        lbImages->setCurrentRow(0);
    }
}

void TvnxPrintSetupDlg::refreshImageRows()
{
    const QSignalBlocker block(lbImages);
    while (lbImages->count() > static_cast<int>(FImages.size()))
        delete lbImages->takeItem(lbImages->count() - 1);
    while (lbImages->count() < static_cast<int>(FImages.size()))
        lbImages->addItem(QString());
    for (std::size_t k = 0; k < FImages.size(); ++k)
        lbImages->item(static_cast<int>(k))->setData(Qt::UserRole, qs(FImages[k]));
    lbImages->setCurrentRow(FImageRow);
}

void TvnxPrintSetupDlg::imageSelected(int row)
{
    FImageRow = row;
    if (row < 0 || row >= static_cast<int>(FImages.size()))
        return;
    const ImageEntry entry = parseEntry(FImages[static_cast<std::size_t>(row)]);
    const bool loading = FLoading;
    FLoading = true;
    edtImgX->setValue(entry.x);
    edtImgY->setValue(entry.y);
    edtImgScale->setValue(entry.scale);
    cbImgAlign->setCurrentIndex(entry.alignment);
    edtImgFile->setText(entry.file);
    FLoading = loading;
}

void TvnxPrintSetupDlg::imageFieldsChanged()
{
    if (FLoading || FImageRow < 0 || FImageRow >= static_cast<int>(FImages.size()))
        return;
    ImageEntry entry;
    entry.x = edtImgX->value();
    entry.y = edtImgY->value();
    entry.scale = edtImgScale->value();
    entry.alignment = std::max(cbImgAlign->currentIndex(), 0);
    entry.file = edtImgFile->text();
    FImages[static_cast<std::size_t>(FImageRow)] = formatEntry(entry);
    lbImages->item(FImageRow)->setData(Qt::UserRole, qs(FImages[static_cast<std::size_t>(FImageRow)]));
    SaveToDocument();
}

void TvnxPrintSetupDlg::newImageEntry()
{
    FImages.push_back(formatEntry(ImageEntry{}));
    FImageRow = static_cast<int>(FImages.size()) - 1;
    refreshImageRows();
    imageSelected(FImageRow);
}

void TvnxPrintSetupDlg::deleteImageEntry()
{
    if (FImageRow < 0 || FImageRow >= static_cast<int>(FImages.size()))
        return;
    FImages.erase(FImages.begin() + FImageRow);
    if (FImages.empty()) {
        newImageEntry();
    } else {
        FImageRow = std::min(FImageRow, static_cast<int>(FImages.size()) - 1);
        refreshImageRows();
        imageSelected(FImageRow);
    }
    SaveToDocument();
}

void TvnxPrintSetupDlg::btnTemplateEditClick()
{
    const QString name = edtTemplate->text();
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.exists() && !dialogHooks().question(this, qs(base::languageText('G', 90))))
        return;
    QString text;
    if (file.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(file.readAll());
    file.close();
    TvnxNoteEditDlg editor(80, 15, name, text, this);
    dialogHooks().exec(editor);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(editor.text().toUtf8()) < 0)
        dialogHooks().message(this, qs(base::languageText('G', 41)));
}

} // namespace lanescope::ui
