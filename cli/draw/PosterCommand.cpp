// poster: the whole chart as one PDF page or SVG drawing of its true size at
// the chosen scale (the screen size unless told), for a print shop.
#include "cli/Commands.h"
#include "cli/draw/ChartOptions.h"
#include "cli/draw/PrintArgs.h"
#include "document/StaFile.h"
#include "print/Poster.h"

#include <QTextStream>

namespace lw::cli {

namespace {

const char* kPosterUsage =
    "Aufruf: lindwerk-cli poster EIN.sta AUS.pdf|AUS.svg [--scale P | --width-mm W] "
    "[--screen-dpi N]\n";

} // namespace

int runPoster(const QStringList& arguments) {
    QStringList args = arguments;
    PosterRequest request;
    QString usage = takePosterArgs(args, request);
    ChartOptions o;
    if (usage.isEmpty()) usage = parseChartOptions(args, o);
    if (!usage.isEmpty())
        return usageError(usage + QLatin1Char('\n') + QString::fromUtf8(kPosterUsage) +
                          QString::fromUtf8(kPosterArgsHelp));

    StaReadResult read = loadSta(o.in, BoxLayout{});
    if (!read.file) return failure(read.error);
    StaFile& file = *read.file;

    ConsoleDialogs dialogs;
    ChartMargins margins;
    const PosterOutcome outcome =
        exportPoster(file.doc, file.box, margins, o.screenDpi, request, o.out, &dialogs);
    if (!outcome.written) return failure(outcome.error);
    if (!outcome.notice.isEmpty()) QTextStream(stdout) << outcome.notice << "\n";
    return 0;
}

} // namespace lw::cli
