// framepicker-worker: the fork server framepicker and framepicker-cli start, with its control
// socket as descriptor 3. Each video is decoded in a child of its own, confined before it
// reads a byte of the video; the parent gets back the two PNGs and writes them itself.
#include "Confinement.h"
#include "ForkServer.h"

#include "extraction/FrameDecoder.h"
#include "extraction/WorkerProtocol.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void decodeConfined(int videoFd, const std::string& fileName, int resultFd)
{
    Confinement::confine();
    FrameExtractor::decodeFrames(videoFd, fileName, [resultFd](FrameExtractor::Picture picture, std::vector<std::uint8_t> png) {
        using FrameExtractor::WorkerProtocol::Type;
        FrameExtractor::WorkerProtocol::send(resultFd, picture == FrameExtractor::Picture::first ? Type::firstImage : Type::lastImage,
                                             png);
    });
}

} // namespace

int main(int argc, char** argv)
{
    // What a job's child runs under, as framepicker-cli --version reports it.
    if (argc == 2 && std::strcmp(argv[1], "--confinement") == 0) {
        const Confinement::InForce inForce = Confinement::confine();
        std::printf("worker confinement: %s\n", Confinement::describe(inForce).c_str());
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
    const int result = ForkServer::serve(3, decodeConfined);
    if (result != 0)
        std::fputs("framepicker-worker: started by framepicker and framepicker-cli, not by hand\n", stderr);
    return result;
}
