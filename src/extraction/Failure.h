#pragma once

#include "Errors.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace FrameExtractor {

// A picture's size in pixels as a reason gives it, in no language: "1920 × 1080".
std::string pictureSize(std::int64_t width, std::int64_t height);

// FFmpeg's text for one of its error codes.
std::string libraryText(int error);

// One funnel for the media layer's failures: what happened to which video, and why.
[[noreturn]] void fail(MediaError::Kind kind, const std::filesystem::path& video, const std::string& reason = {});
// With FFmpeg's words for one of its error codes (in the decoding process only: the rest
// of the job does without the FFmpeg libraries).
[[noreturn]] void fail(MediaError::Kind kind, const std::filesystem::path& video, int error);
// With the system's words for the error.
[[noreturn]] void fail(MediaError::Kind kind, const std::filesystem::path& video, std::error_code error);

} // namespace FrameExtractor
