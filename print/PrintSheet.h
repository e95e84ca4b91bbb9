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
#include "chart/ChartPainter.h"
#include "chart/ParentLine.h"
#include "chart/PersonBox.h"
#include "print/PageTiling.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace lw {

class Canvas;
class Dialogs;
class Document;
class ProgressSink;
struct BoxLayout;

struct SheetSetup {
    Document* doc = nullptr; // pictures opened for boxes are stored in it
    const BoxLayout* box = nullptr;
    ChartMargins margins; // RandLPix, RandOPix at the screen's resolution
    int headingTop = 0;   // HT, the heading's top margin in screen pixels
    PrintScale scale;
    std::int64_t pageWidth = 1; // printable page in printer pixels
    std::int64_t pageHeight = 1;
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

    // Reads the pictures of all boxes of the job at once, in parallel; each
    // picture file is read once per job and its picture drawn on every sheet
    // its box reaches. Without this, pictures are read as their boxes are
    // first drawn.
    void preparePictures();

    // Draws the sheet at offset (OX, OY) in printer pixels: heading, boxes,
    // then the lines to fathers (green) and mothers (red).
    void PrintSheet(Canvas& canvas, std::int64_t OX, std::int64_t OY);

  private:
    struct BoxItem {
        PlacedBox placed;
        Rect64 reach; // mapped, widened by the pen, without the sheet offset
    };
    struct LineItem {
        ParentLineRoute route;
        bool father;
        Rect64 reach;
    };

    // The boxes and lines whose rows reach the band of sheets at OY.
    void selectBand(std::int64_t OY);
    void printHeading(Canvas& canvas, const Rect64& sheet);
    void printBox(Canvas& canvas, const PlacedBox& placed, const Rect64& sheet);
    void printLine(Canvas& canvas, const LineItem& line, const Rect64& sheet);
    // The picture the job draws for the person (null: none); a person
    // without a picture of its own is given it.
    PictureRef ensurePicture(int person);
    std::optional<PictureRequest> pictureRequest(int person) const;
    Rect64 reachOf(const Rect64& chartPixels) const;

    SheetSetup setup_;
    ChartGrid grid_;
    int penWidth_;
    std::vector<BoxItem> boxes_;
    std::vector<LineItem> lines_;
    bool haveBand_ = false;
    std::int64_t bandTop_ = 0;
    std::vector<std::size_t> bandBoxes_; // indices into boxes_ and lines_
    std::vector<std::size_t> bandLines_;
    // Pictures that did not open in this job; not read again for every sheet.
    std::unordered_set<int> failedPictures_;
    // The pictures of this job by person, held until the job ends.
    std::unordered_map<int, PictureRef> jobPictures_;
};

} // namespace lw
