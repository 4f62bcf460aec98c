#pragma once

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

// What can go wrong in a job, as data: what happened, to which file, and why. Users read
// it in their language from the translation tables, through failureKind's key; what() is
// the kind's name, the file and the reason, for logs.
namespace FrameExtractor {

// A job its caller stopped (JobControl::stop), or that ended as the program quit.
struct Cancelled : std::exception {
    const char* what() const noexcept override { return "The job was cancelled"; }
};

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

// The media layer's own failures: what happened, to which file, the library's reason.
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
        notConfined,          // the system refused to confine the decoding process; reason: why
        notResponding,        // the decoding process made no progress for too long
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

// A folder that cannot be made or may not be used, or an image that cannot be written, with
// the system's error code.
class OutputError : public std::system_error {
public:
    enum class Kind {
        cannotCreateFolder,
        cannotWrite,
        untrustedLink, // the path is a symbolic link another user made; code EPERM
        foreignFolder, // the path is an existing folder another user owns; code EPERM
        folderInUse,   // another program held the folder's lock for too long; code EWOULDBLOCK
    };

    OutputError(Kind kind, std::error_code code, const std::filesystem::path& path);

    Kind kind() const { return m_kind; }
    const std::filesystem::path& path() const { return m_path; }

private:
    Kind m_kind;
    std::filesystem::path m_path;
};

// Every kind of failure as users and scripts meet it: `name` is its stable name for scripts
// ("notFound"), `key` the translation key of the sentence that words it ("error.notFound %@",
// its one argument the file's name or the path).
struct FailureKind {
    const char* name;
    const char* key;
};
FailureKind failureKind(MediaError::Kind kind);
FailureKind failureKind(OutputError::Kind kind);
FailureKind failureKind(ExtractionError::Kind kind);

} // namespace FrameExtractor
