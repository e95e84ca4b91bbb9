#pragma once
// What render and print share: the two file names, the screen and printer
// resolutions and the printable page, and a console in place of message
// boxes.
#include "chart/ChartInputs.h"
#include "platform/Dialogs.h"

#include <QStringList>

namespace lw::cli {

struct ChartOptions {
    QString in;
    QString out;
    int screenDpi = 96;
    int printerDpi = 600;
    int pageWidth = 0; // 0: the printable part of A4 at the printer's resolution
    int pageHeight = 0;

    // The printer these options describe.
    PrinterFacts printer() const;
};

// Reads "IN OUT [--screen-dpi N] [--printer-dpi N] [--page WxH]". Empty on
// success, otherwise what is wrong.
QString parseChartOptions(const QStringList& args, ChartOptions& options);

// The lines that explain the options, for a usage message.
extern const char* const kChartOptionsHelp;

// Information goes to stdout, everything else to stderr; nothing is asked.
class ConsoleDialogs : public AnsweringDialogs {
  public:
    int messageBox(const QString& text, const QString& caption, unsigned flags) override;
};

} // namespace lw::cli
