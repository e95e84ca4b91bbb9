// render: the arrange view of a family tree, painted into a PNG file, in
// full or a part of it, at its size or scaled.
//
// The picture is the chart as the arrange view shows it on a screen of the
// given resolution (96 pixels per inch unless told), with the page guides of
// the given printer: 600 pixels per inch and the printable part of an A4
// sheet unless told (4760 × 6815 printer pixels at 600 dpi: 210 × 297 mm
// less a sixth of an inch on each side). The margins are those that the
// file's millimetre values give at that resolution, as the view shows them
// from its second painting on (its first one is sized with the margins
// before the file was opened). A scale or a width in pixels scales the
// painting; cells or a person and a radius choose the part drawn.
#include "chart/ChartPainter.h"
#include "chart/ChartRender.h"
#include "chart/FamilyLines.h"
#include "cli/Commands.h"
#include "cli/draw/ChartOptions.h"
#include "cli/draw/RenderArgs.h"
#include "document/StaFile.h"
#include "picture/PictureStore.h"
#include "platform/PngEncoder.h"
#include "platform/QPainterCanvas.h"
#include "platform/WholeFile.h"

#include <QImage>
#include <QPainter>
#include <cmath>

namespace lw::cli {

namespace {

// The picture is painted in bands, so memory does not limit it; these keep
// a mistaken area size from painting for minutes.
constexpr std::int64_t kMaxPixels = 400'000'000;
constexpr std::int64_t kMaxWidth = 1'000'000;
const char* kRenderUsage =
    "Aufruf: lindwerk-cli render EIN.sta AUS.png [--screen-dpi N] [--printer-dpi N] "
    "[--page BxH] [--scale P | --width-px W] [--cells X0,Y0,X1,Y1 | --around N --radius R]\n";

// The chart pixels of `region` scaled by `f` into a picture of `size`,
// band by band as renderChartPng paints the whole chart.
std::optional<QByteArray> renderScaledPng(const ChartPaintInput& input, ChartMargins& margins,
                                          const Rect64& region, double f, Point64 size,
                                          QString* error) {
    const auto noMemory = [&]() -> std::optional<QByteArray> {
        *error = QStringLiteral("Nicht genug Speicher für ein Bild von %1 × %2 Pixeln.")
                     .arg(size.x)
                     .arg(size.y);
        return std::nullopt;
    };
    const int bandRows = int(std::min<std::int64_t>(renderBandRows(size.x), size.y));
    QImage band(int(size.x), bandRows, QImage::Format_RGB32);
    if (band.isNull()) return noMemory();
    PngEncoder png(int(size.x), int(size.y));
    const DeviceCaps caps{input.screenDpi, input.screenDpi, false, true};
    for (std::int64_t top = 0; top < size.y; top += bandRows) {
        const int rows = int(std::min<std::int64_t>(bandRows, size.y - top));
        // The chart rows that land on the band, a row more on each side.
        const std::int64_t y0 = region.top + std::int64_t(std::floor(double(top) / f));
        const std::int64_t y1 = std::min(
            region.bottom, region.top + std::int64_t(std::ceil(double(top + rows) / f)) + 1);
        band.fill(Qt::white);
        {
            QPainter painter(&band);
            painter.setClipRect(0, 0, band.width(), rows);
            painter.translate(0, double(y0 - region.top) * f - double(top));
            painter.scale(f, f);
            QPainterCanvas canvas(painter, caps);
            PaintBox1Paint(canvas, input, margins, Rect64{region.left, y0, region.right, y1},
                           Point64{region.left, y0});
        }
        if (!png.addRows(band, rows)) return noMemory();
    }
    QByteArray bytes = png.finish();
    if (bytes.isEmpty()) return noMemory();
    return bytes;
}

} // namespace

int runRender(const QStringList& arguments) {
    QStringList args = arguments;
    RenderArgs part;
    QString usage = takeRenderArgs(args, part);
    ChartOptions o;
    if (usage.isEmpty()) usage = parseChartOptions(args, o);
    if (!usage.isEmpty())
        return usageError(usage + QLatin1Char('\n') + QString::fromUtf8(kRenderUsage) +
                          QString::fromUtf8(kChartOptionsHelp) +
                          QString::fromUtf8(kRenderArgsHelp));

    StaReadResult read = loadSta(o.in, BoxLayout{});
    if (!read.file) return failure(read.error);
    StaFile& file = *read.file;

    const PrinterFacts printer = o.printer();
    ChartMargins margins = chartMargins(file.doc, o.screenDpi);
    const Point64 extent = chartExtent(file.doc, file.box, margins);
    QString error;
    const std::optional<Rect64> region =
        renderRegion(part, file.doc, chartGridOf(file.doc, file.box, margins), extent, &error);
    if (!region) return failure(error);
    const std::int64_t regionW = region->right - region->left;
    const std::int64_t regionH = region->bottom - region->top;
    const double f = part.widthPx > 0
                         ? double(part.widthPx) / double(std::max<std::int64_t>(1, regionW))
                     : part.percent > 0 ? part.percent / 100.0
                                        : 1.0;
    const Point64 size{std::max<std::int64_t>(1, std::llround(double(regionW) * f)),
                       std::max<std::int64_t>(1, std::llround(double(regionH) * f))};
    if (regionW < 1 || regionH < 1 || size.x > kMaxWidth || size.y > kMaxPixels ||
        size.x * size.y > kMaxPixels)
        return failure(QStringLiteral("Das Bild wäre mit %1 × %2 Pixeln zu groß. Ein kleineres "
                                      "Bild geben --scale P oder --width-px W, einen Ausschnitt "
                                      "--cells X0,Y0,X1,Y1 oder --around N --radius R.")
                           .arg(size.x)
                           .arg(size.y));

    ConsoleDialogs dialogs;
    PictureStore pictures;
    ChartPaintInput input{&file.doc, &file.box, o.screenDpi, printer, nullptr, &dialogs};
    input.store = &pictures;
    const std::optional<QByteArray> png =
        part.anyGiven() ? renderScaledPng(input, margins, *region, f, size, &error)
                        : renderChartPng(input, margins, extent, 0, &error);
    pictures.thumbnails().prune(); // the screen-size copies it may have added
    if (!png) return failure(error);
    // Complete or not at all: a full disk leaves no cut picture behind.
    if (!writeWholeFile(o.out, *png))
        return failure(QStringLiteral("Das Bild „%1“ konnte nicht vollständig geschrieben werden.")
                           .arg(o.out));
    return 0;
}

} // namespace lw::cli
