#pragma once

#include "base/DateTime.h"
#include "base/FormatSettings.h"
#include "swim/BSSwLenex.h"

#include <functional>
#include <memory>
#include <string>

/**
 * The branded report base: a page head with the meet's name and place, the maker's name, address and logo,
 * and a footer line with the program, the run's start time and the page number. The result reports and
 * the club statistics derive from it; it drives a report engine through the engine's events.
 */
namespace lanescope::report {

class TVnxReport;

/**
 * The web address the reports print in the maker block: the "Special"/"WebAddress" setting, empty when
 * none is configured (then no address prints: a made-up one would send readers nowhere).
 */
inline constexpr const char* kWebAddressSection = "Special";
inline constexpr const char* kWebAddressKey = "WebAddress";

/**
 * The meet's date range for the report: the first date shortened (no year when both lie in one year, no
 * month either when they lie in one month), " / " or " - " (more than one day apart), the last date in
 * the long date format. One day gives that date only; an inverted range or a missing date gives "".
 */
std::string dateRangeText(base::TDateTime from, base::TDateTime to,
                          const base::TFormatSettings& settings = base::currentFormatSettings());

/**
 * The branded head of the HTML output as one line of markup: the width ("100%" for -1), the meet's name
 * and place text (with "&", "<", ">" and '"' escaped, so a file's texts cannot add markup), the program's
 * name and version, the maker's logo embedded as a data: address; the web address, linked, only when one
 * is given.
 */
std::string brandedHeadHtml(int htmlWidth, const std::string& meetName, const std::string& placeText,
                            const std::string& webAddress = {});

class TVornixReport
{
public:
    /** Called at the start of every run after the base has prepared the document. */
    using InitCallback = std::function<void(TVornixReport&)>;

    /**
     * Hooks the engine's `OnInitReport` and `OnOneExemplar` (and unhooks them when destroyed) and sets
     * `FixCharPerLine` to 84. The meet may be nullptr (a file without competition): the head stays empty.
     */
    TVornixReport(TVnxReport& report, InitCallback initCallback, std::shared_ptr<swim::IBSLenexMeet> meet);
    virtual ~TVornixReport();
    TVornixReport(const TVornixReport&) = delete;
    TVornixReport& operator=(const TVornixReport&) = delete;

    /** Clears the engine's head lines, saves the margins, takes the start time, calls the callback. */
    void InitReport();
    /** Page number 1, margins enlarged for head (15 mm) and footer (5 mm), `Body`, margins restored. */
    void OneExemplar();
    /** `CheckPageBreak`; a new page gets the branded head. Columns and font size survive the head. */
    bool CheckPageBreakWithHead(int tenths);
    /** The head and footer of the page (page column 0 only); one markup line in HTML output. */
    void BrandedHead();
    /** The report's title (the HTML page's title): the text, " - " and the meet's name when there is one. */
    void SetTitle(const std::string& title);

    TVnxReport& Report() { return FReport; }
    const std::shared_ptr<swim::IBSLenexMeet>& Meet() const { return FMeet; }
    /** The meet's date range text, "" without a meet. */
    std::string MeetDateText() const;
    /** The dates and the pool ("50m"), as the page head shows them under the place. */
    std::string MeetFactsText() const;

    /**
     * The head's first two lines of a report without a meet (a list over many meets): what the meet's name
     * and place would say. Empty: nothing.
     */
    std::string HeadName;
    std::string HeadPlace;

    /**
     * The configured web address of the maker block; read from the engine's settings at each run when
     * they are set, else as given here (the command line passes it).
     */
    std::string WebAddress;

    /** Fixes the run's start time instead of the clock; use only in test suites. */
    void setFixedStartTime(base::TDateTime time) { FFixedStartTime = time; }
    base::TDateTime StartTime() const { return FStartTime; }

protected:
    /** The report's content, from the branded head on. */
    virtual void Body() = 0;

private:
    void drawPageHead();
    /** A head text at (x, y), shrunk from `points` and then cut at a word to stay within the width. */
    void headText(int x, int y, int width, int points, const std::string& text);

    TVnxReport& FReport;
    InitCallback FInitCallback;
    std::shared_ptr<swim::IBSLenexMeet> FMeet;
    int FSavedTopMargin = 0;
    int FSavedBottomMargin = 0;
    base::TDateTime FStartTime = 0;
    base::TDateTime FFixedStartTime = 0;
};

} // namespace lanescope::report
