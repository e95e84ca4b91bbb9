// print: a family tree printed into a PDF file exactly as the print command
// prints it, one PDF page per sheet.
//
// The printer is a PDF of the given resolution (600 pixels per inch unless
// told) whose printable page is the given size in printer pixels (the
// printable part of an A4 sheet unless told: 4760 × 6815 at 600 dpi),
// centred on a sheet of the given paper (A4 unless told), for a screen of
// the given resolution (96 unless told). The poster options are those of
// the printer set-up. The number of sheets is told on stdout as the print
// command tells it; errors go to stderr. More sheets than --max-sheets are
// refused before anything is written.
#include "print/PrintCommand.h"
#include "cli/Commands.h"
#include "cli/draw/ChartOptions.h"
#include "cli/draw/PrintArgs.h"
#include "document/StaFile.h"
#include "picture/PictureStore.h"
#include "print/PdfPrintJob.h"

namespace lw::cli {

namespace {

const char* kPrintUsage =
    "Aufruf: lindwerk-cli print EIN.sta AUS.pdf [--screen-dpi N] [--printer-dpi N] "
    "[--page BxH] [--paper BxH] [--scale P | --sheets-wide N] [--skip-empty] [--glue-mm G] "
    "[--marks] [--map] [--max-sheets N]\n";

} // namespace

int runPrint(const QStringList& arguments) {
    QStringList args = arguments;
    PrintArgs print;
    QString usage = takePrintArgs(args, print);
    ChartOptions o;
    if (usage.isEmpty()) usage = parseChartOptions(args, o);
    if (!usage.isEmpty())
        return usageError(usage + QLatin1Char('\n') + QString::fromUtf8(kPrintUsage) +
                          QString::fromUtf8(kChartOptionsHelp) + QString::fromUtf8(kPrintArgsHelp));

    StaReadResult read = loadSta(o.in, BoxLayout{});
    if (!read.file) return failure(read.error);
    StaFile& file = *read.file;

    ConsoleDialogs dialogs;
    ChartMargins margins;
    PdfPrintJob job(o.out, o.printer(), print.paperMm);
    PictureStore pictures; // each file read once for every sheet
    PrintContext context{file.doc, file.box, margins, o.screenDpi, dialogs, nullptr};
    context.store = &pictures;
    context.options = print.options;
    context.maxSheets = print.maxSheets;
    const PrintOutcome outcome = printChart(job, context);
    return outcome.status == PrintStatus::Printed ? 0 : 1;
}

} // namespace lw::cli
