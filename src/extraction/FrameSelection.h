#pragma once

#include <cstdint>

namespace FrameExtractor {

// The frame rate that sets the last frame's time: the first track's rate, or, where that
// track reports none (audio tracks do not), the video's own rate, or 30 where both are unknown.
double frameRateForInterval(bool hasTracks, double firstTrackRate, double videoRate);

// One frame interval, in units of 1/timescale seconds, rounded to the nearest unit.
std::int64_t frameInterval(double frameRate, std::int64_t timescale);

// The time of the last frame: the duration less one frame interval, never below zero.
// Both are counts of 1/timescale seconds from the start of the presentation.
std::int64_t lastFrameTime(std::int64_t duration, double frameRate, std::int64_t timescale);

} // namespace FrameExtractor
