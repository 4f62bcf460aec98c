#include "FrameSelection.h"

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

} // namespace FrameExtractor
