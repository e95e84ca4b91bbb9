#pragma once
// A font as the family tree file and the settings file describe it: the
// height in pixels (negative for a character height, as font dialogs give
// it) refers to `PixelsPerInch`; the point size is derived from the two.
#include "platform/Color.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lw {

// Multiply, then divide, rounding to the nearest whole number (halves away
// from zero). A zero divisor or a result beyond 32 bits gives -1.
std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

// The largest font height in pixels, either sign; far more than a page.
constexpr std::int32_t kMaxFontHeight = 4096;

enum FontStyleBits : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum FontPitch : std::uint8_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

struct TFontInfo {
    std::string Name;         // UTF-8
    std::uint8_t Charset = 0; // 0 = ANSI
    TColor Color = clWindowText;
    std::uint8_t Pitch = fpDefault;
    std::int32_t PixelsPerInch = 96;
    std::int32_t Height = -11; // pixels; negative = character height
    std::uint8_t Style = 0;    // FontStyleBits

    // Heights beyond kMaxFontHeight count as that; a pixels-per-inch value
    // that is not positive counts as the screen's (96), so that a size read
    // from a file survives the next save unchanged.
    std::int32_t Size() const;
    void setSize(std::int32_t points);
    std::int32_t effectivePixelsPerInch() const { return PixelsPerInch > 0 ? PixelsPerInch : 96; }

    bool operator==(const TFontInfo&) const = default;
};

// A face name as the settings file keeps it: without control characters
// (a line break would end the line) and without blanks around it, so that
// the name reads back exactly as it was written.
std::string cleanFontName(std::string_view name);

// "Arial", 11 pixels (8 points at 96 pixels per inch): the box text font.
TFontInfo defaultBoxFont();
// "Arial Black", 19 pixels: the heading font.
TFontInfo defaultHeadingFont();

} // namespace lw
