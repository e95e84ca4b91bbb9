#include "chart/ChartRender.h"

#include "chart/ChartPainter.h"
#include "platform/PngEncoder.h"
#include "platform/QPainterCanvas.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace lw {

int renderBandRows(std::int64_t width) {
    return int(std::clamp<std::int64_t>(kRenderBandBytes / (std::max<std::int64_t>(width, 1) * 4),
                                        1, 1 << 20));
}

std::optional<QByteArray> renderChartPng(const ChartPaintInput& input, ChartMargins& margins,
                                         Point64 size, int bandRows, QString* error) {
    auto fail = [&](const QString& message) -> std::optional<QByteArray> {
        if (error) *error = message;
        return std::nullopt;
    };
    const auto noMemory = [&] {
        return fail(QStringLiteral("Nicht genug Speicher für ein Bild von %1 × %2 Pixeln.")
                        .arg(size.x)
                        .arg(size.y));
    };
    if (size.x < 1 || size.y < 1 || size.x > INT32_MAX || size.y > INT32_MAX) return noMemory();
    if (bandRows <= 0) bandRows = renderBandRows(size.x);
    bandRows = int(std::min<std::int64_t>(bandRows, size.y));

    QImage band(int(size.x), bandRows, QImage::Format_RGB32);
    if (band.isNull()) return noMemory();
    PngEncoder png(int(size.x), int(size.y));
    const DeviceCaps caps{input.screenDpi, input.screenDpi, false, true};
    for (std::int64_t top = 0; top < size.y; top += bandRows) {
        const int rows = int(std::min<std::int64_t>(bandRows, size.y - top));
        {
            QPainter painter(&band);
            painter.setClipRect(0, 0, band.width(), rows);
            QPainterCanvas canvas(painter, caps);
            PaintBox1Paint(canvas, input, margins, Rect64{0, top, size.x, top + rows},
                           Point64{0, top});
        }
        if (!png.addRows(band, rows)) return noMemory();
    }
    QByteArray bytes = png.finish();
    if (bytes.isEmpty()) return noMemory();
    return bytes;
}

} // namespace lw
