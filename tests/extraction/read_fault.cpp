// Loaded with LD_PRELOAD: reads of a file of SIZE bytes fail with EIO from byte OFFSET on, as
// on a failing disk or a dropped network share. Both numbers are in the library's own file
// name, read-fault-SIZE-OFFSET.so: that name reaches the confined decoder, whose environment
// is cleared and which can open nothing to look up which file a descriptor is.
// Named read-fault-interrupt.so instead, it reads nothing wrong: Ctrl+C comes while a pair
// is being put in place, just after first.png's exchange and well before last.png's rename.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

long long faultySize = -1, faultyOffset = 0;
bool interrupt = false;

__attribute__((constructor)) void readTheFault()
{
    Dl_info self{};
    if (::dladdr(reinterpret_cast<void*>(&readTheFault), &self) == 0 || !self.dli_fname)
        return;
    const std::string name = self.dli_fname;
    std::sscanf(name.substr(name.rfind('/') + 1).c_str(), "read-fault-%lld-%lld.so", &faultySize, &faultyOffset);
    interrupt = name.ends_with("/read-fault-interrupt.so");
}

bool faulty(int fd, off_t position, size_t count)
{
    struct stat status {};
    return faultySize >= 0 && ::syscall(SYS_fstat, fd, &status) == 0 && status.st_size == faultySize
        && position + static_cast<off_t>(count) > faultyOffset;
}

} // namespace

ssize_t faultyPread(const char* name, int fd, void* buffer, size_t count, off_t position)
{
    using Read = ssize_t (*)(int, void*, size_t, off_t);
    if (faulty(fd, position, count)) {
        errno = EIO;
        return -1;
    }
    return reinterpret_cast<Read>(::dlsym(RTLD_NEXT, name))(fd, buffer, count, position);
}

extern "C" ssize_t pread(int fd, void* buffer, size_t count, off_t position)
{
    return faultyPread("pread", fd, buffer, count, position);
}

extern "C" ssize_t pread64(int fd, void* buffer, size_t count, off_t position)
{
    return faultyPread("pread64", fd, buffer, count, position);
}

extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) noexcept
{
    using Rename = int (*)(int, const char*, int, const char*, unsigned);
    const int result = reinterpret_cast<Rename>(::dlsym(RTLD_NEXT, "renameat2"))(fromFolder, from, toFolder, to, flags);
    if (interrupt && std::string_view(to) == "first.png") {
        ::kill(::getpid(), SIGINT);
        ::usleep(300000);
    }
    return result;
}
