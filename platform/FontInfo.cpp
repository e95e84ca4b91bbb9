#include "platform/FontInfo.h"

#include <cstdlib>
#include <limits>

namespace lw {

std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) return -1;
    std::int64_t p = std::int64_t(number) * numerator;
    std::int64_t d = denominator;
    if (d < 0) { d = -d; p = -p; }
    std::int64_t q = (std::llabs(p) + d / 2) / d;
    if (p < 0) q = -q;
    if (q > std::numeric_limits<std::int32_t>::max() || q < std::numeric_limits<std::int32_t>::min())
        return -1;
    return std::int32_t(q);
}

TFontInfo defaultBoxFont() {
    TFontInfo f;
    f.Name = "Arial";
    f.Height = -11;
    return f;
}

TFontInfo defaultHeadingFont() {
    TFontInfo f;
    f.Name = "Arial Black";
    f.Height = -19;
    return f;
}

} // namespace lw
