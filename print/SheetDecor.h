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

// The sides of a sheet on which a neighbouring sheet is glued.
struct GlueSides {
    bool left = false, right = false, top = false, bottom = false;
};
// With a glue margin, where each neighbour is glued on: a dashed grey line
// across the chart area, `glueX` (`glueY`) pixels in from the side, where the
// neighbour's chart area ends, labelled "Klebekante G mm" within the strip
// that the neighbour covers. These are the only marks inside the area.
void drawGlueEdges(Canvas& canvas, const Rect64& area, std::int64_t glueX, std::int64_t glueY,
                   GlueSides sides, int glueMm, int dpi);
QString glueLabel(int glueMm);

// Whether `runs` (row by row, left to right) hold sheet `key`.
bool runsHold(const std::vector<SheetRun>& runs, SheetKey key);

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
