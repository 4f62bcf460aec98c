#include "PngEncoder.h"
#include "Failure.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

namespace FrameExtractor {

namespace {

void putBigEndian(std::uint8_t* out, std::uint32_t value)
{
    out[0] = static_cast<std::uint8_t>(value >> 24);
    out[1] = static_cast<std::uint8_t>(value >> 16);
    out[2] = static_cast<std::uint8_t>(value >> 8);
    out[3] = static_cast<std::uint8_t>(value);
}

} // namespace

Chunk::Chunk(const char (&type)[5], std::size_t capacity)
    : m_bytes(new std::uint8_t[capacity + 12])
{
    std::memcpy(m_bytes.get() + 4, type, 4);
}

void Chunk::close(std::size_t length)
{
    m_length = length;
    putBigEndian(m_bytes.get(), static_cast<std::uint32_t>(length));
    const uLong crc = crc32(crc32(0, nullptr, 0), m_bytes.get() + 4, static_cast<uInt>(length + 4));
    putBigEndian(data() + length, static_cast<std::uint32_t>(crc));
}

namespace {

enum Filter : std::uint8_t { none, sub, up, average, paeth, filterCount };

// Branch-free, so that the loops using it vectorise.
inline int paethPredictor(int a, int b, int c)
{
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    const int bc = pb <= pc ? b : c;
    return pa <= pb && pa <= pc ? a : bc;
}

template <Filter filter>
inline std::uint8_t filtered(int x, int a, int b, int c)
{
    if constexpr (filter == none)
        return static_cast<std::uint8_t>(x);
    else if constexpr (filter == sub)
        return static_cast<std::uint8_t>(x - a);
    else if constexpr (filter == up)
        return static_cast<std::uint8_t>(x - b);
    else if constexpr (filter == average)
        return static_cast<std::uint8_t>(x - ((a + b) >> 1));
    else
        return static_cast<std::uint8_t>(x - paethPredictor(a, b, c));
}

// Chooses each row's filter by the order-0 entropy of its bytes, estimated on every eleventh
// byte (coprime with both pixel sizes, so every channel is sampled): on film grain that
// is usually no filter at all, on clean pictures Paeth or Up. The usual sum-of-differences
// rule filters grain needlessly and makes it a tenth larger.
class RowFilter {
public:
    RowFilter(std::size_t rowBytes, int pixelBytes)
        : m_rowBytes(rowBytes)
        , m_pixelBytes(pixelBytes)
        , m_step(rowBytes >= 640 ? 11 : 1)
        , m_zeros(rowBytes)
        , m_out(rowBytes + 1)
    {
        const std::size_t samples = (rowBytes + m_step - 1) / m_step;
        m_costOfCount.resize(samples + 1);
        // Bits spent on a byte value that occurs n times among the samples: n * log2(samples / n).
        for (std::size_t n = 1; n <= samples; ++n)
            m_costOfCount[n] = static_cast<float>(n * std::log2(static_cast<double>(samples) / n));
    }

    // Returns the filtered row, filter type byte first.
    const std::uint8_t* filter(const std::uint8_t* row, const std::uint8_t* above)
    {
        if (!above)
            above = m_zeros.data();
        const float costs[filterCount] = {cost<none>(row, above), cost<sub>(row, above), cost<up>(row, above),
                                          cost<average>(row, above), cost<paeth>(row, above)};
        const auto best = static_cast<Filter>(std::min_element(costs, costs + filterCount) - costs);
        switch (best) {
        case none: apply<none>(row, above); break;
        case sub: apply<sub>(row, above); break;
        case up: apply<up>(row, above); break;
        case average: apply<average>(row, above); break;
        default: apply<paeth>(row, above); break;
        }
        m_out[0] = best;
        return m_out.data();
    }

private:
    template <Filter filter>
    float cost(const std::uint8_t* row, const std::uint8_t* above) const
    {
        std::uint32_t histogram[256] = {};
        const std::size_t bpp = m_pixelBytes;
        std::size_t x = 0;
        for (; x < bpp; x += m_step)
            ++histogram[filtered<filter>(row[x], 0, above[x], 0)];
        for (; x < m_rowBytes; x += m_step)
            ++histogram[filtered<filter>(row[x], row[x - bpp], above[x], above[x - bpp])];
        float bits = 0;
        for (std::uint32_t count : histogram)
            bits += m_costOfCount[count];
        return bits;
    }

    template <Filter filter>
    void apply(const std::uint8_t* row, const std::uint8_t* above)
    {
        const std::size_t n = m_rowBytes, bpp = m_pixelBytes;
        std::uint8_t* out = m_out.data() + 1;
        for (std::size_t x = 0; x < bpp; ++x)
            out[x] = filtered<filter>(row[x], 0, above[x], 0);
        for (std::size_t x = bpp; x < n; ++x)
            out[x] = filtered<filter>(row[x], row[x - bpp], above[x], above[x - bpp]);
    }

    std::size_t m_rowBytes;
    int m_pixelBytes;
    std::size_t m_step;
    std::vector<std::uint8_t> m_zeros;
    std::vector<std::uint8_t> m_out;
    std::vector<float> m_costOfCount;
};

// Runs task(0) .. task(count - 1), task 0 on the caller's thread and each other on a thread
// of its own, and waits for every one of them, even when one fails: they refer to what is on
// the caller's stack. Then the first failure is thrown on the caller's thread (a band short
// of memory, say), where an exception escaping a band's thread would end the process.
void runBands(int count, const std::function<void(int)>& task)
{
    std::vector<std::exception_ptr> failures(count);
    const auto guarded = [&task, &failures](int i) {
        try {
            task(i);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> threads;
        for (int i = 1; i < count; ++i) {
            try {
                threads.emplace_back(guarded, i);
            } catch (...) {
                guarded(i); // no thread to be had: this band on the caller's
            }
        }
        guarded(0);
    } // every thread joined here
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

// One band of rows deflated on its own: raw deflate blocks that end on a byte boundary
// (the last band's end the stream), so that the bands joined in order are one zlib stream,
// as parallel gzip tools do it. Run-length matching suits filtered pictures: nearly as
// small as full matching and several times faster.
struct Band {
    int firstRow = 0;
    int rowCount = 0;
    bool isFirst = false;
    bool isLast = false;
    std::optional<Chunk> chunk;
    uLong adler = 0;
    std::size_t rawLength = 0;
    std::string failure; // zlib's words, where deflating failed
};

void deflateBand(const Image& image, Band& band)
{
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * image.channels;
    band.rawLength = (rowBytes + 1) * band.rowCount;

    z_stream stream{};
    if (const int started = deflateInit2(&stream, 1, Z_DEFLATED, -15, 9, Z_RLE); started != Z_OK) {
        band.failure = zError(started);
        return;
    }
    // Released on every way out, the chunk's allocation failing included.
    const std::unique_ptr<z_stream, int (*)(z_stream*)> ending(&stream, deflateEnd);
    // Room for the worst case, the zlib header in front and the checksum behind.
    const std::size_t capacity = deflateBound(&stream, band.rawLength) + 16 + 6;
    band.chunk.emplace("IDAT", capacity);
    std::uint8_t* out = band.chunk->data();
    std::size_t length = 0;
    if (band.isFirst) {
        out[length++] = 0x78; // deflate, 32 KiB window
        out[length++] = 0x01; // fastest compression; header check bits
    }

    RowFilter filter(rowBytes, image.channels);
    band.adler = adler32(0, nullptr, 0);
    stream.next_out = out + length;
    stream.avail_out = static_cast<uInt>(capacity - length - 4);
    int status = Z_OK;
    for (int i = 0; i < band.rowCount && status == Z_OK; ++i) {
        const int y = band.firstRow + i;
        const std::uint8_t* row = filter.filter(image.row(y), y > 0 ? image.row(y - 1) : nullptr);
        band.adler = adler32(band.adler, row, static_cast<uInt>(rowBytes + 1));
        stream.next_in = const_cast<std::uint8_t*>(row);
        stream.avail_in = static_cast<uInt>(rowBytes + 1);
        const bool lastRow = i + 1 == band.rowCount;
        status = deflate(&stream, lastRow ? (band.isLast ? Z_FINISH : Z_SYNC_FLUSH) : Z_NO_FLUSH);
        if (stream.avail_in != 0)
            status = Z_BUF_ERROR;
    }
    if (status != (band.isLast ? Z_STREAM_END : Z_OK))
        band.failure = stream.msg ? stream.msg : zError(status);
    length = capacity - 4 - stream.avail_out;
    band.chunk->close(length); // the last band's checksum is appended by the caller
}

} // namespace

std::vector<Chunk> encodePNG(const Image& image, const std::string& fileName)
{
    if (image.width <= 0 || image.height <= 0 || (image.channels != 3 && image.channels != 4)
        || image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * image.channels)
        throw Failure(Failure::Kind::cannotSavePNG, fileName,
                      "not a picture: " + pictureSize(image.width, image.height) + ", " + std::to_string(image.channels) + " channels");

    // Bands of at least 64 rows, one per core.
    const int cores = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 16u));
    const int bandCount = std::clamp(image.height / 64, 1, cores);
    std::vector<Band> bands(bandCount);
    for (int i = 0; i < bandCount; ++i) {
        bands[i].firstRow = static_cast<int>(static_cast<std::int64_t>(image.height) * i / bandCount);
        bands[i].rowCount = static_cast<int>(static_cast<std::int64_t>(image.height) * (i + 1) / bandCount) - bands[i].firstRow;
        bands[i].isFirst = i == 0;
        bands[i].isLast = i + 1 == bandCount;
    }
    runBands(bandCount, [&image, &bands](int i) { deflateBand(image, bands[i]); });

    std::vector<Chunk> parts;
    parts.emplace_back("IHDR", 13);
    std::uint8_t* header = parts.back().data();
    putBigEndian(header, static_cast<std::uint32_t>(image.width));
    putBigEndian(header + 4, static_cast<std::uint32_t>(image.height));
    header[8] = 8;                             // bits per channel
    header[9] = image.channels == 4 ? 6 : 2;   // RGBA or RGB
    header[10] = header[11] = header[12] = 0;  // deflate, adaptive filters, not interlaced
    parts.back().close(13);

    uLong adler = adler32(0, nullptr, 0);
    for (Band& band : bands) {
        if (!band.failure.empty())
            throw Failure(Failure::Kind::cannotSavePNG, fileName, "zlib: " + band.failure);
        adler = adler32_combine(adler, band.adler, static_cast<z_off_t>(band.rawLength));
    }
    Chunk& last = *bands.back().chunk;
    const std::size_t lastLength = last.bytes().size() - 12;
    putBigEndian(last.data() + lastLength, static_cast<std::uint32_t>(adler));
    last.close(lastLength + 4);
    for (Band& band : bands)
        parts.push_back(std::move(*band.chunk));
    parts.emplace_back("IEND", 0);
    parts.back().close(0);
    return parts;
}

std::vector<std::uint8_t> encodePNGFile(const Image& image, const std::string& fileName)
{
    const std::vector<Chunk> chunks = encodePNG(image, fileName);
    std::size_t size = sizeof pngSignature;
    for (const Chunk& chunk : chunks)
        size += chunk.bytes().size();
    std::vector<std::uint8_t> bytes(size);
    std::uint8_t* out = std::copy(std::begin(pngSignature), std::end(pngSignature), bytes.data());
    for (const Chunk& chunk : chunks)
        out = std::copy(chunk.bytes().begin(), chunk.bytes().end(), out);
    return bytes;
}

} // namespace FrameExtractor
