#pragma once
// The family line style: partners joined by a couple line, one line from the
// couple (or a single known parent) down to a bar over the children and a
// short drop to each child.
//
// Every line runs in the gaps between the boxes: horizontal pieces in the
// gaps between rows, vertical pieces in the gaps between the boxes of a row
// (which move half a box from row to row, so a long line jogs in every gap
// between rows). A family's horizontal pieces in one gap lie on a track of
// their own; families whose pieces are far enough apart share a track. A gap
// between boxes of a row holds two vertical tracks; a line that finds one
// full takes the next free one. Tracks keep 5 pixels apart and 4 off every
// box frame; when a gap between rows needs more tracks than its 9 pixels
// hold, every row moves apart by the row spacing.
//
// The plan depends on the document and the box layout only (the margins
// shift it as a whole), so the painting, the printing and the mouse agree.
#include "chart/ChartGrid.h"
#include "chart/Rect64.h"

#include <string>
#include <vector>

namespace lw {

class ClippedPen;
class Document;
struct BoxLayout;

struct FamilySegment {
    Point64 a, b; // horizontal or vertical; b is drawn too
    int family = 0;
};

struct FamilyDate {
    Point64 at; // top left of the text
    std::int64_t width = 0;
    std::string text; // UTF-8: the marriage sign and the year
    int family = 0;
};

// A bar: the horizontal piece the drops to some children of one family in
// one row hang from.
struct FamilyBar {
    std::int64_t y = 0, lo = 0, hi = 0;
    std::int32_t row = 0; // the children's row
    int children = 0;     // how many hang from it
    int family = 0;
};

struct FamilyLinePlan {
    int rowSpacing = 0;
    std::vector<FamilySegment> segments; // family by family
    std::vector<FamilyDate> dates;
    std::vector<FamilyBar> bars;
    // Per family: its first segment, and the rectangle holding its lines.
    std::vector<std::size_t> firstSegment;
    std::vector<Rect64> bounds;
};

// The height of a marriage date written under a couple.
std::int64_t familyDateHeight(const BoxLayout& box);

// Whether the document paints family lines.
bool usesFamilyLines(const Document& doc);

// The pixels added between the rows: 0 for parent lines.
int familyRowSpacing(const Document& doc, const BoxLayout& box);

// The grid the chart of this document is drawn on (with its row spacing).
ChartGrid chartGridOf(const Document& doc, const BoxLayout& box, ChartMargins margins);

// The family lines of the persons placed in the area.
FamilyLinePlan planFamilyLines(const Document& doc, const BoxLayout& box, ChartMargins margins);

// Draws the families whose lines meet the pen's clip rectangle, each as a
// group "family" of the canvas: its marriage date first, then the lines over
// it.
void paintFamilyLines(ClippedPen& pen, const FamilyLinePlan& plan, const BoxLayout& box);
// Draws the line pieces of family `f` of the plan with the pen's colour.
void drawFamilySegments(ClippedPen& pen, const FamilyLinePlan& plan, std::size_t f);

// What a plan does wrong: pairs of pieces of different families lying on
// one another, and pieces crossing the inside of a drawn box (one count per
// box crossed). Both should be 0. And pieces hugging a box: running along
// its frame, fewer than 4 pixels off it, so that a finger cannot tell
// whether they belong to the box (one count per piece and box).
struct LineFaults {
    int overlaps = 0;
    int throughBoxes = 0;
    int hugging = 0;
};
LineFaults countLineFaults(const Document& doc, const BoxLayout& box, ChartMargins margins,
                           const FamilyLinePlan& plan);

} // namespace lw
