#pragma once

#include "Image.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace FrameExtractor {

// A PNG chunk laid out in one buffer: length, type, data, CRC. The data is written in
// place through data(), then close() fills in the length and CRC.
class Chunk {
public:
    Chunk(const char (&type)[5], std::size_t capacity);
    std::uint8_t* data() { return m_bytes.get() + 8; }
    void close(std::size_t length);
    std::span<const std::uint8_t> bytes() const { return {m_bytes.get(), m_length + 12}; }

private:
    // Left uninitialised: only the part deflate writes is ever touched, or kept in memory.
    std::unique_ptr<std::uint8_t[]> m_bytes;
    std::size_t m_length = 0;
};

inline constexpr std::uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The image as PNG chunks, to be written in order after the signature: 8 bits per channel,
// RGB or RGBA, each row with the filter of the lowest estimated entropy, deflated in bands
// on all cores. A Failure cannotSavePNG naming `fileName`, with the reason, when the image
// cannot be a PNG (empty, or a buffer that does not match its size) or zlib fails.
std::vector<Chunk> encodePNG(const Image& image, const std::string& fileName);

// The whole PNG file in one buffer, or encodePNG's Failure.
std::vector<std::uint8_t> encodePNGFile(const Image& image, const std::string& fileName);

} // namespace FrameExtractor
