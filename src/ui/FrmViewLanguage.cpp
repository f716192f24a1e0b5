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

void TfrmView::customEvent(QEvent* event)
{
    QMainWindow::customEvent(event);
    if (event->type() != formsRetranslatedEvent() || CbxCompetitions->currentIndex() < 0)
        return;
    const ViewPlace place = viewPlace();
    CbxCompetitionsChange();
    restoreViewPlace(place);
}

void TfrmView::nameComponents()
{
    const std::pair<QAction*, const char*> actions[] = {
        {ActLoadFile, "ActLoadFile"},
        {ActDownload, "ActDownload"},
        {ActOpenUrl, "ActOpenUrl"},
        {ActReload, "ActReload"},
        {ActLive, "ActLive"},
        {ActLiveInterval, "ActLiveInterval"},
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
        {ActResultBook, "ActResultBook"},
        {ActWebsite, "ActWebsite"},
        {ActInfo, "ActInfo"},
        {ActShowHelp, "ActShowHelp"},
        {ActExportPdf, "ActExportPdf"},
        {ActExportHtml, "ActExportHtml"},
    };
    for (const auto& [action, name] : actions)
        action->setObjectName(QString::fromLatin1(name));
    new TvnxActionList(this);

    const char* const menus[] = {"Datei1", "Bearbeiten1", "Ansicht1", "Auswertungen1", "Hilfe1"};
    const QList<QAction*> menuActions = menuBar()->actions();
    for (qsizetype k = 0; k < menuActions.size() && k < qsizetype(std::size(menus)); ++k)
        if (QMenu* menu = menuActions[k]->menu())
            menu->setObjectName(QString::fromLatin1(menus[k]));

    mnuExport->setObjectName(QStringLiteral("mnuExport"));
    mnuRecentFiles->setObjectName(QStringLiteral("mnuRecentFiles"));
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
