#include "ui/LibraryPage.h"

#include "base/VnxIniFiles.h"
#include "library/SeasonLibrary.h"
#include "support/TestFiles.h"
#include "ui/ChartView.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTreeWidget>
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

} // namespace
} // namespace lanescope::ui
