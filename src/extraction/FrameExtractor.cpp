#include "FrameExtractor.h"
#include "FrameSelection.h"
#include "ScreenColours.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "FFmpegPointers.h"

#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

struct SwsFreer {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};
using SwsPtr = std::unique_ptr<SwsContext, SwsFreer>;

// Beyond this a frame is not a picture anyone can use, and its RGBA buffer (1 GiB) is
// as much as we are willing to allocate for one image.
constexpr std::int64_t maxPixels = std::int64_t(1) << 28;
constexpr int maxSide = 65535;

void silenceLibraryLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

std::string quotedName(const fs::path& video)
{
    return "\u201C" + video.filename().string() + "\u201D";
}

std::string libraryText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

// One funnel for the media layer's failures: our sentence first, FFmpeg's reason after it.
[[noreturn]] void fail(const std::string& sentence, int error = 0)
{
    throw MediaError(error ? sentence + " (" + libraryText(error) + ")." : sentence + ".");
}

int firstVideoStream(const AVFormatContext* format)
{
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        // Cover art is stored as a one-picture video stream; it is not the video.
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return static_cast<int>(i);
    }
    return -1;
}

std::int64_t timestampOf(const AVFrame* frame)
{
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
        return frame->best_effort_timestamp;
    return frame->pts;
}

bool isKeyFrame(const AVFrame* frame)
{
#ifdef AV_FRAME_FLAG_KEY
    return frame->flags & AV_FRAME_FLAG_KEY;
#else
    return frame->key_frame;
#endif
}

// Whether `frame` is shown after `best`, in presentation order. A frame without a time
// comes after the one before it: the decoder gives frames in presentation order.
bool showsLater(const AVFrame* frame, const AVFrame* best)
{
    const std::int64_t time = timestampOf(frame), bestTime = timestampOf(best);
    return time == AV_NOPTS_VALUE || bestTime == AV_NOPTS_VALUE || time >= bestTime;
}

// The display matrix: nine 32-bit values, the ones that rotate and flip the picture.
const std::int32_t* displayMatrix(const AVStream* stream, const AVFrame* frame)
{
    constexpr std::size_t matrixSize = 9 * sizeof(std::int32_t);
#if LIBAVCODEC_VERSION_INT >= AV_VERSION_INT(60, 30, 100)
    const AVPacketSideData* side = av_packet_side_data_get(stream->codecpar->coded_side_data,
                                                           stream->codecpar->nb_coded_side_data, AV_PKT_DATA_DISPLAYMATRIX);
    if (side && side->size >= matrixSize)
        return reinterpret_cast<const std::int32_t*>(side->data);
#else
    std::size_t size = 0;
    if (const std::uint8_t* data = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size); data && size >= matrixSize)
        return reinterpret_cast<const std::int32_t*>(data);
#endif
    if (const AVFrameSideData* side = av_frame_get_side_data(frame, AV_FRAME_DATA_DISPLAYMATRIX); side && side->size >= matrixSize)
        return reinterpret_cast<const std::int32_t*>(side->data);
    return nullptr;
}

// The format's name as the file declares it: the decoder's name where FFmpeg knows the
// format, else the file's own four-character code (a 'vvc1' track on an older FFmpeg).
std::string formatNameOf(const AVCodecParameters* parameters)
{
    if (parameters->codec_id == AV_CODEC_ID_NONE && parameters->codec_tag != 0) {
        char tag[AV_FOURCC_MAX_STRING_SIZE] = {};
        return av_fourcc_make_string(tag, parameters->codec_tag);
    }
    return avcodec_get_name(parameters->codec_id);
}

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

// One opened video: the demuxer, the decoder of its video stream, and the packet loop
// that follows the send/receive contract.
class VideoFile {
public:
    explicit VideoFile(const fs::path& path)
        : m_path(path)
    {
        AVFormatContext* raw = nullptr;
        // On failure avformat_open_input frees the context itself.
        if (const int error = avformat_open_input(&raw, path.c_str(), nullptr, nullptr); error < 0)
            fail(quotedName(path) + " could not be read as a video", error);
        m_format.reset(raw);
        if (const int error = avformat_find_stream_info(raw, nullptr); error < 0)
            fail(quotedName(path) + " could not be read as a video", error);
        m_packet.reset(av_packet_alloc());
        if (!m_packet)
            throw std::bad_alloc();
    }

    AVFormatContext* format() const { return m_format.get(); }
    AVStream* stream() const { return m_format->streams[m_index]; }

    void openDecoder(int index)
    {
        if (index < 0 || static_cast<unsigned>(index) >= m_format->nb_streams
            || m_format->streams[index]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
            fail(quotedName(m_path) + " could not be decoded");
        m_index = index;
        for (unsigned i = 0; i < m_format->nb_streams; ++i)
            m_format->streams[i]->discard = static_cast<int>(i) == index ? AVDISCARD_DEFAULT : AVDISCARD_ALL;

        const AVCodecParameters* parameters = stream()->codecpar;
        const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
        if (!codec)
            fail(quotedName(m_path) + " uses a video format that cannot be decoded (" + formatNameOf(parameters) + ")");
        m_decoder.reset(avcodec_alloc_context3(codec));
        if (!m_decoder)
            throw std::bad_alloc();
        if (const int error = avcodec_parameters_to_context(m_decoder.get(), parameters); error < 0)
            fail(quotedName(m_path) + " could not be decoded", error);
        m_decoder->pkt_timebase = stream()->time_base;
        m_decoder->thread_count = 0;
        if (const int error = avcodec_open2(m_decoder.get(), codec, nullptr); error < 0)
            fail(quotedName(m_path) + " could not be decoded", error);
    }

    // Positions the demuxer at the key frame at or before `timestamp` (in the stream's time base).
    bool seekBefore(std::int64_t timestamp)
    {
        if (av_seek_frame(m_format.get(), m_index, timestamp, AVSEEK_FLAG_BACKWARD) < 0)
            return false;
        avcodec_flush_buffers(m_decoder.get());
        m_draining = false;
        m_landedAt = AV_NOPTS_VALUE;
        return true;
    }

    // The time of the first packet read since the last seek: where the seek landed.
    std::int64_t landedAt() const { return m_landedAt; }

    // From here on only the last frame shown matters: pictures no other picture refers to
    // are not decoded when a picture already met is shown after them.
    void aimAtTheEnd()
    {
        m_skipping = true;
        m_latest = AV_NOPTS_VALUE;
        m_skippedAny = false;
    }
    void decodeEverything() { m_skipping = false; }

    // The latest presentation time among the packets sent that are to be shown.
    std::int64_t latestPacketTime() const { return m_latest; }
    // Whether a picture may have been skipped.
    bool skippedAny() const { return m_skippedAny; }

    // The next frame in presentation order, or false at the end of the stream.
    bool nextFrame(AVFrame* frame)
    {
        for (;;) {
            const int received = avcodec_receive_frame(m_decoder.get(), frame);
            if (received == 0)
                return true;
            if (received == AVERROR_EOF || (received == AVERROR(EAGAIN) && m_draining))
                return false;
            if (received == AVERROR(ENOMEM))
                throw std::bad_alloc();
            // Any other error is a damaged picture; the decoder goes on with the next one.
            if (received != AVERROR(EAGAIN))
                continue;

            // EAGAIN: the decoder wants more input.
            const int read = av_read_frame(m_format.get(), m_packet.get());
            // Only the end of the file ends the video. Some demuxers report a failed read
            // as the end, so the byte stream's own error is looked at too.
            const int ioError = m_format->pb ? m_format->pb->error : 0;
            if (read < 0 && (read != AVERROR_EOF || ioError < 0))
                fail(quotedName(m_path) + " could not be read to the end", read != AVERROR_EOF ? read : ioError);
            if (read < 0) {
                // A null packet drains the frames the decoder still holds, which would be
                // lost otherwise.
                avcodec_send_packet(m_decoder.get(), nullptr);
                m_draining = true;
                continue;
            }
            if (m_packet->stream_index == m_index) {
                if (m_landedAt == AV_NOPTS_VALUE)
                    m_landedAt = m_packet->dts != AV_NOPTS_VALUE ? m_packet->dts : m_packet->pts;
                m_decoder->skip_frame = mayDiscard(m_packet.get()) ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
                const int sent = avcodec_send_packet(m_decoder.get(), m_packet.get());
                if (sent == AVERROR(ENOMEM)) {
                    av_packet_unref(m_packet.get());
                    throw std::bad_alloc();
                }
            }
            av_packet_unref(m_packet.get());
        }
    }

    Image toImage(const AVFrame* frame) const
    {
        const int width = frame->width, height = frame->height;
        if (width <= 0 || height <= 0)
            fail("No picture could be decoded from " + quotedName(m_path));

        // Square pixels: stretch the width to the display aspect ratio, as players do.
        AVRational sar = av_guess_sample_aspect_ratio(m_format.get(), stream(), const_cast<AVFrame*>(frame));
        std::int64_t displayWidth = width;
        if (sar.num > 0 && sar.den > 0 && sar.num != sar.den)
            displayWidth = std::llround(static_cast<double>(width) * sar.num / sar.den);
        if (displayWidth < 1 || displayWidth > maxSide || height > maxSide || displayWidth * height > maxPixels)
            fail(quotedName(m_path) + " has a picture too large to save (" + std::to_string(displayWidth) + " \u00D7 "
                 + std::to_string(height) + " pixels)");

        const auto* descriptor = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame->format));
        if (!descriptor)
            fail("No picture could be decoded from " + quotedName(m_path));
        const bool alpha = descriptor->flags & AV_PIX_FMT_FLAG_ALPHA;

        Image image;
        if (needsScreenConversion(frame)) {
            const int error = convertForScreen(frame, static_cast<int>(displayWidth), alpha, image);
            if (error == AVERROR(ENOMEM))
                throw std::bad_alloc();
            if (error < 0)
                fail(quotedName(m_path) + " has colours that cannot be converted for the screen", error);
            return oriented(std::move(image), orientation(frame));
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
        if (!scaler)
            fail(quotedName(m_path) + " has a picture format that cannot be converted ("
                 + std::string(descriptor->name) + ")");
        if (!(descriptor->flags & AV_PIX_FMT_FLAG_RGB)) {
            // The frame's own matrix and range; output is full-range RGB.
            const int* matrix = sws_getCoefficients(swsColorspace(frame->colorspace, height));
            sws_setColorspaceDetails(scaler.get(), matrix, fullRange ? 1 : 0, sws_getCoefficients(SWS_CS_DEFAULT), 1, 0,
                                     1 << 16, 1 << 16);
        }
        std::uint8_t* destination[4] = {image.pixels.data(), nullptr, nullptr, nullptr};
        int destinationStride[4] = {image.width * image.channels, 0, 0, 0};
        sws_scale(scaler.get(), frame->data, frame->linesize, 0, height, destination, destinationStride);

        return oriented(std::move(image), orientation(frame));
    }

private:
    bool mayDiscard(const AVPacket* packet)
    {
        if (!m_skipping)
            return false;
        // Outside the edit list: decoded only where another picture refers to it, never shown.
        if (packet->flags & AV_PKT_FLAG_DISCARD)
            return true;
        const std::int64_t pts = packet->pts;
        if (pts == AV_NOPTS_VALUE) {
            m_skipping = false;
            return false;
        }
        if (m_latest == AV_NOPTS_VALUE || pts >= m_latest) {
            m_latest = pts;
            return false;
        }
        m_skippedAny = true;
        return true;
    }

    Orientation orientation(const AVFrame* frame) const { return orientationOf(displayMatrix(stream(), frame)); }

    fs::path m_path;
    FormatPtr m_format;
    CodecPtr m_decoder;
    PacketPtr m_packet;
    int m_index = -1;
    bool m_draining = false;
    std::int64_t m_landedAt = AV_NOPTS_VALUE;
    bool m_skipping = false;
    std::int64_t m_latest = AV_NOPTS_VALUE;
    bool m_skippedAny = false;
};

// What tells the video's file apart from another put in its place or one rewritten in
// place. An open file reads on after its name is removed or reused, and the file is
// opened again by name when decoding restarts, so the name is checked again.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::uintmax_t size = 0;
    fs::file_time_type modified;
    bool folder = false;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const fs::path& video, int& error)
{
    struct stat status {};
    if (::stat(video.c_str(), &status) != 0) {
        error = errno;
        return std::nullopt;
    }
    std::error_code ec;
    const fs::file_time_type modified = fs::last_write_time(video, ec);
    if (ec) {
        error = ec.value();
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino, static_cast<std::uintmax_t>(status.st_size), modified,
                        S_ISDIR(status.st_mode)};
}

// The video as the job found it; a missing file or a folder is refused here.
FileIdentity identifyVideo(const fs::path& video)
{
    int error = 0;
    const std::optional<FileIdentity> identity = identityOf(video, error);
    if (!identity && (error == ENOENT || error == ENOTDIR))
        fail(quotedName(video) + " could not be found");
    if (!identity)
        fail(quotedName(video) + " could not be read as a video", AVERROR(error));
    if (identity->folder)
        fail(quotedName(video) + " is a folder, not a video file");
    return *identity;
}

void checkUnchanged(const fs::path& video, const FileIdentity& identity)
{
    int error = 0;
    const std::optional<FileIdentity> now = identityOf(video, error);
    if (!now && (error == ENOENT || error == ENOTDIR))
        fail(quotedName(video) + " was removed while it was being read");
    if (!now)
        fail(quotedName(video) + " could no longer be read", AVERROR(error));
    if (!(*now == identity))
        fail(quotedName(video) + " changed while it was being read");
}

TimeBase timeBaseOf(const AVStream* stream)
{
    return {stream->time_base.num, stream->time_base.den};
}

// The last frame shown: the latest presentation time among the frames the decoder gives.
// Decoding starts at the key frame before `end` and runs to the end of the file; where the
// seek lands after the last trustworthy picture (containers without an index), it steps
// back further, and in the end decodes from the start.
FramePtr lastFrame(std::unique_ptr<VideoFile>& file, const fs::path& video, const FileIdentity& identity, int index,
                   std::int64_t origin, std::int64_t end)
{
    const AVRational timeBase = file->stream()->time_base;
    std::int64_t step = std::max<std::int64_t>(av_rescale_q(1, AVRational{1, 1}, timeBase), 1);
    std::int64_t seekTo = end;
    FramePtr frame = makeFrame();
    bool skipping = true;

    for (;;) {
        const bool fromStart = seekTo <= origin || !file->seekBefore(seekTo);
        if (fromStart) {
            checkUnchanged(video, identity);
            file = std::make_unique<VideoFile>(video);
            file->openDecoder(index);
        }
        if (skipping)
            file->aimAtTheEnd();
        else
            file->decodeEverything();

        FramePtr best;
        // After a seek, frames shown before the first key frame may refer to pictures
        // that were never decoded (open GOPs); they are not to be trusted.
        bool sawKeyFrame = fromStart;
        while (file->nextFrame(frame.get())) {
            sawKeyFrame = sawKeyFrame || isKeyFrame(frame.get());
            if (sawKeyFrame && (!best || showsLater(frame.get(), best.get()))) {
                best = std::move(frame);
                frame = makeFrame();
            } else {
                av_frame_unref(frame.get());
            }
        }
        // Skipping relies on the packets' times. Where the frame that came out is not the
        // one they promised (a damaged picture, times the decoder corrected), the same
        // stretch is decoded again in full.
        if (skipping && file->skippedAny() && (!best || timestampOf(best.get()) != file->latestPacketTime())) {
            skipping = false;
            continue;
        }
        if (best)
            return best;
        if (fromStart)
            fail("No picture could be decoded from " + quotedName(video));

        skipping = true;
        const std::int64_t landed = file->landedAt();
        seekTo = stepBack(landed != AV_NOPTS_VALUE && landed < seekTo ? landed : seekTo, origin, step);
        step = step > std::numeric_limits<std::int64_t>::max() / 2 ? step : step * 2;
    }
}

fs::path extract(const fs::path& video, const SavedHandler& onSaved)
{
    const FileIdentity identity = identifyVideo(video);
    auto save = [&](const Image& image, const fs::path& destination) {
        savePNG(image, destination);
        if (onSaved)
            onSaved(destination);
    };

    auto file = std::make_unique<VideoFile>(video);
    const AVFormatContext* format = file->format();
    const int index = firstVideoStream(format);

    const fs::path folder = makeOutputFolder(video);

    if (index < 0)
        fail(quotedName(video) + " contains no video");
    file->openDecoder(index);

    FramePtr first = makeFrame();
    if (!file->nextFrame(first.get()))
        fail("No picture could be decoded from " + quotedName(video));
    save(file->toImage(first.get()), folder / "first.png");

    // Times count from the first frame shown, whatever the stream's timestamps start at.
    const std::int64_t firstTimestamp = timestampOf(first.get());
    const std::int64_t origin = firstTimestamp == AV_NOPTS_VALUE ? 0 : firstTimestamp;
    first.reset();
    const AVStream* stream = file->stream();
    const Duration duration =
        longestDuration(format->duration == AV_NOPTS_VALUE ? 0 : format->duration, stream->duration, timeBaseOf(stream));

    FramePtr last = lastFrame(file, video, identity, index, origin, presentationEnd(origin, duration, timeBaseOf(stream)));
    const Image lastImage = file->toImage(last.get());
    checkUnchanged(video, identity);
    save(lastImage, folder / "last.png");
    return folder;
}

} // namespace

fs::path extractFrames(const fs::path& videoArgument, const SavedHandler& onSaved)
{
    silenceLibraryLog();
    const fs::path video = fs::absolute(videoArgument);
    try {
        return extract(video, onSaved);
    } catch (const std::bad_alloc&) {
        // Huge pictures on a machine short of memory; what was allocated is released by now.
        fail(quotedName(video) + " needs more memory than is available");
    }
}

} // namespace FrameExtractor
