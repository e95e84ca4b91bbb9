// render: the arrange view of a family tree, painted in full into a PNG file.
//
// The picture is the chart as the arrange view shows it on a screen of the
// given resolution (96 pixels per inch unless told), with the page guides of
// the given printer: 600 pixels per inch and the printable part of an A4
// sheet unless told (4760 × 6815 printer pixels at 600 dpi: 210 × 297 mm
// less a sixth of an inch on each side). The margins are those that the
// file's millimetre values give at that resolution, as the view shows them
// from its second painting on (its first one is sized with the margins
// before the file was opened).
#include "chart/ChartRender.h"
#include "cli/draw/ChartOptions.h"
#include "cli/Commands.h"
#include "document/StaFile.h"
#include "platform/WholeFile.h"

namespace lw::cli {

namespace {

// The picture is painted in bands, so memory does not limit it; these keep
// a mistaken area size from painting for minutes.
constexpr std::int64_t kMaxPixels = 400'000'000;
constexpr std::int64_t kMaxWidth = 1'000'000;
const char* kRenderUsage =
    "Aufruf: lindwerk-cli render EIN.sta AUS.png [--screen-dpi N] [--printer-dpi N] "
    "[--page BxH]\n";

} // namespace

int runRender(const QStringList& args) {
    ChartOptions o;
    const QString usage = parseChartOptions(args, o);
    if (!usage.isEmpty())
        return usageError(usage + QLatin1Char('\n') + QString::fromUtf8(kRenderUsage) +
                          QString::fromUtf8(kChartOptionsHelp));

    StaReadResult read = loadSta(o.in, BoxLayout{});
    if (!read.file) return failure(read.error);
    StaFile& file = *read.file;

    const PrinterFacts printer = o.printer();
    ChartMargins margins = chartMargins(file.doc, o.screenDpi);
    const Point64 size = chartExtent(file.doc, file.box, margins);
    if (size.x < 1 || size.y < 1 || size.x > kMaxWidth || size.y > kMaxPixels ||
        size.x * size.y > kMaxPixels)
        return failure(
            QStringLiteral("Das Bild wäre mit %1 × %2 Pixeln zu groß.").arg(size.x).arg(size.y));

    ConsoleDialogs dialogs;
    ChartPaintInput input{&file.doc, &file.box, o.screenDpi, printer, nullptr, &dialogs};
    QString error;
    const std::optional<QByteArray> png = renderChartPng(input, margins, size, 0, &error);
    file.doc.pictures().thumbnails().prune(); // the screen-size copies it may have added
    if (!png) return failure(error);
    // Complete or not at all: a full disk leaves no cut picture behind.
    if (!writeWholeFile(o.out, *png))
        return failure(QStringLiteral("Das Bild „%1“ konnte nicht vollständig geschrieben werden.")
                           .arg(o.out));
    return 0;
}

} // namespace lw::cli
