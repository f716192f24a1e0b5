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

    view.PgcMain->setCurrentIndex(TfrmView::EventsPage);
    view.shtEvents->splits()->setChecked(true);
    QTreeWidget* events = view.shtEvents->tree();
    QTreeWidgetItem* relay = nullptr;
    for (QTreeWidgetItemIterator it(events); *it && !relay; ++it) {
        events->setCurrentItem(*it);
        const browser::EventTreeNode* node = view.selectedEventNode();
        if (node && node->level == 1 && node->data->getInteger(lenex::tag::DISCNT) > 1 && view.hasResults())
            relay = *it;
    }
    ASSERT_NE(relay, nullptr);
    QApplication::processEvents();
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
}

} // namespace
} // namespace lanescope::ui
