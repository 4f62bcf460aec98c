#include "PngCheck.h"
#include "PngEncoder.h"
#include "WorkerProtocol.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>
#include <zlib.h>

namespace FrameExtractor {

namespace {

// The encoder writes one IDAT chunk a core; a file of more is not one of ours.
constexpr std::size_t mostDataChunks = 1024;

std::uint32_t bigEndian(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// One IDAT chunk inflated on its own, as the encoder deflates each band of rows: raw deflate
// blocks, the first chunk behind the zlib header, the last ending the stream before its
// checksum. Nothing inflated is kept but what the rows and the checksum need.
struct Band {
    std::span<const std::uint8_t> data;
    bool first = false;
    bool last = false;
    bool ok = false;
    std::uint64_t inflated = 0;
    uLong adler = 0;
    std::uint32_t trailer = 0; // the last chunk's: the checksum of all the rows
};

void inflateBand(Band& band, std::uint64_t rowBytes, std::atomic<std::int64_t>& left)
{
    std::span<const std::uint8_t> in = band.data;
    if (band.first) {
        // Deflate with a window of at most 32 KiB, no preset dictionary, a valid check.
        if (in.size() < 2 || (in[0] & 0x0F) != 8 || (in[0] >> 4) > 7 || (in[1] & 0x20) || (in[0] * 256 + in[1]) % 31 != 0)
            return;
        in = in.subspan(2);
    }
    if (band.last) {
        if (in.size() < 4)
            return;
        band.trailer = bigEndian(&in[in.size() - 4]);
        in = in.first(in.size() - 4);
    }
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK)
        return;
    stream.next_in = const_cast<Bytef*>(in.data());
    stream.avail_in = static_cast<uInt>(in.size());
    band.adler = adler32(0, nullptr, 0);
    std::array<std::uint8_t, 1 << 16> out;
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = out.data();
        stream.avail_out = out.size();
        status = inflate(&stream, Z_SYNC_FLUSH);
        const std::size_t made = out.size() - stream.avail_out;
        // More than the picture's rows, in all the bands together: no need to inflate on
        // (a stream of flushed zeros would keep every core busy for minutes).
        if (left.fetch_sub(static_cast<std::int64_t>(made)) < static_cast<std::int64_t>(made))
            status = Z_DATA_ERROR;
        for (std::uint64_t at = (rowBytes - band.inflated % rowBytes) % rowBytes; at < made; at += rowBytes)
            if (out[at] > 4) // filters 0 to 4: none, sub, up, average, Paeth
                status = Z_DATA_ERROR;
        band.adler = adler32(band.adler, out.data(), static_cast<uInt>(made));
        band.inflated += made;
        if (status == Z_BUF_ERROR && stream.avail_in == 0 && made == 0)
            break; // all of it read, the stream going on in the next chunk
    }
    inflateEnd(&stream);
    // Whole rows, and the stream's end in the last chunk and nowhere else.
    band.ok = stream.avail_in == 0 && band.inflated % rowBytes == 0
        && (band.last ? status == Z_STREAM_END : status == Z_BUF_ERROR);
}

// Whether the chunks inflate to exactly `rows` rows with the stream's own checksum. The
// chunks are inflated side by side: checking the last image is on the job's critical path.
bool holdsExactlyTheRows(std::vector<Band>& bands, std::uint64_t rowBytes, std::uint64_t rows)
{
    if (bands.empty() || bands.size() > mostDataChunks)
        return false;
    bands.front().first = true;
    bands.back().last = true;
    const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, bands.size());
    std::atomic<std::int64_t> left = static_cast<std::int64_t>(rowBytes * rows);
    const auto work = [&](std::size_t worker) {
        for (std::size_t i = worker; i < bands.size(); i += workers)
            inflateBand(bands[i], rowBytes, left);
    };
    {
        std::vector<std::jthread> helpers;
        for (std::size_t worker = 1; worker < workers; ++worker)
            helpers.emplace_back(work, worker);
        work(0);
    }
    uLong adler = adler32(0, nullptr, 0);
    std::uint64_t inflated = 0;
    for (const Band& band : bands) {
        if (!band.ok)
            return false;
        adler = adler32_combine(adler, band.adler, static_cast<z_off_t>(band.inflated));
        inflated += band.inflated;
    }
    return inflated == rowBytes * rows && adler == bands.back().trailer;
}

} // namespace

std::optional<std::string> pngProblem(std::span<const std::uint8_t> png)
{
    if (png.size() < sizeof pngSignature || !std::equal(std::begin(pngSignature), std::end(pngSignature), png.begin()))
        return "not a PNG file";
    std::size_t at = sizeof pngSignature;
    std::uint64_t rowBytes = 0, rows = 0;
    std::vector<Band> bands;
    enum { header, body, end } expected = header;
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
        if (crc32(crc32(0, nullptr, 0), typed.data(), static_cast<uInt>(typed.size())) != bigEndian(&png[at + 8 + length]))
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
            rowBytes = 1 + std::uint64_t{width} * (colour == 6 ? 4 : 3);
            rows = height;
            expected = body;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            bands.push_back({content});
        } else if (std::memcmp(type, "IEND", 4) == 0 && length == 0) {
            if (!holdsExactlyTheRows(bands, rowBytes, rows))
                return "PNG data that is not the picture's rows";
            expected = end;
        } else {
            return "a PNG chunk of another kind";
        }
    }
    return expected == end ? std::nullopt : std::optional<std::string>("a PNG file cut off");
}

} // namespace FrameExtractor
