#include "pngwriter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <vector>

namespace ui {

namespace {

// Rows filtered between two calls of deflate: enough to keep the calls few, few enough that
// the filtered rows stay in the cache.
constexpr int kRowsPerStep = 16;
// zlib's fastest level, with its general search for matches: a puzzle's letters repeat, and
// matching runs only made a 60 x 60 puzzle's file twice as large. Files come out about as
// large as the usual PNG writers make them at this level.
constexpr int kLevel = 1;
// The longest IDAT chunk written, in bytes; the format allows 2^31 - 1.
constexpr qsizetype kMaxChunk = qsizetype(1) << 30;

// The filter types a row may have, as the file numbers them.
enum Filter : uint8_t { kNone = 0, kSub = 1, kUp = 2 };

// The bytes of a pixel, one a channel: a byte's left neighbour is this many bytes before it.
constexpr int kPixelBytes = 3;

void putU32(QByteArray& out, uint32_t value) {
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

// Appends a chunk: its length, type, data and the CRC of type and data.
void putChunk(QByteArray& out, const char* type, const char* data, qsizetype size) {
    putU32(out, uint32_t(size));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data, size);
    putU32(out, uint32_t(crc32_z(0, reinterpret_cast<const Bytef*>(out.constData() + start),
                                 z_size_t(size + 4))));
}

// Row y of an RGB32 image as 3 bytes a pixel, red first.
void rgbRow(const QImage& image, int y, uint8_t* out) {
    const auto* pixel = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const int width = image.width();
    for (int x = 0; x < width; ++x, out += kPixelBytes) {
        out[0] = uint8_t(qRed(pixel[x]));
        out[1] = uint8_t(qGreen(pixel[x]));
        out[2] = uint8_t(qBlue(pixel[x]));
    }
}

// A filtered byte's distance from 0 when read as signed, the measure of how well it packs.
inline unsigned magnitude(uint8_t byte) {
    return unsigned(std::abs(int(int8_t(byte))));
}

// Writes row (n bytes) to out as its filter type and n filtered bytes, by the filter among
// None, Sub and Up that leaves the smallest sum of magnitudes; the first of them on a tie.
// above is the unfiltered row before it, zeros for the image's first row.
void filterRow(const uint8_t* row, const uint8_t* above, size_t n, uint8_t* out) {
    uint64_t none = 0, sub = 0, up = 0;
    const size_t lead = std::min<size_t>(n, kPixelBytes);  // the first pixel has no left
    for (size_t i = 0; i < lead; ++i) {
        none += magnitude(row[i]);
        sub += magnitude(row[i]);
        up += magnitude(uint8_t(row[i] - above[i]));
    }
    for (size_t i = lead; i < n; ++i) {
        none += magnitude(row[i]);
        sub += magnitude(uint8_t(row[i] - row[i - kPixelBytes]));
        up += magnitude(uint8_t(row[i] - above[i]));
    }
    const Filter filter = sub < none && sub <= up ? kSub : up < none ? kUp : kNone;
    out[0] = filter;
    uint8_t* filtered = out + 1;
    switch (filter) {
        case kNone:
            std::copy(row, row + n, filtered);
            break;
        case kSub:
            std::copy(row, row + lead, filtered);
            for (size_t i = lead; i < n; ++i)
                filtered[i] = uint8_t(row[i] - row[i - kPixelBytes]);
            break;
        case kUp:
            for (size_t i = 0; i < n; ++i)
                filtered[i] = uint8_t(row[i] - above[i]);
            break;
    }
}

// The rows are compressed in this many parts, each on its own and on any thread. The number is
// fixed, not the machine's count of cores, because where the parts start shapes the bytes.
constexpr int kParts = 4;

// The first row of part number part of an image of rows rows; the last part ends at rows. With
// fewer rows than parts some parts are empty.
int partTop(int part, int rows) {
    return int(qint64(part) * rows / kParts);
}

// One part of the image's rows filtered and compressed.
struct Part {
    bool ok = false;      // false when zlib could not start (out of memory)
    QByteArray deflated;  // raw deflate data that ends on a byte boundary, final when last
    uLong adler = 0;      // of the filtered rows
    z_off_t length = 0;   // of the filtered rows, in bytes
};

// The rows of part number part of an RGB32 image, filtered and compressed.
Part compressPart(const QImage& image, int part) {
    const int first = partTop(part, image.height());
    const int end = partTop(part + 1, image.height());
    const size_t rowBytes = size_t(image.width()) * kPixelBytes;
    const size_t stride = rowBytes + 1;
    std::vector<uint8_t> rows(2 * rowBytes, 0);  // the row above, zeros above the image; the row
    uint8_t* above = rows.data();
    uint8_t* row = rows.data() + rowBytes;
    if (first > 0) rgbRow(image, first - 1, above);
    std::vector<uint8_t> filtered(kRowsPerStep * stride);

    Part out;
    out.adler = adler32_z(0, nullptr, 0);
    out.length = z_off_t(end - first) * z_off_t(stride);
    z_stream stream{};
    if (deflateInit2(&stream, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return out;
    out.deflated.resize(qsizetype(deflateBound(&stream, uLong(out.length))) + 64);
    qsizetype used = 0;
    int y = first;
    do {  // once at least, so that an empty part still ends as the others do
        const int step = std::min(kRowsPerStep, end - y);
        for (int i = 0; i < step; ++i, ++y) {
            rgbRow(image, y, row);
            filterRow(row, above, rowBytes, filtered.data() + size_t(i) * stride);
            std::swap(row, above);
        }
        const size_t size = size_t(step) * stride;
        out.adler = adler32_z(out.adler, filtered.data(), size);
        const int flush = y < end ? Z_NO_FLUSH : part == kParts - 1 ? Z_FINISH : Z_SYNC_FLUSH;
        stream.next_in = filtered.data();
        stream.avail_in = uInt(size);
        do {
            if (out.deflated.size() - used < 64) out.deflated.resize(2 * out.deflated.size());
            stream.next_out = reinterpret_cast<Bytef*>(out.deflated.data() + used);
            stream.avail_out = uInt(std::min<qsizetype>(out.deflated.size() - used, kMaxChunk));
            deflate(&stream, flush);
            used = out.deflated.size() - qsizetype(stream.avail_out);
        } while (stream.avail_out == 0);
    } while (y < end);
    deflateEnd(&stream);
    out.deflated.truncate(used);
    out.ok = true;
    return out;
}

}  // namespace

QByteArray pngFile(const QImage& source) {
    if (source.isNull()) return {};
    const QImage image = source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    // The parts go to the calling thread and up to one more thread per further core.
    std::array<Part, kParts> parts;
    std::atomic<int> next{0};
    auto work = [&] {
        for (int part = next++; part < kParts; part = next++)
            parts[size_t(part)] = compressPart(image, part);
    };
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> helpers;
    for (int i = 1; i < std::min(kParts, cores); ++i)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();

    // The zlib stream: a header for deflate with a 32 KiB window at the fastest level, the
    // parts one after the other, and the Adler-32 sum of all they hold.
    QByteArray stream("\x78\x01", 2);
    uLong adler = adler32_z(0, nullptr, 0);
    for (const Part& part : parts) {
        if (!part.ok) return {};
        stream += part.deflated;
        adler = adler32_combine(adler, part.adler, part.length);
    }
    putU32(stream, uint32_t(adler));

    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    file.reserve(stream.size() + 128);
    QByteArray header;
    putU32(header, uint32_t(image.width()));
    putU32(header, uint32_t(image.height()));
    header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive, no interlace
    putChunk(file, "IHDR", header.constData(), header.size());
    if (image.dotsPerMeterX() > 0 || image.dotsPerMeterY() > 0) {
        QByteArray physical;
        putU32(physical, uint32_t(std::max(0, image.dotsPerMeterX())));
        putU32(physical, uint32_t(std::max(0, image.dotsPerMeterY())));
        physical.append('\x01');  // per metre
        putChunk(file, "pHYs", physical.constData(), physical.size());
    }
    for (qsizetype at = 0; at < stream.size(); at += kMaxChunk)
        putChunk(file, "IDAT", stream.constData() + at, std::min(kMaxChunk, stream.size() - at));
    putChunk(file, "IEND", nullptr, 0);
    return file;
}

}  // namespace ui
