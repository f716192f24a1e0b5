#include "report/VornixReport.h"

#include "base/LanguageTexts.h"
#include "base/ProductVersion.h"
#include "base/Strings.h"
#include "report/LocalClock.h"
#include "report/MakerLogo.h"
#include "report/VnxReport.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

namespace lanescope::report {

namespace {

// Positions of the head and footer relative to the enlarged margins, tenths of a millimetre.
constexpr int kHeadTopExtra = 150;
constexpr int kFooterExtra = 50;

std::string removeLetter(std::string pattern, char lower)
{
    const char upper = static_cast<char>(lower - 'a' + 'A');
    std::erase_if(pattern, [&](char c) { return c == lower || c == upper; });
    return pattern;
}

// Collapses every run of the text into a single copy of it.
std::string collapseRuns(std::string text, const std::string& single)
{
    const std::string doubled = single + single;
    while (text.find(doubled) != std::string::npos)
        text = base::replaceAll(text, doubled, single);
    return text;
}

// The font size percent of the base size that gives at least the wanted size in whole points, so the
// device font (whole points, truncated) is exactly that size.
int percentForPoints(const TVnxReport& report, int points)
{
    const int base = std::max(1, report.Document().BaseFontSize());
    return (points * 1000 + base - 1) / base;
}

/** RFC 4648 base64, for the logo's data: address. */
std::string base64(std::string_view bytes)
{
    static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        unsigned group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= count ? digits[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

} // namespace

std::string dateRangeText(base::TDateTime from, base::TDateTime to, const base::TFormatSettings& settings)
{
    // 0 is "no date": a meet whose sessions carry no date has no range to print.
    if (from == 0 || to == 0 || to < from)
        return {};
    const std::string& longFormat = settings.longDateFormat;
    if (std::floor(from) == std::floor(to))
        return base::formatDateTime(longFormat, to, settings);

    const base::DateParts first = base::decodeDate(from);
    const base::DateParts last = base::decodeDate(to);
    std::string shortened = longFormat;
    if (first.year == last.year) {
        shortened = removeLetter(shortened, 'y');
        if (first.month == last.month)
            shortened = removeLetter(shortened, 'm');
    }
    std::string firstText =
        collapseRuns(base::formatDateTime(shortened, from, settings), std::string(1, settings.dateSeparator));
    // A format with the day before a comma ("dddd, mmmm d, yyyy") leaves ", " behind where the year was.
    firstText.erase(firstText.find_last_not_of(", ") + 1);
    const std::string separator = to - from > 1 ? " - " : " / ";
    return collapseRuns(firstText + separator + base::formatDateTime(longFormat, to, settings), " ");
}

std::string brandedHeadHtml(int htmlWidth, const std::string& meetName, const std::string& placeText)
{
    const std::string address = kMakerWebAddress;
    // The logo travels inside the page, so it shows offline and wherever the page is copied to.
    const std::string logo = "data:image/jpeg;base64," + base64(makerLogoJpeg());
    const std::string width = htmlWidth == -1 ? "100%" : std::to_string(htmlWidth);
    return "<table width=\"" + width + "\" cellspacing=\"0\" cellpadding=\"0\" border=\"0\"><tr><td>" +
           base::xmlEscaped(meetName) +
           "</td><td align=\"right\" rowspan=\"2\"><table width=\"125\" cellspacing=\"0\" cellpadding=\"0\" "
           "border=\"0\"><tr><td style=\"font-family: Arial,Helvetica; font-style:normal; font-size: "
           "10pt;\"><b>VORNIX</b></td><td align=\"center\" rowspan=2\"><a href=\"" +
           address + "\"><img border=\"0\" alt=\"Korvalin\" src=\"" + logo +
           "\"></a></td></tr><tr><td style=\"font-family: Arial,Helvetica; font-style:normal; font-size: "
           "7pt;\">by Korvalin</td></tr><tr><td colspan=\"2\" style=\"font-family: Arial,Helvetica; "
           "font-style:normal; font-size: 7pt;\"><a href=\"" +
           address + "\">" + address + "</a></td></tr></table></td></tr><tr><td>" +
           base::xmlEscaped(placeText) +
           "</td></tr><tr><td colspan=\"2\"><hr size=\"1\" noshade color=\"black\"></td></tr></table>";
}

TVornixReport::TVornixReport(TVnxReport& report, InitCallback initCallback,
                             std::shared_ptr<swim::IBSLenexMeet> meet)
    : FReport(report)
    , FInitCallback(std::move(initCallback))
    , FMeet(std::move(meet))
{
    FReport.OnInitReport = [this](TVnxReport&) { InitReport(); };
    FReport.OnOneExemplar = [this](TVnxReport&) { OneExemplar(); };
    FReport.Document().FixCharPerLine = 84;
}

TVornixReport::~TVornixReport()
{
    FReport.OnInitReport = nullptr;
    FReport.OnOneExemplar = nullptr;
}

void TVornixReport::InitReport()
{
    TVnxDocument& document = FReport.Document();
    document.HeadLeftLines.clear();
    document.HeadRightLines.clear();
    FSavedTopMargin = document.TopMargin;
    FSavedBottomMargin = document.BottomMargin;
    FStartTime = FFixedStartTime != 0 ? FFixedStartTime : localNow();
    if (FInitCallback)
        FInitCallback(*this);
}

void TVornixReport::OneExemplar()
{
    TVnxDocument& document = FReport.Document();
    FReport.SetPageNumber(1);
    document.TopMargin = FSavedTopMargin + kHeadTopExtra;
    document.BottomMargin = FSavedBottomMargin + kFooterExtra;
    // The margins come back even when the body fails, so the page setup is never left enlarged.
    struct Restore
    {
        TVnxDocument& document;
        int top;
        int bottom;
        ~Restore()
        {
            document.TopMargin = top;
            document.BottomMargin = bottom;
        }
    } restore{document, FSavedTopMargin, FSavedBottomMargin};
    Body();
}

void TVornixReport::SetTitle(const std::string& title)
{
    const std::string name = FMeet ? FMeet->name() : std::string();
    FReport.Document().TitleLines = {name.empty() ? title : title + " - " + name};
}

bool TVornixReport::CheckPageBreakWithHead(int tenths)
{
    const std::string columns = FReport.GetColumns();
    const int percent = FReport.FontSizePercent();
    const bool started = FReport.CheckPageBreak(tenths);
    if (started)
        BrandedHead();
    FReport.SetColumns(columns);
    FReport.SetFontSizePercent(percent);
    return started;
}

std::string TVornixReport::MeetDateText() const
{
    if (!FMeet)
        return {};
    const swim::TLnxDateRange range = FMeet->dateRange();
    return dateRangeText(range.first, range.last);
}

void TVornixReport::BrandedHead()
{
    if (FReport.PageColumnIndex() > 0)
        return;
    const std::string name = FMeet ? FMeet->name() : std::string();
    const std::string place = FMeet ? FMeet->placeText() : std::string();
    if (FReport.Output() == OutputKind::Html) {
        FReport.HtmlRaw(brandedHeadHtml(FReport.Document().HTMLWidth, name, place));
        return;
    }
    FReport.StartPage();
    drawPageHead();
}

void TVornixReport::drawPageHead()
{
    const TVnxDocument& document = FReport.Document();
    const int left = document.LeftMargin;
    const int right = document.PageWidth() - document.RightMargin;
    const int top = document.TopMargin;
    const int footer = document.PageHeight() - document.BottomMargin;
    const std::string name = FMeet ? FMeet->name() : std::string();
    const std::string place = FMeet ? FMeet->placeText() : std::string();

    FReport.SetFontSizePercent(percentForPoints(FReport, 10));
    FReport.TextAt(left, top - 150, reportflag::left, name);
    FReport.TextAt(left, top - 105, reportflag::left, place);

    FReport.SetFontName("Arial");
    FReport.SetFontSizePercent(percentForPoints(FReport, 6));
    const int makerX = right - FReport.TextWidthMm(kMakerWebAddress);
    FReport.TextAt(makerX, top - 112, reportflag::left, "by  Korvalin");
    FReport.TextAt(makerX, top - 85, reportflag::left, kMakerWebAddress);
    FReport.SetFontSizePercent(percentForPoints(FReport, 10));
    FReport.TextAt(makerX, top - 150, reportflag::left, "VORNIX");
    if (const ReportPicture& logo = makerLogo(); logo.width > 0)
        FReport.ImageAt(right - 20, top - 150, logo, 1, 40);

    FReport.LineAt(left, top - 55, 2, top - 55, right);
    FReport.LineAt(left, footer + 20, 2, footer + 20, right);

    FReport.SetFontSizePercent(percentForPoints(FReport, 6));
    FReport.TextAt(left, footer + 30, reportflag::left,
                   std::string("Vornix ") + base::productName + " " + base::versionText);
    FReport.TextAt(left + (right - left) / 2, footer + 30, reportflag::centre,
                   base::formatDateTime("ddd d mmm yyyy   hh:nn", FStartTime));
    FReport.TextAt(right, footer + 30, reportflag::right,
                   base::languageText('G', 55) + std::to_string(FReport.PageNumber()));

    FReport.SetFontName("");
    FReport.SetFontSizePercent(100);
}

} // namespace lanescope::report
