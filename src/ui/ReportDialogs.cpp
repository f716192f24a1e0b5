#include "ui/ReportDialogs.h"

namespace lanescope::ui {

TdlgDrucken::TdlgDrucken(base::CustomIniFile& settings, std::shared_ptr<swim::IBSLenexMeet> meet,
                         const lenex::TLenex& document, const report::PrintSelection& selection,
                         bool hasResults, QWidget* parent)
    : TVnxPrintDlg(settings, parent)
    , FDrucken(std::make_unique<report::TLanescopeDrucken>(Report, std::move(meet), document))
{
    setWindowTitle(QStringLiteral("Ausdrucken"));
    FDrucken->setSelection(selection);
    FDrucken->HasResults = hasResults;
}

// The report unhooks itself from the engine before the engine goes.
TdlgDrucken::~TdlgDrucken() { FDrucken.reset(); }

TFClubStatsDlg::TFClubStatsDlg(base::CustomIniFile& settings, std::shared_ptr<swim::IBSLenexMeet> meet,
                               QWidget* parent)
    : TVnxPrintDlg(settings, parent)
    , FClubStats(std::make_unique<report::TClubStats>(Report, std::move(meet)))
{
    setWindowTitle(QStringLiteral("Teilnehmende Vereine"));
}

TFClubStatsDlg::~TFClubStatsDlg() { FClubStats.reset(); }

TFResultBookDlg::TFResultBookDlg(base::CustomIniFile& settings, std::shared_ptr<swim::IBSLenexMeet> meet,
                                 const lenex::TLenex& document, const browser::BrowserModels& models,
                                 bool splits, QWidget* parent)
    : TVnxPrintDlg(settings, parent)
    , FBook(std::make_unique<report::TResultBook>(Report, std::move(meet), document, models.events,
                                                  models.lists, splits))
{
    setWindowTitle(QStringLiteral("Ergebnisbuch"));
}

TFResultBookDlg::~TFResultBookDlg() { FBook.reset(); }

TChartPrintDlg::TChartPrintDlg(base::CustomIniFile& settings, std::shared_ptr<swim::IBSLenexMeet> meet,
                               const std::string& title, chart::PictureDrawing drawing, QWidget* parent)
    : TVnxPrintDlg(settings, parent)
    , FChart(std::make_unique<chart::TChartReport>(Report, std::move(meet), title, std::move(drawing)))
{
    setWindowTitle(QString::fromStdString(title));
}

TChartPrintDlg::~TChartPrintDlg() { FChart.reset(); }

TFLibraryPrintDlg::TFLibraryPrintDlg(base::CustomIniFile& settings, library::LibraryList list,
                                     library::LibraryTable table, QWidget* parent)
    : TVnxPrintDlg(settings, parent)
    , FLibraryReport(std::make_unique<library::TLibraryReport>(Report, list, std::move(table)))
{
    setWindowTitle(QStringLiteral("Bibliothek drucken"));
}

TFLibraryPrintDlg::~TFLibraryPrintDlg() { FLibraryReport.reset(); }

} // namespace lanescope::ui
