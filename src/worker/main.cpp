// framepicker-worker: the fork server framepicker and framepicker-cli start, with its control
// socket as descriptor 3.
#include "ForkServer.h"

#include "extraction/FrameExtractor.h"

#include <cstdio>

int main()
{
    const int result = ForkServer::serve(3, [](int, const std::string& fileName, int) {
        throw FrameExtractor::MediaError(FrameExtractor::MediaError::Kind::undecodable, fileName,
                                         "this worker does not decode yet");
    });
    if (result != 0)
        std::fputs("framepicker-worker: started by framepicker and framepicker-cli, not by hand\n", stderr);
    return result;
}
