#include "picture/Dib.h"
#include "picture/DibImage.h"
#include "picture/PictureProblems.h"

#include "platform/DocText.h"

#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstring>
#include <new>

namespace lw {

namespace {

std::uint8_t compositeOverWhite(int channel, int alpha) {
    return std::uint8_t((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

RGBQUAD quadFromRgb(QRgb c) {
    const int a = qAlpha(c);
    RGBQUAD q;
    q.rgbRed = compositeOverWhite(qRed(c), a);
    q.rgbGreen = compositeOverWhite(qGreen(c), a);
    q.rgbBlue = compositeOverWhite(qBlue(c), a);
    return q;
}

void copyColorTable(TDibRecord& dib, const QList<QRgb>& table) {
    const int n = int(std::min<qsizetype>(table.size(), 256));
    for (int i = 0; i < n; ++i)
        dib.info->bmiColors[i] = quadFromRgb(table[i]);
    dib.info->bmiHeader.biClrUsed = std::uint32_t(n);
}

// The rows of a 32-bit image as a bottom-up 24-bit BGR picture; `colour`
// gives each pixel's stored colour.
template <class Colour> bool toBgrDib(const QImage& image, TDibRecord& dib, Colour colour) {
    const int w = image.width(), h = image.height();
    if (image.isNull() || !newdib(dib, w, h, 24, nullptr, 0)) return false;
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* out = dib.bits + std::size_t(h - 1 - y) * dib.stride;
        for (int x = 0; x < w; ++x) {
            const RGBQUAD q = colour(in[x]);
            out[3 * x] = q.rgbBlue;
            out[3 * x + 1] = q.rgbGreen;
            out[3 * x + 2] = q.rgbRed;
        }
    }
    return true;
}

} // namespace

bool imageToDib(const QImage& source, TDibRecord& dib) {
    if (source.isNull()) return false;
    const int w = source.width();
    const int h = source.height();

    if (source.format() == QImage::Format_Mono || source.format() == QImage::Format_MonoLSB) {
        const QImage mono = source.convertToFormat(QImage::Format_Mono);
        if (!newdib(dib, w, h, 1, nullptr, 0)) return false;
        copyColorTable(dib, mono.colorTable());
        const std::size_t used = std::size_t((w + 7) / 8);
        for (int y = 0; y < h; ++y)
            std::memcpy(dib.bits + std::size_t(h - 1 - y) * dib.stride, mono.constScanLine(y),
                        used);
        return true;
    }

    if (source.format() == QImage::Format_Indexed8) {
        if (!newdib(dib, w, h, 8, nullptr, 0)) return false;
        copyColorTable(dib, source.colorTable());
        for (int y = 0; y < h; ++y)
            std::memcpy(dib.bits + std::size_t(h - 1 - y) * dib.stride, source.constScanLine(y),
                        std::size_t(w));
        return true;
    }

    // Nothing to lay over white without transparency: the colours are copied
    // as they are (over white, a pixel of full cover keeps its colour).
    if (!source.hasAlphaChannel())
        return toBgrDib(source.convertToFormat(QImage::Format_RGB32), dib, [](QRgb c) {
            RGBQUAD q{};
            q.rgbRed = std::uint8_t(qRed(c));
            q.rgbGreen = std::uint8_t(qGreen(c));
            q.rgbBlue = std::uint8_t(qBlue(c));
            return q;
        });
    return toBgrDib(source.convertToFormat(QImage::Format_ARGB32), dib, quadFromRgb);
}

bool pictureSizeAcceptable(QSize size) {
    return pixelBytesAcceptable(size.width(), size.height(), 32);
}

void prepareReader(QImageReader& reader, std::int64_t pixelLimit) {
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // Qt's own default refuses pictures above 128 MB, a 45-megapixel photo
    // among them; the limit here is the one the size check below applies.
    reader.setAllocationLimit(int(std::max<std::int64_t>(1, pixelLimit / (1024 * 1024))));
}

bool OpenDib(TDibRecord& dib, const std::string& fileName, int flags, ProgressSink* progress) {
    return OpenDib(dib, fromDocText(fileName), flags, progress);
}

bool OpenDib(TDibRecord& dib, const QString& fileName, int flags, ProgressSink* progress) {
    (void)flags;
    dib = TDibRecord{};
    if (progress) progress->postProgress(0);

    bool ok = false;
    if (!fileName.isEmpty()) {
        PluginMessageGuard quiet; // the decoder's own English warnings
        QImageReader reader(fileName);
        prepareReader(reader);
        const QSize size = reader.size();
        const bool sizeAcceptable = !size.isValid() || pictureSizeAcceptable(size);
        if (sizeAcceptable) {
            const QImage image = reader.read();
            if (!image.isNull()) {
                if (progress) progress->postProgress(50);
                ok = imageToDib(image, dib);
            }
        }
    }
    if (!ok) dib = TDibRecord{};
    if (progress) progress->postProgress(100);
    return ok;
}

std::string GetDIBOpenFilter() {
    return "Alle Bilder|*.bmp;*.png;*.jpg;*.jpeg;*.gif"
           "|Windows-Bitmap (*.bmp)|*.bmp"
           "|PNG-Grafik (*.png)|*.png"
           "|JPEG-Bild (*.jpg, *.jpeg)|*.jpg;*.jpeg"
           "|GIF-Grafik (*.gif)|*.gif"
           "|Alle Dateien (*.*)|*.*";
}

} // namespace lw
