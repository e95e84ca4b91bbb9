#pragma once
// Where the lines over several rows cross less when drawn straight, as the
// chart's figures count them. The ordering counts such a line through a
// stand-in in each row between; drawn straight, it passes those rows
// elsewhere, so the groups there get a second look.
#include <vector>

namespace lw::familylayout {

// Odd rows are shifted by a little less than half a cell (half a box: the
// 4 pixels between boxes stay out), which decides on which side of a box
// centre a straight line passes that meets it exactly in halves.
constexpr double kOddRowShortfall = 1.0 / 64;

struct StraightLine {
    int upper, lower;                // the parent's group and the child's group
    double upperOffset, lowerOffset; // the ends, in columns from the groups' x
};

// `rows` holds each row's groups in order, `x` by group the place of its
// first box (half a cell further in odd rows), `width` its boxes, `row` its
// row. In the rows that lines over several rows pass or end in, neighbours
// change places within the columns they took, and the groups of a row a
// line passes split where it passes: those before it go to its left, those
// after to its right, as far as the family's width allows; each where fewer
// lines then cross.
void straightenLongLines(std::vector<std::vector<int>>& rows, std::vector<double>& x,
                         const std::vector<int>& width, const std::vector<int>& row,
                         const std::vector<StraightLine>& lines);

} // namespace lw::familylayout
