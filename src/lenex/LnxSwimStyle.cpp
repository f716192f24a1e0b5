#include "lenex/LnxSwimStyle.h"

#include "base/TextCase.h"

namespace lanescope::lenex {

namespace {

// Stroke codes of several national formats, by stroke position. The special stroke has a key no code matches.
constexpr std::string_view kStrokeKeys[] = {
    "@CR@NL@FR@LI@FF@KR@",
    "@DE@DP@FL@SM@SS@BU@PA@",
    "@RÜ@DO@BA@RR@EP@CO@BK@",
    "@BR@BB@RA@",
    "@LA@VL@IM@MD@ME@4N@ES@ET@LL@",
    "@BS@KI@PE@",
    "$$$",
};

template <std::size_t N> int lastIndexOf(const int (&list)[N], int value)
{
    for (int i = static_cast<int>(N) - 1; i >= 0; --i)
        if (list[i] == value)
            return i;
    return -1;
}

} // namespace

int relayCountIndexOf(int count) { return lastIndexOf(kRelayCounts, count); }

int distanceIndexOf(int distance) { return lastIndexOf(kDistances, distance); }

int strokeIndexOf(std::string_view text)
{
    if (text.empty())
        return -1;
    std::string key = base::upperCase(text);
    key.insert(key.begin(), '@');
    key.push_back('@');
    for (int i = kSpecialStroke; i >= 0; --i)
        if (kStrokeKeys[i].find(key) != std::string_view::npos)
            return i;
    return -1;
}

} // namespace lanescope::lenex
