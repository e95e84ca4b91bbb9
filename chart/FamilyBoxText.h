#pragma once
// The text of a box on a chart with family lines: the names, then a line for
// each of birth (*), baptism (~), death (†) and burial (□) with its date and
// place, then the biography when it is shown. Every line is measured: one
// too wide for the box is wrapped at a word, and the last line that has room
// ends in "…" when more would follow; a line is never cut on either side.
// The names are never cut: a name wider than the box wraps at its blanks,
// and a word of it that is still too wide makes the name's font smaller.
//
// The same composition serves the screen (in chart pixels, possibly on a
// zoomed canvas) and the printed sheets (in sheet pixels).
#include "platform/FontInfo.h"

#include <QRect>
#include <string>
#include <vector>

namespace lw {

class Canvas;
struct BoxLayout;
struct TPerson;

// The lines below the names: "* 29.05.1917 Brookline" and so on, those with
// neither date nor place left out; then the biography when `showBiography`.
std::vector<std::string> familyEventLines(const TPerson& person, bool showBiography);

// One line as it is drawn: its text, font height and place in the text
// rectangle (`rect`, relative to nothing: in the units drawText gets).
struct BoxTextLine {
    std::string text;
    std::int32_t fontHeight = 0;
    QRect rect;
};

// The lines of the box text in `rect`, measured in `font` as it shows at
// `percent` of its size (the zoom the canvas applies; 100 for none).
std::vector<BoxTextLine> familyBoxLines(const TPerson& person, const BoxLayout& box,
                                        const TFontInfo& font, const QRect& rect,
                                        int percent = 100);

// The lines of today's box (boxText) when one of them is too wide for
// `rect`: the names in a font small enough, any other line ended in "…",
// none cut on both sides. Nothing when every line fits as it is, so that
// such a box is drawn as it always was.
std::vector<BoxTextLine> fittedParentBoxLines(const TPerson& person, const BoxLayout& box,
                                              const TFontInfo& font, const QRect& rect,
                                              int percent = 100);

// Only the surname, in the largest font that fits `rect` and shows at least
// `minPixels` high at `percent`; nothing when even that does not fit.
std::vector<BoxTextLine> overviewSurname(const TPerson& person, const TFontInfo& font,
                                         const QRect& rect, int percent, int minPixels);

// Draws the lines with `font` (its height replaced by each line's), aligned
// as `align`, and leaves the canvas with `font` itself.
void drawBoxLines(Canvas& canvas, const std::vector<BoxTextLine>& lines, const TFontInfo& font,
                  int align);

// The box text of `person` in `rect` as the chart's line style wants it: the
// family box, or today's box, fitted only where a line is too wide (a box
// whose lines fit is drawn with the one call it always was).
void drawBoxText(Canvas& canvas, const TPerson& person, const BoxLayout& box, const TFontInfo& font,
                 const QRect& rect, bool familyLines, int align, int percent = 100);

} // namespace lw
