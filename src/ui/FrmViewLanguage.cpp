#include "ui/BrowserPage.h"
#include "ui/FormTexts.h"
#include "ui/FrmView.h"
#include "ui/HelpView.h"
#include "ui/VnxComboBox.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <utility>
#include <vector>

namespace lanescope::ui {

namespace {

// The rows from the top level down to the item, so the same place can be found in a rebuilt tree.
std::vector<int> rowPath(QTreeWidgetItem* item)
{
    std::vector<int> path;
    for (; item; item = item->parent())
        path.insert(path.begin(), item->parent() ? item->parent()->indexOfChild(item)
                                                 : item->treeWidget()->indexOfTopLevelItem(item));
    return path;
}

QTreeWidgetItem* itemAt(QTreeWidget* tree, const std::vector<int>& path)
{
    QTreeWidgetItem* item = nullptr;
    for (const int row : path) {
        QTreeWidgetItem* next = item ? item->child(row) : tree->topLevelItem(row);
        if (!next)
            break;
        item = next;
    }
    return item;
}

} // namespace

void TfrmView::customEvent(QEvent* event)
{
    QMainWindow::customEvent(event);
    if (event->type() != formsRetranslatedEvent() || CbxCompetitions->currentIndex() < 0)
        return;
    QTreeWidget* events = shtEvents->tree();
    QTreeWidget* clubs = shtTeilnehmer->tree();
    const std::vector<int> eventPath = rowPath(events->currentItem());
    const std::vector<int> clubPath = rowPath(clubs->currentItem());
    CbxCompetitionsChange();
    for (const auto& [tree, path] : {std::pair(events, eventPath), std::pair(clubs, clubPath)})
        if (QTreeWidgetItem* item = path.empty() ? nullptr : itemAt(tree, path)) {
            for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
                parent->setExpanded(true);
            tree->setCurrentItem(item);
        }
}

void TfrmView::nameComponents()
{
    const std::pair<QAction*, const char*> actions[] = {
        {ActLoadFile, "ActLoadFile"},
        {ActDownload, "ActDownload"},
        {ActClose, "ActClose"},
        {ActCompetitionInfo, "ActCompetitionInfo"},
        {ActFileInfo, "ActFileInfo"},
        {ActPrint, "ActPrint"},
        {ActOpenInEditor, "ActOpenInEditor"},
        {ActSelectLanguage, "ActSelectLanguage"},
        {ActRegisterExt, "ActRegisterExt"},
        {ActTerminate, "ActTerminate"},
        {actSearch, "actSearch"},
        {actCopy, "actCopy"},
        {ActClubStats, "ActClubStats"},
        {ActInfo, "ActInfo"},
        {ActShowHelp, "ActShowHelp"},
    };
    for (const auto& [action, name] : actions)
        action->setObjectName(QString::fromLatin1(name));
    new TvnxActionList(this);

    const char* const menus[] = {"Datei1", "Bearbeiten1", "Auswertungen1", "Hilfe1"};
    const QList<QAction*> menuActions = menuBar()->actions();
    for (qsizetype k = 0; k < menuActions.size() && k < qsizetype(std::size(menus)); ++k)
        if (QMenu* menu = menuActions[k]->menu())
            menu->setObjectName(QString::fromLatin1(menus[k]));

    CbxCompetitions->setObjectName(QStringLiteral("CbxCompetitions"));
    PgcMain->setObjectName(QStringLiteral("PgcMain"));
    shtEvents->setObjectName(QStringLiteral("shtEvents"));
    shtTeilnehmer->setObjectName(QStringLiteral("shtTeilnehmer"));
    shtEvents->tree()->setObjectName(QStringLiteral("trvEvents"));
    shtTeilnehmer->tree()->setObjectName(QStringLiteral("trvClubs"));
    shtEvents->switchButton()->setObjectName(QStringLiteral("btnTeilnehmer"));
    shtTeilnehmer->switchButton()->setObjectName(QStringLiteral("btnEvents"));
    shtEvents->splits()->setObjectName(QStringLiteral("cbxEvSplit"));
    shtEvents->onlyValids()->setObjectName(QStringLiteral("cbxEvOnlyValids"));
    shtTeilnehmer->splits()->setObjectName(QStringLiteral("cbxTnSplit"));
    shtTeilnehmer->onlyValids()->setObjectName(QStringLiteral("cbxTnOnlyValids"));

    QWidget* helpPage = PgcMain->widget(HelpPage);
    helpPage->setObjectName(QStringLiteral("shtHelp"));
    const char* const helpButtons[] = {"BtnGerman", "BtnEnglish", "btnEvents2", "btnTeilnehmer2"};
    const QList<QPushButton*> buttons = helpPage->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
    for (qsizetype k = 0; k < buttons.size() && k < qsizetype(std::size(helpButtons)); ++k)
        buttons[k]->setObjectName(QString::fromLatin1(helpButtons[k]));
}

} // namespace lanescope::ui
