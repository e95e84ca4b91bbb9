#pragma once
// The painting of the chart: white background, dotted page guides where the
// printer's pages end, the heading, the boxes and the lines from each child
// to its father (green) and mother (red). The arrange view, the print
// preview and the command-line rendering all paint through it.
//
// A painting covers only the chart pixels asked for (`exposed`) and visits
// only what can show there: the boxes of the occupied cells that meet the
// exposed rectangle, in row-major order and with the first person in index
// order on a shared cell (as a scan of every cell of the area would draw
// them), the guides that cross it and the lines whose extent meets it. The
// cost is thus independent of the area size, and a chart of a million by a
// million cells paints like a small one. The canvas never sees coordinates
// beyond 32 bits: it shows the chart from `origin` on.
#include "chart/ChartGrid.h"
#include "chart/ChartInputs.h"
#include "chart/Rect64.h"

#include <cstdint>
#include <vector>

namespace lw {

class Canvas;
class ClippedPen;

struct PlacedBox {
    GridCell cell;
    int person = 0;
    bool operator==(const PlacedBox&) const = default;
};

class ChartPainter {
  public:
    ChartPainter(const ChartPaintInput& input, ChartMode mode) : in_(input), mode_(mode) {}

    // Paints the chart pixels `exposed` onto `canvas`, whose pixel (0, 0)
    // shows the chart pixel `origin`. The chart is sized with `margins` as
    // the previous painting left them (the size is returned); the painting
    // then recomputes them from the document's millimetre fields and draws
    // with the new values. Only what meets the paint box (0, 0, size) is
    // drawn; boxes and lines that cross its edge reach up to a few pixels
    // beyond, so a canvas larger than the paint box clips at its edge.
    Point64 paint(Canvas& canvas, ChartMargins& margins, const Rect64& exposed,
                  Point64 origin = {});

    // The print preview's cell of a person: its own cell when that lies in
    // the area and the person is the first in index order on it, otherwise
    // (−1, −1). The same as searching the whole area for the last cell whose
    // first person it is, since a person stands on one cell only.
    GridCell FindGridPos(int person) const;

    // The cell a line of this view starts or ends at: GetGridPos in the
    // arrange view, FindGridPos in the preview.
    GridCell lineCell(int person) const;

    // The occupied cells of the area whose boxes meet `area`, row by row and
    // left to right, each with the first person on it.
    std::vector<PlacedBox> boxesIn(const ChartGrid& grid, const Rect64& area) const;

    // Draws the line from `child` to `parent` (green for the father, red
    // for the mother), if any of it lies in the pen's clip rectangle.
    void DrawParentLine(ClippedPen& pen, const ChartGrid& grid, int child, int parent,
                        bool father) const;

  private:
    void paintPageGuides(ClippedPen& pen, Point64 size) const;

    ChartPaintInput in_;
    ChartMode mode_;
};

// The handlers of the two views.
Point64 PaintBox1Paint(Canvas& canvas, const ChartPaintInput& input, ChartMargins& margins,
                       const Rect64& exposed, Point64 origin = {});
Point64 PrintPaintBoxPaint(Canvas& canvas, const ChartPaintInput& input, ChartMargins& margins,
                           const Rect64& exposed, Point64 origin = {});

} // namespace lw
