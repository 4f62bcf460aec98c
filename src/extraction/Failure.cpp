#include "Failure.h"

#include <iterator>
#include <utility>

namespace FrameExtractor {

namespace {

constexpr bool worker = true, parent = false;

struct Row {
    const char* name;
    const char* key;
    bool fromWorker;
};

#define FRAMEPICKER_KIND_ROW(kind, name, key, reporter, gloss) {name, key, reporter},
constexpr Row rows[] = {FRAMEPICKER_FAILURE_KINDS(FRAMEPICKER_KIND_ROW)};
#undef FRAMEPICKER_KIND_ROW

const Row& rowOf(Failure::Kind kind)
{
    const auto at = static_cast<std::size_t>(kind);
    static constexpr Row unknown{"unknown", "error.unreadable %@", false};
    return at < std::size(rows) ? rows[at] : unknown;
}

std::string description(Failure::Kind kind, const std::string& file, const std::string& reason, bool withCode)
{
    std::string text = std::string(nameOf(kind)) + ": " + file;
    if (!reason.empty())
        text += withCode ? ": " + reason : " (" + reason + ")";
    return text;
}

} // namespace

Failure::Failure(Kind kind, std::string file, std::string reason)
    : std::runtime_error(description(kind, file, reason, false))
    , m_kind(kind)
    , m_file(std::move(file))
    , m_reason(std::move(reason))
{
}

Failure::Failure(Kind kind, std::string file, std::error_code code)
    : std::runtime_error(description(kind, file, code.message(), true))
    , m_kind(kind)
    , m_file(std::move(file))
    , m_reason(code.message())
    , m_code(code)
{
}

const char* nameOf(Failure::Kind kind)
{
    return rowOf(kind).name;
}

const char* keyOf(Failure::Kind kind)
{
    return rowOf(kind).key;
}

bool workerMayReport(Failure::Kind kind)
{
    return rowOf(kind).fromWorker;
}

std::uint32_t kindCount()
{
    return static_cast<std::uint32_t>(std::size(rows));
}

std::string pictureSize(std::int64_t width, std::int64_t height)
{
    return std::to_string(width) + " \u00D7 " + std::to_string(height);
}

void fail(Failure::Kind kind, const std::filesystem::path& video, const std::string& reason)
{
    throw Failure(kind, video.filename().string(), reason);
}

void fail(Failure::Kind kind, const std::filesystem::path& video, std::error_code error)
{
    fail(kind, video, error.message());
}

} // namespace FrameExtractor
