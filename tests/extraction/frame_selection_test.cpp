#include "extraction/FrameSelection.h"

#include <limits>
#include <gtest/gtest.h>

using namespace FrameExtractor;

// Crafted files can declare any 64-bit duration, any 32-bit time base and any first
// timestamp; the arithmetic on them must stay defined and give a usable answer.
constexpr std::int64_t maxTime = std::numeric_limits<std::int64_t>::max(), minTime = std::numeric_limits<std::int64_t>::min();
constexpr int maxInt = std::numeric_limits<int>::max();

TEST(FrameSelection, extremeTimesGiveTheEndOrTheEndOfAllNeverGarbage)
{
    struct {
        const char* name;
        std::int64_t origin;
        Duration duration;
        TimeBase timeBase;
        std::int64_t expected;
    } const rows[] = {
        {"ordinary", 0, {600, 600}, {1, 600}, 600},
        {"startsLate", 1000, {600, 600}, {1, 90000}, 91000},
        {"millisecondsRoundUp", 0, {2000, 1000}, {1, 30}, 60},
        {"unknownLength", 0, {0, 0}, {1, 600}, maxTime},
        {"noTimeBase", 0, {600, 600}, {0, 0}, maxTime},
        {"tooLongForAFineTimeBase", 0, {maxTime, 1}, {1, maxInt}, maxTime},
        {"tooLongForMicroseconds", 0, {maxTime / 2, 1000000}, {1, maxInt}, maxTime},
        {"lateOriginOverflows", maxTime - 10, {600, 600}, {1, 600}, maxTime},
        {"farNegativeOrigin", minTime + 1, {600, 600}, {1, 600}, minTime + 601},
        {"unitsOfSeventyYears", 7, {600, 600}, {maxInt, 1}, 8},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(presentationEnd(row.origin, row.duration, row.timeBase), row.expected);
    }
}

TEST(FrameSelection, theStreamsExactLengthUnlessAnotherTrackRunsLonger)
{
    auto same = [](Duration a, Duration b) { return a.value == b.value && a.timescale == b.timescale; };
    EXPECT_TRUE(same(longestDuration(1000000, 0, {1, 600}), {1000000, 1000000}));
    EXPECT_TRUE(same(longestDuration(0, 600, {1, 600}), {600, 600}));
    EXPECT_TRUE(same(longestDuration(1000500, 600, {1, 600}), {600, 600}));     // rounding only
    EXPECT_TRUE(same(longestDuration(3000000, 600, {1, 600}), {3000000, 1000000})); // audio runs on
    EXPECT_TRUE(same(longestDuration(1000000, 600, {2, 1200}), {1200, 1200}));
    EXPECT_FALSE(longestDuration(-5, minTime, {1, 600}).known());
    EXPECT_FALSE(longestDuration(0, 600, {0, 600}).known());

    // Beyond microseconds, and beyond 64 bits once counted in 1/den seconds.
    EXPECT_TRUE(same(longestDuration(1000000, maxTime, {1, 1}), {maxTime, 1}));
    EXPECT_TRUE(same(longestDuration(1000000, maxTime / 2, {3, 1}), {1000000, 1000000}));
    EXPECT_FALSE(longestDuration(0, maxTime / 2, {3, 1}).known());
}

TEST(FrameSelection, steppingBackStopsAtTheOriginWithoutOverflow)
{
    EXPECT_EQ(stepBack(1000, 0, 100), 900);
    EXPECT_EQ(stepBack(50, 0, 100), 0);
    EXPECT_EQ(stepBack(maxTime, minTime + 1, maxTime), 0);
    EXPECT_EQ(stepBack(minTime + 5, minTime + 1, 100), minTime + 1);
    EXPECT_EQ(stepBack(-100, -maxTime, maxTime), -maxTime);
    EXPECT_EQ(saturatingAdd(maxTime, 1), maxTime);
    EXPECT_EQ(saturatingAdd(minTime, -1), minTime);
    EXPECT_EQ(saturatingAdd(minTime, maxTime), -1);
}
