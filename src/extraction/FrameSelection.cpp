#include "FrameSelection.h"

extern "C" {
#include <libavutil/mathematics.h>
}

#include <algorithm>
#include <cmath>
#include <limits>

namespace FrameExtractor {

namespace {
bool usableRate(double rate) { return std::isfinite(rate) && rate > 0; }
} // namespace

double frameRateForInterval(bool hasTracks, double firstTrackRate, double videoRate)
{
    if (!hasTracks)
        return 30;
    if (usableRate(firstTrackRate))
        return firstTrackRate;
    return usableRate(videoRate) ? videoRate : 30;
}

std::int64_t frameInterval(double frameRate, std::int64_t timescale)
{
    const double units = std::round(static_cast<double>(timescale) / frameRate);
    // A rate so low that one frame outlasts any representable time: the interval covers everything.
    if (!(units < static_cast<double>(std::numeric_limits<std::int64_t>::max())))
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(units);
}

std::int64_t lastFrameTime(std::int64_t duration, double frameRate, std::int64_t timescale)
{
    const std::int64_t interval = frameInterval(frameRate, timescale);
    if (duration <= interval)
        return 0;
    return duration - interval;
}

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t sum;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return sum;
}

Duration longestDuration(std::int64_t containerMicroseconds, std::int64_t streamDuration, TimeBase streamTimeBase)
{
    Duration container;
    if (containerMicroseconds > 0)
        container = {containerMicroseconds, 1000000};
    if (streamDuration <= 0 || streamTimeBase.num <= 0 || streamTimeBase.den <= 0)
        return container;

    // av_rescale gives INT64_MIN where the result does not fit: longer than any container's.
    const std::int64_t inMicroseconds =
        av_rescale(streamDuration, std::int64_t(streamTimeBase.num) * 1000000, streamTimeBase.den);
    const bool atLeastAsLong = inMicroseconds == std::numeric_limits<std::int64_t>::min()
                               || container.value <= saturatingAdd(inMicroseconds, 1000);
    std::int64_t value;
    if (!container.known() || atLeastAsLong) {
        if (!__builtin_mul_overflow(streamDuration, std::int64_t(streamTimeBase.num), &value))
            return {value, streamTimeBase.den};
    }
    return container;
}

std::int64_t lastFrameTarget(std::int64_t origin, const Duration& duration, double frameRate, TimeBase timeBase)
{
    constexpr std::int64_t lastOfAll = std::numeric_limits<std::int64_t>::max();
    // offset / timescale seconds in units of num / den seconds: offset * den / (timescale * num).
    std::int64_t divisor;
    if (!duration.known() || timeBase.num <= 0 || timeBase.den <= 0
        || __builtin_mul_overflow(duration.timescale, std::int64_t(timeBase.num), &divisor))
        return lastOfAll;
    const std::int64_t offset = lastFrameTime(duration.value, frameRate, duration.timescale);
    const std::int64_t inUnits = av_rescale_rnd(offset, timeBase.den, divisor, AV_ROUND_NEAR_INF);
    if (inUnits == std::numeric_limits<std::int64_t>::min())
        return lastOfAll;
    return saturatingAdd(origin, inUnits);
}

std::int64_t stepBack(std::int64_t seekTo, std::int64_t origin, std::int64_t step)
{
    return std::max(saturatingAdd(seekTo, -std::max<std::int64_t>(step, 0)), origin);
}

} // namespace FrameExtractor
