#include "document/Layout.h"

#include <cmath>

namespace lw {

int IntRange::clamp(double v) const {
    if (std::isnan(v)) return lo;
    if (v <= lo) return lo;
    if (v >= hi) return hi;
    return int(std::lround(v));
}

double clampMargin(double mm) {
    if (std::isnan(mm) || mm < 0) return 0;
    return mm > kMarginMax ? kMarginMax : mm;
}

void BoxLayout::resetToStandard() {
    bkColor = clInfoBk;
    borderColor = clBlack;
    font = defaultBoxFont();
    BreitEd = 168;
    HochEd = 96;
    BildEd = 50;
    Textausricht = 1;
    LeblaufCheck = true;
}

} // namespace lw
