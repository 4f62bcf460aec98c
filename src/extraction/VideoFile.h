#pragma once

#include "FFmpegPointers.h"
#include "FrameDecoding.h"
#include "WorkerProtocol.h"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace FrameExtractor {

// The first video stream that is not cover art, or -1.
int firstVideoStream(const AVFormatContext* format);
// The frame's presentation time, in its stream's time base.
std::int64_t timestampOf(const AVFrame* frame);
bool isKeyFrame(const AVFrame* frame);
// Whether `frame` is shown after `best`. A frame without a time comes after the one before
// it: the decoder gives frames in presentation order.
bool showsLater(const AVFrame* frame, const AVFrame* best);

// Where a picture is too large to handle within a job's memory: beyond this many pixels
// (an 8K frame and a little more) the decoder's reference pictures alone take most of it.
inline constexpr std::int64_t maxDecodedPixels = WorkerProtocol::maxPicturePixels;

// How far a job's reading has come: the bytes read, for the worker's sign of life, and the
// share done, from where the demuxer's packets have got to within the stretches the job
// reads (the first frame's, then the one from the key frame before the end to the end). The
// stop asked for is seen at the next read, which then fails.
struct ReadCount {
    explicit ReadCount(JobControl control) : control(std::move(control)) {}
    std::uint64_t bytes = 0;
    double done = 0;
    const JobControl control;

    // A stretch of reading begins at `position`, to the end of a file of `size` bytes.
    void planFrom(std::int64_t position, std::int64_t size);
    // A packet that ends at `position` has been read.
    void reached(std::int64_t position);
    void read(std::uint64_t count);
    // The reading is over: all of it is done.
    void finish();

private:
    void report() const;
    std::uint64_t m_planned = 0; // 0 until the first stretch begins
    std::uint64_t m_passed = 0;  // the bytes passed in the stretches before this one
    std::uint64_t m_stretchStart = 0;
};

// One opened video: the demuxer, the decoder of its video stream, and the packet loop
// that follows the send/receive contract. Failures are Failure, naming the video.
//
// The video is read only through the open descriptor, from its start, whatever the
// descriptor's own offset; every other file or address the format would open (playlists,
// concat lists, external references) is refused.
class VideoFile {
public:
    // `path` names the video in messages only. `read` counts the bytes read, across files.
    VideoFile(int fd, const std::filesystem::path& path, ReadCount* read = nullptr);
    // The demuxer reads through a pointer to m_source.
    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;

    AVFormatContext* format() const { return m_format.get(); }
    AVStream* stream() const { return m_format->streams[m_index]; }

    void openDecoder(int index);

    // Positions the demuxer at the key frame at or before `timestamp` (in the stream's time base).
    bool seekBefore(std::int64_t timestamp);
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

    // The next frame in presentation order, or false at the end of the stream. Only the
    // demuxer's end of file ends it; a read error is a Failure.
    bool nextFrame(AVFrame* frame);
    // The decoder's last complaint about a packet or a picture (an FFmpeg error code; 0 for
    // none): the reason when no picture comes out at all.
    int decoderError() const { return m_decoderError; }

    AVRational sampleAspectRatio(const AVFrame* frame) const;
    // The display matrix (nine 32-bit values that rotate and flip the picture), or null.
    const std::int32_t* displayMatrix(const AVFrame* frame) const;

private:
    bool mayDiscard(const AVPacket* packet);

    struct Source {
        int fd;
        ReadCount* read;
        std::int64_t position = 0;
    };
    static int readPacket(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t seekTo(void* opaque, std::int64_t offset, int whence);

    std::filesystem::path m_path;
    Source m_source;
    IOPtr m_io; // outlives m_format, which does not own it
    FormatPtr m_format;
    CodecPtr m_decoder;
    PacketPtr m_packet;
    int m_index = -1;
    bool m_draining = false;
    int m_decoderError = 0;
    std::int64_t m_landedAt = AV_NOPTS_VALUE;
    bool m_planned = false; // the read count knows where the reading since the last seek began
    bool m_skipping = false;
    std::int64_t m_latest = AV_NOPTS_VALUE;
    bool m_skippedAny = false;
};

} // namespace FrameExtractor
