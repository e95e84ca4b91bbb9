#pragma once
// The placement grid in chart pixels: where the box of a cell lies, which box
// a point falls on, and the margins in pixels.
//
// Contract:
// - W and H are the cell pitch (box width and height settings), H − 9 and
//   W − 9 the box size. The cell (c, r) has its box at
//     Left = c·W + RandLPix + s(r),  Top = r·H + RandOPix,
//     Right = Left + (W − 9),        Bottom = Top + (H − 9),
//   where s(r) = (W − 4) div 2 for odd r (also negative odd r, so r = −1 is
//   shifted) and 0 for even r; div truncates toward zero.
// - All positions are 64-bit: a million columns of a thousand pixels do not
//   fit into 32 bits once margins and scroll offsets are added.
// - A point lies on a box when Left ≤ X ≤ Right and Top ≤ Y ≤ Bottom: both
//   ends included, one pixel more than the drawn frame on the right and at
//   the bottom.
// - Since the boxes are 9 pixels smaller than the pitch, the boxes of one row
//   never overlap and neither do the rows: a point lies on at most one cell's
//   box. Every search below finds that cell by division instead of scanning,
//   and gives exactly what the row-by-row scan over the cells or the
//   index-order scan over the persons would give. With W or H below 9 no box
//   holds any point.
#include <cstdint>
#include <optional>

namespace lw {

class Document;

// Millimetres to screen pixels: mm · dpi / 25.39995, truncated toward zero.
int marginPixels(double mm, int dpi);

// The left and top chart margins in screen pixels. Every chart painting
// recomputes them; the mouse handling and the printing read them. Before the
// first painting they are 30 and 30.
struct ChartMargins {
    int RandLPix = 30;
    int RandOPix = 30;
    bool operator==(const ChartMargins&) const = default;
};

struct GridCell {
    std::int32_t col = -1;
    std::int32_t row = -1;
    bool operator==(const GridCell&) const = default;
};

class ChartGrid {
  public:
    // `rowSpacing` pixels are added between the rows (the boxes keep their
    // size); the family lines ask for it when their tracks need the room.
    ChartGrid(int cellWidth, int cellHeight, ChartMargins margins, int rowSpacing = 0)
        : w_(cellWidth), h_(cellHeight), randL_(margins.RandLPix), randO_(margins.RandOPix),
          spacing_(rowSpacing) {}

    int W() const { return w_; }
    int H() const { return h_; }
    int RandLPix() const { return randL_; }
    int RandOPix() const { return randO_; }
    int rowSpacing() const { return spacing_; }
    // The vertical pitch of the rows: H plus the row spacing.
    std::int64_t pitchY() const { return std::int64_t(h_) + spacing_; }

    // The odd-row shift s(r).
    std::int64_t shift(std::int64_t row) const { return row % 2 != 0 ? (w_ - 4) / 2 : 0; }
    std::int64_t Left(std::int64_t col, std::int64_t row) const {
        return col * w_ + randL_ + shift(row);
    }
    std::int64_t Top(std::int64_t row) const { return row * pitchY() + randO_; }
    std::int64_t Right(std::int64_t col, std::int64_t row) const {
        return Left(col, row) + (w_ - 9);
    }
    std::int64_t Bottom(std::int64_t row) const { return Top(row) + (h_ - 9); }

    // The hit test of one cell, both ends included.
    bool holds(std::int64_t col, std::int64_t row, std::int64_t x, std::int64_t y) const;

    // The one cell, anywhere in the plane, whose box holds the point.
    std::optional<GridCell> cellAt(std::int64_t x, std::int64_t y) const;

    // The person whose box holds the point: only boxes of cells inside the
    // area count (an unplaced person at (−1, −1) is drawn nowhere and so has
    // nothing to hit); the last one in index order on the cell wins. -1
    // when there is none.
    int personAt(const Document& doc, std::int64_t x, std::int64_t y) const;
    // Whether the point lies on any drawn box (for the hand cursor).
    bool anyBoxAt(const Document& doc, std::int64_t x, std::int64_t y) const;

    // The drop cell of a move: the first cell of the area, rows 0 … height − 1
    // and in each columns 0 … width − 1, whose box holds the point; none for a
    // point in a gap or outside the area.
    std::optional<GridCell> dropCell(std::int64_t x, std::int64_t y, std::int64_t areaWidth,
                                     std::int64_t areaHeight) const;

  private:
    int w_;
    int h_;
    int randL_;
    int randO_;
    int spacing_ = 0;
};

} // namespace lw
