#include "browser/ResultChanges.h"

#include "EventsMeet.h"
#include "browser/EventListDrawing.h"
#include "browser/ListCells.h"

#include <set>
#include <string>

namespace lanescope::browser {
namespace {

using testing::EventsMeetTest;
using testing::kEventsMeet;

std::string replacedAll(std::string text, std::string_view from, std::string_view to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class ResultChangesTest : public EventsMeetTest
{
protected:
    // Loads the text as a reload does: remembers the shown lists, loads the new document, compares.
    void reload(const std::string& text)
    {
        changes.remember(document, lists);
        load(text);
        changes.update(document, lists);
    }

    // The marked results as "name event-number".
    std::set<std::string> marked() const
    {
        std::set<std::string> names;
        for (int i = 0; i < lists.count(); ++i)
            for (const lenex::TLnxObject* item : lists.listAt(i))
                if (changes.marked(*item))
                    names.insert(
                        ownerOf(*item)->getText(lenex::tag::NAME) + " " +
                        document.eventById(item->getInteger(lenex::tag::EID))->getText(lenex::tag::NUM));
        return names;
    }

    ResultChanges changes;
};

// The events numbered anew (id 4 becomes 40), as a converter may do for a grown file: a viewer sees no
// change.
std::string renumbered(std::string text)
{
    return replacedAll(replacedAll(std::move(text), "<EVENT id=\"4\">", "<EVENT id=\"40\">"), "<EID>4</EID>",
                       "<EID>40</EID>");
}

// Weber's time changes and Holm's entry becomes a result; everything else stays.
const std::string kChanged = renumbered(replacedAll(
    replacedAll(std::string(kEventsMeet), "<TIME>V00h00:31.20</TIME>", "<TIME>V00h00:30.10</TIME>"),
    "<ENTRIES><ENTRY><EID>4</EID></ENTRY></ENTRIES>",
    "<RESULTS><RESULT><EID>4</EID><RANK>3</RANK><TIME>V00h00:32.00</TIME></RESULT></RESULTS>"));

TEST_F(ResultChangesTest, MarksNewAndChangedResultsUntilTheNextChange)
{
    load(kEventsMeet);
    reload(renumbered(std::string(kEventsMeet)));
    EXPECT_TRUE(marked().empty()) << "renumbered ids alone change nothing";

    reload(kChanged);
    EXPECT_EQ(marked(), (std::set<std::string>{"Weber 4", "Holm 4"}));
    reload(kChanged);
    EXPECT_EQ(marked(), (std::set<std::string>{"Weber 4", "Holm 4"}))
        << "a load without changes keeps the marks";

    // A changed split is a change of its own: the earlier marks go.
    reload(replacedAll(kChanged, "V00h00:28.00", "V00h00:27.90"));
    EXPECT_EQ(marked(), (std::set<std::string>{"SC Nord I 9"}));
    reload(replacedAll(replacedAll(kChanged, "V00h00:28.00", "V00h00:27.90"), "<CODE>DSQ</CODE>",
                       "<CODE>DNS</CODE>"));
    EXPECT_EQ(marked(), (std::set<std::string>{"Kern 4"})) << "a changed status code";

    changes.clear();
    EXPECT_TRUE(marked().empty());
}

// The marked row carries a narrow bar in the colour of changes at its left edge; other rows have none.
TEST_F(ResultChangesTest, MarkedRowCarriesABar)
{
    load(kEventsMeet);
    reload(replacedAll(std::string(kEventsMeet), "<TIME>V00h00:31.20</TIME>", "<TIME>V00h00:30.10</TIME>"));
    TvnxPaintBox box;
    EventHeader header = defaultEventHeader();
    EventPageOptions options;
    options.changes = &changes;
    const EventTreeNode* event = node("Event 4 ");
    ASSERT_NE(event, nullptr);
    drawEventsPage(box, header, event, document, lists, options);

    std::vector<const PaintItem*> bars;
    int weberY = -1;
    for (const PaintItem& item : box.items()) {
        if (item.kind == PaintItem::Kind::Bar)
            bars.push_back(&item);
        if (item.text.find("Weber") != std::string::npos)
            weberY = item.y;
    }
    ASSERT_EQ(bars.size(), 1U);
    EXPECT_EQ(bars[0]->brush, ColourRole::Changed);
    EXPECT_EQ(bars[0]->x, 0);
    EXPECT_EQ(bars[0]->y, weberY);
    EXPECT_GT(bars[0]->y2, bars[0]->y);
}

} // namespace
} // namespace lanescope::browser
