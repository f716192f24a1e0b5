#include "base/FormatSettings.h"
#include "browser/ClubTree.h"
#include "lenex/LnxElement.h"
#include "lenex/LnxSchema.h"
#include "ui/CompetitionInfoDialog.h"
#include "ui/FindDialog.h"
#include "ui/HelpView.h"
#include "ui/ImageList.h"
#include "ui/StartScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace lanescope::ui {
namespace {

namespace tag = lenex::tag;
using lenex::TLnxObject;

/** Runs the event loop for the given time, as the program's own loop would. */
void waitMs(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void pressKey(QWidget* widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

const std::filesystem::path kHelpFolder =
    std::filesystem::path(LANESCOPE_TEST_DATA_DIR) / ".." / ".." / "help";

// The QApplication and the German language texts come from the test environment of this program.
class DialogsTest : public ::testing::Test
{
};

// Competition information -------------------------------------------------------------------------------

class CompetitionInfoTest : public DialogsTest
{
protected:
    void SetUp() override
    {
        FSettings = base::currentFormatSettings();
        base::TFormatSettings german = FSettings;
        german.longDateFormat = "d. mmmm yyyy";
        german.longMonthNames[2] = "März";
        base::setCurrentFormatSettings(german);

        FCompetition.setText(tag::NAME, "Frühjahrsmeeting");
        FCompetition.setText(tag::PLACE, "Bern");
        FCompetition.setInteger(tag::PL, 25);
        FCompetition.setText(tag::PM, "m");
        FCompetition.setText(tag::TI, "A");
    }
    void TearDown() override { base::setCurrentFormatSettings(FSettings); }

    QString label(const char* name) const { return FDialog.findChild<QLabel*>(name)->text(); }

    base::TFormatSettings FSettings;
    TLnxObject FCompetition{tag::COMPETITION};
    TVnxFCompetitionInfo FDialog;
};

TEST_F(CompetitionInfoTest, ShowsCompetitionFacts)
{
    FCompetition.setText(tag::DEADLINE, "20260315");
    TLnxObject* table = FCompetition.addObject(tag::POINTTABLE);
    table->setText(tag::NAME, "FINA Punktetabelle");
    table->setText(tag::VERSION, "2024");
    FDialog.fill(&FCompetition, true);

    EXPECT_EQ(FDialog.windowTitle(), "Angaben zur Veranstaltung");
    EXPECT_EQ(label("lblName"), QString::fromUtf8("Frühjahrsmeeting"));
    EXPECT_EQ(label("lblPlace"), "Bern");
    EXPECT_EQ(label("lblPool"), "25 m");
    EXPECT_EQ(label("lblTiming"), "automatisch");
    EXPECT_EQ(label("lblDeadLine"), QString::fromUtf8("15. März 2026"));
    EXPECT_TRUE(FDialog.findChild<QGroupBox*>("grpPointTable")->isEnabled());
    EXPECT_FALSE(FDialog.findChild<QGroupBox*>("grpPointTable")->isHidden());
    EXPECT_EQ(label("lblPktName"), "FINA Punktetabelle");
    EXPECT_EQ(label("lblPktVersion"), "2024");
    EXPECT_TRUE(FDialog.findChild<QLabel*>("lblVers")->isEnabled());
    // No CONTACT: the address stays empty.
    EXPECT_TRUE(label("lblContactName").isEmpty());
    EXPECT_TRUE(label("lblInternet").isEmpty());
}

TEST_F(CompetitionInfoTest, WithoutPointTableTheGroupIsGreyedAndEmpty)
{
    FDialog.fill(&FCompetition, true);
    auto* group = FDialog.findChild<QGroupBox*>("grpPointTable");
    EXPECT_FALSE(group->isEnabled());
    EXPECT_FALSE(FDialog.findChild<QLabel*>("lblVers")->isEnabled());
    EXPECT_TRUE(label("lblPktName").isEmpty());
    EXPECT_TRUE(label("lblPktVersion").isEmpty());
    EXPECT_TRUE(label("lblDeadLine").isEmpty());
}

TEST_F(CompetitionInfoTest, PointTableGroupOnlyWhenAskedFor)
{
    FDialog.fill(&FCompetition, false);
    EXPECT_TRUE(FDialog.findChild<QGroupBox*>("grpPointTable")->isHidden());
}

TEST_F(CompetitionInfoTest, OtherTimingShowsSecondText)
{
    FCompetition.setText(tag::TI, "M3");
    FDialog.fill(&FCompetition, true);
    EXPECT_EQ(label("lblTiming"), "manuell");
}

TEST_F(CompetitionInfoTest, InvalidDeadlineLeavesLabelEmpty)
{
    FCompetition.setText(tag::DEADLINE, "20261399");
    FDialog.fill(&FCompetition, true);
    EXPECT_TRUE(label("lblDeadLine").isEmpty());
}

TEST_F(CompetitionInfoTest, ContactIsTrimmedAndWebAddressLinked)
{
    TLnxObject* contact = FCompetition.addObject(tag::CONTACT);
    contact->setText(tag::FNAME, "Anna");
    contact->setText(tag::PLACE, "Thun");
    contact->setText(tag::EMAIL, "anna@example.org");
    contact->setText(tag::INTERNET, "www.example.org/?a=1&b=<2>");
    FDialog.fill(&FCompetition, true);

    EXPECT_EQ(label("lblContactName"), "Anna");
    EXPECT_EQ(label("lblZipPlace"), "Thun");
    EXPECT_EQ(label("lblEmail"), "anna@example.org");
    auto* web = FDialog.findChild<QLabel*>("lblInternet");
    EXPECT_EQ(web->toolTip(), "www.example.org/?a=1&b=<2>");
    EXPECT_TRUE(web->text().contains("www.example.org/?a=1&amp;b=&lt;2&gt;"));
    EXPECT_TRUE(web->text().startsWith("<a "));
}

// Each address has a row of the dialog's width; a longer one widens the dialog, so it is shown whole.
TEST_F(CompetitionInfoTest, LongAddressesAreShownWhole)
{
    TLnxObject* contact = FCompetition.addObject(tag::CONTACT);
    const std::pair<const char*, const char*> addresses[] = {
        {"meet@swim.example", "www.swim.example"},
        {"entries.and.results.office@regional-swimming-association-of-somewhere.example",
         "https://www.regional-swimming-association-of-somewhere.example/meets/2026/spring-open/invitation"},
    };
    for (const auto& [email, web] : addresses) {
        contact->setText(tag::EMAIL, email);
        contact->setText(tag::INTERNET, web);
        TVnxFCompetitionInfo dialog;
        dialog.fill(&FCompetition, true);
        dialog.show();
        QApplication::processEvents();
        for (const auto& [name, text] : {std::pair("lblEmail", email), std::pair("lblInternet", web)}) {
            auto* shown = dialog.findChild<QLabel*>(name);
            EXPECT_GE(shown->width(), shown->fontMetrics().horizontalAdvance(QString::fromUtf8(text)))
                << text;
            EXPECT_LE(shown->geometry().right(), shown->parentWidget()->width()) << text;
            EXPECT_LE(shown->parentWidget()->geometry().right(), dialog.width()) << text;
        }
    }
}

TEST_F(CompetitionInfoTest, NoCompetitionLeavesEverythingEmpty)
{
    FDialog.fill(nullptr, true);
    EXPECT_TRUE(label("lblName").isEmpty());
    EXPECT_TRUE(label("lblTiming").isEmpty());
}

// Help view ---------------------------------------------------------------------------------------------

struct HelpCase
{
    const char* file;
    const char* firstHeading;
};

class HelpViewTest : public DialogsTest, public ::testing::WithParamInterface<HelpCase>
{
};

TEST_P(HelpViewTest, LoadsHelpWithBoldHeadings)
{
    HelpView view;
    ASSERT_TRUE(view.loadHelpFile(kHelpFolder / GetParam().file));
    EXPECT_TRUE(view.isReadOnly());
    const QTextDocument* document = view.document();
    EXPECT_GT(document->blockCount(), 40);

    int headings = 0;
    bool sawUmlautOrBody = false;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue;
        const QTextCharFormat format = block.begin().fragment().charFormat();
        if (format.fontWeight() == QFont::Bold && format.fontPointSize() > 12)
            ++headings;
        else if (format.fontWeight() != QFont::Bold)
            sawUmlautOrBody = true;
    }
    EXPECT_GE(headings, 10);
    EXPECT_TRUE(sawUmlautOrBody);
    EXPECT_EQ(document->begin().text(), QString::fromUtf8(GetParam().firstHeading));
    EXPECT_FALSE(document->toPlainText().contains('\\'));
    EXPECT_FALSE(document->toPlainText().contains(QChar(0xFFFD)));
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpViewTest,
                         ::testing::Values(HelpCase{"lanescopede.rtf", "Lanescope – Hilfe"},
                                           HelpCase{"lanescopeus.rtf", "Lanescope – Help"}));

TEST_F(DialogsTest, HelpViewGermanTextHasUmlauts)
{
    HelpView view;
    ASSERT_TRUE(view.loadHelpFile(kHelpFolder / "lanescopede.rtf"));
    EXPECT_TRUE(view.document()->toPlainText().contains(QString::fromUtf8("Wettkämpfe")));
}

TEST_F(DialogsTest, HelpViewKeepsTextWhenFileIsMissing)
{
    HelpView view;
    view.setPlainText("before");
    EXPECT_FALSE(view.loadHelpFile(kHelpFolder / "missing.rtf"));
    EXPECT_FALSE(view.loadHelpFile(kHelpFolder));
    EXPECT_EQ(view.toPlainText(), "before");
}

// Find dialog -------------------------------------------------------------------------------------------

TEST_F(DialogsTest, FindDialogSearchesDownAndSignals)
{
    FindDialog dialog;
    EXPECT_TRUE(dialog.searchDown());
    EXPECT_FALSE(dialog.isModal());
    int findNext = 0;
    int closed = 0;
    QObject::connect(&dialog, &FindDialog::findNext, [&findNext] { ++findNext; });
    QObject::connect(&dialog, &FindDialog::closed, [&closed] { ++closed; });
    auto* next = dialog.findChild<QPushButton*>("btnFindNext");
    EXPECT_FALSE(next->isEnabled());

    dialog.setFindText("Muster");
    dialog.show();
    EXPECT_TRUE(next->isEnabled());
    next->click();
    EXPECT_EQ(findNext, 1);
    EXPECT_EQ(dialog.findText(), "Muster");

    dialog.setSearchDown(false);
    EXPECT_FALSE(dialog.searchDown());
    pressKey(&dialog, Qt::Key_Escape);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(dialog.isVisible());
}

// Start screen and about box ----------------------------------------------------------------------------

TVnxFVornixScreen* shownStartScreen()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* screen = qobject_cast<TVnxFVornixScreen*>(widget); screen && screen->isVisible())
            return screen;
    return nullptr;
}

/** Milliseconds until the start screen has gone, polling in small steps; -1 when it stays. */
qint64 waitForStartScreenGone(const QElapsedTimer& clock, int limitMs)
{
    while (clock.elapsed() < limitMs) {
        if (!startScreenShown())
            return clock.elapsed();
        waitMs(5);
    }
    return startScreenShown() ? -1 : clock.elapsed();
}

TEST_F(DialogsTest, StartScreenStaysTheMinimumTimeThenCloses)
{
    std::string sunk;
    setProgressSink([&sunk](const std::string& text) { sunk = text; });
    QElapsedTimer clock;
    clock.start();
    ShowStartScreen(1);
    ASSERT_TRUE(startScreenShown());
    TVnxFVornixScreen* screen = shownStartScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->size(), QSize(383, 243));
    EXPECT_FALSE(screen->findChild<QPushButton*>("btnOK")->isVisible());
    EXPECT_TRUE(screen->findChild<QLabel*>("lblAppName")->text().startsWith("Lanescope "));

    Progress("Loading file a.lef");
    EXPECT_EQ(screen->progressText(), "Loading file a.lef");
    EXPECT_EQ(sunk, "Loading file a.lef");

    // A start screen refuses to close, by Esc or otherwise.
    EXPECT_FALSE(screen->close());
    pressKey(screen, Qt::Key_Escape);
    EXPECT_TRUE(screen->isVisible());

    MainWindowUp();
    const qint64 gone = waitForStartScreenGone(clock, 3000);
    EXPECT_GE(gone, 1000);
    EXPECT_LE(gone, 1000 + 50 + 250);
    Progress("later");
    EXPECT_EQ(sunk, "later");
    setProgressSink({});
}

TEST_F(DialogsTest, StartScreenWaitsForTheMainWindow)
{
    ShowStartScreen(0);
    waitMs(300);
    EXPECT_TRUE(startScreenShown());
    QElapsedTimer clock;
    clock.start();
    MainWindowUp();
    const qint64 gone = waitForStartScreenGone(clock, 2000);
    EXPECT_GE(gone, 0);
    EXPECT_LE(gone, 50 + 250);
}

TEST_F(DialogsTest, AboutBoxClosesWithEscAndOk)
{
    setBetaFeatures(true);
    TVnxFVornixScreen about(true, true);
    about.show();
    EXPECT_TRUE(about.findChild<QPushButton*>("btnOK")->isVisible());
    EXPECT_TRUE(about.findChild<QLabel*>("lblBeta")->isVisible());
    EXPECT_EQ(about.findChild<QLabel*>("lblBeta")->toolTip(), "Programmversion mit Beta-Features");
    pressKey(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());

    about.show();
    about.findChild<QPushButton*>("btnOK")->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    setBetaFeatures(false);

    TVnxFVornixScreen plain(true, false);
    plain.show();
    EXPECT_FALSE(plain.findChild<QLabel*>("lblBeta")->isVisible());
}

// Image list --------------------------------------------------------------------------------------------

TEST_F(DialogsTest, ImageListHasEveryImage)
{
    for (int index = 0; index < imageCount(); ++index) {
        const QImage image = treeImage(index).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16)) << index;
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        EXPECT_GE(drawn, 40) << "image " << index << " is (nearly) empty";
        EXPECT_FALSE(actionIcon(index).isNull()) << index;
    }
    EXPECT_TRUE(treeImage(-1).isNull());
    EXPECT_TRUE(treeImage(imageCount()).isNull());
    EXPECT_TRUE(actionIcon(imageCount()).isNull());
    EXPECT_FALSE(logoImage(QSize(96, 96)).isNull());
}

TEST_F(DialogsTest, MapImagesFollowTheClubImageCodes)
{
    const browser::ClubImages images(firstMapImageIndex());
    EXPECT_EQ(firstMapImageIndex(), 21);
    EXPECT_EQ(images.imageIndexOf("SUI", -1), firstMapImageIndex());
    EXPECT_EQ(imageCount(), firstMapImageIndex() + static_cast<int>(images.codes().size()));
    EXPECT_EQ(images.imageIndexOf("SUI_SKBE", -1), imageCount() - 1);

    // The Swiss flag: red ground with a white cross in the middle.
    const QImage swiss = treeImage(firstMapImageIndex()).toImage();
    EXPECT_EQ(QColor(swiss.pixel(1, 4)).red(), 0xd5);
    EXPECT_EQ(QColor(swiss.pixel(8, 8)), QColor(Qt::white));
    // Each flag and badge differs from the one before it.
    for (int index = firstMapImageIndex() + 1; index < imageCount(); ++index)
        EXPECT_NE(treeImage(index).toImage(), treeImage(index - 1).toImage()) << index;
}

} // namespace
} // namespace lanescope::ui
