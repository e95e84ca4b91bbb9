#include "print/gui/QPrinterPrintJob.h"

#include "chart/gui/PrinterFactsQt.h"

#include <QPrinter>

namespace lw {

QPrinterPrintJob::QPrinterPrintJob(QPrinter& printer)
    : PaintDevicePrintJob(printer), printer_(printer) {}

void QPrinterPrintJob::setTitle(const QString& title) {
    printer_.setDocName(title);
}

PrinterFacts QPrinterPrintJob::readFacts() {
    // A printer without a resolution or page is not printed on at a guessed
    // scale: the print command reports it.
    if (printer_.logicalDpiX() <= 0 || printer_.logicalDpiY() <= 0 || printer_.width() <= 0 ||
        printer_.height() <= 0)
        return PrinterFacts{0, 0, 0, 0};
    return printerFactsOf(printer_);
}

bool QPrinterPrintJob::deviceFailed() const {
    return printer_.printerState() == QPrinter::Error;
}

void QPrinterPrintJob::abortDevice() {
    if (printer_.printerState() == QPrinter::Active) printer_.abort();
}

QString QPrinterPrintJob::outputFile() const {
    return printer_.outputFormat() == QPrinter::PdfFormat ? printer_.outputFileName() : QString();
}

} // namespace lw
