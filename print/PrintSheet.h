#pragma once
// One printer sheet: the whole chart mapped to printer pixels and shifted
// by the sheet's offset (OX, OY), so that the sheet shows its part of it.
//
// Every chart pixel value v is mapped as v·Px div S − OX across and
// v·Py div S − OY down (see PrintScale); the heading's top too is scaled
// with Px. Frames and lines are drawn with the pen width k = Px div S, fonts
// at their height·Px div S. The boxes have the screen's geometry, text and
// clipping, except for the picture, whose area is computed in printer
// pixels (see printedPictureFit).
//
// What cannot touch the sheet is left out: a box or a line whose mapped
// extent, widened by the pen, misses the sheet is not drawn, and pictures
// are opened only for boxes that land on a sheet. The paper shows the same,
// each sheet costs only what lands on it, and the canvas sees coordinates
// near the sheet only.
//
// For a whole job the sheets are indexed once (indexSheets): every box,
// line and the heading is listed once with the rows of sheets it can reach;
// the sheet columns it reaches in a row are found from its extent (a long
// line by the rows of sheets its steps cross) when that row is visited (see
// SheetIndex). A sheet visits only what reaches it, the sheets that nothing
// reaches are known without looking at the sheet grid, and the index costs
// memory in proportion to the chart, however many sheets its lines cross.
#include "chart/ChartPainter.h"
#include "chart/FamilyLines.h"
#include "chart/ParentLine.h"
#include "chart/PersonBox.h"
#include "picture/PictureStore.h"
#include "print/PageTiling.h"
#include "print/PictureReadAhead.h"
#include "print/SheetIndex.h"

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace lw {

class Canvas;
class Dialogs;
class Document;
class PictureStore;
class ProgressSink;
struct BoxLayout;

// The sheets of a job: sheet (row, col) shows the printer pixels from
// (col·stepX, row·stepY) on, over the sheet's chart area (pageWidth ×
// pageHeight of the setup); a step below the area lets neighbours overlap.
struct SheetGrid {
    std::int64_t stepX = 1;
    std::int64_t stepY = 1;
    std::int64_t cols = 1;
    std::int64_t rows = 1;
};

struct SheetKey {
    std::int64_t row = 0;
    std::int64_t col = 0;
    auto operator<=>(const SheetKey&) const = default;
};

struct SheetSetup {
    const Document* doc = nullptr;
    // Pictures opened for boxes are kept in it; null: in the job's own store.
    PictureStore* store = nullptr;
    const BoxLayout* box = nullptr;
    ChartMargins margins; // RandLPix, RandOPix at the screen's resolution
    int headingTop = 0;   // HT, the heading's top margin in screen pixels
    PrintScale scale;
    std::int64_t pageWidth = 1; // the sheet's chart area in printer pixels
    std::int64_t pageHeight = 1;
    Point64 origin;                   // where the chart area lies on the canvas
    ProgressSink* progress = nullptr; // for picture loading; may be null
    Dialogs* dialogs = nullptr;       // for picture output failures; may be null
};

// The picture of a box on paper, in printer pixels, for a picture of pw × ph
// and the box's mapped text rectangle (textLeft', textTop', textBottom'):
//   Q = (W − 9)·Px / S, A = P·Q / 100 (real values);
//   AW = trunc(A − 2) − 2·Px div S, AH = textBottom' − textTop' − 2·Py div S;
//   w = AW, h = ph·w div pw, and if h > AH: h = AH, w = pw·h div ph;
//   X = textLeft' + 1 − trunc(A) + (AW − w) div 2,
//   Y = textTop' + 1 + (AH − h) div 2.
PictureFit printedPictureFit(const PrintScale& scale, int cellWidth, int picturePercent,
                             std::int64_t textLeft, std::int64_t textTop, std::int64_t textBottom,
                             std::int64_t pw, std::int64_t ph);

// What a box's picture is decoded for on paper: the picture area in printer
// pixels (its height taken from the box's height, the same for every box)
// at the printer's resolution, so that it is read at no more than 300 pixels
// per inch of its printed size.
PictureNeed printedPictureNeed(const PrintScale& scale, int cellWidth, int cellHeight,
                               int picturePercent);

class SheetPrinter {
  public:
    // Gathers the boxes (occupied cells of the area, row by row, the first
    // person of a shared cell) and the lines (cells as the print preview
    // finds them) once for all sheets of a job.
    explicit SheetPrinter(const SheetSetup& setup);

    // Starts reading the pictures of all boxes of the job in the background,
    // in parallel and in the order the sheets need them (after indexSheets);
    // drawing a box waits only for its own picture. Each picture file is read
    // once per job and its picture drawn on every sheet its box reaches.
    // Without this, pictures are read as their boxes are first drawn.
    void preparePictures();

    // Draws the sheet at offset (OX, OY) in printer pixels: heading, boxes,
    // then the lines to fathers (green) and mothers (red).
    void PrintSheet(Canvas& canvas, std::int64_t OX, std::int64_t OY);

    // Lists what reaches each sheet of `grid`. With `stopAbove` ≥ 0 the
    // sheets reached are counted only until more than that many are found
    // (see occupiedComplete).
    void indexSheets(const SheetGrid& grid, std::int64_t stopAbove = -1);
    // False when indexSheets stopped counting: more sheets are reached than
    // it was asked to find, and occupiedSheets holds only some of them.
    bool occupiedComplete() const { return index_.complete(); }
    // The sheets that a box, a line or a non-empty heading reaches, row by
    // row and left to right, as runs of neighbours in a row (after
    // indexSheets), and how many they are.
    const std::vector<SheetRun>& occupiedSheets() const { return index_.reachedSheets(); }
    std::int64_t occupiedCount() const { return index_.reachedCount(); }
    // What the index holds: one entry per item, whatever it crosses.
    std::size_t indexEntries() const { return index_.entryCount(); }
    // Draws sheet `key` of the indexed grid as PrintSheet does, visiting only
    // what the index lists for it.
    void PrintIndexedSheet(Canvas& canvas, SheetKey key);

  private:
    struct BoxItem {
        PlacedBox placed;
        Rect64 reach; // mapped, widened by the pen, without the sheet offset
    };
    struct LineItem {
        ParentLineRoute route;
        bool father;
        Rect64 reach;
        // Mapped heights of the child's edge, S, the parent's edge, T, the
        // route's end and the last step: which rows of sheets the pieces of a
        // long line can reach, found without mapping again for every row.
        std::array<std::int64_t, 6> mappedY;
    };

    enum class Kind : std::uint8_t { Heading, Box, Line };
    // Where the sheet `sheet` (chart area, printer pixels) is drawn: `shift`
    // is subtracted from every mapped value.
    struct Placement {
        Rect64 sheet;
        Point64 shift;
    };

    Placement placementOf(std::int64_t OX, std::int64_t OY) const;
    template <class Boxes, class Lines>
    void draw(Canvas& canvas, const Placement& at, const Boxes& boxes, const Lines& lines);
    void printHeading(Canvas& canvas, const Placement& at);
    void printBox(Canvas& canvas, const PlacedBox& placed, const Placement& at);
    void printLine(Canvas& canvas, const LineItem& line, const Placement& at);
    // The family lines that reach the sheet (family line style only).
    void printFamilies(Canvas& canvas, const Placement& at);
    // The picture the job draws for the person (null: none); a file that
    // shows no picture yet is given it.
    PictureRef ensurePicture(int person);
    std::optional<PictureRequest> pictureRequest(int person) const;
    Rect64 reachOf(const Rect64& chartPixels) const;
    Rect64 headingReach() const;
    // The rows and the columns of sheets that `reach` (mapped printer
    // pixels) meets, unclipped: first and last.
    std::pair<std::int64_t, std::int64_t> sheetRowsOf(std::int64_t top, std::int64_t bottom) const;
    std::pair<std::int64_t, std::int64_t> sheetColsOf(std::int64_t left, std::int64_t right) const;
    void rectColumns(const Rect64& reach, std::int64_t row, SheetIndex::Item item,
                     std::vector<SheetIndex::Piece>& out) const;
    void lineColumns(const LineItem& line, std::int64_t row, SheetIndex::Item item,
                     std::vector<SheetIndex::Piece>& out) const;

    SheetSetup setup_;
    ChartGrid grid_;
    int penWidth_;
    std::vector<BoxItem> boxes_;
    std::vector<LineItem> lines_;
    bool families_ = false;
    FamilyLinePlan familyPlan_;
    SheetGrid sheets_;
    // The chart heights that can show on one row of sheets, for the row
    // last asked (see lineColumns).
    mutable std::int64_t bandRow_ = -1;
    mutable std::int64_t bandTop_ = 0, bandBottom_ = 0;
    Rect64 headingReach_;
    SheetIndex index_;
    // Pictures that did not open in this job; not read again for every sheet.
    std::unordered_set<int> failedPictures_;
    // The pictures of this job by person, held until the job ends.
    std::unordered_map<int, PictureRef> jobPictures_;
    PictureReadAhead readAhead_;
    PictureStore ownStore_;
    PictureStore& store_;
};

} // namespace lw
