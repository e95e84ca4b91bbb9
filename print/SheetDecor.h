#pragma once
// What a poster print adds around the chart: cut marks at the corners of
// each sheet's chart area with a label below it, and the assembly map, a
// first sheet showing the whole chart reduced with the sheet grid over it.
// Nothing of it covers the chart area of a sheet.
#include "print/SheetPlan.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace lw {

class Canvas;

// Thin marks at the four corners of `area`, pointing away from it.
void drawCutMarks(Canvas& canvas, const Rect64& area, int dpiX, int dpiY);

// "Zeile r, Spalte c – Blatt n von N – name" (rows and columns from 1).
QString sheetLabel(SheetKey key, std::int64_t number, std::int64_t count, const QString& name);
// The label in small type below `area`.
void drawSheetLabel(Canvas& canvas, const Rect64& area, int dpi, const QString& label);

struct AssemblyMap {
    const SheetSetup* chart = nullptr; // the job's setup, at the job's scale
    const SheetPlan* plan = nullptr;
    // The sheets printed, in order; null when every sheet of the grid is.
    const std::vector<SheetRun>* printed = nullptr;
    PrinterFacts printer;
};

// The map on one printable page: a heading line, the chart reduced to fit
// with every sheet's outline and number over it (sheets left out greyed),
// and a bar of 100 mm (less on narrow paper) with its length written.
void printAssemblyMap(Canvas& canvas, const AssemblyMap& map);

} // namespace lw
