#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace FrameExtractor {

// Why `png` is not an image the decoding worker may send back, or nothing when it is one:
// the signature; IHDR first, for an 8-bit RGB or RGBA picture, not interlaced, no larger than
// the largest picture a job decodes; IDAT chunks in one run, each a band of whole rows that
// inflates on its own, as the encoder writes them; IEND last, with nothing after it; every
// chunk's CRC; and the rows, which must inflate, with their checksum, to exactly the
// picture's rows, each with a filter PNG defines. Only such a file is written
// into the user's folder, whatever a crafted video made of the worker.
std::optional<std::string> pngProblem(std::span<const std::uint8_t> png);

} // namespace FrameExtractor
