#include "FrameDecoding.h"
#include "LibraryErrors.h"
#include "FrameConverter.h"
#include "FrameSelection.h"
#include "PngEncoder.h"
#include "ScreenColours.h"
#include "VideoFile.h"
#include "WorkerProtocol.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

void silenceLibraryLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

TimeBase timeBaseOf(const AVStream* stream)
{
    return {stream->time_base.num, stream->time_base.den};
}

// Concealment filled in what the decoder could not read: the picture of a download cut
// off in its middle, smeared from some row down.
bool isDamaged(const AVFrame* frame)
{
    return frame->decode_error_flags != 0 || (frame->flags & AV_FRAME_FLAG_CORRUPT);
}

Image imageOf(const VideoFile& file, const AVFrame* frame, const fs::path& video)
{
    return convertFrame(frame, file.sampleAspectRatio(frame), file.displayMatrix(frame), video);
}

// The last frame shown: the latest presentation time among the frames the decoder gives,
// or, where the decoder marks that one as damaged (a download cut off in its middle), the
// latest intact one before it. Decoding starts at the key frame before `end` and runs to
// the end of the file; where the seek lands after the last trustworthy picture (containers
// without an index, a damaged key frame), it steps back further, and in the end decodes
// from the start.
FramePtr lastFrame(std::unique_ptr<VideoFile>& file, int fd, const fs::path& video, ReadCount& read, int index,
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
            file = std::make_unique<VideoFile>(fd, video, &read);
            file->openDecoder(index);
        }
        if (skipping)
            file->aimAtTheEnd();
        else
            file->decodeEverything();

        FramePtr best, bestIntact;
        // After a seek, frames shown before the first key frame may refer to pictures
        // that were never decoded (open GOPs); they are not to be trusted.
        bool sawKeyFrame = fromStart;
        while (file->nextFrame(frame.get())) {
            sawKeyFrame = sawKeyFrame || isKeyFrame(frame.get());
            if (!sawKeyFrame || (best && !showsLater(frame.get(), best.get()))) {
                av_frame_unref(frame.get());
                continue;
            }
            if (!isDamaged(frame.get())) {
                bestIntact = makeFrame();
                if (av_frame_ref(bestIntact.get(), frame.get()) < 0)
                    throw std::bad_alloc();
            }
            best = std::move(frame);
            frame = makeFrame();
        }
        const bool fallsBack = best && isDamaged(best.get()) && bestIntact;
        // Skipping relies on the packets' times. Where the frame that came out is not the
        // one they promised (a damaged picture, times the decoder corrected), or an intact
        // picture is wanted in place of a damaged last one (a skipped one may be later), the
        // same stretch is decoded again in full.
        if (skipping && file->skippedAny()
            && (!best || timestampOf(best.get()) != file->latestPacketTime() || fallsBack)) {
            skipping = false;
            continue;
        }
        if (fallsBack)
            return bestIntact;
        // A damaged picture is taken only where no intact one comes before it at all.
        if (best && (!isDamaged(best.get()) || fromStart))
            return best;
        if (fromStart)
            fail(Failure::Kind::noPicture, video, file->decoderError());

        skipping = true;
        const std::int64_t landed = file->landedAt();
        seekTo = stepBack(landed != AV_NOPTS_VALUE && landed < seekTo ? landed : seekTo, origin, step);
        step = step > std::numeric_limits<std::int64_t>::max() / 2 ? step : step * 2;
    }
}

void decode(int fd, const fs::path& video, const EncodedHandler& onPicture, ReadCount& read)
{
    auto file = std::make_unique<VideoFile>(fd, video, &read);
    const AVFormatContext* format = file->format();
    const int index = firstVideoStream(format);
    if (index < 0)
        fail(Failure::Kind::noVideo, video);
    file->openDecoder(index);
    // Asked for before a picture is decoded where the stream says so; the frames may still
    // say so later (FrameConverter asks then).
    const AVCodecParameters* declared = file->stream()->codecpar;
    if (mayNeedScreenConversion(declared->color_trc, declared->color_primaries) && !loadFilterLibrary())
        throw WorkerProtocol::LibraryNeeded();

    FramePtr first = makeFrame();
    if (!file->nextFrame(first.get()))
        fail(Failure::Kind::noPicture, video, file->decoderError());
    onPicture(Picture::first, encodePNGFile(imageOf(*file, first.get(), video), "first.png"));

    // Times count from the first frame shown, whatever the stream's timestamps start at.
    const std::int64_t firstTimestamp = timestampOf(first.get());
    const std::int64_t origin = firstTimestamp == AV_NOPTS_VALUE ? 0 : firstTimestamp;
    first.reset();
    const AVStream* stream = file->stream();
    const Duration duration =
        longestDuration(format->duration == AV_NOPTS_VALUE ? 0 : format->duration, stream->duration, timeBaseOf(stream));

    FramePtr last = lastFrame(file, fd, video, read, index, origin, presentationEnd(origin, duration, timeBaseOf(stream)));
    read.finish();
    onPicture(Picture::last, encodePNGFile(imageOf(*file, last.get(), video), "last.png"));
}

} // namespace

void prepareDecoders()
{
    silenceLibraryLog();
    // Opened without threads: the server must stay single-threaded to fork safely.
    for (const AVCodecID id : {AV_CODEC_ID_H264, AV_CODEC_ID_HEVC, AV_CODEC_ID_VP9, AV_CODEC_ID_AV1, AV_CODEC_ID_VP8,
                               AV_CODEC_ID_MPEG4, AV_CODEC_ID_MPEG2VIDEO, AV_CODEC_ID_MJPEG, AV_CODEC_ID_PRORES}) {
        const AVCodec* codec = avcodec_find_decoder(id);
        CodecPtr decoder(codec ? avcodec_alloc_context3(codec) : nullptr);
        if (decoder) {
            decoder->thread_count = 1;
            avcodec_open2(decoder.get(), codec, nullptr);
        }
    }
}

bool loadLibraries()
{
    return loadFilterLibrary();
}

void decodeFrames(int fd, const fs::path& video, const EncodedHandler& onPicture, const JobControl& control)
{
    silenceLibraryLog();
    ReadCount read(control);
    try {
        decode(fd, video, onPicture, read);
    } catch (const std::bad_alloc&) {
        // Huge pictures on a machine short of memory; what was allocated is released by now.
        fail(Failure::Kind::outOfMemory, video);
    } catch (const Failure&) {
        // A stopped job's reads fail, and whatever was reading then reports that.
        if (control.stop.stop_requested())
            throw Cancelled();
        throw;
    }
}

} // namespace FrameExtractor
