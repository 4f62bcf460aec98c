#pragma once

#include "FrameExtractor.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace FrameExtractor {

// A picture's size as a reason gives it: "1920 × 1080 pixels".
std::string pictureSize(std::int64_t width, std::int64_t height);

// FFmpeg's text for one of its error codes.
std::string libraryText(int error);

// One funnel for the media layer's failures: what happened to which video, and why.
[[noreturn]] void fail(MediaError::Kind kind, const std::filesystem::path& video, const std::string& reason = {});
[[noreturn]] void fail(MediaError::Kind kind, const std::filesystem::path& video, int error);

} // namespace FrameExtractor
