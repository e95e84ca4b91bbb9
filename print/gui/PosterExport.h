#pragma once
// "Als Poster exportieren..." on the print page: the whole chart as one PDF
// page or SVG drawing (see exportPoster) at the scale the print options
// choose; "auf N Blätter Breite" is the width of N sheets of the printer.
#include "chart/ChartInputs.h"
#include "print/PrintOptions.h"

#include <QString>

namespace lw {

class Dialogs;
class Document;
class PictureStore;
class ProgressSink;
struct BoxLayout;

// Asks for the file (next to the tree, its name with ".pdf" proposed),
// writes it and tells a reduced scale or a failure in a message box. True
// when written. `chosen`, when given, gets the file chosen in the dialog
// (empty when none was).
bool exportPosterWithDialog(Dialogs& dialogs, const Document& doc, const BoxLayout& box,
                            ChartMargins& margins, int screenDpi, const PrinterFacts& printer,
                            const PrintOptions& options, ProgressSink* progress = nullptr,
                            QString* chosen = nullptr, PictureStore* store = nullptr);

} // namespace lw
