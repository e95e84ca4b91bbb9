#pragma once
// The part of a long line of text that can reach a visible strip, found from
// the advance of each byte's character, so that a line of megabytes is never
// laid out whole. A few characters to spare on either side keep kerning and
// shaping at the strip's edges as they would be for the whole line.
#include <QFontMetricsF>
#include <array>
#include <cstdint>
#include <string_view>

namespace lw {

// The advance of each byte of UTF-8 text in a font: an ASCII character's
// own, the estimate of a whole character at the first byte of a longer
// one, 0 at the bytes that continue it.
std::array<qreal, 256> byteAdvances(const QFontMetricsF& metrics);

struct LineSpan {
    std::size_t first = 0; // the bytes first ... last - 1 are drawn
    std::size_t last = 0;
    qreal x = 0;     // where byte `first` starts
    qreal width = 0; // the whole line's width
    bool empty() const { return first >= last; }
};

// The line of `text` that begins at `start`, which moves on to the next one.
// A line ends at a carriage return; a line feed right after it belongs to it.
std::string_view nextTextLine(std::string_view text, std::size_t& start);

// The bytes of `line`, starting at `x`, that reach left ... right.
LineSpan visibleSpan(std::string_view line, const std::array<qreal, 256>& advance, qreal x,
                     int left, int right);

} // namespace lw
