#include "FrameExtractor.h"
#include "Failure.h"
#include "FileIdentity.h"
#include "FrameConverter.h"
#include "FrameSelection.h"
#include "VideoFile.h"

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

Image imageOf(const VideoFile& file, const AVFrame* frame, const fs::path& video)
{
    return convertFrame(frame, file.sampleAspectRatio(frame), file.displayMatrix(frame), video);
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
            fail(MediaError::Kind::noPicture, video);

        skipping = true;
        const std::int64_t landed = file->landedAt();
        seekTo = stepBack(landed != AV_NOPTS_VALUE && landed < seekTo ? landed : seekTo, origin, step);
        step = step > std::numeric_limits<std::int64_t>::max() / 2 ? step : step * 2;
    }
}

fs::path extract(const fs::path& video, const fs::path& folder, const SavedHandler& onSaved)
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

    makeOutputFolder(folder);

    if (index < 0)
        fail(MediaError::Kind::noVideo, video);
    file->openDecoder(index);

    FramePtr first = makeFrame();
    if (!file->nextFrame(first.get()))
        fail(MediaError::Kind::noPicture, video);
    save(imageOf(*file, first.get(), video), folder / "first.png");

    // Times count from the first frame shown, whatever the stream's timestamps start at.
    const std::int64_t firstTimestamp = timestampOf(first.get());
    const std::int64_t origin = firstTimestamp == AV_NOPTS_VALUE ? 0 : firstTimestamp;
    first.reset();
    const AVStream* stream = file->stream();
    const Duration duration =
        longestDuration(format->duration == AV_NOPTS_VALUE ? 0 : format->duration, stream->duration, timeBaseOf(stream));

    FramePtr last = lastFrame(file, video, identity, index, origin, presentationEnd(origin, duration, timeBaseOf(stream)));
    const Image lastImage = imageOf(*file, last.get(), video);
    checkUnchanged(video, identity);
    save(lastImage, folder / "last.png");
    return folder;
}

} // namespace

fs::path extractFrames(const fs::path& video, const SavedHandler& onSaved)
{
    return extractFramesInto(video, outputFolderFor(video), onSaved);
}

fs::path extractFramesInto(const fs::path& videoArgument, const fs::path& folder, const SavedHandler& onSaved)
{
    silenceLibraryLog();
    const fs::path video = fs::absolute(videoArgument);
    try {
        return extract(video, fs::absolute(folder), onSaved);
    } catch (const std::bad_alloc&) {
        // Huge pictures on a machine short of memory; what was allocated is released by now.
        fail(MediaError::Kind::outOfMemory, video);
    }
}


} // namespace FrameExtractor
