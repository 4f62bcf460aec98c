// The fork server and its client, through a fake worker whose job does what the video says.
#include "FakeImages.h"
#include "Processes.h"
#include "extraction/Worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace FrameExtractor;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

UniqueFd videoOf(const std::string& content)
{
    UniqueFd fd(::memfd_create("video", MFD_CLOEXEC));
    for (std::size_t done = 0; done < content.size();)
        done += static_cast<std::size_t>(::write(fd.get(), content.data() + done, content.size() - done));
    return fd;
}

// The images that came back ("first last " when both are the video's own bytes), then what
// was thrown, as the user reads it.
std::string outcome(WorkerClient& server, const std::string& video)
{
    const UniqueFd fd = videoOf(video);
    std::string seen;
    try {
        server.run(fd.get(), "clip.mp4", [&](Picture picture, std::vector<std::uint8_t> png) {
            seen += picture == Picture::first ? "first" : "last";
            seen += png == pngOf(video) ? " " : "(not its own) ";
        });
    } catch (const std::exception& error) {
        seen += error.what();
    }
    return seen;
}

} // namespace

// Each way a job can end, an honest worker's and a worker's that a crafted video took over:
// only a valid PNG of the largest picture's size at most is handed on, and the user reads
// the parent's words, never the worker's.
TEST(WorkerClient, eachWayAJobCanEnd)
{
    const std::string stopped = "workerStopped: clip.mp4", malformed = stopped + " (malformed message)";
    const struct {
        const char* name;
        std::string video; // "hang": stopped while the job hangs
        std::string expected;
    } rows[] = {
        {"both images", "frames", "first last "},
        {"large images", std::string(8 << 20, 'x'), "first last "},
        {"slow, with progress", "slow", "first last "},
        {"asks for a library first", "needsLibrary", "first last "},
        {"crash", "crash", stopped + " (Segmentation fault)"},
        {"no images", "quiet", stopped + " (exit status 0)"},
        {"media failure", "fail", "noVideo: clip.mp4 (no streams)"},
        {"out of memory", "nomem", "outOfMemory: clip.mp4"},
        {"PNG failure, named by the parent", "pngFailure", "cannotSavePNG: first.png"},
        {"stopped while hanging", "hang", "The job was cancelled"},
        {"silent", "silent", "notResponding: clip.mp4"},
        {"closed its end, then silent", "closeAndHang", "notResponding: clip.mp4"},
        {"an image a byte at a time", "trickle", "notResponding: clip.mp4"},
        {"a script for an image", "notPng", stopped + " (sent not a PNG file)"},
        {"an empty image", "empty", stopped + " (sent not a PNG file)"},
        {"an oversized header", "oversized", stopped + " (sent a PNG picture of 30000 \u00D7 30000 pixels)"},
        {"rows of another size", "wrongSize", stopped + " (sent PNG data that is not the picture's rows)"},
        {"a wrong checksum", "badChecksum", stopped + " (sent a PNG chunk with a wrong checksum)"},
        {"a huge declared length", "hugeLength", malformed},
        {"cut off", "truncated", malformed},
        {"out of order", "lastFirst", malformed},
        {"a kind only the parent may use", "parentKind", malformed},
        {"a kind past the last", "unknownKind", malformed},
        {"a forged exit status", "forgedExit", malformed},
        {"an endless stream of progress", "endless", malformed},
        {"progress going back", "progressGoingBack", malformed},
        {"progress past the whole", "progressPastWhole", malformed},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // Short patience for the silent rows; the large images take their time under the sanitizers.
        WorkerClient server(FAKE_WORKER_PATH, row.video.size() > 100 ? 30s : 1s);
        std::vector<pid_t> jobs;
        std::string clean; // how the hanging job's child was started
        std::jthread stopper;
        if (row.video == "hang")
            stopper = std::jthread([&] {
                // The job hangs once the server (this process's one child) has a child for it.
                for (int i = 0; i < 2000 && jobs.empty(); ++i) {
                    std::this_thread::sleep_for(5ms);
                    if (const std::vector<pid_t> servers = childrenOf(::getpid()); !servers.empty())
                        jobs = childrenOf(servers.front());
                }
                // What a taken-over decoder would find: no terminal, no caller's descriptors,
                // no environment but the loader's and malloc's, a session of its own.
                const std::string job = jobs.empty() ? "0" : std::to_string(jobs[0]);
                std::string state, parent, group, session, terminal;
                for (int i = 0; i < 200 && session != job; ++i) { // once it has left the server's session
                    std::this_thread::sleep_for(5ms);
                    std::ifstream stat("/proc/" + job + "/stat");
                    std::string fields;
                    std::getline(stat, fields);
                    std::istringstream(fields.substr(fields.rfind(')') + 2)) >> state >> parent >> group >> session >> terminal;
                }
                clean.append("session ").append(session == job ? "1" : "0").append(" terminal ").append(terminal);
                std::ifstream environment("/proc/" + job + "/environ");
                for (std::string variable; std::getline(environment, variable, '\0');)
                    if (variable.starts_with("PATH=") || variable.starts_with("HOME="))
                        clean.append(" ").append(variable.substr(0, 5));
                std::error_code unreadable;
                for (const char* fd : {"0", "1", "2"})
                    clean.append(" ").append(fs::read_symlink("/proc/" + job + "/fd/" + fd, unreadable).string());
                server.stop();
            });
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(outcome(server, row.video), row.expected);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
        if (row.video != "hang")
            continue;
        stopper.join();
        EXPECT_EQ(outcome(server, "frames"), "The job was cancelled");
        // The hung job itself is gone too, not just the server.
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(clean, "session 1 terminal 0 /dev/null /dev/null /dev/null");
        for (int i = 0; i < 200 && !ended(jobs[0]); ++i)
            std::this_thread::sleep_for(10ms);
        EXPECT_TRUE(ended(jobs[0]));
    }
}

TEST(WorkerClient, manyThreadsAtOnceEachGetTheirOwnImages)
{
    WorkerClient server(FAKE_WORKER_PATH);
    std::atomic<int> right = 0;
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 8; ++t)
            threads.emplace_back([&, t] {
                for (int r = 0; r < 10; ++r)
                    right += outcome(server, "video " + std::to_string(t) + "." + std::to_string(r)) == "first last ";
            });
    }
    EXPECT_EQ(right, 80);
}

TEST(WorkerClient, aKilledServerIsReplacedAndNothingIsLeftBehind)
{
    const auto openDescriptors = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()); };
    const std::ptrdiff_t descriptors = openDescriptors();
    {
        WorkerClient server(FAKE_WORKER_PATH);
        EXPECT_EQ(outcome(server, "one"), "first last ");
        const std::vector<pid_t> servers = childrenOf(::getpid());
        ASSERT_EQ(servers.size(), 1u);
        ::kill(servers[0], SIGKILL);
        // Dead but not reaped, as a server that died on its own is found.
        siginfo_t info{};
        ::waitid(P_PID, static_cast<id_t>(servers[0]), &info, WEXITED | WNOWAIT);
        EXPECT_EQ(outcome(server, "two"), "first last ");
    }
    EXPECT_EQ(openDescriptors(), descriptors);
    EXPECT_EQ(childrenOf(::getpid()), std::vector<pid_t>());
}
