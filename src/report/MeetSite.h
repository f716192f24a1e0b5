#pragma once

#include "lenex/Lenex.h"
#include "report/LanescopeDrucken.h"
#include "report/ReportCanvas.h"

#include <string>
#include <vector>

/** The meet as a website: a folder of linked HTML pages. */
namespace lanescope::report {

/** One file of the website: its name in the site folder and its text. */
struct SitePage
{
    std::string fileName;
    std::string text;
};

/**
 * Every page of the current competition's website: "index.html" (the meet, its sessions with their events
 * and age groups, the clubs and the athletes and relays, with a filter box), one page per event or
 * age-group list that holds results or entries, one per club with its athletes and relays, and one per
 * athlete or relay with all its swims. The lists are the result reports' HTML output, so times, places and
 * status texts read as in the printed lists. Links are relative and pages are named by the document's
 * order ("event-3.html", "club-12.html", "athlete-12-4.html"), so the names stay when a live file grows.
 * The pages show the document's current competition in the print language, as every printout does; the
 * status is asked for an abort between pages.
 */
std::vector<SitePage> buildMeetSite(const lenex::TLenex& document, const ListPrintOptions& options,
                                    ReportStatus& status);

} // namespace lanescope::report
