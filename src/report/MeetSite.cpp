#include "report/MeetSite.h"

#include "base/LanguageTexts.h"
#include "base/NameCollation.h"
#include "base/Strings.h"
#include "browser/BrowserModels.h"
#include "report/ClubPage.h"
#include "report/HtmlFile.h"
#include "report/VnxReport.h"
#include "swim/BSSwLenex.h"
#include "swim/LenexTexts.h"

#include <algorithm>
#include <unordered_map>

namespace lanescope::report {

namespace {

using lenex::TLnxObject;
namespace tag = lenex::tag;

constexpr const char* kIndexPage = "index.html";

/**
 * The page frame: the HTML5 doctype first, the page's language, a width that follows the screen, and a line
 * that leads back to the index (and, on a participant's page, to its club) above the report.
 */
std::string siteTemplate(const std::string& navigation)
{
    return "<!DOCTYPE html>\r\n<html lang=\"@LANG@\"><head>\r\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
           "<style>nav{margin:0 0 8px} nav a{margin-right:1.5em} h2{font-size:12pt;margin:14px 0 4px} "
           "th{text-align:left;padding-top:6px} input{font-size:11pt;width:20em;max-width:90%}</style>\r\n"
           "<title>\r\n@TITLE@\r\n</title></head><body>\r\n<nav><a href=\"" +
           std::string(kIndexPage) + "\">" + THtmlFile::escapeText(base::languageText('V', 160)) + "</a>" +
           navigation + "</nav>\r\n@BODY@\r\n</body></html>";
}

std::string navigationLink(const std::string& page, const std::string& text)
{
    return page.empty() ? std::string() : "<a href=\"" + page + "\">" + THtmlFile::escapeText(text) + "</a>";
}

/** The file names of the pages by the document objects they show. */
class SiteNames
{
public:
    SiteNames(const lenex::TLenex& document, const browser::BrowserModels& models)
    {
        int number = 0;
        for (const browser::EventTreeNode* node : models.events.nodesInOrder()) {
            if (node->level < 1)
                continue;
            ++number;
            const browser::ResultList* list = browser::ResultListFor(node, models.lists);
            if (list == nullptr || list->empty() || node->data == nullptr)
                continue;
            const std::string name = "event-" + std::to_string(number) + ".html";
            FEventNodes.emplace_back(node, name);
            FPages.emplace(node->data, name);
        }
        const TLnxObject* competition = document.currentCompetition();
        const lenex::TLnxCollection* clubs = competition ? competition->findCollection(tag::CLUBS) : nullptr;
        for (int c = 0; clubs != nullptr && c < clubs->childCount(); ++c) {
            const TLnxObject* club = clubs->itemAt(c);
            if (club == nullptr)
                continue;
            const std::string clubNumber = std::to_string(c + 1);
            FPages.emplace(club, "club-" + clubNumber + ".html");
            nameParticipants(*club, tag::PERSONS, "athlete-" + clubNumber + "-");
            nameParticipants(*club, tag::RELAYS, "relay-" + clubNumber + "-");
        }
    }

    /** The page of an EVENT, CAT, CLUB, PERSON or RELAY; empty when it has none. */
    std::string pageOf(const TLnxObject* object) const
    {
        const auto found = object != nullptr ? FPages.find(object) : FPages.end();
        return found != FPages.end() ? found->second : std::string();
    }

    ReportLinks links() const
    {
        return {[this](const TLnxObject& owner) { return pageOf(&owner); },
                [this](const TLnxObject& club) { return pageOf(&club); },
                [this](const TLnxObject& event, const TLnxObject* ageGroup) {
                    const std::string page = pageOf(ageGroup);
                    return page.empty() ? pageOf(&event) : page;
                }};
    }

    const std::vector<std::pair<const browser::EventTreeNode*, std::string>>& eventNodes() const
    {
        return FEventNodes;
    }

private:
    // Only a participant with swims or entries gets a page.
    void nameParticipants(const TLnxObject& club, lenex::TLnxTagId collection, const std::string& prefix)
    {
        const lenex::TLnxCollection* participants = club.findCollection(collection);
        for (int p = 0; participants != nullptr && p < participants->childCount(); ++p) {
            const TLnxObject* participant = participants->itemAt(p);
            if (participant == nullptr)
                continue;
            const lenex::TLnxCollection* items = participant->findCollection(tag::RESULTS);
            if (items == nullptr || items->childCount() == 0)
                items = participant->findCollection(tag::ENTRIES);
            if (items != nullptr && items->childCount() > 0)
                FPages.emplace(participant, prefix + std::to_string(p + 1) + ".html");
        }
    }

    std::unordered_map<const TLnxObject*, std::string> FPages;
    std::vector<std::pair<const browser::EventTreeNode*, std::string>> FEventNodes;
};

const TLnxObject* ownerOfNode(const browser::ClubTreeNode& node)
{
    return node.items != nullptr && node.items->parent() != nullptr ? node.items->parent()->asObject()
                                                                     : nullptr;
}

/** A row the index's filter box shows or hides; key: the text it matches, when not the row's own text. */
std::string filterRow(const std::string& cells, const std::string& key = {})
{
    const std::string keyAttribute =
        key.empty() ? std::string() : " data-key=\"" + base::xmlEscaped(key) + "\"";
    return "<tr class=\"row\"" + keyAttribute + ">" + cells + "</tr>";
}

std::string linkedCell(const std::string& page, const std::string& text, const std::string& indent = {})
{
    const std::string shown = THtmlFile::escapeText(text);
    return "<td>" + indent + (page.empty() ? shown : "<a href=\"" + page + "\">" + shown + "</a>") + "</td>";
}

// Hides the rows that do not hold the filter text (any letter case), and every group and section left
// without a row. Plain script without any library, so the page works offline. No line holds two blanks in a
// row: the page's raw lines get them as non-breaking spaces.
constexpr const char* kFilterScript =
    "<script>\r\n"
    "(function () {\r\n"
    "var box = document.getElementById('filter');\r\n"
    "function apply() {\r\n"
    "var text = box.value.trim().toLowerCase();\r\n"
    "document.querySelectorAll('section.list').forEach(function (section) {\r\n"
    "var sectionShown = false;\r\n"
    "section.querySelectorAll('tbody').forEach(function (group) {\r\n"
    "var groupShown = false;\r\n"
    "group.querySelectorAll('tr.row').forEach(function (row) {\r\n"
    "var key = (row.getAttribute('data-key') || row.textContent).toLowerCase();\r\n"
    "row.hidden = text !== '' && key.indexOf(text) < 0;\r\n"
    "groupShown = groupShown || !row.hidden;\r\n"
    "});\r\n"
    "group.hidden = !groupShown;\r\n"
    "sectionShown = sectionShown || groupShown;\r\n"
    "});\r\n"
    "section.hidden = !sectionShown;\r\n"
    "});\r\n"
    "}\r\n"
    "box.addEventListener('input', apply);\r\n"
    "apply();\r\n"
    "})();\r\n"
    "</script>";

class IndexPage
{
public:
    IndexPage(const browser::BrowserModels& models, const SiteNames& names)
        : FModels(models)
        , FNames(names)
    {
    }

    std::string text(const swim::IBSLenexMeet* meet, const std::string& dates)
    {
        THtmlFile html(-1, {}, 10);
        html.TemplateText = siteTemplate({});
        html.Language = base::languageTag();
        const std::string name = meet != nullptr ? meet->name() : std::string();
        html.Title = name;
        html.AddRaw(brandedHeadHtml(-1, name, meet != nullptr ? meet->placeText() : std::string()));
        html.AddRaw("<p>" + base::xmlEscaped(dates) + "</p>");
        html.AddRaw("<p><label>" + base::xmlEscaped(base::languageText('V', 161)) +
                    " <input type=\"search\" id=\"filter\" autocomplete=\"off\"></label></p>");
        for (const std::string& line : events())
            html.AddRaw(line);
        for (const std::string& line : clubs())
            html.AddRaw(line);
        for (const std::string& line : participants())
            html.AddRaw(line);
        html.AddRaw(kFilterScript);
        return html.PageText();
    }

private:
    static void openSection(std::vector<std::string>& lines, const std::string& heading)
    {
        lines.push_back("<section class=\"list\"><h2>" + base::xmlEscaped(heading) +
                        "</h2><table width=\"100%\" border=0 cellspacing=0 cellpadding=1>");
    }

    std::vector<std::string> events() const
    {
        std::vector<std::string> lines;
        openSection(lines, base::languageText('V', 162));
        for (const auto& session : FModels.events.sessions()) {
            lines.push_back("<tbody><tr><th>" + THtmlFile::escapeText(session->text) + "</th></tr>");
            for (const auto& event : session->children) {
                lines.push_back(filterRow(linkedCell(FNames.pageOf(event->data), event->text)));
                for (const auto& group : event->children)
                    lines.push_back(filterRow(
                        linkedCell(FNames.pageOf(group->data), group->text, "&nbsp;&nbsp;&nbsp;&nbsp;"),
                        event->text + " " + group->text));
            }
            lines.emplace_back("</tbody>");
        }
        lines.emplace_back("</table></section>");
        return lines;
    }

    std::vector<std::string> clubs() const
    {
        std::vector<std::string> lines;
        openSection(lines, base::languageText('V', 163));
        for (const auto& nation : FModels.clubs.nations()) {
            if (nation->children.empty())
                continue;
            lines.push_back("<tbody><tr><th colspan=2>" + THtmlFile::escapeText(nation->text) + "</th></tr>");
            for (const auto& club : nation->children) {
                const TLnxObject* object = club->statistic ? club->statistic->club : nullptr;
                lines.push_back(filterRow(linkedCell(FNames.pageOf(object), club->text),
                                          nation->text + " " + club->text));
            }
            lines.emplace_back("</tbody>");
        }
        lines.emplace_back("</table></section>");
        return lines;
    }

    /** Every athlete and relay with a page, by name, with the club beside it. */
    std::vector<std::string> participants() const
    {
        struct Row
        {
            const browser::ClubTreeNode* node;
            std::string page;
        };
        std::vector<Row> athletes;
        std::vector<Row> relays;
        for (const auto& nation : FModels.clubs.nations())
            for (const auto& club : nation->children)
                for (const auto& participant : club->children)
                    if (std::string page = FNames.pageOf(ownerOfNode(*participant)); !page.empty())
                        (participant->kind == browser::ClubNodeKind::Relay ? relays : athletes)
                            .push_back({participant.get(), std::move(page)});
        std::vector<std::string> lines;
        const auto section = [&](std::vector<Row>& rows, const std::string& heading) {
            if (rows.empty())
                return;
            std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
                return base::compareNames(a.node->text, b.node->text) < 0;
            });
            openSection(lines, heading);
            lines.emplace_back("<tbody>");
            for (const Row& row : rows) {
                const browser::ClubTreeNode* club = row.node->parent;
                const std::string clubText = club != nullptr ? club->text : std::string();
                const TLnxObject* clubObject = club != nullptr && club->statistic ? club->statistic->club : nullptr;
                lines.push_back(filterRow(linkedCell(row.page, row.node->text) +
                                          linkedCell(FNames.pageOf(clubObject), clubText)));
            }
            lines.emplace_back("</tbody></table></section>");
        };
        section(athletes, base::languageText('V', 164));
        section(relays, base::languageText('V', 165));
        return lines;
    }

    const browser::BrowserModels& FModels;
    const SiteNames& FNames;
};

} // namespace

std::vector<SitePage> buildMeetSite(const lenex::TLenex& document, const ListPrintOptions& options,
                                    ReportStatus& status)
{
    // The index and the trees behind every page are built in the print language: the shown trees were
    // built in the screen language, and a page must not mix the two.
    const TVnxReport::PrintLanguageScope printLanguage;
    browser::BrowserModels models;
    models.buildCurrent(document);
    std::vector<SitePage> pages;
    TLnxObject* competition = document.currentCompetition();
    const std::shared_ptr<swim::IBSLenexMeet> meet =
        competition != nullptr ? swim::lenexView<swim::IBSLenexMeet>(*competition) : nullptr;
    const SiteNames names(document, models);
    const ReportLinks links = names.links();

    TVnxReport listEngine;
    TLanescopeDrucken lists(listEngine, meet, document);
    lists.setLinks(links);
    const auto addReportPage = [&](TVnxReport& engine, const std::string& fileName,
                                   const std::string& navigation) {
        engine.HtmlTemplateText = siteTemplate(navigation);
        if (std::optional<std::string> text = engine.PrintToHtmlText(status))
            pages.push_back({fileName, std::move(*text)});
    };

    for (const auto& [node, fileName] : names.eventNodes()) {
        if (status.aborted())
            return pages;
        PrintSelection selection;
        selection.resultLists = &models.lists;
        selection.eventNode = node;
        selection.events = options;
        lists.setSelection(selection);
        addReportPage(listEngine, fileName, {});
    }

    for (const auto& nation : models.clubs.nations())
        for (const auto& club : nation->children) {
            const TLnxObject* clubObject = club->statistic ? club->statistic->club : nullptr;
            const std::string clubNavigation = navigationLink(names.pageOf(clubObject), club->text);
            for (const auto& participant : club->children) {
                const std::string page = names.pageOf(ownerOfNode(*participant));
                if (page.empty())
                    continue;
                if (status.aborted())
                    return pages;
                PrintSelection selection;
                selection.activePage = PrintSelection::Page::Participants;
                selection.participantNode = participant.get();
                selection.participants = options;
                lists.setSelection(selection);
                addReportPage(listEngine, page, clubNavigation);
            }
        }

    TVnxReport clubEngine;
    TClubPage clubPage(clubEngine, meet);
    clubPage.setLinks(links);
    for (const auto& nation : models.clubs.nations())
        for (const auto& club : nation->children) {
            const std::string page = names.pageOf(club->statistic ? club->statistic->club : nullptr);
            if (page.empty() || status.aborted())
                continue;
            clubPage.setClub(club.get());
            addReportPage(clubEngine, page, {});
        }

    IndexPage index(models, names);
    pages.push_back({kIndexPage, index.text(meet.get(), lists.MeetDateText())});
    return pages;
}

} // namespace lanescope::report
