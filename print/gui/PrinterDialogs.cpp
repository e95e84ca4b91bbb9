#include "print/gui/PrinterDialogs.h"

#include "print/gui/PrinterSetupDialog.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>

namespace lw {

namespace {

// The home folder exists on every account, unlike a documents folder.
QString suggestedPdfName() {
    return QDir::home().filePath(QStringLiteral("Stammbaum.pdf"));
}

} // namespace

bool QtPrinterDialogs::printDialog(QPrinter& printer) {
    const QString fileBefore = printer.outputFileName();
    if (printer.outputFormat() == QPrinter::PdfFormat && fileBefore.isEmpty())
        printer.setOutputFileName(suggestedPdfName());
    QPrintDialog dialog(&printer, parent_);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    // The whole chart is printed: no page range, no selection.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() == QDialog::Accepted) return true;
    printer.setOutputFileName(fileBefore);
    return false;
}

void QtPrinterDialogs::setupDialog(QPrinter& printer, PrintOptions& options) {
    PrinterSetupDialog dialog(printer, options, parent_);
    if (dialog.exec() == QDialog::Accepted) dialog.apply();
}

} // namespace lw
