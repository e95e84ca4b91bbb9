#include "platform/QPainterCanvas.h"

#include "platform/LineSpan.h"

#include "platform/DibToImage.h"
#include "platform/DocText.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace lw {

namespace {

constexpr int kDefaultFontPixels = 11;
constexpr int kMaxFontPixels = 10000;
// Device bitmaps larger than this are refused (32 bits per pixel).
constexpr std::int64_t kMaxBitmapBytes = std::int64_t(256) * 1024 * 1024;

class ImageBitmap : public DeviceBitmap {
  public:
    explicit ImageBitmap(QImage image) : image(std::move(image)) {}
    QImage image;
};

// a / b rounded to the nearest whole number, halves away from zero; b > 0.
// Wide enough for a step count times a coordinate difference, both up to 2^33.
std::int64_t roundedDivision(__int128 a, std::int64_t b) {
    return std::int64_t(a >= 0 ? (2 * a + b) / (2 * b) : -((-2 * a + b) / (2 * b)));
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, const DeviceCaps& caps)
    : painter_(painter), caps_(caps), font_(toQFont(TFontInfo{})) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

DeviceCaps QPainterCanvas::capsFor(const QPaintDevice& device, bool rasterPrinter) {
    DeviceCaps caps;
    caps.logPixelsX = device.logicalDpiX();
    caps.logPixelsY = device.logicalDpiY();
    caps.rasterPrinter = rasterPrinter;
    return caps;
}

QFont QPainterCanvas::toQFont(const TFontInfo& info) {
    QFont font;
    if (!info.Name.empty()) font.setFamily(fromDocText(info.Name));
    font.setBold(info.Style & fsBold);
    font.setItalic(info.Style & fsItalic);
    font.setUnderline(info.Style & fsUnderline);
    font.setStrikeOut(info.Style & fsStrikeOut);
    if (info.Pitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::Monospace);
    }

    std::int64_t pixels = kDefaultFontPixels;
    if (info.Height < 0) {
        pixels = -std::int64_t(info.Height);
    } else if (info.Height > 0) {
        // A cell height: find the pixel size whose line height matches it.
        const int cell = std::min<int>(info.Height, kMaxFontPixels);
        font.setPixelSize(cell);
        const qreal lineHeight = QFontMetricsF(font).height();
        pixels = lineHeight > 0 ? std::llround(qreal(cell) * cell / lineHeight) : cell;
    }
    font.setPixelSize(int(std::clamp<std::int64_t>(pixels, 1, kMaxFontPixels)));
    return font;
}

void QPainterCanvas::setPen(TColor color, PenStyle style, int width) {
    penColor_ = toQColor(color);
    penStyle_ = style;
    penWidth_ = std::max(width, 1);
}

void QPainterCanvas::setBrush(TColor color) {
    brush_ = toQColor(color);
}

void QPainterCanvas::setFont(const TFontInfo& font) {
    font_ = toQFont(font);
    textColor_ = toQColor(font.Color);
}

void QPainterCanvas::setTextBackground(TColor color) {
    textBackground_ = toQColor(color);
}

QRect QPainterCanvas::visibleArea() const {
    // The painter's viewport and its own transforms, not the device's: a
    // widget paints through a redirection whose offset within the window is
    // no part of what the widget can show.
    QRect area = painter_.viewport();
    const QTransform& world = painter_.worldTransform();
    if (!painter_.viewTransformEnabled() && world.type() <= QTransform::TxTranslate) {
        // The common case, cheaply: the lines of a chart come here by the
        // ten thousand.
        area.translate(-int(world.dx()), -int(world.dy()));
        if (world.dx() != int(world.dx()) || world.dy() != int(world.dy()))
            area.adjust(-1, -1, 1, 1);
    } else {
        bool invertible = true;
        const QTransform toUser = painter_.combinedTransform().inverted(&invertible);
        if (invertible) area = toUser.mapRect(area);
    }
    if (painter_.hasClipping()) area &= painter_.clipBoundingRect().toAlignedRect();
    return area.adjusted(-1, -1, 1, 1);
}

void QPainterCanvas::drawThinLine(int x1, int y1, int x2, int y2) {
    drawThinLine(x1, y1, x2, y2, visibleArea());
}

void QPainterCanvas::drawThinLine(int x1, int y1, int x2, int y2, const QRect& area) {
    const std::int64_t dx = std::int64_t(x2) - x1;
    const std::int64_t dy = std::int64_t(y2) - y1;
    const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0) return;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);

    // Only the steps whose major coordinate lies in the visible area.
    std::int64_t first = 0;
    std::int64_t last = steps - 1; // the end point is left out
    const std::int64_t start = alongX ? x1 : y1;
    const std::int64_t dir = (alongX ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t low = alongX ? area.left() : area.top();
    const std::int64_t high = alongX ? area.right() : area.bottom();
    if (dir > 0) {
        first = std::max(first, low - start);
        last = std::min(last, high - start);
    } else {
        first = std::max(first, start - high);
        last = std::min(last, start - low);
    }
    if (first > last) return;

    // Neighbouring pixels on the same row (or column) go out as one run, so
    // that straight lines stay single rectangles on paper.
    const bool dotted = penStyle_ == PenStyle::Dot;
    const std::int64_t dMinor = alongX ? dy : dx;
    const std::int64_t minorStart = alongX ? y1 : x1;
    if (dMinor == 0 && !dotted) {
        // A solid straight line along an axis is one run.
        const std::int64_t a = start + dir * first;
        const std::int64_t b = start + dir * last;
        const int lo = int(std::min(a, b));
        const int length = int(std::llabs(b - a) + 1);
        painter_.fillRect(alongX ? QRect(lo, int(minorStart), length, 1)
                                 : QRect(int(minorStart), lo, 1, length),
                          penColor_);
        return;
    }
    std::int64_t runFirst = -1, runLast = -1, runMinor = 0;
    auto flush = [&] {
        if (runFirst < 0) return;
        const std::int64_t a = start + dir * runFirst;
        const std::int64_t b = start + dir * runLast;
        const int lo = int(std::min(a, b));
        const int length = int(std::llabs(b - a) + 1);
        painter_.fillRect(alongX ? QRect(lo, int(runMinor), length, 1)
                                 : QRect(int(runMinor), lo, 1, length),
                          penColor_);
    };
    for (std::int64_t k = first; k <= last; ++k) {
        if (dotted && k % 3 != 0) continue;
        const std::int64_t minor = minorStart + roundedDivision(__int128(k) * dMinor, steps);
        if (!dotted && runFirst >= 0 && minor == runMinor && k == runLast + 1) {
            runLast = k;
            continue;
        }
        flush();
        runFirst = runLast = k;
        runMinor = minor;
    }
    flush();
}

QPen QPainterCanvas::widePen() const {
    QPen pen(penColor_);
    pen.setWidth(penWidth_);
    pen.setStyle(penStyle_ == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void QPainterCanvas::rectangle(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left == right || top == bottom) return;
    painter_.fillRect(QRect(left, top, right - left, bottom - top), brush_);
    if (penWidth_ <= 1) {
        const QRect area = visibleArea();
        drawThinLine(left, top, right - 1, top, area);
        drawThinLine(right - 1, top, right - 1, bottom - 1, area);
        drawThinLine(right - 1, bottom - 1, left, bottom - 1, area);
        drawThinLine(left, bottom - 1, left, top, area);
        if (right - left == 1 && bottom - top == 1)
            painter_.fillRect(QRect(left, top, 1, 1), penColor_);
        return;
    }
    painter_.setPen(widePen());
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(left, top, right - left - 1, bottom - top - 1));
}

void QPainterCanvas::moveTo(int x, int y) {
    current_ = QPoint(x, y);
}

void QPainterCanvas::lineTo(int x, int y) {
    if (penWidth_ <= 1) {
        drawThinLine(current_.x(), current_.y(), x, y);
    } else {
        painter_.setPen(widePen());
        painter_.drawLine(current_, QPoint(x, y));
    }
    current_ = QPoint(x, y);
}

void QPainterCanvas::drawTextLine(int x, int y, const QString& line, int width,
                                  const TextShapes::Glyphs* glyphs) {
    if (line.isEmpty()) return;
    const QFontMetrics metrics(font_, painter_.device());
    painter_.fillRect(QRect(x, y, width, metrics.height()), textBackground_);
    painter_.setPen(textColor_);
    if (glyphs) {
        const QPointF at(x, y + metrics.ascent() - glyphs->ascent);
        for (const QGlyphRun& run : glyphs->runs)
            painter_.drawGlyphRun(at, run);
        return;
    }
    painter_.setFont(font_);
    painter_.drawText(QPoint(x, y + metrics.ascent()), line);
}

const std::array<qreal, 256>& QPainterCanvas::byteAdvances() {
    if (!advancesValid_ || advancesFont_ != font_) {
        advances_ = lw::byteAdvances(QFontMetricsF(font_, painter_.device()));
        advancesFont_ = font_;
        advancesValid_ = true;
    }
    return advances_;
}

std::int64_t QPainterCanvas::lineWidth(std::string_view line) {
    if (line.size() <= kLongLine)
        return QFontMetrics(font_, painter_.device())
            .horizontalAdvance(fromDocText(std::string(line)));
    const std::array<qreal, 256>& advance = byteAdvances();
    qreal width = 0;
    for (const char c : line)
        width += advance[std::uint8_t(c)];
    return std::llround(width);
}

void QPainterCanvas::drawLine(std::int64_t x, int y, std::string_view line) {
    if (line.size() <= kLongLine) {
        const QString text = fromDocText(std::string(line));
        if (x >= std::numeric_limits<int>::min() && x <= std::numeric_limits<int>::max())
            drawTextLine(int(x), y, text,
                         QFontMetrics(font_, painter_.device()).horizontalAdvance(text));
        return;
    }
    // A long line is measured by its characters' advances and only the part
    // that can reach the visible area is laid out and drawn.
    const QRect area = visibleArea();
    const LineSpan span = visibleSpan(line, byteAdvances(), qreal(x), area.left(), area.right());
    if (span.empty()) return;
    const std::size_t first = span.first, last = span.last;
    const qreal pos = span.x;

    const QFontMetrics metrics(font_, painter_.device());
    const qreal right = qreal(x) + qreal(std::llround(span.width));
    const int fillLeft = int(std::max<qreal>(qreal(x), area.left() - 1));
    const int fillRight = int(std::min<qreal>(right, area.right() + 2));
    if (fillRight > fillLeft)
        painter_.fillRect(QRect(fillLeft, y, fillRight - fillLeft, metrics.height()),
                          textBackground_);
    painter_.setFont(font_);
    painter_.setPen(textColor_);
    painter_.drawText(QPointF(pos, y + metrics.ascent()),
                      fromDocText(std::string(line.substr(first, last - first))));
}

void QPainterCanvas::textOut(int x, int y, const std::string& text) {
    drawLine(x, y, text);
}

void QPainterCanvas::drawText(const std::string& text, const QRect& rect, TextAlign align) {
    if (rect.isEmpty() ||
        (align != TextAlign::Left && align != TextAlign::Center && align != TextAlign::Right))
        return;

    const QFontMetrics metrics(font_, painter_.device());
    // Only lines that reach the visible part of the rectangle are measured
    // and drawn (a scrolled view exposes thin strips of many boxes).
    const QRect visible = visibleArea();
    struct Placed {
        std::int64_t x;
        int y, width;
        QString text;                     // a short line
        const TextShapes::Glyphs* glyphs; // a short line's kept glyphs
        std::string_view longText;        // or a long one
    };
    std::vector<Placed> lines;
    // Text that stays well inside the rectangle is drawn without clipping
    // to it: the same pixels, and a PDF is spared a change of clip (and of
    // its whole graphics state) for every box.
    const int slack = std::max(2, font_.pixelSize() / 3);
    bool inside = true;
    int y = rect.top();
    // The lines below the rectangle are never looked at.
    std::size_t start = 0;
    while (visible.intersects(rect) && start < text.size() && y <= rect.bottom() &&
           y <= visible.bottom()) {
        const std::string_view line = nextTextLine(text, start);
        if (y + metrics.height() <= visible.top()) {
            y += metrics.height();
            continue;
        }
        auto placed = [&](std::int64_t width) -> std::int64_t {
            if (align == TextAlign::Left) return rect.left();
            return align == TextAlign::Center ? rect.left() + (rect.width() - width) / 2
                                              : rect.left() + rect.width() - width;
        };
        if (line.size() <= kLongLine) {
            // Short lines are measured once, for their place and background.
            // Kept glyphs draw the same pixels as the text, but for underlined
            // and struck-out fonts, whose lines they do not draw alike.
            QString shortLine = fromDocText(std::string(line));
            const TextShapes::Line* kept =
                textShapes_ ? &textShapes_->line(font_, painter_.device(), metrics, shortLine,
                                                 !font_.underline() && !font_.strikeOut())
                            : nullptr;
            const int width = kept ? kept->width : metrics.horizontalAdvance(shortLine);
            const int x = int(placed(width));
            inside = inside && !shortLine.isEmpty() && x - slack >= rect.left() &&
                     x + width + slack <= rect.right() + 1 &&
                     y + metrics.height() <= rect.bottom() + 1;
            lines.push_back({x,
                             y,
                             width,
                             std::move(shortLine),
                             kept && kept->laidOut ? &kept->glyphs : nullptr,
                             {}});
        } else {
            inside = false;
            lines.push_back({align == TextAlign::Left ? rect.left() : placed(lineWidth(line)),
                             y,
                             0,
                             {},
                             nullptr,
                             line});
        }
        y += metrics.height();
    }
    if (lines.empty()) return;
    if (!inside) {
        painter_.save();
        painter_.setClipRect(rect, Qt::IntersectClip);
    }
    for (const Placed& l : lines)
        if (l.longText.empty())
            drawTextLine(int(l.x), l.y, l.text, l.width, l.glyphs);
        else
            drawLine(l.x, l.y, l.longText);
    if (!inside) painter_.restore();
}

void QPainterCanvas::setStretchBltMode(int mode) {
    stretchMode_ = mode;
}

void QPainterCanvas::drawScaled(const QRect& target, const QImage& image, const QRect& source,
                                bool lossless) {
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, stretchMode_ == HALFTONE);
    painter_.setRenderHint(QPainter::LosslessImageRendering, lossless);
    painter_.drawImage(target, image, source);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.setRenderHint(QPainter::LosslessImageRendering, false);
}

QImage QPainterCanvas::imageOf(const TDibRecord& dib) {
    if (!caps_.rasterPrinter) return dibToImage(dib);
    const auto key =
        std::make_tuple(static_cast<const void*>(dib.bits), static_cast<const void*>(dib.info),
                        dib.width(), dib.height(), dib.bitCount());
    const auto found = printed_.find(key);
    if (found != printed_.end()) return found->second;
    QImage image = dibToImage(dib);
    if (!image.isNull()) printed_.emplace(key, image);
    return image;
}

int QPainterCanvas::stretchDIBits(int x, int y, int w, int h, int srcX, int srcY, int srcW,
                                  int srcH, const TDibRecord& dib) {
    const QImage image = imageOf(dib);
    if (image.isNull()) return GDI_ERROR;
    if (w <= 0 || h <= 0 || srcW <= 0 || srcH <= 0) return 0;
    // The source rectangle counts its rows from the bottom, as they are stored.
    const QRect source(srcX, image.height() - srcY - srcH, srcW, srcH);
    // Palette and 1-bit pictures (drawings, scans of text) go into a PDF
    // without loss; only photographs may be compressed lossily.
    drawScaled(QRect(x, y, w, h), image, source, dib.bitCount() < 24);
    return srcH;
}

int QPainterCanvas::setDIBitsToDevice(int x, int y, int w, int h, int startLine, int lines,
                                      const TDibRecord& dib) {
    if (w <= 0 || h <= 0) return 0;
    const QImage band = dibRowsToImage(dib, startLine, lines);
    if (band.isNull()) return 0;
    const QRect source(0, 0, std::min(w, band.width()), std::min(h, band.height()));
    painter_.drawImage(QPoint(x, y), band, source);
    return band.height();
}

std::unique_ptr<DeviceBitmap> QPainterCanvas::createCompatibleBitmap(int w, int h) {
    if (w <= 0 || h <= 0 || std::int64_t(w) * h * 4 > kMaxBitmapBytes) return nullptr;
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    image.fill(Qt::white);
    return std::make_unique<ImageBitmap>(std::move(image));
}

int QPainterCanvas::setDIBits(DeviceBitmap& bitmap, int startLine, int lines,
                              const TDibRecord& dib) {
    auto* target = dynamic_cast<ImageBitmap*>(&bitmap);
    if (!target) return 0;
    const QImage band = dibRowsToImage(dib, startLine, lines);
    if (band.isNull()) return 0;
    // Stored row s lands on line height - 1 - s of the top-down bitmap.
    const int end = std::max(startLine, 0) + band.height();
    QPainter painter(&target->image);
    painter.drawImage(QPoint(0, target->image.height() - end), band);
    return band.height();
}

bool QPainterCanvas::stretchBlt(int x, int y, int w, int h, const DeviceBitmap& bitmap, int srcX,
                                int srcY, int srcW, int srcH) {
    const auto* source = dynamic_cast<const ImageBitmap*>(&bitmap);
    if (!source || w <= 0 || h <= 0 || srcW <= 0 || srcH <= 0) return false;
    drawScaled(QRect(x, y, w, h), source->image, QRect(srcX, srcY, srcW, srcH), false);
    return true;
}

} // namespace lw
