// The About header's emoji lanes, driven by a clock of the test's own, and the emojis
// as they are drawn.
#include "background/EmojiLane.h"
#include "background/FlyingEmojis.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const EmojiLane::Config firstLane{48, 30, 0.2, -120, 0.45};

TEST(EmojiLane, followsItsPathPassAfterPass)
{
    // Picks 0, 1, 2, ... so that each new emoji can be told apart.
    EmojiLane lane(firstLane, EmojiLane::filmEmojis(), [next = std::size_t(0)](std::size_t n) mutable { return next++ % n; });
    // Before it appears: no progress, nothing shown.
    EXPECT_EQ(lane.flightProgress(100), 0);
    EXPECT_TRUE(lane.currentEmoji().isEmpty());

    lane.startFlight(1000);
    EXPECT_EQ(lane.currentEmoji(), EmojiLane::filmEmojis().at(0));
    const QSizeF area(320, 200);
    EXPECT_NEAR(lane.flightProgress(1000), 0.2, 1e-12);
    // A pass begins and ends out of sight, beyond the lower-left and the upper-right corner.
    const QPointF from = lane.position(0, area), to = lane.position(1, area);
    const double m = firstLane.size; // more than half an emoji's width
    EXPECT_TRUE(from.x() <= -m && from.y() >= area.height() + m && to.x() >= area.width() + m && to.y() <= -m)
        << from.x() << ", " << from.y() << " to " << to.x() << ", " << to.y();

    // 24 s later the pass ends; the frame that finds it changes nothing itself.
    EXPECT_NEAR(lane.flightProgress(1024.5), 0.5 / 30, 1e-9);
    EXPECT_EQ(lane.pendingCycle(), 1);
    EXPECT_EQ(lane.currentEmoji(), EmojiLane::filmEmojis().at(0));
    lane.advanceCycle(*lane.pendingCycle());
    EXPECT_EQ(lane.currentEmoji(), EmojiLane::filmEmojis().at(1));
    lane.flightProgress(1030);
    EXPECT_FALSE(lane.pendingCycle());

    // Frames stalled for several passes: one change, straight to the current pass.
    lane.flightProgress(1000 + 30 * 7.5 - 6);
    EXPECT_EQ(lane.pendingCycle(), 7);
}

TEST(EmojiLane, aClockSetBackAndBadLanesNeverMisbehave)
{
    EmojiLane lane(firstLane);
    lane.startFlight(1000);
    const double p = lane.flightProgress(990); // before the start
    EXPECT_LT(p, 0);
    EXPECT_FALSE(lane.pendingCycle());
    EXPECT_LT(lane.position(p, QSizeF(320, 200)).x(), -firstLane.size); // still out of sight

    // 1e-300: a count of passes beyond 64 bits.
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (const double duration : {0.0, -5.0, nan, inf, 1e-300}) {
        EmojiLane bad({48, duration, 0.5, 0, 1});
        bad.startFlight(0);
        EXPECT_EQ(bad.flightProgress(1e10), 0) << duration;
        EXPECT_FALSE(bad.pendingCycle());
    }

    EmojiLane empty(firstLane, {});
    empty.startFlight(0);
    EXPECT_EQ(empty.currentEmoji(), QStringLiteral("\U0001F3AC"));
}

TEST(FlyingEmojis, emojisAreDrawnInColour)
{
    // The palette emoji holds saturated colours in the colour emoji font.
    const QImage image = renderEmoji(QStringLiteral("\U0001F3A8"), 48, 1).toImage();
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            coloured += image.pixelColor(x, y).alpha() > 128 && image.pixelColor(x, y).hsvSaturation() > 100;
    EXPECT_GT(coloured, 50);
}

} // namespace
