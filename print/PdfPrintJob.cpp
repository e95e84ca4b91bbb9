#include "print/PdfPrintJob.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cmath>

namespace lw {

namespace {

constexpr double kPointsPerInch = 72.0;

int pointsCovering(int pixels, int dpi) {
    return int(std::ceil(double(pixels) * kPointsPerInch / dpi - 1e-9));
}

} // namespace

detail::PdfWriterHolder::PdfWriterHolder(const QString& fileName, const PrinterFacts& page)
    : writer(std::make_unique<QPdfWriter>(fileName)) {
    writer->setResolution(page.dpiX);
    const QSize points(pointsCovering(page.pageWidth, page.dpiX),
                       pointsCovering(page.pageHeight, page.dpiY));
    writer->setPageLayout(QPageLayout(QPageSize(points, QString(), QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF()));
    writer->setCreator(QStringLiteral("Lindwerk"));
}

detail::PdfWriterHolder::~PdfWriterHolder() = default;

PdfPrintJob::PdfPrintJob(const QString& fileName, const PrinterFacts& page)
    : PdfWriterHolder(fileName, page), PaintDevicePrintJob(*writer), fileName_(fileName),
      page_(page) {
    setPageClip(QRect(0, 0, page.pageWidth, page.pageHeight));
}

void PdfPrintJob::setTitle(const QString& title) {
    writer->setTitle(title);
}

} // namespace lw
