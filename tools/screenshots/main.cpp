#include "app/SettingsLocation.h"
#include "app/VnxLanguage.h"
#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "lenex/LnxSchema.h"
#include "report/VnxReport.h"
#include "support/LocalHttpServer.h"
#include "swim/TextFormat.h"
#include "ui/BrowserPage.h"
#include "ui/DialogHooks.h"
#include "ui/DownloadDialog.h"
#include "ui/FormTexts.h"
#include "ui/FrmView.h"
#include "ui/LanguageDialog.h"
#include "ui/ListSurface.h"
#include "ui/ReportPrinter.h"
#include "ui/VnxPreviewDlg.h"
#include "ui/VnxPrintDlg.h"
#include "ui/VnxPrintSetupDlg.h"
#include "ui/VnxStatusBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <utility>

/**
 * lanescope-screenshots OUTPUT-FOLDER [MEET-FILE [CHAMPIONSHIP-FILE]]: writes the pictures of the main
 * window (also at 800 x 600 and under a dark palette), the print dialogs (also in English), the language
 * dialog, the download dialog (its meet list served from this machine) and the first-start question in French
 * that the documentation shows, on the bundled sample meet by default; with a championship file (the world
 * short-course championships of the shared test data) also its events page with the rounds told apart, a
 * list with status codes, a final with splits at 1600 x 1000 and 800 x 600, a filtered list and an athlete's
 * page, in English; and a list in Cyrillic. The window runs with fresh settings and the German screen
 * language, so the pictures do not depend on the settings of the machine.
 */
using namespace lanescope;

namespace {

class PictureWriter
{
public:
    explicit PictureWriter(QString folder)
        : FFolder(std::move(folder))
    {
    }

    /**
     * Saves what the widget shows as NAME.png once the status bar's indicators (refreshed every 500 ms) have
     * caught up with the focus; notes a failure.
     */
    void save(QWidget& widget, const char* name)
    {
        settle();
        write(widget.grab(), name);
    }

    /** The same for a window with a dialog in front of it, drawn where it stands, with a thin frame. */
    void save(QWidget& window, QWidget& dialog, const char* name)
    {
        settle();
        QPixmap picture = window.grab();
        QPainter painter(&picture);
        const QRect place(window.mapFromGlobal(dialog.mapToGlobal(QPoint())), dialog.size());
        painter.drawPixmap(place.topLeft(), dialog.grab());
        painter.setPen(dialog.palette().color(QPalette::Shadow));
        painter.drawRect(place.adjusted(-1, -1, 0, 0));
        painter.end();
        write(picture, name);
    }

    void fail(const char* what)
    {
        std::fprintf(stderr, "lanescope-screenshots: %s\n", what);
        FFailed = true;
    }

    bool failed() const { return FFailed; }

private:
    static void settle()
    {
        QEventLoop settling;
        QTimer::singleShot(600, &settling, &QEventLoop::quit);
        settling.exec();
    }

    void write(const QPixmap& picture, const char* name)
    {
        const QString file = FFolder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
        if (picture.save(file)) {
            std::printf("%s\n", qPrintable(file));
        } else {
            std::fprintf(stderr, "lanescope-screenshots: cannot write %s\n", qPrintable(file));
            FFailed = true;
        }
    }

    QString FFolder;
    bool FFailed = false;
};

// The first relay event that has results, selected on the events page with splits shown.
bool selectRelayWithSplits(ui::TfrmView& view)
{
    view.PgcMain->setCurrentIndex(ui::TfrmView::EventsPage);
    view.shtEvents->splits()->setChecked(true);
    QTreeWidget* events = view.shtEvents->tree();
    events->setFocus();
    for (QTreeWidgetItemIterator it(events); *it; ++it) {
        events->setCurrentItem(*it);
        const browser::EventTreeNode* node = view.selectedEventNode();
        if (node && node->level == 1 && node->data->getInteger(lenex::tag::DISCNT) > 1 && view.hasResults())
            return true;
    }
    return false;
}

void writeMainWindowPictures(ui::TfrmView& view, PictureWriter& pictures)
{
    if (!selectRelayWithSplits(view))
        return pictures.fail("the meet has no relay event with results");
    pictures.save(view, "events-relay-splits");

    view.PgcMain->setCurrentIndex(ui::TfrmView::ParticipantsPage);
    QTreeWidget* clubs = view.shtTeilnehmer->tree();
    for (QTreeWidgetItemIterator it(clubs); *it; ++it) {
        if ((*it)->parent() && !(*it)->parent()->parent()) { // a club: level 1
            (*it)->parent()->setExpanded(true);
            (*it)->setExpanded(true);
            clubs->setCurrentItem(*it);
            return pictures.save(view, "participants-club");
        }
    }
    pictures.fail("the meet has no club");
}

/** The names of the pictures of the print dialog, its preview and (when named) the page setup. */
struct PrintPictureNames
{
    const char* print;
    const char* preview;
    const char* setup;
};

// The print dialog of the relay with splits, the preview of its report and the page setup.
void writePrintPictures(ui::TfrmView& view, PictureWriter& pictures, const PrintPictureNames& names)
{
    if (!selectRelayWithSplits(view))
        return;
    bool previewShown = false;
    ui::dialogHooks().exec = [&](QDialog& dialog) {
        if (auto* preview = qobject_cast<ui::TvnxPreviewDlg*>(&dialog)) {
            preview->resize(900, 760);
            preview->show();
            preview->ZoomPageWidth();
            pictures.save(*preview, names.preview);
            previewShown = true;
        } else if (auto* print = qobject_cast<ui::TVnxPrintDlg*>(&dialog)) {
            print->show();
            pictures.save(*print, names.print);
            print->btnPreview->click();
            if (names.setup) {
                ui::TvnxPrintSetupDlg setup(print->Report.Document(), true);
                setup.show();
                pictures.save(setup, names.setup);
            }
        }
        return int(QDialog::Rejected);
    };
    view.ActPrint->trigger();
    ui::resetDialogHooks();
    if (!previewShown)
        pictures.fail("the preview did not open");
}

// The language dialog, then the window with the first age group in English and in French.
void writeLanguagePictures(ui::TfrmView& view, PictureWriter& pictures)
{
    {
        ui::TvnxFLangSelect dialog(true);
        dialog.show();
        pictures.save(dialog, "language-dialog");
    }
    view.PgcMain->setCurrentIndex(ui::TfrmView::EventsPage);
    view.shtEvents->splits()->setChecked(false);
    QTreeWidget* events = view.shtEvents->tree();
    events->setCurrentItem(events->topLevelItem(0)->child(0));
    events->setFocus();
    for (const auto& [language, name] :
         {std::pair(3, "main-window-english"), std::pair(2, "main-window-french")}) {
        if (!app::LanguageManager().LoadLanguage(language, true))
            return pictures.fail("a language file is missing beside the program");
        pictures.save(view, name);
    }
}

// In English: the print dialog and preview, the window at 800 x 600 (the list keeps its time column in
// view) and the window under a dark palette with a saved-file message in the status bar.
void writeEnglishPictures(ui::TfrmView& view, PictureWriter& pictures)
{
    if (!app::LanguageManager().LoadLanguage(3, true))
        return pictures.fail("the English language file is missing beside the program");
    // The trees are built again in the new language first, so the print selection holds the new nodes.
    QApplication::processEvents();
    const int printLanguage = app::LanguageManager().printerLanguage();
    app::LanguageManager().setPrinterLanguage(3);
    writePrintPictures(view, pictures, {"print-dialog-english", "preview-english", nullptr});
    app::LanguageManager().setPrinterLanguage(printLanguage);

    const QSize size = view.size();
    view.PgcMain->setCurrentIndex(ui::TfrmView::EventsPage);
    view.shtEvents->splits()->setChecked(false);
    QTreeWidget* events = view.shtEvents->tree();
    events->setCurrentItem(events->topLevelItem(0)->child(0));
    events->setFocus();
    view.resize(800, 600);
    pictures.save(view, "main-window-800x600");

    const QPalette light = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x32, 0x32, 0x32));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x6f, 0xb4));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, QColor(0x7a, 0xb8, 0xff));
    dark.setColor(QPalette::Mid, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x18));
    dark.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    QApplication::setPalette(dark);
    view.resize(size);
    selectRelayWithSplits(view);
    view.statusBarView->informationMessage(QString::fromStdString(
        swim::formatText(base::languageText('V', 114), {std::string("/home/coach/results/relay.pdf")})));
    pictures.save(view, "dark-palette");
    QApplication::setPalette(light);
}

// The event node of the EVENT with the id, or nullptr.
QTreeWidgetItem* eventItem(QTreeWidget* events, int id)
{
    for (QTreeWidgetItemIterator it(events); *it; ++it) {
        const auto* node =
            reinterpret_cast<const browser::EventTreeNode*>((*it)->data(0, Qt::UserRole).value<quintptr>());
        if (node && node->level == 1 && node->data->id() == id)
            return *it;
    }
    return nullptr;
}

// A championship's events page with its rounds told apart in the tree (the 50 m butterfly's swim-off
// selected), and a prelims list whose disqualified and not started swims show their status codes.
void writeChampionshipPictures(ui::TfrmView& view, const QString& file, PictureWriter& pictures)
{
    if (!app::LanguageManager().LoadLanguage(3, true))
        return pictures.fail("the English language file is missing beside the program");
    view.OpenFile(file, true);
    view.PgcMain->setCurrentIndex(ui::TfrmView::EventsPage);
    view.shtEvents->splits()->setChecked(false);
    QTreeWidget* events = view.shtEvents->tree();
    QTreeWidgetItem* swimOff = eventItem(events, 304);
    QTreeWidgetItem* withDisqualified = eventItem(events, 37);
    if (!swimOff || !withDisqualified)
        return pictures.fail("the championship file lacks events 304 and 37");
    events->setFocus();
    events->setCurrentItem(swimOff);
    events->scrollToItem(swimOff, QAbstractItemView::PositionAtCenter);
    pictures.save(view, "events-championship-rounds");
    events->setCurrentItem(withDisqualified);
    ui::ListSurface* surface = view.shtEvents->surface();
    surface->scrollToY(surface->paintBox().imageHeight());
    pictures.save(view, "list-status-codes");
}

// The first event of the round (TYPE) whose list holds results, or nullptr.
QTreeWidgetItem* roundItem(ui::TfrmView& view, const char* round)
{
    QTreeWidget* events = view.shtEvents->tree();
    for (QTreeWidgetItemIterator it(events); *it; ++it) {
        const auto* node =
            reinterpret_cast<const browser::EventTreeNode*>((*it)->data(0, Qt::UserRole).value<quintptr>());
        if (node && node->level == 1 && node->data->getText(lenex::tag::TYPE) == round &&
            node->data->getInteger(lenex::tag::DISCNT) <= 1)
            return *it;
    }
    return nullptr;
}

// Chooses the node again, so that its name and club columns are fitted to the window's present size.
void chooseAfresh(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->setCurrentItem(nullptr);
    tree->setCurrentItem(item);
    tree->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

// A championship final with splits at two window sizes, a list filtered by a nation, and the athlete page
// of a swimmer with individual swims in several rounds and relay legs.
void writeChampionshipListPictures(ui::TfrmView& view, const QString& file, PictureWriter& pictures)
{
    if (!app::LanguageManager().LoadLanguage(3, true))
        return pictures.fail("the English language file is missing beside the program");
    view.OpenFile(file, true);
    view.PgcMain->setCurrentIndex(ui::TfrmView::EventsPage);
    QTreeWidget* events = view.shtEvents->tree();
    QTreeWidgetItem* final = roundItem(view, "FIN");
    QTreeWidgetItem* prelims = roundItem(view, "PRE");
    if (!final || !prelims)
        return pictures.fail("the championship file has no final or prelims");
    view.shtEvents->splits()->setChecked(true);
    events->setFocus();
    for (const auto& [size, name] : {std::pair(QSize(1600, 1000), "championship-splits-1600x1000"),
                                     std::pair(QSize(800, 600), "championship-splits-800x600")}) {
        view.resize(size);
        QApplication::processEvents();
        chooseAfresh(events, final);
        pictures.save(view, name);
    }
    view.resize(1200, 750);
    QApplication::processEvents();
    // The race picture in the list's place: the 1500 m women, lap by lap.
    if (QTreeWidgetItem* distance = eventItem(events, 33)) {
        chooseAfresh(events, distance);
        view.shtEvents->picture()->setChecked(true);
        QApplication::processEvents();
        pictures.save(view, "race-picture-window");
        view.shtEvents->picture()->setChecked(false);
    }
    view.shtEvents->splits()->setChecked(false);
    chooseAfresh(events, prelims);
    view.EdtFilter->setText(QStringLiteral("aus"));
    view.shtEvents->surface()->setFocus();
    pictures.save(view, "list-filtered");
    view.EdtFilter->clear();

    view.PgcMain->setCurrentIndex(ui::TfrmView::ParticipantsPage);
    QTreeWidget* clubs = view.shtTeilnehmer->tree();
    for (QTreeWidgetItemIterator it(clubs); *it; ++it) {
        const auto* node =
            reinterpret_cast<const browser::ClubTreeNode*>((*it)->data(0, Qt::UserRole).value<quintptr>());
        if (node && node->kind == browser::ClubNodeKind::Athlete && node->items &&
            node->items->parent()->asObject()->getText(lenex::tag::NAME) == "MCKEON") {
            for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
                up->setExpanded(true);
            clubs->setFocus();
            chooseAfresh(clubs, *it);
            pictures.save(view, "athlete-page");
            view.PgcMain->setCurrentIndex(ui::TfrmView::EventsPage);
            return;
        }
    }
    pictures.fail("the championship file has no athlete MCKEON");
}

// A list of a meet in Cyrillic, with long names and a long club name, at a window of 1000 x 600.
void writeCyrillicPicture(ui::TfrmView& view, const QString& file, PictureWriter& pictures)
{
    if (!app::LanguageManager().LoadLanguage(3, true))
        return pictures.fail("the English language file is missing beside the program");
    const char* const swimmers[][4] = {
        {"Константинопольская", "Екатерина", "2005", "V00h00:58.10"},
        {"Иванова", "Мария", "2006", "V00h00:58.74"},
        {"Белоусова-Кузнецова", "Анастасия", "2004", "V00h00:59.02"},
        {"Смирнова", "Ольга", "2007", "V00h00:59.66"},
        {"Ткаченко", "Дарья", "2005", "V00h01:00.31"},
        {"Лебедева", "Александра", "2006", "V00h01:01.05"},
    };
    const char* const clubNames[] = {"Спортивная школа олимпийского резерва по плаванию «Нептун»",
                                     "Динамо Москва"};
    QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX><VERSION>01.03.0007</VERSION>"
                       "<COMPETITIONS><COMPETITION><NAME>Кубок города</NAME><PL>50</PL><PM>m</PM><PERIODS>"
                       "<PERIOD><NUM>1</NUM><NAME>Утро</NAME><DATE>20261017</DATE><EVENTS><EVENT id=\"1\">"
                       "<NUM>1</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX><TYPE>FIN</TYPE></EVENT>"
                       "</EVENTS></PERIOD></PERIODS><CLUBS>");
    for (int c = 0; c < 2; ++c) {
        text += QStringLiteral("<CLUB><NAME>%1</NAME><NATION>RUS</NATION><PERSONS>")
                    .arg(QString::fromUtf8(clubNames[c]));
        for (int k = c; k < 6; k += 2)
            text += QStringLiteral(
                        "<PERSON id=\"%1\"><NAME>%2</NAME><FNAME>%3</FNAME><YOB>%4</YOB><RESULTS><RESULT>"
                        "<EID>1</EID><RANK>%1</RANK><TIME>%5</TIME></RESULT></RESULTS></PERSON>")
                        .arg(k + 1)
                        .arg(QString::fromUtf8(swimmers[k][0]), QString::fromUtf8(swimmers[k][1]),
                             QString::fromUtf8(swimmers[k][2]), QString::fromUtf8(swimmers[k][3]));
        text += QStringLiteral("</PERSONS></CLUB>");
    }
    text += QStringLiteral("</CLUBS></COMPETITION></COMPETITIONS></LENEX>\n");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0)
        return pictures.fail("cannot write the Cyrillic meet");
    out.close();
    view.resize(1000, 600);
    view.OpenFile(file, true);
    view.PgcMain->setCurrentIndex(ui::TfrmView::EventsPage);
    view.shtEvents->surface()->setFocus();
    pictures.save(view, "list-cyrillic");
}

// The sample meet's first event after a reload in which two of its times changed: their rows carry the bar.
void writeReloadPicture(ui::TfrmView& view, const QString& meet, const QString& copy, PictureWriter& pictures)
{
    if (!app::LanguageManager().LoadLanguage(3, true))
        return pictures.fail("the English language file is missing beside the program");
    QFile source(meet);
    if (!source.open(QIODevice::ReadOnly))
        return pictures.fail("cannot read the sample meet");
    QByteArray text = source.readAll();
    QFile::remove(copy);
    if (!QFile::copy(meet, copy))
        return pictures.fail("cannot copy the sample meet");
    view.OpenFile(copy, true);
    view.PgcMain->setCurrentIndex(ui::TfrmView::EventsPage);
    view.shtEvents->splits()->setChecked(false);
    QTreeWidget* events = view.shtEvents->tree();
    QTreeWidgetItem* first = eventItem(events, 101);
    if (!first)
        return pictures.fail("the sample meet lacks event 101");
    events->setFocus();
    events->setCurrentItem(first);
    text.replace("V00h00:57.16", "V00h00:56.52").replace("V00h01:03.85", "V00h01:02.90");
    QFile changed(copy);
    if (!changed.open(QIODevice::WriteOnly | QIODevice::Truncate) || changed.write(text) != text.size())
        return pictures.fail("cannot write the changed meet");
    changed.close();
    if (!view.Reload())
        return pictures.fail("the changed meet did not reload");
    pictures.save(view, "live-reload-marked");
}

// The download dialog with a meet list served from this machine: a few meets, one of them selected.
void writeDownloadPicture(ui::TfrmView& view, base::CustomIniFile& settings, PictureWriter& pictures)
{
    if (!app::LanguageManager().LoadLanguage(3, true))
        return pictures.fail("the English language file is missing beside the program");
    testing::LocalHttpServer server;
    server.serve("/appinfo", "[ResultServers]\n1=Lanescope demo results;" + server.url("/meets.txt") +
                                 "\n2=Club results;" + server.url("/club.txt") + "\n");
    std::string meets = "MEETDATE\tMEETNAME\tMEETCITY\tMEETNATION\tURL\n";
    for (const char* row :
         {"20261017\tAutumn Open 2026\tKiel\tGER", "20261003\tMasters Cup\tBern\tSUI",
          "20260919\tNordic Youth Meet\tAarhus\tDEN", "20260912\tSwim Festival\tLyon\tFRA",
          "20260830\tSummer Sprint Gala\tGraz\tAUT", "20260621\tJunior Championships\tLeipzig\tGER",
          "20260530\tCity Relay Night\tWien\tAUT", "20260516\tSpring Trophy\tBasel\tSUI"})
        meets += std::string(row) + "\t" + server.url("/meet.lxf") + "\n";
    server.serve("/meets.txt", meets);
    settings.WriteString("Special", "AppInfoURL", server.url("/appinfo"));
    bool shown = false;
    QTimer::singleShot(0, &view, [&] {
        auto* dialog = view.findChild<ui::TFDownload*>();
        if (!dialog || !dialog->isVisible() || dialog->trvMeets->topLevelItemCount() < 2)
            return pictures.fail("the download dialog shows no meet list");
        dialog->trvMeets->setFocus();
        dialog->trvMeets->setCurrentItem(dialog->trvMeets->topLevelItem(1));
        pictures.save(*dialog, "download-dialog");
        shown = true;
        dialog->reject();
    });
    view.ActDownloadExecute();
    if (!shown)
        pictures.fail("the download dialog did not open");
}

// A window of its own at its first start, in French: the sample meet from the command line and the question
// whether to open Lenex files, with Qt's Yes and No in French. The answer is No, so nothing is registered.
void writeQuestionPicture(const QString& meet, const QString& settingsFile, PictureWriter& pictures)
{
    if (!app::LanguageManager().LoadLanguage(2, true))
        return pictures.fail("the French language file is missing beside the program");
    base::TVnxIniFile settings(settingsFile.toStdString());
    ui::TfrmView view(settings, {meet});
    bool asked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &view, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        asked = true;
        QTreeWidget* events = view.shtEvents->tree();
        if (events->topLevelItemCount() > 0)
            events->setCurrentItem(events->topLevelItem(0)->child(0));
        pictures.save(view, *box, "question-french");
        box->button(QMessageBox::No)->click();
    });
    poll.start(50);
    view.resize(1000, 600);
    view.show();
    QEventLoop waiting;
    QTimer::singleShot(10000, &waiting, &QEventLoop::quit);
    QObject::connect(&poll, &QTimer::timeout, &waiting, [&] {
        if (asked)
            waiting.quit();
    });
    waiting.exec();
    if (!asked)
        pictures.fail("the window asked no question at its first start");
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 4) {
        std::fprintf(stderr, "usage: lanescope-screenshots OUTPUT-FOLDER [MEET-FILE [CHAMPIONSHIP-FILE]]\n");
        return 2;
    }
    const QString meet = arguments.size() >= 3 ? arguments[2] : QStringLiteral(LANESCOPE_SAMPLE_MEET);
    if (!QDir().mkpath(arguments[1])) {
        std::fprintf(stderr, "lanescope-screenshots: cannot create %s\n", qPrintable(arguments[1]));
        return 1;
    }
    const QTemporaryDir work;
    base::TVnxIniFile settings(work.filePath(QStringLiteral("lanescope.ini")).toStdString());
    settings.WriteBool("Files", "AskRegExtension", false);
    settings.WriteString("Printer", "Current", ui::printers::kPdfFilePrinter);

    app::LanguageSetup setup;
    setup.folders = {app::programFolder()};
    setup.screen = 1;
    app::createLanguageManager(setup);
    report::TVnxReport::setPrintLanguageHooks([] { app::LanguageManager().BeginPrintLanguage(); },
                                              [] { app::LanguageManager().EndPrintLanguage(); });
    ui::installFormTranslation();
    app::refreshSwimVocabulary(app::LanguageManager());

    PictureWriter pictures(QDir(arguments[1]).absolutePath());
    ui::TfrmView view(settings);
    view.resize(1000, 600);
    view.show();
    view.OpenFile(meet, true);
    QApplication::processEvents();
    if (!view.hasResults() && view.shtEvents->tree()->topLevelItemCount() == 0) {
        std::fprintf(stderr, "lanescope-screenshots: cannot open %s\n", qPrintable(meet));
        return 1;
    }
    writeMainWindowPictures(view, pictures);
    writePrintPictures(view, pictures, {"print-dialog", "preview-relay-report", "page-setup"});
    writeLanguagePictures(view, pictures);
    writeEnglishPictures(view, pictures);
    writeReloadPicture(view, meet, work.filePath(QStringLiteral("reloaded.lef")), pictures);
    writeDownloadPicture(view, settings, pictures);
    writeCyrillicPicture(view, work.filePath(QStringLiteral("cyrillic.lef")), pictures);
    if (arguments.size() == 4) {
        writeChampionshipPictures(view, arguments[3], pictures);
        writeChampionshipListPictures(view, arguments[3], pictures);
    }
    writeQuestionPicture(meet, work.filePath(QStringLiteral("first-start.ini")), pictures);
    return pictures.failed() ? 1 : 0;
}
