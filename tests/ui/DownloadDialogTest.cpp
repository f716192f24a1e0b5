#include "ui/DownloadDialog.h"

#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "support/LocalHttpServer.h"
#include "support/TestFiles.h"
#include "ui/FrmView.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::ui {
namespace {

namespace fs = std::filesystem;
using testing::LocalHttpServer;

QString text(char section, int number) { return QString::fromStdString(base::languageText(section, number)); }

// The main window with its warnings collected instead of shown; the download dialog warns through it.
class WarningsView : public TfrmView
{
public:
    using TfrmView::TfrmView;
    QStringList warnings;

protected:
    void showWarning(const QString& message) override { warnings.append(message); }
};

QStringList columnTexts(const QTreeWidget& tree, int column)
{
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts << tree.topLevelItem(i)->text(column);
    return texts;
}

// Chooses the server as the user does, through the selector's list; choosing the shown one counts too.
void chooseServer(QComboBox& selector, int index)
{
    selector.setCurrentIndex(index);
    emit selector.activated(index);
}

QTreeWidgetItem* itemNamed(const QTreeWidget& tree, const QString& name)
{
    const QList<QTreeWidgetItem*> found = tree.findItems(name, Qt::MatchExactly, 1);
    return found.isEmpty() ? nullptr : found.first();
}

class DownloadDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / "download-dialog";
        fs::remove_all(folder);
        fs::create_directories(folder);
        settings = std::make_unique<base::TVnxIniFile>(folder / "lanescope.ini");
        settings->WriteBool("Files", "AskRegExtension", false);
        settings->WriteString("Special", "AppInfoURL", server.url("/appinfo"));
        server.serve("/appinfo", "[ResultServers]\n1=Alpha;" + server.url("/alpha.txt") + "\n2=Beta;" +
                                     server.url("/beta.txt") + "\n");
        server.serve("/alpha.txt", "MEETDATE\tMEETNAME\tMEETCITY\tMEETNATION\tURL\n"
                                   "20250101\tAlpha Meet\tBern\tSUI\t" +
                                       server.url("/alpha.lef") + "\n");
        server.serve("/beta.txt", "MEETDATE\tMEETNAME\tMEETCITY\tMEETNATION\tURL\n"
                                  "20071231\tOld Meet\tLyon\t\t" +
                                      server.url("/missing.lef") +
                                      "\n20261017\tAutumn Open 2026\tKiel\tGER\t" +
                                      server.url("/2026/autumn.lxf") + "\n");
        server.serve("/2026/autumn.lxf", testing::readFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lxf"));
        view = std::make_unique<WarningsView>(*settings);
    }

    void TearDown() override
    {
        view.reset();
        fs::remove_all(folder);
    }

    // Runs the download command; `inDialog` acts on the shown dialog from inside its modal loop.
    void download(const std::function<void(TFDownload&)>& inDialog)
    {
        QTimer::singleShot(0, view.get(), [&] {
            auto* dialog = view->findChild<TFDownload*>();
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(dialog->isVisible());
            inDialog(*dialog);
            if (dialog->isVisible())
                QTest::mouseClick(dialog->btnClose, Qt::LeftButton);
        });
        view->ActDownloadExecute();
    }

    LocalHttpServer server;
    fs::path folder;
    std::unique_ptr<base::TVnxIniFile> settings;
    std::unique_ptr<WarningsView> view;
};

TEST_F(DownloadDialogTest, ChosenMeetIsDownloadedAndShownByTheMainWindow)
{
    download([&](TFDownload& dialog) {
        EXPECT_EQ(dialog.cbxServer->count(), 2);
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 1), QStringList{"Alpha Meet"});
        QTest::keyClick(dialog.cbxServer, Qt::Key_Down); // the keyboard chooses the second server
        // Newest first; the first meet is selected.
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 1), (QStringList{"Autumn Open 2026", "Old Meet"}));
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 0), (QStringList{"17.10.2026", "31.12.2007"}));
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 2), (QStringList{"Kiel (GER)", "Lyon"}));
        EXPECT_EQ(dialog.trvMeets->currentItem(), dialog.trvMeets->topLevelItem(0));
        EXPECT_EQ(dialog.trvMeets->headerItem()->text(0), text('V', 33).section(';', 0, 0));
        dialog.trvMeets->setCurrentItem(itemNamed(*dialog.trvMeets, "Autumn Open 2026"));
        QTest::mouseClick(dialog.btnLoad, Qt::LeftButton);
    });
    EXPECT_TRUE(view->warnings.isEmpty()) << view->warnings.join("|").toStdString();
    ASSERT_EQ(view->document().competitionCount(), 1);
    EXPECT_EQ(view->document().currentCompetition()->getText(lenex::tag::NAME), "Autumn Open 2026");
    EXPECT_EQ(server.requestCount("/appinfo"), 1);
    EXPECT_EQ(server.requestCount("/beta.txt"), 1);

    // The dialog is kept: reopening it does not fetch the servers again; it shows the first server anew.
    download([&](TFDownload& dialog) {
        EXPECT_EQ(dialog.cbxServer->currentIndex(), 0);
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 1), QStringList{"Alpha Meet"});
    });
    EXPECT_EQ(view->findChildren<TFDownload*>().size(), 1);
    EXPECT_EQ(server.requestCount("/appinfo"), 1);
}

TEST_F(DownloadDialogTest, HeaderClickSortsAndMissingFileWarnsWithTheDialogOpen)
{
    bool stillOpen = false;
    download([&](TFDownload& dialog) {
        chooseServer(*dialog.cbxServer, 1);
        dialog.trvMeets->header()->sectionClicked(1);
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 1), (QStringList{"Autumn Open 2026", "Old Meet"}));
        dialog.trvMeets->header()->sectionClicked(1);
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 1), (QStringList{"Old Meet", "Autumn Open 2026"}));
        dialog.trvMeets->setCurrentItem(itemNamed(*dialog.trvMeets, "Old Meet"));
        QTest::mouseClick(dialog.btnLoad, Qt::LeftButton);
        stillOpen = dialog.isVisible();
        EXPECT_EQ(dialog.lblFailure->text(), QStringLiteral("HTTP-Status 404"));
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(view->warnings, QStringList{text('G', 140)});
    EXPECT_EQ(view->document().competitionCount(), 0);
}

// A meet list that failed to load is fetched again when its server is chosen again or the dialog reopens.
TEST_F(DownloadDialogTest, FailedMeetListIsFetchedAgainWhenItsServerIsChosenAgain)
{
    const std::string list =
        "MEETDATE\tMEETNAME\tMEETCITY\tMEETNATION\tURL\n20250101\tAlpha Meet\tBern\t\tx\n";
    server.serve("/alpha.txt", testing::HttpResponse{503, "busy", {}});
    download([&](TFDownload& dialog) {
        EXPECT_EQ(dialog.trvMeets->topLevelItemCount(), 0);
        EXPECT_EQ(dialog.lblFailure->text(), QStringLiteral("HTTP-Status 503"));
        server.serve("/alpha.txt", testing::HttpResponse{408, "slow", {}});
        chooseServer(*dialog.cbxServer, 0);
        EXPECT_EQ(server.requestCount("/alpha.txt"), 2);
        EXPECT_EQ(dialog.lblFailure->text(), QStringLiteral("HTTP-Status 408"));
    });
    server.serve("/alpha.txt", list);
    download([&](TFDownload& dialog) {
        EXPECT_EQ(server.requestCount("/alpha.txt"), 3);
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 1), QStringList{"Alpha Meet"});
        EXPECT_TRUE(dialog.lblFailure->text().isEmpty());
        chooseServer(*dialog.cbxServer, 0);
        EXPECT_EQ(server.requestCount("/alpha.txt"), 3) << "a shown list is not fetched again";
    });
}

// The selected meet is drawn in the selection colour, although the cells have their own grid lines.
TEST_F(DownloadDialogTest, SelectedMeetKeepsTheSelectionColour)
{
    download([&](TFDownload& dialog) {
        QApplication::processEvents();
        QTreeWidgetItem* selected = dialog.trvMeets->currentItem();
        ASSERT_NE(selected, nullptr);
        ASSERT_TRUE(selected->isSelected());
        const QRect cell = dialog.trvMeets->visualItemRect(selected);
        const QImage image = dialog.trvMeets->viewport()->grab().toImage();
        const QColor highlight = dialog.trvMeets->palette().color(QPalette::Active, QPalette::Highlight);
        const QColor inactive = dialog.trvMeets->palette().color(QPalette::Inactive, QPalette::Highlight);
        const QColor drawn = image.pixelColor(cell.right() - 3, cell.center().y());
        EXPECT_TRUE(drawn == highlight || drawn == inactive) << drawn.name().toStdString();
    });
}

// Without a reachable server list the dialog says why, takes a new address and saves it.
TEST_F(DownloadDialogTest, NoServerOffersTheServerListAddress)
{
    const std::string working = server.url("/appinfo");
    const std::string unreachable = testing::unreachableUrl("/appinfo");
    settings->WriteString("Special", "AppInfoURL", unreachable);
    download([&](TFDownload& dialog) {
        EXPECT_TRUE(dialog.pnlNoServer->isVisible());
        EXPECT_FALSE(dialog.btnLoad->isEnabled());
        EXPECT_TRUE(dialog.lblNoServer->text().startsWith(text('G', 120)));
        EXPECT_TRUE(dialog.lblNoServer->text().contains(QStringLiteral("Verbindung abgelehnt")))
            << dialog.lblNoServer->text().toStdString();
        EXPECT_EQ(dialog.edtAppInfoURL->text().toStdString(), unreachable);
        dialog.edtAppInfoURL->setText(QString::fromStdString(working));
        QTest::mouseClick(dialog.btnApplyURL, Qt::LeftButton);
        EXPECT_FALSE(dialog.pnlNoServer->isVisible());
        EXPECT_EQ(dialog.cbxServer->count(), 2);
        EXPECT_EQ(columnTexts(*dialog.trvMeets, 1), QStringList{"Alpha Meet"});
    });
    EXPECT_TRUE(view->warnings.isEmpty()) << view->warnings.join("|").toStdString();
    EXPECT_EQ(settings->ReadString("Special", "AppInfoURL", ""), working);
}

TEST_F(DownloadDialogTest, OpenUrlButtonClosesTheDialogAndRunsTheCommand)
{
    settings->WriteString("Special", "AppInfoURL", testing::unreachableUrl("/appinfo"));
    int opened = 0;
    TFDownload dialog(
        *settings, [](const QString&) {}, [&] { opened += dialog.isVisible() ? 0 : 1; });
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.btnOpenUrl, Qt::LeftButton); });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(opened, 1);
}

} // namespace
} // namespace lanescope::ui
