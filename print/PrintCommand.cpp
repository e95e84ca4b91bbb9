#include "print/PrintCommand.h"

#include "chart/ChartPainter.h"
#include "chart/FamilyLines.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/Dialogs.h"
#include "print/PrintJob.h"
#include "print/PrintSheet.h"
#include "print/SheetDecor.h"
#include "print/SheetPlan.h"

#include <QFileInfo>

#include <new>

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

QRect toQRect(const Rect64& r) {
    return QRect(int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top));
}

} // namespace

PrintOutcome printChartOrThrow(PrintJob& job, const PrintContext& context);

QString sheetQuestion(std::int64_t printed, std::int64_t leftOut, bool map) {
    QString text = sheetCountMessage(printed);
    if (map) text += QStringLiteral(" und ein Übersichtsblatt");
    if (leftOut > 0) text += QStringLiteral(" – %1 leere Blätter werden ausgelassen").arg(leftOut);
    return text;
}

PrintOutcome printChartOrThrow(PrintJob& job, const PrintContext& context) {
    const Document& doc = context.doc;
    const BoxLayout& box = context.box;
    const PrintOptions& options = context.options;
    const ChartCorner corner = occupiedCorner(doc);

    if (!job.beginDocument(kPrintTitle)) return fail(job, context, kMsgPrintBegin);
    const PrinterFacts printer = job.facts();
    const int S = context.screenDpi;
    if (!usable(printer, S)) return fail(job, context, kMsgPrinterFacts);

    context.margins = chartMargins(doc, S);
    const int headingTop = marginPixels(doc.chart.RandOED2, S);

    QString error;
    const std::optional<SheetPlan> plan =
        planSheets(options,
                   countedExtent(box.BreitEd, box.HochEd + familyRowSpacing(doc, box), corner,
                                 context.margins),
                   S, printer, &error);
    if (!plan) return fail(job, context, error);
    const std::int64_t total = plan->total();
    if (total < 0) return fail(job, context, kMsgTooManySheets);
    // Every sheet printed: refused before anything of the chart is gathered.
    const std::int64_t mapSheets = options.map ? 1 : 0;
    if (!options.skipEmpty && context.maxSheets > 0 && total + mapSheets > context.maxSheets)
        return fail(job, context, tooManySheetsMessage(total + mapSheets, context.maxSheets));

    SheetSetup setup;
    setup.doc = &doc;
    setup.store = context.store;
    setup.box = &box;
    setup.margins = context.margins;
    setup.headingTop = headingTop;
    setup.scale = plan->scale;
    setup.pageWidth = plan->area.right - plan->area.left;
    setup.pageHeight = plan->area.bottom - plan->area.top;
    setup.origin = {plan->area.left, plan->area.top};
    setup.progress = context.progress;
    setup.dialogs = &context.dialogs;
    SheetPrinter sheetPrinter(setup);
    // With empty sheets left out, counted only as far as the limit allows.
    const bool limited = options.skipEmpty && context.maxSheets > 0;
    sheetPrinter.indexSheets(
        plan->grid, limited ? std::max<std::int64_t>(0, context.maxSheets - mapSheets) : -1);
    if (!sheetPrinter.occupiedComplete())
        return fail(job, context, tooManySheetsMessage(-1, context.maxSheets));

    const std::vector<SheetRun>* printedSheets =
        options.skipEmpty ? &sheetPrinter.occupiedSheets() : nullptr;
    const std::int64_t printed = printedSheets ? sheetPrinter.occupiedCount() : total;
    const std::int64_t jobSheets = printed + mapSheets;
    if (context.maxSheets > 0 && jobSheets > context.maxSheets)
        return fail(job, context, tooManySheetsMessage(jobSheets, context.maxSheets));
    sheetPrinter.preparePictures();
    const int answer =
        context.dialogs.messageBox(sheetQuestion(printed, total - printed, options.map),
                                   QStringLiteral("Information"), MB_OKCANCEL | MB_ICONINFORMATION);
    if (answer == IDCANCEL) {
        job.abort();
        return {PrintStatus::Cancelled, jobSheets};
    }

    std::int64_t done = 0;
    const QString name = doc.FileName.isEmpty() ? kPrintTitle : QFileInfo(doc.FileName).fileName();
    // Before each sheet but the first a new page; false when the job ends.
    auto startSheet = [&](PrintOutcome& stop) {
        if (done > 0 && !job.newPage()) {
            stop = fail(job, context, kMsgPrintNewPage, jobSheets);
            return false;
        }
        ++done;
        if (context.sheetProgress && !context.sheetProgress->sheetStarting(done, jobSheets)) {
            job.abort();
            stop = {PrintStatus::Cancelled, jobSheets};
            return false;
        }
        return true;
    };
    PrintOutcome stop;
    if (options.map) {
        if (!startSheet(stop)) return stop;
        printAssemblyMap(job.canvas(), AssemblyMap{&setup, &*plan, printedSheets, printer});
    }
    std::int64_t number = 0;
    const SheetGrid& grid = plan->grid;
    // A neighbour that is printed, to be glued on.
    auto neighbour = [&](std::int64_t row, std::int64_t col) {
        return row >= 0 && col >= 0 && row < grid.rows && col < grid.cols &&
               (!printedSheets || runsHold(*printedSheets, {row, col}));
    };
    auto glueEdges = [&](SheetKey key) {
        if (options.glueMm <= 0) return;
        const GlueSides sides{neighbour(key.row, key.col - 1), neighbour(key.row, key.col + 1),
                              neighbour(key.row - 1, key.col), neighbour(key.row + 1, key.col)};
        drawGlueEdges(job.canvas(), plan->area, setup.pageWidth - grid.stepX,
                      setup.pageHeight - grid.stepY, sides, options.glueMm, printer.dpiX);
    };
    auto printOne = [&](SheetKey key) {
        if (!startSheet(stop)) return false;
        ++number;
        if (!options.marks) {
            sheetPrinter.PrintIndexedSheet(job.canvas(), key);
            glueEdges(key);
            return true;
        }
        job.clipTo(toQRect(plan->area));
        sheetPrinter.PrintIndexedSheet(job.canvas(), key);
        job.clipTo(QRect());
        glueEdges(key);
        drawCutMarks(job.canvas(), plan->area, printer.dpiX, printer.dpiY);
        drawSheetLabel(job.canvas(), plan->area, printer.dpiX,
                       sheetLabel(key, number, printed, name));
        return true;
    };
    if (printedSheets) {
        for (const SheetRun& run : *printedSheets)
            for (std::int64_t c = run.c0; c <= run.c1; ++c)
                if (!printOne({run.row, c})) return stop;
    } else {
        for (std::int64_t i = 0; i < plan->grid.rows; ++i)
            for (std::int64_t j = 0; j < plan->grid.cols; ++j)
                if (!printOne({i, j})) return stop;
    }
    if (!job.endDocument()) return fail(job, context, kMsgPrintEnd, jobSheets);
    return {PrintStatus::Printed, jobSheets};
}

PrintOutcome printChart(PrintJob& job, const PrintContext& context) {
    try {
        return printChartOrThrow(job, context);
    } catch (const std::bad_alloc&) {
        // What the job gathered is given back on the way here.
        return fail(job, context, kMsgPrintNoMemory);
    }
}

} // namespace lw
