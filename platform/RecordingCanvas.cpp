#include "platform/RecordingCanvas.h"

#include <algorithm>
#include <sstream>

namespace lw {

namespace {

class RecordedBitmap : public DeviceBitmap {
  public:
    RecordedBitmap(int id, int w, int h) : id(id), w(w), h(h) {}
    int id;
    int w;
    int h;
};

DibSummary summarize(const TDibRecord& dib) {
    DibSummary s;
    s.width = dib.width();
    s.height = dib.height();
    s.bitCount = dib.bitCount();
    s.stride = dib.stride;
    if (dib.info && s.bitCount >= 1 && s.bitCount <= 8)
        s.colors.assign(dib.info->bmiColors, dib.info->bmiColors + (1 << s.bitCount));
    return s;
}

const char* styleName(PenStyle style) {
    return style == PenStyle::Dot ? "dot" : "solid";
}

std::string hex(std::uint32_t v) {
    std::ostringstream out;
    out << "0x" << std::hex << v;
    return out.str();
}

std::string describe(const RecordedCall& call) {
    std::ostringstream o;
    std::visit(
        [&o](const auto& c) {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, SetPenCall>)
                o << "setPen(" << hex(c.color) << ", " << styleName(c.style) << ", " << c.width
                  << ")";
            else if constexpr (std::is_same_v<T, SetBrushCall>)
                o << "setBrush(" << hex(c.color) << ")";
            else if constexpr (std::is_same_v<T, SetFontCall>)
                o << "setFont(\"" << c.font.Name << "\", " << c.font.Height << ", style "
                  << int(c.font.Style) << ", " << hex(c.font.Color) << ")";
            else if constexpr (std::is_same_v<T, SetTextBackgroundCall>)
                o << "setTextBackground(" << hex(c.color) << ")";
            else if constexpr (std::is_same_v<T, RectangleCall>)
                o << "rectangle(" << c.left << ", " << c.top << ", " << c.right << ", " << c.bottom
                  << ")";
            else if constexpr (std::is_same_v<T, MoveToCall>)
                o << "moveTo(" << c.x << ", " << c.y << ")";
            else if constexpr (std::is_same_v<T, LineToCall>)
                o << "lineTo(" << c.x << ", " << c.y << ")";
            else if constexpr (std::is_same_v<T, TextOutCall>)
                o << "textOut(" << c.x << ", " << c.y << ", \"" << c.text << "\")";
            else if constexpr (std::is_same_v<T, DrawTextCall>)
                o << "drawText(\"" << c.text << "\", " << c.rect.left() << ", " << c.rect.top()
                  << ", " << c.rect.right() + 1 << ", " << c.rect.bottom() + 1 << ", align "
                  << int(c.align) << ")";
            else if constexpr (std::is_same_v<T, SetStretchBltModeCall>)
                o << "setStretchBltMode(" << c.mode << ")";
            else if constexpr (std::is_same_v<T, StretchDIBitsCall>)
                o << "stretchDIBits(" << c.x << ", " << c.y << ", " << c.w << ", " << c.h
                  << ", src " << c.srcX << ", " << c.srcY << ", " << c.srcW << ", " << c.srcH
                  << ", dib " << c.dib.width << "x" << c.dib.height << "x" << c.dib.bitCount
                  << ") = " << c.result;
            else if constexpr (std::is_same_v<T, SetDIBitsToDeviceCall>)
                o << "setDIBitsToDevice(" << c.x << ", " << c.y << ", " << c.w << ", " << c.h
                  << ", lines " << c.startLine << "+" << c.lines << ", dib " << c.dib.width << "x"
                  << c.dib.height << "x" << c.dib.bitCount << ") = " << c.result;
            else if constexpr (std::is_same_v<T, CreateCompatibleBitmapCall>)
                o << "createCompatibleBitmap(" << c.w << ", " << c.h << ") = #" << c.bitmapId;
            else if constexpr (std::is_same_v<T, SetDIBitsCall>)
                o << "setDIBits(#" << c.bitmapId << ", lines " << c.startLine << "+" << c.lines
                  << ", dib " << c.dib.width << "x" << c.dib.height << "x" << c.dib.bitCount
                  << ") = " << c.result;
            else if constexpr (std::is_same_v<T, StretchBltCall>)
                o << "stretchBlt(" << c.x << ", " << c.y << ", " << c.w << ", " << c.h << ", #"
                  << c.bitmapId << ", src " << c.srcX << ", " << c.srcY << ", " << c.srcW << ", "
                  << c.srcH << ") = " << (c.result ? "true" : "false");
        },
        call);
    return o.str();
}

} // namespace

DeviceCaps RecordingCanvas::screenCaps(int dpi) {
    DeviceCaps caps;
    caps.logPixelsX = caps.logPixelsY = dpi;
    return caps;
}

DeviceCaps RecordingCanvas::printerCaps(int dpi) {
    DeviceCaps caps = screenCaps(dpi);
    caps.rasterPrinter = true;
    return caps;
}

void RecordingCanvas::setPen(TColor color, PenStyle style, int width) {
    calls_.push_back(SetPenCall{color, style, width});
}

void RecordingCanvas::setBrush(TColor color) {
    calls_.push_back(SetBrushCall{color});
}

void RecordingCanvas::setFont(const TFontInfo& font) {
    calls_.push_back(SetFontCall{font});
}

void RecordingCanvas::setTextBackground(TColor color) {
    calls_.push_back(SetTextBackgroundCall{color});
}

void RecordingCanvas::rectangle(int left, int top, int right, int bottom) {
    calls_.push_back(RectangleCall{left, top, right, bottom});
}

void RecordingCanvas::moveTo(int x, int y) {
    calls_.push_back(MoveToCall{x, y});
}

void RecordingCanvas::lineTo(int x, int y) {
    calls_.push_back(LineToCall{x, y});
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
    calls_.push_back(TextOutCall{x, y, text});
}

void RecordingCanvas::drawText(const std::string& text, const QRect& rect, TextAlign align) {
    calls_.push_back(DrawTextCall{text, rect, align});
}

void RecordingCanvas::setStretchBltMode(int mode) {
    calls_.push_back(SetStretchBltModeCall{mode});
}

int RecordingCanvas::stretchDIBits(int x, int y, int w, int h, int srcX, int srcY, int srcW,
                                   int srcH, const TDibRecord& dib) {
    const int result = failStretchDIBits || dib.empty() ? GDI_ERROR : srcH;
    calls_.push_back(StretchDIBitsCall{x, y, w, h, srcX, srcY, srcW, srcH, summarize(dib), result});
    return result;
}

int RecordingCanvas::setDIBitsToDevice(int x, int y, int w, int h, int startLine, int lines,
                                       const TDibRecord& dib) {
    SetDIBitsToDeviceCall call{x, y, w, h, startLine, lines, summarize(dib), {}, 0};
    if (!dib.empty()) {
        const int first = std::max(startLine, 0);
        const int end = std::min(startLine + std::max(lines, 0), dib.height());
        for (int row = first; row < end; ++row) {
            const std::uint8_t* p = dib.bits + std::size_t(row) * dib.stride;
            call.rows.emplace_back(p, p + dib.stride);
        }
    }
    const int result = failSetDIBitsToDevice || dib.empty() ? 0 : std::max(lines, 0);
    call.result = result;
    calls_.push_back(std::move(call));
    return result;
}

std::unique_ptr<DeviceBitmap> RecordingCanvas::createCompatibleBitmap(int w, int h) {
    if (failCreateCompatibleBitmap) {
        calls_.push_back(CreateCompatibleBitmapCall{w, h, 0});
        return nullptr;
    }
    const int id = nextBitmapId_++;
    calls_.push_back(CreateCompatibleBitmapCall{w, h, id});
    return std::make_unique<RecordedBitmap>(id, w, h);
}

int RecordingCanvas::setDIBits(DeviceBitmap& bitmap, int startLine, int lines,
                               const TDibRecord& dib) {
    const auto* recorded = dynamic_cast<const RecordedBitmap*>(&bitmap);
    const int id = recorded ? recorded->id : 0;
    const int result = failSetDIBits || dib.empty() || !recorded ? 0 : std::max(lines, 0);
    calls_.push_back(SetDIBitsCall{id, startLine, lines, summarize(dib), result});
    return result;
}

bool RecordingCanvas::stretchBlt(int x, int y, int w, int h, const DeviceBitmap& bitmap, int srcX,
                                 int srcY, int srcW, int srcH) {
    const auto* recorded = dynamic_cast<const RecordedBitmap*>(&bitmap);
    const bool result = !failStretchBlt && recorded;
    calls_.push_back(
        StretchBltCall{x, y, w, h, recorded ? recorded->id : 0, srcX, srcY, srcW, srcH, result});
    return result;
}

std::vector<DrawnSegment> RecordingCanvas::segments() const {
    std::vector<DrawnSegment> out;
    SetPenCall pen;
    int cx = 0, cy = 0;
    for (const auto& call : calls_) {
        if (const auto* p = std::get_if<SetPenCall>(&call)) {
            pen = *p;
        } else if (const auto* m = std::get_if<MoveToCall>(&call)) {
            cx = m->x;
            cy = m->y;
        } else if (const auto* l = std::get_if<LineToCall>(&call)) {
            out.push_back(DrawnSegment{cx, cy, l->x, l->y, pen});
            cx = l->x;
            cy = l->y;
        }
    }
    return out;
}

std::vector<DrawnRectangle> RecordingCanvas::rectangles() const {
    std::vector<DrawnRectangle> out;
    SetPenCall pen;
    TColor brush = clWhite;
    for (const auto& call : calls_) {
        if (const auto* p = std::get_if<SetPenCall>(&call))
            pen = *p;
        else if (const auto* b = std::get_if<SetBrushCall>(&call))
            brush = b->color;
        else if (const auto* r = std::get_if<RectangleCall>(&call))
            out.push_back(DrawnRectangle{r->left, r->top, r->right, r->bottom, pen, brush});
    }
    return out;
}

std::vector<DrawnText> RecordingCanvas::texts() const {
    std::vector<DrawnText> out;
    TFontInfo font;
    TColor background = clWhite;
    for (const auto& call : calls_) {
        if (const auto* f = std::get_if<SetFontCall>(&call)) {
            font = f->font;
        } else if (const auto* b = std::get_if<SetTextBackgroundCall>(&call)) {
            background = b->color;
        } else if (const auto* t = std::get_if<TextOutCall>(&call)) {
            DrawnText d;
            d.x = t->x;
            d.y = t->y;
            d.text = t->text;
            d.font = font;
            d.background = background;
            out.push_back(d);
        } else if (const auto* t = std::get_if<DrawTextCall>(&call)) {
            DrawnText d;
            d.formatted = true;
            d.x = t->rect.left();
            d.y = t->rect.top();
            d.rect = t->rect;
            d.align = t->align;
            d.text = t->text;
            d.font = font;
            d.background = background;
            out.push_back(d);
        }
    }
    return out;
}

std::string RecordingCanvas::dump() const {
    std::string out;
    for (const auto& call : calls_) {
        out += describe(call);
        out += '\n';
    }
    return out;
}

} // namespace lw
