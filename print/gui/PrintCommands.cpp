#include "print/gui/PrintCommands.h"

#include "chart/gui/PrinterFactsQt.h"
#include "document/Document.h"
#include "print/PdfPrintJob.h"
#include "print/gui/PrinterDialogs.h"
#include "print/gui/QPrinterPrintJob.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

namespace lw {

QString suggestedPdfFile(const QString& treeFile, const QString& current) {
    if (!treeFile.isEmpty()) {
        const QFileInfo tree(treeFile);
        return tree.absoluteDir().filePath(tree.completeBaseName() + QStringLiteral(".pdf"));
    }
    if (!current.isEmpty()) return current;
    return QDir::home().filePath(QStringLiteral("Stammbaum.pdf"));
}

PrintOutcome printWithDialog(QPrinter& printer, PrinterDialogs& dialogs,
                             const PrintContext& context) {
    const QString fileBefore = printer.outputFileName();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setOutputFileName(suggestedPdfFile(context.doc.FileName, fileBefore));
    if (!dialogs.printDialog(printer)) {
        printer.setOutputFileName(fileBefore);
        return {PrintStatus::Cancelled, 0};
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setDocName(kPrintTitle);
        const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
        PdfPrintJob job(printer.outputFileName(), printerFactsOf(printer), paper);
        return printChart(job, context);
    }
    QPrinterPrintJob job(printer);
    return printChart(job, context);
}

} // namespace lw
