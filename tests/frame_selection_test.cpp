#include "FrameSelection.h"

#include <cmath>
#include <limits>
#include <gtest/gtest.h>

using namespace FrameExtractor;

TEST(FrameSelection, lastFrameTimeIsOneIntervalBeforeTheEnd)
{
    struct {
        const char* name;
        std::int64_t duration;
        std::int64_t timescale;
        double rate;
        std::int64_t expected;
    } const rows[] = {
        {"oneSecondAt30", 600, 600, 30, 580},
        {"oneSecondAt25", 600, 600, 25, 576},
        {"shorterThanAFrame", 12, 600, 30, 0},
        {"exactlyOneFrame", 20, 600, 30, 0},
        {"ntscRate", 300300, 30000, 30000.0 / 1001, 299299},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(lastFrameTime(row.duration, row.rate, row.timescale), row.expected);
    }
}

TEST(FrameSelection, aTrackWithoutARateFallsBackToTheVideosOwn)
{
    EXPECT_EQ(frameRateForInterval(false, 0, 0), 30);
    EXPECT_EQ(frameRateForInterval(true, 24, 60), 24);
    EXPECT_EQ(frameRateForInterval(true, 0, 25), 25);        // audio first
    EXPECT_EQ(frameRateForInterval(true, -5, 25), 25);
    EXPECT_EQ(frameRateForInterval(true, NAN, 0), 30);
    EXPECT_EQ(frameRateForInterval(true, INFINITY, NAN), 30);
}

TEST(FrameSelection, absurdRatesDoNotOverflow)
{
    EXPECT_EQ(lastFrameTime(1000, 1e-300, 1000000000), 0);
    EXPECT_EQ(lastFrameTime(1000, 1e300, 600), 1000);
}

// Crafted files can declare any 64-bit duration, any 32-bit time base and any first
// timestamp; the arithmetic on them must stay defined and give a usable answer.
constexpr std::int64_t maxTime = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t minTime = std::numeric_limits<std::int64_t>::min();
constexpr int maxInt = std::numeric_limits<int>::max();

TEST(FrameSelection, extremeTimesGiveTheLastFrameOrTheFirstNeverGarbage)
{
    struct {
        const char* name;
        std::int64_t origin;
        Duration duration;
        double rate;
        TimeBase timeBase;
        std::int64_t expected;
    } const rows[] = {
        {"ordinary", 0, {600, 600}, 30, {1, 600}, 580},
        {"startsLate", 1000, {600, 600}, 30, {1, 90000}, 88000},
        {"unknownLength", 0, {0, 0}, 30, {1, 600}, maxTime},
        {"noTimeBase", 0, {600, 600}, 30, {0, 0}, maxTime},
        {"tooLongForAFineTimeBase", 0, {maxTime, 1}, 30, {1, maxInt}, maxTime},
        {"tooLongForMicroseconds", 0, {maxTime / 2, 1000000}, 30, {1, maxInt}, maxTime},
        {"lateOriginOverflows", maxTime - 10, {600, 600}, 30, {1, 600}, maxTime},
        {"farNegativeOrigin", minTime + 1, {600, 600}, 30, {1, 600}, minTime + 581},
        {"unitsOfSeventyYears", 7, {600, 600}, 30, {maxInt, 1}, 7},
        {"oneFrameLongerThanTime", 0, {maxTime, 1000000}, 1e-300, {1, 1000}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(lastFrameTarget(row.origin, row.duration, row.rate, row.timeBase), row.expected);
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
