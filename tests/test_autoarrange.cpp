// The automatic arrangement: generations as rows with parents above their
// children, couples side by side with a single child centred under them,
// separate families side by side, one person per cell, hand-placed persons
// kept when only the unplaced ones are arranged.
#include "chart/ArrangeQuality.h"
#include "chart/AutoArrange.h"
#include "document/Document.h"

#include <gtest/gtest.h>
#include <set>

using namespace lw;

namespace {

// 0–9: grandparents, their two children with spouses, two cousins who marry
// and their two children; 10–14: a separate family with three children;
// 15: a person without relatives; 16, 17: each the other's father (damaged).
Document families() {
    Document doc;
    const int parents[][2] = {{-1, -1}, {-1, -1}, {0, 1},   {0, 1},   {-1, -1}, {-1, -1},
                              {2, 4},   {5, 3},   {6, 7},   {6, 7},   {-1, -1}, {-1, -1},
                              {10, 11}, {10, 11}, {10, 11}, {-1, -1}, {17, -1}, {16, -1}};
    for (const auto& pm : parents) {
        TPerson p;
        p.Vater = pm[0];
        p.Mutter = pm[1];
        doc.addPerson(std::move(p));
    }
    return doc;
}

GridCell cell(const Document& doc, int i) {
    return {doc.person(i).GridX, doc.person(i).GridY};
}
int halfX(const Document& doc, int i) {
    return 2 * doc.person(i).GridX + doc.person(i).GridY % 2;
}

void expectOnePersonPerCell(const Document& doc) {
    std::set<std::pair<int, int>> cells;
    for (int i = 0; i < doc.PersonCount(); ++i) {
        ASSERT_GE(doc.person(i).GridX, 0) << i;
        ASSERT_GE(doc.person(i).GridY, 0) << i;
        EXPECT_LT(doc.person(i).GridX, doc.AreaWidth) << i;
        EXPECT_LT(doc.person(i).GridY, doc.AreaHeight) << i;
        EXPECT_TRUE(cells.insert({doc.person(i).GridX, doc.person(i).GridY}).second) << i;
    }
}

} // namespace

TEST(AutoArrange, GenerationsCouplesAndSeparateFamilies) {
    Document doc = families();
    doc.AreaWidth = doc.AreaHeight = 3; // too small: the arrangement grows it
    EXPECT_EQ(arrangeDocument(doc, ArrangeScope::All), doc.PersonCount());
    EXPECT_TRUE(doc.Modified);
    expectOnePersonPerCell(doc);

    for (int child = 0; child <= 14; ++child) {
        for (int parent : {doc.person(child).Vater, doc.person(child).Mutter}) {
            if (parent < 0) continue;
            EXPECT_LT(doc.person(parent).GridY, doc.person(child).GridY) << child << " " << parent;
        }
        const int f = doc.person(child).Vater, m = doc.person(child).Mutter;
        if (f >= 0 && m >= 0) { // the parents stand side by side
            EXPECT_EQ(doc.person(f).GridY, doc.person(m).GridY) << child;
            EXPECT_EQ(std::abs(doc.person(f).GridX - doc.person(m).GridX), 1) << child;
        }
    }
    // The cousins' parents lead the longest line: the cousins share a row.
    EXPECT_EQ(doc.person(6).GridY, doc.person(7).GridY);
    // Three children spread evenly under their parents: the middle one is
    // centred under the pair, which the half-box shift of the row allows.
    EXPECT_EQ(halfX(doc, 12) + halfX(doc, 13) + halfX(doc, 14),
              3 * (halfX(doc, 10) + halfX(doc, 11)) / 2);
    std::multiset<int> kids = {halfX(doc, 12), halfX(doc, 13), halfX(doc, 14)};
    EXPECT_EQ(*std::next(kids.begin()), (halfX(doc, 10) + halfX(doc, 11)) / 2);
    // Two children stand right under their parents; on the shifted row
    // they can only be half a box off the middle.
    EXPECT_LE(std::abs(halfX(doc, 8) + halfX(doc, 9) - halfX(doc, 6) - halfX(doc, 7)), 2);
    // Siblings stand together, spouses on the outside, so the cousins'
    // parents are next to each other.
    EXPECT_EQ(std::abs(doc.person(2).GridX - doc.person(3).GridX), 1);

    // Separate families occupy separate columns.
    auto columns = [&](std::initializer_list<int> persons) {
        std::pair<int, int> range{1 << 30, -1};
        for (int i : persons) {
            range.first = std::min(range.first, doc.person(i).GridX);
            range.second = std::max(range.second, doc.person(i).GridX);
        }
        return range;
    };
    const auto a = columns({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    const auto b = columns({10, 11, 12, 13, 14});
    EXPECT_TRUE(a.second < b.first || b.second < a.first);

    const ArrangeQuality q = measureArrangement(doc);
    EXPECT_EQ(q.links, 20);
    EXPECT_EQ(q.parentAbove, 19); // all but one link of the damaged pair
    // The lines of two children to the same two parents always cross once:
    // 1 + 1 + 3 pairs of siblings; nothing else crosses.
    EXPECT_EQ(q.crossings, 5);
}

TEST(AutoArrange, OnlyUnplacedKeepsHandPlacedPersons) {
    Document doc = families();
    arrangeDocument(doc, ArrangeScope::All);
    // The user moved the grandparents by hand; the cousins' children and the
    // lone person lost their cells; a new child of the separate family came.
    doc.setGridPos(0, 40, 0);
    doc.setGridPos(1, 41, 0);
    for (int i : {8, 9, 15})
        doc.setGridPos(i, -1, -1);
    TPerson late;
    late.Vater = 10;
    late.Mutter = 11;
    const int lateIndex = doc.addPerson(std::move(late));
    doc.Modified = false;

    std::vector<GridCell> before;
    for (int i = 0; i < doc.PersonCount(); ++i)
        before.push_back(cell(doc, i));
    const ArrangePlan plan = planArrangement(doc, ArrangeScope::OnlyUnplaced);
    std::set<int> moved;
    for (const CellMove& m : plan.moves) {
        moved.insert(m.person);
        EXPECT_EQ(m.from, before[size_t(m.person)]);
    }
    EXPECT_EQ(moved, (std::set<int>{8, 9, 15, lateIndex}));
    applyArrangement(doc, plan);
    EXPECT_TRUE(doc.Modified);
    expectOnePersonPerCell(doc);
    for (int i = 0; i < doc.PersonCount(); ++i) {
        if (!moved.count(i)) {
            EXPECT_EQ(cell(doc, i), before[size_t(i)]) << i;
        }
    }
    for (int child : {8, 9, lateIndex})
        EXPECT_EQ(doc.person(child).GridY, doc.person(doc.person(child).Vater).GridY + 1) << child;

    // Nothing left to place: no change, not modified.
    doc.Modified = false;
    EXPECT_EQ(arrangeDocument(doc, ArrangeScope::OnlyUnplaced), 0);
    EXPECT_FALSE(doc.Modified);
}
