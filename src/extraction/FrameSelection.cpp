#include "FrameSelection.h"

extern "C" {
#include <libavutil/mathematics.h>
}

#include <algorithm>
#include <limits>

namespace FrameExtractor {

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

std::int64_t presentationEnd(std::int64_t origin, const Duration& duration, TimeBase timeBase)
{
    constexpr std::int64_t endOfAll = std::numeric_limits<std::int64_t>::max();
    // value / timescale seconds in units of num / den seconds: value * den / (timescale * num).
    std::int64_t divisor;
    if (!duration.known() || timeBase.num <= 0 || timeBase.den <= 0
        || __builtin_mul_overflow(duration.timescale, std::int64_t(timeBase.num), &divisor))
        return endOfAll;
    const std::int64_t inUnits = av_rescale_rnd(duration.value, timeBase.den, divisor, AV_ROUND_UP);
    if (inUnits == std::numeric_limits<std::int64_t>::min())
        return endOfAll;
    return saturatingAdd(origin, inUnits);
}

std::int64_t stepBack(std::int64_t seekTo, std::int64_t origin, std::int64_t step)
{
    return std::max(saturatingAdd(seekTo, -std::max<std::int64_t>(step, 0)), origin);
}

} // namespace FrameExtractor
