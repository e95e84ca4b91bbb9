#pragma once
// The couple groups of one family and their generations.
//
// Partners stand side by side as one group: a chain along the partner links,
// so that a person with two partners stands between them. Groups get rows
// so that the lines from parents to children are short: from two starts
// (each group one row below its lowest parents; each line of ancestors
// right above its nearest grandchildren) every group moves, while a row
// between its parents and its children is free, to where its lines are
// shortest in sum; a tie moves it down, towards its children, so that a
// whole line of ancestors above a far child follows it down. Childless
// groups pin nobody: they are left out of their parents' reckoning and
// come to stand right below their parents at the end. The start whose
// lines are shorter in sum wins. Where lines stay longer than one row, the
// rows are then made as short in sum as they can be, all groups at once
// (a whole line of ancestors that only together may come down), and the
// childless go right below their parents once more.
#include "chart/FamilyGraph.h"

#include <vector>

namespace lw::familylayout {

struct Groups {
    std::vector<int> groupOf;              // by person
    std::vector<double> offset;            // by person: place within its group
    std::vector<std::vector<int>> members; // by group, in their order

    int count() const { return int(members.size()); }
};

Groups buildGroups(const Graph& g);

// The links between groups, parents' group to child's group, one per
// link of a parent; only links from an older to a younger generation (a
// cycle of damaged data is broken).
struct GroupLinks {
    std::vector<std::vector<int>> succ; // by group: children's groups, with repeats
    std::vector<std::vector<int>> pred; // by group: parents' groups, with repeats
};

// The row of each group, from 0.
std::vector<int> assignLayers(const Graph& g, const Groups& groups, GroupLinks& links);

} // namespace lw::familylayout
