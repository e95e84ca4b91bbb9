#include "chart/gui/PrinterFactsQt.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace lw {

namespace {

constexpr int kFallbackDpi = 600;

} // namespace

PrinterFacts printerFactsOf(QPrinter& printer) {
    PrinterFacts facts;
    facts.dpiX = printer.logicalDpiX();
    facts.dpiY = printer.logicalDpiY();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    facts.pageWidth = page.width();
    facts.pageHeight = page.height();
    if (facts.dpiX <= 0 || facts.dpiY <= 0 || facts.pageWidth <= 0 || facts.pageHeight <= 0)
        return PrinterFacts::a4(kFallbackDpi);
    return facts;
}

std::unique_ptr<QPrinter> makeDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setResolution(kFallbackDpi);
    return printer;
}

} // namespace lw
