#include "report/ClubStats.h"

#include "base/LanguageTexts.h"
#include "report/VnxReport.h"
#include "swim/LenexTexts.h"
#include "swim/SwimCodes.h"
#include "swim/TextFormat.h"

#include <vector>

namespace lanescope::report {

namespace {

const char* const kHeadingColumns = "L360;L120;R185;R185;R150";
const char* const kCountColumns = "L360;L75;L50;R60;R20;R35;R20;R45;R65;R20;R35;R20;R45;R55;R20;R25;R20;R30";

// First cells of the three count groups.
constexpr int kAthletes = 3;
constexpr int kIndividualStarts = 8;
constexpr int kRelayStarts = 13;

struct Counts
{
    int athletes = 0;
    int individualStarts = 0;
    int relayStarts = 0;

    void add(const swim::IBSLenexClub& club, swim::TGenderSet genders)
    {
        athletes += club.athleteCount(genders);
        individualStarts += club.startCount(genders, false);
        relayStarts += club.startCount(genders, true);
    }
};

std::vector<std::string> cells(const TClubStats::Row& row) { return {row.begin(), row.end()}; }

} // namespace

TClubStats::TClubStats(TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet)
    : TVornixReport(report, nullptr, std::move(meet))
{
}

void TClubStats::SetCounts(int first, int men, int women)
{
    const auto cell = [&](int offset) -> std::string& {
        return FRow[static_cast<std::size_t>(first + offset)];
    };
    cell(0) = men > 0 ? std::to_string(men) : "";
    cell(1) = men > 0 && women > 0 ? "+" : "";
    cell(2) = women > 0 ? std::to_string(women) : "";
    cell(3) = men + women > 0 ? "=" : "";
    cell(4) = men + women > 0 ? std::to_string(men + women) : "-";
}

void TClubStats::Headings()
{
    TVnxReport& report = Report();
    report.SetColumns(kHeadingColumns);
    report.PrintRow({base::languageText('V', 30), base::languageText('V', 35), base::languageText('V', 36),
                     base::languageText('S', 1, 1), base::languageText('S', 19)},
                    0);

    report.SetColumns(kCountColumns);
    const std::string male = swim::genderText(swim::gdMale, false);
    const std::string female = swim::genderText(swim::gdFemale, false);
    for (const int first : {kAthletes, kIndividualStarts, kRelayStarts}) {
        report.PrintCell(first, male, 0);
        report.PrintCell(first + 2, female, 0);
    }
    report.AdvanceLines(10);
    report.HtmlFlushRow();
}

void TClubStats::Body()
{
    TVnxReport& report = Report();
    BrandedHead();
    SetTitle(base::languageText('V', 34));
    report.SetColumns("L1000");
    report.PrintRow({base::languageText('V', 34)}, reportflag::bold);
    report.RuleWithSpace(3, 5);

    report.SetFontSizePercent(85);
    Headings();

    Counts men;
    Counts women;
    int clubCount = 0;
    if (const auto& meet = Meet()) {
        const auto clubs = meet->clubs(swim::lcsCodeText);
        clubCount = clubs->count();
        for (int i = 0; i < clubCount; ++i) {
            const auto club = clubs->at(i);
            // Every page's list starts with the column headings.
            if (CheckPageBreakWithHead(10))
                Headings();
            FRow.fill({});
            FRow[0] = swim::clubNameText(club->name());
            FRow[1] = club->code();
            FRow[2] = club->nation();
            Counts clubMen;
            Counts clubWomen;
            clubMen.add(*club, kMenSet);
            clubWomen.add(*club, kWomenSet);
            men.add(*club, kMenSet);
            women.add(*club, kWomenSet);
            SetCounts(kAthletes, clubMen.athletes, clubWomen.athletes);
            SetCounts(kIndividualStarts, clubMen.individualStarts, clubWomen.individualStarts);
            SetCounts(kRelayStarts, clubMen.relayStarts, clubWomen.relayStarts);
            report.PrintRow(cells(FRow), 0);
            report.HtmlFlushRow();
        }
    }

    CheckPageBreakWithHead(30);
    report.RuleWithSpace(3, 5);
    FRow.fill({});
    FRow[0] = swim::formatText(base::languageText('V', 37), {clubCount});
    SetCounts(kAthletes, men.athletes, women.athletes);
    SetCounts(kIndividualStarts, men.individualStarts, women.individualStarts);
    SetCounts(kRelayStarts, men.relayStarts, women.relayStarts);
    report.PrintRow(cells(FRow), 0);
    report.RuleWithSpace(5, 0);
}

} // namespace lanescope::report
