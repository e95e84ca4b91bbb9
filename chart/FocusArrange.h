#pragma once
// Charts of one person: the ancestors as a pedigree, the descendants with
// their partners, or both at once as an hourglass. The persons of the chart
// get new cells; everyone else stays in the tree without a cell (not drawn,
// not printed), and the area is made exactly as large as the chart.
//
// Pedigree: the odd rows are shifted half a box, so the two cells above a
// cell are the one above-left and the one above-right of it. The oldest
// generation stands side by side in row 0 and each child stands between its
// parents one row lower, as near to their middle as the stagger allows; a
// pedigree without repeated ancestors thus needs no more columns than its
// oldest generation has persons and has no crossing lines. An ancestor
// reached twice (cousins who married) stands once, in the generation where
// it is first met.
//
// Descendants: each person with its partners beside it (partners from the
// partnerships, then the other parents of its children), the children of
// each partner below, in the next row, side by side under their parents.
//
// Hourglass: the ancestors above the person, the descendants below it.
#include "chart/AutoArrange.h"

namespace lw {

class Document;

enum class FocusChart {
    Ancestors,
    Descendants,
    Hourglass,
};

// The most generations a chart of one person is asked for.
inline constexpr int kMaxFocusGenerations = 30;

// `generations` counts the person itself: 1 is the person alone, 2 with its
// parents (or children), and so on. The moves send every person outside the
// chart to (-1, -1); areaWidth and areaHeight are the chart's size.
ArrangePlan planFocusArrangement(const Document& doc, FocusChart chart, int person,
                                 int generations);
// applyArrangement (chart/AutoArrange.h) carries the plan out.

} // namespace lw
