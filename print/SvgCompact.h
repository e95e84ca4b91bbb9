#pragma once
// Makes the SVG that Qt's generator writes compact without changing the
// drawing: the generator wraps every drawn element in a group carrying the
// whole painter state. Here each element takes the style it inherits as a
// class of a style sheet (one class per distinct style), the groups go,
// default values are left out, and consecutive line pieces of one style
// that join end to start become one polyline.
#include <QByteArray>

namespace lw {

// The compact form of `svg`; `svg` itself when it cannot be read.
QByteArray compactSvg(const QByteArray& svg);

} // namespace lw
