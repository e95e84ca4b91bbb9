#pragma once
// Lines in 64-bit chart pixels onto a canvas that shows only part of the
// chart: the canvas pixel (0, 0) shows the chart pixel `origin`, and only the
// chart pixels inside `clip` need to be right.
//
// Lines are cut to the clip rectangle before they reach the canvas, so that
// the canvas never sees coordinates beyond 32 bits; a cut start moves by a
// multiple of 24 pixels only, which keeps the phase of a dotted pen. Each
// line goes out as moveTo and lineTo (the end left out), the moveTo dropped
// when the canvas's current point is already the line's start, so a route
// that is seen whole reaches the canvas exactly as a walk along it would.
#include "chart/Rect64.h"

namespace lw {

class Canvas;

class ClippedPen {
  public:
    ClippedPen(Canvas& canvas, Point64 origin, const Rect64& clip)
        : canvas_(canvas), origin_(origin), clip_(clip) {}

    Canvas& canvas() { return canvas_; }
    const Rect64& clip() const { return clip_; }
    Point64 origin() const { return origin_; }
    bool sees(const Rect64& r) const { return clip_.intersects(r); }

    // A line from a to b; b is left out.
    void line(Point64 a, Point64 b);

  private:
    // The part of a straight line that can reach the clip rectangle; false
    // when nothing of it can.
    bool cutAxisLine(Point64& a, Point64& b) const;
    bool cutSlantedLine(Point64& a, Point64& b) const;
    bool reachable(Point64 p) const;

    Canvas& canvas_;
    Point64 origin_;
    Rect64 clip_;
    bool hasCurrent_ = false;
    Point64 current_; // the canvas's current point, in chart pixels
};

} // namespace lw
