#pragma once
// A canvas that draws nothing and remembers every call with its arguments,
// for tests of the drawing code.
//
//     lw::RecordingCanvas canvas;                  // a 96 dpi screen
//     canvas.caps = lw::RecordingCanvas::printerCaps(600);
//     canvas.failStretchDIBits = true;             // provoke the fallbacks
//     drawSomething(canvas);
//     for (const auto& s : canvas.segments()) ...  // lines with their pens
//     for (const auto& r : canvas.rectangles()) ...// rectangles with pen and brush
//     auto rows = canvas.callsOf<lw::SetDIBitsToDeviceCall>();
//     ADD_FAILURE() << canvas.dump();              // every call, one per line
//
// The state calls (pen, brush, font, text background, stretch mode) are
// recorded as they come; the query helpers replay them so that each drawn
// thing carries the state it was drawn with. The current point starts at
// (0, 0).
//
// Results: stretchDIBits gives the source height (GDI_ERROR when
// `failStretchDIBits` or the picture is empty), setDIBitsToDevice and setDIBits
// give the line count (0 when told to fail or the picture is empty),
// createCompatibleBitmap gives a bitmap with a running id from 1 (null when
// told to fail, recorded with id 0), stretchBlt gives true unless told to fail.
#include "platform/Canvas.h"

#include <QRect>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace lw {

struct SetPenCall {
    TColor color = 0;
    PenStyle style = PenStyle::Solid;
    int width = 1;
};
struct SetBrushCall {
    TColor color = 0;
};
struct SetFontCall {
    TFontInfo font;
};
struct SetTextBackgroundCall {
    TColor color = 0;
};
struct RectangleCall {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct MoveToCall {
    int x = 0, y = 0;
};
struct LineToCall {
    int x = 0, y = 0;
};
struct TextOutCall {
    int x = 0, y = 0;
    std::string text;
};
struct DrawTextCall {
    std::string text;
    QRect rect;
    TextAlign align = TextAlign::Left;
};
struct SetStretchBltModeCall {
    int mode = 0;
};

// What a picture passed to the canvas looked like at the time of the call.
struct DibSummary {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int stride = 0;
    std::vector<RGBQUAD> colors; // the first 2^bitCount entries, for up to 8 bits
};

struct StretchDIBitsCall {
    int x = 0, y = 0, w = 0, h = 0;
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    DibSummary dib;
    int result = 0;
};
struct SetDIBitsToDeviceCall {
    int x = 0, y = 0, w = 0, h = 0;
    int startLine = 0, lines = 0;
    DibSummary dib;
    // Copies of the stored rows startLine ... startLine + lines - 1 (as far as
    // the picture has them), each `dib.stride` bytes, rows[0] = startLine.
    std::vector<std::vector<std::uint8_t>> rows;
    int result = 0;
};
struct CreateCompatibleBitmapCall {
    int w = 0, h = 0;
    int bitmapId = 0; // 0: failed
};
struct SetDIBitsCall {
    int bitmapId = 0;
    int startLine = 0, lines = 0;
    DibSummary dib;
    int result = 0;
};
struct StretchBltCall {
    int x = 0, y = 0, w = 0, h = 0;
    int bitmapId = 0;
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    bool result = false;
};

using RecordedCall = std::variant<SetPenCall, SetBrushCall, SetFontCall, SetTextBackgroundCall,
                                  RectangleCall, MoveToCall, LineToCall, TextOutCall, DrawTextCall,
                                  SetStretchBltModeCall, StretchDIBitsCall, SetDIBitsToDeviceCall,
                                  CreateCompatibleBitmapCall, SetDIBitsCall, StretchBltCall>;

// A line drawn by lineTo: from (x1, y1) to (x2, y2), the end excluded.
struct DrawnSegment {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    SetPenCall pen;
};
struct DrawnRectangle {
    int left = 0, top = 0, right = 0, bottom = 0;
    SetPenCall pen;
    TColor brush = clWhite;
};
// Text from textOut (`formatted` false, top left at `x`, `y`) or drawText
// (`formatted` true, `rect` and `align`).
struct DrawnText {
    bool formatted = false;
    int x = 0, y = 0;
    QRect rect;
    TextAlign align = TextAlign::Left;
    std::string text;
    TFontInfo font;
    TColor background = clWhite;
};

class RecordingCanvas : public Canvas {
  public:
    // Device capabilities reported by deviceCaps(); a 96 dpi screen unless set.
    DeviceCaps caps;
    bool failStretchDIBits = false;          // stretchDIBits gives GDI_ERROR
    bool failSetDIBitsToDevice = false;      // setDIBitsToDevice gives 0
    bool failCreateCompatibleBitmap = false; // createCompatibleBitmap gives null
    bool failSetDIBits = false;              // setDIBits gives 0
    bool failStretchBlt = false;             // stretchBlt gives false

    static DeviceCaps screenCaps(int dpi = 96);
    static DeviceCaps printerCaps(int dpi = 600);

    RecordingCanvas() = default;
    explicit RecordingCanvas(const DeviceCaps& deviceCaps) : caps(deviceCaps) {}

    // --- what was recorded ---
    const std::vector<RecordedCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    template <class T> std::vector<T> callsOf() const {
        std::vector<T> out;
        for (const auto& c : calls_)
            if (const T* t = std::get_if<T>(&c)) out.push_back(*t);
        return out;
    }
    template <class T> int countOf() const {
        int n = 0;
        for (const auto& c : calls_)
            n += std::holds_alternative<T>(c) ? 1 : 0;
        return n;
    }

    std::vector<DrawnSegment> segments() const;
    std::vector<DrawnRectangle> rectangles() const;
    std::vector<DrawnText> texts() const;

    // Every call as one readable line, for failure messages.
    std::string dump() const;

    // --- Canvas ---
    DeviceCaps deviceCaps() const override { return caps; }
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

  private:
    std::vector<RecordedCall> calls_;
    int nextBitmapId_ = 1;
};

} // namespace lw
