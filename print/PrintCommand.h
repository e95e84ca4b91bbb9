#pragma once
// The print command after its print dialog: the chart on as many sheets as
// it needs, row by row and left to right, at the size it has on the screen.
//
//  1. the extent of the chart (MaxCol, MaxRow) from the occupied cells;
//  2. the document "Stammbaum" begins; the printer's resolution and page
//     are read;
//  3. the margins RandLPix, RandOPix are recomputed for the screen (they keep
//     the new values) and the sheets counted;
//  4. "Es werden bis zu N Blätter benötigt" is shown (caption
//     "Information", OK only); the document has begun and goes on;
//  5. every sheet is drawn, a new page between two sheets; the document
//     ends.
//
// When the printer fails (the document does not begin, a new page or the
// end fails, or it reports no usable resolution or page), the job is
// aborted, the user is told in an error box what failed, and the command
// returns; the program goes on.
#include "chart/ChartGrid.h"
#include "print/PageTiling.h"

#include <QString>
#include <cstdint>

namespace lw {

class Dialogs;
class Document;
class PrintJob;
class ProgressSink;
struct BoxLayout;

inline const QString kPrintTitle = QStringLiteral("Stammbaum");
inline const QString kMsgPrintBegin = QStringLiteral("Der Druck konnte nicht begonnen werden.");
inline const QString kMsgPrintNewPage =
    QStringLiteral("Die nächste Seite konnte nicht begonnen werden – der Druck wurde abgebrochen.");
inline const QString kMsgPrintEnd =
    QStringLiteral("Der Druck konnte nicht abgeschlossen werden – der Druck wurde abgebrochen.");
inline const QString kMsgPrinterFacts = QStringLiteral(
    "Der Drucker meldet keine gültige Auflösung oder Seitengröße – der Druck wurde abgebrochen.");
inline const QString kMsgTooManySheets =
    QStringLiteral("Der Stammbaum bräuchte zu viele Blätter – der Druck wurde abgebrochen.");

struct PrintContext {
    Document& doc; // pictures opened for boxes are stored in it
    const BoxLayout& box;
    ChartMargins& margins; // recomputed; keeps the values of this print
    int screenDpi;         // S: horizontal pixels per inch of the screen
    Dialogs& dialogs;
    ProgressSink* progress = nullptr; // for picture loading; may be null
};

enum class PrintStatus { Cancelled, Printed, Failed };

struct PrintOutcome {
    PrintStatus status = PrintStatus::Cancelled;
    std::int64_t sheets = 0; // the number announced, 0 before the count
};

// Steps 1 to 5 above on `job`.
PrintOutcome printChart(PrintJob& job, const PrintContext& context);

} // namespace lw
