#include "FrameExtractor.h"

#include <system_error>

namespace fs = std::filesystem;

namespace FrameExtractor {

fs::path outputFolderFor(const fs::path& video)
{
    const fs::path absolute = fs::absolute(video);
    return absolute.parent_path() / absolute.stem();
}

fs::path makeOutputFolder(const fs::path& video)
{
    const fs::path folder = outputFolderFor(video);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        std::error_code statError;
        if (fs::exists(folder, statError) && !fs::is_directory(folder, statError))
            ec = std::make_error_code(std::errc::file_exists);
        throw std::system_error(ec, "Could not create the folder \"" + folder.string() + "\"");
    }
    return folder;
}

} // namespace FrameExtractor
