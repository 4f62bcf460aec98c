#pragma once

#include "Image.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/rational.h>
}

#include <cstdint>
#include <filesystem>

namespace FrameExtractor {

// The frame as a player shows it: square pixels (the width stretched by `sar`), the video's
// own colour matrix and range, HDR tone-mapped for an ordinary screen, alpha kept, turned
// upright as the display matrix (nine values, or null) says. Failures name `video`.
Image convertFrame(const AVFrame* frame, AVRational sar, const std::int32_t* displayMatrix,
                   const std::filesystem::path& video);

} // namespace FrameExtractor
