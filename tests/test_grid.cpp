#include "chart/ChartGrid.h"
#include "document/Document.h"

#include <gtest/gtest.h>

#include <optional>

using namespace lw;

namespace {

const ChartMargins kDefaultMargins{45, 68};

// The drop cell as the row-by-row scan over the area finds it.
std::optional<GridCell> scanDropCell(const ChartGrid& g, std::int64_t x, std::int64_t y,
                                     std::int32_t areaW, std::int32_t areaH) {
    for (std::int32_t r = 0; r < areaH; ++r) {
        if (y < g.Top(r) || y > g.Bottom(r)) continue;
        for (std::int32_t c = 0; c < areaW; ++c)
            if (g.holds(c, r, x, y)) return GridCell{c, r};
    }
    return std::nullopt;
}

// The person under a point as the index-order scan over the persons inside
// the area finds it.
int scanPersonAt(const ChartGrid& g, const Document& doc, std::int64_t x, std::int64_t y) {
    int found = -1;
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        const bool inArea =
            p.GridX >= 0 && p.GridX < doc.AreaWidth && p.GridY >= 0 && p.GridY < doc.AreaHeight;
        if (inArea && g.holds(p.GridX, p.GridY, x, y)) found = i;
    }
    return found;
}

TPerson personAtCell(std::int32_t x, std::int32_t y) {
    TPerson p;
    p.GridX = x;
    p.GridY = y;
    return p;
}

} // namespace

TEST(ChartGrid, MarginsUseTheProgramsMillimetreConstant) {
    EXPECT_EQ(marginPixels(12, 96), 45);
    EXPECT_EQ(marginPixels(18, 96), 68);
    EXPECT_EQ(marginPixels(6, 96), 22);
    EXPECT_EQ(marginPixels(0, 96), 0);
    // 6.35 mm is exactly a quarter inch: 25.4 would give 23.99999... and 23.
    EXPECT_EQ(marginPixels(6.35, 96), 24);
    EXPECT_EQ(marginPixels(50, 96), 188);
}

TEST(ChartGrid, CellCornersAtDefaultSettings) {
    const ChartGrid g(168, 96, kDefaultMargins);
    EXPECT_EQ(g.Left(0, 0), 45);
    EXPECT_EQ(g.Top(0), 68);
    EXPECT_EQ(g.Right(0, 0), 204);
    EXPECT_EQ(g.Bottom(0), 155);
    EXPECT_EQ(g.Left(0, 1), 127);
    EXPECT_EQ(g.Top(1), 164);
    EXPECT_EQ(g.Right(0, 1), 286);
    EXPECT_EQ(g.Bottom(1), 251);
    EXPECT_EQ(g.Left(3, 1) - g.Left(3, 0), 82);
    // Row -1 is odd and shifted too; column and row -1 lie left of and above
    // the margins.
    EXPECT_EQ(g.shift(-1), 82);
    EXPECT_EQ(g.shift(-2), 0);
    EXPECT_EQ(g.Left(-1, -1), -168 + 45 + 82);
    EXPECT_EQ(g.Top(-1), -96 + 68);
}

TEST(ChartGrid, PositionsBeyondThirtyTwoBits) {
    const ChartGrid g(1000, 1000, kDefaultMargins);
    EXPECT_EQ(g.Left(2147483647LL, 1), 2147483647000LL + 45 + 498);
    EXPECT_EQ(g.Bottom(2147483647LL), 2147483647000LL + 68 + 991);
    EXPECT_TRUE(g.holds(2147483647LL, 0, 2147483647000LL + 45, 68));
}

TEST(ChartGrid, HitTestIncludesBothEnds) {
    const ChartGrid g(168, 96, kDefaultMargins);
    for (int x : {45, 100, 204})
        EXPECT_TRUE(g.holds(0, 0, x, 68)) << x;
    for (int y : {68, 155})
        EXPECT_TRUE(g.holds(0, 0, 45, y)) << y;
    EXPECT_FALSE(g.holds(0, 0, 44, 100));
    EXPECT_FALSE(g.holds(0, 0, 205, 100));
    EXPECT_FALSE(g.holds(0, 0, 100, 67));
    EXPECT_FALSE(g.holds(0, 0, 100, 156));
    EXPECT_TRUE(g.holds(0, 1, 127, 164));
    EXPECT_TRUE(g.holds(0, 1, 286, 251));
    EXPECT_FALSE(g.holds(0, 1, 287, 200));
    // x 205 lies in the gap between the first two boxes of row 0.
    EXPECT_FALSE(g.cellAt(205, 100).has_value());
    EXPECT_EQ(g.cellAt(204, 155), (GridCell{0, 0}));
    EXPECT_EQ(g.cellAt(213, 68), (GridCell{1, 0}));
    EXPECT_EQ(g.cellAt(127, 164), (GridCell{0, 1}));
    EXPECT_EQ(g.cellAt(126, 164), std::nullopt);
}

TEST(ChartGrid, PersonUnderPointLastInIndexOrderWins) {
    Document doc;
    doc.addPerson(personAtCell(0, 0));   // 0
    doc.addPerson(personAtCell(1, 0));   // 1
    doc.addPerson(personAtCell(0, 0));   // 2, shares the cell of 0
    doc.addPerson(personAtCell(-1, -1)); // 3, no position
    doc.addPerson(personAtCell(70, 2));  // 4, outside the 60 x 60 area
    const ChartGrid g(168, 96, kDefaultMargins);
    EXPECT_EQ(g.personAt(doc, 45, 68), 2);
    EXPECT_EQ(g.personAt(doc, 204, 155), 2);
    EXPECT_EQ(g.personAt(doc, 213 + 100, 100), 1);
    EXPECT_EQ(g.personAt(doc, 205, 100), -1);
    // Unplaced and outside persons have no drawn box and are never hit.
    EXPECT_EQ(g.personAt(doc, g.Left(-1, -1), g.Top(-1)), -1);
    EXPECT_EQ(g.personAt(doc, g.Left(70, 2) + 3, g.Top(2) + 3), -1);
    EXPECT_FALSE(g.anyBoxAt(doc, g.Left(-1, -1) + 3, g.Top(-1) + 3));
    EXPECT_FALSE(g.anyBoxAt(doc, g.Left(70, 2), g.Top(2)));
    EXPECT_FALSE(g.anyBoxAt(doc, g.Left(2, 2), g.Top(2)));
    EXPECT_FALSE(g.anyBoxAt(doc, 205, 100));
}

TEST(ChartGrid, PersonUnderPointMatchesScanOverPersons) {
    Document doc;
    const std::int32_t cells[][2] = {{0, 0}, {1, 0},  {0, 1},  {2, 1}, {0, 0}, {-1, -1},
                                     {3, 3}, {-2, 1}, {1, -1}, {2, 1}, {5, 0}};
    for (const auto& c : cells)
        doc.addPerson(personAtCell(c[0], c[1]));
    for (int w : {9, 10, 17, 168}) {
        for (int h : {9, 12, 96}) {
            const ChartGrid g(w, h, ChartMargins{7, 11});
            for (std::int64_t y = -3 * h; y <= 5 * h; ++y)
                for (std::int64_t x = -3 * w; x <= 7 * w; x += (w > 20 ? 3 : 1))
                    ASSERT_EQ(g.personAt(doc, x, y), scanPersonAt(g, doc, x, y))
                        << "W " << w << " H " << h << " at " << x << ", " << y;
        }
    }
}

TEST(ChartGrid, DropCellMatchesRowByRowScan) {
    struct Setup {
        int w, h;
        ChartMargins margins;
        std::int32_t areaW, areaH;
    };
    const Setup setups[] = {
        {168, 96, {45, 68}, 4, 3}, {10, 10, {0, 0}, 5, 6},   {9, 9, {3, 2}, 3, 3},
        {11, 23, {30, 30}, 1, 1},  {13, 10, {188, 0}, 6, 2}, {1000, 17, {5, 9}, 2, 5},
        {8, 96, {45, 68}, 3, 3},   {168, 5, {45, 68}, 3, 3},
    };
    for (const Setup& s : setups) {
        const ChartGrid g(s.w, s.h, s.margins);
        const std::int64_t step = s.w > 100 ? 7 : 1;
        for (std::int64_t y = -2 * s.h - 5; y <= (s.areaH + 2) * s.h + 80; ++y)
            for (std::int64_t x = -2 * s.w - 5; x <= (s.areaW + 2) * s.w + 200; x += step)
                ASSERT_EQ(g.dropCell(x, y, s.areaW, s.areaH),
                          scanDropCell(g, x, y, s.areaW, s.areaH))
                    << "W " << s.w << " H " << s.h << " at " << x << ", " << y;
    }
}

TEST(ChartGrid, DropCellInAHugeAreaIsFoundDirectly) {
    const ChartGrid g(168, 96, kDefaultMargins);
    const std::int32_t n = 1000000;
    const std::int64_t x = g.Left(n - 1, n - 1) + 10;
    const std::int64_t y = g.Top(n - 1) + 10;
    EXPECT_EQ(g.dropCell(x, y, n, n), (GridCell{n - 1, n - 1}));
    EXPECT_EQ(g.dropCell(x, y, n, n), scanDropCell(g, x, y, n, n));
    // Beyond the last column of the area.
    EXPECT_EQ(g.dropCell(g.Left(n, 2) + 1, g.Top(2) + 1, n, n), std::nullopt);
    EXPECT_EQ(g.dropCell(-5, 100, n, n), std::nullopt);
    EXPECT_EQ(g.dropCell(100, -5, n, n), std::nullopt);
}
