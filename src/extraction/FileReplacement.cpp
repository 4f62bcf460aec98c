#include "FileReplacement.h"
#include "FrameExtractor.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace FrameExtractor {

namespace {

[[noreturn]] void throwWriteError(int error, const fs::path& destination)
{
    throw OutputError(OutputError::Kind::cannotWrite, std::error_code(error, std::generic_category()), destination);
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

// Opens a new file beside the destination under a name no other writer has, with the
// permissions the umask gives any new file (changing the umask would race with other threads).
int createTemporary(const fs::path& destination, std::string& temp)
{
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(".");
        name += destination.filename().string();
        name += '.';
        for (int i = 0; i < 8; ++i)
            name += letters[pick(random)];
        temp = (destination.parent_path() / name).string();
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

void replaceFile(const fs::path& destination, const std::vector<std::span<const std::uint8_t>>& parts)
{
    std::string temp;
    const int fd = createTemporary(destination, temp);
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
        ::unlink(temp.c_str());
        throwWriteError(written ? closeError : writeError, destination);
    }
    if (::rename(temp.c_str(), destination.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temp.c_str());
        throwWriteError(renameError, destination);
    }
    // The image is in place; a folder that cannot be flushed (some file systems refuse)
    // does not undo that.
    if (const int folder = ::open(destination.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

} // namespace FrameExtractor
