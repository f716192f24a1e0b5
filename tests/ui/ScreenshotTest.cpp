#include "base/VnxIniFiles.h"
#include "lenex/LnxSchema.h"
#include "ui/BrowserPage.h"
#include "ui/FrmView.h"
#include "ui/ListSurface.h"

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

// The main window at the pictures' size with its own settings file, showing the file.
struct ScreenshotWindow
{
    explicit ScreenshotWindow(const QString& file)
    {
        view.resize(1000, 600);
        view.show();
        view.OpenFile(file, true);
    }

    static base::TVnxIniFile& quietSettings(base::TVnxIniFile& settings)
    {
        settings.WriteBool("Files", "AskRegExtension", false);
        return settings;
    }

    fs::path folder = [] {
        fs::path path = fs::path(::testing::TempDir()) / "screenshots";
        fs::create_directories(path);
        return path;
    }();
    base::TVnxIniFile settings{folder / "lanescope.ini"};
    TfrmView view{quietSettings(settings)};
};

// Pictures of the main window for the documentation: runs only when LANESCOPE_SCREENSHOT_DIR names the
// folder to write them to (run it under a real display server for the desktop's look).
TEST(ScreenshotTest, WritesTheMainWindowPictures)
{
    const char* target = std::getenv("LANESCOPE_SCREENSHOT_DIR");
    if (!target || !*target)
        GTEST_SKIP() << "LANESCOPE_SCREENSHOT_DIR is not set";
    ScreenshotWindow window(QStringLiteral(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef"));
    TfrmView& view = window.view;
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

// The events page of a real championship with its rounds told apart in the tree, and a list whose
// disqualified and not started swims show their status codes.
TEST(ScreenshotTest, WritesTheChampionshipPictures)
{
    const char* target = std::getenv("LANESCOPE_SCREENSHOT_DIR");
    const fs::path meet =
        fs::path(LANESCOPE_SHARED_TESTDATA_DIR) / "lenex3" / "world-sc-championships-2022.lef";
    if (!target || !*target || !fs::is_regular_file(meet))
        GTEST_SKIP() << "LANESCOPE_SCREENSHOT_DIR is not set or the shared test data is missing";
    ScreenshotWindow window(QString::fromStdString(meet.string()));
    TfrmView& view = window.view;
    view.PgcMain->setCurrentIndex(TfrmView::EventsPage);
    QTreeWidget* events = view.shtEvents->tree();
    const auto eventItem = [events](int id) -> QTreeWidgetItem* {
        for (QTreeWidgetItemIterator it(events); *it; ++it) {
            const auto* node = reinterpret_cast<const browser::EventTreeNode*>(
                (*it)->data(0, Qt::UserRole).value<quintptr>());
            if (node && node->level == 1 && node->data->id() == id)
                return *it;
        }
        return nullptr;
    };
    QTreeWidgetItem* swimOff = eventItem(304); // 50 m butterfly: prelims, swim-off, semi-finals, final
    ASSERT_NE(swimOff, nullptr);
    events->setCurrentItem(swimOff);
    events->scrollToItem(swimOff, QAbstractItemView::PositionAtCenter);
    QApplication::processEvents();
    ASSERT_TRUE(view.grab().save(QString::fromUtf8(target) + "/events-championship-rounds.png"));

    QTreeWidgetItem* withDisqualified = eventItem(37); // 400 m medley prelims: two disqualified swims
    ASSERT_NE(withDisqualified, nullptr);
    events->setCurrentItem(withDisqualified);
    view.shtEvents->surface()->scrollToY(view.shtEvents->surface()->paintBox().imageHeight());
    QApplication::processEvents();
    ASSERT_TRUE(view.grab().save(QString::fromUtf8(target) + "/list-status-codes.png"));
}

} // namespace
} // namespace lanescope::ui
