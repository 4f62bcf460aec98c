#pragma once

#include "FFmpegPointers.h"

#include <cstdint>
#include <filesystem>

namespace FrameExtractor {

// The first video stream that is not cover art, or -1.
int firstVideoStream(const AVFormatContext* format);
// The frame's presentation time, in its stream's time base.
std::int64_t timestampOf(const AVFrame* frame);
bool isKeyFrame(const AVFrame* frame);
// Whether `frame` is shown after `best`. A frame without a time comes after the one before
// it: the decoder gives frames in presentation order.
bool showsLater(const AVFrame* frame, const AVFrame* best);

// One opened video: the demuxer, the decoder of its video stream, and the packet loop
// that follows the send/receive contract. Failures are MediaErrors naming the video.
class VideoFile {
public:
    explicit VideoFile(const std::filesystem::path& path);

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
    // demuxer's end of file ends it; a read error is a MediaError.
    bool nextFrame(AVFrame* frame);

    AVRational sampleAspectRatio(const AVFrame* frame) const;
    // The display matrix (nine 32-bit values that rotate and flip the picture), or null.
    const std::int32_t* displayMatrix(const AVFrame* frame) const;

private:
    bool mayDiscard(const AVPacket* packet);

    std::filesystem::path m_path;
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

} // namespace FrameExtractor
