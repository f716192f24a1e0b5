#include "PrintDialogAnswers.h"
#include "app/VnxLanguage.h"
#include "base/VnxIniFiles.h"
#include "browser/BrowserModels.h"
#include "lenex/LnxParser.h"
#include "lenex/LnxSchema.h"
#include "report/RecordingDevice.h"
#include "support/TestFiles.h"
#include "swim/BSSwLenex.h"
#include "ui/BrowserPage.h"
#include "ui/DialogHooks.h"
#include "ui/ElidedTexts.h"
#include "ui/FrmView.h"
#include "ui/QtReportCanvas.h"
#include "ui/ReportDialogs.h"
#include "ui/ReportPrinter.h"
#include "ui/VnxNoteEditDlg.h"
#include "ui/VnxPreviewDlg.h"
#include "ui/VnxPrintSetupDlg.h"
#include "ui/VnxStatusBar.h"
#include "ui/VnxStatusDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

namespace lanescope::ui {
namespace {

namespace fs = std::filesystem;
namespace tag = lenex::tag;
using report::TDocumentOption;

/** A meet with one 100 m event and as many ranked results. */
std::string longListMeet(int rows)
{
    std::string text = R"(<?xml version="1.0" encoding="UTF-8"?><LENEX><VERSION>01.03.0007</VERSION>
<COMPETITIONS><COMPETITION><NAME>Long Meet</NAME><PLACE>Kiel</PLACE><PL>50</PL><PERIODS><PERIOD><NUM>1</NUM>
<DATE>20261017</DATE><EVENTS><EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX></EVENT>
</EVENTS></PERIOD></PERIODS><CLUBS><CLUB><NAME>SC Long</NAME><PERSONS>)";
    for (int i = 1; i <= rows; ++i)
        text += "<PERSON id=\"" + std::to_string(i) + "\"><NAME>Swimmer" + std::to_string(i) +
                "</NAME><FNAME>Ann</FNAME><YOB>2001</YOB><RESULTS><RESULT><EID>1</EID><RANK>" +
                std::to_string(i) + "</RANK><TIME>V00h01:" + std::to_string(10 + i % 50) +
                ".00</TIME></RESULT></RESULTS></PERSON>";
    return text + "</PERSONS></CLUB></CLUBS></COMPETITION></COMPETITIONS></LENEX>";
}

/** The print dialogs on a loaded meet, a settings file in a fresh folder and answering dialog hooks. */
class PrintDialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) /
                 ("print-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        settings = std::make_unique<base::TVnxIniFile>(folder / "lanescope.ini");
        settings->WriteString("Printer", "Current", printers::kPdfFilePrinter);
        resetDialogHooks();
        dialogHooks().question = [this](QWidget*, const QString& text) {
            questions.append(text);
            return answer;
        };
        dialogHooks().message = [this](QWidget*, const QString& text) { messages.append(text); };
    }
    void TearDown() override
    {
        resetDialogHooks();
        models.clear();
    }

    void loadFile(const fs::path& file)
    {
        document.load(file.string());
        build();
    }
    void loadText(const std::string& text)
    {
        lenex::TLnxParser parser(document);
        document.setRoot(parser.parseText(text));
        build();
    }

    report::PrintSelection eventSelection(int number)
    {
        report::PrintSelection selection;
        for (const browser::EventTreeNode* node : models.events.nodesInOrder())
            if (node->level == 1 && node->data && node->data->getInteger(tag::NUM) == number)
                selection.eventNode = node;
        selection.resultLists = &models.lists;
        return selection;
    }

    std::unique_ptr<TdlgDrucken> printDialog(int event)
    {
        auto dialog = std::make_unique<TdlgDrucken>(*settings, meet, document, eventSelection(event), true);
        dialog->show();
        return dialog;
    }

    /** Save dialogs answer with the next name and note the folder and filter they were opened with. */
    void answerSaveDialogs(QStringList names)
    {
        dialogHooks().saveFileName = [this, names](QWidget*, const QString& title, const QString& directory,
                                                   const QString&, int filterIndex) mutable {
            saveCalls.append(title + QLatin1Char('|') + directory + QLatin1Char('|') +
                             QString::number(filterIndex));
            return names.isEmpty() ? QString() : names.takeFirst();
        };
    }

    fs::path folder;
    std::unique_ptr<base::TVnxIniFile> settings;
    lenex::TLenex document;
    browser::BrowserModels models;
    std::shared_ptr<swim::IBSLenexMeet> meet;
    QStringList questions;
    QStringList messages;
    QStringList saveCalls;
    bool answer = true;

private:
    void build()
    {
        ASSERT_TRUE(document.errors().empty()) << document.errors().front();
        document.buildIndexes();
        models.build(document, 0);
        meet = swim::lenexView<swim::IBSLenexMeet>(*document.currentCompetition());
    }
};

QString qs(const fs::path& path) { return QString::fromStdString(path.string()); }

TEST_F(PrintDialogsTest, PdfAndHtmlButtonsWriteTheFilesInTheSavedFoldersAndAskBeforeOverwriting)
{
    loadFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");
    const fs::path pdfFolder = folder / "pdf";
    const fs::path htmlFolder = folder / "html";
    fs::create_directories(pdfFolder);
    fs::create_directories(htmlFolder);
    settings->WriteString("Printer", "PdfFile", (pdfFolder / "last.pdf").string());
    settings->WriteString("Printer", "HtmlDir", htmlFolder.string());
    answerSaveDialogs({qs(folder / "list"), qs(folder / "report.txt"), qs(folder / "report.txt"),
                       qs(folder / "report.txt")});

    auto dialog = printDialog(1);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Ausdrucken"));
    dialog->BPdf->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(lanescope::testing::readFile(folder / "list.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(settings->ReadString("Printer", "PdfFile", ""), (folder / "list").string());
    EXPECT_EQ(settings->ReadString("Printer", "Current", ""), printers::kPdfFilePrinter);

    dialog = printDialog(1);
    dialog->btnHtml->click();
    const std::string html = lanescope::testing::readFile(folder / "report.htm");
    EXPECT_NE(html.find("Autumn Open"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "report.txt"));
    EXPECT_EQ(settings->ReadString("Printer", "HtmlDir", ""), folder.string());
    EXPECT_TRUE(questions.isEmpty());
    ASSERT_EQ(saveCalls.size(), 2);
    EXPECT_EQ(saveCalls[0], QStringLiteral("PDF-Datei schreiben|") + qs(pdfFolder) + QStringLiteral("|2"));
    EXPECT_EQ(saveCalls[1],
              QStringLiteral("Als HTML-Datei speichern|") + qs(htmlFolder) + QStringLiteral("|2"));

    // G10 before overwriting: No keeps the old file and the dialog open, Yes writes it again.
    lanescope::testing::writeFile(folder / "report.htm", "old");
    answer = false;
    dialog = printDialog(1);
    dialog->btnHtml->click();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(qs(folder / "report.htm"))) << questions[0].toStdString();
    EXPECT_EQ(lanescope::testing::readFile(folder / "report.htm"), "old");
    EXPECT_TRUE(dialog->isVisible());
    answer = true;
    dialog->btnHtml->click();
    EXPECT_EQ(questions.size(), 2);
    EXPECT_NE(lanescope::testing::readFile(folder / "report.htm"), "old");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PrintDialogsTest, ClubStatisticsDialogWritesItsPdf)
{
    loadFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");
    answerSaveDialogs({qs(folder / "clubs.pdf")});
    TFClubStatsDlg dialog(*settings, meet);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Teilnehmende Vereine"));
    dialog.show();
    dialog.BPdf->click();
    EXPECT_TRUE(fs::exists(folder / "clubs.pdf"));
}

TEST_F(PrintDialogsTest, WithoutCupsPrintersThePdfFileEntryPrintsAndPreviews)
{
    loadFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");
    ASSERT_EQ(printers::names().back(), QLatin1String(printers::kPdfFilePrinter));
    auto dialog = printDialog(1);
    EXPECT_EQ(dialog->CBPrinters->currentText(), QLatin1String(printers::kPdfFilePrinter));
    EXPECT_TRUE(dialog->btnPrint->isEnabled());
    EXPECT_TRUE(dialog->btnPreview->isEnabled());
    EXPECT_TRUE(dialog->BPdf->isEnabled());
    EXPECT_TRUE(dialog->btnHtml->isEnabled());

    int previews = 0;
    dialogHooks().exec = [&previews](QDialog& shown) {
        previews += qobject_cast<TvnxPreviewDlg*>(&shown) != nullptr;
        return int(QDialog::Rejected);
    };
    dialog->btnPreview->click();
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(dialog->isVisible());

    // A test page prints one copy and leaves the dialog open.
    answerSaveDialogs({qs(folder / "test-page"), qs(folder / "printed")});
    dialog->SetOptions({report::TPrnDlgOption::pdCanTestPage});
    dialog->edtExemplare->setValue(3);
    dialog->btnHtml->click();
    const std::string testPage = lanescope::testing::readFile(folder / "test-page.pdf");
    EXPECT_EQ(testPage.substr(0, 5), "%PDF-");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    dialog->edtExemplare->setValue(1);
    dialog->btnPrint->click();
    EXPECT_EQ(lanescope::testing::readFile(folder / "printed.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(PrintDialogsTest, ButtonsFollowTheReportOptionsAndAMissingSavedPrinterKeepsTheCurrentOne)
{
    using report::TPrnDlgOption;
    settings->WriteString("Printer", "Current", "No Such Printer");
    TVnxPrintDlg dialog(*settings);
    EXPECT_EQ(dialog.CBPrinters->currentText(), printers::currentName());
    struct Case
    {
        std::initializer_list<TPrnDlgOption> options;
        const char* htmlCaption;
        bool html;
        bool preview;
    };
    const Case cases[] = {
        {{TPrnDlgOption::pdCanPreview, TPrnDlgOption::pdCanHTML}, "HTML", true, true},
        {{TPrnDlgOption::pdCanTestPage}, "Testseite", true, false},
        {{TPrnDlgOption::pdCanPreview}, "HTML", false, true},
    };
    for (const Case& c : cases) {
        dialog.SetOptions(c.options);
        EXPECT_EQ(dialog.btnHtml->text(), QString::fromUtf8(c.htmlCaption));
        EXPECT_EQ(dialog.btnHtml->isEnabled(), c.html);
        EXPECT_EQ(dialog.btnPreview->isEnabled(), c.preview);
        EXPECT_TRUE(dialog.BPdf->isEnabled());
        EXPECT_TRUE(dialog.btnPrint->isEnabled());
    }
}

TEST_F(PrintDialogsTest, PreviewOfThreePagesNavigatesZoomsAndKeepsItsZoom)
{
    loadText(longListMeet(130));
    auto dialog = printDialog(1);
    int pages = 0;
    dialogHooks().exec = [&](QDialog& shown) {
        auto* preview = qobject_cast<TvnxPreviewDlg*>(&shown);
        if (!preview)
            return int(QDialog::Rejected);
        EXPECT_TRUE(preview->windowTitle().startsWith(QStringLiteral("Voransicht - Ausdrucken")));
        pages = preview->lblPage->text() == QStringLiteral("Seite 1 von 3") ? 3 : 0;
        const auto navigation = [preview] {
            return QString("%1%2%3%4")
                .arg(preview->btnFirst->isEnabled())
                .arg(preview->btnPrior->isEnabled())
                .arg(preview->btnNext->isEnabled())
                .arg(preview->btnLast->isEnabled());
        };
        EXPECT_EQ(navigation(), QStringLiteral("0011"));
        preview->btnNext->click();
        EXPECT_EQ(preview->lblPage->text(), QStringLiteral("Seite 2 von 3"));
        EXPECT_EQ(navigation(), QStringLiteral("1111"));
        QTest::keyClick(preview, Qt::Key_PageDown);
        EXPECT_EQ(preview->lblPage->text(), QStringLiteral("Seite 3 von 3"));
        EXPECT_EQ(navigation(), QStringLiteral("1100"));
        preview->btnFirst->click();
        EXPECT_EQ(preview->currentPage(), 0);

        preview->btn100->click();
        EXPECT_EQ(preview->lblZoom->text(), QStringLiteral("100%"));
        const QSize natural = preview->naturalSize();
        preview->btnZoomIn->click();
        QTest::keyClick(preview, Qt::Key_Plus, Qt::KeypadModifier);
        EXPECT_NEAR(preview->pictureSize().width(), 2 * natural.width(), 1);
        EXPECT_NEAR(preview->pictureSize().height(), 2 * natural.height(), 1);
        EXPECT_TRUE(preview->lblZoom->text() == QStringLiteral("200%") ||
                    preview->lblZoom->text() == QStringLiteral("199%"))
            << preview->lblZoom->text().toStdString();
        preview->reject();
        return preview->result();
    };
    dialog->btnPreview->click();
    EXPECT_EQ(pages, 3);
    const int saved = settings->ReadInteger("Printer", "PreviewProzent", 0);
    EXPECT_GE(saved, 199);
    EXPECT_LE(saved, 200);
}

TEST_F(PrintDialogsTest, PreviewOfOnePageHasNoNavigationAndStartsAtTheSavedZoom)
{
    settings->WriteInteger("Printer", "PreviewProzent", 50);
    settings->WriteString("Windows", "vnxPreviewDlg", "10,10,600,500,0");
    TvnxPreviewDlg preview({QImage(200, 300, QImage::Format_RGB32)}, *settings);
    preview.applySavedView();
    EXPECT_EQ(preview.pictureSize(), QSize(100, 150));
    EXPECT_EQ(preview.lblZoom->text(), QStringLiteral("50%"));
    for (QPushButton* button : {preview.btnFirst, preview.btnPrior, preview.btnNext, preview.btnLast})
        EXPECT_FALSE(button->isEnabled());
}

TEST_F(PrintDialogsTest, PrintingToThePdfBackEndKeepsTheListOrder)
{
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    loadText(longListMeet(80));
    report::TVnxReport engine;
    report::TLanescopeDrucken drucken(engine, meet, document);
    drucken.setSelection(eventSelection(1));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(qs(folder / "printer.pdf"));
    PrinterDevice device(printer);
    report::SilentStatus status;
    engine.Copies = 2;
    engine.PrintToPrinter(status, device);
    EXPECT_GE(device.sheets(), 2);

    const fs::path textFile = folder / "printer.txt";
    ASSERT_EQ(std::system(("pdftotext -layout '" + (folder / "printer.pdf").string() + "' '" +
                           textFile.string() + "'")
                              .c_str()),
              0);
    const std::string text = lanescope::testing::readFile(textFile);
    std::size_t position = 0;
    for (int row = 1; row <= 80; ++row) {
        const std::size_t found = text.find("Swimmer" + std::to_string(row) + " Ann", position);
        ASSERT_NE(found, std::string::npos) << "Swimmer" << row << " missing or out of order in\n" << text;
        position = found;
    }
    // The PDF back end makes no copies itself, so the engine runs the report once per copy.
    EXPECT_NE(text.find("Swimmer1 Ann", position), std::string::npos);
}

TEST_F(PrintDialogsTest, PageSetupWritesItsFieldsIntoTheDocumentAndAppliesTheStandards)
{
    report::TVnxDocument setupDocument;
    TvnxPrintSetupDlg setup(setupDocument, true);
    setup.edtTop->setValue(25);
    setup.edtLeft->setValue(12);
    setup.memoFootLeft->setPlainText(QStringLiteral("left\n\nsecond"));
    setup.rbLandscape->setChecked(true);
    setup.edtColumns->setValue(3);
    setup.edtTemplate->setText(QStringLiteral("/tmp/template.htm"));
    EXPECT_EQ(setupDocument.TopMargin, 250);
    EXPECT_EQ(setupDocument.LeftMargin, 120);
    EXPECT_EQ(setupDocument.FooterLeftLines, (std::vector<std::string>{"left", "second"}));
    EXPECT_EQ(setupDocument.PaperOrientation, report::Orientation::Landscape);
    EXPECT_EQ(setupDocument.PageColumns, 3);
    EXPECT_EQ(setupDocument.HtmlTemplate, "/tmp/template.htm");
    EXPECT_TRUE(setup.cbHeadOnColumn->isEnabled());
    EXPECT_EQ(setup.lblFootCount->text(), QStringLiteral("Fußzeilen: 2"));

    // The images tab starts an empty list with one entry; entries without a file stay out of the
    // setupDocument.
    setup.PageControl->setCurrentIndex(2);
    ASSERT_EQ(setup.imageEntries().size(), 1U);
    EXPECT_TRUE(setupDocument.ImageEntries.empty());
    setup.edtImgScale->setValue(50);
    setup.edtImgFile->setText(QStringLiteral("/tmp/logo.gif"));
    EXPECT_EQ(setupDocument.ImageEntries, (std::vector<std::string>{"5;5;50;0;/tmp/logo.gif"}));
    setup.btnImgNew->click();
    EXPECT_EQ(setup.imageEntries().size(), 2U);
    EXPECT_EQ(setupDocument.ImageEntries.size(), 1U);

    auto* standards = setup.btnStandard->findChild<QMenu*>();
    ASSERT_NE(standards, nullptr);
    ASSERT_EQ(standards->actions().size(), 2);
    EXPECT_EQ(standards->actions()[1]->text(), QStringLiteral("2 Spalten, Querformat"));
    standards->actions()[1]->trigger();
    EXPECT_EQ(setupDocument.PageColumns, 2);
    EXPECT_EQ(setupDocument.PaperOrientation, report::Orientation::Landscape);
    EXPECT_EQ(setup.edtLeft->value(), 13);
    EXPECT_EQ(setup.edtColDist->value(), 15);
    standards->actions()[0]->trigger();
    EXPECT_EQ(setupDocument.PageColumns, 1);
    EXPECT_EQ(setupDocument.PaperOrientation, report::Orientation::Portrait);
    EXPECT_TRUE(setup.rbPortrait->isChecked());
    EXPECT_EQ(setup.edtColumns->value(), 1);
    EXPECT_FALSE(setup.cbHeadOnColumn->isEnabled());
    EXPECT_FALSE(setup.edtColDist->isEnabled());
}

TEST_F(PrintDialogsTest, PageSetupFollowsTheDocumentOptions)
{
    struct Case
    {
        report::TDocumentOptions options;
        bool html;
        bool top, bottom, fonts, addressShown, columnsShown, columnsEnabled, orientationEnabled, footerTab,
            htmlWidth;
    };
    const Case cases[] = {
        {{TDocumentOption::doMultiCol, TDocumentOption::doChgOrientation, TDocumentOption::doCanSetMargins},
         true,
         true,
         true,
         true,
         false,
         true,
         true,
         true,
         true,
         true},
        {{TDocumentOption::doCanSetTopOfs, TDocumentOption::doNoFontChange},
         true,
         true,
         false,
         false,
         false,
         true,
         false,
         false,
         false,
         false},
        {{TDocumentOption::doCanSetAddressPos, TDocumentOption::doMultiCol, TDocumentOption::doCanSetMargins},
         false,
         true,
         true,
         true,
         true,
         false,
         false,
         false,
         true,
         false},
    };
    for (const Case& c : cases) {
        report::TVnxDocument setupDocument;
        setupDocument.SetOptions(c.options);
        setupDocument.PageColumns = 2;
        TvnxPrintSetupDlg setup(setupDocument, c.html);
        EXPECT_EQ(setup.edtTop->isEnabled(), c.top);
        EXPECT_EQ(setup.edtBottom->isEnabled(), c.bottom);
        EXPECT_EQ(setup.edtLeft->isEnabled(), c.bottom);
        EXPECT_EQ(setup.cbVarFont->isEnabled(), c.fonts);
        EXPECT_EQ(setup.gbAddress->isVisibleTo(&setup), c.addressShown);
        EXPECT_EQ(setup.gbColumns->isVisibleTo(&setup), c.columnsShown);
        EXPECT_EQ(setup.gbColumns->isEnabled(), c.columnsEnabled);
        if (!c.columnsEnabled) {
            EXPECT_EQ(setup.edtColumns->value(), 1);
            EXPECT_EQ(setupDocument.PageColumns, 1);
        }
        EXPECT_EQ(setup.gbOrientation->isEnabled(), c.orientationEnabled);
        EXPECT_EQ(setup.PageControl->isTabVisible(1), c.footerTab);
        EXPECT_EQ(setup.edtTemplate->isEnabled(), c.html);
        EXPECT_EQ(setup.edtHtmlWidth->isEnabled(), c.htmlWidth);
    }
}

TEST_F(PrintDialogsTest, TemplateEditorCreatesTheFileOnlyWhenAskedAndReportsAWriteError)
{
    report::TVnxDocument setupDocument;
    TvnxPrintSetupDlg setup(setupDocument, true);
    const fs::path file = folder / "template.htm";
    setup.edtTemplate->setText(qs(file));
    int editors = 0;
    dialogHooks().exec = [&editors](QDialog& dialog) {
        auto* editor = qobject_cast<TvnxNoteEditDlg*>(&dialog);
        if (editor) {
            ++editors;
            editor->Memo->setPlainText(editor->text() + QStringLiteral("<p>@TITLE@</p>"));
        }
        return int(QDialog::Accepted);
    };
    answer = false;
    setup.btnTemplateEdit->click();
    EXPECT_EQ(editors, 0);
    EXPECT_FALSE(fs::exists(file));
    answer = true;
    setup.btnTemplateEdit->click();
    setup.btnTemplateEdit->click();
    EXPECT_EQ(editors, 2);
    EXPECT_EQ(questions.size(), 2); // the second edit found the file
    EXPECT_EQ(lanescope::testing::readFile(file), "<p>@TITLE@</p><p>@TITLE@</p>");

    setup.edtTemplate->setText(qs(folder / "missing-folder" / "t.htm"));
    setup.btnTemplateEdit->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Die Datei konnte nicht gespeichert werden.")});
}

TEST_F(PrintDialogsTest, StatusDialogAbortsOnlyAfterTheQuestion)
{
    for (const bool yes : {false, true}) {
        answer = yes;
        questions.clear();
        TVnxStatusDlg status(nullptr, 2, false, true);
        bool seen = false;
        const bool done = status.execute([&status, &seen](report::ReportStatus& running) {
            running.setLine(0, "Seite 1");
            EXPECT_EQ(status.lines[0]->text(), QStringLiteral("Seite 1"));
            QMetaObject::invokeMethod(status.btnAbort, &QPushButton::click, Qt::QueuedConnection);
            seen = running.aborted();
            return true;
        });
        EXPECT_EQ(questions, QStringList{QStringLiteral("Soll der Druckauftrag abgebrochen werden?")});
        EXPECT_EQ(seen, yes);
        EXPECT_EQ(done, !yes);
    }
}

TEST_F(PrintDialogsTest, MainWindowPrintsItsSelectionAndTheClubStatistics)
{
    settings->WriteBool("Files", "AskRegExtension", false);
    TfrmView view(*settings);
    view.OpenFile(QStringLiteral(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef"), true);
    view.PgcMain->setCurrentIndex(TfrmView::EventsPage);
    view.shtEvents->splits()->setChecked(true);
    QTreeWidget* events = view.shtEvents->tree();
    for (QTreeWidgetItemIterator it(events); *it; ++it) {
        events->setCurrentItem(*it);
        const browser::EventTreeNode* node = view.selectedEventNode();
        if (node && node->level == 1 && node->data->getInteger(tag::NUM) == 7)
            break;
    }
    const report::PrintSelection selection = view.printSelection();
    ASSERT_NE(selection.eventNode, nullptr);
    EXPECT_EQ(selection.eventNode->data->getInteger(tag::NUM), 7);
    EXPECT_TRUE(selection.events.splitsAndNames);
    EXPECT_EQ(selection.activePage, report::PrintSelection::Page::Events);

    answerSaveDialogs({qs(folder / "window.htm"), qs(folder / "clubs.pdf"), qs(folder / "book.pdf")});
    QStringList shown;
    answerPrintDialogs(shown, [](TVnxPrintDlg& print) {
        return qobject_cast<TFClubStatsDlg*>(&print) || qobject_cast<TFResultBookDlg*>(&print)
                   ? print.BPdf
                   : print.btnHtml;
    });
    view.ActPrint->trigger();
    view.ActClubStats->trigger();
    view.ActResultBook->trigger();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Ausdrucken"), QStringLiteral("Teilnehmende Vereine"),
                                  QStringLiteral("Ergebnisbuch")}));
    const std::string html = lanescope::testing::readFile(folder / "window.htm");
    EXPECT_NE(html.find("Freistilstaffel"), std::string::npos);
    EXPECT_NE(html.find("Brandt Clara"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder / "clubs.pdf"));
    // The book holds every list of the sample meet, the relay among them.
    EXPECT_TRUE(fs::exists(folder / "book.pdf"));
}

// File > Export writes the list shown without the print dialog: the save dialog starts in the open file's
// folder with the list's title as the name, a typed ".html" stays, and the status bar says where it went.
TEST_F(PrintDialogsTest, ExportSuggestsTheListTitleKeepsHtmlAndSaysWhereItSaved)
{
    settings->WriteBool("Files", "AskRegExtension", false);
    TfrmView view(*settings);
    view.OpenFile(QStringLiteral(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef"), true);
    view.PgcMain->setCurrentIndex(TfrmView::EventsPage);
    QTreeWidget* events = view.shtEvents->tree();
    for (QTreeWidgetItemIterator it(events); *it; ++it) {
        events->setCurrentItem(*it);
        const browser::EventTreeNode* node = view.selectedEventNode();
        if (node && node->level == 1 && node->data->getInteger(tag::NUM) == 7)
            break;
    }
    ASSERT_TRUE(view.ActExportHtml->isEnabled());
    const QString title = view.shtEvents->title()->text();
    ASSERT_FALSE(title.isEmpty());

    QStringList suggested;
    QStringList answers{qs(folder / "relay.html"), qs(folder / "relay")};
    dialogHooks().saveFileName = [&](QWidget*, const QString&, const QString& start, const QString&, int) {
        suggested.append(start);
        return answers.takeFirst();
    };
    view.ActExportHtml->trigger();
    EXPECT_NE(lanescope::testing::readFile(folder / "relay.html").find("Autumn Open"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "relay.htm"));
    EXPECT_EQ(view.statusBarView->messageText(), QStringLiteral("Gespeichert: ") + qs(folder / "relay.html"));

    view.ActExportPdf->trigger();
    EXPECT_EQ(lanescope::testing::readFile(folder / "relay.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(view.statusBarView->messageText(), QStringLiteral("Gespeichert: ") + qs(folder / "relay.pdf"));

    ASSERT_EQ(suggested.size(), 2);
    // The HTML dialog had no folder of its own yet: it starts where the meet was opened.
    EXPECT_EQ(QFileInfo(suggested[0]).dir().canonicalPath(), QDir(LANESCOPE_SAMPLES_DIR).canonicalPath());
    EXPECT_EQ(QFileInfo(suggested[0]).fileName(), title + QStringLiteral(".htm"));
    EXPECT_EQ(QFileInfo(suggested[1]).fileName(), title + QStringLiteral(".pdf"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

// A printout is in the print language throughout: with German on the screen and English for printing, the
// list title is English like the rest of the page.
TEST_F(PrintDialogsTest, PrintoutTakesTheListTitleInThePrintLanguage)
{
    loadFile(LANESCOPE_SAMPLES_DIR "/autumn-open-2026.lef");
    app::TLanguage& language = app::LanguageManager();
    const int printer = language.printerLanguage();
    language.setPrinterLanguage(3);
    // As in the program: the print language is loaded around the run and the vocabulary follows each load.
    report::TVnxReport::setPrintLanguageHooks([] { app::LanguageManager().BeginPrintLanguage(); },
                                              [] { app::LanguageManager().EndPrintLanguage(); });
    language.setListener([] { app::refreshSwimVocabulary(app::LanguageManager()); });
    answerSaveDialogs({qs(folder / "english.htm")});
    auto dialog = printDialog(7);
    dialog->btnHtml->click();
    report::TVnxReport::setPrintLanguageHooks({}, {});
    language.setListener({});
    language.setPrinterLanguage(printer);

    const std::string html = lanescope::testing::readFile(folder / "english.htm");
    EXPECT_NE(html.find("Freestyle Relay"), std::string::npos);
    EXPECT_EQ(html.find("Freistil"), std::string::npos);
    EXPECT_EQ(html.find("Wettkampf"), std::string::npos);
    // The screen keeps its language.
    EXPECT_NE(models.events.nodesInOrder().front()->text.find("Samstag"), std::string::npos);
}

} // namespace
} // namespace lanescope::ui
