#pragma once
// One person's box on the chart: frame and fill, the picture at the left
// (opened on first need and kept in the picture store) and the text lines.
//
// Geometry of a box at Left, Top (see ChartGrid) with W, H the pitch and P
// the picture share in percent:
// - A = (W − 9)·P / 100, truncated: the width given to the picture;
// - text rectangle: TextLeft = Left + A + 4 with an opened picture, else
//   Left + 4; TextTop = Top + 2; TextRight = Right − 2; TextBottom = Bottom − 2;
// - picture area AW × AH, AW = trunc((W − 9)·P / 100 − 2) − 2,
//   AH = TextBottom − TextTop − 2, at Left + 5, Top + 3; the picture keeps its
//   proportions, fills the width or the height of the area and is centred in
//   the other direction. A fitted size below 1 × 1 draws no picture.
#include "chart/ChartGrid.h"
#include "chart/Rect64.h"
#include "picture/Picture.h"
#include "picture/PictureStore.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lw {

class Canvas;
class Dialogs;
class Document;
class PictureSource;
class ProgressSink;
struct BoxLayout;
struct TPerson;

// The text of a box, each line ended by a carriage return (13): surname
// (first 255 characters), first name, "*" birth date and "+" death date when
// not empty, then the biography lines when `showBiography`.
std::string boxText(const TPerson& person, bool showBiography);

// A = (W − 9)·P / 100, truncated toward zero.
std::int64_t pictureShare(int cellWidth, int picturePercent);

// The text rectangle of the box with the given frame corners, in chart
// pixels: inset by 2, and on the left by 4 beyond the picture's width when
// the person has an opened picture.
Rect64 boxTextRect(const BoxLayout& box, const Rect64& frame, bool hasPicture);

struct PictureFit {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t w = 0;
    std::int64_t h = 0;
    bool drawable() const { return w >= 1 && h >= 1; }
};

// What a box's picture is decoded for on the screen: its area AW × AH.
PictureNeed screenPictureNeed(int cellWidth, int cellHeight, int picturePercent);

// Where a picture of pw × ph pixels goes in the box at (left, top).
PictureFit fitPicture(int cellWidth, int cellHeight, int picturePercent, std::int64_t left,
                      std::int64_t top, std::int64_t pw, std::int64_t ph);

// The file to open for a person's picture name. A relative name is looked up
// in the folder of the family tree file `treeFile` (backslashes taken as
// folder separators), so that a folder with a tree and its pictures can be
// moved; when there is no such file, or no tree file, the name is used as
// it is. Absolute names are used as they are. The folder may hold any
// character the file system allows.
QString pictureFileName(const std::string& bild, const QString& treeFile);

class PersonBoxPainter {
  public:
    // `progress` and `dialogs` may be null. Without `pictures`, missing
    // pictures are read at once; with it, they are asked for and the box is
    // drawn with its picture area left empty until they are ready.
    // Pictures are read for `pictureScale` times the box's picture area.
    // Opened pictures are kept in `store`.
    PersonBoxPainter(const Document& doc, PictureStore& store, const BoxLayout& box,
                     const ChartGrid& grid, ProgressSink* progress, Dialogs* dialogs,
                     PictureSource* pictures = nullptr, int pictureScale = 1)
        : doc_(doc), store_(store), box_(box), grid_(grid), progress_(progress), dialogs_(dialogs),
          pictures_(pictures), pictureScale_(std::max(pictureScale, 1)) {}

    // Reads the missing pictures of these persons in parallel, before their
    // boxes are drawn one by one.
    void preparePictures(const std::vector<int>& persons);

    // Draws the box of person `person` at cell (col, row). The canvas pixel
    // (0, 0) shows the chart pixel `origin`; the box must lie within 32-bit
    // reach of it (the chart painting only draws boxes it can see). Changes
    // the canvas's pen, brush and text background; the caller sets the font.
    // The text is fitted to the box (FamilyBoxText); on a zoomed canvas too
    // small for the box font, the surname alone is drawn as large as fits.
    void DrawPersonBox(Canvas& canvas, std::int32_t col, std::int32_t row, int person,
                       Point64 origin = {});

  private:
    // Lets the person's file show the picture the box needs when the store
    // keeps it; otherwise the request to read (none when there is nothing
    // to read).
    std::optional<PictureRequest> missingPicture(int person);
    // Opens the person's picture when it is needed and not open yet; true
    // when it is being read in the background.
    bool ensurePicture(int person, const Rect64& box);

    const Document& doc_;
    PictureStore& store_;
    const BoxLayout& box_;
    ChartGrid grid_;
    ProgressSink* progress_;
    Dialogs* dialogs_;
    PictureSource* pictures_;
    int pictureScale_;
};

} // namespace lw
