#include "Image.h"

#include <cstring>

namespace FrameExtractor {

Image oriented(Image source, Orientation o)
{
    if (o.isIdentity())
        return source;

    Image out;
    out.channels = source.channels;
    out.width = o.swapsAxes() ? source.height : source.width;
    out.height = o.swapsAxes() ? source.width : source.height;
    out.pixels.resize(source.pixels.size());

    const int w = source.width, h = source.height, n = source.channels;
    // Offsets that bring negative coordinates back into the picture.
    const int offX = (o.a < 0 ? w - 1 : 0) + (o.c < 0 ? h - 1 : 0);
    const int offY = (o.b < 0 ? w - 1 : 0) + (o.d < 0 ? h - 1 : 0);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = source.row(y);
        for (int x = 0; x < w; ++x) {
            const int dx = o.a * x + o.c * y + offX;
            const int dy = o.b * x + o.d * y + offY;
            std::memcpy(out.row(dy) + static_cast<std::size_t>(dx) * n, src + static_cast<std::size_t>(x) * n, n);
        }
    }
    return out;
}

} // namespace FrameExtractor
