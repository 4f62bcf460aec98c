#include "Confinement.h"

#include "extraction/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>
#include <fcntl.h>
#include <linux/landlock.h>
#include <sched.h>
#include <seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

// Older kernel headers (Debian 12 has Linux 6.1's) stop at Landlock ABI 2; these are the
// kernel's values for the rights and scopes of the later ABIs.
#ifndef LANDLOCK_ACCESS_FS_TRUNCATE
#define LANDLOCK_ACCESS_FS_TRUNCATE (1ULL << 14)
#endif
#ifndef LANDLOCK_ACCESS_FS_IOCTL_DEV
#define LANDLOCK_ACCESS_FS_IOCTL_DEV (1ULL << 15)
#endif
#ifndef LANDLOCK_ACCESS_NET_BIND_TCP
#define LANDLOCK_ACCESS_NET_BIND_TCP (1ULL << 0)
#define LANDLOCK_ACCESS_NET_CONNECT_TCP (1ULL << 1)
#endif
#ifndef LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET
#define LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET (1ULL << 0)
#define LANDLOCK_SCOPE_SIGNAL (1ULL << 1)
#endif

namespace Confinement {

namespace {

constexpr std::uint64_t dataLimit = std::uint64_t{1} << 30;

[[noreturn]] void fail(int error, const char* what)
{
    throw std::system_error(error, std::generic_category(), what);
}


// The whole struct of ABI 6; an older kernel accepts it as long as the fields it lacks are 0.
struct RulesetAttr {
    std::uint64_t handledAccessFs = 0;
    std::uint64_t handledAccessNet = 0;
    std::uint64_t scoped = 0;
};

std::uint64_t filesystemRights(int abi)
{
    std::uint64_t rights = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1; // ABI 1: execute .. make symlink
    if (abi >= 2)
        rights |= LANDLOCK_ACCESS_FS_REFER;
    if (abi >= 3)
        rights |= LANDLOCK_ACCESS_FS_TRUNCATE;
    if (abi >= 5)
        rights |= LANDLOCK_ACCESS_FS_IOCTL_DEV;
    return rights;
}

// No file opened, written or made anywhere, no network. Returns the ABI enforced, 0 for none.
// Everything a job needs is loaded before it forks, so nothing is left readable either;
// seccomp refuses every open besides, which is the wall that holds on kernels without
// Landlock.
int restrictFilesystem(int abiAtMost)
{
    const long kernelAbi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (kernelAbi <= 0 || abiAtMost <= 0)
        return 0; // not built in, or off at boot
    const int abi = static_cast<int>(std::min<long>({kernelAbi, knownLandlockAbi, abiAtMost}));
    RulesetAttr attr;
    attr.handledAccessFs = filesystemRights(abi);
    if (abi >= 4)
        attr.handledAccessNet = LANDLOCK_ACCESS_NET_BIND_TCP | LANDLOCK_ACCESS_NET_CONNECT_TCP;
    if (abi >= 6)
        attr.scoped = LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET | LANDLOCK_SCOPE_SIGNAL;
    const FrameExtractor::UniqueFd ruleset(static_cast<int>(::syscall(SYS_landlock_create_ruleset, &attr, sizeof attr, 0)));
    if (ruleset.get() < 0)
        fail(errno, "landlock_create_ruleset");
    if (::syscall(SYS_landlock_restrict_self, ruleset.get(), 0) != 0)
        fail(errno, "landlock_restrict_self");
    return abi;
}

struct ReleaseFilter {
    void operator()(void* filter) const { seccomp_release(filter); }
};

void check(int result, const char* what)
{
    if (result < 0)
        fail(-result, what); // libseccomp returns -errno
}

// The system calls decoding makes, and nothing else: anything not listed fails with EPERM,
// and what only an attacker would try (running a program, tracing) kills the process.
// Writing goes to the result socket alone; signals only to this process; memory is private,
// so that the data limit counts all of it; no file is opened, no terminal touched (ioctl is
// not listed: TIOCSTI cannot push input into a terminal even through a leaked descriptor).
void filterSystemCalls(int resultFd)
{
    // Every kernel Debian ships has it; without it the worker could open any file.
    if (::prctl(PR_GET_SECCOMP) < 0)
        fail(errno, "seccomp");
    const std::unique_ptr<void, ReleaseFilter> filter(seccomp_init(SCMP_ACT_ERRNO(EPERM)));
    if (!filter)
        fail(ENOMEM, "seccomp_init");
    const auto rule = [&](std::uint32_t action, int call, std::initializer_list<scmp_arg_cmp> conditions = {}) {
        if (call < 0)
            return; // no such call on this architecture (open on arm64)
        check(seccomp_rule_add_array(filter.get(), action, call, static_cast<unsigned>(conditions.size()), std::data(conditions)),
              "seccomp_rule_add");
    };
    for (const int call : {SCMP_SYS(read), SCMP_SYS(pread64), SCMP_SYS(readv), SCMP_SYS(preadv), SCMP_SYS(lseek),
                           SCMP_SYS(fstat), SCMP_SYS(close), SCMP_SYS(munmap), SCMP_SYS(mprotect),
                           SCMP_SYS(madvise), SCMP_SYS(brk), SCMP_SYS(futex), SCMP_SYS(set_robust_list), SCMP_SYS(rseq),
                           SCMP_SYS(rt_sigaction), SCMP_SYS(rt_sigprocmask), SCMP_SYS(rt_sigreturn), SCMP_SYS(sigaltstack),
                           SCMP_SYS(restart_syscall), SCMP_SYS(exit), SCMP_SYS(exit_group), SCMP_SYS(getpid),
                           SCMP_SYS(gettid), SCMP_SYS(sched_getaffinity), SCMP_SYS(sched_yield), SCMP_SYS(clock_gettime),
                           SCMP_SYS(clock_getres), SCMP_SYS(gettimeofday), SCMP_SYS(clock_nanosleep), SCMP_SYS(nanosleep),
                           SCMP_SYS(getrandom), SCMP_SYS(getrlimit), SCMP_SYS(sysinfo), SCMP_SYS(uname)})
        rule(SCMP_ACT_ALLOW, call);
    // newfstatat and statx are not listed: AT_EMPTY_PATH allows an empty path, it does not
    // demand one, so they would tell of any file. The decoder calls fstat itself.
    for (const int call : {SCMP_SYS(write), SCMP_SYS(writev), SCMP_SYS(sendmsg), SCMP_SYS(sendto)})
        rule(SCMP_ACT_ALLOW, call, {SCMP_A0(SCMP_CMP_EQ, static_cast<scmp_datum_t>(resultFd))});
    // Private, and not growing down: the data limit does not count a stack's mapping. mremap
    // is not listed for the same reason (it keeps a stack a stack); realloc copies instead.
    rule(SCMP_ACT_ALLOW, SCMP_SYS(mmap), {SCMP_A3(SCMP_CMP_MASKED_EQ, MAP_TYPE | MAP_GROWSDOWN, MAP_PRIVATE)});
    for (const int option : {PR_SET_NAME, PR_GET_NAME}) // decoder threads name themselves
        rule(SCMP_ACT_ALLOW, SCMP_SYS(prctl), {SCMP_A0(SCMP_CMP_EQ, static_cast<scmp_datum_t>(option))});
    for (const int command : {F_GETFD, F_SETFD, F_GETFL})
        rule(SCMP_ACT_ALLOW, SCMP_SYS(fcntl), {SCMP_A1(SCMP_CMP_EQ, static_cast<scmp_datum_t>(command))});
    // Reading a limit, never setting one.
    rule(SCMP_ACT_ALLOW, SCMP_SYS(prlimit64), {SCMP_A0(SCMP_CMP_EQ, 0), SCMP_A2(SCMP_CMP_EQ, 0)});
    // abort() and raise() signal this process; nothing else may be signalled.
    const auto self = static_cast<scmp_datum_t>(::getpid());
    for (const int call : {SCMP_SYS(kill), SCMP_SYS(tgkill), SCMP_SYS(rt_sigqueueinfo), SCMP_SYS(rt_tgsigqueueinfo)})
        rule(SCMP_ACT_ALLOW, call, {SCMP_A0(SCMP_CMP_EQ, self)});
    // Threads are clone() with CLONE_THREAD; clone3 hides its flags from the filter, so it
    // reports itself missing and glibc falls back to clone.
#if defined(__s390__)
    rule(SCMP_ACT_ALLOW, SCMP_SYS(clone), {SCMP_A1(SCMP_CMP_MASKED_EQ, CLONE_THREAD, CLONE_THREAD)}); // stack first there
#else
    rule(SCMP_ACT_ALLOW, SCMP_SYS(clone), {SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, CLONE_THREAD)});
#endif
    rule(SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3));
    // A refused open reads as a file that cannot be read, which libraries cope with.
    for (const int call : {SCMP_SYS(open), SCMP_SYS(openat), SCMP_SYS(openat2), SCMP_SYS(creat)})
        rule(SCMP_ACT_ERRNO(EACCES), call);
    for (const int call : {SCMP_SYS(execve), SCMP_SYS(execveat), SCMP_SYS(ptrace), SCMP_SYS(process_vm_readv),
                           SCMP_SYS(process_vm_writev)})
        rule(SCMP_ACT_KILL_PROCESS, call);
    check(seccomp_load(filter.get()), "seccomp_load");
}

std::uint64_t limitMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    return 0; // AddressSanitizer maps terabytes of shadow memory
#else
    rlimit data{};
    if (::getrlimit(RLIMIT_DATA, &data) != 0)
        fail(errno, "getrlimit");
    const rlim_t limit = std::min<rlim_t>(dataLimit, data.rlim_max); // a lower hard limit stays
    data.rlim_cur = data.rlim_max = limit;
    if (::setrlimit(RLIMIT_DATA, &data) != 0)
        fail(errno, "setrlimit");
    return limit;
#endif
}

} // namespace

InForce confine(int resultFd, int landlockAbiAtMost)
{
    // Needed for the filters without privileges; and no set-user-ID program may lift them.
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        fail(errno, "PR_SET_NO_NEW_PRIVS");
    // A crash must not leave the video's decoded pictures in a core file.
    const rlimit noCore{0, 0};
    if (::setrlimit(RLIMIT_CORE, &noCore) != 0)
        fail(errno, "setrlimit");
    InForce inForce;
    inForce.memoryLimit = limitMemory();
    inForce.landlockAbi = restrictFilesystem(landlockAbiAtMost);
    filterSystemCalls(resultFd); // last: it refuses what the others need
    inForce.seccomp = true;
    return inForce;
}

std::string describe(const InForce& inForce)
{
    std::string line = inForce.landlockAbi ? "Landlock ABI " + std::to_string(inForce.landlockAbi) : "no Landlock";
    line += inForce.seccomp ? ", seccomp" : ", no seccomp";
    constexpr std::uint64_t mib = std::uint64_t{1} << 20;
    if (inForce.memoryLimit == 0)
        line += ", no memory limit";
    else if (inForce.memoryLimit % (1024 * mib) == 0)
        line += ", memory limit " + std::to_string(inForce.memoryLimit / (1024 * mib)) + " GiB";
    else
        line += ", memory limit " + std::to_string(inForce.memoryLimit / mib) + " MiB";
    return line;
}

} // namespace Confinement
