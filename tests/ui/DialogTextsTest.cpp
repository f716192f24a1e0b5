// Every dialog speaks the chosen language and shows its texts whole, in each of the four language files.

#include "app/VnxLanguage.h"
#include "base/VnxIniFiles.h"
#include "lenex/Lenex.h"
#include "ui/CompetitionInfoDialog.h"
#include "ui/DownloadDialog.h"
#include "ui/FindDialog.h"
#include "ui/FormTexts.h"
#include "ui/LanguageDialog.h"
#include "ui/OpenUrlDialog.h"
#include "ui/ReportDialogs.h"
#include "ui/VnxNoteEditDlg.h"
#include "ui/VnxPreviewDlg.h"
#include "ui/VnxPrintSetupDlg.h"
#include "ui/VnxStatusDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace lanescope::ui {
namespace {

namespace fs = std::filesystem;

QString plain(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

constexpr int kLanguages[] = {0, 1, 2, 3}; // Swiss German, German, French, English

/** Every dialog of the program, made afresh for the language loaded now. */
struct Dialogs
{
    explicit Dialogs(base::CustomIniFile& settings)
        : print(std::make_unique<TdlgDrucken>(settings, nullptr, document, report::PrintSelection{}, true))
        , clubStats(std::make_unique<TFClubStatsDlg>(settings, nullptr))
        , preview(std::make_unique<TvnxPreviewDlg>(
              std::vector<QImage>{QImage(420, 595, QImage::Format_RGB32)}, settings))
        , setup(std::make_unique<TvnxPrintSetupDlg>(print->Report.Document(), true))
        , note(std::make_unique<TvnxNoteEditDlg>(80, 15, QStringLiteral("template.htm"), QString()))
        , status(std::make_unique<TVnxStatusDlg>(nullptr, 2, true, true))
        , find(std::make_unique<FindDialog>())
        , download(std::make_unique<TFDownload>(
              settings, [](const QString&) {}, [] {}))
        , info(std::make_unique<TVnxFCompetitionInfo>())
        , languages(std::make_unique<TvnxFLangSelect>(true))
        , openUrl(std::make_unique<TvnxOpenUrlDlg>(QStringLiteral("URL"), QStringList{}))
    {
        // The print dialog is translated when it shows; the preview takes its title from it then.
        print->show();
        QApplication::processEvents();
        preview->setCaption(print->windowTitle());
    }

    std::vector<QDialog*> all() const
    {
        return {print.get(), clubStats.get(), preview.get(), setup.get(),     note.get(),   status.get(),
                find.get(),  download.get(),  info.get(),    languages.get(), openUrl.get()};
    }

    lenex::TLenex document;
    std::unique_ptr<TdlgDrucken> print;
    std::unique_ptr<TFClubStatsDlg> clubStats;
    std::unique_ptr<TvnxPreviewDlg> preview;
    std::unique_ptr<TvnxPrintSetupDlg> setup;
    std::unique_ptr<TvnxNoteEditDlg> note;
    std::unique_ptr<TVnxStatusDlg> status;
    std::unique_ptr<FindDialog> find;
    std::unique_ptr<TFDownload> download;
    std::unique_ptr<TVnxFCompetitionInfo> info;
    std::unique_ptr<TvnxFLangSelect> languages;
    std::unique_ptr<TvnxOpenUrlDlg> openUrl;
};

/** Every text a dialog shows: its title, captions, hints and tool tips. */
QStringList shownTexts(const QDialog& dialog)
{
    QStringList texts{dialog.windowTitle()};
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->toolTip().isEmpty())
            texts.append(widget->toolTip());
        if (auto* label = qobject_cast<const QLabel*>(widget))
            texts.append(label->text());
        else if (auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts.append(plain(button->text()));
        else if (auto* group = qobject_cast<const QGroupBox*>(widget))
            texts.append(group->title());
    }
    return texts;
}

/**
 * Why a shown caption does not fit, or an empty text: a label, button or group narrower than its text, or
 * reaching out of the dialog.
 */
QString cutCaption(const QDialog& dialog, const QWidget& widget)
{
    int needed = 0;
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->wordWrap() || label->text().isEmpty())
            return {};
        needed = label->sizeHint().width();
        text = label->text();
    } else if (auto* button = qobject_cast<const QPushButton*>(&widget)) {
        text = plain(button->text());
        needed = button->fontMetrics().horizontalAdvance(text) + 8;
    } else if (qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget)) {
        text = plain(static_cast<const QAbstractButton&>(widget).text());
        needed = widget.sizeHint().width();
    } else if (auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        text = group->title();
        needed = group->minimumSizeHint().width();
    } else {
        return {};
    }
    const QRect placed(widget.mapTo(&dialog, QPoint(0, 0)), widget.size());
    if (widget.width() < needed)
        return QStringLiteral("\"%1\" is %2 px wide, needs %3").arg(text).arg(widget.width()).arg(needed);
    if (!dialog.rect().contains(placed))
        return QStringLiteral("\"%1\" reaches out of the dialog").arg(text);
    return {};
}

class DialogTextsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / "DialogTextsTest";
        fs::remove_all(folder);
        fs::create_directories(folder);
        settings = std::make_unique<base::TVnxIniFile>(folder / "lanescope.ini");
        useLanguage(1);
    }

    void TearDown() override
    {
        useLanguage(1);
        settings.reset();
        fs::remove_all(folder);
    }

    static void useLanguage(int language)
    {
        app::LanguageSetup setup;
        setup.folders = {LANESCOPE_LANG_DIR};
        setup.screen = language;
        app::createLanguageManager(setup);
        installFormTranslation();
    }

    fs::path folder;
    std::unique_ptr<base::CustomIniFile> settings;
};

// The print dialog and the preview are wholly in English or French: no German word is left in them.
TEST_F(DialogTextsTest, PrintDialogAndPreviewHoldNoGerman)
{
    const QStringList german{"Drucker",     "Exemplare", "Eigenschaften", "Optionen", "Drucken",
                             "Voransicht",  "Abbrechen", "Seite",         "Breite",   "Vergr",
                             "Verkleinern", "Natürlich", "Ausdrucken",    "Nächste",  "Vorherige"};
    for (const int language : {3, 2}) {
        useLanguage(language);
        const Dialogs dialogs(*settings);
        dialogs.preview->show();
        QApplication::processEvents();
        for (const QDialog* dialog :
             {static_cast<QDialog*>(dialogs.print.get()), static_cast<QDialog*>(dialogs.preview.get())})
            for (const QString& text : shownTexts(*dialog))
                for (const QString& word : german)
                    EXPECT_FALSE(text.contains(word)) << language << ": " << text.toStdString();
        // One language in the title: the preview's word and the report's.
        EXPECT_EQ(dialogs.preview->windowTitle(),
                  language == 3 ? QStringLiteral("Preview - Print") : QString::fromUtf8("Aperçu - Imprimer"));
    }
}

// In every language each caption of every dialog (all tab pages too) is as wide as its text and inside the
// dialog.
TEST_F(DialogTextsTest, EveryCaptionFitsItsDialog)
{
    for (const int language : kLanguages) {
        useLanguage(language);
        const Dialogs dialogs(*settings);
        for (QDialog* dialog : dialogs.all()) {
            dialog->show();
            QApplication::processEvents();
            std::vector<QTabWidget*> tabs = {nullptr};
            for (QTabWidget* pages : dialog->findChildren<QTabWidget*>())
                tabs.push_back(pages);
            for (QTabWidget* pages : tabs)
                for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
                    if (pages) {
                        pages->setCurrentIndex(page);
                        QApplication::processEvents();
                    }
                    for (const QWidget* widget : dialog->findChildren<QWidget*>())
                        if (widget->isVisible()) {
                            const QString problem = cutCaption(*dialog, *widget);
                            EXPECT_TRUE(problem.isEmpty())
                                << language << " " << formClassName(dialog).toStdString() << ": "
                                << problem.toStdString();
                        }
                }
            dialog->hide();
        }
    }
}

// Every component entry of the page setup's form section names one of its components, in each language.
TEST_F(DialogTextsTest, PageSetupSectionNamesExistingComponents)
{
    for (const int language : kLanguages) {
        useLanguage(language);
        const Dialogs dialogs(*settings);
        const app::TLanguage& manager = app::LanguageManager();
        const app::LanguageSection* section = manager.findSection("TvnxPrintSetupDlg");
        ASSERT_NE(section, nullptr);
        int entries = 0;
        for (int k = section->firstLine; k < section->firstLine + section->lineCount; ++k) {
            const std::string& line = manager.lines()[static_cast<std::size_t>(k)];
            if (!line.starts_with(".@"))
                continue;
            ++entries;
            EXPECT_NE(dialogs.setup->findChild<QObject*>(QString::fromStdString(line.substr(2))), nullptr)
                << language << " " << line;
        }
        EXPECT_GT(entries, 0) << language;
    }
}

} // namespace
} // namespace lanescope::ui
