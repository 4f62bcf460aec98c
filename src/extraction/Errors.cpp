#include "Failure.h"

namespace FrameExtractor {

namespace {

std::string sentence(MediaError::Kind kind, const std::string& fileName)
{
    using Kind = MediaError::Kind;
    const std::string name = "\u201C" + fileName + "\u201D";
    switch (kind) {
    case Kind::notFound: return name + " could not be found";
    case Kind::folder: return name + " is a folder, not a video file";
    case Kind::notRegular: return name + " is not an ordinary file";
    case Kind::unreadable: return name + " could not be read as a video";
    case Kind::noVideo: return name + " contains no video";
    case Kind::unsupportedFormat: return name + " uses a video format that cannot be decoded";
    case Kind::undecodable: return name + " could not be decoded";
    case Kind::noPicture: return "No picture could be decoded from " + name;
    case Kind::readFailed: return name + " could not be read to the end";
    case Kind::tooLarge: return name + " has a picture too large to save";
    case Kind::extremeAspectRatio: return name + " declares pixels of a shape too extreme to show";
    case Kind::unscalable: return name + " has a picture that cannot be scaled to its display size";
    case Kind::unconvertiblePixels: return name + " has a picture format that cannot be converted";
    case Kind::unconvertibleColours: return name + " has colours that cannot be converted for the screen";
    case Kind::outOfMemory: return name + " needs more memory than is available";
    case Kind::removed: return name + " was removed while it was being read";
    case Kind::changed: return name + " changed while it was being read";
    case Kind::noLongerReadable: return name + " could no longer be read";
    case Kind::workerStopped: return "The decoder stopped while reading " + name;
    }
    return name + " could not be read as a video";
}

} // namespace

ExtractionError::ExtractionError(Kind kind, std::string fileName)
    : m_kind(kind)
    , m_fileName(std::move(fileName))
    , m_description("Failed to encode PNG: " + m_fileName)
{
}

ExtractionError ExtractionError::cannotSavePNG(std::string fileName)
{
    return ExtractionError(Kind::cannotSavePNG, std::move(fileName));
}

MediaError::MediaError(Kind kind, std::string fileName, std::string reason)
    : std::runtime_error(sentence(kind, fileName) + (reason.empty() ? "" : " (" + reason + ")") + ".")
    , m_kind(kind)
    , m_fileName(std::move(fileName))
    , m_reason(std::move(reason))
{
}

OutputError::OutputError(Kind kind, std::error_code code, const std::filesystem::path& path)
    : std::system_error(code, (kind == Kind::cannotCreateFolder ? "Could not create the folder \"" : "Could not write \"")
                                  + path.string() + "\"")
    , m_kind(kind)
    , m_path(path)
    // The system's words ("Operation not permitted") would not say why a link is refused.
    , m_description(kind == Kind::untrustedLink
                        ? "Will not write through \"" + path.string() + "\": a link made by another user"
                        : std::system_error::what())
{
}

std::string pictureSize(std::int64_t width, std::int64_t height)
{
    return std::to_string(width) + " \u00D7 " + std::to_string(height);
}

void fail(MediaError::Kind kind, const std::filesystem::path& video, const std::string& reason)
{
    throw MediaError(kind, video.filename().string(), reason);
}

void fail(MediaError::Kind kind, const std::filesystem::path& video, std::error_code error)
{
    fail(kind, video, error.message());
}

} // namespace FrameExtractor
