#include "ui/FrmView.h"

#include "app/FormGeometry.h"
#include "app/ProgramFiles.h"
#include "app/SettingsLocation.h"
#include "app/VnxLanguage.h"
#include "base/LanguageTexts.h"
#include "base/ProductVersion.h"
#include "base/VnxIniFiles.h"
#include "ui/BrowserPage.h"
#include "ui/FindDialog.h"
#include "ui/FormPlacement.h"
#include "ui/HelpView.h"
#include "ui/ImageList.h"
#include "ui/LibraryPage.h"
#include "ui/ListSurface.h"
#include "ui/StartScreen.h"
#include "ui/VnxComboBox.h"
#include "ui/VnxStatusBar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>

namespace lanescope::ui {

namespace {

constexpr const char* kMain = "main";
constexpr int kFormWidth = 808;
constexpr int kFormHeight = 502;
// Small enough for an 800 x 600 screen, large enough for the tree's buttons and a list.
constexpr int kMinimumWidth = 620;
constexpr int kMinimumHeight = 400;
constexpr int kTreeShare = 250; // per mille of the page
constexpr int kToolBarHeight = 25;

// Help texts, language files and the editor lie in the program folder, or in ../share/lanescope when
// installed.
std::filesystem::path programFile(const std::string& name)
{
    return app::programDataFile(app::programFolder(), name);
}

bool isExecutableFile(const std::filesystem::path& file)
{
    const QFileInfo info(QString::fromStdString(file.string()));
    return info.isFile() && info.isExecutable();
}

} // namespace

TfrmView::TfrmView(base::CustomIniFile& settings, QStringList parameters, QWidget* parent)
    : QMainWindow(parent)
    , FSettings(settings)
    , FParameters(std::move(parameters))
    , FModels(firstMapImageIndex())
    , FEventHeader(browser::defaultEventHeader())
    , FClubHeader(browser::defaultClubHeader())
{
    setObjectName(QStringLiteral("frmView"));
    resize(kFormWidth, kFormHeight);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    createActions();

    CbxCompetitions = new TVnxComboBox;
    CbxCompetitions->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CbxCompetitions->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    shtEvents = new BrowserPage(QStringLiteral("Teilnehmer"), FEventHeader);
    shtTeilnehmer = new BrowserPage(QStringLiteral("Wettkämpfe"), FClubHeader);
    // An athlete's or a club's rows are no race: only the event lists offer the race picture.
    shtTeilnehmer->setPictureOffered(false);
    PgcMain = new QTabWidget;
    PgcMain->addTab(shtEvents, QStringLiteral("&Wettkämpfe"));
    PgcMain->addTab(shtTeilnehmer, QStringLiteral("&Teilnehmer"));
    PgcMain->addTab(createHelpPage(), QStringLiteral("H&ilfe"));
    PgcMain->setTabVisible(HelpPage, false);
    shtLibrary = new LibraryPage(FSettings);
    shtLibrary->setObjectName(QStringLiteral("shtLibrary"));
    PgcMain->addTab(shtLibrary, QString::fromStdString(base::languageText('V', 170)));
    setCentralWidget(PgcMain);
    statusBarView = new TvnxStatusBar;
    setStatusBar(statusBarView);
    createListActions();
    createMenusAndToolBar();
    nameComponents();

    connect(CbxCompetitions, &QComboBox::currentIndexChanged, this, &TfrmView::CbxCompetitionsChange);
    connect(PgcMain, &QTabWidget::currentChanged, this, &TfrmView::PgcMainChange);
    connect(shtEvents->tree(), &QTreeWidget::currentItemChanged, this, &TfrmView::TrvEventsChange);
    connect(shtTeilnehmer->tree(), &QTreeWidget::currentItemChanged, this, &TfrmView::trvClubsChange);
    connect(shtEvents->switchButton(), &QPushButton::clicked, this, [this] { showPage(ParticipantsPage); });
    connect(shtTeilnehmer->switchButton(), &QPushButton::clicked, this, [this] { showPage(EventsPage); });
    for (BrowserPage* page : {shtEvents, shtTeilnehmer})
        connect(page, &BrowserPage::redrawRequested, this, [this, page] {
            page == shtEvents ? TrvEventsChange() : trvClubsChange();
            if (isVisible())
                page->tree()->setFocus();
        });

    connect(shtLibrary, &LibraryPage::libraryChanged, this, [this] {
        FPersonalBests = shtLibrary->personalBests(FDocument);
        TrvEventsChange();
        trvClubsChange();
    });
    app::LanguageManager().setListener([this] { LanguageChanged(); });
    setProgressSink(
        [this](const std::string& text) { statusBarView->progressText(QString::fromStdString(text)); });
    qApp->installEventFilter(this);

    FQuietTimer.setSingleShot(true);
    connect(&FQuietTimer, &QTimer::timeout, this, [this] {
        if (ActLive->isChecked() && FLoadedStamp != fileStamp(FFileName))
            Reload();
    });
    connect(&FLinkTimer, &QTimer::timeout, this, [this] { Reload(); });

    readSettings();
    mnuRecentFiles->setEnabled(!recentFiles().isEmpty());
    loadHelp("us", false);
    LanguageChanged();
    ActOpenInEditor->setVisible(isExecutableFile(programFile("inscriba")) ||
                                isExecutableFile(programFile("inscriba.exe")));
    setActionsEnabled(NeedsFile, false);
    setActionsEnabled(NeedsList, false);
    resetCaption();
    restoreWindowGeometry();
}

TfrmView::~TfrmView()
{
    qApp->removeEventFilter(this);
    setProgressSink({});
    app::LanguageManager().setListener({});
    writeSettings();
    clearTrees();
    FModels.clear();
}

QAction* TfrmView::newAction(const char* caption, const char* hint, const QKeySequence& shortcut, int tag,
                             int image, void (TfrmView::*handler)())
{
    auto* action = new QAction(QString::fromUtf8(caption), this);
    const QString hintText = QString::fromUtf8(hint);
    action->setStatusTip(hintText);
    action->setToolTip(hintText.isEmpty() ? action->text() : hintText);
    action->setShortcut(shortcut);
    if (image >= 0)
        action->setIcon(actionIcon(image));
    if (tag != 0)
        FTaggedActions.emplace_back(action, tag);
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    addAction(action);
    return action;
}

void TfrmView::createActions()
{
    ActLoadFile = newAction("Öffnen...", "Datei öffnen.", QKeySequence(Qt::CTRL | Qt::Key_O), 0, 0,
                            &TfrmView::ActLoadFileExecute);
    ActDownload = newAction("Download...", "Download Resultate von Server",
                            QKeySequence(Qt::CTRL | Qt::Key_D), 0, 20, &TfrmView::ActDownloadExecute);
    ActOpenUrl = newAction("URL öffnen...", "Resultatdatei von einer Internet-Adresse öffnen.",
                           QKeySequence(Qt::CTRL | Qt::Key_U), 0, -1, &TfrmView::ActOpenUrlExecute);
    ActClose = newAction("Schliessen...", "", {}, NeedsFile, -1, &TfrmView::ActCloseExecute);
    ActReload = newAction("Neu laden", "Geöffnete Datei oder Adresse neu lesen.", QKeySequence(Qt::Key_F5),
                          NeedsFile, -1, &TfrmView::ActReloadExecute);
    ActLive = newAction("Live", "Bei jeder Änderung der Datei neu laden.", {}, NeedsFile, -1,
                        &TfrmView::ActLiveExecute);
    ActLive->setCheckable(true);
    ActLiveInterval =
        newAction("Live-Intervall...", "Sekunden zwischen zwei Abfragen einer Live-Adresse einstellen.", {},
                  0, -1, &TfrmView::ActLiveIntervalExecute);
    ActCompetitionInfo =
        newAction("Angaben zu Veranstaltung", "Kontaktadresse Organisator, Angabe zu Punktetabellen", {}, 0,
                  17, &TfrmView::ActCompetitionInfoExecute);
    ActCompetitionInfo->setEnabled(false);
    ActFileInfo = newAction("Eigenschaften", "Version und Erstellersoftware der Datei.",
                            QKeySequence(Qt::CTRL | Qt::Key_I), NeedsFile, 8, &TfrmView::ActFileInfoExecute);
    ActPrint = newAction("Drucken...", "Angezeigte Daten drucken.", QKeySequence(Qt::CTRL | Qt::Key_P),
                         NeedsList, 3, &TfrmView::ActPrintExecute);
    ActOpenInEditor =
        newAction("In Inscriba bearbeiten", "Datei in Inscriba öffnen zum bearbeiten (nur Meldungen).", {},
                  NeedsFile, 19, &TfrmView::ActOpenInEditorExecute);
    ActSelectLanguage = newAction("Sprache wählen", "Sprache für Bildschirmanzeige und Ausdrucke auswählen.",
                                  {}, 0, -1, &TfrmView::ActSelectLanguageExecute);
    ActRegisterExt = newAction("Erweiterung  .LXF / .LEF registrieren",
                               "Lanescope als Standardprogramm zum öffnen von .LXF/.LEF - Dateien festlegen.",
                               {}, 0, 16, &TfrmView::ActRegisterExtExecute);
    // An installed package brings its desktop entry and document types: a registration for the user would
    // shadow them and outlive the package's removal, so the command is not offered there.
    ActRegisterExt->setVisible(!app::desktopIntegrationInstalled(app::programFolder()));
    ActTerminate = newAction("Beenden", "Programm beenden.", {}, 0, 1, nullptr);
    connect(ActTerminate, &QAction::triggered, this, &QWidget::close);
    actSearch = newAction("Suchen...", "Suchen nach Teilnehmer.", QKeySequence(Qt::CTRL | Qt::Key_F),
                          NeedsFile, 10, &TfrmView::actSearchExecute);
    actCopy = newAction("Kopieren...", "Angezeigte Daten in Zwischenablage kopieren.",
                        QKeySequence(Qt::CTRL | Qt::Key_C), NeedsList, 6, &TfrmView::actCopyExecute);
    ActClubStats = newAction("Teilnehmende Vereine", "Statistik über teilnehmende Vereine drucken", {},
                             NeedsFile, -1, &TfrmView::ActClubStatsExecute);
    ActResultBook = newAction("Ergebnisbuch...", "Alle Listen der Veranstaltung als ein Buch drucken oder exportieren",
                              {}, NeedsFile, -1, &TfrmView::ActResultBookExecute);
    ActWebsite = newAction("Website...", "Die Veranstaltung als Website in einen Ordner schreiben.", {},
                           NeedsFile, -1, &TfrmView::ActWebsiteExecute);
    ActInfo = newAction("Über Lanescope", "Betrachter für Resultatdateien von Schwimmwettkämpfen.", {}, 0, 4,
                        nullptr);
    connect(ActInfo, &QAction::triggered, this, [this] { ShowAbout(this); });
    // The help command is visible in the help menu and reachable with F1, so that the user guide can be
    // opened; the help page's own tab stays hidden.
    ActShowHelp = newAction("Hilfe anzeigen", "", QKeySequence(Qt::Key_F1), 0, 18, nullptr);
    ActExportPdf = newAction("PDF...", "Angezeigte Liste als PDF-Datei speichern.", {}, NeedsList, -1,
                             &TfrmView::ActExportPdfExecute);
    ActExportHtml = newAction("HTML...", "Angezeigte Liste als HTML-Seite speichern.", {}, NeedsList, -1,
                              &TfrmView::ActExportHtmlExecute);
    connect(ActShowHelp, &QAction::triggered, this, [this] { showPage(HelpPage); });
}

void TfrmView::createMenusAndToolBar()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
    file->addAction(ActLoadFile);
    mnuRecentFiles = file->addMenu(QStringLiteral("&Zuletzt geöffnet"));
    connect(mnuRecentFiles, &QMenu::aboutToShow, this, &TfrmView::fillRecentFilesMenu);
    file->addActions({ActOpenUrl, ActDownload, ActClose, ActCompetitionInfo, ActFileInfo});
    file->addSeparator();
    file->addAction(ActPrint);
    mnuExport = file->addMenu(QStringLiteral("E&xportieren"));
    mnuExport->addActions({ActExportPdf, ActExportHtml});
    mnuExport->addAction(ActExportCsv);
    file->addActions({ActOpenInEditor, ActSelectLanguage, ActRegisterExt});
    file->addSeparator();
    file->addAction(ActTerminate);
    menuBar()->addMenu(QStringLiteral("&Bearbeiten"))->addActions({actSearch, actCopy});
    QMenu* view = menuBar()->addMenu(QStringLiteral("&Ansicht"));
    view->addActions({ActReload, ActLive, ActLiveInterval});
    view->addSeparator();
    view->addActions({ActHeatLane, ActReaction});
    menuBar()->addMenu(QStringLiteral("Auswertungen"))->addActions({ActClubStats, ActResultBook, ActWebsite});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    help->addAction(ActInfo);
    help->addSeparator();
    help->addAction(ActShowHelp);

    QToolBar* tools = addToolBar(QStringLiteral("ToolBar1"));
    tools->setObjectName(QStringLiteral("ToolBar1"));
    tools->setMovable(false);
    tools->setFloatable(false);
    tools->setFixedHeight(kToolBarHeight);
    tools->setIconSize(QSize(16, 16));
    tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tools->addActions({ActLoadFile, ActDownload});
    tools->addSeparator();
    tools->addActions({ActCompetitionInfo, ActFileInfo, ActPrint});
    tools->addSeparator();
    tools->addActions({actSearch, actCopy, ActOpenInEditor});
    tools->addSeparator();
    tools->addWidget(CbxCompetitions);
    tools->addSeparator();
    tools->addWidget(EdtFilter);
}

QWidget* TfrmView::createHelpPage()
{
    auto* page = new QWidget;
    helpView = new HelpView;
    auto* german = new QPushButton(QStringLiteral("Deutsch"));
    auto* english = new QPushButton(QStringLiteral("English"));
    auto* events = new QPushButton(QStringLiteral("Wettkämpfe"));
    auto* participants = new QPushButton(QStringLiteral("Teilnehmer"));
    connect(german, &QPushButton::clicked, this, &TfrmView::BtnGermanClick);
    connect(english, &QPushButton::clicked, this, &TfrmView::BtnEnglishClick);
    connect(events, &QPushButton::clicked, this, [this] { showPage(EventsPage); });
    connect(participants, &QPushButton::clicked, this, [this] { showPage(ParticipantsPage); });
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {german, english, events, participants})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(helpView, 1);
    layout->addLayout(buttons);
    return page;
}

void TfrmView::readSettings()
{
    FFindDialogLeft = FSettings.ReadInteger(kMain, "FDlgLeft", -1);
    FFindDialogTop = FSettings.ReadInteger(kMain, "FDlgTop", -1);
    FOpenPath = QString::fromStdString(FSettings.ReadString(kMain, "openPath", ""));
    int page = std::clamp(FSettings.ReadInteger(kMain, "pgcMain", HelpPage), 0, PgcMain->count() - 1);
    if (page == HelpPage)
        page = EventsPage;
    PgcMain->setCurrentIndex(page);
    shtEvents->setTreeWidth(FSettings.ReadInteger(kMain, "trvEvents", shtEvents->treeWidth()));
    shtTeilnehmer->setTreeWidth(FSettings.ReadInteger(kMain, "trvClubs", shtTeilnehmer->treeWidth()));
    // The tree panes keep their share of the window (per mille), so a small window still shows the list.
    for (const auto& [browserPage, key] :
         {std::pair(shtEvents, "trvEventsShare"), std::pair(shtTeilnehmer, "trvClubsShare")})
        browserPage->setTreeShare(FSettings.ReadInteger(kMain, key, kTreeShare) / 1000.0);
    for (std::size_t k = 0; k < FEventHeader.size(); ++k)
        FEventHeader[k].width =
            std::max(FEventHeader[k].minWidth,
                     FSettings.ReadInteger(kMain, "hcEvents" + std::to_string(k), FEventHeader[k].width));
    for (std::size_t k = 0; k < FClubHeader.size(); ++k)
        FClubHeader[k].width =
            std::max(FClubHeader[k].minWidth,
                     FSettings.ReadInteger(kMain, "hcClubs" + std::to_string(k), FClubHeader[k].width));
    shtEvents->setSections(FEventHeader);
    shtTeilnehmer->setSections(FClubHeader);
    shtEvents->splits()->setChecked(FSettings.ReadBool(kMain, "evSplit", false));
    ActHeatLane->setChecked(FSettings.ReadBool(kMain, "evHeatLane", true));
    ActReaction->setChecked(FSettings.ReadBool(kMain, "evReaction", true));
    shtEvents->onlyValids()->setChecked(FSettings.ReadBool(kMain, "evOnlyValids", false));
    shtTeilnehmer->splits()->setChecked(FSettings.ReadBool(kMain, "tnSplit", false));
    shtTeilnehmer->onlyValids()->setChecked(FSettings.ReadBool(kMain, "tnOnlyValids", false));
}

void TfrmView::writeSettings()
{
    if (FFindDialog) {
        FFindDialogLeft = FFindDialog->x();
        FFindDialogTop = FFindDialog->y();
    }
    if (FFindDialogLeft >= 0 && FFindDialogTop >= 0) {
        FSettings.WriteInteger(kMain, "FDlgLeft", FFindDialogLeft);
        FSettings.WriteInteger(kMain, "FDlgTop", FFindDialogTop);
    }
    if (FOpenDialogUsed)
        FSettings.WriteString(kMain, "openPath", FOpenPath.toStdString());
    FSettings.WriteInteger(kMain, "pgcMain", PgcMain->currentIndex());
    FSettings.WriteInteger(kMain, "trvEvents", shtEvents->treeWidth());
    FSettings.WriteInteger(kMain, "trvClubs", shtTeilnehmer->treeWidth());
    FSettings.WriteInteger(kMain, "trvEventsShare", qRound(shtEvents->treeShare() * 1000));
    FSettings.WriteInteger(kMain, "trvClubsShare", qRound(shtTeilnehmer->treeShare() * 1000));
    const auto& events = shtEvents->sections();
    for (std::size_t k = 0; k < events.size(); ++k)
        FSettings.WriteInteger(kMain, "hcEvents" + std::to_string(k), events[k].width);
    const auto& clubs = shtTeilnehmer->sections();
    for (std::size_t k = 0; k < clubs.size(); ++k)
        FSettings.WriteInteger(kMain, "hcClubs" + std::to_string(k), clubs[k].width);
    FSettings.WriteBool(kMain, "evSplit", shtEvents->splits()->isChecked());
    FSettings.WriteBool(kMain, "evHeatLane", ActHeatLane->isChecked());
    FSettings.WriteBool(kMain, "evReaction", ActReaction->isChecked());
    FSettings.WriteBool(kMain, "evOnlyValids", shtEvents->onlyValids()->isChecked());
    FSettings.WriteBool(kMain, "tnSplit", shtTeilnehmer->splits()->isChecked());
    FSettings.WriteBool(kMain, "tnOnlyValids", shtTeilnehmer->onlyValids()->isChecked());

    const QRect bounds = isVisible() ? normalGeometry() : geometry();
    app::FormGeometry geometry{{bounds.x(), bounds.y(), bounds.width(), bounds.height()},
                               isMaximized()   ? app::WindowState::Maximized
                               : isMinimized() ? app::WindowState::Minimized
                                               : app::WindowState::Normal};
    FSettings.WriteString("Windows", objectName().toStdString(), app::formatGeometry(geometry));
}

void TfrmView::restoreWindowGeometry()
{
    const std::string saved = FSettings.ReadString("Windows", objectName().toStdString(), "");
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (saved.empty() && screen) {
        // The first start takes about two thirds of the screen, centred.
        const QRect area = screen->availableGeometry();
        const QSize size = QSize(area.width() * 2 / 3, area.height() * 2 / 3).expandedTo(minimumSize());
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size.boundedTo(area.size()), area));
        return;
    }
    // A saved size below the minimum grows to it before the placement keeps the window on a screen.
    std::string bounds = saved;
    if (std::optional<app::FormGeometry> read = app::parseGeometry(saved, {})) {
        read->bounds.width = std::max(read->bounds.width, minimumWidth());
        read->bounds.height = std::max(read->bounds.height, minimumHeight());
        bounds = app::formatGeometry(*read);
    }
    const app::FormGeometry placed = openingGeometry(bounds, *this, true);
    setGeometry(placed.bounds.left, placed.bounds.top, placed.bounds.width, placed.bounds.height);
    if (placed.state == app::WindowState::Maximized)
        setWindowState(Qt::WindowMaximized);
}

void TfrmView::LanguageChanged()
{
    app::refreshSwimVocabulary(app::LanguageManager());
    loadHelp(app::LanguageManager().screenLanguage() > 1 ? "us" : "de", false);
    // The captions of place, name and club (events) and number, event, age group and place (participants)
    // come from the language; time and last section are set per list.
    const browser::EventHeader events = browser::defaultEventHeader();
    for (std::size_t k : {0U, 1U, 2U, 5U, 6U})
        FEventHeader[k].text = events[k].text;
    const browser::ClubHeader clubs = browser::defaultClubHeader();
    for (std::size_t k : {0U, 1U, 2U, 4U})
        FClubHeader[k].text = clubs[k].text;
    auto eventSections = shtEvents->sections();
    for (std::size_t k = 0; k < eventSections.size(); ++k)
        eventSections[k].text = FEventHeader[k].text;
    shtEvents->setSections(eventSections);
    // The list commands and the filter field speak the screen language.
    const auto text = [](int number) { return QString::fromStdString(base::languageText('V', number)); };
    if (!text(56).isEmpty()) {
        EdtFilter->setPlaceholderText(text(61));
        EdtFilter->setToolTip(text(61));
        EdtFilter->setMinimumWidth(EdtFilter->fontMetrics().horizontalAdvance(text(61)) / 2 + 40);
        ActExportCsv->setText(text(63));
        ActHeatLane->setText(text(66));
        ActReaction->setText(text(67));
    }
    if (!text(220).isEmpty())
        shtEvents->picture()->setText(text(220));
    auto clubSections = shtTeilnehmer->sections();
    for (std::size_t k = 0; k < clubSections.size(); ++k)
        clubSections[k].text = FClubHeader[k].text;
    shtTeilnehmer->setSections(clubSections);
    PgcMain->setTabText(SeasonLibraryPage, QString::fromStdString(base::languageText('V', 170)));
    shtLibrary->retranslate();
}

void TfrmView::loadHelp(const char* code, bool asked)
{
    const std::filesystem::path file = programFile("lanescope" + std::string(code) + ".rtf");
    if (!helpView->loadHelpFile(file) && asked)
        showWarning(QString::fromStdString(base::languageText('G', 138)));
    if (PgcMain->currentIndex() == HelpPage)
        helpView->setFocus();
}

void TfrmView::BtnGermanClick() { loadHelp("de", true); }

void TfrmView::BtnEnglishClick() { loadHelp("us", true); }

void TfrmView::resetCaption(const QString& fileName)
{
    QString caption = QStringLiteral("VORNIX ") + QString::fromUtf8(base::applicationTitle);
    if (!fileName.isEmpty())
        caption += QStringLiteral(" - ") + fileName;
    setWindowTitle(caption);
}

void TfrmView::setActionsEnabled(int tag, bool enabled)
{
    for (const auto& [action, actionTag] : FTaggedActions)
        if (actionTag == tag)
            action->setEnabled(enabled);
    if (tag == NeedsFile) {
        EdtFilter->setEnabled(enabled);
        if (!enabled)
            EdtFilter->clear();
    }
}

void TfrmView::showPage(int page)
{
    PgcMain->setCurrentIndex(page);
    if (page == HelpPage)
        helpView->setFocus();
}

// Ctrl+Tab and Ctrl+Shift+Tab walk the visible pages only, so the hidden help page is never reached.
void TfrmView::stepPage(int step)
{
    const int count = PgcMain->count();
    int page = PgcMain->currentIndex();
    for (int n = 0; n < count; ++n) {
        page = (page + step + count) % count;
        if (PgcMain->isTabVisible(page)) {
            PgcMain->setCurrentIndex(page);
            return;
        }
    }
}

void TfrmView::PgcMainChange()
{
    const int page = PgcMain->currentIndex();
    const bool listShown = (page == EventsPage && shtEvents->headerShown()) ||
                           (page == ParticipantsPage && shtTeilnehmer->headerShown()) || page == SeasonLibraryPage;
    setActionsEnabled(NeedsList, listShown);
    if (page == HelpPage)
        helpView->setFocus();
}

void TfrmView::showWarning(const QString& text)
{
    QMessageBox::warning(this, QString::fromUtf8(base::applicationTitle),
                         QString(text).replace("\r\n", "\n"));
}

void TfrmView::showInformation(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(base::applicationTitle),
                    QString(text).replace("\r\n", "\n"), QMessageBox::Ok, this);
    box.exec();
}

bool TfrmView::askQuestion(const QString& text)
{
    return QMessageBox::question(this, QString::fromUtf8(base::applicationTitle),
                                 QString(text).replace("\r\n", "\n"),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool TfrmView::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        statusBarView->setHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TfrmView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier) && widget && widget->window() == this) {
            if (event->type() == QEvent::KeyPress)
                stepPage(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) ? -1 : 1);
            event->accept();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmView::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    // The first showing opens the file of the command line once the window is on the screen.
    QTimer::singleShot(0, this, &TfrmView::FormShow);
}

void TfrmView::FormShow()
{
    resetCaption();
    if (!FParameters.isEmpty() && !FParameters.first().startsWith(QLatin1Char('$'))) {
        FLoadingFromCommandLine = true;
        Progress("Loading file " + FParameters.first().toStdString());
        OpenFile(FParameters.first(), true);
        FLoadingFromCommandLine = false;
        Progress("");
    }
    // An installed package brings its own desktop entry and document types: nothing to ask or register then.
    if (!app::desktopIntegrationInstalled(app::programFolder()) &&
        FSettings.ReadBool("Files", "AskRegExtension", true)) {
        if (askQuestion(QString::fromStdString(base::languageText('V', 7))))
            ActRegisterExtExecute();
        FSettings.WriteBool("Files", "AskRegExtension", false);
    }
    MainWindowUp();
    QApplication::restoreOverrideCursor();
    // LANESCOPE_QUIT_AFTER_FIRST_PAINT=1: the first leaf of the event tree (a result list) is chosen, as by a
    // click, and the process ends once its list is drawn.
    if (qEnvironmentVariable("LANESCOPE_QUIT_AFTER_FIRST_PAINT") == QLatin1String("1")) {
        QTreeWidget* tree = shtEvents->tree();
        QTreeWidgetItem* leaf = tree->topLevelItem(0);
        while (leaf != nullptr && leaf->childCount() > 0)
            leaf = leaf->child(0);
        tree->setCurrentItem(leaf);
        shtEvents->surface()->quitAfterNextPaint();
        shtTeilnehmer->surface()->quitAfterNextPaint();
    }
}

} // namespace lanescope::ui
