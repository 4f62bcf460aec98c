#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace FrameExtractor {

// Writes the parts into a new file in the open folder, named "." + fileName + "." + eight
// random letters and digits, with the permissions the umask gives, and flushes it to the
// disk. Returns that name; on failure no such file stays and the Failure (cannotWrite)
// names `destination`.
std::string writeTemporary(int folder, const std::string& fileName,
                           const std::vector<std::span<const std::uint8_t>>& parts,
                           const std::filesystem::path& destination);

// Whether `name` is one writeTemporary makes for fileName: what a run killed before its
// rename leaves behind.
bool isTemporaryOf(std::string_view name, std::string_view fileName);

} // namespace FrameExtractor
