#include "base/LanguageTexts.h"
#include "convert/ConverterChoice.h"
#include "report/HtmlFile.h"
#include "report/MeetSite.h"
#include "report/SiteFolder.h"
#include "report/VnxReport.h"
#include "report/ReportMeet.h"

#include <deque>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace lanescope::report {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string readFile(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

void writeFile(const fs::path& file, const std::string& text)
{
    std::ofstream stream(file, std::ios::binary);
    stream << text;
}

/** The href values of a page. */
std::vector<std::string> linksOf(const std::string& page)
{
    static const std::regex href("href=\"([^\"]*)\"");
    std::vector<std::string> links;
    for (auto match = std::sregex_iterator(page.begin(), page.end(), href); match != std::sregex_iterator(); ++match)
        links.push_back((*match)[1]);
    return links;
}

/** The maker block's web address is the one link that leaves the site. */
bool leavesTheSite(const std::string& link) { return link.starts_with("https://www.lanescope."); }

class MeetSiteTest : public ReportMeetTest
{
protected:
    void loadAny(const fs::path& file)
    {
        const auto converter = convert::createConverter(convert::chooseConverter(file.string()), document);
        ASSERT_TRUE(converter);
        converter->Load(file.string());
        ASSERT_EQ(converter->errorCount(), 0);
        document.buildIndexes();
        models.build(document, 0);
    }

    fs::path writeSite(const std::string& name, const ListPrintOptions& options = {})
    {
        SilentStatus status;
        pages = buildMeetSite(document, options, status);
        const fs::path folder = fs::path(::testing::TempDir()) / ("site-" + name);
        fs::remove_all(folder);
        const SiteWriteResult written = writeSitePages(folder, pages);
        EXPECT_TRUE(written.ok) << written.error;
        EXPECT_EQ(written.written, static_cast<int>(pages.size()));
        return folder;
    }

    /** Every relative link leads to a page of the folder, and every page is reached from the index. */
    void expectClosedSite(const fs::path& folder)
    {
        std::set<std::string> reached{"index.html"};
        std::deque<std::string> open{"index.html"};
        while (!open.empty()) {
            const std::string page = open.front();
            open.pop_front();
            for (const std::string& link : linksOf(readFile(folder / page))) {
                if (leavesTheSite(link))
                    continue;
                EXPECT_EQ(link.find_first_of("/:\\"), std::string::npos) << page << " links " << link;
                EXPECT_TRUE(fs::is_regular_file(folder / link)) << page << " links the missing " << link;
                if (reached.insert(link).second)
                    open.push_back(link);
            }
        }
        std::set<std::string> files;
        for (const auto& entry : fs::directory_iterator(folder))
            files.insert(entry.path().filename().string());
        EXPECT_EQ(reached, files);
    }

    std::vector<SitePage> pages;
};

TEST_F(MeetSiteTest, TheSampleMeetLinksListsAthletesClubsAndEvents)
{
    base::setLanguageTextSource(reportText);
    loadAny(fs::path(LANESCOPE_SAMPLES_DIR) / "autumn-open-2026.lef");
    const fs::path folder = writeSite("sample", {false, true});
    expectClosedSite(folder);

    // An event list links its swimmers and their clubs; the athlete page links the event back and leads to
    // the club and the index.
    const std::string event = readFile(folder / "event-1.html");
    const std::vector<std::string> eventLinks = linksOf(event);
    const auto athlete = std::find_if(eventLinks.begin(), eventLinks.end(),
                                      [](const std::string& link) { return link.starts_with("athlete-"); });
    ASSERT_NE(athlete, eventLinks.end());
    EXPECT_TRUE(std::any_of(eventLinks.begin(), eventLinks.end(),
                            [](const std::string& link) { return link.starts_with("club-"); }));
    const std::vector<std::string> athleteLinks = linksOf(readFile(folder / *athlete));
    EXPECT_NE(std::find(athleteLinks.begin(), athleteLinks.end(), "event-1.html"), athleteLinks.end());
    EXPECT_EQ(athleteLinks.front(), "index.html");
    EXPECT_TRUE(athleteLinks[1].starts_with("club-")) << athleteLinks[1];

    const std::string index = readFile(folder / "index.html");
    EXPECT_EQ(index.rfind("<!DOCTYPE html>\r\n", 0), 0u);
    EXPECT_NE(index.find("<input type=\"search\" id=\"filter\""), std::string::npos);
    EXPECT_EQ(index.find("<script src"), std::string::npos) << "no script from elsewhere";
}

TEST_F(MeetSiteTest, EveryPageIsInThePrintLanguage)
{
    loadAny(fs::path(LANESCOPE_SAMPLES_DIR) / "autumn-open-2026.lef");
    // The print language differs from the screen language: the index's headings and every page's
    // language tag come from it, as the lists' do.
    TVnxReport::setPrintLanguageHooks(
        [] {
            base::setLanguageTextSource([](char section, int number, int item) {
                return section == 'V' && number == 162 ? std::string("Bewerbe") : reportText(section, number, item);
            });
            base::setLanguageTag("de-AT");
        },
        [] {
            base::setLanguageTextSource(reportText);
            base::setLanguageTag("en");
        });
    writeSite("print-language");
    TVnxReport::setPrintLanguageHooks({}, {});
    EXPECT_EQ(base::languageTag(), "en") << "the screen language is back";
    for (const SitePage& page : pages)
        EXPECT_NE(page.text.find("<html lang=\"de-AT\">"), std::string::npos) << page.fileName;
    const auto index = std::find_if(pages.begin(), pages.end(), [](const SitePage& page) {
        return page.fileName == "index.html";
    });
    ASSERT_NE(index, pages.end());
    EXPECT_NE(index->text.find("<h2>Bewerbe</h2>"), std::string::npos);
}

TEST_F(MeetSiteTest, TheWorldChampionshipSiteIsClosed)
{
    const fs::path file = fs::path(LANESCOPE_SHARED_TESTDATA_DIR) / "lenex3" / "world-sc-championships-2022.lef";
    if (!fs::exists(file))
        GTEST_SKIP() << "no " << file;
    loadAny(file);
    const fs::path folder = writeSite("world", {false, true});
    // 728 athletes and 211 relays with swims, 159 clubs, the event and age-group lists and the index.
    EXPECT_GT(pages.size(), 1100u);
    expectClosedSite(folder);
}

TEST_F(MeetSiteTest, NamesFromTheFileStayText)
{
    load(R"(<LENEX version="1.0"><COMPETITIONS><COMPETITION name="&lt;script&gt;Meet" nation="GER">
<SESSIONS><SESSION number="1" date="2026-10-17"><EVENTS>
<EVENT id="1" num="1" discnt="1" dis="100" str="FR" sex="M" type="TIM"/></EVENTS></SESSION></SESSIONS>
<CLUBS><CLUB name="&lt;img src=x onerror=alert(1)&gt;" nation="GER"><PERSONS>
<PERSON id="7" name="&lt;b&gt;Bold" fname="Tom&quot;" sex="M" yob="2010"><RESULTS>
<RESULT eid="1" rank="1"><TIME>V00:01:02.34</TIME></RESULT></RESULTS></PERSON></PERSONS></CLUB></CLUBS>
</COMPETITION></COMPETITIONS></LENEX>)");
    const fs::path folder = writeSite("escaped");
    for (const SitePage& page : pages) {
        SCOPED_TRACE(page.fileName);
        EXPECT_EQ(page.text.find("<script>Meet"), std::string::npos);
        EXPECT_EQ(page.text.find("<img src=x"), std::string::npos);
        EXPECT_EQ(page.text.find("<b>Bold"), std::string::npos);
    }
    expectClosedSite(folder);
}

// Opens the site's index and a page with a 200-letter name in headless Chromium: both render in standards
// mode, the long name wraps so that its row's time stays inside the window, and typing into the filter box
// hides the rows that do not match.
constexpr const char* kChromiumHarness = R"html(<!DOCTYPE html><html><body><pre id="out"></pre>
<script>
var loaded = 0;
function check() {
  if (++loaded < 2) return;
  var out = [];
  var index = document.getElementById('index').contentDocument;
  var rows = index.querySelectorAll('tr.row');
  var visible = function () {
    return Array.prototype.filter.call(rows, function (r) { return r.getClientRects().length > 0; }).length;
  };
  out.push('index ' + index.compatMode);
  out.push('rows ' + rows.length + ' ' + visible());
  var box = index.getElementById('filter');
  box.value = rows[rows.length - 1].querySelector('td').textContent.trim();
  box.dispatchEvent(new Event('input'));
  out.push('filtered ' + visible());
  var long = document.getElementById('long').contentDocument;
  var cells = long.querySelectorAll('td');
  var time = Array.prototype.find.call(cells, function (c) { return c.textContent === '1:02.34'; });
  out.push('long ' + long.compatMode);
  out.push('time ' + time.textContent + ' ' + (time.getBoundingClientRect().right <= long.documentElement.clientWidth));
  document.getElementById('out').textContent = out.join('\n');
}
</script>
<iframe id="index" src="index.html" width="1000" height="800" onload="check()"></iframe>
<iframe id="long" src="long.html" width="600" height="400" onload="check()"></iframe>
</body></html>)html";

TEST_F(MeetSiteTest, ChromiumShowsStandardsModeWrapsLongNamesAndFilters)
{
    if (!onPath("chromium"))
        GTEST_SKIP() << "no chromium";
    loadAny(fs::path(LANESCOPE_SAMPLES_DIR) / "autumn-open-2026.lef");
    const fs::path folder = writeSite("chromium");
    THtmlFile html(-1, {}, 10);
    html.SetColumns("R100;L20;L350;L350;R100");
    html.AddCell(0, "1.", 0);
    html.AddCell(2, std::string(200, 'W'), 0);
    html.AddCell(3, "\u05DB\u05D4\u05DF \u202Eevil", 0);
    html.AddCell(4, "1:02.34", 0);
    ASSERT_TRUE(html.Save(folder / "long.html"));
    writeFile(folder / "harness.html", kChromiumHarness);

    const fs::path profile = folder.parent_path() / "chromium-profile";
    const std::string dom = commandOutput(
        "chromium --headless --no-sandbox --disable-gpu --allow-file-access-from-files --user-data-dir='" +
        profile.string() + "' --virtual-time-budget=10000 --dump-dom 'file://" + (folder / "harness.html").string() +
        "' 2>/dev/null");
    EXPECT_NE(dom.find("index CSS1Compat"), std::string::npos) << dom;
    EXPECT_NE(dom.find("long CSS1Compat"), std::string::npos) << dom;
    EXPECT_NE(dom.find("time 1:02.34 true"), std::string::npos) << dom;
    std::smatch counts;
    const std::string text = dom;
    ASSERT_TRUE(std::regex_search(text, counts, std::regex(R"(rows (\d+) (\d+)\nfiltered (\d+))"))) << dom;
    EXPECT_EQ(counts[1], counts[2]) << "every row shows before filtering";
    EXPECT_GE(std::stoi(counts[3]), 1);
    EXPECT_LT(std::stoi(counts[3]), std::stoi(counts[1]) / 2) << "the filter hides the other rows";
}

TEST(SiteFolder, RewritesOnlyChangedPagesAndRemovesPagesThatAreGone)
{
    const fs::path folder = fs::path(::testing::TempDir()) / "site-folder";
    fs::remove_all(folder);
    std::vector<SitePage> pages{{"index.html", "a"}, {"event-1.html", "b"}, {"athlete-2-3.html", "c"}};
    SiteWriteResult result = writeSitePages(folder, pages);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.written, 3);
    writeFile(folder / "notes.html", "the club's own page");
    const auto indexInode = fs::last_write_time(folder / "index.html");

    pages = {{"index.html", "a"}, {"event-1.html", "b2"}};
    result = writeSitePages(folder, pages);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(result.unchanged, 1);
    EXPECT_EQ(result.removed, 1);
    EXPECT_EQ(fs::last_write_time(folder / "index.html"), indexInode);
    EXPECT_EQ(readFile(folder / "event-1.html"), "b2");
    EXPECT_FALSE(fs::exists(folder / "athlete-2-3.html"));
    EXPECT_EQ(readFile(folder / "notes.html"), "the club's own page");
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_FALSE(entry.path().filename().string().ends_with(".part")) << entry.path();

    writeFile(folder.parent_path() / "site-file", "x");
    result = writeSitePages(folder.parent_path() / "site-file", pages);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

} // namespace
} // namespace lanescope::report
