#include "base/VnxIniFiles.h"
#include "lenex/LnxSchema.h"
#include "ui/BrowserPage.h"
#include "ui/FrmView.h"

#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::ui {
namespace {

namespace fs = std::filesystem;

// Shows the first relay event list with results, splits switched on; false when the file has none.
bool showFirstRelayList(TfrmView& view)
{
    view.PgcMain->setCurrentIndex(TfrmView::EventsPage);
    view.shtEvents->splits()->setChecked(true);
    QTreeWidget* events = view.shtEvents->tree();
    for (QTreeWidgetItemIterator it(events); *it; ++it) {
        events->setCurrentItem(*it);
        const browser::EventTreeNode* node = view.selectedEventNode();
        if (node && node->level == 1 && node->data->getInteger(lenex::tag::DISCNT) > 1 && view.hasResults()) {
            QApplication::processEvents();
            return true;
        }
    }
    return false;
}

// Pictures of the main window for the documentation: runs only when LANESCOPE_SCREENSHOT_DIR names the
// folder to write them to (run it under a real display server for the desktop's look).
TEST(ScreenshotTest, WritesTheMainWindowPictures)
{
    const char* target = std::getenv("LANESCOPE_SCREENSHOT_DIR");
    if (!target || !*target)
        GTEST_SKIP() << "LANESCOPE_SCREENSHOT_DIR is not set";
    const fs::path folder = fs::path(::testing::TempDir()) / "screenshots";
    fs::create_directories(folder);
    base::TVnxIniFile settings(folder / "lanescope.ini");
    settings.WriteBool("Files", "AskRegExtension", false);
    TfrmView view(settings);
    view.resize(1000, 600);
    view.show();
    view.OpenFile(QStringLiteral(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef"), true);
    QApplication::processEvents();

    ASSERT_TRUE(showFirstRelayList(view));
    ASSERT_TRUE(view.grab().save(QString::fromUtf8(target) + "/events-relay-splits.png"));

    view.PgcMain->setCurrentIndex(TfrmView::ParticipantsPage);
    QTreeWidget* clubs = view.shtTeilnehmer->tree();
    QTreeWidgetItem* club = nullptr;
    for (QTreeWidgetItemIterator it(clubs); *it && !club; ++it)
        if ((*it)->parent() && !(*it)->parent()->parent()) // a club: level 1
            club = *it;
    ASSERT_NE(club, nullptr);
    club->parent()->setExpanded(true);
    club->setExpanded(true);
    clubs->setCurrentItem(club);
    QApplication::processEvents();
    ASSERT_TRUE(view.grab().save(QString::fromUtf8(target) + "/participants-club.png"));

    // A masters relay of a German federation result list, where the shared real files are present.
    const fs::path dsv7 =
        fs::path(LANESCOPE_SHARED_TESTDATA_DIR) / "dsv" / "dachau-2025-02-23-Dachau-Pr.dsv7";
    if (!fs::exists(dsv7))
        return;
    view.OpenFile(QString::fromStdString(dsv7.string()), true);
    QApplication::processEvents();
    ASSERT_TRUE(showFirstRelayList(view));
    ASSERT_TRUE(view.grab().save(QString::fromUtf8(target) + "/events-dsv7-relay-splits.png"));
}

} // namespace
} // namespace lanescope::ui
