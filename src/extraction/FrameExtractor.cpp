#include "FrameExtractor.h"
#include "Failure.h"
#include "FileIdentity.h"
#include "FileReplacement.h"
#include "UniqueFd.h"
#include "OutputFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

// Opens the video for reading without waiting on it: a pipe's writer, a device or a socket
// could keep the job waiting forever, so only an ordinary file is taken, checked on what
// was actually opened.
UniqueFd openVideo(const fs::path& video, const FileIdentity& identity)
{
    UniqueFd fd(::open(video.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == ENXIO) // a socket
            fail(Failure::Kind::notRegular, video);
        if (error == ENOENT || error == ENOTDIR)
            fail(Failure::Kind::removed, video);
        fail(Failure::Kind::unreadable, video, std::error_code(error, std::generic_category()));
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        fail(Failure::Kind::unreadable, video, std::error_code(errno, std::generic_category()));
    if (!S_ISREG(status.st_mode))
        fail(Failure::Kind::notRegular, video);
    if (status.st_dev != identity.device || status.st_ino != identity.inode)
        fail(Failure::Kind::changed, video);
    return fd;
}

} // namespace

Frames readFrames(const fs::path& videoArgument, const Decoder& decoder, const JobControl& control)
{
    const fs::path video = fs::absolute(videoArgument);
    const FileIdentity identity = identifyVideo(video);
    std::optional<std::vector<std::uint8_t>> first, last;
    {
        const UniqueFd fd = openVideo(video, identity);
        decoder(fd.get(), video, [&](Picture picture, std::vector<std::uint8_t> png) {
            (picture == Picture::first ? first : last) = std::move(png);
        }, control);
    }
    if (!first || !last)
        fail(Failure::Kind::noPicture, video);
    checkUnchanged(video, identity);
    return {std::move(*first), std::move(*last)};
}

fs::path extractFrames(const fs::path& video, const Decoder& decoder)
{
    const Frames frames = readFrames(video, decoder);
    return writePair(outputPlaceFor(video), frames.first, frames.last);
}

} // namespace FrameExtractor
