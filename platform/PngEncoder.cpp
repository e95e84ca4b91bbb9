#include "platform/PngEncoder.h"

#include <cstring>
#include <vector>
#include <zlib.h>

namespace lw {
namespace {

constexpr size_t kChunkBytes = 256 * 1024; // deflated bytes per IDAT chunk

void putWord(QByteArray& out, std::uint32_t v) {
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

void putChunk(QByteArray& out, const char type[4], const unsigned char* data, size_t size) {
    putWord(out, std::uint32_t(size));
    const qsizetype start = out.size();
    out.append(type, 4);
    if (size) out.append(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto* typed = reinterpret_cast<const Bytef*>(out.constData() + start);
    putWord(out, std::uint32_t(crc32(0, typed, uInt(size + 4))));
}

} // namespace

struct PngEncoder::State {
    int width = 0;
    int height = 0;
    int rowsDone = 0;
    bool ok = true;
    z_stream z{};
    bool zOpen = false;
    std::vector<unsigned char> previous; // the last row, unfiltered
    std::vector<unsigned char> current;
    std::vector<unsigned char> filtered; // filter byte and the row
    std::vector<unsigned char> chunk;
    QByteArray file;

    // Deflates what is in z's input; full chunks go into the file.
    bool pump(int flush) {
        for (;;) {
            z.next_out = chunk.data() + (kChunkBytes - z.avail_out);
            const int rc = deflate(&z, flush);
            if (rc == Z_STREAM_ERROR) return false;
            if (z.avail_out == 0) {
                putChunk(file, "IDAT", chunk.data(), kChunkBytes);
                z.avail_out = uInt(kChunkBytes);
                continue;
            }
            if (flush == Z_FINISH ? rc == Z_STREAM_END : z.avail_in == 0) return true;
            if (rc == Z_BUF_ERROR) return false;
        }
    }
};

PngEncoder::PngEncoder(int width, int height, int level) : s_(std::make_unique<State>()) {
    State& s = *s_;
    s.width = width;
    s.height = height;
    s.ok = width > 0 && height > 0 && deflateInit(&s.z, level) == Z_OK;
    s.zOpen = s.ok;
    if (!s.ok) return;
    const size_t rowBytes = size_t(width) * 3;
    s.previous.assign(rowBytes, 0);
    s.current.resize(rowBytes);
    s.filtered.resize(rowBytes + 1);
    s.chunk.resize(kChunkBytes);
    s.z.avail_out = uInt(kChunkBytes);

    s.file.append("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    putWord(header, std::uint32_t(width));
    putWord(header, std::uint32_t(height));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no interlace
    putChunk(s.file, "IHDR", reinterpret_cast<const unsigned char*>(header.constData()), 13);
}

PngEncoder::~PngEncoder() {
    if (s_->zOpen) deflateEnd(&s_->z);
}

bool PngEncoder::addRows(const QImage& band, int rows) {
    State& s = *s_;
    if (!s.ok || rows < 0 || rows > band.height() || band.width() != s.width ||
        rows > s.height - s.rowsDone)
        return false;
    const QImage rgb =
        band.format() == QImage::Format_RGB32 || band.format() == QImage::Format_ARGB32
            ? band
            : band.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        unsigned char* out = s.current.data();
        const unsigned char* above = s.previous.data();
        unsigned char* filtered = s.filtered.data();
        *filtered++ = 2; // up: each byte less the byte above it
        for (int x = 0; x < s.width; ++x) {
            const QRgb pixel = in[x];
            const auto r = static_cast<unsigned char>(pixel >> 16);
            const auto g = static_cast<unsigned char>(pixel >> 8);
            const auto b = static_cast<unsigned char>(pixel);
            filtered[0] = static_cast<unsigned char>(r - above[0]);
            filtered[1] = static_cast<unsigned char>(g - above[1]);
            filtered[2] = static_cast<unsigned char>(b - above[2]);
            out[0] = r;
            out[1] = g;
            out[2] = b;
            out += 3;
            above += 3;
            filtered += 3;
        }
        s.current.swap(s.previous);
        s.z.next_in = s.filtered.data();
        s.z.avail_in = uInt(s.filtered.size());
        if (!s.pump(Z_NO_FLUSH)) return s.ok = false;
        ++s.rowsDone;
    }
    return true;
}

QByteArray PngEncoder::finish() {
    State& s = *s_;
    if (!s.ok || s.rowsDone != s.height) return {};
    s.z.next_in = nullptr;
    s.z.avail_in = 0;
    if (!s.pump(Z_FINISH)) return {};
    const size_t rest = kChunkBytes - s.z.avail_out;
    if (rest) putChunk(s.file, "IDAT", s.chunk.data(), rest);
    putChunk(s.file, "IEND", nullptr, 0);
    s.ok = false; // finished
    return std::move(s.file);
}

} // namespace lw
