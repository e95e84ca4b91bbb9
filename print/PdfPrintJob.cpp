#include "print/PdfPrintJob.h"

#include "platform/WholeFile.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace lw {

namespace {

constexpr double kMmPerInch = 25.4;

constexpr double kPointsPerInch = 72.0;

// The paper, at least as large as the printable page. PDF pages measure
// whole points.
QPageSize paperHolding(const PrinterFacts& page, QSizeF paperMm) {
    const QSizeF mm(std::max(paperMm.width(), page.pageWidth * kMmPerInch / page.dpiX),
                    std::max(paperMm.height(), page.pageHeight * kMmPerInch / page.dpiY));
    QSize points(int(std::lround(mm.width() / kMmPerInch * kPointsPerInch)),
                 int(std::lround(mm.height() / kMmPerInch * kPointsPerInch)));
    // Rounding must not make the paper smaller than the printable page.
    auto covering = [](int pixels, int dpi) {
        return int(std::ceil(double(pixels) * kPointsPerInch / dpi - 1e-9));
    };
    points = points.expandedTo(
        QSize(covering(page.pageWidth, page.dpiX), covering(page.pageHeight, page.dpiY)));
    return QPageSize(points, QString(), QPageSize::ExactMatch);
}

} // namespace

detail::PdfWriterHolder::PdfWriterHolder(const PrinterFacts& page, QSizeF paperMm)
    : writer(std::make_unique<QPdfWriter>(&buffer)) {
    writer->setResolution(page.dpiX);
    writer->setPageLayout(
        QPageLayout(paperHolding(page, paperMm), QPageLayout::Portrait, QMarginsF()));
    writer->setCreator(QStringLiteral("Lindwerk"));
}

detail::PdfWriterHolder::~PdfWriterHolder() = default;

PdfPrintJob::PdfPrintJob(const QString& fileName, const PrinterFacts& page, QSizeF paperMm)
    : PdfWriterHolder(page, paperMm), PaintDevicePrintJob(*writer), fileName_(fileName),
      page_(page) {
    const QSize points = paperHolding(page, paperMm).sizePoints();
    const int paperW = int(std::int64_t(points.width()) * page.dpiX / 72);
    const int paperH = int(std::int64_t(points.height()) * page.dpiY / 72);
    setPageOffset(QPoint(std::max(0, (paperW - page.pageWidth) / 2),
                         std::max(0, (paperH - page.pageHeight) / 2)));
    setPageClip(QRect(0, 0, page.pageWidth, page.pageHeight));
}

PdfPrintJob::~PdfPrintJob() {
    finish();
}

bool PdfPrintJob::beginDocument(const QString& title) {
    if (!QFileInfo(QFileInfo(fileName_).absolutePath()).isDir()) return false;
    buffer.open(QIODevice::WriteOnly);
    return PaintDevicePrintJob::beginDocument(title);
}

bool PdfPrintJob::endDocument() {
    if (!PaintDevicePrintJob::endDocument()) return false;
    const bool written = writeWholeFile(fileName_, buffer.data());
    buffer.close();
    buffer.setData(QByteArray());
    return written;
}

void PdfPrintJob::setTitle(const QString& title) {
    writer->setTitle(title);
}

} // namespace lw
