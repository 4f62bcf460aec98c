#include "FrameConverter.h"
#include "LibraryErrors.h"
#include "ScreenColours.h"
#include "VideoFile.h"
#include "WorkerProtocol.h"

extern "C" {
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <memory>

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

struct SwsFreer {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};
using SwsPtr = std::unique_ptr<SwsContext, SwsFreer>;

// The picture as shown is held up to three times (RGBA, turned upright, deflated): beyond
// the largest picture a job decodes it would not fit in a job's memory.
constexpr std::int64_t maxPixels = maxDecodedPixels;
constexpr std::int64_t maxScreenConversionPixels = std::int64_t(4096) * 2304;
constexpr int maxSide = 65535;

int unitCoefficient(std::int32_t fixed16)
{
    constexpr std::int32_t half = 1 << 15;
    return fixed16 > half ? 1 : fixed16 < -half ? -1 : 0;
}

Orientation orientationOf(const std::int32_t* matrix)
{
    if (!matrix)
        return {};
    Orientation o{unitCoefficient(matrix[0]), unitCoefficient(matrix[1]), unitCoefficient(matrix[3]),
                  unitCoefficient(matrix[4])};
    const bool straight = o.a != 0 && o.d != 0 && o.b == 0 && o.c == 0;
    const bool quarter = o.a == 0 && o.d == 0 && o.b != 0 && o.c != 0;
    return straight || quarter ? o : Orientation{};
}

int swsColorspace(AVColorSpace space, int height)
{
    switch (space) {
    case AVCOL_SPC_BT709:
        return SWS_CS_ITU709;
    case AVCOL_SPC_BT470BG:
    case AVCOL_SPC_SMPTE170M:
        return SWS_CS_ITU601;
    case AVCOL_SPC_FCC:
        return SWS_CS_FCC;
    case AVCOL_SPC_SMPTE240M:
        return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return SWS_CS_BT2020;
    default:
        // Untagged video: HD and larger is BT.709 by convention, SD is BT.601.
        return height >= 720 ? SWS_CS_ITU709 : SWS_CS_ITU601;
    }
}

// The JPEG-range pixel formats are the plain ones with full range; swscale wants the
// plain format and the range given separately.
AVPixelFormat withoutJpegRange(AVPixelFormat format, bool& fullRange)
{
    switch (format) {
    case AV_PIX_FMT_YUVJ420P: fullRange = true; return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P: fullRange = true; return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P: fullRange = true; return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P: fullRange = true; return AV_PIX_FMT_YUV440P;
    case AV_PIX_FMT_YUVJ411P: fullRange = true; return AV_PIX_FMT_YUV411P;
    default: return format;
    }
}

} // namespace

Image convertFrame(const AVFrame* frame, AVRational sar, const std::int32_t* displayMatrix, const fs::path& video)
{
    const int width = frame->width, height = frame->height;
    if (width <= 0 || height <= 0)
        fail(Failure::Kind::noPicture, video);

    // Square pixels: stretch the width to the display aspect ratio, as players do.
    std::int64_t displayWidth = width;
    if (sar.num > 0 && sar.den > 0 && sar.num != sar.den)
        displayWidth = std::llround(static_cast<double>(width) * sar.num / sar.den);
    // A pixel shape no camera has (1:1000) would make the picture a line, or miles wide.
    if (displayWidth < 1 || (displayWidth > maxSide && width <= maxSide))
        fail(Failure::Kind::extremeAspectRatio, video, std::to_string(sar.num) + ":" + std::to_string(sar.den));
    if (displayWidth > maxSide || height > maxSide || displayWidth * height > maxPixels)
        fail(Failure::Kind::tooLarge, video, pictureSize(displayWidth, height));

    const auto* descriptor = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame->format));
    if (!descriptor)
        fail(Failure::Kind::noPicture, video);
    const bool alpha = descriptor->flags & AV_PIX_FMT_FLAG_ALPHA;

    Image image;
    if (needsScreenConversion(frame)) {
        // Tone mapping works on the whole picture in floating point, several copies of it:
        // beyond 4096 x 2304 they would not fit in a job's memory.
        if (displayWidth * height > maxScreenConversionPixels)
            fail(Failure::Kind::tooLarge, video, pictureSize(displayWidth, height));
        if (!loadFilterLibrary())
            throw WorkerProtocol::LibraryNeeded();
        const int error = convertForScreen(frame, static_cast<int>(displayWidth), alpha, image);
        if (error == AVERROR(ENOMEM))
            throw std::bad_alloc();
        if (error < 0)
            fail(Failure::Kind::unconvertibleColours, video, error);
        return oriented(std::move(image), orientationOf(displayMatrix));
    }

    bool fullRange = frame->color_range == AVCOL_RANGE_JPEG;
    const AVPixelFormat source = withoutJpegRange(static_cast<AVPixelFormat>(frame->format), fullRange);

    image.width = static_cast<int>(displayWidth);
    image.height = height;
    image.channels = alpha ? 4 : 3;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * image.channels);

    SwsPtr scaler(sws_getContext(width, height, source, image.width, image.height,
                                 alpha ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24,
                                 SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr));
    if (!scaler && image.width != width)
        fail(Failure::Kind::unscalable, video,
             pictureSize(width, height) + " to " + pictureSize(image.width, height));
    if (!scaler)
        fail(Failure::Kind::unconvertiblePixels, video, descriptor->name);
    if (!(descriptor->flags & AV_PIX_FMT_FLAG_RGB)) {
        // The frame's own matrix and range; output is full-range RGB.
        const int* matrix = sws_getCoefficients(swsColorspace(frame->colorspace, height));
        sws_setColorspaceDetails(scaler.get(), matrix, fullRange ? 1 : 0, sws_getCoefficients(SWS_CS_DEFAULT), 1, 0,
                                 1 << 16, 1 << 16);
    }
    std::uint8_t* destination[4] = {image.pixels.data(), nullptr, nullptr, nullptr};
    int destinationStride[4] = {image.width * image.channels, 0, 0, 0};
    if (const int rows = sws_scale(scaler.get(), frame->data, frame->linesize, 0, height, destination, destinationStride); rows <= 0)
        fail(Failure::Kind::unconvertiblePixels, video, rows < 0 ? libraryText(rows) : std::string(descriptor->name));

    return oriented(std::move(image), orientationOf(displayMatrix));
}

} // namespace FrameExtractor
