#include "ui/LanguageDialog.h"

#include "app/VnxLanguage.h"
#include "base/LanguageTexts.h"
#include "base/VnxIniFiles.h"
#include "ui/BrowserPage.h"
#include "ui/CompetitionInfoDialog.h"
#include "ui/DownloadDialog.h"
#include "ui/FindDialog.h"
#include "ui/FormTexts.h"
#include "ui/FrmView.h"
#include "ui/StartScreen.h"
#include "ui/VnxComboBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

namespace lanescope::ui {
namespace {

namespace fs = std::filesystem;

QString plain(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

/** Closes every modal window (a dialog or message box) and remembers its text, so a test never hangs. */
struct ModalCloser
{
    QStringList seen;
    QTimer timer;

    ModalCloser()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                seen.append(box ? box->text() : QString::fromLatin1(modal->metaObject()->className()));
                static_cast<QDialog*>(modal)->reject();
            }
        });
        timer.start();
    }
};

/**
 * A settings file and a language folder of its own per test; the language manager reads the folder and
 * goes back to the German of the source tree afterwards.
 */
class LanguageDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder =
            fs::path(::testing::TempDir()) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder);
        fs::create_directories(folder / "lang");
        settings = std::make_unique<base::TVnxIniFile>(folder / "lanescope.ini");
        settings->WriteBool("Files", "AskRegExtension", false);
        useLanguages({LANESCOPE_LANG_DIR}, 1);
    }

    void TearDown() override
    {
        setDeveloperFolder({});
        useLanguages({LANESCOPE_LANG_DIR}, 1);
        settings.reset();
        fs::remove_all(folder);
    }

    static void useLanguages(const fs::path& languageFolder, int screen, const std::string& locale = "de")
    {
        app::LanguageSetup setup;
        setup.folders = {languageFolder};
        setup.screen = screen;
        setup.locale = locale;
        app::createLanguageManager(setup);
        installFormTranslation();
    }

    void writeLanguage(const std::string& name, const std::string& content) const
    {
        std::ofstream(folder / "lang" / name, std::ios::binary) << content;
    }

    fs::path folder;
    std::unique_ptr<base::CustomIniFile> settings;
};

QStringList menuTitles(TfrmView& view)
{
    QStringList titles;
    for (QAction* action : view.menuBar()->actions())
        titles.append(plain(action->text()));
    return titles;
}

// Qt's own buttons speak the screen language: German for both German languages, none for English.
TEST_F(LanguageDialogTest, QtOwnTextsFollowTheScreenLanguage)
{
    struct Case
    {
        int language;
        const char* yes;
        const char* no;
    };
    for (const Case& c :
         {Case{0, "Ja", "Nein"}, Case{2, "Oui", "Non"}, Case{3, "Yes", "No"}, Case{1, "Ja", "Nein"}}) {
        ASSERT_TRUE(app::LanguageManager().LoadLanguage(c.language, true));
        QMessageBox box(QMessageBox::Question, QStringLiteral("Lanescope"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(plain(box.button(QMessageBox::Yes)->text()), QString::fromUtf8(c.yes)) << c.language;
        EXPECT_EQ(plain(box.button(QMessageBox::No)->text()), QString::fromUtf8(c.no)) << c.language;
    }
}

TEST_F(LanguageDialogTest, SwitchingToEnglishRetitlesTheOpenMainWindow)
{
    TfrmView view(*settings);
    view.show();
    view.OpenFile(QStringLiteral(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef"), true);
    QTreeWidget* events = view.shtEvents->tree();
    events->setCurrentItem(events->topLevelItem(0)->child(0));
    QApplication::processEvents();
    const QString germanTree = events->topLevelItem(0)->text(0);
    const QString germanEvent = events->currentItem()->text(0);
    EXPECT_EQ(menuTitles(view), (QStringList{"Datei", "Bearbeiten", "Ansicht", "Auswertungen", "Hilfe"}));
    EXPECT_EQ(plain(view.ActLoadFile->text()), QStringLiteral("Öffnen..."));

    ASSERT_TRUE(app::LanguageManager().LoadLanguage(app::kFallbackLanguage, true));
    QApplication::processEvents();

    EXPECT_EQ(menuTitles(view), (QStringList{"File", "Edit", "View", "Reports", "Help"}));
    EXPECT_EQ(plain(view.ActLoadFile->text()), QStringLiteral("Open..."));
    EXPECT_EQ(view.ActLoadFile->statusTip(), QStringLiteral("Open a file."));
    EXPECT_EQ(plain(view.PgcMain->tabText(TfrmView::EventsPage)), QStringLiteral("Events"));
    EXPECT_EQ(plain(view.shtEvents->splits()->text()), QStringLiteral("Splits/names"));
    const auto* header = qobject_cast<QStandardItemModel*>(view.shtEvents->header()->model());
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Place"));
    // The trees are built again in the new language, and the selected event stays selected.
    EXPECT_NE(events->topLevelItem(0)->text(0), germanTree);
    EXPECT_TRUE(germanTree.contains(QStringLiteral("Samstag")));
    EXPECT_TRUE(events->topLevelItem(0)->text(0).contains(QStringLiteral("Saturday, October")));
    ASSERT_NE(events->currentItem(), nullptr);
    EXPECT_NE(events->currentItem()->text(0), germanEvent);
    EXPECT_EQ(events->currentItem(), events->topLevelItem(0)->child(0));
}

TEST_F(LanguageDialogTest, EveryMenuGetsDistinctAccelerators)
{
    for (const int language : {1, 3, 2, 0}) {
        app::LanguageManager().LoadLanguage(language, false);
        TfrmView view(*settings);
        view.show();
        QApplication::processEvents();
        // The tab captions reach every page: a page's controls take letters of their own.
        std::set<QChar> pageLetters;
        const auto take = [&pageLetters, language](const QString& text) {
            const qsizetype marker = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(marker, 0) << text.toStdString();
            EXPECT_TRUE(pageLetters.insert(text[marker + 1].toLower()).second)
                << language << ": " << text.toStdString();
        };
        for (int tab : {TfrmView::EventsPage, TfrmView::ParticipantsPage})
            take(view.PgcMain->tabText(tab));
        for (const QString& text : {view.shtEvents->splits()->text(), view.shtEvents->onlyValids()->text(),
                                    view.shtEvents->switchButton()->text()})
            take(text);
        std::vector<QList<QAction*>> scopes{view.menuBar()->actions()};
        for (QAction* menu : view.menuBar()->actions())
            scopes.push_back(menu->menu()->actions());
        for (const QList<QAction*>& scope : scopes) {
            std::set<QChar> letters;
            for (QAction* action : scope) {
                if (action->isSeparator() || !action->isVisible())
                    continue;
                const qsizetype marker = action->text().indexOf(QLatin1Char('&'));
                ASSERT_GE(marker, 0) << action->text().toStdString();
                EXPECT_TRUE(letters.insert(action->text()[marker + 1].toLower()).second)
                    << language << ": " << action->text().toStdString();
            }
        }
    }
}

struct AcceleratorCase
{
    std::vector<const char*> captions;
    std::vector<const char*> expected;
};

const AcceleratorCase kAcceleratorCases[] = {
    {{"Open", "Options", "Close"}, {"&Open", "O&ptions", "&Close"}},
    {{"&Save", "&Search", "Sort"}, {"&Save", "S&earch", "S&ort"}},
    {{"&Left && right", "L"}, {"&Left && right", "L"}},
    {{"OK", "Abbrechen"}, {"&OK", "&Abbrechen"}},
};

class Accelerators : public ::testing::TestWithParam<AcceleratorCase>
{
};

TEST_P(Accelerators, AreDistinctWherePossible)
{
    QWidget form;
    std::vector<QPushButton*> buttons;
    for (const char* caption : GetParam().captions)
        buttons.push_back(new QPushButton(QString::fromUtf8(caption), &form));
    assignAccelerators(&form);
    for (std::size_t k = 0; k < buttons.size(); ++k)
        EXPECT_EQ(buttons[k]->text(), QString::fromUtf8(GetParam().expected[k]));
}

INSTANTIATE_TEST_SUITE_P(Captions, Accelerators, ::testing::ValuesIn(kAcceleratorCases));

TEST_F(LanguageDialogTest, FormSectionEndingAtTheLastLineOfTheFileAppliesIt)
{
    // No line end after the last line.
    writeLanguage("lanescope.xus", "[G]\n1=x\n[FindDialog]\nFind\n.@rbUp\nUp\n.@btnFindNext\nFind next");
    useLanguages(folder / "lang", 3);
    FindDialog dialog;
    TranslateForm(&dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Find"));
    EXPECT_EQ(plain(dialog.findChild<QAbstractButton*>(QStringLiteral("rbUp"))->text()),
              QStringLiteral("Up"));
    EXPECT_EQ(plain(dialog.findChild<QPushButton*>(QStringLiteral("btnFindNext"))->text()),
              QStringLiteral("Find next"));
}

TEST_F(LanguageDialogTest, ComboEntryWithDotKeepsTheHintAndReplacesTheItems)
{
    writeLanguage("lanescope.xus", "[TfrmView]\n.\n.@CbxCompetitions\n.\nFirst\nSecond\n[TVnxFLangSelect]\n"
                                   "$Choose language\n.@lbxLanguage\nScreen language\nA\n");
    useLanguages(folder / "lang", 3);
    TfrmView view(*settings);
    view.CbxCompetitions->setToolTip(QStringLiteral("kept"));
    view.CbxCompetitions->addItems({"one", "two", "three"});
    view.CbxCompetitions->setCurrentIndex(1);
    TranslateForm(&view);
    EXPECT_EQ(view.CbxCompetitions->toolTip(), QStringLiteral("kept"));
    ASSERT_EQ(view.CbxCompetitions->count(), 2);
    EXPECT_EQ(view.CbxCompetitions->itemText(0), QStringLiteral("First"));
    EXPECT_EQ(view.CbxCompetitions->currentIndex(), 1);

    // A hint line replaces the hint; a "$" before the caption is dropped.
    TvnxFLangSelect dialog(true);
    TranslateForm(&dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Choose language"));
    EXPECT_EQ(dialog.lbxLanguage->toolTip(), QStringLiteral("Screen language"));
    EXPECT_EQ(dialog.lbxLanguage->count(), 1);
}

TEST_F(LanguageDialogTest, WithOneLanguageFileTheDialogStoresItWithoutShowing)
{
    writeLanguage("lanescope.xfr", "[G]\n" + std::string(148, '\n') + "149=Suisse;Allemand;Français\n");
    useLanguages(folder / "lang", -1, "en_US");
    ASSERT_EQ(app::LanguageManager().screenLanguage(), 2);
    ModalCloser closer;
    EXPECT_FALSE(ShowLanguageDialog(*settings, false, true));
    EXPECT_TRUE(closer.seen.isEmpty());
    EXPECT_EQ(settings->ReadInteger("Config", "lbxLanguage", -1), 2);
    EXPECT_EQ(settings->ReadInteger("Config", "lbxPrnLanguage", -1), 2);
    // Stored now: the first-start call does nothing, the menu command shows nothing either with one file.
    EXPECT_FALSE(ShowLanguageDialog(*settings, false, true));
}

TEST_F(LanguageDialogTest, DialogListsTheInstalledLanguagesAndStoresTheChoice)
{
    TvnxFLangSelect dialog(false);
    EXPECT_TRUE(dialog.lbxHlpLanguage->isHidden());
    ASSERT_EQ(dialog.lbxLanguage->count(), 4);
    QStringList names;
    for (int row = 0; row < dialog.lbxLanguage->count(); ++row)
        names.append(dialog.lbxLanguage->item(row)->text());
    EXPECT_EQ(names, (QStringList{"Deutsch", "Deutsch (Schweiz)", "Englisch (USA)", "Französisch"}));
    EXPECT_EQ(TvnxFLangSelect::selectedLanguage(dialog.lbxLanguage), 1);
    EXPECT_EQ(TvnxFLangSelect::selectedLanguage(dialog.lbxPrnLanguage), 1);

    dialog.lbxLanguage->setCurrentRow(2);    // English
    dialog.lbxPrnLanguage->setCurrentRow(3); // French
    dialog.applyChoices(*settings);
    EXPECT_EQ(app::LanguageManager().screenLanguage(), 3);
    EXPECT_EQ(app::LanguageManager().printerLanguage(), 2);
    EXPECT_EQ(settings->ReadInteger("Config", "lbxLanguage", -1), 3);
    EXPECT_EQ(settings->ReadInteger("Config", "lbxPrnLanguage", -1), 2);
    // The help-language list takes a column of its own.
    EXPECT_GT(TvnxFLangSelect(true).sizeHint().width(), dialog.sizeHint().width() + 100);
}

TEST_F(LanguageDialogTest, DeveloperModeWritesEachFormTextFileOnce)
{
    setDeveloperFolder(folder);
    ModalCloser closer;
    {
        FindDialog dialog;
        dialog.show();
        QApplication::processEvents();
    }
    EXPECT_EQ(closer.seen, QStringList{"FindDialog\nForm - Texte gespeichert"});
    const std::string written = readFile(folder / "FindDialog.txt");
    EXPECT_TRUE(written.starts_with("[FindDialog]\r\nSuchen\r\n.@"));
    EXPECT_NE(written.find(".@btnFindNext\r\n&Weitersuchen\r\n"), std::string::npos);
    EXPECT_EQ(written.find(".@edtFind"), std::string::npos); // no text of its own

    std::ofstream(folder / "FindDialog.txt", std::ios::binary) << "edited";
    closer.seen.clear();
    FindDialog again;
    again.show();
    QApplication::processEvents();
    EXPECT_EQ(readFile(folder / "FindDialog.txt"), "edited");
    EXPECT_TRUE(closer.seen.isEmpty());
}

TEST_F(LanguageDialogTest, ActionListWritesAndReadsItsActions)
{
    TfrmView view(*settings);
    const QStringList lines = formTextExport(&view);
    const qsizetype at = lines.indexOf(QStringLiteral("@ActSelectLanguage"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(lines[at + 1], QStringLiteral("Sprache wählen"));
    EXPECT_EQ(lines[at + 2], QStringLiteral("Sprache für Bildschirmanzeige und Ausdrucke auswählen."));
    const qsizetype close = lines.indexOf(QStringLiteral("@ActClose"));
    ASSERT_GE(close, 0);
    EXPECT_EQ(lines[close + 2], QStringLiteral(".")); // "Schliessen..." has no hint
    EXPECT_TRUE(lines.contains(QStringLiteral(".@ActionList1")));
}

// Every component entry of the form sections names a component of its form, in each language file.
TEST_F(LanguageDialogTest, FormSectionsNameExistingComponents)
{
    TfrmView view(*settings);
    FindDialog find;
    TVnxFCompetitionInfo info;
    TVnxFVornixScreen screen(true, true);
    TvnxFLangSelect languages(true);
    TFDownload download(*settings, [](const QString&) {}, {});
    const std::vector<QWidget*> forms{&view, &find, &info, &screen, &languages, &download};
    for (const int language : {0, 1, 2, 3}) {
        ASSERT_TRUE(app::LanguageManager().LoadLanguage(language, false));
        const app::TLanguage& manager = app::LanguageManager();
        for (QWidget* form : forms) {
            const app::LanguageSection* section = manager.findSection(formClassName(form).toStdString());
            ASSERT_NE(section, nullptr) << language << " " << formClassName(form).toStdString();
            for (int k = section->firstLine; k < section->firstLine + section->lineCount; ++k) {
                const std::string& line = manager.lines()[static_cast<std::size_t>(k)];
                if (line.starts_with(".@")) {
                    EXPECT_NE(form->findChild<QObject*>(QString::fromStdString(line.substr(2))), nullptr)
                        << language << " " << line;
                } else if (line.starts_with("@")) {
                    EXPECT_NE(view.findChild<QAction*>(QString::fromStdString(line.substr(1))), nullptr)
                        << language << " " << line;
                }
            }
        }
    }
}

} // namespace
} // namespace lanescope::ui
