#pragma once

#include "browser/BrowserModels.h"
#include "chart/ChartReport.h"
#include "library/LibraryReport.h"
#include "report/ClubStats.h"
#include "report/LanescopeDrucken.h"
#include "report/ResultBook.h"
#include "ui/VnxPrintDlg.h"

#include <memory>

namespace lanescope::ui {

/** `TdlgDrucken` ("Ausdrucken"): the print dialog of the result reports of the main window's selection. */
class TdlgDrucken : public TVnxPrintDlg
{
    Q_OBJECT

public:
    /** The document and the selection's nodes must stay valid while the dialog lives. */
    TdlgDrucken(base::CustomIniFile& settings, std::shared_ptr<swim::IBSLenexMeet> meet,
                const lenex::TLenex& document, const report::PrintSelection& selection, bool hasResults,
                QWidget* parent = nullptr);
    ~TdlgDrucken() override;

    report::TLanescopeDrucken& Drucken() { return *FDrucken; }

private:
    std::unique_ptr<report::TLanescopeDrucken> FDrucken;
};

/** `TFClubStatsDlg` ("Teilnehmende Vereine"): the print dialog of the club statistics. */
class TFClubStatsDlg : public TVnxPrintDlg
{
    Q_OBJECT

public:
    TFClubStatsDlg(base::CustomIniFile& settings, std::shared_ptr<swim::IBSLenexMeet> meet,
                   QWidget* parent = nullptr);
    ~TFClubStatsDlg() override;

    report::TClubStats& ClubStats() { return *FClubStats; }

private:
    std::unique_ptr<report::TClubStats> FClubStats;
};

/** `TFResultBookDlg` ("Ergebnisbuch"): the print dialog of the whole meet as one book. */
class TFResultBookDlg : public TVnxPrintDlg
{
    Q_OBJECT

public:
    /** The document and the models must stay valid while the dialog lives. */
    TFResultBookDlg(base::CustomIniFile& settings, std::shared_ptr<swim::IBSLenexMeet> meet,
                    const lenex::TLenex& document, const browser::BrowserModels& models, bool splits,
                    QWidget* parent = nullptr);
    ~TFResultBookDlg() override;

    report::TResultBook& Book() { return *FBook; }

private:
    std::unique_ptr<report::TResultBook> FBook;
};

/** The print dialog of a picture (the race picture of a list, an athlete's progression). */
class TChartPrintDlg : public TVnxPrintDlg
{
    Q_OBJECT

public:
    TChartPrintDlg(base::CustomIniFile& settings, std::shared_ptr<swim::IBSLenexMeet> meet,
                   const std::string& title, chart::PictureDrawing drawing, QWidget* parent = nullptr);
    ~TChartPrintDlg() override;

    chart::TChartReport& Chart() { return *FChart; }

private:
    std::unique_ptr<chart::TChartReport> FChart;
};

/** `TFLibraryPrintDlg` ("Bibliothek drucken"): the print dialog of the list the library page shows. */
class TFLibraryPrintDlg : public TVnxPrintDlg
{
    Q_OBJECT

public:
    TFLibraryPrintDlg(base::CustomIniFile& settings, library::LibraryList list, library::LibraryTable table,
                      QWidget* parent = nullptr);
    ~TFLibraryPrintDlg() override;

    library::TLibraryReport& LibraryReport() { return *FLibraryReport; }

private:
    std::unique_ptr<library::TLibraryReport> FLibraryReport;
};

} // namespace lanescope::ui
