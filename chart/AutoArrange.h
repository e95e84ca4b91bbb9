#pragma once
// Automatic arrangement: places persons on the staggered grid by generation,
// parents in the row above their children. Each pair of parents stands side
// by side, so that a child in the next row, which is shifted by half a box,
// sits centred under them; rows are ordered to keep lines short and
// crossings few; separate families stand side by side. The result is an
// ordinary arrangement that the user refines by dragging.
//
// Planning and applying are separate so that the change is one step: the
// plan lists every cell move and the grown area.
#include "chart/ChartGrid.h"

#include <cstdint>
#include <vector>

namespace lw {

class Document;

enum class ArrangeScope {
    All,          // every person gets a new cell
    OnlyUnplaced, // persons with a cell keep it; the others join near their relatives
};

struct CellMove {
    int person;
    GridCell from;
    GridCell to;
};

struct ArrangePlan {
    std::vector<CellMove> moves;
    // The area afterwards: never smaller than before, but fitted to the
    // chart where nobody had a cell before (after an import).
    std::int32_t areaWidth = 0;
    std::int32_t areaHeight = 0;
};

ArrangePlan planArrangement(const Document& doc, ArrangeScope scope);

// Moves the persons and grows the area as planned; the document is marked
// modified when anything changed.
void applyArrangement(Document& doc, const ArrangePlan& plan);

// Plans and applies; returns how many persons moved.
int arrangeDocument(Document& doc, ArrangeScope scope);

} // namespace lw
