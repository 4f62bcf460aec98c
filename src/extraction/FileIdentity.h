#pragma once

#include <cstdint>
#include <filesystem>
#include <sys/types.h>

namespace FrameExtractor {

// What tells the video's file apart from another put in its place or one rewritten in
// place. The job reads through the one descriptor it opened, which reads on after the name
// is removed or reused; so once the frames are read, the name is checked against it again,
// and a pair from a file that is no longer the video is not written.
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
