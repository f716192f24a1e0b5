#include "ui/LocaleFormats.h"

#include <gtest/gtest.h>

using namespace lanescope;

namespace {

TEST(LocaleFormats, QtPatternsBecomeFormatPatterns)
{
    const struct
    {
        const char* qt;
        const char* core;
    } cases[] = {
        {"dddd, d. MMMM yyyy", "dddd, d. mmmm yyyy"},
        {"dd.MM.yy", "dd.mm.yy"},
        {"M/d/yy", "m\"/\"d\"/\"yy"},
        {"h:mm AP", "h\":\"nn ampm"},
        {"HH:mm:ss t", "hh\":\"nn\":\"ss "},
        {"d 'de' MMMM 'de' yyyy", "d \"de\" mmmm \"de\" yyyy"},
        {"h 'o''clock'", "h \"o'clock\""},
        {"hh''mm", "hh\"'\"nn"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::formatPattern(QString::fromUtf8(c.qt)), c.core) << c.qt;
}

TEST(LocaleFormats, GermanDesktopDatesReadAsGermanDates)
{
    const base::TFormatSettings settings =
        ui::withLocaleFormats(base::TFormatSettings{}, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(settings.dateSeparator, '.');
    EXPECT_EQ(settings.decimalSeparator, ',');
    EXPECT_EQ(settings.timeSeparator, ':');
    EXPECT_EQ(base::formatDateTime(settings.longDateFormat, base::encodeDate(2026, 10, 17), settings),
              "Saturday, 17. October 2026");
    EXPECT_EQ(base::formatDateTime(settings.shortTimeFormat, base::encodeTime(14, 5, 0), settings), "14:05");
}

} // namespace
