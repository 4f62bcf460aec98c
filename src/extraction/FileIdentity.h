#pragma once

#include <cstdint>
#include <filesystem>
#include <sys/types.h>

namespace FrameExtractor {

// What tells the video's file apart from another put in its place or one rewritten in
// place. An open file reads on after its name is removed or reused, and the file is
// opened again by name when decoding restarts, so the name is checked again.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    bool folder = false;
    bool operator==(const FileIdentity&) const = default;
};

// The video as the job found it; a missing file or a folder is refused here.
FileIdentity identifyVideo(const std::filesystem::path& video);

// Refuses a video removed, replaced or rewritten since `identity` was taken.
void checkUnchanged(const std::filesystem::path& video, const FileIdentity& identity);

} // namespace FrameExtractor
