// Charts of one person: a pedigree, the descendants with their partners, an
// hourglass; repeated ancestors stand once; everyone else loses the cell.
#include "chart/ArrangeQuality.h"
#include "chart/FocusArrange.h"
#include "document/Document.h"
#include "document/StaFile.h"
#include "tests/CliProcess.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

using namespace lw;

namespace {

Document withParents(const std::vector<std::pair<int, int>>& parents) {
    Document doc;
    for (const auto& [f, m] : parents) {
        TPerson p;
        p.Vater = f;
        p.Mutter = m;
        p.GridX = 5; // all on one cell: the chart must move everyone
        p.GridY = 7;
        doc.addPerson(std::move(p));
    }
    return doc;
}

// 0 and its 14 ancestors of four generations (person k's parents are
// 2k + 1 and 2k + 2), 15 a child of 0 and 16 a stranger.
Document pedigree() {
    std::vector<std::pair<int, int>> parents;
    for (int k = 0; k < 15; ++k)
        parents.push_back(k < 7 ? std::pair{2 * k + 1, 2 * k + 2} : std::pair{-1, -1});
    parents.push_back({0, -1});
    parents.push_back({-1, -1});
    return withParents(parents);
}

Document arranged(Document doc, FocusChart chart, int person, int generations) {
    applyArrangement(doc, planFocusArrangement(doc, chart, person, generations));
    return doc;
}

int halfX(const Document& doc, int i) {
    return 2 * doc.person(i).GridX + doc.person(i).GridY % 2;
}
bool placed(const Document& doc, int i) {
    return doc.person(i).GridX >= 0 && doc.person(i).GridY >= 0;
}

// Exactly `expected` are placed, each on a cell of its own inside the area,
// which they fill from column 0 and row 0; the others have (-1, -1).
void expectChart(const Document& doc, const std::set<int>& expected) {
    std::set<std::pair<int, int>> cells;
    bool column0 = false, row0 = false;
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        if (!expected.count(i)) {
            EXPECT_EQ(p.GridX, -1) << i;
            EXPECT_EQ(p.GridY, -1) << i;
            continue;
        }
        ASSERT_TRUE(placed(doc, i)) << i;
        EXPECT_LT(p.GridX, doc.AreaWidth) << i;
        EXPECT_LT(p.GridY, doc.AreaHeight) << i;
        EXPECT_TRUE(cells.insert({p.GridX, p.GridY}).second) << "shared cell " << i;
        column0 = column0 || p.GridX == 0;
        row0 = row0 || p.GridY == 0;
    }
    EXPECT_TRUE(column0);
    EXPECT_TRUE(row0);
}

} // namespace

TEST(FocusArrange, PedigreeOfFourGenerations) {
    const Document doc = arranged(pedigree(), FocusChart::Ancestors, 0, 4);
    std::set<int> chart;
    for (int k = 0; k < 15; ++k)
        chart.insert(k);
    expectChart(doc, chart);
    EXPECT_EQ(doc.AreaHeight, 4);
    EXPECT_LE(doc.AreaWidth, 8);
    EXPECT_TRUE(doc.Modified);
    const ArrangeQuality q = measureArrangement(doc);
    EXPECT_EQ(q.links, 14);
    EXPECT_EQ(q.parentOneRowAbove, 14);
    EXPECT_EQ(q.crossings, 0);
    EXPECT_LE(q.width, 8);
    // The great-grandparents stand in the two cells above their child.
    for (int k = 3; k < 7; ++k)
        for (int parent : {2 * k + 1, 2 * k + 2})
            EXPECT_EQ(std::abs(halfX(doc, parent) - halfX(doc, k)), 1) << k;
    // Each couple side by side, father left, in the order of the walk.
    for (int k = 1; k < 15; k += 2) {
        EXPECT_EQ(doc.person(k).GridY, doc.person(k + 1).GridY);
        EXPECT_LT(doc.person(k).GridX, doc.person(k + 1).GridX);
    }

    // Three generations: the great-grandparents are left out, the area shrinks.
    const Document three = arranged(pedigree(), FocusChart::Ancestors, 0, 3);
    expectChart(three, {0, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(three.AreaHeight, 3);
    EXPECT_LE(three.AreaWidth, 4);
    EXPECT_EQ(measureArrangement(three).crossings, 0);
}

TEST(FocusArrange, DescendantsWithTwoMarriages) {
    // 0 married 1 and then 2 (partnerships); 3, 4 children of 0 and 1, 5 of
    // 0 and 2; 6 a child of 3 and 7 (known only as 6's mother); 8 the
    // father of 0, 9 a child of 1 from another marriage.
    Document doc = withParents(
        {{8, -1}, {-1, -1}, {-1, -1}, {0, 1}, {0, 1}, {0, 2}, {3, 7}, {-1, -1}, {-1, -1}, {-1, 1}});
    for (int wife : {1, 2}) {
        Partnership marriage;
        marriage.first = 0;
        marriage.second = wife;
        marriage.firstRank = wife;
        doc.addPartnership(marriage);
    }
    doc = arranged(std::move(doc), FocusChart::Descendants, 0, 3);
    expectChart(doc, {0, 1, 2, 3, 4, 5, 6, 7});
    for (int partner : {1, 2}) {
        EXPECT_EQ(doc.person(partner).GridY, doc.person(0).GridY);
        EXPECT_EQ(std::abs(doc.person(partner).GridX - doc.person(0).GridX), 1) << partner;
    }
    EXPECT_EQ(doc.person(7).GridY, doc.person(3).GridY);
    EXPECT_EQ(std::abs(doc.person(7).GridX - doc.person(3).GridX), 1);
    const ArrangeQuality q = measureArrangement(doc);
    EXPECT_EQ(q.parentOneRowAbove, q.links);
    EXPECT_EQ(q.links, 8);
    EXPECT_EQ(q.crossingsBesideSiblings(), 0);
    // The children of the first marriage stand left of the second one's.
    EXPECT_LT(doc.person(4).GridX, doc.person(5).GridX);
    EXPECT_EQ(doc.AreaHeight, 3);
}

TEST(FocusArrange, HourglassAncestorsAboveDescendantsBelow) {
    // 0 with parents 1, 2 and grandparents 3–6; 7 its wife, 8 their child,
    // 9 the child's husband, 10 their child; 11 a sibling of 0.
    Document doc = withParents({{1, 2},
                                {3, 4},
                                {5, 6},
                                {-1, -1},
                                {-1, -1},
                                {-1, -1},
                                {-1, -1},
                                {-1, -1},
                                {0, 7},
                                {-1, -1},
                                {9, 8},
                                {1, 2}});
    doc = arranged(std::move(doc), FocusChart::Hourglass, 0, 3);
    expectChart(doc, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(doc.AreaHeight, 5);
    EXPECT_EQ(doc.person(0).GridY, 2);
    EXPECT_EQ(doc.person(7).GridY, 2);
    for (int grandparent : {3, 4, 5, 6})
        EXPECT_EQ(doc.person(grandparent).GridY, 0);
    EXPECT_EQ(doc.person(10).GridY, 4);
    const ArrangeQuality q = measureArrangement(doc);
    EXPECT_EQ(q.links, 10);
    EXPECT_EQ(q.parentOneRowAbove, q.links);
    EXPECT_EQ(q.crossings, 0);
}

TEST(FocusArrange, RepeatedAncestorsStandOnce) {
    // 0's parents 1 and 2 are cousins: 1's parents 3, 4; 2's parents 5, 6;
    // 3 and 5 are siblings, children of 7 and 8; 9 a stranger.
    auto cousins = [] {
        return withParents({{1, 2},
                            {3, 4},
                            {5, 6},
                            {7, 8},
                            {-1, -1},
                            {7, 8},
                            {-1, -1},
                            {-1, -1},
                            {-1, -1},
                            {-1, -1}});
    };
    const std::set<int> family{0, 1, 2, 3, 4, 5, 6, 7, 8};
    expectChart(arranged(cousins(), FocusChart::Ancestors, 0, 4), family);
    expectChart(arranged(cousins(), FocusChart::Hourglass, 0, 4), family);
    // The same family seen from below: the child of the cousins is reached
    // through both of them, and the second cousin is the first's partner.
    const Document down = arranged(cousins(), FocusChart::Descendants, 7, 4);
    expectChart(down, family);
    EXPECT_EQ(down.person(1).GridY, down.person(2).GridY);
    EXPECT_EQ(std::abs(down.person(1).GridX - down.person(2).GridX), 1);
}

TEST(FocusArrange, CliArrangesOnePersonsChart) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString in = dir.filePath("in.sta"), out = dir.filePath("out.sta");
    ASSERT_TRUE(saveSta(in, pedigree(), BoxLayout{}, nullptr));
    lw::test::CliResult r =
        lw::test::runCli({"arrange", in, out, "--ancestors-of", "0", "--generations", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    StaReadResult read = loadSta(out, BoxLayout{});
    ASSERT_TRUE(read.file);
    expectChart(read.file->doc, {0, 1, 2, 3, 4, 5, 6});

    r = lw::test::runCli({"arrange", in, out, "--hourglass", "17"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Person 17 gibt es nicht"))) << r.err.toStdString();
    EXPECT_EQ(lw::test::runCli({"arrange", in, out, "--hourglass"}).exitCode, 2);
    EXPECT_EQ(
        lw::test::runCli({"arrange", in, out, "--only-unplaced", "--ancestors-of", "0"}).exitCode,
        2);
}
