#pragma once

#include "browser/ClubTree.h"
#include "report/LanescopeDrucken.h"
#include "report/VornixReport.h"

/** The page of one club on a meet's website. */
namespace lanescope::report {

/**
 * A club's athletes, then its relays, each name pointing to the participant's own page (`ReportLinks`),
 * under the branded head and the club's name. Names come from the club tree, so they read as everywhere
 * else.
 */
class TClubPage : public TVornixReport
{
public:
    TClubPage(TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet);

    /** The club node to print (borrowed; it must outlive the run). */
    void setClub(const browser::ClubTreeNode* club) { FClub = club; }
    void setLinks(ReportLinks links) { FLinks = std::move(links); }

protected:
    void Body() override;

private:
    void participants(browser::ClubNodeKind kind, const std::string& heading);

    const browser::ClubTreeNode* FClub = nullptr;
    ReportLinks FLinks;
};

} // namespace lanescope::report
