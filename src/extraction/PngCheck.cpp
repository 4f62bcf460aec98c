#include "PngCheck.h"
#include "WorkerProtocol.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <zlib.h>

namespace FrameExtractor {

namespace {

constexpr std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t bigEndian(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// Inflates the IDAT data as it comes, keeping one row: the rows are counted and their
// filter bytes checked, nothing is kept.
class Rows {
public:
    Rows(std::uint64_t rowBytes, std::uint64_t rows) : m_row(rowBytes), m_rowsLeft(rows)
    {
        m_ok = inflateInit(&m_stream) == Z_OK;
    }
    ~Rows() { inflateEnd(&m_stream); }
    Rows(const Rows&) = delete;
    Rows& operator=(const Rows&) = delete;

    // False once the data is not a zlib stream of exactly the rows.
    bool feed(std::span<const std::uint8_t> data)
    {
        m_stream.next_in = const_cast<Bytef*>(data.data());
        m_stream.avail_in = static_cast<uInt>(data.size());
        while (m_ok && m_stream.avail_in > 0) {
            if (m_ended)
                return m_ok = false; // bytes after the end of the stream
            std::array<std::uint8_t, 1 << 16> out;
            m_stream.next_out = out.data();
            m_stream.avail_out = out.size();
            const int result = inflate(&m_stream, Z_NO_FLUSH);
            if (result != Z_OK && result != Z_STREAM_END)
                return m_ok = false;
            m_ended = result == Z_STREAM_END;
            count({out.data(), out.size() - m_stream.avail_out});
        }
        return m_ok;
    }

    bool complete() const { return m_ok && m_ended && m_rowsLeft == 0 && m_inRow == 0; }

private:
    void count(std::span<const std::uint8_t> bytes)
    {
        while (m_ok && !bytes.empty()) {
            if (m_rowsLeft == 0) {
                m_ok = false; // more than the picture's rows
                return;
            }
            if (m_inRow == 0 && bytes.front() > 4) {
                m_ok = false; // filters 0 to 4: none, sub, up, average, Paeth
                return;
            }
            const std::uint64_t take = std::min<std::uint64_t>(bytes.size(), m_row - m_inRow);
            m_inRow += take;
            bytes = bytes.subspan(take);
            if (m_inRow == m_row) {
                m_inRow = 0;
                --m_rowsLeft;
            }
        }
    }

    z_stream m_stream{};
    std::uint64_t m_row;
    std::uint64_t m_rowsLeft;
    std::uint64_t m_inRow = 0;
    bool m_ok = false;
    bool m_ended = false;
};

} // namespace

std::optional<std::string> pngProblem(std::span<const std::uint8_t> png)
{
    if (png.size() < sizeof signature || !std::equal(std::begin(signature), std::end(signature), png.begin()))
        return "not a PNG file";
    std::size_t at = sizeof signature;
    std::optional<Rows> rows;
    enum { header, data, end } expected = header;
    while (at < png.size()) {
        if (expected == end)
            return "bytes after the end of the PNG file";
        if (png.size() - at < 12)
            return "a PNG chunk cut off";
        const std::uint32_t length = bigEndian(&png[at]);
        if (length > png.size() - at - 12)
            return "a PNG chunk longer than the file";
        const auto typed = png.subspan(at + 4, 4 + std::size_t{length});
        const char* type = reinterpret_cast<const char*>(typed.data());
        const uLong crc = crc32(crc32(0, nullptr, 0), typed.data(), static_cast<uInt>(typed.size()));
        if (crc != bigEndian(&png[at + 8 + length]))
            return "a PNG chunk with a wrong checksum";
        const auto content = typed.subspan(4);
        at += 12 + std::size_t{length};

        if (expected == header) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13)
                return "a PNG file without its header first";
            const std::uint32_t width = bigEndian(&content[0]), height = bigEndian(&content[4]);
            const std::uint8_t depth = content[8], colour = content[9];
            if (width == 0 || height == 0 || width > WorkerProtocol::maxPictureSide || height > WorkerProtocol::maxPictureSide
                || std::int64_t{width} * height > WorkerProtocol::maxPicturePixels)
                return "a PNG picture of " + std::to_string(width) + " \u00D7 " + std::to_string(height) + " pixels";
            if (depth != 8 || (colour != 2 && colour != 6) || content[10] != 0 || content[11] != 0 || content[12] != 0)
                return "a PNG picture that is not 8-bit RGB or RGBA";
            rows.emplace(1 + std::uint64_t{width} * (colour == 6 ? 4 : 3), height);
            expected = data;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            if (!rows->feed(content))
                return "PNG data that is not the picture's rows";
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            if (length != 0 || !rows->complete())
                return "PNG data that is not the picture's rows";
            expected = end;
        } else {
            return "a PNG chunk of another kind";
        }
    }
    return expected == end ? std::nullopt : std::optional<std::string>("a PNG file cut off");
}

} // namespace FrameExtractor
