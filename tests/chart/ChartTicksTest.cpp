#include "chart/ChartTicks.h"

#include <gtest/gtest.h>

namespace lanescope::chart {
namespace {

struct StepCase
{
    double range;
    int intervals;
    double step;
};

// Ranges of a race's gaps, of lap times and of a season's times: the steps stay round and the ticks few.
constexpr StepCase kTimeSteps[] = {
    {0.0, 6, 0.5}, {0.3, 6, 0.1},  {1.1, 6, 0.2},  {2.4, 6, 0.5}, {3.0, 6, 0.5},
    {5.9, 6, 1},   {9.3, 6, 2},    {12.0, 6, 2},   {25.0, 6, 5},  {48.0, 6, 10},
    {75.0, 6, 15}, {140.0, 6, 30}, {350.0, 6, 60}, {2.0, 4, 0.5}, {7000.0, 6, 1800},
};

class TimeStep : public ::testing::TestWithParam<StepCase>
{
};

TEST_P(TimeStep, IsTheSmallestRoundStepThatFits)
{
    EXPECT_DOUBLE_EQ(timeStep(GetParam().range, GetParam().intervals), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(Ranges, TimeStep, ::testing::ValuesIn(kTimeSteps));

TEST(ChartTicks, DistanceStepsFollowThePool)
{
    EXPECT_EQ(distanceStep(100, 8), 25);
    EXPECT_EQ(distanceStep(400, 8), 50);
    EXPECT_EQ(distanceStep(400, 3), 200);
    EXPECT_EQ(distanceStep(1500, 8), 200);
    EXPECT_EQ(distanceStep(1500, 5), 500);
}

TEST(ChartTicks, TicksCoverTheRangeOnMultiplesOfTheStep)
{
    EXPECT_EQ(ticks(0, 2.3, 0.5), (std::vector<double>{0, 0.5, 1, 1.5, 2, 2.5}));
    EXPECT_EQ(ticks(61.2, 64, 1), (std::vector<double>{61, 62, 63, 64}));
    EXPECT_TRUE(ticks(5, 1, 1).empty());
    EXPECT_TRUE(ticks(0, 1, 0).empty());
}

TEST(ChartTicks, LabelsUseMinutesFromAMinuteOn)
{
    EXPECT_EQ(timeLabel(0, 0.5), "0.0"); // one step, one number of decimals
    EXPECT_EQ(timeLabel(1.5, 0.5), "1.5");
    EXPECT_EQ(timeLabel(2, 1), "2");
    EXPECT_EQ(timeLabel(12, 2), "12");
    EXPECT_EQ(timeLabel(60, 5), "1:00");
    EXPECT_EQ(timeLabel(65, 5), "1:05");
    EXPECT_EQ(timeLabel(930.5, 0.5), "15:30.5");
    EXPECT_EQ(timeLabel(3725, 5), "1:02:05");
    EXPECT_EQ(timeLabel(1.23, 0.01), "1.23");
}

} // namespace
} // namespace lanescope::chart
