#include "report/ResultBook.h"

#include "base/LanguageTexts.h"
#include "report/VnxReport.h"
#include "swim/TextFormat.h"

#include <algorithm>
#include <map>
#include <utility>

namespace lanescope::report {

namespace {

namespace tag = lenex::tag;

// The contents' columns by level: the title indented by its level, the page number at the right.
const char* const kContentsColumns[] = {"L860;R140", "L40;L820;R140", "L80;L780;R140"};

/** True when the node's list holds a result of its own (not only entries, not its partner's list). */
bool hasResults(const browser::EventTreeNode& node, const browser::ResultLists& lists)
{
    if (node.level == 1 && browser::listEventOf(&node, lists) != node.data)
        return false;
    const browser::ResultList* list = browser::ResultListFor(&node, lists);
    return list != nullptr && std::any_of(list->begin(), list->end(), [](const lenex::TLnxObject* item) {
               return item->tag() == tag::RESULT;
           });
}

} // namespace

TResultBook::TResultBook(TVnxReport& report, std::shared_ptr<swim::IBSLenexMeet> meet,
                         const lenex::TLenex& document, const browser::EventTree& events,
                         const browser::ResultLists& lists, bool splits)
    : TLanescopeDrucken(report, std::move(meet), document)
    , FEvents(events)
    , FSplits(splits)
{
    FSelection.resultLists = &lists;
}

std::vector<TResultBook::Entry> TResultBook::Contents() const
{
    // The titles in the language loaded now (the print language while the book runs): the shown tree was
    // built in the screen language, and a printout must not mix the two. A node the new tree does not hold
    // keeps its shown text.
    browser::EventTree treeNow;
    browser::ResultLists listsNow;
    treeNow.BuildEventTree(Document(), listsNow);
    std::map<std::pair<const lenex::TLnxObject*, int>, std::string> textsNow;
    for (const browser::EventTreeNode* node : treeNow.nodesInOrder())
        textsNow.emplace(std::pair(node->data, node->level), node->text);
    const auto title = [&textsNow](const browser::EventTreeNode& node) {
        const auto found = textsNow.find(std::pair(node.data, node.level));
        return found != textsNow.end() ? found->second : node.text;
    };

    std::vector<Entry> entries;
    const browser::ResultLists& lists = *FSelection.resultLists;
    int sessionIndex = 0;
    for (const auto& session : FEvents.sessions()) {
        ++sessionIndex;
        const std::size_t sessionAt = entries.size();
        int eventIndex = 0;
        for (const auto& event : session->children) {
            ++eventIndex;
            const std::string eventAnchor = "e" + std::to_string(sessionIndex) + "." + std::to_string(eventIndex);
            if (event->children.empty()) {
                if (hasResults(*event, lists))
                    entries.push_back({1, title(*event), eventAnchor, event.get()});
                continue;
            }
            const std::size_t eventAt = entries.size();
            int groupIndex = 0;
            for (const auto& group : event->children) {
                ++groupIndex;
                if (hasResults(*group, lists))
                    entries.push_back({2, title(*group), eventAnchor + "." + std::to_string(groupIndex), group.get()});
            }
            if (entries.size() > eventAt)
                entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(eventAt),
                               Entry{1, title(*event), eventAnchor, nullptr});
        }
        if (entries.size() > sessionAt)
            entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(sessionAt),
                           Entry{0, title(*session), "s" + std::to_string(sessionIndex), nullptr});
    }
    return entries;
}

void TResultBook::newPage()
{
    // Asking for more room than any page has always starts the next one.
    CheckPageBreakWithHead(1 << 20);
}

void TResultBook::titlePage()
{
    TVnxReport& report = Report();
    report.SetColumns("C1000");
    report.AdvanceLines(80);
    const std::string name = Meet() ? Meet()->name() : std::string();
    report.SetFontSizePercent(220);
    report.PrintRow({name}, reportflag::bold);
    report.SetFontSizePercent(140);
    report.PrintRow({base::languageText('V', 146)}, 0);
    report.AdvanceLines(20);
    report.PrintRow({Meet() ? Meet()->placeText() : std::string()}, 0);
    report.PrintRow({MeetFactsText()}, 0);
    report.SetFontSizePercent(100);
    report.HtmlNewLine();
}

void TResultBook::contentsPages(const std::vector<Entry>& entries)
{
    TVnxReport& report = Report();
    report.SetColumns("L1000");
    report.SetFontSizePercent(140);
    report.PrintRow({base::languageText('V', 144)}, reportflag::bold);
    report.AdvanceLines(5);
    report.SetFontSizePercent(100);
    report.HtmlNewLine();
    for (const Entry& entry : entries) {
        CheckPageBreakWithHead(entry.level == 0 ? 25 : 10);
        const int level = std::clamp(entry.level, 0, 2);
        report.SetColumns(kContentsColumns[level]);
        if (entry.level == 0)
            report.AdvanceLines(5);
        report.LinkLine(entry.anchor);
        const int style = entry.level == 0 ? reportflag::bold : 0;
        // On paper the page number leads to the list; in HTML, which has no pages, the title links to it.
        report.PrintCell(level, entry.title, style, "#" + entry.anchor);
        if (const int page = report.AnchorPage(entry.anchor); page > 0)
            report.PrintCell(level + 1, std::to_string(page), style);
        report.AdvanceLines(10);
    }
}

void TResultBook::Body()
{
    BrandedHead();
    SetTitle(base::languageText('V', 146));
    titlePage();
    const std::vector<Entry> entries = Contents();
    newPage();
    contentsPages(entries);

    const ListPrintOptions options{false, FSplits};
    std::string eventTitle;
    for (const Entry& entry : entries) {
        if (entry.level == 0) {
            newPage();
            Report().Bookmark(0, entry.title, entry.anchor);
            Report().SetColumns("L1000");
            Report().SetFontSizePercent(140);
            Report().PrintRow({entry.title}, reportflag::bold);
            Report().SetFontSizePercent(100);
            Report().AdvanceLines(5);
            Report().HtmlNewLine();
            continue;
        }
        if (entry.level == 1)
            eventTitle = entry.title;
        if (entry.node == nullptr) {
            // An event whose lists are its age groups: the outline entry goes with the first of them.
            CheckPageBreakWithHead(50);
            Report().Bookmark(1, entry.title, entry.anchor);
            continue;
        }
        CheckPageBreakWithHead(50);
        Report().Bookmark(entry.level, entry.title, entry.anchor);
        eventList(entry.node, options, entry.level == 2 ? eventTitle + ", " + entry.title : entry.title);
        Report().AdvanceLines(10);
    }
}

} // namespace lanescope::report
