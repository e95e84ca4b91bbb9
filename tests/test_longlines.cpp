// The lines over several rows, drawn straight: where they pass a row, the
// groups there go to the side that crosses less.
#include "chart/StraightLongLines.h"

#include <gtest/gtest.h>

#include <vector>

namespace lw::familylayout {
namespace {

struct Chart {
    std::vector<std::vector<int>> rows;
    std::vector<double> x;
    std::vector<int> width, row;
    std::vector<StraightLine> lines;
};

// Every pair of lines that changes sides between two rows both span.
int crossings(const Chart& c) {
    auto at = [&](const StraightLine& l, int r) {
        const int t = c.row[size_t(l.upper)], b = c.row[size_t(l.lower)];
        const double from = c.x[size_t(l.upper)] + l.upperOffset,
                     to = c.x[size_t(l.lower)] + l.lowerOffset;
        return from + (to - from) * (r - t) / (b - t);
    };
    int count = 0;
    for (size_t i = 0; i < c.lines.size(); ++i)
        for (size_t j = i + 1; j < c.lines.size(); ++j) {
            const StraightLine &a = c.lines[i], &b = c.lines[j];
            const int from = std::max(c.row[size_t(a.upper)], c.row[size_t(b.upper)]);
            const int to = std::min(c.row[size_t(a.lower)], c.row[size_t(b.lower)]);
            for (int r = from; r < to; ++r)
                count += (at(a, r) - at(b, r)) * (at(a, r + 1) - at(b, r + 1)) < 0;
        }
    return count;
}

TEST(LongLines, GroupsGoToTheSideOfTheStraightLineThatCrossesLess) {
    // Groups by number: 0 Q and 1 P in row 0, 2 A in row 1, 3 D1, 4 D2 and
    // 5 C in row 2. P's line to its grandchild-row child C passes row 1 at
    // column 3, left of A, whose parent Q stands left and whose children
    // stand left.
    const Chart start{{{0, 1}, {2}, {3, 4, 5}},
                      {0, 1, 3.5, 2, 3, 5},
                      {1, 1, 1, 1, 1, 1},
                      {0, 0, 1, 2, 2, 2},
                      {{1, 5, 0, 0}, {0, 2, 0, 0}, {2, 3, 0, 0}, {2, 4, 0, 0}}};
    // A's parent and children on the right of the line: nothing to gain.
    const Chart right{{{1, 0}, {2}, {5, 3, 4}},
                      {1, 0, 3.5, 4, 5, 2},
                      {1, 1, 1, 1, 1, 1},
                      {0, 0, 1, 2, 2, 2},
                      start.lines};
    // P's line ends in a group of three (0 P, 1 A, 2 D1 D2 C) that A's lines
    // end in too: only A can move.
    const Chart oneGroup{{{0}, {1}, {2}},
                         {1, 3.5, 3},
                         {1, 1, 3},
                         {0, 1, 2},
                         {{0, 2, 0, 2}, {1, 2, 0, 0}, {1, 2, 0, 1}}};
    for (const auto& [name, chart, crossingsAfter] :
         {std::tuple{"relatives on the left", start, 0},
          {"relatives in the line's group", oneGroup, 0},
          {"relatives on the right", right, -1}}) {
        Chart c = chart;
        const int before = crossings(c);
        straightenLongLines(c.rows, c.x, c.width, c.row, c.lines);
        EXPECT_EQ(crossings(c), crossingsAfter < 0 ? before : crossingsAfter) << name;
        if (crossingsAfter < 0) {
            EXPECT_EQ(c.x, chart.x) << name;
        }
        // The groups keep within the family's columns, none on another.
        for (const std::vector<int>& order : c.rows)
            for (size_t k = 0; k < order.size(); ++k) {
                EXPECT_GE(c.x[size_t(order[k])], 0) << name;
                EXPECT_LE(c.x[size_t(order[k])] + c.width[size_t(order[k])] - 1, 6) << name;
                if (k > 0) {
                    EXPECT_GE(c.x[size_t(order[k])],
                              c.x[size_t(order[k - 1])] + c.width[size_t(order[k - 1])])
                        << name;
                }
            }
    }
}

} // namespace
} // namespace lw::familylayout
