#pragma once

#include "Failure.h"

#include <filesystem>
#include <string>

// FFmpeg's words for its error codes, in the decoding process only: the rest of the job
// does without the FFmpeg libraries.
namespace FrameExtractor {

std::string libraryText(int error);

// fail() with FFmpeg's words for one of its error codes (none for 0).
[[noreturn]] void fail(Failure::Kind kind, const std::filesystem::path& video, int error);

} // namespace FrameExtractor
