#pragma once
// The print page's commands on the program's printer.
#include "print/PrintCommand.h"

class QPrinter;

namespace lw {

class PrinterDialogs;

// Drucken1Click: the print dialog; when it is cancelled nothing is printed
// and nothing changes, otherwise the chart is printed on `printer` (see
// printChart).
PrintOutcome printWithDialog(QPrinter& printer, PrinterDialogs& dialogs,
                             const PrintContext& context);

} // namespace lw
