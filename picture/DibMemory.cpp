// The memory of pictures: making, freeing and reading single pixels. Kept
// apart from the decoding so that programs that never decode a picture need
// no image library.
#include "picture/Dib.h"
#include "picture/DibImage.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

namespace lw {

namespace {

std::atomic<long>& liveCounter() {
    static std::atomic<long> count{0};
    return count;
}

bool supportedBitCount(int bitCount) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

// Bytes per stored row: rows padded to a multiple of 4 bytes.
std::int64_t rowBytes(int w, int bitCount) {
    const std::int64_t bitsPerRow = std::int64_t(w) * bitCount;
    return ((bitsPerRow + 31) / 32) * 4;
}

bool insidePicture(const TDibRecord& dib, int x, int y) {
    return !dib.empty() && x >= 0 && y >= 0 && x < dib.width() && y < dib.height();
}

} // namespace

bool pixelBytesAcceptable(int w, int h, int bitCount, std::int64_t limit) {
    // No overflow: each factor is checked against the limit before multiplying.
    if (w <= 0 || h <= 0) return false;
    const std::int64_t stride = rowBytes(w, bitCount);
    return stride <= limit && stride * h <= limit;
}

void deldib(TDibRecord dib) {
    if (!dib.info && !dib.bits) return;
    delete[] dib.bits;
    delete dib.info;
    --liveCounter();
}

bool newdib(TDibRecord& dib, int w, int h, int bitCount, const BITMAPINFO* colors, int colorCount) {
    dib = TDibRecord{};
    if (!supportedBitCount(bitCount) || !pixelBytesAcceptable(w, h, bitCount)) return false;
    const std::int64_t stride = rowBytes(w, bitCount);
    const std::size_t total = std::size_t(stride * h);

    auto* info = new (std::nothrow) BITMAPINFO{};
    auto* bits = new (std::nothrow) std::uint8_t[total]();
    if (!info || !bits) {
        delete info;
        delete[] bits;
        return false;
    }
    info->bmiHeader.biWidth = w;
    info->bmiHeader.biHeight = h;
    info->bmiHeader.biBitCount = std::uint16_t(bitCount);
    info->bmiHeader.biSizeImage = std::uint32_t(total);

    const int tableMax = bitCount <= 8 ? (1 << bitCount) : 0;
    const int n = std::clamp(colorCount, 0, tableMax);
    if (colors)
        for (int i = 0; i < n; ++i)
            info->bmiColors[i] = colors->bmiColors[i];
    info->bmiHeader.biClrUsed = std::uint32_t(n);

    dib.info = info;
    dib.bits = bits;
    dib.stride = std::int32_t(stride);
    ++liveCounter();
    return true;
}

std::uint32_t getpixel(TDibRecord dib, int x, int y) {
    if (!insidePicture(dib, x, y)) return 0;
    const std::uint8_t* row = dib.bits + std::size_t(y) * dib.stride;
    switch (dib.bitCount()) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1u;
    case 4:
        return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0Fu;
    case 8:
        return row[x];
    case 16:
        return row[2 * x] | (std::uint32_t(row[2 * x + 1]) << 8);
    case 24:
        return row[3 * x] | (std::uint32_t(row[3 * x + 1]) << 8) |
               (std::uint32_t(row[3 * x + 2]) << 16);
    case 32:
        return row[4 * x] | (std::uint32_t(row[4 * x + 1]) << 8) |
               (std::uint32_t(row[4 * x + 2]) << 16) | (std::uint32_t(row[4 * x + 3]) << 24);
    default:
        return 0;
    }
}

void setpixel(TDibRecord dib, int x, int y, std::uint32_t value) {
    if (!insidePicture(dib, x, y)) return;
    std::uint8_t* row = dib.bits + std::size_t(y) * dib.stride;
    switch (dib.bitCount()) {
    case 1: {
        const std::uint8_t mask = std::uint8_t(0x80u >> (x % 8));
        row[x / 8] = (value & 1u) ? (row[x / 8] | mask) : (row[x / 8] & ~mask);
        break;
    }
    case 4:
        if (x % 2 == 0)
            row[x / 2] = std::uint8_t((row[x / 2] & 0x0Fu) | ((value & 0x0Fu) << 4));
        else
            row[x / 2] = std::uint8_t((row[x / 2] & 0xF0u) | (value & 0x0Fu));
        break;
    case 8:
        row[x] = std::uint8_t(value);
        break;
    case 16:
        row[2 * x] = std::uint8_t(value);
        row[2 * x + 1] = std::uint8_t(value >> 8);
        break;
    case 24:
        row[3 * x] = std::uint8_t(value);
        row[3 * x + 1] = std::uint8_t(value >> 8);
        row[3 * x + 2] = std::uint8_t(value >> 16);
        break;
    case 32:
        for (int i = 0; i < 4; ++i)
            row[4 * x + i] = std::uint8_t(value >> (8 * i));
        break;
    default:
        break;
    }
}

long liveDibCount() {
    return liveCounter().load();
}

} // namespace lw
