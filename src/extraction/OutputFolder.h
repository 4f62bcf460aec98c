#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

// Where a video's two images go, and putting them there as one pair.
namespace FrameExtractor {

// The output folder: reached from `base`, opened as given with its links followed (the
// user chose it), through the names in `relative`, each made if missing. `relative` is
// never empty and holds no "." or "..", so the folder is always below `base`.
struct OutputPlace {
    std::filesystem::path base;
    std::filesystem::path relative;

    std::filesystem::path folder() const { return base / relative; }
};

// Beside the video: its folder, then its name with only the last extension removed
// (trip.mov gives trip, a.b.c.mov gives a.b.c). A name without an extension stays whole,
// so the folder would be the video itself and cannot be made. A name with nothing but dots
// before its extension keeps it, the last dot made "_" ("..mp4" gives "._mp4"): the folder
// is always one new name inside the video's folder, never that folder or its parent.
OutputPlace outputPlaceFor(const std::filesystem::path& video);
// That folder's name for a video's file name.
std::filesystem::path outputFolderName(const std::filesystem::path& name);

// Puts first.png and last.png into the place's folder as one pair and returns the folder.
// Each name of `relative` is made if missing and entered without following a symbolic link,
// unless the user running us or root made the link. Writers of the same folder, in any
// process, take turns; temporary files left by a run that was killed are removed first.
// A failure leaves the folder as it was: the earlier pair (if any) in place, no temporary
// file, and no folder this call made. Errors are OutputError: cannotCreateFolder naming the
// folder, untrustedLink naming the link, cannotWrite naming the image.
std::filesystem::path writePair(const OutputPlace& place, std::span<const std::uint8_t> firstPng,
                                std::span<const std::uint8_t> lastPng);

// The folder beside the video named after it with only its last extension removed:
// /m/trip.mov gives /m/trip, a.b.c.mov gives a.b.c; a name without an extension gives
// the video's own path. outputPlaceFor tells how it is reached.
std::filesystem::path outputFolderFor(const std::filesystem::path& video);

} // namespace FrameExtractor
