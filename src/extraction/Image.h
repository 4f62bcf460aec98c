#pragma once

#include <cstdint>
#include <vector>

namespace FrameExtractor {

// A decoded frame as it is shown: 8 bits per channel, RGB or RGBA, rows packed.
struct Image {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<std::uint8_t> pixels;

    std::uint8_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width * channels; }
    const std::uint8_t* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width * channels; }
};

// The orientation part of a display matrix, each coefficient -1, 0 or 1: a source pixel
// (x, y) is shown at (a*x + c*y, b*x + d*y), shifted back into the picture.
struct Orientation {
    int a = 1, b = 0, c = 0, d = 1;
    bool isIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1; }
    bool swapsAxes() const { return a == 0; }
};

// Applies a rotation by a multiple of 90 degrees and/or a flip.
Image oriented(Image source, Orientation orientation);

} // namespace FrameExtractor
