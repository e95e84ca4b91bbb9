#pragma once
// A canvas that writes an SVG drawing, for the poster of the whole chart.
//
// The drawing is the one the printer gets, as vectors: one <rect> per
// rectangle (its fill and frame together), one <polyline> per run of joined
// lines of one pen, one <text> per line of text at the place the raster
// canvas gives it (measured with the same fonts). Each distinct style is a
// class of one style sheet. What cannot be seen is left out:
// - a text background of the colour of the rectangle just drawn under it,
//   with nothing else drawn in between (a box's lines on the box);
// - text outside its rectangle: a line that would leave it is clipped to it,
//   and a line of many characters is cut to what reaches the rectangle.
// A picture is embedded once (PNG for pictures with a palette, JPEG for
// photographs) and drawn again by reference wherever the same picture
// appears.
//
// Coordinates are device pixels at the resolution given; the drawing's
// width and height are given in millimetres from it.
#include "platform/Canvas.h"

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QRect>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>

namespace lw {

class SvgCanvas : public Canvas {
  public:
    // A drawing of width × height pixels at `dpi` pixels per inch.
    SvgCanvas(int width, int height, int dpi, const QString& title);

    // The whole document; the canvas may go on drawing afterwards.
    QByteArray svg();

    DeviceCaps deviceCaps() const override;
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
    // The last way of drawing a picture is not offered: the first always
    // takes a readable picture.
    std::unique_ptr<DeviceBitmap> createCompatibleBitmap(int w, int h) override;
    int setDIBits(DeviceBitmap& bitmap, int startLine, int lines, const TDibRecord& dib) override;
    bool stretchBlt(int x, int y, int w, int h, const DeviceBitmap& bitmap, int srcX, int srcY,
                    int srcW, int srcH) override;
    // <g class="kind"> … </g>
    void beginGroup(const char* kind) override;
    void endGroup() override;

  private:
    struct Placed { // where a picture was embedded first
        QByteArray id;
        QRect at;
    };
    // The advance of each byte's character in the current font.
    const std::array<qreal, 256>& advances();
    QByteArray styleClass(const QByteArray& style);
    QByteArray strokeStyle() const;
    void flushLine();
    // One line of text at (x, y) inside `clip` (the whole drawing for textOut).
    void textLine(qreal x, int y, std::string_view line, const QRect& clip);
    QByteArray clipId(const QRect& clip);
    void image(const QRect& target, const QImage& image, bool lossless, const void* key);

    int width_, height_, dpi_;
    QString title_;
    QByteArray body_;
    QByteArray styles_;
    QHash<QByteArray, QByteArray> classes_;
    TColor pen_ = 0, brush_ = 0xFFFFFF, textBackground_ = 0xFFFFFF;
    PenStyle penStyle_ = PenStyle::Solid;
    int penWidth_ = 1;
    TFontInfo fontInfo_;
    QFont font_;
    QByteArray textStyle_, textClass_;
    std::optional<std::array<qreal, 256>> advances_; // of the font's characters

    int ascent_ = 0, lineHeight_ = 0;
    int stretchMode_ = COLORONCOLOR;
    QPoint current_;
    QByteArray points_; // the polyline being drawn
    QPoint lineEnd_;
    // The last rectangle and its fill, while only text was drawn after it.
    QRect lastFill_;
    TColor lastFillColor_ = 0;
    QRect lastClip_;
    QByteArray lastClipId_;
    int clips_ = 0;
    std::map<std::tuple<const void*, int, int>, Placed> pictures_;
};

} // namespace lw
