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

// The newest ABI whose rights this file knows; a newer kernel enforces these.
constexpr int knownLandlockAbi = 7;
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

// Reading the system's libraries and nothing else. Returns the ABI enforced, 0 for none.
int restrictFilesystem()
{
    const long kernelAbi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (kernelAbi <= 0)
        return 0; // not built in, or off at boot
    const int abi = static_cast<int>(std::min<long>(kernelAbi, knownLandlockAbi));
    RulesetAttr attr;
    attr.handledAccessFs = filesystemRights(abi);
    if (abi >= 4)
        attr.handledAccessNet = LANDLOCK_ACCESS_NET_BIND_TCP | LANDLOCK_ACCESS_NET_CONNECT_TCP;
    if (abi >= 6)
        attr.scoped = LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET | LANDLOCK_SCOPE_SIGNAL;
    const FrameExtractor::UniqueFd ruleset(static_cast<int>(::syscall(SYS_landlock_create_ruleset, &attr, sizeof attr, 0)));
    if (ruleset.get() < 0)
        fail(errno, "landlock_create_ruleset");
    // libavfilter and its dependencies are loaded after this, for HDR video: the loader reads
    // its cache and maps the files (mapping code needs no execute right, only exec() does).
    for (const char* path : {"/usr", "/lib", "/lib64", "/etc/ld.so.cache"}) {
        const FrameExtractor::UniqueFd beneath(::open(path, O_PATH | O_CLOEXEC)); // follows /lib -> usr/lib
        struct stat status {};
        if (beneath.get() < 0 && errno == ENOENT)
            continue;
        if (beneath.get() < 0 || ::fstat(beneath.get(), &status) != 0)
            fail(errno, path);
        landlock_path_beneath_attr rule{};
        rule.allowed_access = LANDLOCK_ACCESS_FS_READ_FILE;
        if (S_ISDIR(status.st_mode)) // a file may not carry a directory's right
            rule.allowed_access |= LANDLOCK_ACCESS_FS_READ_DIR;
        rule.parent_fd = beneath.get();
        if (::syscall(SYS_landlock_add_rule, ruleset.get(), LANDLOCK_RULE_PATH_BENEATH, &rule, 0) != 0)
            fail(errno, "landlock_add_rule");
    }
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

// No new socket, program or process: a decoder taken over stays in this one. Threads are
// clone() with CLONE_THREAD; clone3 hides its flags from the filter, so it reports itself
// missing and glibc falls back to clone.
bool filterSystemCalls()
{
    if (::prctl(PR_GET_SECCOMP) < 0)
        return false; // a kernel without seccomp
    const std::unique_ptr<void, ReleaseFilter> filter(seccomp_init(SCMP_ACT_ALLOW));
    if (!filter)
        fail(ENOMEM, "seccomp_init");
    const struct {
        int call;
        int error;
    } denials[] = {
        {SCMP_SYS(socket), EACCES}, {SCMP_SYS(socketpair), EACCES}, {SCMP_SYS(connect), EACCES},
        {SCMP_SYS(bind), EACCES}, {SCMP_SYS(listen), EACCES}, {SCMP_SYS(accept), EACCES},
        {SCMP_SYS(accept4), EACCES}, {SCMP_SYS(execve), EPERM}, {SCMP_SYS(execveat), EPERM},
        {SCMP_SYS(ptrace), EPERM}, {SCMP_SYS(process_vm_readv), EPERM}, {SCMP_SYS(process_vm_writev), EPERM},
        {SCMP_SYS(fork), EPERM}, {SCMP_SYS(vfork), EPERM}, {SCMP_SYS(clone3), ENOSYS},
        // Its queued requests (socket, connect) would pass this filter unseen.
        {SCMP_SYS(io_uring_setup), ENOSYS},
    };
    for (const auto& denial : denials)
        if (denial.call >= 0) // a negative number: no such call on this architecture (fork on arm64)
            check(seccomp_rule_add(filter.get(), SCMP_ACT_ERRNO(denial.error), denial.call, 0), "seccomp_rule_add");
#if defined(__s390__)
    const scmp_arg_cmp cloneFlags = SCMP_A1(SCMP_CMP_MASKED_EQ, CLONE_THREAD, 0); // stack comes first there
#else
    const scmp_arg_cmp cloneFlags = SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, 0);
#endif
    check(seccomp_rule_add(filter.get(), SCMP_ACT_ERRNO(EPERM), SCMP_SYS(clone), 1, cloneFlags), "seccomp_rule_add");
    check(seccomp_load(filter.get()), "seccomp_load");
    return true;
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

InForce confine()
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
    inForce.landlockAbi = restrictFilesystem();
    inForce.seccomp = filterSystemCalls();
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
