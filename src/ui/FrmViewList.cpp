#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "browser/ListCsv.h"
#include "ui/BrowserPage.h"
#include "ui/ElidedTexts.h"
#include "ui/FrmView.h"
#include "ui/ListSurface.h"
#include "ui/VnxStatusBar.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTreeWidget>
#include <functional>

namespace lanescope::ui {

namespace {

constexpr const char* kColumnsSection = "ListColumns";

QString text(int number, const char* fallback)
{
    const std::string value = base::languageText('V', number);
    return QString::fromStdString(value.empty() ? std::string(fallback) : value);
}

// A file name from a list title: letters, digits, blanks and "-" kept, the rest a blank.
QString fileNameOf(const QString& title)
{
    QString name;
    for (const QChar c : title)
        name += c.isLetterOrNumber() || c == u'-' ? c : QChar(u' ');
    name = name.simplified().replace(u' ', u'_');
    return (name.isEmpty() ? QStringLiteral("list") : name) + QStringLiteral(".csv");
}

// Qt's filter text from a language file's "description|patterns|..." pairs.
QString qtFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(u'|');
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2)
        filters << parts[k];
    return filters.join(QStringLiteral(";;"));
}

} // namespace

void TfrmView::createListActions()
{
    ActFilter = newAction("Filter", "", QKeySequence(Qt::CTRL | Qt::Key_L), NeedsFile, -1, nullptr);
    connect(ActFilter, &QAction::triggered, this, [this] {
        EdtFilter->setFocus(Qt::ShortcutFocusReason);
        EdtFilter->selectAll();
    });
    ActExportCsv = newAction("List as CSV…", "", {}, NeedsList, -1, &TfrmView::ActExportCsvExecute);
    ActHeatLane = newAction("Heat and lane", "", {}, 0, -1, nullptr);
    ActReaction = newAction("Reaction time", "", {}, 0, -1, nullptr);
    for (QAction* column : {ActHeatLane, ActReaction}) {
        column->setCheckable(true);
        column->setChecked(true);
        connect(column, &QAction::toggled, this, [this] { TrvEventsChange(); });
    }
    EdtFilter = new QLineEdit;
    EdtFilter->setObjectName(QStringLiteral("EdtFilter"));
    EdtFilter->setClearButtonEnabled(true);
    EdtFilter->setEnabled(false);
    connect(EdtFilter, &QLineEdit::textChanged, this, &TfrmView::filterChanged);
    // Escape in the filter field clears it and goes back to the list.
    auto* clear = new QAction(EdtFilter);
    clear->setShortcut(QKeySequence(Qt::Key_Escape));
    clear->setShortcutContext(Qt::WidgetShortcut);
    EdtFilter->addAction(clear);
    connect(clear, &QAction::triggered, this, [this] {
        EdtFilter->clear();
        focusActiveTree();
    });

    QHeaderView* header = shtEvents->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);
    connect(header, &QHeaderView::sectionClicked, this, &TfrmView::sortEventsBy);
    connect(shtEvents, &BrowserPage::sectionDragged, this, &TfrmView::sectionDragged);
    connect(shtEvents->surface(), &ListSurface::selectionChanged, this, &TfrmView::eventSelectionChanged);
}

void TfrmView::sortEventsBy(int section)
{
    static constexpr browser::SortColumn kColumns[] = {browser::SortColumn::Place, browser::SortColumn::Name,
                                                       browser::SortColumn::Club, browser::SortColumn::Time,
                                                       browser::SortColumn::Points};
    // Entry lists have heat and lane in the last section, and the optional sections are not sorted by.
    if (section < 0 || section >= static_cast<int>(std::size(kColumns)) || (section == 4 && !FHasResults)) {
        shtEvents->header()->setSortIndicator(static_cast<int>(FEventOrder.column), FEventOrder.reversed
                                                                                        ? Qt::DescendingOrder
                                                                                        : Qt::AscendingOrder);
        return;
    }
    FEventOrder = browser::clickedOrder(FEventOrder, kColumns[section]);
    shtEvents->header()->setSortIndicator(section,
                                          FEventOrder.reversed ? Qt::DescendingOrder : Qt::AscendingOrder);
    TrvEventsChange();
}

void TfrmView::filterChanged(const QString& filter)
{
    FEventOrder.filter = filter.trimmed().toStdString();
    TrvEventsChange();
    filterClubTree();
}

void TfrmView::filterClubTree()
{
    const QString filter = QString::fromStdString(FEventOrder.filter);
    QTreeWidget* tree = shtTeilnehmer->tree();
    // A node is shown when its text holds the filter, when a node above it does, or when a node below it is
    // shown; nations and clubs are matched by their names, athletes and relays by theirs.
    const std::function<bool(QTreeWidgetItem*, bool)> show = [&](QTreeWidgetItem* item, bool above) {
        const bool own = above || filter.isEmpty() || item->text(0).contains(filter, Qt::CaseInsensitive);
        bool below = false;
        for (int k = 0; k < item->childCount(); ++k)
            below = show(item->child(k), own) || below;
        item->setHidden(!(own || below));
        return own || below;
    };
    for (int k = 0; k < tree->topLevelItemCount(); ++k)
        show(tree->topLevelItem(k), false);
}

void TfrmView::eventSelectionChanged()
{
    ListSurface* surface = shtEvents->surface();
    FSelectedItems.clear();
    for (const int row : surface->selectedRows())
        if (row >= 0 && row < static_cast<int>(FDrawnRows.size()))
            FSelectedItems.insert(FDrawnRows[static_cast<std::size_t>(row)].item);
    const int current = surface->currentRow();
    FCurrentItem = current >= 0 && current < static_cast<int>(FDrawnRows.size())
                       ? FDrawnRows[static_cast<std::size_t>(current)].item
                       : nullptr;
    const int x = surface->horizontalScrollBar()->value();
    const int y = surface->verticalScrollBar()->value();
    TrvEventsChange();
    surface->horizontalScrollBar()->setValue(x);
    surface->verticalScrollBar()->setValue(y);
}

void TfrmView::fitEventColumns(const browser::EventTreeNode* node)
{
    if (node == nullptr)
        return;
    // Every shown section keeps room for its caption in this desktop's header font: before the fit, so the
    // name and club share what the others leave, and after it, for the name and club themselves.
    shtEvents->keepCaptionRoom(FEventHeader);
    ListSurface* surface = shtEvents->surface();
    const int scale = std::max(1, surface->paintBox().scale());
    browser::fitTextColumns(FEventHeader, surface->paintBox().measure(), node, FModels.lists,
                            surface->viewport()->width() * 100 / scale);
    shtEvents->keepCaptionRoom(FEventHeader);
    // A width the user set for the name or club section of this kind of list wins.
    const std::string kind = browser::listKind(node, FModels.lists);
    for (const std::size_t k : {std::size_t{1}, std::size_t{2}})
        if (const int width = FSettings.ReadInteger(kColumnsSection, kind + std::to_string(k), 0); width > 0)
            FEventHeader[k].width = std::max(FEventHeader[k].minWidth, width);
}

void TfrmView::sectionDragged(int section, int width)
{
    if (section != 1 && section != 2)
        return;
    const std::string kind = browser::listKind(selectedEventNode(), FModels.lists);
    FSettings.WriteInteger(kColumnsSection, kind + std::to_string(section), width);
}

void TfrmView::selectFirstList()
{
    if (const browser::EventTreeNode* node = browser::firstShownNode(FModels.events, FModels.lists))
        if (QTreeWidgetItem* item = itemOf(node)) {
            QTreeWidget* tree = shtEvents->tree();
            const QSignalBlocker block(tree);
            tree->setCurrentItem(item);
            item->setSelected(true);
            tree->scrollToItem(item);
        }
}

void TfrmView::greyEmptyAgeGroups()
{
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    for (const browser::EventTreeNode* node : FModels.events.nodesInOrder()) {
        if (node->level < 2)
            continue;
        const browser::ResultList* list = browser::ResultListFor(node, FModels.lists);
        if (list == nullptr || list->empty())
            if (QTreeWidgetItem* item = itemOf(node))
                item->setForeground(0, grey);
    }
}

bool TfrmView::exportCsv(const QString& path)
{
    const browser::EventTreeNode* node = selectedEventNode();
    if (node == nullptr)
        return false;
    browser::CopyOptions options{shtEvents->splits()->isChecked(), shtEvents->onlyValids()->isChecked(),
                                 FEventOrder};
    const std::string csv = browser::EventListCsv(FDocument, FModels.lists, *node, options);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size()) &&
           file.flush();
}

void TfrmView::ActExportCsvExecute()
{
    const browser::EventTreeNode* node = selectedEventNode();
    if (node == nullptr)
        return;
    const QString folder = QFileInfo(FFileName).absolutePath();
    const QString suggested = QDir(FFileName.isEmpty() ? QDir::homePath() : folder)
                                  .filePath(fileNameOf(shtEvents->title()->text()));
    QString path =
        QFileDialog::getSaveFileName(this, text(64, "Save list as CSV"), suggested,
                                     qtFilter(text(65, "CSV files (*.csv)|*.csv|All files (*.*)|*.*")));
    if (path.isEmpty())
        return;
    if (exportCsv(path))
        statusBarView->informationMessage(text(69, "Saved %s").replace(QStringLiteral("%s"), path));
    else
        showWarning(QStringLiteral("%1: %2").arg(text(64, "Save list as CSV"), path));
}

} // namespace lanescope::ui
