#include "cli/Commands.h"
#include "cli/OpenDocument.h"
#include "cli/Options.h"
#include "report/MeetSite.h"
#include "report/SiteFolder.h"

#include <cstdio>

namespace lanescope::cli {

const char* const kSiteUsage =
    "usage: lanescope-cli export FILE [--competition N] --site DIR [--splits] [--valid-only]\n";

bool namesSite(const Arguments& arguments)
{
    for (const std::string& word : arguments)
        if (word == "--site")
            return true;
    return false;
}

int writeSite(const Arguments& arguments, std::string& summary)
{
    Options options(arguments, {"--competition", "--site"}, {"--splits", "--valid-only"});
    const std::optional<int> competition = options.integer("--competition");
    const std::optional<std::string> folder = options.text("--site");
    if (!options.valid() || options.positional().size() != 1 || !folder)
        return usageError(options, kSiteUsage);
    lenex::TLenex document;
    browser::BrowserModels models;
    if (const int status = openCompetition(options.positional()[0], competition, document, models))
        return status;
    report::SilentStatus status;
    const report::ListPrintOptions lists{options.has("--valid-only"), options.has("--splits")};
    const std::vector<report::SitePage> pages = report::buildMeetSite(document, lists, status);
    const report::SiteWriteResult written = report::writeSitePages(*folder, pages);
    if (!written.ok) {
        std::fprintf(stderr, "lanescope-cli: %s\n", written.error.c_str());
        return 1;
    }
    summary = std::to_string(pages.size()) + " pages in " + *folder + ": " + std::to_string(written.written) +
              " written, " + std::to_string(written.unchanged) + " unchanged, " +
              std::to_string(written.removed) + " removed";
    return 0;
}

} // namespace lanescope::cli
