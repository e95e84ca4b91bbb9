#include "platform/FontInfo.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace lw {

std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) return -1;
    std::int64_t p = std::int64_t(number) * numerator;
    std::int64_t d = denominator;
    if (d < 0) {
        d = -d;
        p = -p;
    }
    std::int64_t q = (std::llabs(p) + d / 2) / d;
    if (p < 0) q = -q;
    if (q > std::numeric_limits<std::int32_t>::max() ||
        q < std::numeric_limits<std::int32_t>::min())
        return -1;
    return std::int32_t(q);
}

namespace {

// p / d rounded to the nearest whole number, halves away from zero (d > 0).
std::int64_t roundedQuotient(std::int64_t p, std::int64_t d) {
    const std::int64_t q = (std::llabs(p) + d / 2) / d;
    return p < 0 ? -q : q;
}

std::int32_t clampHeight(std::int64_t h) {
    return std::int32_t(std::clamp<std::int64_t>(h, -kMaxFontHeight, kMaxFontHeight));
}

} // namespace

std::int32_t TFontInfo::Size() const {
    return std::int32_t(
        -roundedQuotient(std::int64_t(clampHeight(Height)) * 72, effectivePixelsPerInch()));
}

void TFontInfo::setSize(std::int32_t points) {
    Height = clampHeight(-roundedQuotient(std::int64_t(points) * effectivePixelsPerInch(), 72));
}

std::string cleanFontName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
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
