#include "ui/LibraryPage.h"

#include "PrintDialogAnswers.h"
#include "base/VnxIniFiles.h"
#include "library/SeasonLibrary.h"
#include "support/TestFiles.h"
#include "ui/ChartView.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::ui {
namespace {

namespace fs = std::filesystem;

// The page on a library file of the test's own folder, set in the settings.
class LibraryPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / "library-page";
        fs::remove_all(folder);
        fs::create_directories(folder);
        settings = std::make_unique<base::TVnxIniFile>(folder / "lanescope.ini");
        settings->WriteString("Library", "Path", (folder / "library.sqlite").string());
    }

    void TearDown() override { resetDialogHooks(); }

    // Adds the sample meet and waits until the worker is done.
    void addSample(LibraryPage& page)
    {
        page.addPaths({LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef"});
        while (page.adding())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    fs::path folder;
    std::unique_ptr<base::TVnxIniFile> settings;
};

TEST_F(LibraryPageTest, AddsInTheBackgroundThenShowsAnAthletesHistoryAndABestList)
{
    LibraryPage page(*settings);
    EXPECT_FALSE(fs::exists(folder / "library.sqlite")) << "looking at the page makes no file";
    EXPECT_EQ(page.athleteList()->topLevelItemCount(), 0);

    page.addPaths(
        {LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef", LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lxf"});
    EXPECT_TRUE(page.progressBar()->isVisibleTo(&page));
    while (page.adding())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(page.progressBar()->isVisibleTo(&page));
    ASSERT_GT(page.athleteList()->topLevelItemCount(), 0);

    const QString name = page.athleteList()->topLevelItem(0)->text(0);
    page.searchField()->setText(name.section(QLatin1Char(','), 0, 0));
    ASSERT_GE(page.athleteList()->topLevelItemCount(), 1);
    page.athleteList()->setCurrentItem(page.athleteList()->topLevelItem(0));
    const library::LibraryTable history = page.currentTable();
    ASSERT_FALSE(history.rows.empty());
    EXPECT_EQ(page.copyText().count(QLatin1Char('\n')), static_cast<qsizetype>(history.rows.size()));
    // The progression picture offers each event and course with a best and draws a point per swim.
    ASSERT_GT(page.progressionEvent()->count(), 0);
    int points = 0;
    for (const report::RecordedItem& item : page.progressionView()->page().items)
        points += item.kind == report::RecordedItem::Kind::Path && item.style.name == "swim";
    EXPECT_GT(points, 0);

    page.showBestList({});
    EXPECT_EQ(page.tabs()->currentIndex(), LibraryPage::BestListTab);
    EXPECT_FALSE(page.currentTable().rows.empty());
}

// The shown list goes through the report engine as every other list: the print dialog writes its PDF, the
// export button PDF and HTML pages with the branded head, and CSV from the table.
TEST_F(LibraryPageTest, PrintsAndExportsTheShownListThroughTheReportEngine)
{
    LibraryPage page(*settings);
    addSample(page);
    page.showBestList({});
    const library::LibraryTable table = page.currentTable();
    ASSERT_FALSE(table.rows.empty());
    const std::string firstTime = table.rows[0][5];

    QStringList answers{QString::fromStdString((folder / "printed").string()),
                        QString::fromStdString((folder / "exported.html").string()),
                        QString::fromStdString((folder / "exported.csv").string())};
    dialogHooks().saveFileName = [&answers](QWidget*, const QString&, const QString&, const QString&, int) {
        return answers.isEmpty() ? QString() : answers.takeFirst();
    };
    QStringList shown;
    answerPrintDialogs(shown, [](TVnxPrintDlg& print) { return print.BPdf; });
    page.print();
    EXPECT_EQ(shown, QStringList{QStringLiteral("Bibliothek drucken")});
    EXPECT_EQ(lanescope::testing::readFile(folder / "printed.pdf").substr(0, 5), "%PDF-");

    page.exportButton()->click();
    const std::string html = lanescope::testing::readFile(folder / "exported.html");
    EXPECT_NE(html.find("<!DOCTYPE html>"), std::string::npos);
    EXPECT_NE(html.find(table.title), std::string::npos) << "the branded head names the list";
    EXPECT_NE(html.find(">" + firstTime + "<"), std::string::npos);

    page.exportButton()->click();
    const std::string csv = lanescope::testing::readFile(folder / "exported.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), static_cast<std::ptrdiff_t>(table.rows.size() + 1));
}

} // namespace
} // namespace lanescope::ui
