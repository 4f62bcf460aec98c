#pragma once

#include "FrameDecoder.h"
#include "Image.h"
#include "OutputFolder.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <system_error>

// Writes the exact first and last frame of a video as "first.png" and "last.png" into a
// folder beside the video, named after it.
//
// Errors: ExtractionError when an image cannot be encoded, MediaError when the video
// cannot be opened or decoded, OutputError when a folder or file cannot be written.
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

// The media layer's own failures, as data (what happened, to which file, the library's
// reason) and as an English sentence naming the file.
class MediaError : public std::runtime_error {
public:
    enum class Kind {
        notFound,             // no file of that name
        folder,               // the name is a folder's
        notRegular,           // a pipe, device or socket: reading it could block or never end
        unreadable,           // not readable as a video at all
        noVideo,              // a file with no video stream (a song with its cover)
        unsupportedFormat,    // a format this FFmpeg cannot decode; reason: its name
        undecodable,          // the decoder refuses the stream
        noPicture,            // no picture could be decoded
        readFailed,           // a read failed before the end of the file
        tooLarge,             // reason: the picture's size
        extremeAspectRatio,   // reason: the pixel aspect ratio
        unscalable,           // reason: the sizes
        unconvertiblePixels,  // reason: the pixel format
        unconvertibleColours, // HDR or wide gamut that could not be converted
        outOfMemory,
        removed,              // removed while it was being read
        changed,              // replaced or rewritten while it was being read
        noLongerReadable,     // could not be looked at again while it was being read
        workerStopped,        // the decoding process ended without a result; reason: how
    };

    MediaError(Kind kind, std::string fileName, std::string reason = {});

    Kind kind() const { return m_kind; }
    const std::string& fileName() const { return m_fileName; }
    // The library's or the system's own words, in English; may be empty.
    const std::string& reason() const { return m_reason; }

private:
    Kind m_kind;
    std::string m_fileName;
    std::string m_reason;
};

// A folder that cannot be made or an image that cannot be written, with the system's error
// code; what() is an English sentence naming the path.
class OutputError : public std::system_error {
public:
    enum class Kind {
        cannotCreateFolder,
        cannotWrite,
        untrustedLink, // the path is a symbolic link another user made; code EPERM
    };

    OutputError(Kind kind, std::error_code code, const std::filesystem::path& path);

    Kind kind() const { return m_kind; }
    const std::filesystem::path& path() const { return m_path; }
    const char* what() const noexcept override { return m_description.c_str(); }

private:
    Kind m_kind;
    std::filesystem::path m_path;
    std::string m_description;
};

// The video's first and last picture as PNG files' bytes, read through `decoder`. Only
// ordinary files are read; a pipe or device is refused at once. A video removed, replaced
// or rewritten before both are read is an error: the last frame would not be its own.
struct Frames {
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> last;
};
Frames readFrames(const std::filesystem::path& video, const Decoder& decoder);

// Runs the whole job and returns the output folder, which then holds both images of this
// run; if the job fails, the folder holds what it held before (and is not made at all if it
// was not there). See OutputFolder.h for where the folder is and how the pair is written.
std::filesystem::path extractFrames(const std::filesystem::path& video, const Decoder& decoder);
// The same job, writing into the given place instead of the folder beside the video.
std::filesystem::path extractFramesInto(const std::filesystem::path& video, const OutputPlace& place,
                                        const Decoder& decoder);

// The folder beside the video named after it with only its last extension removed:
// /m/trip.mov gives /m/trip, a.b.c.mov gives a.b.c; a name without an extension gives
// the video's own path. outputPlaceFor (OutputFolder.h) tells how it is reached.
std::filesystem::path outputFolderFor(const std::filesystem::path& video);

} // namespace FrameExtractor
