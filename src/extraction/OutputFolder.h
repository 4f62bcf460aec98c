#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <shared_mutex>
#include <span>

// Where a video's two images go, and putting them there as one pair.
namespace FrameExtractor {

// The output folder: reached from `base`, opened as given with its links followed whoever
// owns them or it (the user chose it), through the names in `relative`, each made if
// missing. `relative` is never empty and holds no "." or "..", so the folder is always below
// `base` (or where the user's own links lead).
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

// What a caller may add to writePair; each part is optional.
struct PairWriting {
    // Asked while another writer holds the folder: true gives up at once (Cancelled).
    std::function<bool()> cancelled = {};
    // Held shared from when the folder is ours until the pair is in place, so that whoever
    // takes it exclusively (a process about to end) never cuts a pair in half or leaves a
    // temporary file; the wait for the folder is outside it.
    std::shared_mutex* placing = nullptr;
    // How long another program may hold the folder: an honest writer is done in moments,
    // one that never lets go must not stall the job for ever.
    std::chrono::milliseconds patience = std::chrono::seconds(10);
};

// Puts first.png and last.png into the place's folder as one pair and returns the folder.
// Each name of `relative` is made if missing and entered step by step: every symbolic link
// met on the way, in `relative` or inside a link's target, is followed only if the user
// running us or root made it, and every folder entered must be theirs too (root aside,
// another user's folder, however open, is not ours to fill). Writers of the same folder, in
// any process, take turns; temporary files left by a run that was killed are removed first.
// A failure leaves the folder as it was: the earlier pair (if any) in place, no temporary
// file, and no folder this call made. Errors are Failure: cannotCreateFolder naming the
// folder, untrustedLink naming the link, foreignFolder naming the folder, folderInUse
// naming the folder once `patience` is over, cannotWrite naming the image.
std::filesystem::path writePair(const OutputPlace& place, std::span<const std::uint8_t> firstPng,
                                std::span<const std::uint8_t> lastPng, const PairWriting& how = {});

// The folder beside the video named after it with only its last extension removed:
// /m/trip.mov gives /m/trip, a.b.c.mov gives a.b.c; a name without an extension gives
// the video's own path. outputPlaceFor tells how it is reached.
std::filesystem::path outputFolderFor(const std::filesystem::path& video);

} // namespace FrameExtractor
