#pragma once

#include "Image.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

// Writes the exact first and last frame of a video as "first.png" and "last.png" into a
// folder beside the video, named after it.
//
// Errors: ExtractionError when an image cannot be encoded, MediaError when the video
// cannot be opened or decoded, std::system_error when a folder or file cannot be written.
// Every what() text names the file concerned and is fit to show to a user.
namespace FrameExtractor {

class ExtractionError : public std::exception {
public:
    enum class Kind { cannotSavePNG };

    static ExtractionError cannotSavePNG(std::string fileName);

    Kind kind() const { return m_kind; }
    const std::string& fileName() const { return m_fileName; }
    const char* what() const noexcept override { return m_description.c_str(); }

private:
    ExtractionError(Kind kind, std::string fileName);

    Kind m_kind;
    std::string m_fileName;
    std::string m_description;
};

// The media layer's own failures: the file cannot be read as a video, holds no video,
// no frame can be decoded from it, it changed while it was read, or its pictures need
// more memory than the machine has.
class MediaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Called with each image's path as soon as the image is complete on disk.
using SavedHandler = std::function<void(const std::filesystem::path& image)>;

// Runs the whole job and returns the output folder, which then holds both images.
// "first.png" is complete on disk before the last frame is decoded; the first error
// ends the call, and what was written before it stays. A video removed, replaced or
// rewritten before the job ends is an error: the last frame would not be its own.
std::filesystem::path extractFrames(const std::filesystem::path& video, const SavedHandler& onSaved = {});

// The folder beside the video named after it with only its last extension removed:
// /m/trip.mov gives /m/trip, a.b.c.mov gives a.b.c; a name without an extension gives
// the video's own path.
std::filesystem::path outputFolderFor(const std::filesystem::path& video);

// Creates the output folder (or reuses an existing one) and returns it.
std::filesystem::path makeOutputFolder(const std::filesystem::path& video);

// Encodes the image as PNG in memory, then replaces the destination atomically: a failed
// write leaves an older file of that name as it was.
void savePNG(const Image& image, const std::filesystem::path& destination);

} // namespace FrameExtractor
