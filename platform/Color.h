#pragma once
// Colour values as the family tree file stores them: 0x00BBGGRR for a plain
// colour (red in the lowest byte), 0x800000ii for system colour number ii.
#include <QColor>
#include <cstdint>

namespace lw {

using TColor = std::uint32_t;

constexpr TColor clWindowText = 0x80000008;
constexpr TColor clInfoBk = 0x80000018; // tooltip background
constexpr TColor clBlack = 0x00000000;
constexpr TColor clWhite = 0x00FFFFFF;

constexpr TColor rgb(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

constexpr bool isSystemColor(TColor c) {
    return (c & 0xFF000000u) == 0x80000000u;
}

// A system colour resolves through a fixed table of the standard Windows
// scheme, so screen and paper look the same on every machine; any other high
// byte is ignored and the low three bytes are taken as the colour.
QColor toQColor(TColor c);

// The plain colour value of a QColor (alpha dropped).
TColor fromQColor(const QColor& c);

} // namespace lw
