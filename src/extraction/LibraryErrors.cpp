#include "LibraryErrors.h"

extern "C" {
#include <libavutil/error.h>
}

namespace FrameExtractor {

std::string libraryText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

void fail(Failure::Kind kind, const std::filesystem::path& video, int error)
{
    fail(kind, video, error ? libraryText(error) : std::string());
}

} // namespace FrameExtractor
