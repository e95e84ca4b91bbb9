#include "print/gui/PrintCommands.h"

#include "print/gui/PrinterDialogs.h"
#include "print/gui/QPrinterPrintJob.h"

namespace lw {

PrintOutcome printWithDialog(QPrinter& printer, PrinterDialogs& dialogs,
                             const PrintContext& context) {
    if (!dialogs.printDialog(printer)) return {PrintStatus::Cancelled, 0};
    QPrinterPrintJob job(printer);
    return printChart(job, context);
}

} // namespace lw
