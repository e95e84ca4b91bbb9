#pragma once
// The options of print and poster beyond those render shares with print:
// taken out of the argument list, so that the rest goes to
// parseChartOptions.
#include "print/Poster.h"
#include "print/PrintOptions.h"

#include <QSizeF>
#include <QStringList>
#include <cstdint>

namespace lw::cli {

struct PrintArgs {
    PrintOptions options;
    std::int64_t maxSheets = 10000;
    QSizeF paperMm{210, 297};
};

// Takes "--scale P", "--sheets-wide N", "--skip-empty", "--glue-mm G",
// "--marks", "--map", "--max-sheets N" and "--paper BxH" out of `args`.
// Empty on success, otherwise what is wrong.
QString takePrintArgs(QStringList& args, PrintArgs& out);
extern const char* const kPrintArgsHelp;

// Takes "--scale P" and "--width-mm W" (not both) out of `args`.
QString takePosterArgs(QStringList& args, PosterRequest& out);
extern const char* const kPosterArgsHelp;

// Takes "name VALUE" out of `args`: 0 when absent, 1 when taken, -1 when the
// value is missing. Shared by the drawing commands' option readers.
int takeValue(QStringList& args, const char* name, QString& value);

} // namespace lw::cli
