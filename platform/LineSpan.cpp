#include "platform/LineSpan.h"

#include "platform/DocText.h"

#include <algorithm>
#include <string>

namespace lw {

std::array<qreal, 256> byteAdvances(const QFontMetricsF& metrics) {
    std::array<qreal, 256> advances{};
    // A character of several bytes counts at its first byte: a Latin letter
    // for a two-byte sequence, an ideograph for the longer ones.
    const qreal latin = metrics.horizontalAdvance(QString(QChar(0x00E4)));
    const qreal wide = metrics.horizontalAdvance(QString(QChar(0x4E2D)));
    for (int b = 0; b < 256; ++b)
        advances[std::size_t(b)] = b < 0x80   ? metrics.horizontalAdvance(QString(QChar(b)))
                                   : b < 0xC0 ? 0
                                   : b < 0xE0 ? latin
                                              : wide;
    return advances;
}

std::string_view nextTextLine(std::string_view text, std::size_t& start) {
    std::size_t end = text.find('\r', start);
    const std::size_t next =
        end == std::string_view::npos
            ? text.size()
            : (end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = next;
    return line;
}

LineSpan visibleSpan(std::string_view line, const std::array<qreal, 256>& advance, qreal x,
                     int left, int right) {
    constexpr std::size_t kSpare = 8;
    LineSpan span;
    for (const char c : line)
        span.width += advance[std::uint8_t(c)];
    const std::size_t n = line.size();
    qreal pos = x;
    std::size_t first = 0;
    while (first < n && pos + advance[std::uint8_t(line[first])] < left)
        pos += advance[std::uint8_t(line[first++])];
    for (std::size_t k = 0; k < kSpare && first > 0; ++k)
        pos -= advance[std::uint8_t(line[--first])];
    qreal end = pos;
    std::size_t last = first;
    while (last < n && end <= right + 1)
        end += advance[std::uint8_t(line[last++])];
    last = std::min(n, last + kSpare);
    // The span neither starts nor ends inside a character.
    const auto inside = [&](std::size_t at) {
        return at < n && (std::uint8_t(line[at]) & 0xC0) == 0x80;
    };
    while (first > 0 && inside(first))
        pos -= advance[std::uint8_t(line[--first])];
    while (inside(last))
        ++last;
    if (pos > right + 1) last = first;
    span.first = first;
    span.last = last;
    span.x = pos;
    return span;
}

} // namespace lw
