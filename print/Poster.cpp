#include "print/Poster.h"

#include "chart/ChartInputs.h"
#include "chart/FamilyLines.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/DocText.h"
#include "platform/QPainterCanvas.h"
#include "platform/WholeFile.h"
#include "print/PdfPrintJob.h"
#include "print/PrintCommand.h"
#include "print/PrintSheet.h"
#include "print/SvgCanvas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace lw {

namespace {

constexpr std::int64_t kEdge = 20; // pixels beyond the chart, as the view has them
constexpr double kMmPerInch = 25.4;
constexpr std::int64_t kScaleDen = 1'000'000'000;

QString cannotWrite(const QString& fileName) {
    return QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.")
        .arg(QFileInfo(fileName).fileName());
}

SheetSetup posterSetup(const Document& doc, PictureStore* store, const BoxLayout& box,
                       const ChartMargins& margins, int headingTop, const PrintScale& scale,
                       Point64 size, Dialogs* dialogs, ProgressSink* progress) {
    SheetSetup setup;
    setup.doc = &doc;
    setup.store = store;
    setup.box = &box;
    setup.margins = margins;
    setup.headingTop = headingTop;
    setup.scale = scale;
    setup.pageWidth = size.x;
    setup.pageHeight = size.y;
    setup.progress = progress;
    setup.dialogs = dialogs;
    return setup;
}

bool writeSvg(const SheetSetup& setup, const QString& fileName) {
    SvgCanvas canvas(int(setup.pageWidth), int(setup.pageHeight), setup.scale.Px, kPrintTitle);
    SheetPrinter(setup).PrintSheet(canvas, 0, 0);
    return writeWholeFile(fileName, canvas.svg());
}

} // namespace

PosterFormat posterFormatOf(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ? PosterFormat::Svg
                                                                         : PosterFormat::Pdf;
}

Point64 posterExtent(const Document& doc, const BoxLayout& box, const ChartMargins& margins,
                     int headingTop) {
    const ChartGrid grid = chartGridOf(doc, box, margins);
    std::int64_t right = 0, bottom = 0;
    for (const TPerson& p : doc.Persons()) {
        if (p.GridX < 0 || p.GridX >= doc.AreaWidth || p.GridY < 0 || p.GridY >= doc.AreaHeight)
            continue;
        right = std::max(right, grid.Right(p.GridX, p.GridY) + 1);
        bottom = std::max(bottom, grid.Bottom(p.GridY) + 1);
    }
    if (!doc.chart.Caption.empty()) {
        const QFontMetrics metrics(QPainterCanvas::toQFont(doc.chart.headingFont));
        const QString caption = fromDocText(doc.chart.Caption);
        right =
            std::max<std::int64_t>(right, margins.RandLPix + metrics.horizontalAdvance(caption));
        bottom = std::max<std::int64_t>(bottom, headingTop + metrics.height());
    }
    return {right + kEdge, bottom + kEdge};
}

QString percentText(double percent) {
    // One decimal, and below 1 % two significant digits.
    int decimals = 1;
    if (percent > 0 && percent < 1)
        decimals = std::min(9, 1 - int(std::floor(std::log10(percent))));
    return QLocale(QLocale::German).toString(percent, 'f', decimals);
}

PosterOutcome exportPoster(const Document& doc, const BoxLayout& box, ChartMargins& margins,
                           int screenDpi, const PosterRequest& request, const QString& fileName,
                           Dialogs* dialogs, ProgressSink* progress, PictureStore* store) {
    PosterOutcome out;
    const int S = screenDpi;
    margins = chartMargins(doc, S);
    const int headingTop = marginPixels(doc.chart.RandOED2, S);
    const Point64 extent = posterExtent(doc, box, margins, headingTop);
    const double naturalWidthMm = double(extent.x) / S * kMmPerInch;
    const double naturalHeightMm = double(extent.y) / S * kMmPerInch;

    double scale = request.widthMm > 0 ? request.widthMm / naturalWidthMm
                                       : double(request.num) / double(request.den);
    const PosterFormat format = posterFormatOf(fileName);
    const double largest = std::max(naturalWidthMm, naturalHeightMm) * scale;
    if (format == PosterFormat::Pdf && largest > kMaxPdfPageMm) {
        scale = scale * kMaxPdfPageMm / largest * 0.9999;
        out.notice = QStringLiteral("Der Stammbaum ist für eine PDF-Seite zu groß (höchstens "
                                    "5,08 m je Seite); er wurde auf %1 % verkleinert.")
                         .arg(percentText(scale * 100.0));
    }
    out.scale = scale;

    PrintScale printScale{S, kPosterDpi, kPosterDpi};
    if (request.widthMm > 0 || !out.notice.isEmpty()) {
        printScale.num = std::max<std::int64_t>(1, std::llround(scale * double(kScaleDen)));
        printScale.den = kScaleDen;
    } else {
        printScale.num = request.num;
        printScale.den = request.den;
    }
    const Point64 size{std::max<std::int64_t>(1, printScale.x(extent.x)),
                       std::max<std::int64_t>(1, printScale.y(extent.y))};
    if (size.x > std::numeric_limits<int>::max() / 2 ||
        size.y > std::numeric_limits<int>::max() / 2) {
        out.error =
            QStringLiteral("Der Stammbaum ist für eine Zeichnung in diesem Maßstab zu groß.");
        return out;
    }
    out.widthMm = double(size.x) / kPosterDpi * kMmPerInch;
    out.heightMm = double(size.y) / kPosterDpi * kMmPerInch;
    const SheetSetup setup =
        posterSetup(doc, store, box, margins, headingTop, printScale, size, dialogs, progress);

    try {
        if (format == PosterFormat::Svg) {
            out.written = writeSvg(setup, fileName);
        } else {
            const PrinterFacts page{kPosterDpi, kPosterDpi, int(size.x), int(size.y)};
            PdfPrintJob job(fileName, page, QSizeF(out.widthMm, out.heightMm));
            if (job.beginDocument(kPrintTitle)) {
                SheetPrinter(setup).PrintSheet(job.canvas(), 0, 0);
                out.written = job.endDocument();
            } else {
                job.abort();
            }
        }
    } catch (const std::bad_alloc&) {
        // The unfinished document is given back on the way here; nothing
        // was written.
        out.written = false;
        out.error = kMsgPosterNoMemory;
        return out;
    }
    if (!out.written) out.error = cannotWrite(fileName);
    return out;
}

} // namespace lw
