#include "TestMedia.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace TestMedia {

namespace {

struct Rgb {
    int r, g, b;
};

constexpr int columns = 4, rows = 3;

Rgb cellColour(int cell, int index)
{
    if (cell == 0)
        return {255, 0, 0};
    if (cell == columns * rows - 1)
        return {0, 0, 255};
    return (index >> (cell - 1)) & 1 ? Rgb{232, 232, 232} : Rgb{0, 0, 0};
}

void paint(std::vector<unsigned char>& frame, const Clip& clip, int index)
{
    const int channels = clip.alpha ? 4 : 3;
    for (int y = 0; y < clip.height; ++y) {
        for (int x = 0; x < clip.width; ++x) {
            const int cell = (y * rows / clip.height) * columns + x * columns / clip.width;
            const Rgb c = cellColour(cell, index);
            const int pixel[] = {c.r, c.g, c.b, cell == columns * rows - 1 ? 0 : 255};
            std::copy_n(pixel, channels, &frame[(static_cast<size_t>(y) * clip.width + x) * channels]);
        }
    }
}

} // namespace

std::string quoted(const fs::path& path)
{
    std::string out = "'";
    for (char c : path.string())
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void writeFile(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

fs::path scratchFolder(const std::string& name)
{
    static const fs::path root = [] {
        std::string pattern = (fs::temp_directory_path() / "framepicker-tests-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        static const std::string keep = pattern;
        std::atexit([] { std::error_code ec; fs::remove_all(keep, ec); });
        return fs::path(pattern);
    }();
    const fs::path folder = root / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

bool ffmpeg(const std::string& arguments)
{
    const std::string command = std::string(FFMPEG_TOOL) + " -nostdin -v error -y " + arguments;
    return std::system(command.c_str()) == 0;
}

fs::path makeClip(const fs::path& file, const Clip& clip)
{
    fs::create_directories(file.parent_path());
    const std::string command = std::string(FFMPEG_TOOL) + " -v error -y -f rawvideo -pix_fmt "
        + (clip.alpha ? "rgba" : "rgb24") + " -s " + std::to_string(clip.width) + "x" + std::to_string(clip.height)
        + " -framerate " + std::to_string(clip.fps) + " -i - " + clip.output + " " + quoted(file);
    FILE* pipe = ::popen(command.c_str(), "w");
    if (!pipe)
        throw std::runtime_error("cannot start ffmpeg");
    std::vector<unsigned char> frame(static_cast<size_t>(clip.width) * clip.height * (clip.alpha ? 4 : 3));
    for (int i = 0; i < clip.frames; ++i) {
        paint(frame, clip, i);
        std::fwrite(frame.data(), 1, frame.size(), pipe);
    }
    if (::pclose(pipe) != 0)
        throw std::runtime_error("ffmpeg failed: " + command);
    return file;
}

FrameExtractor::Image readPNG(const fs::path& file)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, file.c_str()))
        throw std::runtime_error("not a PNG: " + file.string());
    const bool alpha = png.format & PNG_FORMAT_FLAG_ALPHA;
    png.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    FrameExtractor::Image image{static_cast<int>(png.width), static_cast<int>(png.height), alpha ? 4 : 3,
                                std::vector<std::uint8_t>(PNG_IMAGE_SIZE(png))};
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr))
        throw std::runtime_error("broken PNG: " + file.string());
    return image;
}

std::string thrown(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no error";
}

Reading readMarks(const FrameExtractor::Image& image, int rotateTag, int tolerance)
{
    int index = 0;
    bool colours = true;
    for (int cell = 0; cell < columns * rows; ++cell) {
        // The cell's centre in the source picture, then where the player shows it.
        const double u = (cell % columns + 0.5) / columns, v = (cell / columns + 0.5) / rows;
        double x = u, y = v;
        switch (rotateTag) {
        case 90: x = v; y = 1 - u; break;
        case 180: x = 1 - u; y = 1 - v; break;
        case 270: x = 1 - v; y = u; break;
        }
        const int px = static_cast<int>(x * image.width), py = static_cast<int>(y * image.height);
        const unsigned char* p = image.row(py) + static_cast<size_t>(px) * image.channels;
        const int luma = (p[0] + p[1] + p[2]) / 3;
        if (cell >= 1 && cell <= 10 && luma > 128)
            index |= 1 << (cell - 1);
        // Compare against the colour the cell should have for the index read so far.
        const Rgb want = cellColour(cell, index);
        colours = colours && std::abs(p[0] - want.r) <= tolerance && std::abs(p[1] - want.g) <= tolerance
            && std::abs(p[2] - want.b) <= tolerance;
    }
    return {index, colours};
}

} // namespace TestMedia
