// framepicker-worker: the fork server framepicker and framepicker-cli start, with its control
// socket as descriptor 3. Each video is decoded in a child of its own, confined before it
// reads a byte of the video; the parent gets back the two PNGs and writes them itself.
#include "Confinement.h"
#include "ForkServer.h"

#include "extraction/FrameDecoding.h"
#include "extraction/WorkerProtocol.h"

extern "C" {
#include <libavutil/log.h>
}

#include <chrono>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>

namespace {

using namespace FrameExtractor;

// Messages go out whole, whichever thread sends them (the decoder's threads log too).
int resultSocket = -1;
std::mutex sending;

void sendResult(WorkerProtocol::Type type, std::span<const std::uint8_t> payload = {})
{
    const std::lock_guard lock(sending);
    WorkerProtocol::send(resultSocket, type, payload);
}

// With WorkerProtocol::logVariable set, the decoder's warnings and errors go to the parent, which
// prints them; the worker itself has no terminal to print on.
void sendLogLine(void* object, int level, const char* format, va_list arguments)
{
    if (level > av_log_get_level())
        return;
    static thread_local int printPrefix = 1;
    char line[1024];
    av_log_format_line2(object, level, format, arguments, line, sizeof line, &printPrefix);
    std::size_t length = std::strlen(line);
    while (length > 0 && line[length - 1] == '\n')
        --length;
    try {
        sendResult(WorkerProtocol::Type::log, {reinterpret_cast<const std::uint8_t*>(line), length});
    } catch (...) {
        // The parent is gone; the job ends on its own.
    }
}

void decodeConfined(int videoFd, const std::string& probeName, int resultFd)
{
    resultSocket = resultFd;
    try {
        Confinement::confine(resultFd);
    } catch (const std::system_error& error) {
        throw Failure(Failure::Kind::notConfined, probeName, error.what());
    }
    if (std::getenv(WorkerProtocol::logVariable)) {
        av_log_set_level(AV_LOG_WARNING);
        av_log_set_callback(sendLogLine);
    }
    // A few reports a second tell the parent the job is alive, without flooding it.
    using Clock = std::chrono::steady_clock;
    auto reported = Clock::now();
    const auto onProgress = [&](const Progress& progress) {
        if (Clock::now() - reported < std::chrono::milliseconds(200))
            return;
        reported = Clock::now();
        sendResult(WorkerProtocol::Type::progress, WorkerProtocol::progressPayload(progress));
    };
    decodeFrames(videoFd, probeName, [](Picture picture, std::vector<std::uint8_t> png) {
        sendResult(picture == Picture::first ? WorkerProtocol::Type::firstImage : WorkerProtocol::Type::lastImage, png);
    }, {.onProgress = onProgress});
}

} // namespace

int main(int argc, char** argv)
{
    // What a job's child runs under, as framepicker-cli --version reports it.
    if (argc == 2 && std::strcmp(argv[1], "--confinement") == 0) {
        try {
            const Confinement::InForce inForce = Confinement::confine(STDOUT_FILENO);
            std::printf("worker confinement: %s\n", Confinement::describe(inForce).c_str());
        } catch (const std::system_error& error) {
            std::printf("worker confinement: refused (%s), so no video is decoded\n", error.what());
        }
        // Ended as a job's child ends: a leak checker run at exit would need what the
        // confinement has just taken away.
        std::fflush(stdout);
        std::_Exit(0);
    }
    // Ctrl+C reaches the whole process group: the parent decides what stops (it kills the
    // server when it stops), so that a job is not reported as broken by the key press.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
    FrameExtractor::prepareDecoders();
    const int result = ForkServer::serve(3, decodeConfined, [] { FrameExtractor::loadLibraries(); });
    if (result != 0)
        std::fputs("framepicker-worker: started by framepicker and framepicker-cli, not by hand\n", stderr);
    return result;
}
