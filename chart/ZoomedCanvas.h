#pragma once
// A canvas that shows chart pixels zoomed: every coordinate is scaled by the
// zoom on its way to the canvas underneath, whose own pixels stay pixels.
// Thin lines and frames therefore stay one device pixel wide at any zoom,
// rectangles keep their edges on whole pixels, and fonts are scaled by
// their pixel height. Texts whose scaled characters would be smaller than
// ChartZoom::kLegiblePixels are left out: at that size they are grey noise,
// and leaving them out keeps a zoomed-out view of a large chart fast.
//
// The canvas pixel c shows at device pixel zoom.toView(c + chartOrigin) −
// viewOrigin: the same chart pixel lands on the same device pixel whatever
// chart origin the painting chose.
#include "chart/ChartZoom.h"
#include "platform/Canvas.h"

namespace lw {

class ZoomedCanvas : public Canvas {
  public:
    ZoomedCanvas(Canvas& inner, ChartZoom zoom, Point64 chartOrigin, Point64 viewOrigin)
        : inner_(inner), zoom_(zoom), chartOrigin_(chartOrigin), viewOrigin_(viewOrigin) {}

    ChartZoom zoom() const { return zoom_; }
    int mapX(std::int64_t x) const;
    int mapY(std::int64_t y) const;
    // The scaled font height, 0 when its texts are left out.
    static std::int32_t scaledFontHeight(std::int32_t height, ChartZoom zoom);

    DeviceCaps deviceCaps() const override { return inner_.deviceCaps(); }
    void setPen(TColor color, PenStyle style, int width) override;
    void setBrush(TColor color) override { inner_.setBrush(color); }
    void setFont(const TFontInfo& font) override;
    void setTextBackground(TColor color) override { inner_.setTextBackground(color); }
    void rectangle(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override { inner_.moveTo(mapX(x), mapY(y)); }
    void lineTo(int x, int y) override { inner_.lineTo(mapX(x), mapY(y)); }
    void textOut(int x, int y, const std::string& text) override;
    void drawText(const std::string& text, const QRect& rect, TextAlign align) override;
    void setStretchBltMode(int mode) override { inner_.setStretchBltMode(mode); }
    int stretchDIBits(int x, int y, int w, int h, int srcX, int srcY, int srcW, int srcH,
                      const TDibRecord& dib) override;
    int setDIBitsToDevice(int x, int y, int w, int h, int startLine, int lines,
                          const TDibRecord& dib) override;
    std::unique_ptr<DeviceBitmap> createCompatibleBitmap(int w, int h) override {
        return inner_.createCompatibleBitmap(w, h);
    }
    int setDIBits(DeviceBitmap& bitmap, int startLine, int lines, const TDibRecord& dib) override {
        return inner_.setDIBits(bitmap, startLine, lines, dib);
    }
    bool stretchBlt(int x, int y, int w, int h, const DeviceBitmap& bitmap, int srcX, int srcY,
                    int srcW, int srcH) override;

  private:
    QRect mapRect(int x, int y, int w, int h) const;

    Canvas& inner_;
    ChartZoom zoom_;
    Point64 chartOrigin_;
    Point64 viewOrigin_;
    bool legible_ = true;
};

} // namespace lw
