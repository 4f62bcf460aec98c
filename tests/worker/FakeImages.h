#pragma once

// The image the fake worker sends for a video's bytes: the bytes as the pixels of an RGB
// picture 64 pixels wide, so that each video has a PNG of its own.
#include "extraction/PngEncoder.h"

#include <algorithm>
#include <string>

inline std::vector<std::uint8_t> pngOf(const std::string& content)
{
    FrameExtractor::Image image;
    image.width = 64;
    image.height = static_cast<int>(content.size() / (64 * 3) + 1);
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height * 3, 0);
    std::copy(content.begin(), content.end(), image.pixels.begin());
    return FrameExtractor::encodePNGFile(image, "first.png");
}
