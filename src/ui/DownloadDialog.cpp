#include "ui/DownloadDialog.h"

#include "app/FormGeometry.h"
#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "download/MeetsFactory.h"
#include "download/VnxHTTP.h"
#include "ui/FormPlacement.h"
#include "ui/StartScreen.h"
#include "ui/TransferReason.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lanescope::ui {

namespace {

constexpr const char* kFormName = "FDownload";
constexpr int kNodeRole = Qt::UserRole;

// While a transfer runs: the wait cursor and the status text; the empty text at its end takes both away.
void showTransferStatus(const std::string& text)
{
    if (text.empty())
        QApplication::restoreOverrideCursor();
    else
        QApplication::setOverrideCursor(Qt::WaitCursor);
    Progress(text);
}

} // namespace

TFDownload::TFDownload(base::CustomIniFile& settings, Warning warning, Command openUrl, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , FSettings(settings)
    , FWarning(std::move(warning))
    , FOpenUrl(std::move(openUrl))
    , FFactory(std::make_unique<download::TMeetsFactory>(&settings))
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Download Resultate"));
    // Resizable, with room for the meet list; the rows are laid out, so translated captions are never cut.
    resize(600, 400);
    setMinimumSize(480, 300);
    FFactory->setStatusHook(showTransferStatus);

    auto* top = new QWidget;
    lblServer = new QLabel(QStringLiteral("Download Server wählen:"), top);
    lblServer->setObjectName(QStringLiteral("lblServer"));
    cbxServer = new QComboBox(top);
    cbxServer->setObjectName(QStringLiteral("cbxServer"));
    lblServer->setBuddy(cbxServer);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(5, 6, 5, 6);
    topLayout->addWidget(lblServer);
    topLayout->addWidget(cbxServer, 1);

    pnlNoServer = new QWidget;
    pnlNoServer->setObjectName(QStringLiteral("pnlNoServer"));
    lblNoServer = new QLabel;
    lblNoServer->setObjectName(QStringLiteral("lblNoServer"));
    lblNoServer->setWordWrap(true);
    lblAppInfoURL = new QLabel(QStringLiteral("Adresse der Serverliste:"));
    lblAppInfoURL->setObjectName(QStringLiteral("lblAppInfoURL"));
    edtAppInfoURL = new QLineEdit;
    edtAppInfoURL->setObjectName(QStringLiteral("edtAppInfoURL"));
    lblAppInfoURL->setBuddy(edtAppInfoURL);
    btnApplyURL = new QPushButton(QStringLiteral("Übernehmen"));
    btnApplyURL->setObjectName(QStringLiteral("btnApplyURL"));
    btnOpenUrl = new QPushButton(QStringLiteral("URL öffnen..."));
    btnOpenUrl->setObjectName(QStringLiteral("btnOpenUrl"));
    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(lblAppInfoURL);
    addressRow->addWidget(edtAppInfoURL, 1);
    addressRow->addWidget(btnApplyURL);
    auto* noServerLayout = new QVBoxLayout(pnlNoServer);
    noServerLayout->setContentsMargins(5, 5, 5, 5);
    noServerLayout->addWidget(lblNoServer);
    noServerLayout->addLayout(addressRow);
    noServerLayout->addWidget(btnOpenUrl, 0, Qt::AlignLeft);
    pnlNoServer->hide();

    trvMeets = new QTreeWidget;
    trvMeets->setObjectName(QStringLiteral("trvMeets"));
    trvMeets->setRootIsDecorated(false);
    trvMeets->setColumnCount(3);
    QStringList captions;
    for (const download::MeetColumn& column : download::kMeetColumns)
        captions << QString::fromStdString(base::languageText('V', 33, column.captionItem));
    trvMeets->setHeaderLabels(captions);
    QHeaderView* header = trvMeets->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setStretchLastSection(false);
    for (int k = 0; k < 3; ++k) {
        const download::MeetColumn& column = download::kMeetColumns[k];
        header->setSectionResizeMode(k, column.width == 0 ? QHeaderView::Stretch : QHeaderView::Fixed);
        if (column.width > 0)
            header->resizeSection(k, column.width);
    }
    // Grid lines round the cells in the palette's mid tone (readable on light and dark themes); a style sheet
    // for items drops the selection colour unless it names it.
    trvMeets->setStyleSheet(QStringLiteral(
        "QTreeWidget::item { border: 1px solid palette(mid); }"
        "QTreeWidget::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));

    auto* bottom = new QWidget;
    lblFailure = new QLabel(bottom);
    lblFailure->setObjectName(QStringLiteral("lblFailure"));
    lblFailure->setWordWrap(true);
    btnLoad = new QPushButton(QStringLiteral("Laden"), bottom);
    btnLoad->setObjectName(QStringLiteral("btnLoad"));
    btnLoad->setDefault(true);
    btnClose = new QPushButton(QStringLiteral("Schliessen"), bottom);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(5, 5, 5, 5);
    bottomLayout->addWidget(lblFailure, 1);
    bottomLayout->addWidget(btnLoad);
    bottomLayout->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(pnlNoServer);
    layout->addWidget(trvMeets, 1);
    layout->addWidget(bottom);

    // Every choice of the user counts, also of the server shown: a list that failed to load is fetched again.
    connect(cbxServer, &QComboBox::activated, this, &TFDownload::cbxServerChange);
    connect(btnLoad, &QPushButton::clicked, this, &TFDownload::btnLoadClick);
    connect(btnApplyURL, &QPushButton::clicked, this, &TFDownload::btnApplyURLClick);
    connect(edtAppInfoURL, &QLineEdit::returnPressed, this, &TFDownload::btnApplyURLClick);
    connect(btnOpenUrl, &QPushButton::clicked, this, &TFDownload::btnOpenUrlClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(trvMeets, &QTreeWidget::itemDoubleClicked, this, &TFDownload::btnLoadClick);
    connect(header, &QHeaderView::sectionClicked, this, &TFDownload::sortByColumn);
}

TFDownload::~TFDownload() = default;

bool TFDownload::Execute()
{
    fillServers();
    return exec() == QDialog::Accepted;
}

bool TFDownload::fillServers()
{
    const std::vector<download::ResultServer> servers = FFactory->ServerList();
    {
        const QSignalBlocker blocker(cbxServer);
        cbxServer->clear();
        for (const download::ResultServer& server : servers)
            cbxServer->addItem(QString::fromStdString(server.name), server.key);
    }
    const bool found = cbxServer->count() > 0;
    pnlNoServer->setVisible(!found);
    btnLoad->setEnabled(found);
    if (!found) {
        const std::string address =
            FSettings.ReadString("Special", "AppInfoURL", std::string(download::kDefaultAppInfoUrl));
        edtAppInfoURL->setText(QString::fromStdString(address));
        QString text = QString::fromStdString(base::languageText('G', 120));
        if (!FFactory->lastFailure().ok())
            text += QStringLiteral("\n(") + transferReason(FFactory->lastFailure()) + QLatin1Char(')');
        lblNoServer->setText(text);
    }
    return found;
}

void TFDownload::showFailure(const download::TransferResult& failure)
{
    lblFailure->setText(transferReason(failure));
    lblFailure->setToolTip(lblFailure->text());
}

void TFDownload::btnApplyURLClick()
{
    FSettings.WriteString("Special", "AppInfoURL", edtAppInfoURL->text().trimmed().toStdString());
    if (fillServers()) {
        cbxServer->setCurrentIndex(0);
        cbxServerChange();
    }
}

void TFDownload::btnOpenUrlClick()
{
    reject();
    if (FOpenUrl)
        FOpenUrl();
}

void TFDownload::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    {
        const QSignalBlocker blocker(cbxServer);
        cbxServer->setCurrentIndex(0);
    }
    const app::FormGeometry placed =
        openingGeometry(FSettings.ReadString("Windows", kFormName, ""), *this, false);
    move(placed.bounds.left, placed.bounds.top);
    if (cbxServer->count() > 0)
        cbxServerChange();
    else
        edtAppInfoURL->setFocus();
}

void TFDownload::hideEvent(QHideEvent* event)
{
    const QRect bounds(pos(), size()); // the frame's position, as move() takes it
    FSettings.WriteString(
        "Windows", kFormName,
        app::formatGeometry({{bounds.x(), bounds.y(), bounds.width(), bounds.height()}, {}}));
    QDialog::hideEvent(event);
}

void TFDownload::cbxServerChange()
{
    const int key = cbxServer->currentIndex() >= 0 ? cbxServer->currentData().toInt() : 0;
    trvMeets->clear(); // before the factory may free the nodes the items point to
    FFactory->LoadMeets(key);
    showFailure(FFactory->lastFailure());
    fillTree();
    if (trvMeets->topLevelItemCount() > 0)
        trvMeets->setCurrentItem(trvMeets->topLevelItem(0));
    trvMeets->setFocus();
}

void TFDownload::fillTree()
{
    const download::TNodeDownloadMeet* current = nodeOf(trvMeets->currentItem());
    trvMeets->clear();
    QTreeWidgetItem* selected = nullptr;
    for (const auto& node : FFactory->nodes()) {
        auto* item = new QTreeWidgetItem(trvMeets);
        for (int k = 0; k < 3; ++k)
            item->setText(k, QString::fromStdString(node->cellText(k)));
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node.get())));
        if (node.get() == current)
            selected = item;
    }
    if (selected)
        trvMeets->setCurrentItem(selected);
    trvMeets->header()->setSortIndicator(
        FFactory->sortColumn(), FFactory->sortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// A click on the sorted column turns the order round; another column sorts ascending.
void TFDownload::sortByColumn(int column)
{
    const bool descending = column == FFactory->sortColumn() ? !FFactory->sortDescending() : false;
    FFactory->sortNodes(column, descending);
    fillTree();
}

const download::TNodeDownloadMeet* TFDownload::nodeOf(const QTreeWidgetItem* item) const
{
    return item ? reinterpret_cast<const download::TNodeDownloadMeet*>(
                      item->data(0, kNodeRole).value<quintptr>())
                : nullptr;
}

void TFDownload::btnLoadClick()
{
    const download::TNodeDownloadMeet* node = nodeOf(trvMeets->currentItem());
    if (!node)
        return;
    if (const std::optional<std::string> file = FFactory->DownloadMeet(*node)) {
        FDownloadedFile = QString::fromStdString(*file);
        showFailure(download::transferOutcome(download::TransferError::None));
        accept();
        return;
    }
    showFailure(FFactory->lastFailure());
    FWarning(QString::fromStdString(base::languageText('G', 140)));
}

} // namespace lanescope::ui
