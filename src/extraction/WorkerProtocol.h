#pragma once

#include "Failure.h"
#include "FrameDecoding.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a decoding worker tells the program that started it, on a stream socket: messages of
// [u32 type][u64 length][payload], in this machine's byte order (both ends share the machine).
// The reader trusts nothing: whatever breaks these rules ends the stream as a stopped worker.
namespace FrameExtractor::WorkerProtocol {

enum class Type : std::uint32_t {
    firstImage = 1, // PNG bytes
    lastImage,      // PNG bytes, after firstImage
    mediaFailure,   // u32 Failure::Kind (one a worker may report), then the reason
    pngFailure,     // the encoder's reason: the parent knows which image it was waiting for
    outOfMemory,    // nothing
    progress,       // u64 bytes the demuxer has read so far, u32 millionths of the reading done
    exit,           // i32 wait status of the worker; only the fork server's own socket carries it
    log,            // a line of the decoder's log, for developers (logVariable)
    libraryNeeded,  // nothing: ask again, with the libraries loaded in the server first
};

// The largest picture a job decodes, and so the largest image a worker may send back: an 8K
// frame and a little more, as a pixel count; no side beyond PNG's practical 65535.
inline constexpr std::int64_t maxPicturePixels = std::int64_t(8192) * 4352;
inline constexpr std::int64_t maxPictureSide = 65535;
// Such a picture as RGBA with a filter byte a row, stored uncompressed in deflate's 64 KiB
// blocks at 5 bytes each, in chunks of 12 bytes' framing: nothing the encoder makes is larger.
inline constexpr std::uint64_t maxImageBytes = maxPicturePixels * 4 + maxPictureSide
    + (maxPicturePixels * 4 / 65535 + 1) * 5 + (std::uint64_t{1} << 20);
inline constexpr std::uint64_t maxTextBytes = 4096;
// Set to anything in the environment, the worker sends the decoder's log and the parent
// prints it on stderr.
inline constexpr const char* logVariable = "FRAMEPICKER_WORKER_LOG";

struct Message {
    Type type;
    std::vector<std::uint8_t> payload;
};

// A stream that broke off inside a message, could not be read, or broke the rules.
struct Malformed : std::exception {
    const char* what() const noexcept override { return "malformed message"; }
};
// Thrown in a worker whose job needs a library the server has not loaded (libavfilter, for
// HDR video): the worker cannot open it, so the parent asks again, for a child of a server
// that has loaded it first. Only the first HDR video of a server's life pays for that.
struct LibraryNeeded : std::exception {
    const char* what() const noexcept override { return "a library is needed"; }
};

// Nothing arrived within the time the reader allows.
struct Silent : std::exception {
    const char* what() const noexcept override { return "no message in time"; }
};

// Writes one whole message (blocking), or throws std::system_error; never raises SIGPIPE.
// A payload over maxImageBytes is std::length_error.
void send(int fd, Type type, std::span<const std::uint8_t> payload = {});
// The same message as bytes, for a writer that cannot block.
std::vector<std::uint8_t> encode(Type type, std::span<const std::uint8_t> payload = {});

// Payloads with a structure; texts are cut to maxTextBytes.
std::vector<std::uint8_t> mediaFailurePayload(Failure::Kind kind, std::string_view reason);
std::vector<std::uint8_t> progressPayload(const Progress& progress);
// The progress as sent: the share done is rounded to millionths, and more than a whole is
// Malformed. Whether it rises is for the reader to check.
Progress progressOf(const Message& progress);
std::vector<std::uint8_t> exitPayload(int waitStatus);
int waitStatusOf(const Message& exit);

// The next message, or nothing at the end of the stream between two messages; Malformed
// otherwise. Silent if the whole message has not come by `deadline`.
std::optional<Message> receive(int fd, std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max());

// The worker's side: sends the message that stands for the exception (Failure, cannotSavePNG
// as pngFailure; std::bad_alloc; anything else is an undecodable video). False if it could
// not be sent.
bool reportFailure(int fd, std::exception_ptr failure) noexcept;
// The parent's side: throws what a failure message stands for, naming the parent's own file
// name and image (a worker does not get to choose the names a user reads, nor to claim what
// only the parent can know: that the video changed, or that the worker stopped).
[[noreturn]] void rethrow(const Message& failure, const std::string& fileName, const char* imageName);

// A line of text as it may be shown: control characters made "?".
std::string printableText(std::span<const std::uint8_t> bytes);

} // namespace FrameExtractor::WorkerProtocol
