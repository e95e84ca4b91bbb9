#include "print/SvgCanvas.h"

#include "picture/DibImage.h"
#include "platform/DocText.h"
#include "platform/LineSpan.h"
#include "platform/QPainterCanvas.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <cmath>

namespace lw {

namespace {

constexpr std::size_t kLongLine = QPainterCanvas::kLongLine;

QByteArray num(qreal v) {
    return QByteArray::number(v, 'g', 10);
}
QByteArray num(int v) {
    return QByteArray::number(v);
}

QByteArray colour(TColor c) {
    return toQColor(c).name(QColor::HexRgb).toLatin1();
}

// Text for an XML element or attribute: markup escaped, characters XML
// cannot hold left out.
QByteArray xmlText(const QString& text) {
    QByteArray out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '&')
            out += "&amp;";
        else if (u == '<')
            out += "&lt;";
        else if (u == '>')
            out += "&gt;";
        else if (u == '"')
            out += "&quot;";
        else if (u < 0x20 && u != '\t')
            continue;
        else if (u == 0xFFFE || u == 0xFFFF)
            continue;
        else
            out += QString(c).toUtf8();
    }
    return out;
}

// A font family as a quoted name of the style sheet.
QByteArray familyName(const QString& family) {
    QByteArray out;
    for (const QChar c : family)
        if (c.unicode() >= 0x20 && !QStringLiteral("'\"\\<>&{};").contains(c))
            out += QString(c).toUtf8();
    return out.isEmpty() ? QByteArray("sans-serif") : "'" + out + "'";
}

// What a viewer without the font falls back to: serif, monospace or
// sans-serif, guessed from the family's name.
const char* genericFamily(const QString& family) {
    const QString f = family.toLower();
    for (const char* mono : {"courier", "mono", "consolas", "typewriter"})
        if (f.contains(QLatin1String(mono))) return "monospace";
    if (f.contains(QLatin1String("sans"))) return "sans-serif";
    for (const char* serif :
         {"times", "serif", "roman", "georgia", "garamond", "palatino", "cambria", "book",
          "century", "bodoni", "baskerville", "caslon", "didot", "antiqua"})
        if (f.contains(QLatin1String(serif))) return "serif";
    return "sans-serif";
}

// The weight a family's name gives ("Arial Black" is heavy in itself), 400
// when it names none.
int familyWeight(const QString& family) {
    const QString f = family.toLower();
    const struct {
        const char* word;
        int weight;
    } words[] = {{"thin", 100},      {"extralight", 200}, {"extra light", 200}, {"light", 300},
                 {"medium", 500},    {"semibold", 600},   {"semi bold", 600},   {"demi", 600},
                 {"extrabold", 800}, {"extra bold", 800}, {"ultra", 800},       {"black", 900},
                 {"heavy", 900}};
    for (const auto& w : words)
        if (f.contains(QLatin1String(w.word))) return w.weight;
    return 400;
}

QImage asEncodable(const QImage& image) {
    return image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_RGB32) : image;
}

QByteArray dataUri(const QImage& image, bool lossless) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool png = lossless || image.colorCount() > 0;
    if (!asEncodable(image).save(&buffer, png ? "PNG" : "JPG", png ? -1 : 90)) return {};
    return QByteArray(png ? "data:image/png;base64," : "data:image/jpeg;base64,") +
           bytes.toBase64();
}

} // namespace

SvgCanvas::SvgCanvas(int width, int height, int dpi, const QString& title)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), dpi_(std::max(dpi, 1)),
      title_(title) {
    setFont(TFontInfo{});
}

DeviceCaps SvgCanvas::deviceCaps() const {
    return DeviceCaps{dpi_, dpi_, true, true};
}

QByteArray SvgCanvas::svg() {
    flushLine();
    const auto mm = [&](int px) { return num(std::round(px * 25.4 / dpi_ * 1000) / 1000) + "mm"; };
    QByteArray out;
    out.reserve(body_.size() + styles_.size() + 512);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
           mm(width_) + "\" height=\"" + mm(height_) + "\" viewBox=\"0 0 " + num(width_) + ' ' +
           num(height_) + "\" xml:space=\"preserve\">\n<title>" + xmlText(title_) +
           "</title>\n<style>\n" + styles_ + "</style>\n";
    out += body_;
    out += "</svg>\n";
    return out;
}

const std::array<qreal, 256>& SvgCanvas::advances() {
    if (!advances_) advances_ = byteAdvances(QFontMetricsF(font_));
    return *advances_;
}

QByteArray SvgCanvas::styleClass(const QByteArray& style) {
    auto found = classes_.constFind(style);
    if (found != classes_.constEnd()) return *found;
    const QByteArray name = 's' + num(int(classes_.size()));
    classes_.insert(style, name);
    styles_ += '.' + name + '{' + style + "}\n";
    return name;
}

QByteArray SvgCanvas::strokeStyle() const {
    QByteArray s = "stroke:" + colour(pen_);
    if (penWidth_ > 1) s += ";stroke-width:" + num(penWidth_);
    if (penStyle_ == PenStyle::Dot)
        s += penWidth_ > 1 ? ";stroke-dasharray:" + num(penWidth_) + ',' + num(2 * penWidth_)
                           : QByteArray(";stroke-dasharray:1,2");
    return s;
}

void SvgCanvas::setPen(TColor color, PenStyle style, int width) {
    flushLine();
    pen_ = color;
    penStyle_ = style;
    penWidth_ = std::max(width, 1);
}

void SvgCanvas::setBrush(TColor color) {
    brush_ = color;
}

void SvgCanvas::setFont(const TFontInfo& font) {
    fontInfo_ = font;
    font_ = QPainterCanvas::toQFont(font);
    const QFontMetrics metrics(font_);
    ascent_ = metrics.ascent();
    lineHeight_ = metrics.height();
    advances_.reset(); // measured when a long line needs them
    const QString family = font_.family();
    QByteArray style = "fill:" + colour(font.Color) + ";font-family:" + familyName(family) + "," +
                       genericFamily(family) + ";font-size:" + num(font_.pixelSize()) + "px";
    const int weight = std::max(familyWeight(family), font_.bold() ? 700 : 0);
    if (weight != 400) style += ";font-weight:" + QByteArray::number(weight);
    if (font_.italic()) style += ";font-style:italic";
    if (font_.underline() || font_.strikeOut())
        style += QByteArray(";text-decoration:") + (font_.underline() ? "underline" : "") +
                 (font_.underline() && font_.strikeOut() ? " " : "") +
                 (font_.strikeOut() ? "line-through" : "");
    textStyle_ = style;
    textClass_.clear(); // made when text is drawn in it
}

void SvgCanvas::setTextBackground(TColor color) {
    textBackground_ = color;
}

void SvgCanvas::rectangle(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left == right || top == bottom) return;
    flushLine();
    const int w = right - left, h = bottom - top;
    const QByteArray style = "fill:" + colour(brush_) + ';' + strokeStyle();
    // A one-pixel frame covers the outermost columns and rows; a wider one
    // is centred on them.
    const qreal inset = penWidth_ <= 1 ? 0.5 : 0;
    body_ += "<rect class=\"" + styleClass(style) + "\" x=\"" + num(left + inset) + "\" y=\"" +
             num(top + inset) + "\" width=\"" + num(w - 1) + "\" height=\"" + num(h - 1) + "\"/>\n";
    lastFill_ = QRect(left, top, w, h);
    lastFillColor_ = brush_;
}

void SvgCanvas::moveTo(int x, int y) {
    current_ = QPoint(x, y);
}

void SvgCanvas::lineTo(int x, int y) {
    const qreal at = penWidth_ <= 1 ? 0.5 : 0;
    if (points_.isEmpty() || lineEnd_ != current_) {
        flushLine();
        points_ = num(current_.x() + at) + ',' + num(current_.y() + at);
    }
    points_ += ' ' + num(x + at) + ',' + num(y + at);
    current_ = lineEnd_ = QPoint(x, y);
    lastFill_ = QRect();
}

void SvgCanvas::flushLine() {
    if (points_.isEmpty()) return;
    QByteArray style = "fill:none;" + strokeStyle();
    if (penWidth_ > 1) style += ";stroke-linecap:round";
    body_ += "<polyline class=\"" + styleClass(style) + "\" points=\"" + points_ + "\"/>\n";
    points_.clear();
}

QByteArray SvgCanvas::clipId(const QRect& clip) {
    if (clip == lastClip_ && !lastClipId_.isEmpty()) return lastClipId_;
    lastClip_ = clip;
    lastClipId_ = 'c' + num(clips_++);
    body_ += "<clipPath id=\"" + lastClipId_ + "\"><rect x=\"" + num(clip.left()) + "\" y=\"" +
             num(clip.top()) + "\" width=\"" + num(clip.width()) + "\" height=\"" +
             num(clip.height()) + "\"/></clipPath>\n";
    return lastClipId_;
}

void SvgCanvas::textLine(qreal x, int y, std::string_view line, const QRect& clip) {
    if (line.empty()) return;
    std::size_t first = 0, last = line.size();
    qreal width = 0;
    QString text;
    if (line.size() > kLongLine) {
        const LineSpan span = visibleSpan(line, advances(), x, clip.left(), clip.right());
        if (span.empty()) return;
        first = span.first;
        last = span.last;
        width = span.width;
        text = fromDocText(std::string(line.substr(first, last - first)));
        x = span.x;
    } else {
        text = fromDocText(std::string(line));
        width = QFontMetrics(font_).horizontalAdvance(text);
    }
    const QRect extent(int(std::floor(x)), y, int(std::ceil(width)), lineHeight_);
    if (!extent.intersects(clip)) return;
    QByteArray clipAttribute;
    if (!clip.contains(extent)) clipAttribute = " clip-path=\"url(#" + clipId(clip) + ")\"";
    const QRect shown = extent & clip;
    const bool invisibleBackground =
        lastFill_.contains(shown) &&
        toQColor(lastFillColor_).rgb() == toQColor(textBackground_).rgb();
    if (!invisibleBackground)
        body_ += "<rect class=\"" + styleClass("fill:" + colour(textBackground_)) + "\" x=\"" +
                 num(shown.left()) + "\" y=\"" + num(shown.top()) + "\" width=\"" +
                 num(shown.width()) + "\" height=\"" + num(shown.height()) + "\"/>\n";
    if (textClass_.isEmpty()) textClass_ = styleClass(textStyle_);
    body_ += "<text class=\"" + textClass_ + '"' + clipAttribute + " x=\"" +
             num(std::round(x * 100) / 100) + "\" y=\"" + num(y + ascent_) + "\">" + xmlText(text) +
             "</text>\n";
}

void SvgCanvas::textOut(int x, int y, const std::string& text) {
    flushLine();
    textLine(x, y, text, QRect(0, 0, width_, height_));
}

void SvgCanvas::drawText(const std::string& text, const QRect& rect, TextAlign align) {
    if (rect.isEmpty() ||
        (align != TextAlign::Left && align != TextAlign::Center && align != TextAlign::Right))
        return;
    flushLine();
    const QRect clip = rect & QRect(0, 0, width_, height_);
    int y = rect.top();
    // The lines below the rectangle are never looked at.
    std::size_t start = 0;
    while (start < text.size() && y <= clip.bottom()) {
        const std::string_view line = nextTextLine(text, start);
        if (y + lineHeight_ > clip.top() && !line.empty()) {
            qreal x = rect.left();
            if (align != TextAlign::Left) {
                qreal width = 0;
                if (line.size() > kLongLine)
                    for (const char c : line)
                        width += advances()[std::uint8_t(c)];
                else
                    width = QFontMetrics(font_).horizontalAdvance(fromDocText(std::string(line)));
                const qreal w = std::round(width);
                x = align == TextAlign::Center ? rect.left() + std::floor((rect.width() - w) / 2)
                                               : rect.left() + rect.width() - w;
            }
            textLine(x, y, line, clip);
        }
        y += lineHeight_;
    }
}

void SvgCanvas::setStretchBltMode(int mode) {
    stretchMode_ = mode;
}

void SvgCanvas::image(const QRect& target, const QImage& picture, bool lossless, const void* key) {
    flushLine();
    lastFill_ = QRect();
    const QByteArray rendering = stretchMode_ == QPainterCanvas::HALFTONE
                                     ? QByteArray()
                                     : " image-rendering=\"optimizeSpeed\"";
    if (key) {
        const auto found = pictures_.find({key, picture.width(), picture.height()});
        if (found != pictures_.end()) {
            // The same picture again: a reference, scaled from where it was first.
            const Placed& first = found->second;
            const qreal sx = qreal(target.width()) / first.at.width();
            const qreal sy = qreal(target.height()) / first.at.height();
            body_ += "<use xlink:href=\"#" + first.id + "\" transform=\"matrix(" + num(sx) +
                     " 0 0 " + num(sy) + ' ' + num(target.left() - sx * first.at.left()) + ' ' +
                     num(target.top() - sy * first.at.top()) + ")\"/>\n";
            return;
        }
    }
    const QByteArray uri = dataUri(picture, lossless);
    if (uri.isEmpty()) return;
    QByteArray id;
    if (key) {
        id = 'p' + num(int(pictures_.size()));
        pictures_.emplace(std::make_tuple(key, picture.width(), picture.height()),
                          Placed{id, target});
    }
    body_ += "<image" + (id.isEmpty() ? QByteArray() : " id=\"" + id + '"') + " x=\"" +
             num(target.left()) + "\" y=\"" + num(target.top()) + "\" width=\"" +
             num(target.width()) + "\" height=\"" + num(target.height()) +
             "\" preserveAspectRatio=\"none\"" + rendering + " xlink:href=\"" + uri + "\"/>\n";
}

int SvgCanvas::stretchDIBits(int x, int y, int w, int h, int srcX, int srcY, int srcW, int srcH,
                             const TDibRecord& dib) {
    const QImage picture = dibToImage(dib);
    if (picture.isNull()) return GDI_ERROR;
    if (w <= 0 || h <= 0 || srcW <= 0 || srcH <= 0) return 0;
    // The source rectangle counts its rows from the bottom, as they are stored.
    const QRect source(srcX, picture.height() - srcY - srcH, srcW, srcH);
    const bool whole = source == picture.rect();
    image(QRect(x, y, w, h), whole ? picture : picture.copy(source), dib.bitCount() < 24,
          whole ? static_cast<const void*>(dib.bits) : nullptr);
    return srcH;
}

int SvgCanvas::setDIBitsToDevice(int x, int y, int w, int h, int startLine, int lines,
                                 const TDibRecord& dib) {
    if (w <= 0 || h <= 0) return 0;
    const QImage band = dibRowsToImage(dib, startLine, lines);
    if (band.isNull()) return 0;
    const QRect source(0, 0, std::min(w, band.width()), std::min(h, band.height()));
    image(QRect(QPoint(x, y), source.size()), band.copy(source), dib.bitCount() < 24, nullptr);
    return band.height();
}

std::unique_ptr<DeviceBitmap> SvgCanvas::createCompatibleBitmap(int, int) {
    return nullptr;
}

int SvgCanvas::setDIBits(DeviceBitmap&, int, int, const TDibRecord&) {
    return 0;
}

bool SvgCanvas::stretchBlt(int, int, int, int, const DeviceBitmap&, int, int, int, int) {
    return false;
}

void SvgCanvas::beginGroup(const char* kind) {
    flushLine();
    body_ += "<g class=\"" + QByteArray(kind) + "\">\n";
}

void SvgCanvas::endGroup() {
    flushLine();
    body_ += "</g>\n";
}

} // namespace lw
