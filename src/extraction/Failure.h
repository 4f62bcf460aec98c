#pragma once

#include "FailureKinds.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

// What can go wrong in a job, as data: what happened, to which file, and why. Users read
// it in their language from the translation tables, through the kind's key; what() is the
// kind's name, the file and the reason, for logs.
namespace FrameExtractor {

// A job its caller stopped (JobControl::stop), or that ended as the program quit.
struct Cancelled : std::exception {
    const char* what() const noexcept override { return "The job was cancelled"; }
};

class Failure : public std::runtime_error {
public:
#define FRAMEPICKER_KIND_VALUE(kind, name, key, reporter, gloss) kind,
    enum class Kind { FRAMEPICKER_FAILURE_KINDS(FRAMEPICKER_KIND_VALUE) };
#undef FRAMEPICKER_KIND_VALUE

    // `file` is the video's name, or the path of the folder or image a failure of the
    // output is about; `reason` the library's or the system's own words, in English.
    Failure(Kind kind, std::string file, std::string reason = {});
    // The output's failures: the system's code, its words the reason.
    Failure(Kind kind, std::string file, std::error_code code);

    Kind kind() const { return m_kind; }
    const std::string& file() const { return m_file; }
    // May be empty.
    const std::string& reason() const { return m_reason; }
    // The system's code for a failure of the output; none for the rest, whose reasons come
    // as text (from the decoding worker, or from FFmpeg).
    std::error_code code() const { return m_code; }

private:
    Kind m_kind;
    std::string m_file;
    std::string m_reason;
    std::error_code m_code;
};

// The kind's row in FailureKinds.h: its stable name for scripts ("notFound"), the
// translation key of its sentence ("error.notFound %@"), and whether a decoding worker may
// report it.
const char* nameOf(Failure::Kind kind);
const char* keyOf(Failure::Kind kind);
bool workerMayReport(Failure::Kind kind);
// The number of kinds: a kind's number is below it.
std::uint32_t kindCount();

// A picture's size in pixels as a reason gives it, in no language: "1920 × 1080".
std::string pictureSize(std::int64_t width, std::int64_t height);

// One funnel for the media's failures: what happened to which video (named by its file
// name), and why.
[[noreturn]] void fail(Failure::Kind kind, const std::filesystem::path& video, const std::string& reason = {});
// With the system's words for the error (as text: only the output's failures keep a code).
[[noreturn]] void fail(Failure::Kind kind, const std::filesystem::path& video, std::error_code error);

} // namespace FrameExtractor
