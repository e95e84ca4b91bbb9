#include "picture/DrawDib.h"

#include "platform/Canvas.h"
#include "platform/Dialogs.h"

#include <QString>
#include <cstring>
#include <vector>

namespace lw {

namespace {

void tell(Dialogs* dialogs, const QString& text) {
    if (dialogs) dialogs->messageBox(text, QString(), MB_OK);
}

// Screen path for 24- and 8-bit pictures: nearest-neighbour scaling row by
// row through a one-row picture. False when the row picture cannot be had.
bool drawScaledRows(Canvas& canvas, int X, int Y, int DestW, int DestH, const TDibRecord& dib) {
    const int bitCount = dib.bitCount();
    const int bytesPerPixel = bitCount / 8;
    TDibRecord row;
    if (!newdib(row, DestW, 1, bitCount, bitCount == 8 ? dib.info : nullptr,
                bitCount == 8 ? 256 : 0))
        return false;

    const std::int64_t width = dib.width();
    const std::int64_t height = dib.height();
    std::vector<int> sourceColumn(static_cast<std::size_t>(DestW));
    for (int i = 0; i < DestW; ++i)
        sourceColumn[std::size_t(i)] = int(width * i / DestW);

    int storedRowInBuffer = -1;
    for (int r = 0; r < DestH; ++r) {
        const int storedRow = int(height - 1 - height * r / DestH);
        if (storedRow != storedRowInBuffer) {
            const std::uint8_t* in = dib.bits + std::size_t(storedRow) * dib.stride;
            for (int i = 0; i < DestW; ++i)
                std::memcpy(row.bits + std::size_t(i) * bytesPerPixel,
                            in + std::size_t(sourceColumn[std::size_t(i)]) * bytesPerPixel,
                            std::size_t(bytesPerPixel));
            storedRowInBuffer = storedRow;
        }
        canvas.setDIBitsToDevice(X, Y + r, DestW, 1, 0, 1, row);
    }
    deldib(row);
    return true;
}

// Copies pixel (sx, sy) of `from` to (x, y) of `to`, both with `bitCount`
// bits; `to` starts all zero.
void copyPixel(const TDibRecord& from, int sx, int sy, const TDibRecord& to, int x, int y,
               int bitCount) {
    if (bitCount == 1) {
        setpixel(to, x, y, getpixel(from, sx, sy));
    } else if (bitCount == 4) {
        const std::uint8_t source = from.bits[std::size_t(sy) * from.stride + std::size_t(sx / 2)];
        const std::uint8_t nibble = sx % 2 == 0 ? source >> 4 : source & 0x0F;
        std::uint8_t& target = to.bits[std::size_t(y) * to.stride + std::size_t(x / 2)];
        target |= x % 2 == 0 ? std::uint8_t(nibble << 4) : nibble;
    } else if (bitCount % 8 == 0) {
        const std::size_t bytes = std::size_t(bitCount / 8);
        std::memcpy(to.bits + std::size_t(y) * to.stride + std::size_t(x) * bytes,
                    from.bits + std::size_t(sy) * from.stride + std::size_t(sx) * bytes, bytes);
    }
}

// First fallback: the picture scaled here to the destination size (first and
// last pixels mapping onto each other) and output unscaled. True when the
// device took it.
bool drawScaledCopy(Canvas& canvas, int X, int Y, int DestW, int DestH, const TDibRecord& dib) {
    const int bitCount = dib.bitCount();
    const int colorCount = bitCount <= 8 ? (1 << bitCount) : 0;
    TDibRecord scaled;
    if (!newdib(scaled, DestW, DestH, bitCount, dib.info, colorCount)) return false;

    const std::int64_t lastColumn = dib.width() - 1;
    const std::int64_t lastRow = dib.height() - 1;
    for (int y = 0; y < DestH; ++y) {
        const int sy = int(lastRow * y / (DestH - 1));
        for (int x = 0; x < DestW; ++x) {
            const int sx = int(lastColumn * x / (DestW - 1));
            copyPixel(dib, sx, sy, scaled, x, y, bitCount);
        }
    }
    const int lines = canvas.setDIBitsToDevice(X, Y, DestW, DestH, 0, DestH, scaled);
    deldib(scaled);
    return lines != 0;
}

// Last way: through a device bitmap of the picture's size, copied stretched.
void drawThroughDeviceBitmap(Canvas& canvas, int X, int Y, int DestW, int DestH,
                             const TDibRecord& dib, Dialogs* dialogs) {
    const int width = dib.width();
    const int height = dib.height();
    std::unique_ptr<DeviceBitmap> bitmap = canvas.createCompatibleBitmap(width, height);
    if (!bitmap) {
        tell(dialogs, QStringLiteral("Konnte Bitmap nicht erzeugen!"));
        return;
    }
    if (canvas.setDIBits(*bitmap, 0, height, dib) == 0) {
        tell(dialogs, QStringLiteral("Das Gerät unterstützt die Funtkion setdibits nicht!"));
        return;
    }
    if (!canvas.stretchBlt(X, Y, DestW, DestH, *bitmap, 0, 0, width, height))
        tell(dialogs, QStringLiteral("Das Gerät unterstützt die Funktion StretchBlt nicht!"));
}

} // namespace

void DrawDib(Canvas& canvas, int X, int Y, int DestW, int DestH, TDibRecord dib, Dialogs* dialogs) {
    if (dib.empty() || dib.width() <= 0 || dib.height() <= 0 || DestW < 1 || DestH < 1) return;

    const DeviceCaps caps = canvas.deviceCaps();
    canvas.setStretchBltMode(COLORONCOLOR);

    const int bitCount = dib.bitCount();
    if (!caps.rasterPrinter && (bitCount == 24 || bitCount == 8) &&
        drawScaledRows(canvas, X, Y, DestW, DestH, dib))
        return;

    if (canvas.stretchDIBits(X, Y, DestW, DestH, 0, 0, dib.width(), dib.height(), dib) != GDI_ERROR)
        return;

    // The scaled copy maps the last pixel onto the last pixel and so needs
    // at least two of each; smaller destinations go the last way directly.
    if (caps.dibToDevice && DestW >= 2 && DestH >= 2 &&
        drawScaledCopy(canvas, X, Y, DestW, DestH, dib))
        return;

    drawThroughDeviceBitmap(canvas, X, Y, DestW, DestH, dib, dialogs);
}

} // namespace lw
