#include "browser/PersonalBestMarks.h"

#include "EventsMeet.h"
#include "browser/EventListDrawing.h"
#include "browser/ListCells.h"

namespace lanescope::browser {
namespace {

using testing::EventsMeetTest;

// A marked result shows "PB" on its row, just left of its time and clear of it; other rows show none.
TEST_F(EventsMeetTest, PersonalBestMarkStandsLeftOfTheTime)
{
    load(testing::kEventsMeet);
    PersonalBestMarks marks;
    for (int i = 0; i < lists.count(); ++i)
        for (const lenex::TLnxObject* item : lists.listAt(i))
            if (ownerOf(*item)->getText(lenex::tag::NAME) == "Weber" && item->tag() == lenex::tag::RESULT)
                marks.insert(item);
    ASSERT_FALSE(marks.empty());
    TvnxPaintBox box;
    EventHeader header = defaultEventHeader();
    EventPageOptions options;
    options.personalBests = &marks;
    const EventTreeNode* event = node("Event 4 ");
    ASSERT_NE(event, nullptr);
    drawEventsPage(box, header, event, document, lists, options);

    int weberY = -1;
    std::vector<const PaintItem*> pb;
    for (const PaintItem& item : box.items()) {
        if (item.text.find("Weber") != std::string::npos)
            weberY = item.y;
        if (item.kind == PaintItem::Kind::Text && item.text == "PB")
            pb.push_back(&item);
    }
    ASSERT_EQ(pb.size(), 1U);
    EXPECT_EQ(pb[0]->y, weberY);
    const auto time = std::find_if(box.items().begin(), box.items().end(), [&](const PaintItem& item) {
        return item.y == weberY && item.text.find("31.20") != std::string::npos;
    });
    ASSERT_NE(time, box.items().end());
    EXPECT_LT(pb[0]->left + pb[0]->drawnWidth, time->left);
}

} // namespace
} // namespace lanescope::browser
