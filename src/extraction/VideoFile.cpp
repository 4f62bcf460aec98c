#include "VideoFile.h"
#include "LibraryErrors.h"
#include "FrameSelection.h"

extern "C" {
#include <libavutil/cpu.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
}

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace FrameExtractor {

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

bool showsLater(const AVFrame* frame, const AVFrame* best)
{
    const std::int64_t time = timestampOf(frame), bestTime = timestampOf(best);
    return time == AV_NOPTS_VALUE || bestTime == AV_NOPTS_VALUE || time >= bestTime;
}

namespace {

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

} // namespace

namespace {

// Playlists, concat lists, image sequences and external references name other files; a
// video is read from its own bytes alone.
int refuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**)
{
    return AVERROR(EPERM);
}

// The decoder threads for pictures of this size: one per core and one more, as FFmpeg would
// choose, but no more than the memory limit holds, so that a picture that decodes on a
// machine of two cores decodes on one of sixteen too. `memory`: bytes, 0 for no limit.
int decoderThreads(int cores, std::int64_t pictureBytes, std::uint64_t memory)
{
    // FFmpeg takes no more than 16 on its own; frame threads hold about three pictures each,
    // and half the memory is left for the reference pictures, the conversion and the PNG.
    const int wanted = cores > 1 ? std::min(cores + 1, 16) : 1;
    if (memory == 0 || pictureBytes <= 0)
        return wanted;
    const std::uint64_t fit = memory / 2 / (3 * static_cast<std::uint64_t>(pictureBytes));
    return static_cast<int>(std::clamp<std::uint64_t>(fit, 1, static_cast<std::uint64_t>(wanted)));
}

// As FFmpeg reads files itself: larger packets go straight into their own buffers.
constexpr int ioBufferSize = 1 << 15;

} // namespace

void ReadCount::planFrom(std::int64_t position, std::int64_t size)
{
    if (position < 0 || size <= position)
        return;
    if (m_planned > 0)
        m_passed = static_cast<std::uint64_t>(std::max(done, 0.0) * static_cast<double>(m_planned));
    m_stretchStart = static_cast<std::uint64_t>(position);
    m_planned = m_passed + static_cast<std::uint64_t>(size - position);
}

void ReadCount::reached(std::int64_t position)
{
    if (m_planned == 0 || position < 0 || static_cast<std::uint64_t>(position) < m_stretchStart)
        return;
    const double share = static_cast<double>(m_passed + (static_cast<std::uint64_t>(position) - m_stretchStart)) / static_cast<double>(m_planned);
    if (share > done) {
        done = std::min(share, 1.0);
        report();
    }
}

void ReadCount::read(std::uint64_t count)
{
    bytes += count;
    report();
}

void ReadCount::finish()
{
    done = 1;
    report();
}

void ReadCount::report() const
{
    if (control.onProgress)
        control.onProgress({bytes, done});
}

int VideoFile::readPacket(void* opaque, std::uint8_t* buffer, int size)
{
    auto* source = static_cast<Source*>(opaque);
    if (source->read && source->read->control.stop.stop_requested())
        return AVERROR_EXIT;
    for (;;) {
        const ssize_t n = ::pread(source->fd, buffer, static_cast<std::size_t>(size), source->position);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return AVERROR(errno);
        if (n == 0)
            return AVERROR_EOF;
        source->position += n;
        if (source->read)
            source->read->read(static_cast<std::uint64_t>(n));
        return static_cast<int>(n);
    }
}

std::int64_t VideoFile::seekTo(void* opaque, std::int64_t offset, int whence)
{
    auto* source = static_cast<Source*>(opaque);
    struct stat status {};
    const bool needsSize = (whence & ~AVSEEK_FORCE) == AVSEEK_SIZE || (whence & ~AVSEEK_FORCE) == SEEK_END;
    // The fstat system call itself: glibc's fstat is newfstatat, which would look up any path
    // given, and so is not allowed in the confined worker.
    if (needsSize && ::syscall(SYS_fstat, source->fd, &status) != 0)
        return AVERROR(errno);
    std::int64_t target;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return status.st_size;
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = saturatingAdd(source->position, offset); break;
    case SEEK_END: target = saturatingAdd(status.st_size, offset); break;
    default: return AVERROR(EINVAL);
    }
    if (target < 0)
        return AVERROR(EINVAL);
    source->position = target;
    return target;
}

VideoFile::VideoFile(int fd, const fs::path& path, ReadCount* read)
    : m_path(path)
    , m_source{fd, read}
{
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(ioBufferSize));
    if (!buffer)
        throw std::bad_alloc();
    m_io.reset(avio_alloc_context(buffer, ioBufferSize, 0, &m_source, &VideoFile::readPacket, nullptr, &VideoFile::seekTo));
    if (!m_io) {
        av_free(buffer);
        throw std::bad_alloc();
    }
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw)
        throw std::bad_alloc();
    raw->pb = m_io.get();
    raw->io_open = refuseNestedOpen;
    // Formats that open other inputs of their own (concat lists) do not go through io_open,
    // but they pass on the protocols allowed: none. Our own bytes need no protocol.
    raw->protocol_whitelist = av_strdup("none");
    if (!raw->protocol_whitelist) {
        avformat_free_context(raw);
        throw std::bad_alloc();
    }
    // The name only helps the probe (some formats are known by their extension). On
    // failure avformat_open_input frees the context itself.
    if (const int error = avformat_open_input(&raw, path.filename().c_str(), nullptr, nullptr); error < 0)
        fail(Failure::Kind::unreadable, path, error);
    m_format.reset(raw);
    if (const int error = avformat_find_stream_info(raw, nullptr); error < 0)
        fail(Failure::Kind::unreadable, path, error);
    m_packet.reset(av_packet_alloc());
    if (!m_packet)
        throw std::bad_alloc();
}

void VideoFile::openDecoder(int index)
{
    if (index < 0 || static_cast<unsigned>(index) >= m_format->nb_streams
        || m_format->streams[index]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
        fail(Failure::Kind::undecodable, m_path);
    m_index = index;
    for (unsigned i = 0; i < m_format->nb_streams; ++i)
        m_format->streams[i]->discard = static_cast<int>(i) == index ? AVDISCARD_DEFAULT : AVDISCARD_ALL;

    const AVCodecParameters* parameters = stream()->codecpar;
    if (std::int64_t(parameters->width) * parameters->height > maxDecodedPixels)
        fail(Failure::Kind::tooLarge, m_path,
             pictureSize(parameters->width, parameters->height));
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (!codec)
        fail(Failure::Kind::unsupportedFormat, m_path, formatNameOf(parameters));
    m_decoder.reset(avcodec_alloc_context3(codec));
    if (!m_decoder)
        throw std::bad_alloc();
    if (const int error = avcodec_parameters_to_context(m_decoder.get(), parameters); error < 0)
        fail(Failure::Kind::undecodable, m_path, error);
    m_decoder->pkt_timebase = stream()->time_base;
    rlimit memory{};
    const bool limited = ::getrlimit(RLIMIT_DATA, &memory) == 0 && memory.rlim_cur != RLIM_INFINITY;
    // A format not known yet is taken as the largest one.
    const int pictureBytes = av_image_get_buffer_size(
        parameters->format >= 0 ? static_cast<AVPixelFormat>(parameters->format) : AV_PIX_FMT_YUV444P16, parameters->width,
        parameters->height, 1);
    m_decoder->thread_count = decoderThreads(av_cpu_count(), pictureBytes, limited ? memory.rlim_cur : 0);
    // A picture that grows past the bound in mid-stream is refused by the decoder itself.
    m_decoder->max_pixels = maxDecodedPixels;
    if (const int error = avcodec_open2(m_decoder.get(), codec, nullptr); error < 0)
        fail(Failure::Kind::undecodable, m_path, error);
}

// Positions the demuxer at the key frame at or before `timestamp` (in the stream's time base).
bool VideoFile::seekBefore(std::int64_t timestamp)
{
    if (av_seek_frame(m_format.get(), m_index, timestamp, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    avcodec_flush_buffers(m_decoder.get());
    m_draining = false;
    m_landedAt = AV_NOPTS_VALUE;
    m_planned = false;
    return true;
}

// The next frame in presentation order, or false at the end of the stream.
bool VideoFile::nextFrame(AVFrame* frame)
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
        if (received != AVERROR(EAGAIN)) {
            m_decoderError = received;
            continue;
        }

        // EAGAIN: the decoder wants more input.
        const int read = av_read_frame(m_format.get(), m_packet.get());
        // Only the end of the file ends the video. Some demuxers report a failed read
        // as the end, so the byte stream's own error is looked at too.
        const int ioError = m_format->pb ? m_format->pb->error : 0;
        if (read < 0 && (read != AVERROR_EOF || ioError < 0))
            fail(Failure::Kind::readFailed, m_path, read != AVERROR_EOF ? read : ioError);
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
            // From the first picture's packet on, the reading runs to the end of the file.
            if (!m_planned && m_source.read) {
                m_planned = true;
                m_source.read->planFrom(m_packet->pos >= 0 ? m_packet->pos : avio_tell(m_format->pb), avio_size(m_format->pb));
            }
            if (m_source.read && m_packet->pos >= 0)
                m_source.read->reached(m_packet->pos + m_packet->size);
            m_decoder->skip_frame = mayDiscard(m_packet.get()) ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
            const int sent = avcodec_send_packet(m_decoder.get(), m_packet.get());
            if (sent == AVERROR(ENOMEM)) {
                av_packet_unref(m_packet.get());
                throw std::bad_alloc();
            }
            if (sent < 0 && sent != AVERROR(EAGAIN))
                m_decoderError = sent;
        }
        av_packet_unref(m_packet.get());
    }
}

bool VideoFile::mayDiscard(const AVPacket* packet)
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

AVRational VideoFile::sampleAspectRatio(const AVFrame* frame) const
{
    return av_guess_sample_aspect_ratio(m_format.get(), stream(), const_cast<AVFrame*>(frame));
}

const std::int32_t* VideoFile::displayMatrix(const AVFrame* frame) const
{
    const AVStream* stream = this->stream();
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

} // namespace FrameExtractor
