#pragma once
// What a chart painting reads besides the document: the layout, the
// resolutions and the printer page.
#include "chart/ChartGrid.h"
#include "chart/Rect64.h"

#include <cstdint>

namespace lw {

class Document;
class Dialogs;
class PictureSource;
class PictureStore;
class ProgressSink;
struct BoxLayout;

// The current printer as the chart sees it. The window fills it from its
// printer object and hands it to the views again after every printer set-up.
struct PrinterFacts {
    int dpiX = 600;        // horizontal pixels per inch
    int dpiY = 600;        // vertical pixels per inch
    int pageWidth = 4760;  // printable width in printer pixels
    int pageHeight = 6815; // printable height in printer pixels

    // An A4 sheet (210 × 297 mm) at `dpi`, less a sixth of an inch (about
    // 4.2 mm) on each side as a laser printer keeps it free: 4760 × 6815 at
    // 600 dpi.
    static PrinterFacts a4(int dpi);
    bool operator==(const PrinterFacts&) const = default;
};

enum class ChartMode {
    Arrange, // the arrange view: lines use each person's own cell
    Preview, // the print preview: lines use FindGridPos
};

struct ChartPaintInput {
    const Document* doc = nullptr;
    const BoxLayout* box = nullptr;
    int screenDpi = 96; // horizontal logical pixels per inch of the screen
    PrinterFacts printer;
    ProgressSink* progress = nullptr; // for picture loading; may be null
    Dialogs* dialogs = nullptr;       // for picture output failures; may be null
    // Reads missing pictures in the background; null: the painting reads
    // them itself before it draws.
    PictureSource* pictures = nullptr;
    // Pictures are read for boxes drawn this many times their size (1, or 2
    // and 4 for a view zoomed in), so that they stay sharp.
    int pictureScale = 1;
    // The decoded pictures beside the document: pictures opened for boxes
    // are kept in it. Null: the painting keeps them only while it lasts.
    PictureStore* store = nullptr;
};

// The picture scale for a view at `zoomPercent`: 1 up to 100 %, then the
// next power of two, at most 4 (a few sizes, not one per zoom step).
int pictureScaleFor(int zoomPercent);

// The size of the chart's paint box in screen pixels:
// (W · AreaWidth + RandLPix + 20) × (H · AreaHeight + RandOPix + 20).
Point64 chartExtent(const Document& doc, const BoxLayout& box, const ChartMargins& margins);

// The margins a painting at `screenDpi` computes from the document's
// millimetre fields.
ChartMargins chartMargins(const Document& doc, int screenDpi);

} // namespace lw
