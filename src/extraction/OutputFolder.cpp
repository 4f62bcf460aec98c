#include "FrameExtractor.h"
#include "FileReplacement.h"
#include "PngEncoder.h"

namespace fs = std::filesystem;

namespace FrameExtractor {

fs::path outputFolderFor(const fs::path& video)
{
    const fs::path absolute = fs::absolute(video);
    return absolute.parent_path() / absolute.stem();
}

void makeOutputFolder(const fs::path& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        std::error_code statError;
        if (fs::exists(folder, statError) && !fs::is_directory(folder, statError))
            ec = std::make_error_code(std::errc::file_exists);
        throw OutputError(OutputError::Kind::cannotCreateFolder, ec, folder);
    }
}

void savePNG(const Image& image, const fs::path& destination)
{
    const std::optional<std::vector<Chunk>> chunks = encodePNG(image);
    if (!chunks)
        throw ExtractionError::cannotSavePNG(destination.filename().string());
    std::vector<std::span<const std::uint8_t>> parts{pngSignature};
    for (const Chunk& chunk : *chunks)
        parts.push_back(chunk.bytes());
    replaceFile(destination, parts);
}

} // namespace FrameExtractor
