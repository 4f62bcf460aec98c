#pragma once

#include "extraction/FrameExtractor.h"

#include <filesystem>
#include <functional>
#include <string>

// Test media: every frame carries its own index as a pattern that survives lossy
// compression, so an image tells exactly which frame it shows.
//
// The picture is a grid of 4 x 3 cells. Cell 0 (top left) is red and cell 11 (bottom
// right) blue, marking the orientation; cells 1 to 10 hold the index's bits, light grey
// (232) for 1 and black for 0: a grey short of white comes out brighter where a picture's
// range is misread, where white would stay white. With alpha, cell 11 is fully transparent.
namespace TestMedia {

namespace fs = std::filesystem;

struct Clip {
    int frames = 30;
    int width = 160, height = 120;
    int fps = 30;
    bool alpha = false;
    std::string output = "-c:v libx264 -pix_fmt yuv420p"; // ffmpeg arguments before the output file
};

// A fresh, empty folder for one test, removed when the process ends.
fs::path scratchFolder(const std::string& name);

// Encodes the marked frames with the ffmpeg command-line tool, into a folder made if
// missing; returns the file written.
fs::path makeClip(const fs::path& file, const Clip& clip);

// Runs the ffmpeg command-line tool with the given arguments; true on success.
bool ffmpeg(const std::string& arguments);

std::string quoted(const fs::path& path);

void writeFile(const fs::path& file, const std::string& bytes);
std::string contents(const fs::path& file);

FrameExtractor::Image readPNG(const fs::path& file);

// What the call throws: its what(), or "no error".
std::string thrown(const std::function<void()>& call);

struct Reading {
    int index = -1;       // -1 where the marks cannot be read
    bool colours = false; // the red, blue, black and grey cells within tolerance
};
// Reads the marks of an image shown as the container's rotate tag (0, 90, 180, 270) says;
// the colours may be off by `tolerance` in each channel.
Reading readMarks(const FrameExtractor::Image& image, int rotateTag = 0, int tolerance = 12);

} // namespace TestMedia
