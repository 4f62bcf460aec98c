#pragma once

#include <cstdint>

namespace FrameExtractor {

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

// Where the presentation ends, in `timeBase` units: `origin` (the first frame's time) plus
// the duration. Where the length is unknown, or too long to count in that unit, the result
// is the largest time there is, which stands for "after the last frame of all".
std::int64_t presentationEnd(std::int64_t origin, const Duration& duration, TimeBase timeBase);

// Where to seek next when a seek to `seekTo` found no picture that can be trusted:
// `step` earlier, but not before `origin`.
std::int64_t stepBack(std::int64_t seekTo, std::int64_t origin, std::int64_t step);

// a + b, held at the ends of the range instead of overflowing.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b);

} // namespace FrameExtractor
