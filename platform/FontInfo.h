#pragma once
// A font as the family tree file and the settings file describe it: the
// height in pixels (negative for a character height, as font dialogs give
// it) refers to `PixelsPerInch`; the point size is derived from the two.
#include "platform/Color.h"

#include <cstdint>
#include <string>

namespace lw {

// Multiply, then divide, rounding to the nearest whole number (halves away
// from zero). A zero divisor or a result beyond 32 bits gives -1.
std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

enum FontStyleBits : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum FontPitch : std::uint8_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

struct TFontInfo {
    std::string Name;       // Windows-1252 bytes
    std::uint8_t Charset = 0; // 0 = ANSI
    TColor Color = clWindowText;
    std::uint8_t Pitch = fpDefault;
    std::int32_t PixelsPerInch = 96;
    std::int32_t Height = -11; // pixels; negative = character height
    std::uint8_t Style = 0;    // FontStyleBits

    std::int32_t Size() const { return -MulDiv(Height, 72, PixelsPerInch); }
    void setSize(std::int32_t points) { Height = -MulDiv(points, PixelsPerInch, 72); }

    bool operator==(const TFontInfo&) const = default;
};

// "Arial", 11 pixels (8 points at 96 pixels per inch): the box text font.
TFontInfo defaultBoxFont();
// "Arial Black", 19 pixels: the heading font.
TFontInfo defaultHeadingFont();

} // namespace lw
