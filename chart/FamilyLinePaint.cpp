// Drawing a family line plan: each family's marriage date, then its lines.
#include "chart/FamilyLines.h"

#include "chart/ClippedPen.h"
#include "document/Layout.h"
#include "platform/Canvas.h"

#include <algorithm>
#include <cstdlib>

namespace lw {

namespace {

constexpr TColor kFamilyColor = rgb(0, 0, 0);

} // namespace

void paintFamilyLines(ClippedPen& pen, const FamilyLinePlan& plan, const BoxLayout& box) {
    Canvas& canvas = pen.canvas();
    canvas.setFont(box.font);
    canvas.setTextBackground(clWhite);
    for (std::size_t f = 0; f < plan.bounds.size(); ++f) {
        if (!pen.sees(plan.bounds[f].grown(familyDateHeight(box) + 2))) continue;
        const int family = plan.segments[plan.firstSegment[f]].family;
        canvas.beginGroup("family");
        auto d = std::lower_bound(plan.dates.begin(), plan.dates.end(), family,
                                  [](const FamilyDate& a, int f) { return a.family < f; });
        for (; d != plan.dates.end() && d->family == family; ++d) {
            const Rect64 r{d->at.x, d->at.y, d->at.x + d->width, d->at.y + familyDateHeight(box)};
            const Point64 at{d->at.x - pen.origin().x, d->at.y - pen.origin().y};
            if (pen.sees(r) && std::abs(at.x) < 1'000'000'000 && std::abs(at.y) < 1'000'000'000)
                canvas.textOut(int(at.x), int(at.y), d->text);
        }
        canvas.setPen(kFamilyColor, PenStyle::Solid, 1);
        drawFamilySegments(pen, plan, f);
        canvas.endGroup();
    }
}

void drawFamilySegments(ClippedPen& pen, const FamilyLinePlan& plan, std::size_t f) {
    const std::size_t end =
        f + 1 < plan.firstSegment.size() ? plan.firstSegment[f + 1] : plan.segments.size();
    for (std::size_t s = plan.firstSegment[f]; s < end; ++s) {
        const FamilySegment& seg = plan.segments[s];
        // Both ends are drawn: a piece ends where the next begins.
        const Point64 past{seg.b.x + (seg.b.x > seg.a.x) - (seg.b.x < seg.a.x),
                           seg.b.y + (seg.b.y > seg.a.y) - (seg.b.y < seg.a.y)};
        pen.line(seg.a, past);
    }
}

} // namespace lw
