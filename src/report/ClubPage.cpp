#include "report/ClubPage.h"

#include "base/LanguageTexts.h"
#include "report/VnxReport.h"

namespace lanescope::report {

TClubPage::TClubPage(TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet)
    : TVornixReport(report, nullptr, std::move(meet))
{
}

void TClubPage::Body()
{
    if (FClub == nullptr)
        return;
    TVnxReport& report = Report();
    BrandedHead();
    report.SetColumns("L1000");
    report.PrintRow({MeetDateText()}, 0);
    report.AdvanceLines(10);
    const std::string nation = FClub->parent != nullptr ? FClub->parent->text : std::string();
    const std::string title = nation.empty() ? FClub->text : FClub->text + " (" + nation + ")";
    SetTitle(title);
    report.SetFontSizePercent(120);
    report.PrintRow({title}, reportflag::bold);
    report.AdvanceLines(5);
    report.HtmlNewLine();
    report.SetFontSizePercent(100);
    participants(browser::ClubNodeKind::Athlete, base::languageText('V', 164));
    participants(browser::ClubNodeKind::Relay, base::languageText('V', 165));
}

void TClubPage::participants(browser::ClubNodeKind kind, const std::string& heading)
{
    TVnxReport& report = Report();
    bool first = true;
    for (const auto& child : FClub->children) {
        if (child->kind != kind)
            continue;
        if (first) {
            report.SetColumns("L1000");
            report.AdvanceLines(5);
            report.PrintRow({heading}, reportflag::bold);
            report.SetColumns("L50;L950");
            first = false;
        }
        CheckPageBreakWithHead(10);
        const lenex::TLnxObject* owner =
            child->items != nullptr && child->items->parent() != nullptr ? child->items->parent()->asObject() : nullptr;
        report.PrintCell(1, child->text, 0,
                         owner != nullptr && FLinks.participant ? FLinks.participant(*owner) : std::string());
        report.AdvanceLines(10);
    }
}

} // namespace lanescope::report
