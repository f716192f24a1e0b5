#include "browser/ListOrder.h"

#include "EventsMeet.h"
#include "browser/ClipboardTexts.h"
#include "browser/EventListDrawing.h"
#include "browser/ListCells.h"
#include "browser/ListCsv.h"
#include "swim/SwimCodes.h"

#include <string>
#include <vector>

namespace lanescope::browser {
namespace {

using testing::EventsMeetTest;
using testing::kEventsMeet;

// An event whose swims are all filed under its two age groups, and an empty third one.
constexpr std::string_view kAgeGroupMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Masters</NAME><PL>25</PL><PM>m</PM>
<PERIODS><PERIOD><NUM>1</NUM><NAME>Morning</NAME><DATE>20261017</DATE><EVENTS>
<EVENT id="1"><NUM>1</NUM><DIS>50</DIS><STR>FR</STR><SEX>F</SEX>
<CATS><CAT id="11"><MIN>1990</MIN><MAX>1996</MAX></CAT><CAT id="12"><MIN>1980</MIN><MAX>1989</MAX></CAT>
<CAT id="13"><MIN>1970</MIN><MAX>1979</MAX></CAT></CATS></EVENT>
</EVENTS></PERIOD></PERIODS>
<CLUBS><CLUB><NAME>SC "Nord", Bern</NAME><NATION>SUI</NATION><PERSONS>
<PERSON id="1"><NAME>Abt</NAME><FNAME>Ina</FNAME><YOB>1991</YOB><RESULTS>
<RESULT><EID>1</EID><CID>11</CID><RANK>1</RANK><TIME>V00h00:29.50</TIME><HEAT>2</HEAT><LANE>4</LANE><RT>0.65</RT>
<SPLITS><SPLIT dis="25">V00h00:14.10</SPLIT></SPLITS></RESULT></RESULTS></PERSON>
<PERSON id="2"><NAME>Berg</NAME><FNAME>Ola</FNAME><YOB>1985</YOB><RESULTS>
<RESULT><EID>1</EID><CID>12</CID><RANK>1</RANK><TIME>V00h00:31.00</TIME><POINTS>612</POINTS></RESULT></RESULTS></PERSON>
<PERSON id="3"><NAME>Chen</NAME><FNAME>Li</FNAME><YOB>1988</YOB><RESULTS>
<RESULT><EID>1</EID><CID>12</CID><CODE>DSQ</CODE><TIME>I00h00:30.00</TIME></RESULT></RESULTS></PERSON>
</PERSONS></CLUB></CLUBS>
</COMPETITION></COMPETITIONS></LENEX>)";

std::vector<std::string> familyNames(const std::vector<lenex::TLnxObject*>& rows)
{
    std::vector<std::string> names;
    for (const lenex::TLnxObject* item : rows)
        names.push_back(ownerOf(*item)->getText(lenex::tag::NAME));
    return names;
}

class ListOrderTest : public EventsMeetTest
{
protected:
    static const EventTreeNode* ageGroup(const EventTreeNode& event, int id)
    {
        for (const auto& child : event.children)
            if (child->data->id() == id)
                return child.get();
        return nullptr;
    }
};

// Event 4 holds Roth 1st (30.90), Weber 2nd (31.20), Kern disqualified (all SC Nord), and the entries of
// SV Süd: Holm without a time, Lind and Graf.
TEST_F(ListOrderTest, SortAndFilterTheRows)
{
    load(kEventsMeet);
    const ResultList& list = *ResultListFor(node("Event 4 "), lists);
    const struct
    {
        ListOrder order;
        std::vector<std::string> names;
    } cases[] = {
        {{}, {"Roth", "Weber", "Kern", "Holm", "Lind", "Graf"}},
        {{SortColumn::Place, true, ""}, {"Graf", "Lind", "Holm", "Kern", "Weber", "Roth"}},
        {{SortColumn::Name, false, ""}, {"Graf", "Holm", "Kern", "Lind", "Roth", "Weber"}},
        {{SortColumn::Name, true, ""}, {"Weber", "Roth", "Lind", "Kern", "Holm", "Graf"}},
        {{SortColumn::Club, false, ""}, {"Roth", "Weber", "Kern", "Holm", "Lind", "Graf"}},
        {{SortColumn::Club, true, ""}, {"Holm", "Lind", "Graf", "Roth", "Weber", "Kern"}},
        // Rows without a valid time stay after the timed ones in both directions.
        {{SortColumn::Time, false, ""}, {"Roth", "Weber", "Kern", "Holm", "Lind", "Graf"}},
        {{SortColumn::Time, true, ""}, {"Weber", "Roth", "Kern", "Holm", "Lind", "Graf"}},
        // Filters match name, club or nation in any case.
        {{SortColumn::Place, false, "süd"}, {"Holm", "Lind", "Graf"}},
        {{SortColumn::Place, false, "SÜD"}, {"Holm", "Lind", "Graf"}},
        {{SortColumn::Name, false, "e"}, {"Graf", "Kern", "Weber"}},
        {{SortColumn::Place, false, "weber l"}, {"Weber"}},
        {{SortColumn::Place, false, "nobody"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.order.column)) +
                     (c.order.reversed ? " reversed " : " ") + c.order.filter);
        EXPECT_EQ(familyNames(orderedRows(list, c.order)), c.names);
    }
}

TEST_F(ListOrderTest, HeaderClicksAndCommandLineNames)
{
    ListOrder order{SortColumn::Place, false, "x"};
    order = clickedOrder(order, SortColumn::Time);
    EXPECT_EQ(order.column, SortColumn::Time);
    EXPECT_FALSE(order.reversed);
    order = clickedOrder(order, SortColumn::Time);
    EXPECT_TRUE(order.reversed);
    order = clickedOrder(order, SortColumn::Name);
    EXPECT_FALSE(order.reversed);
    EXPECT_EQ(order.filter, "x");
    EXPECT_EQ(sortColumnNamed("points"), SortColumn::Points);
    EXPECT_EQ(sortColumnNamed("club"), SortColumn::Club);
    EXPECT_FALSE(sortColumnNamed("Place").has_value());
    EXPECT_FALSE(sortColumnNamed("").has_value());
}

// An event without a list of its own shows its age groups one after the other, each under its heading;
// an age group without a swim is left out there, and said to hold no results when chosen on its own.
TEST_F(ListOrderTest, EventWithAgeGroupsShowsEachAgeGroup)
{
    load(kAgeGroupMeet);
    const EventTreeNode* event = node("Event 1 ");
    ASSERT_NE(event, nullptr);
    ASSERT_TRUE(showsAgeGroups(event, lists));
    const EventTreeNode* youngest = ageGroup(*event, 11);
    const EventTreeNode* middle = ageGroup(*event, 12);
    const EventTreeNode* empty = ageGroup(*event, 13);
    ASSERT_TRUE(youngest && middle && empty);
    // Age groups in tree order: the oldest years of birth first.
    const std::vector<ListSection> sections = shownSections(event, lists, {});
    ASSERT_EQ(sections.size(), 2U);
    EXPECT_EQ(sections[0].heading, middle->text);
    EXPECT_EQ(familyNames(sections[0].rows), (std::vector<std::string>{"Berg", "Chen"}));
    EXPECT_EQ(sections[1].heading, youngest->text);
    EXPECT_EQ(familyNames(sections[1].rows), std::vector<std::string>{"Abt"});
    EXPECT_EQ(firstShownNode(tree, lists), event);
    EXPECT_EQ(listKind(event, lists), "Results");

    const std::string copy = CopyEventList(document, lists, *event, {});
    EXPECT_NE(copy.find(middle->text + "\r\n\t1.\tBerg Ola, 85"), std::string::npos) << copy;

    TvnxPaintBox box;
    EventHeader header = defaultEventHeader();
    const EventPageDrawing page = drawEventsPage(box, header, event, document, lists, {});
    EXPECT_TRUE(page.headerVisible);
    ASSERT_EQ(page.rows.size(), 3U);
    std::vector<std::string> headings;
    for (const PaintItem& item : box.items())
        if (item.flags == textflag::bold)
            headings.push_back(item.text);
    EXPECT_EQ(headings, (std::vector<std::string>{middle->text, youngest->text}));
    EXPECT_GT(page.rows[2].top, page.rows[1].bottom); // the second heading lies between them

    const EventPageDrawing none = drawEventsPage(box, header, empty, document, lists, {});
    EXPECT_FALSE(none.headerVisible);
    ASSERT_EQ(box.items().size(), 1U);
    EXPECT_EQ(box.items()[0].text, "No results");
    EXPECT_TRUE(none.rows.empty());
}

// A small reader of RFC 4180 text: quoted fields with doubled quotes and line breaks, CR LF line ends.
std::vector<std::vector<std::string>> readCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else {
            field += c;
        }
    }
    if (rows.back().size() == 1 && rows.back()[0].empty())
        rows.pop_back();
    return rows;
}

// The CSV of the age-group event read back: the header, a club name with a comma and quotes, the place
// without its dot, a status under Status, heat, lane, reaction time and one column per split distance.
TEST_F(ListOrderTest, CsvReadsBackFieldByField)
{
    load(kAgeGroupMeet);
    const EventTreeNode* event = node("Event 1 ");
    ASSERT_NE(event, nullptr);
    const std::string csv = EventListCsv(document, lists, *event, {});
    const std::vector<std::vector<std::string>> rows = readCsv(csv);
    const std::string club = "SC \"Nord\", Bern";
    const std::string middle = ageGroup(*event, 12)->text;
    const std::string youngest = ageGroup(*event, 11)->text;
    const std::vector<std::vector<std::string>> expected = {
        {"Age group", "Place", "Name", "Year", "Club", "Nation", "Time", "Points", "Status", "Heat", "Lane",
         "Reaction", "25m"},
        {middle, "1", "Berg Ola", "1985", club, "SUI", "31.00", "612", "", "", "", "", ""},
        {middle, "", "Chen Li", "1988", club, "SUI", "30.00", "", swim::statusCodeText("DSQ"), "", "", "",
         ""},
        {youngest, "1", "Abt Ina", "1991", club, "SUI", "29.50", "", "", "2", "4", "0.65", "14.10"},
    };
    EXPECT_EQ(rows, expected) << csv;
    EXPECT_TRUE(csv.ends_with("\r\n"));

    // An age group alone has no age-group column; order and filter are those given.
    CopyOptions options;
    options.order = {SortColumn::Name, true, "e"};
    const std::vector<std::vector<std::string>> filtered =
        readCsv(EventListCsv(document, lists, *ageGroup(*event, 12), options));
    ASSERT_EQ(filtered.size(), 3U);
    EXPECT_EQ(filtered[0][0], "Place");
    EXPECT_EQ(filtered[1][1], "Chen Li");
    EXPECT_EQ(filtered[2][1], "Berg Ola");
}

TEST(CsvField, QuotesOnlyWhereNeeded)
{
    EXPECT_EQ(csvField("plain text"), "plain text");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvField("Мария"), "Мария");
    EXPECT_EQ(csvField(""), "");
}

} // namespace
} // namespace lanescope::browser
