// A confined child tries what a decoder taken over by a crafted video would try.
#include "extraction/FrameDecoding.h"
#include "worker/Confinement.h"

extern "C" {
#include <libavutil/cpu.h>
}

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// 0 when the call worked, else its errno.
int outcome(bool worked) { return worked ? 0 : errno; }

int openFile(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
    return outcome(fd >= 0);
}

// What a decoder taken over by a crafted video would try, on this kernel as it is, as Debian
// 12's kernel has it (Landlock ABI 2) and with no Landlock at all: the system call filter
// alone keeps every row shut.
TEST(Confinement, aConfinedChildReachesNothingButItsResultSocket)
{
    const std::string created = "/tmp/framepicker-confined-" + std::to_string(::getpid());
    // A terminal whose descriptor leaked into the child.
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal) | ::unlockpt(terminal), 0);
    const int leaked = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY);
    ASSERT_GE(leaked, 0);
    const std::string parentMemory = "/proc/" + std::to_string(::getpid()) + "/mem";
    const pid_t neighbour = ::fork();
    if (neighbour == 0) {
        ::pause();
        ::_exit(0);
    }
    const struct {
        const char* name;
        std::function<int()> attempt;
        int expected; // errno, 0: works
    } rows[] = {
        {"readsPasswd", [] { return openFile("/etc/passwd", O_RDONLY); }, EACCES},
        {"looksAtPasswd", [] { struct stat status {}; return outcome(::stat("/etc/passwd", &status) == 0); }, EPERM},
        {"createsAFileInTmp", [&] { return openFile(created, O_WRONLY | O_CREAT | O_EXCL); }, EACCES},
        // A link made where the user looks, to a file a later program would write through it.
        {"makesASymbolicLink", [&] { return outcome(::symlink("/etc/passwd", (created + "-link").c_str()) == 0); }, EPERM},
        {"makesASymbolicLinkAt", [&] { return outcome(::symlinkat("/etc/passwd", AT_FDCWD, (created + "-at").c_str()) == 0); }, EPERM},
        {"writesItsParentsMemory", [&] { return openFile(parentMemory, O_RDWR); }, EACCES},
        {"loadsALibrary", [] { return ::dlopen(AVFILTER_LIBRARY, RTLD_NOW | RTLD_LOCAL) ? 0 : EACCES; }, EACCES},
        {"opensAUnixSocket", [] { return outcome(::socket(AF_UNIX, SOCK_STREAM, 0) >= 0); }, EPERM},
        {"opensAnInternetSocket", [] { return outcome(::socket(AF_INET, SOCK_STREAM, 0) >= 0); }, EPERM},
        {"forksAProcess", [] { const pid_t pid = ::fork(); if (pid == 0) ::_exit(0); return outcome(pid > 0); }, EPERM},
        {"signalsAnotherProcess", [&] { return outcome(::kill(neighbour, SIGKILL) == 0); }, EPERM},
        {"signalsItsProcessGroup", [] { return outcome(::kill(0, SIGCONT) == 0); }, EPERM},
        {"signalsItself", [] { return outcome(::kill(::getpid(), 0) == 0); }, 0},
        {"pushesTerminalInput", [&] { const char c = 'x'; return outcome(::ioctl(leaked, TIOCSTI, &c) == 0); }, EPERM},
        {"writesToTheCallersOutput", [&] { return outcome(::write(leaked, "x", 1) == 1); }, EPERM},
        {"mapsSharedMemory",
         [] { return outcome(::mmap(nullptr, 1 << 20, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0) != MAP_FAILED); },
         EPERM},
        {"mapsAStackTheLimitDoesNotCount", // 2 GiB
         [] { return outcome(::mmap(nullptr, size_t{2} << 30, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_GROWSDOWN, -1, 0) != MAP_FAILED); },
         EPERM},
        {"growsAMapping", [] { return outcome(::mremap(nullptr, 0, 1 << 20, MREMAP_MAYMOVE) != MAP_FAILED); }, EPERM},
        {"makesAMemoryFile", [] { return outcome(::memfd_create("x", 0) >= 0); }, EPERM},
        {"raisesItsMemoryLimit", [] { const rlimit none{RLIM_INFINITY, RLIM_INFINITY}; return outcome(::setrlimit(RLIMIT_DATA, &none) == 0); }, EPERM},
        // A thread refused throws, and the child ends before it reports.
        {"startsAThread", [] { std::thread([] {}).join(); return 0; }, 0},
#if !defined(__SANITIZE_ADDRESS__) // AddressSanitizer keeps its terabytes of address space
        {"allocatesAndTouches2GiB",
         [] {
             constexpr size_t size = size_t{2} << 30;
             void* block = std::malloc(size);
             if (block)
                 std::memset(block, 1, size);
             std::free(block);
             return outcome(block != nullptr);
         },
         ENOMEM},
#endif
    };

    const long kernelAbi = std::max(0L, ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION));
    for (const int landlock : {Confinement::knownLandlockAbi, 2, 0}) {
        SCOPED_TRACE("Landlock ABI at most " + std::to_string(landlock));
        struct {
            Confinement::InForce inForce;
            int results[std::size(rows)];
        } report{};
        int channel[2];
        ASSERT_EQ(::pipe(channel), 0);
        const pid_t child = ::fork(); // the test is single-threaded here
        if (child == 0) {
            report.inForce = Confinement::confine(channel[1], landlock);
            for (size_t i = 0; i < std::size(rows); ++i)
                report.results[i] = rows[i].attempt();
            if (::write(channel[1], &report, sizeof report) != sizeof report)
                ::_exit(1);
            ::execl("/bin/true", "true", nullptr); // what only an attacker tries ends the process
            ::_exit(2);
        }
        ::close(channel[1]);
        const bool received = ::read(channel[0], &report, sizeof report) == sizeof report;
        ::close(channel[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(received) << "the child stopped early: " << status;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS) << status;

        EXPECT_EQ(report.inForce.landlockAbi, std::min<long>(kernelAbi, landlock));
        EXPECT_TRUE(report.inForce.seccomp);
        for (size_t i = 0; i < std::size(rows); ++i)
            EXPECT_EQ(report.results[i], rows[i].expected) << rows[i].name << ": " << std::strerror(report.results[i]);
    }
    for (const char* link : {"-link", "-at"})
        ::unlink((created + link).c_str());
    ::kill(neighbour, SIGKILL);
    ::waitpid(neighbour, nullptr, 0);
    ::close(leaked);
    ::close(terminal);
}

} // namespace

// FFmpeg gives each core a decoder thread, and each thread pictures of its own: the largest
// picture a job takes must decode within the memory limit on a machine of many cores too.
TEST(Confinement, theLargestPictureDecodesOnSixteenCores)
{
    char folder[] = "/tmp/framepicker-8k-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string video = std::string(folder) + "/8k.mp4";
    const std::string make = std::string(FFMPEG_TOOL) + " -v error -f lavfi -i testsrc2=s=8192x4352:r=30 -frames:v 8 "
        "-c:v libx264 -preset ultrafast -level 6.2 -pix_fmt yuv420p " + video;
    ASSERT_EQ(std::system(make.c_str()), 0);
    const int fd = ::open(video.c_str(), O_RDONLY | O_CLOEXEC);
    ::unlink(video.c_str());
    ::rmdir(folder);
    ASSERT_GE(fd, 0);

    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        FrameExtractor::prepareDecoders();
        av_cpu_force_count(16);
        Confinement::confine(channel[1]);
        char outcome[256] = "both pictures";
        try {
            int pictures = 0;
            FrameExtractor::decodeFrames(fd, "8k.mp4", [&](FrameExtractor::Picture, std::vector<std::uint8_t>) { ++pictures; });
            if (pictures != 2)
                std::snprintf(outcome, sizeof outcome, "%d pictures", pictures);
        } catch (const std::exception& error) {
            std::snprintf(outcome, sizeof outcome, "%s", error.what());
        }
        ::_exit(::write(channel[1], outcome, sizeof outcome) == sizeof outcome ? 0 : 1);
    }
    ::close(channel[1]);
    char outcome[256] = "nothing";
    const bool received = ::read(channel[0], outcome, sizeof outcome) == sizeof outcome;
    ::close(channel[0]);
    ::close(fd);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(received) << "the child stopped early: " << status;
    EXPECT_STREQ(outcome, "both pictures");
}
