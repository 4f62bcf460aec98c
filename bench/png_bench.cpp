// Times encoding and writing one raw RGB frame as PNG: png_bench FRAME.rgb WIDTH HEIGHT OUT.png [RUNS]
// Prints the median time in milliseconds and the size of the file written.
#include "extraction/PngEncoder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: png_bench FRAME.rgb WIDTH HEIGHT OUT.png [RUNS]\n");
        return 2;
    }
    FrameExtractor::Image image;
    image.width = std::stoi(argv[2]);
    image.height = std::stoi(argv[3]);
    std::ifstream in(argv[1], std::ios::binary);
    image.pixels.assign(std::istreambuf_iterator<char>(in), {});
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        std::fprintf(stderr, "png_bench: %s is not %s x %s RGB\n", argv[1], argv[2], argv[3]);
        return 2;
    }
    const int runs = argc > 5 ? std::stoi(argv[5]) : 7;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<std::uint8_t> png = FrameExtractor::encodePNGFile(image, "out.png");
        std::ofstream(argv[4], std::ios::binary).write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%.0f ms %ju bytes\n", times[times.size() / 2], static_cast<std::uintmax_t>(std::filesystem::file_size(argv[4])));
}
