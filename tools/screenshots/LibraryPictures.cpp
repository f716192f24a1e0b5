#include "app/SettingsLocation.h"
#include "app/VnxLanguage.h"
#include "base/VnxIniFiles.h"
#include "library/SeasonLibrary.h"
#include "ui/BrowserPage.h"
#include "ui/FormTexts.h"
#include "ui/FrmView.h"
#include "ui/LibraryPage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

/**
 * lanescope-library-screenshots OUTPUT-FOLDER RESULT-FOLDER [ATHLETE-TEXT CLUB-TEXT]: adds the result files
 * of the folder (the shared test data) to a library in a temporary folder and writes the pictures of the
 * library page: an athlete's history and personal bests, and a club best list, in English; then a meet's
 * participants page with the swims the library marks as personal bests.
 */
using namespace lanescope;

namespace {

void settle()
{
    QEventLoop settling;
    QTimer::singleShot(600, &settling, &QEventLoop::quit);
    settling.exec();
}

bool save(QWidget& widget, const QString& folder, const char* name)
{
    settle();
    const QString file = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!widget.grab().save(file)) {
        std::fprintf(stderr, "lanescope-library-screenshots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// Selects the first tree item whose text holds the text, walking the whole tree.
bool selectItem(QTreeWidget& tree, const QString& text)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if ((*it)->text(0).contains(text)) {
            tree.setCurrentItem(*it);
            tree.scrollToItem(*it);
            return true;
        }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 && arguments.size() != 5) {
        std::fprintf(stderr,
                     "usage: lanescope-library-screenshots OUTPUT-FOLDER RESULT-FOLDER [ATHLETE CLUB]\n");
        return 2;
    }
    const QString out = QDir(arguments[1]).absolutePath();
    const QString athlete = arguments.size() == 5 ? arguments[3] : QStringLiteral("445947");
    const QString club = arguments.size() == 5 ? arguments[4] : QStringLiteral("Freiberg");
    QDir().mkpath(out);
    const QTemporaryDir work;
    base::TVnxIniFile settings(work.filePath(QStringLiteral("lanescope.ini")).toStdString());
    settings.WriteBool("Files", "AskRegExtension", false);
    settings.WriteString("Library", "Path", work.filePath(QStringLiteral("library.sqlite")).toStdString());

    app::LanguageSetup setup;
    setup.folders = {app::programFolder()};
    setup.screen = 3;
    app::createLanguageManager(setup);
    ui::installFormTranslation();
    app::refreshSwimVocabulary(app::LanguageManager());

    ui::TfrmView view(settings);
    view.resize(1100, 640);
    view.show();
    ui::LibraryPage& page = *view.shtLibrary;
    view.PgcMain->setCurrentWidget(&page);
    page.addPaths({arguments[2].toStdString()});
    while (page.adding())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    page.searchField()->setText(athlete);
    QApplication::processEvents();
    if (page.athleteList()->topLevelItemCount() == 0) {
        std::fprintf(stderr, "lanescope-library-screenshots: no athlete %s\n", qPrintable(athlete));
        return 1;
    }
    page.athleteList()->setCurrentItem(page.athleteList()->topLevelItem(0));
    page.showTab(ui::LibraryPage::HistoryTab);
    bool ok = save(view, out, "library-athlete-history");
    // The progression picture of an event she swam at every meet.
    const int backstroke = page.progressionEvent()->findText(QStringLiteral("50m Backstroke SCM"));
    if (backstroke >= 0) {
        page.progressionEvent()->setCurrentIndex(backstroke);
        ok = save(view, out, "library-progression") && ok;
    }
    page.showTab(ui::LibraryPage::BestsTab);
    ok = save(view, out, "library-personal-bests") && ok;
    library::BestListFilter filter;
    filter.club = club.toStdString();
    filter.gender = 2;
    filter.course = library::kCourseSCM;
    page.showBestList(filter);
    ok = save(view, out, "library-club-best-list") && ok;

    // The latest meet of the athlete: her swims faster than every earlier one are marked.
    const QString latest = arguments[2] + QStringLiteral("/lenex3/marienberg-2025-results.lef");
    if (QFileInfo::exists(latest)) {
        view.OpenFile(latest, true);
        view.PgcMain->setCurrentIndex(ui::TfrmView::ParticipantsPage);
        QApplication::processEvents();
        if (selectItem(*view.shtTeilnehmer->tree(), QStringLiteral("Brocke")))
            ok = save(view, out, "library-personal-best-marks") && ok;
    }
    return ok ? 0 : 1;
}
