#include "WorkerProtocol.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <new>
#include <poll.h>
#include <stdexcept>
#include <system_error>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace FrameExtractor::WorkerProtocol {

namespace {

constexpr std::size_t headerBytes = sizeof(std::uint32_t) + sizeof(std::uint64_t);
constexpr std::size_t progressBytes = sizeof(std::uint64_t) + sizeof(std::uint32_t);
constexpr std::uint32_t millionths = 1'000'000;

struct Bounds {
    std::uint64_t least;
    std::uint64_t most;
};

std::optional<Bounds> boundsOf(std::uint32_t type)
{
    switch (static_cast<Type>(type)) {
    case Type::firstImage:
    case Type::lastImage: return Bounds{0, maxImageBytes};
    case Type::mediaFailure: return Bounds{sizeof(std::uint32_t), sizeof(std::uint32_t) + maxTextBytes};
    case Type::pngFailure: return Bounds{0, maxTextBytes};
    case Type::outOfMemory:
    case Type::libraryNeeded: return Bounds{0, 0};
    case Type::progress: return Bounds{progressBytes, progressBytes};
    case Type::exit: return Bounds{sizeof(std::int32_t), sizeof(std::int32_t)};
    case Type::log: return Bounds{0, maxTextBytes};
    }
    return std::nullopt;
}

// What a decoder can meet (FailureKinds.h's reporter); the rest (a file removed or changed, a
// worker that stopped) only the parent can know, and a worker naming one is malformed.
std::optional<Failure::Kind> kindOf(const std::vector<std::uint8_t>& payload)
{
    std::uint32_t number = 0;
    if (payload.size() < sizeof number)
        return std::nullopt;
    std::memcpy(&number, payload.data(), sizeof number);
    const auto kind = static_cast<Failure::Kind>(number);
    if (number >= kindCount() || !workerMayReport(kind))
        return std::nullopt;
    return kind;
}

std::array<std::uint8_t, headerBytes> header(Type type, std::uint64_t length)
{
    std::array<std::uint8_t, headerBytes> bytes;
    const auto code = static_cast<std::uint32_t>(type);
    std::memcpy(bytes.data(), &code, sizeof code);
    std::memcpy(bytes.data() + sizeof code, &length, sizeof length);
    return bytes;
}

std::span<const std::uint8_t> textBytes(std::string_view text)
{
    text = text.substr(0, maxTextBytes);
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A payload of one number, and the number of a message of `type` that carries one.
template <typename Number>
std::vector<std::uint8_t> numberPayload(Number number)
{
    std::vector<std::uint8_t> bytes(sizeof number);
    std::memcpy(bytes.data(), &number, sizeof number);
    return bytes;
}

template <typename Number>
Number numberOf(const Message& message, Type type)
{
    Number number = 0;
    if (message.type != type || message.payload.size() != sizeof number)
        throw Malformed();
    std::memcpy(&number, message.payload.data(), sizeof number);
    return number;
}

// Reads until size bytes or the end of the stream; returns how many came.
std::size_t readUpTo(int fd, std::uint8_t* data, std::size_t size, std::chrono::steady_clock::time_point deadline)
{
    std::size_t done = 0;
    while (done < size) {
        pollfd readable{fd, POLLIN, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int ready = ::poll(&readable, 1, static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 1 << 30)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            throw Silent();
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw Malformed();
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace

void send(int fd, Type type, std::span<const std::uint8_t> payload)
{
    if (payload.size() > maxImageBytes)
        throw std::length_error("image larger than the largest picture");
    auto head = header(type, payload.size());
    iovec parts[2] = {{head.data(), head.size()},
                      {const_cast<std::uint8_t*>(payload.data()), payload.size()}};
    std::size_t next = 0;
    while (next < 2) {
        msghdr message{};
        message.msg_iov = parts + next;
        message.msg_iovlen = 2 - next;
        // MSG_NOSIGNAL: a parent that went away is an EPIPE to report, not a signal to die of.
        const ssize_t n = ::sendmsg(fd, &message, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "worker result");
        }
        // A stream socket may take less than all of it; go on from where it stopped.
        auto left = static_cast<std::size_t>(n);
        while (next < 2 && left >= parts[next].iov_len)
            left -= parts[next++].iov_len;
        if (next < 2) {
            parts[next].iov_base = static_cast<std::uint8_t*>(parts[next].iov_base) + left;
            parts[next].iov_len -= left;
        }
    }
}

std::vector<std::uint8_t> encode(Type type, std::span<const std::uint8_t> payload)
{
    const auto head = header(type, payload.size());
    std::vector<std::uint8_t> bytes(head.size() + payload.size());
    std::copy(head.begin(), head.end(), bytes.begin());
    std::copy(payload.begin(), payload.end(), bytes.begin() + static_cast<std::ptrdiff_t>(head.size()));
    return bytes;
}

std::vector<std::uint8_t> mediaFailurePayload(Failure::Kind kind, std::string_view reason)
{
    const auto code = static_cast<std::uint32_t>(kind);
    const auto text = textBytes(reason);
    std::vector<std::uint8_t> bytes(sizeof code + text.size());
    std::memcpy(bytes.data(), &code, sizeof code);
    std::copy(text.begin(), text.end(), bytes.begin() + sizeof code);
    return bytes;
}

std::vector<std::uint8_t> progressPayload(const Progress& progress)
{
    const auto done = static_cast<std::uint32_t>(std::clamp(progress.done, 0.0, 1.0) * millionths + 0.5);
    std::vector<std::uint8_t> bytes(progressBytes);
    std::memcpy(bytes.data(), &progress.bytesRead, sizeof progress.bytesRead);
    std::memcpy(bytes.data() + sizeof progress.bytesRead, &done, sizeof done);
    return bytes;
}

Progress progressOf(const Message& progress)
{
    std::uint64_t read = 0;
    std::uint32_t done = 0;
    if (progress.type != Type::progress || progress.payload.size() != progressBytes)
        throw Malformed();
    std::memcpy(&read, progress.payload.data(), sizeof read);
    std::memcpy(&done, progress.payload.data() + sizeof read, sizeof done);
    if (done > millionths)
        throw Malformed();
    return {read, static_cast<double>(done) / millionths};
}

std::vector<std::uint8_t> exitPayload(int waitStatus)
{
    return numberPayload(static_cast<std::int32_t>(waitStatus));
}

int waitStatusOf(const Message& exit)
{
    return numberOf<std::int32_t>(exit, Type::exit);
}

std::optional<Message> receive(int fd, std::chrono::steady_clock::time_point deadline)
{
    std::array<std::uint8_t, headerBytes> head;
    const std::size_t got = readUpTo(fd, head.data(), head.size(), deadline);
    if (got == 0)
        return std::nullopt;
    if (got < head.size())
        throw Malformed();
    std::uint32_t type = 0;
    std::uint64_t length = 0;
    std::memcpy(&type, head.data(), sizeof type);
    std::memcpy(&length, head.data() + sizeof type, sizeof length);
    const std::optional<Bounds> bounds = boundsOf(type);
    if (!bounds || length < bounds->least || length > bounds->most)
        throw Malformed();

    // Reserving only takes address space; the memory is touched a step at a time as bytes
    // arrive, so a header alone cannot make the parent take a gigabyte.
    Message message{static_cast<Type>(type), {}};
    message.payload.reserve(length);
    std::size_t done = 0;
    while (done < length) {
        const std::size_t step = std::min<std::uint64_t>(length - done, 1 << 20);
        message.payload.resize(done + step);
        if (readUpTo(fd, message.payload.data() + done, step, deadline) < step)
            throw Malformed();
        done += step;
    }
    if (message.type == Type::mediaFailure && !kindOf(message.payload))
        throw Malformed();
    return message;
}

bool reportFailure(int fd, std::exception_ptr failure) noexcept
{
    if (!failure)
        return false;
    try {
        try {
            std::rethrow_exception(failure);
        } catch (const Failure& error) {
            if (error.kind() == Failure::Kind::cannotSavePNG)
                send(fd, Type::pngFailure, textBytes(error.reason()));
            else
                send(fd, Type::mediaFailure, mediaFailurePayload(error.kind(), error.reason()));
        } catch (const std::bad_alloc&) {
            send(fd, Type::outOfMemory); // allocates nothing: memory is what is missing
        } catch (const LibraryNeeded&) {
            send(fd, Type::libraryNeeded);
        } catch (const std::exception& error) {
            send(fd, Type::mediaFailure, mediaFailurePayload(Failure::Kind::undecodable, error.what()));
        } catch (...) {
            send(fd, Type::mediaFailure, mediaFailurePayload(Failure::Kind::undecodable, {}));
        }
        return true;
    } catch (...) {
        return false;
    }
}

std::string printableText(std::span<const std::uint8_t> bytes)
{
    // No control characters: the text ends up in a window, a terminal or JSON. Other bytes
    // stay (a size is given as "12000 × 12000"); every reader copes with text that is not UTF-8.
    std::string text(bytes.begin(), bytes.end());
    std::replace_if(text.begin(), text.end(), [](char c) { return (c >= 0 && c < 0x20) || c == 0x7f; }, '?');
    return text;
}

void rethrow(const Message& failure, const std::string& fileName, const char* imageName)
{
    switch (failure.type) {
    case Type::mediaFailure: {
        const std::optional<Failure::Kind> kind = kindOf(failure.payload);
        if (!kind)
            throw Malformed();
        throw Failure(*kind, fileName, printableText(std::span(failure.payload).subspan(sizeof(std::uint32_t))));
    }
    case Type::pngFailure: throw Failure(Failure::Kind::cannotSavePNG, imageName, printableText(failure.payload));
    case Type::outOfMemory: throw Failure(Failure::Kind::outOfMemory, fileName);
    default: throw Malformed();
    }
}

} // namespace FrameExtractor::WorkerProtocol
