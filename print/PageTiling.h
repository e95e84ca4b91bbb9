#pragma once
// The chart on paper: how chart pixels become printer pixels, how far the
// chart reaches, and how many sheets it is tiled over.
//
// The chart is printed at its screen size: a chart pixel becomes Px / S
// printer pixels across and Py / S down (S the screen's pixels per inch, Px
// and Py the printer's). Every product is formed in 64 bits and every
// division truncates toward zero.
#include "chart/ChartGrid.h"
#include "chart/ChartInputs.h"

#include <QString>
#include <cstdint>

namespace lw {

class Document;

// Chart pixels to printer pixels, without the sheet's offset. A chosen scale
// num/den (a percentage, or whatever makes the chart a number of sheets
// wide) multiplies the screen scale: v·Px·num div (S·den). At 1/1 this is
// v·Px div S exactly.
struct PrintScale {
    int S = 96;           // screen pixels per inch
    int Px = 600;         // printer pixels per inch, across
    int Py = 600;         // and down
    std::int64_t num = 1; // the chosen scale, both positive
    std::int64_t den = 1;

    std::int64_t x(std::int64_t v) const { return map(v, Px); }
    std::int64_t y(std::int64_t v) const { return map(v, Py); }
    // The pen width on paper, Px·num div (S·den) (0 draws one pixel wide).
    int penWidth() const { return int(map(1, Px)); }
    // A font height (negative: character height) scaled with Px.
    std::int32_t fontHeight(std::int32_t height) const;
    // v·perInch·num div (S·den), truncated toward zero, without overflow.
    std::int64_t map(std::int64_t v, int perInch) const {
        return std::int64_t(__int128(v) * perInch * num / (__int128(S) * den));
    }
    // The least chart pixel v with map(v, perInch) ≥ p, less one: every
    // chart pixel mapping to p or beyond lies above the result.
    std::int64_t chartBefore(std::int64_t p, int perInch) const;
    // The greatest chart pixel mapping below p, plus one... and one more:
    // every chart pixel mapping below p lies below the result.
    std::int64_t chartAfter(std::int64_t p, int perInch) const;
};

// The greatest column and the greatest row of any occupied cell inside the
// chart area, each 0 when none is greater. Found from the persons, which
// gives what a scan of every cell would give.
struct ChartCorner {
    std::int32_t MaxCol = 0;
    std::int32_t MaxRow = 0;
    bool operator==(const ChartCorner&) const = default;
};
ChartCorner occupiedCorner(const Document& doc);

// The rectangle of sheets the chart is tiled over:
//   Cols = ((W·MaxCol + (W − 9) + RandLPix + 40)·Px div S) div PageW + 1
//   Rows = ((H·MaxRow + (H − 9) + RandOPix)·Py div S) div PageH + 1
// The horizontal extent allows 40 pixels beyond the last box; neither counts
// the odd-row shift nor the heading.
struct SheetCount {
    std::int64_t Cols = 1;
    std::int64_t Rows = 1;
    // Cols · Rows, or −1 when that exceeds 64 bits.
    std::int64_t total() const;
    bool operator==(const SheetCount&) const = default;
};
// The counted extent of the chart in screen pixels, as the sheet count
// measures it: (W·MaxCol + (W − 9) + RandLPix + 40) × (H·MaxRow + (H − 9) +
// RandOPix).
Point64 countedExtent(int cellWidth, int cellHeight, ChartCorner corner, ChartMargins margins);

// S, the resolutions and the page must be positive.
SheetCount countSheets(int cellWidth, int cellHeight, ChartCorner corner, ChartMargins margins,
                       const PrintScale& scale, std::int64_t pageWidth, std::int64_t pageHeight);

// "Es werden bis zu N Blätter benötigt"
QString sheetCountMessage(std::int64_t sheets);

} // namespace lw
