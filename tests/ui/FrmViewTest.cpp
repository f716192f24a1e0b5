#include "ui/FrmView.h"

#include "app/VnxLanguage.h"
#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "browser/ClipboardTexts.h"
#include "browser/ListOrder.h"
#include "convert/ConverterChoice.h"
#include "lenex/LnxSchema.h"
#include "support/LocalHttpServer.h"
#include "support/TestFiles.h"
#include "swim/SwimCodes.h"
#include "ui/BrowserPage.h"
#include "ui/ChartView.h"
#include "ui/DialogHooks.h"
#include "ui/ElidedTexts.h"
#include "ui/FindDialog.h"
#include "ui/ListSurface.h"
#include "ui/QtTextMeasure.h"
#include "ui/VnxComboBox.h"
#include "ui/VnxStatusBar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lanescope::ui {
namespace {

namespace fs = std::filesystem;

const QString kSample = QStringLiteral(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");

QString text(char section, int number) { return QString::fromStdString(base::languageText(section, number)); }

// The main window with its message boxes replaced: warnings and information are collected, questions
// answered with the prepared answer.
class TestView : public TfrmView
{
public:
    using TfrmView::TfrmView;

    QStringList warnings;
    QStringList informations;
    QStringList questions;
    bool answer = false;

protected:
    void showWarning(const QString& message) override { warnings.append(message); }
    void showInformation(const QString& message) override { informations.append(message); }
    bool askQuestion(const QString& message) override
    {
        questions.append(message);
        return answer;
    }
};

class FrmViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder =
            fs::path(::testing::TempDir()) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder);
        fs::create_directories(folder);
        settings = std::make_unique<base::TVnxIniFile>(folder / "lanescope.ini");
        settings->WriteBool("Files", "AskRegExtension", false);
        view = std::make_unique<TestView>(*settings);
    }

    void TearDown() override
    {
        view.reset();
        fs::remove_all(folder);
    }

    // The first tree item (in display order) whose node satisfies the test.
    static QTreeWidgetItem* findItem(QTreeWidget* tree, const std::function<bool(QTreeWidgetItem*)>& test)
    {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if (test(*it))
                return *it;
        return nullptr;
    }

    QTreeWidgetItem* eventItemWithResults()
    {
        return findItem(view->shtEvents->tree(), [this](QTreeWidgetItem* item) {
            view->shtEvents->tree()->setCurrentItem(item);
            return view->shtEvents->headerShown() && view->hasResults();
        });
    }

    static std::vector<std::string> texts(const browser::TvnxPaintBox& box)
    {
        std::vector<std::string> result;
        for (const browser::PaintItem& item : box.items())
            if (item.kind == browser::PaintItem::Kind::Text)
                result.push_back(item.text);
        return result;
    }

    static const browser::PaintItem* highlighted(const browser::TvnxPaintBox& box)
    {
        for (const browser::PaintItem& item : box.items())
            if (item.brush == browser::ColourRole::Highlight)
                return &item;
        return nullptr;
    }

    void expectEmptyWindow()
    {
        EXPECT_EQ(view->shtEvents->tree()->topLevelItemCount(), 0);
        EXPECT_EQ(view->shtTeilnehmer->tree()->topLevelItemCount(), 0);
        EXPECT_EQ(view->CbxCompetitions->count(), 0);
        EXPECT_TRUE(view->shtEvents->surface()->paintBox().items().empty());
        EXPECT_FALSE(view->shtEvents->headerShown());
        for (QAction* action : {view->ActClose, view->ActFileInfo, view->actSearch, view->ActClubStats,
                                view->ActPrint, view->actCopy, view->ActCompetitionInfo})
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    }

    fs::path folder;
    std::unique_ptr<base::TVnxIniFile> settings;
    std::unique_ptr<TestView> view;
};

TEST_F(FrmViewTest, OpensTheSampleAndShowsWhatTheCoreDraws)
{
    view->OpenFile(kSample, true);
    ASSERT_TRUE(view->warnings.isEmpty()) << view->warnings.join("\n").toStdString();
    EXPECT_TRUE(view->windowTitle().startsWith("VORNIX Lanescope "));
    EXPECT_TRUE(view->windowTitle().endsWith(" - autumn-open-2026.lef"));
    ASSERT_EQ(view->CbxCompetitions->count(), 1);
    EXPECT_TRUE(view->CbxCompetitions->isReadOnly());
    EXPECT_EQ(view->CbxCompetitions->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(view->CbxCompetitions->currentText().contains("   ( 25 m )"))
        << view->CbxCompetitions->currentText().toStdString();
    EXPECT_TRUE(view->ActClose->isEnabled());
    EXPECT_TRUE(view->ActCompetitionInfo->isEnabled());
    EXPECT_FALSE(view->ActOpenInEditor->isEnabled()); // the file holds results
    EXPECT_GT(view->shtEvents->tree()->topLevelItemCount(), 0);
    EXPECT_GT(view->shtTeilnehmer->tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(view->actCopy->isEnabled()); // the first list is shown

    // The same competition drawn by the core alone, with the window's measurement and header.
    lenex::TLenex document;
    const auto converter =
        convert::createConverter(convert::chooseConverter(kSample.toStdString()), document);
    converter->Load(kSample.toStdString());
    document.buildIndexes();
    browser::BrowserModels models;
    models.build(document, 0);

    view->PgcMain->setCurrentIndex(TfrmView::EventsPage);
    QTreeWidgetItem* item = eventItemWithResults();
    ASSERT_NE(item, nullptr);
    const browser::EventTreeNode* shown = view->selectedEventNode();
    const browser::EventTreeNode* twin = nullptr;
    const auto twins = models.events.nodesInOrder();
    const auto windowNodes = view->models().events.nodesInOrder();
    for (std::size_t k = 0; k < windowNodes.size() && k < twins.size(); ++k)
        if (windowNodes[k] == shown)
            twin = twins[k];
    ASSERT_NE(twin, nullptr);

    QtTextMeasure measure;
    browser::TvnxPaintBox box(measure);
    browser::EventHeader header = browser::defaultEventHeader();
    // The window widens a per-list section whose caption needs more room in its header font.
    browser::EventPageOptions options;
    options.captionWidth = [this](const std::string& caption) {
        return view->shtEvents->captionWidth(caption);
    };
    options.heatLaneColumn = true;
    options.reactionColumn = true;
    // A list chosen afresh fits its name and club sections to the pane, every section keeping room for its
    // caption. The list is drawn at the scale of the desktop's font; the layout is in unscaled units.
    const int scale = view->shtEvents->surface()->paintBox().scale();
    view->shtEvents->keepCaptionRoom(header);
    browser::fitTextColumns(header, measure, twin, models.lists,
                            view->shtEvents->surface()->viewport()->width() * 100 / scale);
    view->shtEvents->keepCaptionRoom(header);
    const browser::EventPageDrawing expected =
        browser::drawEventsPage(box, header, twin, document, models.lists, options);
    EXPECT_EQ(view->shtEvents->title()->text().toStdString(), expected.title);
    QHeaderView* headerView = view->shtEvents->header();
    for (int k = 0; k < headerView->count(); ++k) {
        const auto& section = header[static_cast<std::size_t>(k)];
        EXPECT_EQ(headerView->model()->headerData(k, Qt::Horizontal).toString().toStdString(), section.text);
        EXPECT_EQ(headerView->sectionSize(k), section.width * scale / 100) << "section " << k;
    }
    EXPECT_EQ(headerView->model()->headerData(0, Qt::Horizontal).toString(), text('V', 28));
    EXPECT_EQ(headerView->model()->headerData(3, Qt::Horizontal).toString(), text('V', 11));
    const browser::TvnxPaintBox& drawn = view->shtEvents->surface()->paintBox();
    EXPECT_EQ(texts(drawn), texts(box));
    ASSERT_EQ(drawn.items().size(), box.items().size());
    for (std::size_t k = 0; k < box.items().size(); ++k) {
        EXPECT_EQ(drawn.items()[k].left, box.items()[k].left) << box.items()[k].text;
        EXPECT_EQ(drawn.items()[k].y, box.items()[k].y) << box.items()[k].text;
        EXPECT_EQ(drawn.items()[k].flags, box.items()[k].flags) << box.items()[k].text;
    }
    EXPECT_TRUE(view->actCopy->isEnabled());
    EXPECT_TRUE(view->ActPrint->isEnabled());

    // The copy ends each result line with the heat/lane and reaction columns the window shows.
    view->actCopyExecute();
    browser::CopyOptions copyOptions;
    copyOptions.heatLane = view->ActHeatLane->isChecked();
    copyOptions.reaction = view->ActReaction->isChecked();
    const std::string copied = browser::CopyEventList(document, models.lists, *twin, copyOptions);
    EXPECT_NE(copied.find("\t2 / 5\t0.63\r\n"), std::string::npos);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), copied);
    EXPECT_NE(copied.find("\r\n"), std::string::npos);

    // The participants page: a club shows its counts without a header, so copy is off there.
    view->PgcMain->setCurrentIndex(TfrmView::ParticipantsPage);
    EXPECT_FALSE(view->actCopy->isEnabled());
    QTreeWidgetItem* athlete = findItem(view->shtTeilnehmer->tree(), [this](QTreeWidgetItem* candidate) {
        view->shtTeilnehmer->tree()->setCurrentItem(candidate);
        return view->shtTeilnehmer->headerShown();
    });
    ASSERT_NE(athlete, nullptr);
    EXPECT_TRUE(view->actCopy->isEnabled());
    view->actCopyExecute();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(athlete->text(0) + "\r\n"));
    models.clear();
}

TEST_F(FrmViewTest, SearchHighlightsEachHitAndReportsWhenNoneIsLeft)
{
    view->OpenFile(kSample, true);
    view->PgcMain->setCurrentIndex(TfrmView::EventsPage);
    view->actSearchExecute();
    ASSERT_NE(view->findDialog(), nullptr);
    EXPECT_EQ(view->selectedEventNode(), nullptr);
    view->findDialog()->setFindText(QStringLiteral("petersen"));

    // The end of the hits is said inside the find dialog, with no message box over it.
    const auto notFound = [this] { return view->findDialog()->notFoundText(); };
    std::vector<std::pair<const browser::EventTreeNode*, int>> hits;
    for (int step = 0; step < 50 && notFound().isEmpty(); ++step) {
        view->FindDialog1Find();
        if (!notFound().isEmpty())
            break;
        const browser::PaintItem* mark = highlighted(view->shtEvents->surface()->paintBox());
        ASSERT_NE(mark, nullptr) << "step " << step;
        EXPECT_NE(QString::fromStdString(mark->text).indexOf("Petersen"), -1) << mark->text;
        hits.emplace_back(view->selectedEventNode(), view->searchState().FLastFoundRow);
        EXPECT_EQ(view->searchState().FFoundRow, -1); // forgotten after one drawing
    }
    ASSERT_GE(hits.size(), 2U);
    EXPECT_NE(hits[0], hits[1]);
    EXPECT_EQ(notFound(), text('V', 27));
    EXPECT_TRUE(view->warnings.isEmpty());
    // Changing the text takes the message away.
    view->findDialog()->setFindText(QStringLiteral("petersen "));
    EXPECT_TRUE(notFound().isEmpty());

    // Closing the dialog forgets the search.
    view->findDialog()->close();
    EXPECT_EQ(view->searchState().FLastFoundRow, -1);

    // On the participants page the search walks the athlete nodes.
    view->warnings.clear();
    view->PgcMain->setCurrentIndex(TfrmView::ParticipantsPage);
    view->findDialog()->setFindText(QStringLiteral("PETERSEN"));
    view->FindDialog1Find();
    ASSERT_NE(view->selectedClubNode(), nullptr);
    EXPECT_NE(QString::fromStdString(view->selectedClubNode()->text).indexOf("Petersen"), -1);
    EXPECT_TRUE(view->warnings.isEmpty());
}

// Two competitions: the first with entries only, the second with a result.
constexpr const char* kTwoCompetitions = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><COMPETITIONS>
 <COMPETITION><NAME>Entries Meet</NAME><PLACE>Kiel</PLACE>
  <PERIODS><PERIOD><NAME>Day 1</NAME><EVENTS><EVENT id="1"><NUM>1</NUM><DIS>100</DIS><DISCNT>1</DISCNT>
   <STR>FR</STR><SEX>F</SEX><TYPE>TIM</TYPE></EVENT></EVENTS></PERIOD></PERIODS>
  <CLUBS><CLUB><NAME>SV Kiel</NAME><PERSONS><PERSON id="10"><NAME>Alpha</NAME><FNAME>Anna</FNAME><YOB>2010</YOB>
   <ENTRIES><ENTRY><EID>1</EID><TIME>E00h01:05.00</TIME></ENTRY></ENTRIES></PERSON></PERSONS></CLUB></CLUBS>
 </COMPETITION>
 <COMPETITION><NAME>Results Meet</NAME><PLACE>Bern</PLACE><PL>50</PL><PM>m</PM>
  <PERIODS><PERIOD><NAME>Day 1</NAME><EVENTS><EVENT id="2"><NUM>1</NUM><DIS>50</DIS><DISCNT>1</DISCNT>
   <STR>BK</STR><SEX>M</SEX><TYPE>TIM</TYPE></EVENT></EVENTS></PERIOD></PERIODS>
  <CLUBS><CLUB><NAME>SC Bern</NAME><PERSONS><PERSON id="20"><NAME>Beta</NAME><FNAME>Ben</FNAME><YOB>2009</YOB>
   <RESULTS><RESULT><EID>2</EID><TIME>V00h00:31.20</TIME><RANK>1</RANK></RESULT></RESULTS></PERSON></PERSONS>
  </CLUB></CLUBS>
 </COMPETITION>
</COMPETITIONS></LENEX>
)";

TEST_F(FrmViewTest, SeveralCompetitionsMakeTheSelectorChoosable)
{
    const fs::path file = folder / "two.lef";
    std::ofstream(file) << kTwoCompetitions;
    view->OpenFile(QString::fromStdString(file.string()), true);
    ASSERT_TRUE(view->warnings.isEmpty()) << view->warnings.join("\n").toStdString();
    ASSERT_EQ(view->CbxCompetitions->count(), 2);
    EXPECT_FALSE(view->CbxCompetitions->isReadOnly());
    EXPECT_EQ(view->CbxCompetitions->itemText(0), QStringLiteral("Entries Meet,  Kiel   ( 50 m )"));
    EXPECT_EQ(view->CbxCompetitions->currentIndex(), 0);
    // One competition holds results: the entry editor is not offered for the file.
    EXPECT_FALSE(view->ActOpenInEditor->isEnabled());
    EXPECT_TRUE(view->ActFileInfo->isEnabled());

    auto clubNames = [this] {
        QStringList names;
        for (QTreeWidgetItemIterator it(view->shtTeilnehmer->tree()); *it; ++it)
            names.append((*it)->text(0));
        return names;
    };
    EXPECT_TRUE(clubNames().contains("SV Kiel"));
    view->CbxCompetitions->setCurrentIndex(1);
    EXPECT_TRUE(clubNames().contains("SC Bern"));
    EXPECT_FALSE(clubNames().contains("SV Kiel"));
    EXPECT_EQ(view->document().currentCompetitionIndex(), 1);
    EXPECT_TRUE(view->ActCompetitionInfo->isEnabled());
}

TEST_F(FrmViewTest, AnUnsupportedFileShowsV32AndLeavesTheWindowEmpty)
{
    view->OpenFile(kSample, true);
    const fs::path unsupported = folder / "results.txt";
    std::ofstream(unsupported) << "not a result file\n";
    view->OpenFile(QString::fromStdString(unsupported.string()), true);
    ASSERT_EQ(view->warnings.size(), 1);
    EXPECT_EQ(view->warnings.first(), text('V', 32));
    EXPECT_FALSE(view->windowTitle().contains(" - "));
    expectEmptyWindow();
}

TEST_F(FrmViewTest, DocumentErrorsShowV9WithTheirLinesAndLeaveTheWindowEmpty)
{
    const fs::path broken = folder / "duplicate-person.lef";
    std::ofstream(broken) << "<?xml version=\"1.0\"?>\n<LENEX><COMPETITIONS><COMPETITION><NAME>Meet</NAME>"
                             "<CLUBS><CLUB><NAME>Club</NAME><PERSONS><PERSON id=\"7\"><NAME>A</NAME></PERSON>"
                             "<PERSON id=\"7\"><NAME>B</NAME></PERSON></PERSONS></CLUB></CLUBS>"
                             "</COMPETITION></COMPETITIONS></LENEX>\n";
    view->OpenFile(QString::fromStdString(broken.string()), true);
    ASSERT_EQ(view->warnings.size(), 1);
    EXPECT_TRUE(view->warnings.first().startsWith(text('V', 9) + "\r\n"))
        << view->warnings.first().toStdString();
    EXPECT_TRUE(view->warnings.first().contains("Duplicate PERSON id !"))
        << view->warnings.first().toStdString();
    expectEmptyWindow();
    EXPECT_EQ(view->document().root(), nullptr);
}

// A file without a meet says what it holds, as the command line does.
TEST_F(FrmViewTest, AFileWithoutCompetitionsSaysWhatItHolds)
{
    const fs::path empty = folder / "empty.lef";
    std::ofstream(empty) << "<?xml version=\"1.0\"?>\n<LENEX></LENEX>\n";
    view->OpenFile(QString::fromStdString(empty.string()), true);
    ASSERT_EQ(view->warnings.size(), 1);
    EXPECT_EQ(view->warnings.first(), text('V', 211));
    expectEmptyWindow();
}

// What a format converter leaves out is said once the file is shown.
TEST_F(FrmViewTest, ConverterWarningsAreShownWithTheOpenedFile)
{
    const auto record = [](std::string line, const std::vector<std::pair<int, std::string>>& fields) {
        line.resize(160, ' ');
        for (const auto& [column, text] : fields)
            line.replace(static_cast<std::size_t>(column - 1), text.size(), text);
        return line + "\r\n";
    };
    const fs::path dual = folder / "dual-meet.sd3";
    std::ofstream(dual, std::ios::binary)
        << record("A0", {{12, "02"}}) << record("B1", {{12, "Dual Meet"}, {122, "01102025"}})
        << record("C1", {{14, "HOME"}, {18, "Home Team"}})
        << record("D0",
                  {{12, "Swimmer, Sam"}, {66, "F"}, {68, " 1001"}, {73, "1"}, {116, "1:00.00"}, {124, "Y"}})
        << record("D0",
                  {{12, "Diver, Dee"}, {66, "F"}, {68, "   1H"}, {73, "2"}, {116, " 245.50"}, {124, "Y"}});
    view->OpenFile(QString::fromStdString(dual.string()), true);
    ASSERT_EQ(view->warnings.size(), 1);
    EXPECT_TRUE(view->warnings.first().startsWith("1 diving")) << view->warnings.first().toStdString();
    EXPECT_EQ(view->CbxCompetitions->count(), 1);
}

TEST_F(FrmViewTest, ClosingClearsBothTreesAndDisablesTheFileCommands)
{
    view->OpenFile(kSample, true);
    ASSERT_NE(eventItemWithResults(), nullptr);
    view->ActClose->trigger();
    expectEmptyWindow();
    EXPECT_FALSE(view->shtEvents->headerShown());
    EXPECT_TRUE(view->shtEvents->title()->text().isEmpty());
    EXPECT_EQ(view->document().root(), nullptr);
}

TEST_F(FrmViewTest, ALanguageChangeRenamesTheHeaderSections)
{
    app::TLanguage& language = app::LanguageManager();
    ASSERT_TRUE(language.LoadLanguage(app::kFallbackLanguage, false));
    const QString english = text('V', 28);
    const QString clubsFirst = text('S', 18);
    ASSERT_TRUE(language.LoadLanguage(1, false));
    ASSERT_NE(english, text('V', 28));
    ASSERT_TRUE(language.LoadLanguage(app::kFallbackLanguage, false));
    EXPECT_EQ(view->shtEvents->header()->model()->headerData(0, Qt::Horizontal).toString(), english);
    EXPECT_EQ(view->shtTeilnehmer->header()->model()->headerData(0, Qt::Horizontal).toString(), clubsFirst);
    ASSERT_TRUE(language.LoadLanguage(1, false));
    EXPECT_EQ(view->shtEvents->header()->model()->headerData(0, Qt::Horizontal).toString(), text('V', 28));
}

TEST_F(FrmViewTest, CommandHintsReachTheStatusBar)
{
    QStatusTipEvent tip(view->ActLoadFile->statusTip());
    QApplication::sendEvent(view.get(), &tip);
    EXPECT_EQ(view->statusBarView->messageText(), QStringLiteral(" Datei öffnen."));
    EXPECT_EQ(view->ActLoadFile->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
}

TEST_F(FrmViewTest, CtrlTabSkipsTheHiddenHelpPage)
{
    view->show();
    view->PgcMain->setCurrentIndex(TfrmView::ParticipantsPage);
    // The library page stands after the hidden help page.
    QKeyEvent next(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    QApplication::sendEvent(view->PgcMain, &next);
    EXPECT_EQ(view->PgcMain->currentIndex(), TfrmView::SeasonLibraryPage);
    QApplication::sendEvent(view->PgcMain, &next);
    EXPECT_EQ(view->PgcMain->currentIndex(), TfrmView::EventsPage);
    QKeyEvent previous(QEvent::KeyPress, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(view->PgcMain, &previous);
    EXPECT_EQ(view->PgcMain->currentIndex(), TfrmView::SeasonLibraryPage);
    QApplication::sendEvent(view->PgcMain, &previous);
    EXPECT_EQ(view->PgcMain->currentIndex(), TfrmView::ParticipantsPage);
}

TEST_F(FrmViewTest, SettingsAreKeptAcrossWindows)
{
    view.reset();
    settings->WriteInteger("main", "pgcMain", TfrmView::HelpPage);
    settings->WriteInteger("main", "hcEvents1", 5); // below the smallest width
    settings->WriteBool("main", "tnSplit", true);
    settings->WriteString("Windows", "frmView", "9000,100,600,400,0"); // on a monitor that is gone
    view = std::make_unique<TestView>(*settings);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(view->geometry()))
        << view->geometry().x() << "," << view->geometry().y();
    EXPECT_EQ(view->PgcMain->currentIndex(), TfrmView::EventsPage);
    EXPECT_EQ(view->shtEvents->header()->sectionSize(1),
              50 * view->shtEvents->surface()->paintBox().scale() / 100);
    EXPECT_TRUE(view->shtTeilnehmer->splits()->isChecked());
    view->shtEvents->onlyValids()->setChecked(true);
    view->PgcMain->setCurrentIndex(TfrmView::ParticipantsPage);
    view.reset();
    EXPECT_EQ(settings->ReadInteger("main", "pgcMain", -1), TfrmView::ParticipantsPage);
    EXPECT_TRUE(settings->ReadBool("main", "evOnlyValids", false));
    EXPECT_EQ(settings->ReadInteger("main", "hcClubs0", 0), 45);
    EXPECT_FALSE(settings->ReadString("Windows", "frmView", "").empty());
}

TEST_F(FrmViewTest, TheRegistrationQuestionIsAskedOnce)
{
    view.reset();
    settings->DeleteKey("Files", "AskRegExtension");
    for (int run = 0; run < 2; ++run) {
        view = std::make_unique<TestView>(*settings);
        view->answer = true;
        view->show();
        QApplication::processEvents();
        EXPECT_EQ(view->questions.size(), run == 0 ? 1 : 0);
        view.reset();
    }
    EXPECT_FALSE(settings->ReadBool("Files", "AskRegExtension", true));
}

TEST_F(FrmViewTest, CommandLineFileOpensAfterShowUnlessItIsAFormTextFolder)
{
    view.reset();
    view = std::make_unique<TestView>(*settings, QStringList{"$" + QString::fromStdString(folder.string())});
    view->show();
    QApplication::processEvents();
    EXPECT_EQ(view->CbxCompetitions->count(), 0);
    EXPECT_TRUE(view->warnings.isEmpty());

    view = std::make_unique<TestView>(*settings, QStringList{kSample});
    view->show();
    QApplication::processEvents();
    EXPECT_EQ(view->CbxCompetitions->count(), 1);
    EXPECT_TRUE(view->warnings.isEmpty());
}

// A tree that gets the focus without a current node makes its first node current: that node is selected
// too. A title wider than its panel is cut and offers the whole text as its tool tip.
// After opening, the first event that holds rows is chosen and drawn, so the page never starts empty.
TEST_F(FrmViewTest, TheFirstListIsShownAfterOpening)
{
    view->resize(1000, 600);
    view->show();
    view->OpenFile(kSample, true);
    const browser::EventTreeNode* node = view->selectedEventNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node, browser::firstShownNode(view->models().events, view->models().lists));
    EXPECT_EQ(node->level, 1);
    EXPECT_TRUE(view->shtEvents->tree()->currentItem()->isSelected());
    EXPECT_TRUE(view->shtEvents->headerShown());
    EXPECT_FALSE(view->shtEvents->surface()->paintBox().items().empty());
    EXPECT_FALSE(view->shtEvents->title()->text().isEmpty());
    EXPECT_TRUE(view->actCopy->isEnabled());
    EXPECT_TRUE(view->ActExportCsv->isEnabled());
}

// Header clicks sort, the filter field (Ctrl+L) filters as typed, keys and clicks select rows, Ctrl+C copies
// the selected rows, and the CSV export writes the list as shown.
TEST_F(FrmViewTest, SortFilterSelectCopyAndExportTheShownList)
{
    view->resize(1000, 600);
    view->show();
    view->OpenFile(kSample, true);
    const browser::EventTreeNode* node = view->selectedEventNode();
    ASSERT_NE(node, nullptr);
    ListSurface* surface = view->shtEvents->surface();
    const std::size_t all = browser::shownSections(node, view->models().lists, {})[0].rows.size();
    ASSERT_GE(all, 3U);

    view->shtEvents->header()->sectionClicked(1);
    EXPECT_EQ(view->eventOrder().column, browser::SortColumn::Name);
    EXPECT_FALSE(view->eventOrder().reversed);
    view->shtEvents->header()->sectionClicked(1);
    EXPECT_TRUE(view->eventOrder().reversed);
    view->shtEvents->header()->sectionClicked(0);
    EXPECT_EQ(view->eventOrder().column, browser::SortColumn::Place);

    view->ActFilter->trigger();
    EXPECT_TRUE(view->EdtFilter->hasFocus());
    QTest::keyClicks(view->EdtFilter, "zzzz-nobody");
    EXPECT_TRUE(view->shtEvents->headerShown());
    EXPECT_EQ(texts(surface->paintBox()), std::vector<std::string>{text('V', 56).toStdString()});
    view->EdtFilter->clear();
    EXPECT_GT(texts(surface->paintBox()).size(), all);

    surface->setFocus();
    QTest::keyClick(surface, Qt::Key_Down);
    QTest::keyClick(surface, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(surface->selectedRows(), (std::set<int>{0, 1}));
    EXPECT_EQ(surface->currentRow(), 1);
    EXPECT_NE(highlighted(surface->paintBox()), nullptr);
    view->actCopyExecute();
    const QStringList lines =
        QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 3) << lines.join('|').toStdString(); // the title and two rows
    QTest::keyClick(surface, Qt::Key_End);
    EXPECT_EQ(surface->selectedRows(), (std::set<int>{static_cast<int>(all) - 1}));
    QTest::keyClick(surface, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(surface->selectedRows().size(), all);

    const QString csvFile = QString::fromStdString((folder / "list.csv").string());
    ASSERT_TRUE(view->exportCsv(csvFile));
    QFile csv(csvFile);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        csv.readAll().startsWith("Place,Name,Year,Club,Nation,Time,Points,Status,Heat,Lane,Reaction"));
}

// "Picture" shows the race picture in the list's place: the selected rows, else the first eight swims with
// splits; the athletes' page has no race to draw and offers no picture.
TEST_F(FrmViewTest, ThePictureTakesTheListsPlaceAndDrawsTheSelectedRows)
{
    view->resize(1000, 600);
    view->show();
    view->OpenFile(kSample, true);
    const auto gapLines = [this] {
        int count = 0;
        for (const report::RecordedItem& item : view->shtEvents->chart()->page().items)
            count += item.kind == report::RecordedItem::Kind::Path && item.style.name.rfind("gap ", 0) == 0;
        return count;
    };
    EXPECT_TRUE(view->shtTeilnehmer->picture()->isHidden());
    view->shtEvents->picture()->setChecked(true);
    EXPECT_TRUE(view->shtEvents->chart()->isVisible());
    EXPECT_FALSE(view->shtEvents->surface()->isVisible());
    EXPECT_FALSE(view->shtEvents->headerShown());
    const int firstRows = gapLines();
    EXPECT_GT(firstRows, 0);
    EXPECT_LE(firstRows, 8);

    view->shtEvents->picture()->setChecked(false);
    ListSurface* surface = view->shtEvents->surface();
    surface->setFocus();
    QTest::keyClick(surface, Qt::Key_Down);
    QTest::keyClick(surface, Qt::Key_Down, Qt::ShiftModifier);
    view->shtEvents->picture()->setChecked(true);
    EXPECT_EQ(gapLines(), 2);
    view->shtEvents->picture()->setChecked(false);
    EXPECT_TRUE(surface->isVisible());
    EXPECT_TRUE(view->shtEvents->headerShown());
}

TEST_F(FrmViewTest, FocusedTreeSelectsItsFirstNodeAndLongTitlesOfferTheWholeText)
{
    view->resize(900, 500);
    view->show();
    view->OpenFile(kSample, true);
    QTreeWidget* tree = view->shtEvents->tree();
    tree->setCurrentItem(nullptr);
    tree->clearSelection();
    // What a focus-in of an item view does when it has no current node.
    tree->selectionModel()->setCurrentIndex(tree->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_TRUE(tree->currentItem()->isSelected());

    ElidedLabel* title = view->shtEvents->title();
    const QString longTitle = QString(40, QLatin1Char('W'));
    title->setText(longTitle);
    title->resize(title->fontMetrics().horizontalAdvance(longTitle) / 2, title->height());
    EXPECT_TRUE(title->elided());
    EXPECT_EQ(title->toolTip(), longTitle);
    EXPECT_EQ(title->text(), longTitle);
    title->resize(title->sizeHint().width() + 10, title->height());
    EXPECT_FALSE(title->elided());
    EXPECT_TRUE(title->toolTip().isEmpty());
}

// The world championships file the 1500 m results under the fastest heat and only entries under the timed
// final: both nodes show the ranked list, and a search for a swimmer of it lands on a drawn, highlighted row
// inside the view, also with splits, whose rows are far taller than a plain row.
TEST_F(FrmViewTest, FastestHeatResultsShowOnBothNodesAndTheSearchLandsOnThem)
{
    const fs::path file =
        fs::path(LANESCOPE_SHARED_TESTDATA_DIR) / "lenex3" / "world-sc-championships-2022.lef";
    if (!fs::is_regular_file(file))
        GTEST_SKIP() << "no shared test data";
    view->resize(1000, 600);
    view->show();
    view->OpenFile(QString::fromStdString(file.string()), true);
    ASSERT_TRUE(view->warnings.isEmpty()) << view->warnings.join("\n").toStdString();
    view->PgcMain->setCurrentIndex(TfrmView::EventsPage);
    QTreeWidget* tree = view->shtEvents->tree();
    const auto eventItem = [&](const char* round) {
        return findItem(tree, [round](QTreeWidgetItem* item) {
            const auto* node = reinterpret_cast<const browser::EventTreeNode*>(
                item->data(0, Qt::UserRole).value<quintptr>());
            return node && node->level == 1 && node->data->getInteger(lenex::tag::NUM) == 10 &&
                   node->data->getText(lenex::tag::TYPE) == round;
        });
    };
    QTreeWidgetItem* timedFinal = eventItem("TIM");
    QTreeWidgetItem* fastestHeat = eventItem("FHT");
    ASSERT_NE(timedFinal, nullptr);
    ASSERT_NE(fastestHeat, nullptr);
    for (QTreeWidgetItem* item : {timedFinal, fastestHeat}) {
        tree->setCurrentItem(item);
        const std::vector<std::string> drawn = texts(view->shtEvents->surface()->paintBox());
        SCOPED_TRACE(item->text(0).toStdString());
        EXPECT_TRUE(view->shtEvents->headerShown());
        for (const std::string& expected :
             {std::string("1."), std::string("PALTRINIERI Gregorio, 94"), std::string("14:16.88"),
              std::string("16."), swim::statusCodeText("DNS")})
            EXPECT_NE(std::find(drawn.begin(), drawn.end(), expected), drawn.end()) << expected;
    }

    view->shtEvents->splits()->setChecked(true);
    view->actSearchExecute();
    view->findDialog()->setFindText(QStringLiteral("HART Ivan"));
    tree->setCurrentItem(timedFinal); // the user picks the event before the first step
    for (QTreeWidgetItem* expectedNode : {timedFinal, fastestHeat}) {
        view->FindDialog1Find();
        ASSERT_TRUE(view->warnings.isEmpty());
        EXPECT_EQ(tree->currentItem(), expectedNode);
        EXPECT_TRUE(expectedNode->isSelected());
        const browser::PaintItem* mark = highlighted(view->shtEvents->surface()->paintBox());
        ASSERT_NE(mark, nullptr);
        EXPECT_EQ(mark->text, "HART Ivan, 06");
        const ListSurface* surface = view->shtEvents->surface();
        const int scale = surface->paintBox().scale(); // the list is drawn at the desktop font's scale
        const int top = mark->y * scale / 100;
        const int bottom = (mark->y + mark->height) * scale / 100;
        EXPECT_GT(top, surface->clientHeight()); // far down the list
        EXPECT_LE(surface->scrollY(), top);
        EXPECT_GE(surface->scrollY() + surface->clientHeight(), bottom);
    }
}

TEST_F(FrmViewTest, EveryRealFileTheConvertersAcceptOpensWithoutAMessage)
{
    const fs::path data = LANESCOPE_SHARED_TESTDATA_DIR;
    if (!fs::is_directory(data))
        GTEST_SKIP() << "no shared test data";
    int opened = 0;
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        const std::string file = entry.path().string();
        if (!entry.is_regular_file() || convert::chooseConverter(file) == convert::ConverterKind::None)
            continue;
        view->warnings.clear();
        view->OpenFile(QString::fromStdString(file), true);
        EXPECT_TRUE(view->warnings.isEmpty()) << file << ": " << view->warnings.join("\n").toStdString();
        EXPECT_GE(view->CbxCompetitions->count(), 1) << file;
        ++opened;
    }
    std::printf("%d real files opened\n", opened);
    EXPECT_GT(opened, 0);
}

// The sample with the winning time of event 1 replaced.
std::string sampleWithTime(const std::string& time)
{
    std::string lenex = testing::readFile(kSample.toStdString());
    for (std::size_t at = 0; (at = lenex.find("V00h00:56.79", at)) != std::string::npos; at += 12)
        lenex.replace(at, 12, "V00h00:" + time);
    return lenex;
}

bool drawnContains(const BrowserPage* page, const std::string& text)
{
    for (const browser::PaintItem& item : page->surface()->paintBox().items())
        if (item.text.find(text) != std::string::npos)
            return true;
    return false;
}

// Whether the list has bars of changed results and each stands at a row that shows the text.
bool marksRowsWith(const BrowserPage* page, const std::string& text)
{
    const auto& items = page->surface()->paintBox().items();
    int bars = 0;
    for (const browser::PaintItem& bar : items) {
        if (bar.kind != browser::PaintItem::Kind::Bar)
            continue;
        ++bars;
        if (bar.brush != browser::ColourRole::Changed ||
            std::none_of(items.begin(), items.end(), [&](const browser::PaintItem& item) {
                return item.y == bar.y && item.text.find(text) != std::string::npos;
            }))
            return false;
    }
    return bars > 0;
}

// Reload keeps the selected event and the scroll position; a file caught half-written keeps the shown
// data; with Live on, a change on disk is read once the file has been quiet for a second. Changed results
// are marked until a load changes something else.
TEST_F(FrmViewTest, ReloadKeepsThePlaceAndNeverShowsAHalfWrittenFile)
{
    const QString file = QString::fromStdString((folder / "live.lef").string());
    testing::writeFile(file.toStdString(), sampleWithTime("56.79"));
    view->resize(700, 320);
    view->show();
    view->OpenFile(file, true);
    view->PgcMain->setCurrentIndex(TfrmView::EventsPage);
    QTreeWidgetItem* item = eventItemWithResults();
    ASSERT_NE(item, nullptr);
    const QString selected = item->text(0);
    view->shtEvents->surface()->scrollToY(60);
    const int scroll = view->shtEvents->surface()->scrollY();
    ASSERT_GT(scroll, 0);
    ASSERT_TRUE(drawnContains(view->shtEvents, "56.79"));
    EXPECT_FALSE(marksRowsWith(view->shtEvents, "56.79")) << "a file opened afresh has no marks";

    testing::writeFile(file.toStdString(), sampleWithTime("55.55"));
    EXPECT_TRUE(view->Reload());
    ASSERT_NE(view->shtEvents->tree()->currentItem(), nullptr);
    EXPECT_EQ(view->shtEvents->tree()->currentItem()->text(0), selected);
    EXPECT_EQ(view->shtEvents->surface()->scrollY(), scroll);
    EXPECT_TRUE(drawnContains(view->shtEvents, "55.55"));
    EXPECT_TRUE(marksRowsWith(view->shtEvents, "55.55"));
    EXPECT_TRUE(view->statusBarView->messageText().startsWith(QStringLiteral("Aktualisiert um ")))
        << view->statusBarView->messageText().toStdString();
    EXPECT_TRUE(view->windowTitle().endsWith(" - live.lef"));

    const std::string whole = sampleWithTime("54.44");
    testing::writeFile(file.toStdString(), whole.substr(0, whole.size() / 2));
    EXPECT_FALSE(view->Reload());
    EXPECT_TRUE(drawnContains(view->shtEvents, "55.55"));
    EXPECT_EQ(view->statusBarView->messageText(), QStringLiteral("Datei unvollständig"));
    EXPECT_TRUE(marksRowsWith(view->shtEvents, "55.55"));
    EXPECT_TRUE(view->warnings.isEmpty());

    view->ActLive->setChecked(true);
    view->ActLiveExecute();
    testing::writeFile(file.toStdString(), whole);
    for (int waited = 0; waited < 4000 && !drawnContains(view->shtEvents, "54.44"); waited += 50)
        QTest::qWait(50);
    EXPECT_TRUE(drawnContains(view->shtEvents, "54.44"));
    EXPECT_TRUE(marksRowsWith(view->shtEvents, "54.44"));
    EXPECT_TRUE(view->ActLive->isChecked());
    EXPECT_EQ(view->shtEvents->tree()->currentItem()->text(0), selected);
}

// A link is opened by the file name in its query; an unchanged file, answered 304, costs no reload and
// keeps the marks of changed results.
TEST_F(FrmViewTest, ReloadOfALinkAsksConditionally)
{
    testing::LocalHttpServer server;
    server.serve("/get.php", testing::HttpResponse{200, sampleWithTime("56.79"), {{"ETag", "\"1\""}}});
    view->OpenUrl(QString::fromStdString(server.url("/get.php?meet=4&file=autumn.lef")));
    ASSERT_TRUE(view->warnings.isEmpty()) << view->warnings.join("\n").toStdString();
    EXPECT_EQ(view->CbxCompetitions->count(), 1);
    EXPECT_TRUE(view->windowTitle().endsWith(" - autumn.lef"));
    EXPECT_EQ(view->recentUrls().value(0).toStdString(), server.url("/get.php?meet=4&file=autumn.lef"));
    view->PgcMain->setCurrentIndex(TfrmView::EventsPage);
    ASSERT_NE(eventItemWithResults(), nullptr);
    const browser::EventTreeNode* shown = view->selectedEventNode();

    EXPECT_FALSE(view->Reload());
    EXPECT_EQ(server.requestCount("/get.php"), 2);
    EXPECT_EQ(view->selectedEventNode(), shown) << "the document was not rebuilt";

    server.serve("/get.php", testing::HttpResponse{200, sampleWithTime("55.55"), {{"ETag", "\"2\""}}});
    EXPECT_TRUE(view->Reload());
    EXPECT_TRUE(drawnContains(view->shtEvents, "55.55"));
    EXPECT_TRUE(marksRowsWith(view->shtEvents, "55.55"));
    EXPECT_FALSE(view->Reload());
    EXPECT_TRUE(marksRowsWith(view->shtEvents, "55.55")) << "an unchanged link keeps the marks";
    EXPECT_EQ(view->sourceUrl().toStdString(), server.url("/get.php?meet=4&file=autumn.lef"));

    view->OpenUrl(QString::fromStdString(server.url("/missing.lef")));
    ASSERT_EQ(view->warnings.size(), 1);
    EXPECT_TRUE(view->warnings[0].endsWith(QStringLiteral("HTTP-Status 404")));
}

// The live interval is set in a small dialog that starts at the current value, keeps it within its bounds
// and leaves the settings alone when cancelled.
TEST_F(FrmViewTest, LiveIntervalIsSetInItsDialog)
{
    EXPECT_EQ(view->liveInterval(), 30);
    struct
    {
        int entered;
        bool accepted;
        int kept;
    } const cases[] = {{45, true, 45}, {90, false, 45}, {1, true, 5}, {100000, true, 3600}};
    for (const auto& c : cases) {
        QString label;
        int shown = 0;
        dialogHooks().exec = [&](QDialog& dialog) {
            auto& input = dynamic_cast<QInputDialog&>(dialog);
            label = input.labelText();
            shown = input.intValue();
            input.setIntValue(c.entered);
            return c.accepted ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        const int before = view->liveInterval();
        view->ActLiveInterval->trigger();
        EXPECT_EQ(shown, before) << c.entered;
        EXPECT_EQ(label, text('V', 50));
        EXPECT_EQ(view->liveInterval(), c.kept) << c.entered;
    }
    resetDialogHooks();
    EXPECT_EQ(settings->ReadInteger("Live", "Interval", 0), 3600);
}

// A first start takes two thirds of the screen; the tree panes keep their share when the window shrinks,
// so at 800 x 600 the list keeps most of the width.
TEST_F(FrmViewTest, FirstStartSizeMinimumAndTreeShare)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(view->width(), std::max(area.width() * 2 / 3, view->minimumWidth()), 2);
    EXPECT_NEAR(view->height(), std::max(area.height() * 2 / 3, view->minimumHeight()), 2);
    EXPECT_TRUE(area.contains(view->geometry()));
    EXPECT_GE(800, view->minimumWidth());
    EXPECT_GE(600, view->minimumHeight());

    view->show();
    view->resize(1400, 900);
    QApplication::processEvents();
    const int wide = view->shtEvents->treeWidth();
    EXPECT_NEAR(wide, view->shtEvents->width() / 4, 4);
    view->resize(800, 600);
    QApplication::processEvents();
    EXPECT_LT(view->shtEvents->treeWidth(), wide);
    EXPECT_GT(view->shtEvents->surface()->width(), view->shtEvents->width() / 2);

    // The share is kept across windows.
    view->shtEvents->setTreeShare(0.4);
    view.reset();
    view = std::make_unique<TestView>(*settings);
    EXPECT_NEAR(view->shtEvents->treeShare(), 0.4, 0.001);
}

// File > Recent files: newest first, ten at most, files that are gone leave the list; the open dialog starts
// in the folder of the file opened last.
TEST_F(FrmViewTest, RecentFilesListTheOpenedFilesThatStillExist)
{
    const fs::path first = folder / "first.lef";
    const fs::path second = folder / "second & more.lef";
    fs::copy_file(kSample.toStdString(), first);
    fs::copy_file(kSample.toStdString(), second);
    EXPECT_FALSE(view->mnuRecentFiles->isEnabled());
    view->OpenFile(QString::fromStdString(first.string()), true);
    view->OpenFile(QString::fromStdString(second.string()), true);
    view->OpenFile(QString::fromStdString(first.string()), true);
    EXPECT_EQ(view->recentFiles(),
              (QStringList{QString::fromStdString(first.string()), QString::fromStdString(second.string())}));

    fs::remove(first);
    QMetaObject::invokeMethod(view->mnuRecentFiles, "aboutToShow");
    const QList<QAction*> entries = view->mnuRecentFiles->actions();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 second && more.lef"));
    EXPECT_EQ(settings->ReadString("RecentFiles", "2", ""), "");
    entries[0]->trigger();
    EXPECT_TRUE(view->windowTitle().endsWith(QStringLiteral("second & more.lef")));

    view.reset();
    EXPECT_EQ(settings->ReadString("main", "openPath", ""), folder.string());
}

} // namespace
} // namespace lanescope::ui
