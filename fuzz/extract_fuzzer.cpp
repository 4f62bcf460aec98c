// libFuzzer target: the input is written to a temporary video file and extracted into a
// temporary folder. Any exception is a clear error and fine; a crash, hang, leak or
// undefined behaviour is a finding.
#include "extraction/FrameExtractor.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fs::path root = [] {
        std::string pattern = (fs::temp_directory_path() / "framepicker-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        return fs::path(pattern);
    }();
    const fs::path video = root / "input.mp4";
    {
        std::ofstream out(video, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        FrameExtractor::extractFrames(video, FrameExtractor::decodeFrames);
    } catch (const std::exception&) {
    }
    std::error_code ec;
    fs::remove_all(root / "input", ec);
    return 0;
}
