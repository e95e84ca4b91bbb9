#include "platform/Color.h"

#include <array>

namespace lw {
namespace {

// The standard Windows colour scheme, indices 0..30.
constexpr std::array<TColor, 31> kSystem = {
    rgb(0xC8, 0xC8, 0xC8), // 0 scroll bar
    rgb(0x00, 0x00, 0x00), // 1 background (desktop)
    rgb(0x99, 0xB4, 0xD1), // 2 active caption
    rgb(0xBF, 0xCD, 0xDB), // 3 inactive caption
    rgb(0xF0, 0xF0, 0xF0), // 4 menu
    rgb(0xFF, 0xFF, 0xFF), // 5 window
    rgb(0x64, 0x64, 0x64), // 6 window frame
    rgb(0x00, 0x00, 0x00), // 7 menu text
    rgb(0x00, 0x00, 0x00), // 8 window text
    rgb(0x00, 0x00, 0x00), // 9 caption text
    rgb(0xB4, 0xB4, 0xB4), // 10 active border
    rgb(0xF4, 0xF7, 0xFC), // 11 inactive border
    rgb(0xAB, 0xAB, 0xAB), // 12 application workspace
    rgb(0x00, 0x78, 0xD7), // 13 highlight
    rgb(0xFF, 0xFF, 0xFF), // 14 highlight text
    rgb(0xF0, 0xF0, 0xF0), // 15 button face
    rgb(0xA0, 0xA0, 0xA0), // 16 button shadow
    rgb(0x6D, 0x6D, 0x6D), // 17 grey text
    rgb(0x00, 0x00, 0x00), // 18 button text
    rgb(0x00, 0x00, 0x00), // 19 inactive caption text
    rgb(0xFF, 0xFF, 0xFF), // 20 button highlight
    rgb(0x69, 0x69, 0x69), // 21 3D dark shadow
    rgb(0xE3, 0xE3, 0xE3), // 22 3D light
    rgb(0x00, 0x00, 0x00), // 23 tooltip text
    rgb(0xFF, 0xFF, 0xE1), // 24 tooltip background
    rgb(0x00, 0x00, 0x00), // 25 (unused)
    rgb(0x00, 0x66, 0xCC), // 26 hot light
    rgb(0xB9, 0xD1, 0xEA), // 27 gradient active caption
    rgb(0xD7, 0xE4, 0xF2), // 28 gradient inactive caption
    rgb(0x33, 0x99, 0xFF), // 29 menu highlight
    rgb(0xF0, 0xF0, 0xF0), // 30 menu bar
};

} // namespace

QColor toQColor(TColor c) {
    if (isSystemColor(c)) {
        unsigned i = c & 0xFF;
        c = i < kSystem.size() ? kSystem[i] : 0;
    }
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TColor fromQColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace lw
