#include "report/VornixReport.h"

#include "base/LanguageTexts.h"
#include "base/ProductVersion.h"
#include "base/Strings.h"
#include "base/VnxIniFiles.h"
#include "report/LocalClock.h"
#include "report/MakerLogo.h"
#include "report/VnxReport.h"
#include "swim/SwimCodes.h"
#include "swim/TextFormat.h"

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

std::string brandedHeadHtml(int htmlWidth, const std::string& meetName, const std::string& placeText,
                            const std::string& webAddress)
{
    const std::string address = base::xmlEscaped(webAddress);
    const std::string program = std::string(base::productName) + " " + base::versionText;
    // The logo travels inside the page, so it shows offline and wherever the page is copied to.
    const std::string logo = "data:image/jpeg;base64," + base64(makerLogoJpeg());
    const std::string width = htmlWidth == -1 ? "100%" : std::to_string(htmlWidth);
    return "<table width=\"" + width + "\" cellspacing=\"0\" cellpadding=\"0\" border=\"0\"><tr><td>" +
           base::xmlEscaped(meetName) +
           "</td><td align=\"right\" rowspan=\"2\"><table width=\"125\" cellspacing=\"0\" cellpadding=\"0\" "
           "border=\"0\"><tr><td style=\"font-family: Arial,Helvetica; font-style:normal; font-size: "
           "10pt;\"><b>" +
           std::string(base::productName) +
           "</b></td><td align=\"center\" rowspan=\"2\"><img border=\"0\" "
           "alt=\"\" src=\"" +
           logo +
           "\"></td></tr><tr><td style=\"font-family: Arial,Helvetica; font-style:normal; font-size: "
           "7pt;\">" +
           program + "</td></tr>" +
           (address.empty() ? std::string()
                            : "<tr><td colspan=\"2\" style=\"font-family: Arial,Helvetica; "
                              "font-style:normal; font-size: 7pt;\"><a href=\"" +
                                  address + "\">" + address + "</a></td></tr>") +
           "</table></td></tr><tr><td>" + base::xmlEscaped(placeText) +
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
    if (FReport.Settings != nullptr)
        WebAddress = base::trim(FReport.Settings->ReadString(kWebAddressSection, kWebAddressKey, ""));
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
    const std::string name = FMeet ? FMeet->name() : HeadName;
    const std::string place = FMeet ? FMeet->placeText() : HeadPlace;
    if (FReport.Output() == OutputKind::Html) {
        FReport.HtmlRaw(brandedHeadHtml(FReport.Document().HTMLWidth, name, place, WebAddress));
        return;
    }
    FReport.StartPage();
    drawPageHead();
}

std::string TVornixReport::MeetFactsText() const
{
    if (!FMeet)
        return {};
    std::string text = MeetDateText();
    if (const int course = FMeet->courseNumber(); course > 0) {
        const std::string pool = swim::poolText(lenex::poolIndexOfCourse(course));
        if (!pool.empty())
            text = text.empty() ? pool : text + "  \u00B7  " + pool;
    }
    return text;
}

void TVornixReport::headText(int x, int y, int width, int points, const std::string& text)
{
    // A text too long for its room shrinks down to 6 points, then gives way at a word.
    int size = points;
    FReport.SetFontSizePercent(percentForPoints(FReport, size));
    while (size > 6 && FReport.TextWidthMm(text) > width)
        FReport.SetFontSizePercent(percentForPoints(FReport, --size));
    FReport.TextAt(x, y, reportflag::left, FReport.FitTextMm(text, 0, width));
}

void TVornixReport::drawPageHead()
{
    const TVnxDocument& document = FReport.Document();
    const int left = document.LeftMargin;
    // Nothing reaches past the paper, even with margins set to nothing.
    const int right = std::min(document.PageWidth() - document.RightMargin, document.PageWidth() - 50);
    const int top = document.TopMargin;
    const int footer = document.PageHeight() - document.BottomMargin;
    const std::string name = FMeet ? FMeet->name() : HeadName;
    const std::string place = FMeet ? FMeet->placeText() : HeadPlace;

    // The maker block: the program, its version and the configured web address, left of the logo.
    FReport.SetFontName("Arial");
    int logoWidth = 0;
    if (const ReportPicture& logo = makerLogo(); logo.width > 0) {
        FReport.ImageAt(right - 20, top - 150, logo, 1, 40);
        logoWidth = logo.width * 40 * 254 / 10000 + 20;
    }
    const std::string program = std::string(base::productName) + " " + base::versionText;
    FReport.SetFontSizePercent(percentForPoints(FReport, 6));
    int makerWidth = std::max(FReport.TextWidthMm(program), FReport.TextWidthMm(WebAddress));
    FReport.SetFontSizePercent(percentForPoints(FReport, 10));
    makerWidth = std::max(makerWidth, FReport.TextWidthMm(base::productName));
    const int makerX = right - 20 - logoWidth - makerWidth;
    FReport.TextAt(makerX, top - 150, reportflag::left, base::productName);
    FReport.SetFontSizePercent(percentForPoints(FReport, 6));
    FReport.TextAt(makerX, top - 112, reportflag::left, program);
    if (!WebAddress.empty())
        FReport.TextAt(makerX, top - 85, reportflag::left, WebAddress);

    // The meet's name, place, dates and pool in the room left of the maker block.
    const int room = std::max(makerX - 40 - left, 100);
    headText(left, top - 150, room, 10, name);
    headText(left, top - 113, room, 8, place);
    headText(left, top - 78, room, 7, MeetFactsText());

    FReport.LineAt(left, top - 45, 2, top - 45, right);
    FReport.LineAt(left, footer + 20, 2, footer + 20, right);

    FReport.SetFontSizePercent(percentForPoints(FReport, 6));
    FReport.TextAt(left, footer + 30, reportflag::left, program);
    FReport.TextAt(left + (right - left) / 2, footer + 30, reportflag::centre,
                   base::formatDateTime("ddd d mmm yyyy   hh:nn", FStartTime));
    std::string pageText = base::languageText('G', 55) + std::to_string(FReport.PageNumber());
    if (const int total = FReport.TotalPages(); total > 0)
        pageText = swim::formatText(base::languageText('V', 140), {FReport.PageNumber(), total});
    FReport.TextAt(right, footer + 30, reportflag::right, pageText);

    FReport.SetFontName("");
    FReport.SetFontSizePercent(100);
}

} // namespace lanescope::report
