#include "Failure.h"

#include <algorithm>
#include <iterator>

namespace FrameExtractor {

namespace {

template <typename Kind>
struct Row {
    Kind kind;
    FailureKind words;
};

using Media = MediaError::Kind;
using Output = OutputError::Kind;

// The one list of failures: each kind, its name for scripts and its sentence's key.
constexpr Row<Media> mediaKinds[] = {
    {Media::notFound, {"notFound", "error.notFound %@"}},
    {Media::folder, {"folder", "error.folder %@"}},
    {Media::notRegular, {"notRegular", "error.notRegular %@"}},
    {Media::unreadable, {"unreadable", "error.unreadable %@"}},
    {Media::noVideo, {"noVideo", "error.noVideo %@"}},
    {Media::unsupportedFormat, {"unsupportedFormat", "error.unsupportedFormat %@"}},
    {Media::undecodable, {"undecodable", "error.undecodable %@"}},
    {Media::noPicture, {"noPicture", "error.noPicture %@"}},
    {Media::readFailed, {"readFailed", "error.readFailed %@"}},
    {Media::tooLarge, {"tooLarge", "error.tooLarge %@"}},
    {Media::extremeAspectRatio, {"extremeAspectRatio", "error.extremeAspectRatio %@"}},
    {Media::unscalable, {"unscalable", "error.unscalable %@"}},
    {Media::unconvertiblePixels, {"unconvertiblePixels", "error.unconvertiblePixels %@"}},
    {Media::unconvertibleColours, {"unconvertibleColours", "error.unconvertibleColours %@"}},
    {Media::outOfMemory, {"outOfMemory", "error.outOfMemory %@"}},
    {Media::removed, {"removed", "error.removed %@"}},
    {Media::changed, {"changed", "error.changed %@"}},
    {Media::noLongerReadable, {"noLongerReadable", "error.noLongerReadable %@"}},
    {Media::workerStopped, {"workerStopped", "error.workerStopped %@"}},
    {Media::notConfined, {"notConfined", "error.notConfined %@"}},
    {Media::notResponding, {"notResponding", "error.notResponding %@"}},
};
constexpr Row<Output> outputKinds[] = {
    {Output::cannotCreateFolder, {"cannotCreateFolder", "error.cannotCreateFolder %@"}},
    {Output::cannotWrite, {"cannotWrite", "error.cannotWrite %@"}},
    {Output::untrustedLink, {"untrustedLink", "error.untrustedLink %@"}},
    {Output::foreignFolder, {"foreignFolder", "error.foreignFolder %@"}},
    {Output::folderInUse, {"folderInUse", "error.folderInUse %@"}},
};
constexpr Row<ExtractionError::Kind> extractionKinds[] = {
    {ExtractionError::Kind::cannotSavePNG, {"cannotSavePNG", "Failed to encode PNG: %@"}},
};

template <typename Kind, std::size_t count>
FailureKind lookUp(const Row<Kind> (&rows)[count], Kind kind)
{
    const auto row = std::find_if(std::begin(rows), std::end(rows), [&](const Row<Kind>& row) { return row.kind == kind; });
    return row != std::end(rows) ? row->words : FailureKind{"unknown", "error.unreadable %@"};
}

} // namespace

FailureKind failureKind(MediaError::Kind kind)
{
    return lookUp(mediaKinds, kind);
}

FailureKind failureKind(OutputError::Kind kind)
{
    return lookUp(outputKinds, kind);
}

FailureKind failureKind(ExtractionError::Kind kind)
{
    return lookUp(extractionKinds, kind);
}

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
    : std::runtime_error(std::string(failureKind(kind).name) + ": " + fileName + (reason.empty() ? "" : " (" + reason + ")"))
    , m_kind(kind)
    , m_fileName(std::move(fileName))
    , m_reason(std::move(reason))
{
}

OutputError::OutputError(Kind kind, std::error_code code, const std::filesystem::path& path)
    : std::system_error(code, std::string(failureKind(kind).name) + ": " + path.string())
    , m_kind(kind)
    , m_path(path)
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
