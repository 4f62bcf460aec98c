#include "FileIdentity.h"
#include "Failure.h"

#include <cerrno>
#include <optional>
#include <sys/stat.h>

extern "C" {
#include <libavutil/error.h>
}

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

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

} // namespace

FileIdentity identifyVideo(const fs::path& video)
{
    int error = 0;
    const std::optional<FileIdentity> identity = identityOf(video, error);
    if (!identity && (error == ENOENT || error == ENOTDIR))
        fail(MediaError::Kind::notFound, video);
    if (!identity)
        fail(MediaError::Kind::unreadable, video, AVERROR(error));
    if (identity->folder)
        fail(MediaError::Kind::folder, video);
    return *identity;
}

void checkUnchanged(const fs::path& video, const FileIdentity& identity)
{
    int error = 0;
    const std::optional<FileIdentity> now = identityOf(video, error);
    if (!now && (error == ENOENT || error == ENOTDIR))
        fail(MediaError::Kind::removed, video);
    if (!now)
        fail(MediaError::Kind::noLongerReadable, video, AVERROR(error));
    if (!(*now == identity))
        fail(MediaError::Kind::changed, video);
}

} // namespace FrameExtractor
