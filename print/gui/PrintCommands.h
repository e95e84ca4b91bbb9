#pragma once
// The print page's commands on the program's printer.
#include "print/PrintCommand.h"

class QPrinter;

namespace lw {

class PrinterDialogs;

// The PDF file proposed for printing the tree `treeFile`: beside it with
// its name and ".pdf", or, for a tree not yet saved, the file the printer
// had (`current`) or "Stammbaum.pdf" in the home folder.
QString suggestedPdfFile(const QString& treeFile, const QString& current);

// Drucken1Click: the print dialog, a PDF printer proposing a file next to
// the tree; when it is cancelled nothing is printed and nothing changes,
// otherwise the chart is printed (see printChart): into a PDF file through
// the program's own PDF job (the whole sheet of paper per page, the file
// written whole), else on `printer`.
PrintOutcome printWithDialog(QPrinter& printer, PrinterDialogs& dialogs,
                             const PrintContext& context);

} // namespace lw
