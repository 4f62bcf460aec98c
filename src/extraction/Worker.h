#pragma once

#include "FrameDecoding.h"
#include "UniqueFd.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

// The parent's side of the decoding worker: one fork server per process, started at the first
// job, and one child of it per video.
namespace FrameExtractor {

// <directory of this program>/../libexec/framepicker/framepicker-worker: where /usr/bin's
// programs find /usr/libexec/framepicker, and the build tree's programs their own.
std::filesystem::path workerProgram();

// The line the worker program prints about the confinement its jobs run under, as it finds
// it on this system ("worker confinement: Landlock ABI 7, seccomp, memory limit 1 GiB"),
// or why it could not be asked.
std::string describeConfinement(const std::filesystem::path& program);

// The client of that fork server: starts it, hands it each job, and checks all it sends.
class WorkerClient {
public:
    // A job whose worker sends nothing, not even progress, for `patience` is stopped.
    explicit WorkerClient(std::filesystem::path program, std::chrono::milliseconds patience = std::chrono::seconds(30));
    ~WorkerClient();
    WorkerClient(const WorkerClient&) = delete;
    WorkerClient& operator=(const WorkerClient&) = delete;

    // Decodes the video in a child of the server, which reads only through videoFd (a regular
    // file opened O_RDONLY; the child shares its file description and reads with pread).
    // Hands each PNG to onImage as it arrives, first before last, on the calling thread, once
    // it has checked that it is a PNG the worker may send (PngCheck.h). Throws the worker's
    // Failure (naming fileName, or for cannotSavePNG the image); workerStopped if the child
    // ended without a result (reason: how it ended) or broke the protocol, notResponding if it
    // sent nothing for the patience given; Cancelled once stop() was called or the control's
    // stop asked for, the child then killed at once. The control hears the child's progress,
    // checked to rise within what the video can take. The child never learns the name. Safe
    // to call from many threads at once.
    void run(int videoFd, const std::string& fileName, const EncodedHandler& onImage, const JobControl& control = {});

    // run() as a Decoder; the server must outlive it.
    Decoder decoder();

    // Kills the server and every child at once; runs in progress and later throw Cancelled.
    void stop();

private:
    struct Channels {
        UniqueFd results; // the child's messages
        UniqueFd status;  // the server's word on how the child ended
    };
    Channels request(int videoFd, const std::string& fileName);
    bool runOnce(int videoFd, const std::string& fileName, const EncodedHandler& onImage, const JobControl& control);
    void startServer(const std::string& fileName);
    void endServer();
    bool stopped();

    const std::filesystem::path m_program;
    const std::chrono::milliseconds m_patience;
    const bool m_showLog;
    std::mutex m_mutex;
    pid_t m_pid = -1;
    UniqueFd m_control;
    bool m_stopped = false;
    bool m_loadLibraries = false; // a child has asked for them: every request asks the server
    std::vector<int> m_reading; // sockets of runs in progress, for stop() to shut down
};

} // namespace FrameExtractor
