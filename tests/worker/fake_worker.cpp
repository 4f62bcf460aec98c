// A worker for the tests: the real fork server with a job that does what the video says,
// from an honest decoder's results to what a decoder taken over by a crafted video may send.
#include "FakeImages.h"
#include "worker/ForkServer.h"
#include "extraction/WorkerProtocol.h"

#include <chrono>
#include <csignal>
#include <map>
#include <cstring>
#include <new>
#include <string>
#include <thread>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

using namespace FrameExtractor;
using Type = WorkerProtocol::Type;

namespace {

// Big-endian, as PNG stores its numbers.
void put(std::vector<std::uint8_t>& png, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        png[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// A valid PNG whose header claims another size, with a CRC that matches the claim.
std::vector<std::uint8_t> claimingSize(std::vector<std::uint8_t> png, std::uint32_t width, std::uint32_t height)
{
    put(png, 16, width);
    put(png, 20, height);
    put(png, 29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));
    return png;
}

bool librariesLoaded = false;

} // namespace

int main()
{
    return ForkServer::serve(3, [](int video, const std::string&, int results) {
        std::string content;
        char buffer[65536];
        for (ssize_t n; (n = ::pread(video, buffer, sizeof buffer, static_cast<off_t>(content.size()))) > 0;)
            content.append(buffer, static_cast<std::size_t>(n));
        const auto send = [results](Type type, std::span<const std::uint8_t> payload = {}) {
            WorkerProtocol::send(results, type, payload);
        };
        const std::vector<std::uint8_t> png = pngOf(content);
        if (content == "crash") {
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::signal(SIGSEGV, SIG_DFL); // as the kernel delivers it, whatever a sanitizer installed
            ::raise(SIGSEGV);
        }
        if (content == "fail")
            throw Failure(Failure::Kind::noVideo, "any.mp4", "no streams");
        if (content == "nomem")
            throw std::bad_alloc();
        if (content == "quiet")
            return;
        if (content == "hang" || content == "silent")
            ::pause();
        if (content == "closeAndHang") {
            ::close(results);
            ::pause();
        }
        const std::string script = "#!/bin/sh\nid > somefile\n";
        std::vector<std::uint8_t> badChecksum = png;
        badChecksum[badChecksum.size() - 20] ^= 1;
        std::vector<std::uint8_t> hugeLength = WorkerProtocol::encode(Type::firstImage);
        const std::uint64_t terabyte = std::uint64_t{1} << 40;
        std::memcpy(hugeLength.data() + sizeof(std::uint32_t), &terabyte, sizeof terabyte);
        std::vector<std::uint8_t> truncated = WorkerProtocol::encode(Type::firstImage, png);
        truncated.resize(truncated.size() / 2);
        using WorkerProtocol::encode;
        std::vector<std::uint8_t> goingBack = encode(Type::progress, WorkerProtocol::progressPayload({10, 0.5}));
        const std::vector<std::uint8_t> less = encode(Type::progress, WorkerProtocol::progressPayload({20, 0.4}));
        goingBack.insert(goingBack.end(), less.begin(), less.end());
        std::vector<std::uint8_t> pastWhole = encode(Type::progress, WorkerProtocol::progressPayload({10, 1}));
        pastWhole.back() = 0x7f; // the share's top byte: far more than a million millionths
        // What a worker taken over may send, byte for byte.
        const std::map<std::string, std::vector<std::uint8_t>> forged = {
            {"notPng", encode(Type::firstImage, {reinterpret_cast<const std::uint8_t*>(script.data()), script.size()})},
            {"empty", encode(Type::firstImage)},
            {"oversized", encode(Type::firstImage, claimingSize(png, 30000, 30000))},
            {"wrongSize", encode(Type::firstImage, claimingSize(png, 64, 3))}, // the rows of one line
            {"badChecksum", encode(Type::firstImage, badChecksum)},
            {"hugeLength", hugeLength},
            {"truncated", truncated},
            {"lastFirst", encode(Type::lastImage, png)},
            {"parentKind", encode(Type::mediaFailure, WorkerProtocol::mediaFailurePayload(Failure::Kind::changed, "forged"))},
            {"unknownKind", encode(Type::mediaFailure, WorkerProtocol::mediaFailurePayload(static_cast<Failure::Kind>(kindCount()), "forged"))},
            {"forgedExit", encode(Type::exit, WorkerProtocol::exitPayload(0))},
            {"pngFailure", encode(Type::pngFailure)},
            {"progressGoingBack", goingBack},
            {"progressPastWhole", pastWhole},
        };
        if (const auto bytes = forged.find(content); bytes != forged.end()) {
            for (std::size_t done = 0; done < bytes->second.size();)
                done += static_cast<std::size_t>(::write(results, bytes->second.data() + done, bytes->second.size() - done));
        } else if (content == "trickle") { // a byte of an image now and then, never all of it
            const std::vector<std::uint8_t> header = WorkerProtocol::encode(Type::firstImage, png);
            for (std::size_t sent = 0; sent < header.size() && ::write(results, &header[sent], 1) == 1; ++sent)
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
        } else if (content == "endless") {
            for (std::uint64_t read = 1;; ++read)
                send(Type::progress, WorkerProtocol::progressPayload({read, 0}));
        } else if (content == "needsLibrary") {
            // Asks once: the second child is of a server that has loaded what it needs.
            if (!librariesLoaded)
                throw WorkerProtocol::LibraryNeeded();
            send(Type::firstImage, png);
            send(Type::lastImage, png);
        } else {
            // A job of three seconds, reporting as a decoder does, for the window's progress.
            if (content == "steady")
                for (std::uint64_t step = 1; step <= 30; ++step) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    send(Type::progress, WorkerProtocol::progressPayload({step << 20, static_cast<double>(step) / 30}));
                }
            // Slow but alive: progress now and then for longer than the tests' patience.
            if (content == "slow")
                for (std::uint64_t read = 1; read <= 12; ++read) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    send(Type::progress, WorkerProtocol::progressPayload({read, 0}));
                }
            send(Type::firstImage, png);
            send(Type::lastImage, png);
        }
    }, [] { librariesLoaded = true; });
}
