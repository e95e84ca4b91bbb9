#include "print/PrintCommand.h"

#include "chart/ChartPainter.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/Dialogs.h"
#include "print/PrintJob.h"
#include "print/PrintSheet.h"

namespace lw {

namespace {

PrintOutcome fail(PrintJob& job, const PrintContext& context, const QString& message,
                  std::int64_t sheets = 0) {
    job.abort();
    showError(context.dialogs, message);
    return {PrintStatus::Failed, sheets};
}

bool usable(const PrinterFacts& f, int screenDpi) {
    return screenDpi > 0 && f.dpiX > 0 && f.dpiY > 0 && f.pageWidth > 0 && f.pageHeight > 0;
}

} // namespace

PrintOutcome printChart(PrintJob& job, const PrintContext& context) {
    Document& doc = context.doc;
    const BoxLayout& box = context.box;
    const ChartCorner corner = occupiedCorner(doc);

    if (!job.beginDocument(kPrintTitle)) return fail(job, context, kMsgPrintBegin);
    const PrinterFacts printer = job.facts();
    const int S = context.screenDpi;
    if (!usable(printer, S)) return fail(job, context, kMsgPrinterFacts);
    const PrintScale scale{S, printer.dpiX, printer.dpiY};

    context.margins = chartMargins(doc, S);
    const int headingTop = marginPixels(doc.chart.RandOED2, S);

    const SheetCount count = countSheets(box.BreitEd, box.HochEd, corner, context.margins, scale,
                                         printer.pageWidth, printer.pageHeight);
    const std::int64_t sheets = count.total();
    if (sheets < 0) return fail(job, context, kMsgTooManySheets);
    context.dialogs.messageBox(sheetCountMessage(sheets), QStringLiteral("Information"),
                               MB_OK | MB_ICONINFORMATION);

    SheetSetup setup;
    setup.doc = &doc;
    setup.box = &box;
    setup.margins = context.margins;
    setup.headingTop = headingTop;
    setup.scale = scale;
    setup.pageWidth = printer.pageWidth;
    setup.pageHeight = printer.pageHeight;
    setup.progress = context.progress;
    setup.dialogs = &context.dialogs;
    SheetPrinter sheetPrinter(setup);
    sheetPrinter.preparePictures();

    for (std::int64_t i = 0; i < count.Rows; ++i) {
        for (std::int64_t j = 0; j < count.Cols; ++j) {
            sheetPrinter.PrintSheet(job.canvas(), printer.pageWidth * j, printer.pageHeight * i);
            const bool last = i == count.Rows - 1 && j == count.Cols - 1;
            if (!last && !job.newPage()) return fail(job, context, kMsgPrintNewPage, sheets);
        }
    }
    if (!job.endDocument()) return fail(job, context, kMsgPrintEnd, sheets);
    return {PrintStatus::Printed, sheets};
}

} // namespace lw
