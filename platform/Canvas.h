#pragma once
// The drawing surface of the chart, the printer sheets and the pictures.
// Charts, boxes and pictures paint only through this interface, so that a
// widget, a printer, a PNG and a test recorder share one drawing code.
//
// Coordinates are device pixels. Callers leave out what lies far outside
// the surface; coordinates stay within 32 bits.
#include "platform/Color.h"
#include "platform/DibRecord.h"
#include "platform/FontInfo.h"

#include <QRect>
#include <memory>
#include <string>

namespace lw {

enum class PenStyle { Solid, Dot };
enum class TextAlign { Left = 0, Center = 1, Right = 2 };

constexpr int GDI_ERROR = -1;
constexpr int COLORONCOLOR = 3;

struct DeviceCaps {
    int logPixelsX = 96; // pixels per inch
    int logPixelsY = 96;
    bool rasterPrinter = false; // the device is a printer, not a screen
    bool dibToDevice = true;    // takes device-independent bitmaps directly
};

// A bitmap in the device's own format, for the last way of drawing a picture.
class DeviceBitmap {
  public:
    virtual ~DeviceBitmap() = default;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual DeviceCaps deviceCaps() const = 0;

    // Width 0 draws one pixel wide, like width 1.
    virtual void setPen(TColor color, PenStyle style = PenStyle::Solid, int width = 1) = 0;
    virtual void setBrush(TColor color) = 0;
    // The font's Height is taken in this surface's pixels; its colour is the
    // text colour.
    virtual void setFont(const TFontInfo& font) = 0;
    // Background of text output, which is always opaque.
    virtual void setTextBackground(TColor color) = 0;

    // Frame in the pen, inside in the brush; the right and bottom
    // coordinates are excluded: the rectangle covers left ... right - 1 and
    // top ... bottom - 1.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the current point to (x, y), which is excluded; (x, y)
    // becomes the current point.
    virtual void lineTo(int x, int y) = 0;

    // One line of text (UTF-8), top left at (x, y).
    virtual void textOut(int x, int y, const std::string& text) = 0;
    // Lines broken at each carriage return (13) only, no word wrap, clipped
    // to `rect`, aligned left, centred or right, starting at the top.
    virtual void drawText(const std::string& text, const QRect& rect, TextAlign align) = 0;

    // Picture output. Both take the picture's rows bottom-up as stored.
    virtual void setStretchBltMode(int mode) = 0;
    // The whole source rectangle stretched onto the destination; GDI_ERROR
    // on failure, otherwise the number of lines.
    virtual int stretchDIBits(int x, int y, int w, int h, int srcX, int srcY, int srcW, int srcH,
                              const TDibRecord& dib) = 0;
    // `lines` stored rows from `startLine` drawn unscaled with their top
    // left at (x, y), w × h pixels; the number of lines drawn, 0 on failure.
    virtual int setDIBitsToDevice(int x, int y, int w, int h, int startLine, int lines,
                                  const TDibRecord& dib) = 0;

    // The last way: a device bitmap filled from the picture and copied
    // stretched. Null / 0 / false on failure.
    virtual std::unique_ptr<DeviceBitmap> createCompatibleBitmap(int w, int h) = 0;
    virtual int setDIBits(DeviceBitmap& bitmap, int startLine, int lines,
                          const TDibRecord& dib) = 0;
    virtual bool stretchBlt(int x, int y, int w, int h, const DeviceBitmap& bitmap, int srcX,
                            int srcY, int srcW, int srcH) = 0;

    // What is drawn between these belongs together (a family's lines); a
    // drawing that keeps structure groups it under `kind`, others ignore it.
    virtual void beginGroup(const char* kind) { (void)kind; }
    virtual void endGroup() {}
};

} // namespace lw
