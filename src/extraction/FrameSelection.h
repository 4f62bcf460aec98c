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

// A stream's unit of time: num/den seconds.
struct TimeBase {
    int num = 0;
    int den = 0;
};

// The presentation's length as a count of 1/timescale seconds.
struct Duration {
    std::int64_t value = 0;
    std::int64_t timescale = 0;
    bool known() const { return timescale > 0 && value > 0; }
};

// The asset's duration: the longest track. The video stream's own count is exact, the
// container's (in microseconds; zero or less when unknown) is rounded, so the stream's is
// preferred unless another track runs noticeably longer.
Duration longestDuration(std::int64_t containerMicroseconds, std::int64_t streamDuration, TimeBase streamTimeBase);

// The last frame's time in `timeBase` units: `origin` (the first frame's time) plus the
// last frame's offset. Where the length is unknown, or too long to count in that unit,
// the result is the largest time there is, which stands for "the last frame of all".
std::int64_t lastFrameTarget(std::int64_t origin, const Duration& duration, double frameRate, TimeBase timeBase);

// Where to seek next when a seek to `seekTo` found nothing at or before the target:
// `step` earlier, but not before `origin`.
std::int64_t stepBack(std::int64_t seekTo, std::int64_t origin, std::int64_t step);

// a + b, held at the ends of the range instead of overflowing.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b);

} // namespace FrameExtractor
