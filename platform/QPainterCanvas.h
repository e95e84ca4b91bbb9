#pragma once
// The canvas over a QPainter: widgets, QImages, printers and PDF files.
//
// Drawing follows the rules of the program's drawing surface, pixel exact
// with antialiasing off (the constructor switches antialiasing and smooth
// picture scaling off; the painter's transform should be the identity so
// that one unit is one device pixel):
// - a pen of width 0 or 1 is one device pixel wide; a dotted pen has the dots
//   of Qt::DotLine (one pixel on, two off, counted from the line's start);
// - rectangle(l, t, r, b) covers l ... r - 1 and t ... b - 1: with a one-pixel
//   pen the frame is exactly the columns l and r - 1 and the rows t and
//   b - 1; a wider pen is centred on that outline;
// - lineTo leaves out its end point;
// - fonts: a negative Height is the character height (Qt's pixel size), a
//   positive Height the cell height (ascent plus descent; the pixel size is
//   scaled so the font's line height matches it), 0 means 11 pixels;
// - text is written on an opaque background in the text background colour,
//   which covers just the extent of each line's text; a line longer than
//   kLongLine characters is measured by its characters' advances and only
//   the part that can reach the visible area is laid out and drawn, so a
//   line of megabytes costs little more than a short one;
// - pictures are scaled nearest-neighbour unless the stretch mode is
//   HALFTONE (4);
// - on a printer, a picture drawn again (on the next sheet) is handed to the
//   device as the same image, so that a PDF holds it once; its pixels must
//   stay allocated while the canvas lives (a print job holds its pictures).
#include "platform/Canvas.h"
#include "platform/TextShapes.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <array>
#include <map>
#include <string_view>
#include <tuple>

class QImage;
class QPaintDevice;
class QPainter;
class QPen;

namespace lw {

class QPainterCanvas : public Canvas {
  public:
    static constexpr int HALFTONE = 4;
    static constexpr std::size_t kLongLine = 1024;

    // `caps` tells the resolution and kind of the device `painter` draws on.
    QPainterCanvas(QPainter& painter, const DeviceCaps& caps);

    // The capabilities of `device` by its logical resolution; whether it is a
    // printer only the caller knows.
    static DeviceCaps capsFor(const QPaintDevice& device, bool rasterPrinter);

    DeviceCaps deviceCaps() const override { return caps_; }
    void setPen(TColor color, PenStyle style = PenStyle::Solid, int width = 1) override;
    void setBrush(TColor color) override;
    void setFont(const TFontInfo& font) override;
    void setTextBackground(TColor color) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    void drawText(const std::string& text, const QRect& rect, TextAlign align) override;
    void setStretchBltMode(int mode) override;
    int stretchDIBits(int x, int y, int w, int h, int srcX, int srcY, int srcW, int srcH,
                      const TDibRecord& dib) override;
    int setDIBitsToDevice(int x, int y, int w, int h, int startLine, int lines,
                          const TDibRecord& dib) override;
    std::unique_ptr<DeviceBitmap> createCompatibleBitmap(int w, int h) override;
    int setDIBits(DeviceBitmap& bitmap, int startLine, int lines, const TDibRecord& dib) override;
    bool stretchBlt(int x, int y, int w, int h, const DeviceBitmap& bitmap, int srcX, int srcY,
                    int srcW, int srcH) override;

    // Where short lines are kept, measured and laid out, between paintings
    // (null: each line is measured and drawn anew); owned by the caller, who
    // paints again.
    void setTextShapes(TextShapes* shapes) { textShapes_ = shapes; }

    // The QFont for a font description, as setFont uses it.
    static QFont toQFont(const TFontInfo& font);

  private:
    QRect visibleArea() const;
    void drawThinLine(int x1, int y1, int x2, int y2);
    void drawThinLine(int x1, int y1, int x2, int y2, const QRect& visible);
    QPen widePen() const;
    // A short line of `width` pixels, on its background; from its kept
    // glyphs when there are any.
    void drawTextLine(int x, int y, const QString& line, int width,
                      const TextShapes::Glyphs* glyphs = nullptr);
    // One line of UTF-8 text at (x, y), cut when it is long.
    void drawLine(std::int64_t x, int y, std::string_view line);
    std::int64_t lineWidth(std::string_view line);
    // The advance of each byte's character in the current font.
    const std::array<qreal, 256>& byteAdvances();
    // `lossless`: a PDF keeps the picture's pixels exactly.
    void drawScaled(const QRect& target, const QImage& image, const QRect& source, bool lossless);
    QImage imageOf(const TDibRecord& dib);

    QPainter& painter_;
    DeviceCaps caps_;
    QColor penColor_ = Qt::black;
    PenStyle penStyle_ = PenStyle::Solid;
    int penWidth_ = 1;
    QColor brush_ = Qt::white;
    QFont font_;
    QColor textColor_ = Qt::black;
    QColor textBackground_ = Qt::white;
    QPoint current_;
    int stretchMode_ = COLORONCOLOR;
    // Printer pictures already handed over, by their record.
    std::map<std::tuple<const void*, const void*, int, int, int>, QImage> printed_;
    std::array<qreal, 256> advances_{};
    QFont advancesFont_;
    bool advancesValid_ = false;
    TextShapes* textShapes_ = nullptr;
};

} // namespace lw
