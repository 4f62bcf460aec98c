#include "FileIdentity.h"
#include "Failure.h"

#include <cerrno>
#include <system_error>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

// The video as it is now. A name that leads nowhere is the `missing` failure, any other
// failure to look at it the `unreadable` one.
FileIdentity lookAt(const fs::path& video, Failure::Kind missing, Failure::Kind unreadable)
{
    int error = 0;
    struct stat status {};
    std::error_code ec;
    fs::file_time_type modified;
    if (::stat(video.c_str(), &status) != 0)
        error = errno;
    else if (modified = fs::last_write_time(video, ec); ec)
        error = ec.value();
    if (error == ENOENT || error == ENOTDIR)
        fail(missing, video);
    if (error)
        fail(unreadable, video, std::error_code(error, std::generic_category()));
    return FileIdentity{status.st_dev, status.st_ino, static_cast<std::uintmax_t>(status.st_size), modified,
                        S_ISDIR(status.st_mode)};
}

} // namespace

FileIdentity identifyVideo(const fs::path& video)
{
    const FileIdentity identity = lookAt(video, Failure::Kind::notFound, Failure::Kind::unreadable);
    if (identity.folder)
        fail(Failure::Kind::folder, video);
    return identity;
}

void checkUnchanged(const fs::path& video, const FileIdentity& identity)
{
    if (!(lookAt(video, Failure::Kind::removed, Failure::Kind::noLongerReadable) == identity))
        fail(Failure::Kind::changed, video);
}

} // namespace FrameExtractor
