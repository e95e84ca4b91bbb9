#pragma once
// How the print options lay the chart out on the sheets: the scale, the
// part of each printable page that shows the chart, the step from sheet to
// sheet and the number of sheets.
//
// - Scale: the screen scale, a percentage of it, or the scale that makes
//   the counted extent exactly N sheets wide (its mapped width N·stepX − 1).
// - Cut marks take a margin of kMarksMarginMm on every side of the printable
//   page; the chart area is what is left.
// - A glue margin G makes neighbouring sheets overlap by G: the step is the
//   chart area less G, and Cols = mapped width div stepX + 1 (Rows alike).
// Without options this is the print as it always was: the chart area is the
// printable page, the step the page, the count that of countSheets.
#include "chart/ChartInputs.h"
#include "print/PageTiling.h"
#include "print/PrintOptions.h"
#include "print/PrintSheet.h"

#include <QString>
#include <optional>

namespace lw {

constexpr int kMarksMarginMm = 6;

// Millimetres in pixels at `dpi`, truncated.
std::int64_t mmToPixels(std::int64_t mm, int dpi);

struct SheetPlan {
    PrintScale scale;
    Rect64 area;    // the chart area on the printable page
    SheetGrid grid; // steps and the number of sheets
    std::int64_t total() const { return SheetCount{grid.cols, grid.rows}.total(); }
};

// `extent`: the counted extent in screen pixels (countedExtent). Empty, with
// a German `error`, when the options do not fit the page.
std::optional<SheetPlan> planSheets(const PrintOptions& options, Point64 extent, int screenDpi,
                                    const PrinterFacts& printer, QString* error);

} // namespace lw

namespace lw {

class Document;
struct BoxLayout;

// What the print page tells before printing: the sheets across and down,
// how many of them are printed, and the printer page to draw the preview's
// page guides with, so that they fall where the sheets begin.
struct SheetOverview {
    SheetPlan plan;
    std::int64_t printed = 0;
    bool map = false; // an assembly map is printed first
    PrinterFacts guides;
};
std::optional<SheetOverview> overviewSheets(const Document& doc, const BoxLayout& box,
                                            int screenDpi, const PrinterFacts& printer,
                                            const PrintOptions& options, QString* error);
// "Blätter: 3 × 2 = 6", when sheets are left out how many are printed, and
// with the map the sheets in all: "Blätter: 4 × 1 = 4 + Übersicht = 5".
QString sheetOverviewText(const SheetOverview& overview);

} // namespace lw
