#pragma once
// The print command after its print dialog: the chart on as many sheets as
// it needs, row by row and left to right, at the size it has on the screen
// unless the print options say otherwise (see SheetPlan).
//
//  1. the extent of the chart (MaxCol, MaxRow) from the occupied cells;
//  2. the document "Stammbaum" begins; the printer's resolution and page
//     are read;
//  3. the margins RandLPix, RandOPix are recomputed for the screen (they keep
//     the new values) and the sheets counted; with "leave out empty sheets"
//     only those that something reaches count;
//  4. more sheets than the caller allows (maxSheets) end the job with a
//     message before anything is drawn;
//  5. "Es werden bis zu N Blätter benötigt" is asked (caption
//     "Information", OK and Abbrechen); Abbrechen throws the begun document
//     away;
//  6. the assembly map if asked for, then every sheet, each told to the
//     progress first (which may cancel the job), a new page between two
//     sheets; with marks the chart is clipped to the sheet's chart area and
//     the marks and label drawn around it; the document ends.
//
// When the printer fails (the document does not begin, a new page or the
// end fails, or it reports no usable resolution or page), the job is
// aborted, the user is told in an error box what failed, and the command
// returns; the program goes on.
#include "chart/ChartGrid.h"
#include "print/PageTiling.h"
#include "print/PrintOptions.h"

#include <QString>
#include <cstdint>

namespace lw {

class Dialogs;
class PictureStore;
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
inline const QString kMsgPrintNoMemory = QStringLiteral(
    "Nicht genügend Arbeitsspeicher für diesen Druck – der Druck wurde abgebrochen.");
inline const QString kMsgTooManySheets =
    QStringLiteral("Der Stammbaum bräuchte zu viele Blätter – der Druck wurde abgebrochen.");

// Told before each sheet is drawn; the job stops when it says no.
class SheetProgress {
  public:
    virtual ~SheetProgress() = default;
    // Sheet `number` of `count` (the map included), from 1; false: cancel.
    virtual bool sheetStarting(std::int64_t number, std::int64_t count) = 0;
};

struct PrintContext {
    const Document& doc;
    const BoxLayout& box;
    ChartMargins& margins; // recomputed; keeps the values of this print
    int screenDpi;         // S: horizontal pixels per inch of the screen
    Dialogs& dialogs;
    ProgressSink* progress = nullptr; // for picture loading; may be null
    PrintOptions options = {};
    SheetProgress* sheetProgress = nullptr; // may be null
    std::int64_t maxSheets = 0;             // 0: no limit
    // Pictures opened for boxes are kept in it; null: only for this job.
    PictureStore* store = nullptr;
};

enum class PrintStatus { Cancelled, Printed, Failed };

struct PrintOutcome {
    PrintStatus status = PrintStatus::Cancelled;
    std::int64_t sheets = 0; // the number announced, 0 before the count
};

// The number announced: "Es werden bis zu N Blätter benötigt", and with
// sheets left out or a map, how many and that.
QString sheetQuestion(std::int64_t printed, std::int64_t leftOut, bool map);

// `sheets` < 0: more than the limit, counted no further.
inline QString tooManySheetsMessage(std::int64_t sheets, std::int64_t limit) {
    if (sheets < 0)
        return QStringLiteral("Der Stammbaum bräuchte mehr als die erlaubten %1 Blätter – es "
                              "wurde nichts gedruckt.")
            .arg(limit);
    return QStringLiteral("Der Stammbaum bräuchte %1 Blätter, mehr als die erlaubten %2 – es "
                          "wurde nichts gedruckt.")
        .arg(sheets)
        .arg(limit);
}

// Steps 1 to 6 above on `job`.
PrintOutcome printChart(PrintJob& job, const PrintContext& context);

} // namespace lw
