#pragma once

#include "Failure.h"
#include "FrameDecoding.h"
#include "Image.h"
#include "OutputFolder.h"

#include <filesystem>
#include <functional>
#include <string>

// Writes the exact first and last frame of a video as "first.png" and "last.png" into a
// folder beside the video, named after it.
//
// Errors: Failure and Cancelled (Failure.h).
namespace FrameExtractor {

// The video's first and last picture as PNG files' bytes, read through `decoder`. Only
// ordinary files are read; a pipe or device is refused at once. A video removed, replaced
// or rewritten before both are read is an error: the last frame would not be its own. The
// control hears the progress and may stop the job (Cancelled).
struct Frames {
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> last;
};
Frames readFrames(const std::filesystem::path& video, const Decoder& decoder, const JobControl& control = {});

// Runs the whole job and returns the output folder, which then holds both images of this
// run; if the job fails, the folder holds what it held before (and is not made at all if it
// was not there). See OutputFolder.h for where the folder is and how the pair is written.
std::filesystem::path extractFrames(const std::filesystem::path& video, const Decoder& decoder);

} // namespace FrameExtractor
