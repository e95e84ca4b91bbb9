#include "platform/DibToImage.h"

#include <algorithm>
#include <cstring>

namespace lw {

namespace {

QList<QRgb> colorTable(const TDibRecord& dib, int entries) {
    QList<QRgb> table;
    table.reserve(entries);
    for (int i = 0; i < entries; ++i) {
        const RGBQUAD& q = dib.info->bmiColors[i];
        table.append(qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue));
    }
    return table;
}

QImage::Format formatFor(int bitCount) {
    switch (bitCount) {
    case 1:
        return QImage::Format_Mono;
    case 4:
    case 8:
        return QImage::Format_Indexed8;
    case 16:
        return QImage::Format_RGB555;
    case 24:
        return QImage::Format_BGR888;
    case 32:
        return QImage::Format_RGB32;
    default:
        return QImage::Format_Invalid;
    }
}

// One stored row into one image line; 4-bit rows are widened to a byte per
// pixel, everything else is copied as it is.
void copyRow(const std::uint8_t* in, uchar* out, int width, int bitCount) {
    if (bitCount == 4) {
        for (int x = 0; x < width; ++x)
            out[x] = x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 0x0F;
        return;
    }
    const std::size_t bytes = (std::size_t(width) * std::size_t(bitCount) + 7) / 8;
    std::memcpy(out, in, bytes);
}

} // namespace

QImage dibRowsToImage(const TDibRecord& dib, int startLine, int lines) {
    if (dib.empty() || dib.width() <= 0 || dib.height() <= 0) return {};
    const int bitCount = dib.bitCount();
    const QImage::Format format = formatFor(bitCount);
    if (format == QImage::Format_Invalid) return {};
    const int first = std::max(startLine, 0);
    const int end = int(std::min<std::int64_t>(std::int64_t(startLine) + lines, dib.height()));
    if (end <= first) return {};

    const int width = dib.width();
    QImage image(width, end - first, format);
    if (image.isNull()) return {};
    if (bitCount <= 8) image.setColorTable(colorTable(dib, 1 << bitCount));
    for (int line = 0; line < image.height(); ++line) {
        const int stored = end - 1 - line;
        copyRow(dib.bits + std::size_t(stored) * dib.stride, image.scanLine(line), width, bitCount);
    }
    return image;
}

QImage dibToImage(const TDibRecord& dib) {
    return dibRowsToImage(dib, 0, dib.height());
}

} // namespace lw
