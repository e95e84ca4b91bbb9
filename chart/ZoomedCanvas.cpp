#include "chart/ZoomedCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace lw {

namespace {

constexpr int kDefaultFontPixels = 11; // what a font height of 0 means

int toInt(std::int64_t v) {
    return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

} // namespace

int ZoomedCanvas::mapX(std::int64_t x) const {
    return toInt(zoom_.toView(x + chartOrigin_.x) - viewOrigin_.x);
}

int ZoomedCanvas::mapY(std::int64_t y) const {
    return toInt(zoom_.toView(y + chartOrigin_.y) - viewOrigin_.y);
}

QRect ZoomedCanvas::mapRect(int x, int y, int w, int h) const {
    const int left = mapX(x);
    const int top = mapY(y);
    return QRect(left, top, mapX(std::int64_t(x) + w) - left, mapY(std::int64_t(y) + h) - top);
}

std::int32_t ZoomedCanvas::scaledFontHeight(std::int32_t height, ChartZoom zoom) {
    const std::int64_t h = height == 0 ? -kDefaultFontPixels : height;
    const std::int64_t scaled = (std::llabs(h) * zoom.percent() + 50) / 100;
    if (scaled < ChartZoom::kLegiblePixels) return 0;
    return std::int32_t(std::min<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::max()) *
                        (h < 0 ? -1 : 1));
}

void ZoomedCanvas::setPen(TColor color, PenStyle style, int width) {
    // Wide pens grow with the chart; one-pixel lines stay one pixel.
    const int scaled = width <= 1 ? width : std::max(1, int(zoom_.toView(width)));
    inner_.setPen(color, style, scaled);
}

void ZoomedCanvas::setFont(const TFontInfo& font) {
    TFontInfo scaled = font;
    scaled.Height = scaledFontHeight(font.Height, zoom_);
    legible_ = scaled.Height != 0;
    if (legible_) inner_.setFont(scaled);
}

void ZoomedCanvas::rectangle(int left, int top, int right, int bottom) {
    inner_.rectangle(mapX(left), mapY(top), mapX(right), mapY(bottom));
}

void ZoomedCanvas::textOut(int x, int y, const std::string& text) {
    if (legible_) inner_.textOut(mapX(x), mapY(y), text);
}

void ZoomedCanvas::drawText(const std::string& text, const QRect& rect, TextAlign align) {
    if (!legible_) return;
    inner_.drawText(text, mapRect(rect.x(), rect.y(), rect.width(), rect.height()), align);
}

int ZoomedCanvas::stretchDIBits(int x, int y, int w, int h, int srcX, int srcY, int srcW, int srcH,
                                const TDibRecord& dib) {
    const QRect target = mapRect(x, y, w, h);
    if (target.width() <= 0 || target.height() <= 0) return srcH;
    return inner_.stretchDIBits(target.x(), target.y(), target.width(), target.height(), srcX, srcY,
                                srcW, srcH, dib);
}

int ZoomedCanvas::setDIBitsToDevice(int x, int y, int w, int h, int startLine, int lines,
                                    const TDibRecord& dib) {
    // The unscaled output of stored rows startLine … startLine + lines − 1,
    // cut to w × h from the top left, stretched to its zoomed place.
    const int shownW = std::min(w, dib.width());
    const int shownH = std::min(h, lines);
    if (shownW <= 0 || shownH <= 0) return 0;
    const int drawn =
        stretchDIBits(x, y, shownW, shownH, 0, startLine + lines - shownH, shownW, shownH, dib);
    return drawn == GDI_ERROR ? 0 : shownH;
}

bool ZoomedCanvas::stretchBlt(int x, int y, int w, int h, const DeviceBitmap& bitmap, int srcX,
                              int srcY, int srcW, int srcH) {
    const QRect target = mapRect(x, y, w, h);
    if (target.width() <= 0 || target.height() <= 0) return true;
    return inner_.stretchBlt(target.x(), target.y(), target.width(), target.height(), bitmap, srcX,
                             srcY, srcW, srcH);
}

} // namespace lw
