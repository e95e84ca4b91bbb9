// print: a family tree printed into a PDF file exactly as the print command
// prints it, one PDF page per sheet.
//
// The printer is a PDF of the given resolution (600 pixels per inch unless
// told) whose printable page is the given size in printer pixels (the
// printable part of an A4 sheet unless told: 4760 × 6815 at 600 dpi), for a
// screen of the given resolution (96 unless told). The number of sheets is
// told on stdout as the print command tells it; errors go to stderr.
#include "print/PrintCommand.h"
#include "cli/ChartOptions.h"
#include "cli/Commands.h"
#include "document/StaFile.h"
#include "print/PdfPrintJob.h"


namespace lw::cli {

namespace {

const char* kPrintUsage =
    "Aufruf: lindwerk-cli print EIN.sta AUS.pdf [--screen-dpi N] [--printer-dpi N] "
    "[--page BxH]\n";

} // namespace

int runPrint(const QStringList& args) {
    ChartOptions o;
    const QString usage = parseChartOptions(args, o);
    if (!usage.isEmpty())
        return usageError(usage + QLatin1Char('\n') + QString::fromUtf8(kPrintUsage) +
                          QString::fromUtf8(kChartOptionsHelp));

    StaReadResult read = loadSta(o.in, BoxLayout{});
    if (!read.file) return failure(read.error);
    StaFile& file = *read.file;

    ConsoleDialogs dialogs;
    ChartMargins margins;
    PdfPrintJob job(o.out, o.printer());
    const PrintContext context{file.doc, file.box, margins, o.screenDpi, dialogs, nullptr};
    const PrintOutcome outcome = printChart(job, context);
    return outcome.status == PrintStatus::Printed ? 0 : 1;
}

} // namespace lw::cli
