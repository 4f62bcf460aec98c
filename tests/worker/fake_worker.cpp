// A worker for the tests: the real fork server with a job that does what the video says.
#include "worker/ForkServer.h"
#include "extraction/WorkerProtocol.h"

#include <csignal>
#include <new>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using namespace FrameExtractor;

int main()
{
    return ForkServer::serve(3, [](int video, const std::string& fileName, int results) {
        std::string content;
        char buffer[65536];
        for (ssize_t n; (n = ::pread(video, buffer, sizeof buffer, static_cast<off_t>(content.size()))) > 0;)
            content.append(buffer, static_cast<std::size_t>(n));
        if (content == "crash") {
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::signal(SIGSEGV, SIG_DFL); // as the kernel delivers it, whatever a sanitizer installed
            ::raise(SIGSEGV);
        }
        if (content == "fail")
            throw MediaError(MediaError::Kind::noVideo, fileName, "no streams");
        if (content == "nomem")
            throw std::bad_alloc();
        if (content == "quiet")
            return;
        if (content == "hang")
            ::pause();
        const std::span bytes(reinterpret_cast<const std::uint8_t*>(content.data()), content.size());
        WorkerProtocol::send(results, WorkerProtocol::Type::firstImage, bytes);
        WorkerProtocol::send(results, WorkerProtocol::Type::lastImage, bytes);
    });
}
