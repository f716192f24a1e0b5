#include "EventsMeet.h"
#include "browser/EventListDrawing.h"

#include <string>

namespace lanescope::browser {
namespace {

using testing::EventsMeetTest;

// A Cyrillic swimmer and a club name of 60 characters.
constexpr std::string_view kLongNamesMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX><VERSION>01.03.0007</VERSION><COMPETITIONS>
<COMPETITION><NAME>Кубок</NAME><PL>50</PL><PM>m</PM>
<PERIODS><PERIOD><NUM>1</NUM><NAME>Утро</NAME><DATE>20261017</DATE><EVENTS>
<EVENT id="1"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR><SEX>F</SEX></EVENT>
</EVENTS></PERIOD></PERIODS>
<CLUBS>
<CLUB><NAME>Спортивная школа олимпийского резерва</NAME><PERSONS>
<PERSON id="1"><NAME>Константинопольская-Вознесенская</NAME><FNAME>Екатерина</FNAME><YOB>2005</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>1</RANK><TIME>V00h00:58.10</TIME></RESULT></RESULTS></PERSON>
</PERSONS></CLUB>
<CLUB><NAME>Schwimmclub Kreuzlingen-Romanshorn und Umgebung Bodensee 192</NAME><PERSONS>
<PERSON id="2"><NAME>Ott</NAME><FNAME>Ida</FNAME><YOB>2006</YOB><RESULTS>
<RESULT><EID>1</EID><RANK>2</RANK><TIME>V00h00:59.00</TIME></RESULT></RESULTS></PERSON>
</PERSONS></CLUB>
</CLUBS></COMPETITION></COMPETITIONS></LENEX>)";

const std::string kCyrillicName = "Константинопольская-Вознесенская Екатерина, 05";
const std::string kLongClub = "Schwimmclub Kreuzlingen-Romanshorn und Umgebung Bodensee 192";

class ListEliding : public EventsMeetTest
{
protected:
    const PaintItem* itemWithText(const std::string& whole) const
    {
        for (const PaintItem& item : box.items())
            if (item.text == whole || item.fullText == whole)
                return &item;
        return nullptr;
    }

    TvnxPaintBox box;
    EventHeader header = defaultEventHeader();
};

TEST_F(ListEliding, CutTextsEndInAnEllipsisAndKeepTheYearOfBirth)
{
    load(kLongNamesMeet);
    ASSERT_EQ(kLongClub.size(), 60U);
    drawEventsPage(box, header, node("Event 1 "), document, lists, {});
    const PaintItem* name = itemWithText(kCyrillicName);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->fullText, kCyrillicName);
    EXPECT_TRUE(name->text.ends_with("…, 05")) << name->text;
    EXPECT_TRUE(name->text.starts_with("Константин")) << name->text;
    EXPECT_LE(name->drawnWidth, name->clipWidth);
    const PaintItem* club = itemWithText(kLongClub);
    ASSERT_NE(club, nullptr);
    EXPECT_TRUE(club->text.ends_with("…")) << club->text;
    EXPECT_TRUE(club->text.starts_with("Schwimmclub Kreuz")) << club->text;
    EXPECT_LE(club->drawnWidth, club->clipWidth);
    // A text that fits is drawn whole, without a tool tip text.
    const PaintItem* shortName = itemWithText("Ott Ida, 06");
    ASSERT_NE(shortName, nullptr);
    EXPECT_TRUE(shortName->fullText.empty());
}

TEST_F(ListEliding, ElidingKeepsWholeCharactersAndFallsBackWhenTheEndDoesNotFit)
{
    const ArialMeasure measure;
    const std::string text = "Жжжжжжжжжжжжжжжж, 05";
    for (int width = 0; width < 140; width += 7) {
        SCOPED_TRACE(width);
        const std::string shortened = elideText(measure, text, width, FontStyle::Plain, 4);
        // Every cut falls between characters: the result is well-formed UTF-8 of the text's letters.
        for (std::size_t i = 0; i < shortened.size();) {
            const auto lead = static_cast<unsigned char>(shortened[i]);
            ASSERT_NE(lead & 0xC0, 0x80) << i;
            i += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        }
        if (measure.textWidth(text, FontStyle::Plain) <= width) {
            EXPECT_EQ(shortened, text);
        } else if (measure.textWidth("…, 05", FontStyle::Plain) <= width) {
            EXPECT_TRUE(shortened.ends_with("…, 05"));
            EXPECT_LE(measure.textWidth(shortened, FontStyle::Plain), width);
        }
    }
    EXPECT_EQ(elideText(measure, text, 1000, FontStyle::Plain, 4), text);
}

TEST_F(ListEliding, NameAndClubFitTheirLongestTextWithinThePane)
{
    load(kLongNamesMeet);
    const ArialMeasure measure;
    const EventTreeNode* event = node("Event 1 ");
    fitTextColumns(header, measure, event, lists, 1600);
    EXPECT_GE(header[1].width - 6, measure.textWidth(kCyrillicName, FontStyle::Plain));
    EXPECT_GE(header[2].width - 6, measure.textWidth(kLongClub, FontStyle::Plain));
    drawEventsPage(box, header, event, document, lists, {});
    for (const PaintItem& item : box.items())
        EXPECT_TRUE(item.fullText.empty()) << item.fullText;

    // A narrow pane: both share the room beside place, time and last section, never below their minimum.
    fitTextColumns(header, measure, event, lists, 500);
    EXPECT_EQ(header[0].width + header[1].width + header[2].width + header[3].width + header[4].width, 500);
    fitTextColumns(header, measure, event, lists, 100);
    EXPECT_EQ(header[1].width, header[1].minWidth);
    EXPECT_EQ(header[2].width, header[2].minWidth);
}

} // namespace
} // namespace lanescope::browser
