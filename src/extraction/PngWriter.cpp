#include "FrameExtractor.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace FrameExtractor {

ExtractionError::ExtractionError(Kind kind, std::string fileName)
    : m_kind(kind)
    , m_fileName(std::move(fileName))
    , m_description("Failed to encode PNG: " + m_fileName)
{
}

ExtractionError ExtractionError::cannotSavePNG(std::string fileName)
{
    return ExtractionError(Kind::cannotSavePNG, std::move(fileName));
}

namespace {

void appendToBuffer(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

// libpng reports errors through longjmp; the warning handler keeps it from printing.
void ignoreWarning(png_structp, png_const_charp) {}

// Returns false when libpng refuses the image (an empty or oversized picture, say).
bool encodePNG(const Image& image, std::vector<std::uint8_t>& out)
{
    if (image.width <= 0 || image.height <= 0 || (image.channels != 3 && image.channels != 4)
        || image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * image.channels)
        return false;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, ignoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // Nothing with a destructor may live between setjmp and a longjmp to it.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendToBuffer, noFlush);
    png_set_IHDR(png, info, image.width, image.height, 8,
                 image.channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, image.row(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

[[noreturn]] void throwWriteError(int error, const fs::path& destination)
{
    throw std::system_error(error, std::generic_category(),
                            "Could not write \"" + destination.string() + "\"");
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes)
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

// Writes beside the destination, then renames over it, so that a reader never sees a
// half-written PNG and a failure leaves the older file untouched.
void replaceFile(const fs::path& destination, const std::vector<std::uint8_t>& bytes)
{
    std::string temp = (destination.parent_path() / ("." + destination.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throwWriteError(errno, destination);

    // mkstemp makes the file private; an image should get the permissions any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    const bool written = writeAll(fd, bytes);
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
}

} // namespace

void savePNG(const Image& image, const fs::path& destination)
{
    std::vector<std::uint8_t> bytes;
    if (!encodePNG(image, bytes))
        throw ExtractionError::cannotSavePNG(destination.filename().string());
    replaceFile(destination, bytes);
}

} // namespace FrameExtractor
