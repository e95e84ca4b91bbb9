// The figures of an arrangement on small hand-placed families whose lines
// can be counted on paper: the X of full siblings is told apart from real
// crossings, couples side by side, parents one row up, the span in cells and
// how far the lines run sideways.
#include "TestPersons.h"
#include "chart/ArrangeQuality.h"
#include "document/Document.h"

#include <gtest/gtest.h>
#include <vector>

using namespace lw;

namespace {

struct Placed {
    std::int32_t col, row;
    int father, mother;
};

struct QualityCase {
    const char* what;
    std::vector<Placed> persons;
    int links, parentAbove, parentOneRowAbove;
    std::int64_t crossings, siblingCrossings;
    int couples, couplesSideBySide;
    std::int32_t width, height;
    double horizontal; // in columns
};

// The odd rows' shift in columns: half a box less its gap, 82 of 168 pixels.
constexpr double kShift = 82.0 / 168;

} // namespace

TEST(ArrangeQuality, CountsCrossingsCouplesRowsAndSpan) {
    const std::vector<QualityCase> cases = {
        {"two full siblings under their parents: only their X",
         {{0, 0, -1, -1}, {1, 0, -1, -1}, {0, 1, 0, 1}, {1, 1, 0, 1}},
         4,
         4,
         4,
         1,
         1,
         1,
         1,
         2,
         2,
         2 + 2 * kShift},
        {"two families whose children swapped sides",
         {{0, 0, -1, -1},
          {1, 0, -1, -1},
          {3, 0, -1, -1},
          {4, 0, -1, -1},
          {3, 1, 0, 1},
          {0, 1, 2, 3}},
         4,
         4,
         4,
         4,
         0,
         2,
         2,
         5,
         2,
         12},
        {"half siblings of one father cross for real",
         {{0, 0, -1, -1}, {1, 0, -1, -1}, {2, 0, -1, -1}, {1, 1, 1, 0}, {0, 1, 1, 2}},
         4,
         4,
         4,
         3,
         0,
         2,
         2,
         3,
         2,
         4},
        {"a father two rows up, a mother apart, a son's son above him, one unplaced child",
         {{0, 0, -1, -1}, {2, 1, -1, -1}, {0, 2, 0, 1}, {4, 1, 2, -1}, {-1, -1, 0, 1}},
         3,
         2,
         1,
         0,
         0,
         1,
         0,
         5,
         3,
         6 + 2 * kShift},
    };
    for (const QualityCase& c : cases) {
        SCOPED_TRACE(c.what);
        Document doc;
        for (const Placed& p : c.persons) {
            TPerson person = test::personAt(p.col, p.row);
            person.Vater = p.father;
            person.Mutter = p.mother;
            doc.addPerson(std::move(person));
        }
        const ArrangeQuality q = measureArrangement(doc);
        EXPECT_EQ(q.links, c.links);
        EXPECT_EQ(q.parentAbove, c.parentAbove);
        EXPECT_EQ(q.parentOneRowAbove, c.parentOneRowAbove);
        EXPECT_EQ(q.crossings, c.crossings);
        EXPECT_EQ(q.siblingCrossings, c.siblingCrossings);
        EXPECT_EQ(q.couples, c.couples);
        EXPECT_EQ(q.couplesSideBySide, c.couplesSideBySide);
        EXPECT_EQ(q.width, c.width);
        EXPECT_EQ(q.height, c.height);
        EXPECT_NEAR(q.horizontal, c.horizontal, 1e-9);
    }
}
