#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace FrameExtractor {

// Writes the parts, in order, beside the destination, flushes them to the disk, then
// renames the file over the destination and flushes the folder: a reader never sees a
// half-written file, a failure leaves an older file untouched (and no temporary file), and
// a crash or power cut leaves the old file or the new one, never an empty one. The file
// gets the permissions the umask gives. Failures are OutputError naming the destination.
void replaceFile(const std::filesystem::path& destination, const std::vector<std::span<const std::uint8_t>>& parts);

} // namespace FrameExtractor
