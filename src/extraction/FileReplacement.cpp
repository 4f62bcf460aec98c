#include "FileReplacement.h"
#include "Failure.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

// The letters of a temporary file's random part.
constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t randomLength = 8;

[[noreturn]] void throwWriteError(int error, const fs::path& destination)
{
    throw Failure(Failure::Kind::cannotWrite, destination.string(), std::error_code(error, std::generic_category()));
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Opens a new file in the folder under a name no other writer has, with the permissions
// the umask gives any new file (changing the umask would race with other threads).
int createTemporary(int folder, const std::string& fileName, std::string& temp)
{
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = "." + fileName + ".";
        for (std::size_t i = 0; i < randomLength; ++i)
            temp += letters[pick(random)];
        const int fd = ::openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

std::string writeTemporary(int folder, const std::string& fileName,
                           const std::vector<std::span<const std::uint8_t>>& parts, const fs::path& destination)
{
    std::string temp;
    const int fd = createTemporary(folder, fileName, temp);
    if (fd < 0)
        throwWriteError(errno, destination);

    bool written = true;
    for (std::span<const std::uint8_t> part : parts)
        written = written && writeAll(fd, part);
    written = written && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    if (!written || !closed) {
        ::unlinkat(folder, temp.c_str(), 0);
        throwWriteError(written ? closeError : writeError, destination);
    }
    return temp;
}

bool isTemporaryOf(std::string_view name, std::string_view fileName)
{
    const std::size_t prefix = fileName.size() + 2;
    return name.size() == prefix + randomLength && name[0] == '.' && name.substr(1, fileName.size()) == fileName
        && name[prefix - 1] == '.'
        && std::all_of(name.begin() + prefix, name.end(), [](char c) { return letters.find(c) != letters.npos; });
}

} // namespace FrameExtractor
