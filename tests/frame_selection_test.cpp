#include "FrameSelection.h"

#include <cmath>
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
