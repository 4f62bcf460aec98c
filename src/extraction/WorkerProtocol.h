#pragma once

#include "Errors.h"

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
    mediaFailure,   // u32 MediaError::Kind, then the reason
    pngFailure,     // the image's file name
    outOfMemory,    // nothing
    exit,           // i32 wait status of the worker, written by the fork server, always last
};

inline constexpr std::uint64_t maxImageBytes = std::uint64_t{1} << 30;
inline constexpr std::uint64_t maxTextBytes = 4096;

struct Message {
    Type type;
    std::vector<std::uint8_t> payload;
};

// A stream that broke off inside a message, could not be read, or broke the rules.
struct Malformed : std::exception {
    const char* what() const noexcept override { return "malformed message"; }
};

// Writes one whole message (blocking), or throws std::system_error; never raises SIGPIPE.
// An image over maxImageBytes is std::length_error.
void send(int fd, Type type, std::span<const std::uint8_t> payload = {});
// The same message as bytes, for a writer that cannot block.
std::vector<std::uint8_t> encode(Type type, std::span<const std::uint8_t> payload = {});

// Payloads with a structure; texts are cut to maxTextBytes.
std::vector<std::uint8_t> mediaFailurePayload(MediaError::Kind kind, std::string_view reason);
std::vector<std::uint8_t> exitPayload(int waitStatus);
int waitStatusOf(const Message& exit);

// The next message, or nothing at the end of the stream between two messages; Malformed
// otherwise.
std::optional<Message> receive(int fd);

// The worker's side: sends the message that stands for the exception (MediaError,
// ExtractionError, std::bad_alloc; anything else is an undecodable video). False if it could
// not be sent.
bool reportFailure(int fd, std::exception_ptr failure) noexcept;
// The parent's side: throws what a failure message stands for, naming the parent's own file
// name (a worker does not get to choose the name a user reads).
[[noreturn]] void rethrow(const Message& failure, const std::string& fileName);

} // namespace FrameExtractor::WorkerProtocol
