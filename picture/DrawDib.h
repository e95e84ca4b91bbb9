#pragma once
// Output of a picture, scaled, onto a drawing surface.
#include "picture/Dib.h"

namespace lw {

class Canvas;
class Dialogs;

// Draws the whole picture `dib` with its top left corner at (X, Y), scaled to
// DestW × DestH pixels, replacing what is there.
//
// On a screen, 24- and 8-bit pictures are scaled here, row by row (nearest
// neighbour: destination column i shows source column width·i div DestW, row
// r source row height·r div DestH, both from the top left), with one unscaled
// output per destination row. Anything else, and every picture on a printer,
// goes to the surface's stretched output; when that fails, the picture is
// scaled here into a temporary picture of the destination size (only for
// destinations of at least 2 × 2 pixels on devices that take pictures
// directly), and as a last way copied through a device bitmap. Failures of
// the last way are told through `dialogs` (may be null: then silently).
//
// An empty picture or a destination smaller than 1 × 1 draws nothing. The
// caller's record is not changed.
void DrawDib(Canvas& canvas, int X, int Y, int DestW, int DestH, TDibRecord dib, Dialogs* dialogs);

} // namespace lw
