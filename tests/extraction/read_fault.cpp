// Loaded with LD_PRELOAD: reads of the file named by FRAMEPICKER_FAULT_FILE fail with EIO
// from byte FRAMEPICKER_FAULT_OFFSET on, as on a failing disk or a dropped network share.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

bool faulty(int fd, off_t position, size_t count)
{
    static const char* file = std::getenv("FRAMEPICKER_FAULT_FILE");
    static const long long offset = std::atoll(std::getenv("FRAMEPICKER_FAULT_OFFSET") ?: "0");
    if (!file)
        return false;
    char target[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return false;
    target[length] = '\0';
    if (std::strcmp(target, file) != 0)
        return false;
    return position + static_cast<off_t>(count) > offset;
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
