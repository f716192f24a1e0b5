#pragma once

#include "report/MeetSite.h"

#include <filesystem>
#include <string>
#include <vector>

/** Writing a website's pages into its folder so that readers and sync tools only ever see whole pages. */
namespace lanescope::report {

struct SiteWriteResult
{
    bool ok = true;
    /** Why the folder or a page could not be written (the system's words); empty when ok. */
    std::string error;
    int written = 0;
    int unchanged = 0;
    int removed = 0;
};

/**
 * Writes the pages into the folder (made when missing). A page whose file already holds the same text is
 * left alone; any other is written to a hidden temporary file beside it and renamed over the old one, so a
 * web server or a sync tool never serves half a page. Pages the site no longer has (files named as the site
 * names its pages: "event-N.html", "club-N.html", "athlete-N-M.html", "relay-N-M.html") are removed; no
 * other file in the folder is touched. Stops at the first page that cannot be written.
 */
SiteWriteResult writeSitePages(const std::filesystem::path& folder, const std::vector<SitePage>& pages);

} // namespace lanescope::report
