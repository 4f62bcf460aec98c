// A confined child tries what a decoder taken over by a crafted video would try.
#include "worker/Confinement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/socket.h>
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

struct ScratchFile {
    std::string path;
    explicit ScratchFile(const char* folder) : path(std::string(folder) + "/.framepicker-confinement-XXXXXX")
    {
        ::close(::mkstemp(path.data()));
    }
    ~ScratchFile() { ::unlink(path.c_str()); }
};

TEST(Confinement, aConfinedChildReadsOnlyLibrariesAndStartsOnlyThreads)
{
    const long kernelAbi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (kernelAbi <= 0)
        GTEST_SKIP() << "this kernel has no Landlock";
    ASSERT_NE(std::getenv("HOME"), nullptr);
    const ScratchFile home(std::getenv("HOME")), tmp("/tmp");
    const struct {
        const char* name;
        std::function<int()> attempt;
        int expected; // errno, 0: works
    } rows[] = {
        {"readsAFileInTheHomeFolder", [&] { return openFile(home.path, O_RDONLY); }, EACCES},
        {"readsAFileInTmp", [&] { return openFile(tmp.path, O_RDONLY); }, EACCES},
        {"createsAFileInTmp", [&] { return openFile(tmp.path + "-new", O_WRONLY | O_CREAT | O_EXCL); }, EACCES},
        {"opensAUnixSocket", [] { return outcome(::socket(AF_UNIX, SOCK_STREAM, 0) >= 0); }, EACCES},
        {"opensAnInternetSocket", [] { return outcome(::socket(AF_INET, SOCK_STREAM, 0) >= 0); }, EACCES},
        {"runsAProgram", [] { return outcome(::execl("/bin/true", "true", nullptr) == 0); }, EPERM},
        {"forksAProcess", [] { const pid_t pid = ::fork(); if (pid == 0) ::_exit(0); return outcome(pid > 0); }, EPERM},
        // A thread refused throws, and the child ends before it reports.
        {"startsAThread", [] { std::thread([] {}).join(); return 0; }, 0},
        // HDR video loads libavfilter and its dependencies only when it needs them.
        {"loadsLibavfilter", [] { return ::dlopen(AVFILTER_LIBRARY, RTLD_NOW | RTLD_LOCAL) ? 0 : -1; }, 0},
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

    struct {
        Confinement::InForce inForce;
        int results[std::size(rows)];
    } report{};
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork(); // the test is single-threaded here
    if (child == 0) {
        report.inForce = Confinement::confine();
        for (size_t i = 0; i < std::size(rows); ++i)
            report.results[i] = rows[i].attempt();
        ::_exit(::write(channel[1], &report, sizeof report) == sizeof report ? 0 : 1);
    }
    ::close(channel[1]);
    const bool received = ::read(channel[0], &report, sizeof report) == sizeof report;
    ::close(channel[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(received && WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child stopped early: " << status;

    EXPECT_EQ(report.inForce.landlockAbi, std::min(kernelAbi, 7L)); // 7: the newest ABI the rules know
    const std::string described = Confinement::describe(report.inForce);
    const std::string expected = "Landlock ABI " + std::to_string(report.inForce.landlockAbi) + ", seccomp, ";
    EXPECT_EQ(described.rfind(expected, 0), 0u) << described;
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(report.results[i], rows[i].expected) << rows[i].name << ": " << std::strerror(report.results[i]);
}

} // namespace
