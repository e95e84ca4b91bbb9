// The family line style on small hand-made families: couple lines, one bar
// per family (or per group of siblings standing far apart), no piece on
// another family's and none through a box.
#include "TestPersons.h"
#include "chart/ChartPainter.h"
#include "chart/FamilyLines.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/RecordingCanvas.h"
#include "print/Poster.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace lw {
namespace {

const Rect64 kEverything{-100000, -100000, 2000000000, 2000000000};
constexpr TColor kBlack = rgb(0, 0, 0);

struct Who {
    std::int32_t col, row;
    int father = -1, mother = -1;
};
struct Couple {
    int first, second;
    const char* married = "";
};
struct Case {
    const char* name;
    std::vector<Who> persons;
    std::vector<Couple> couples;
    int families;      // families with lines
    int bars;          // bars over children (one per group of siblings)
    const char* shown; // the marriage as the chart writes it ("": none)
    int strangers = 0; // boxes under a bar that are no children of its family
};

const Case kCases[] = {
    {"couple with three children",
     {{0, 0}, {1, 0}, {0, 1, 0, 1}, {1, 1, 0, 1}, {2, 1, 0, 1}},
     {{0, 1, "12 MAY 1914"}},
     1,
     1,
     "\u26AD 1914"},
    {"one person with two partnerships",
     {{1, 0}, {0, 0}, {2, 0}, {0, 1, 1, 0}, {2, 1, 1, 2}, {3, 1, 1, 2}},
     {{1, 0}, {1, 2, "Frühjahr"}},
     2,
     2,
     "\u26AD Frühjahr"},
    {"childless couple", {{0, 0}, {1, 0}}, {{0, 1, "ABT 1920"}}, 1, 0, "\u26AD 1920"},
    {"single parent", {{0, 0}, {0, 1, 0}, {1, 1, 0}}, {}, 1, 1, ""},
    {"parents two rows up",
     {{0, 0}, {1, 0}, {4, 2, 0, 1}, {2, 1}, {3, 1}, {4, 1}},
     {{0, 1}},
     1,
     1,
     ""},
    {"parents without a partnership and a crowded gap",
     {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1, 0, 1}, {3, 1, 0, 1}, {1, 1, 2, 3}, {2, 1, 2, 3}},
     {},
     2,
     2,
     "",
     2}, // two boxes between siblings do not split their bar
    {"siblings in two groups far apart",
     {{2, 0},
      {3, 0},
      {5, 0},
      {6, 0},
      {0, 1, 2, 3},
      {1, 1, 2, 3},
      {9, 1, 2, 3},
      {10, 1, 2, 3},
      {3, 1, 0, 1},
      {4, 1, 0, 1},
      {5, 1, 0, 1},
      {6, 1, 0, 1}},
     {{0, 1}, {2, 3, "1901"}},
     2,
     3,
     "\u26AD 1901"},
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class FamilyLinesTest : public ::testing::TestWithParam<Case> {
  protected:
    void SetUp() override {
        doc.chart.lineStyle = LineStyle::FamilyLines;
        for (const Who& w : GetParam().persons) {
            TPerson p = test::personAt(w.col, w.row);
            p.Vater = w.father;
            p.Mutter = w.mother;
            doc.addPerson(p);
        }
        for (const Couple& c : GetParam().couples) {
            Partnership p;
            p.first = c.first;
            p.second = c.second;
            p.marriage.date = c.married;
            doc.addPartnership(p);
        }
    }
    Document doc;
    BoxLayout box;
    ChartMargins margins{45, 68};
};

TEST_P(FamilyLinesTest, JoinsCouplesAndHangsChildrenFromOneBarWithoutFaults) {
    const Case& c = GetParam();
    const FamilyLinePlan plan = planFamilyLines(doc, box, margins);
    const ChartGrid grid(box.BreitEd, box.HochEd, margins, plan.rowSpacing);
    EXPECT_EQ(int(plan.bounds.size()), c.families);

    const LineFaults faults = countLineFaults(doc, box, margins, plan);
    EXPECT_EQ(faults.overlaps, 0);
    EXPECT_EQ(faults.throughBoxes, 0);
    EXPECT_EQ(faults.hugging, 0); // every line keeps off the frames

    auto centre = [&](int i) {
        const TPerson& p = doc.person(i);
        return grid.Left(p.GridX, p.GridY) + (box.BreitEd - 9) / 2;
    };
    // Each couple: a horizontal piece of one family reaching under both.
    for (const Couple& k : c.couples) {
        const std::int64_t a = centre(k.first), b = centre(k.second);
        const bool joined = std::any_of(plan.segments.begin(), plan.segments.end(), [&](auto& s) {
            const std::int64_t lo = std::min(s.a.x, s.b.x), hi = std::max(s.a.x, s.b.x);
            return s.a.y == s.b.y && std::abs(lo - std::min(a, b)) <= 12 &&
                   std::abs(hi - std::max(a, b)) <= 12;
        });
        EXPECT_TRUE(joined) << "couple " << k.first << "+" << k.second;
    }
    // Each child: one drop into its top from a bar; the bars are counted
    // as the horizontal pieces the drops start on.
    std::map<std::size_t, int> bars; // to a child hanging from it
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        if (p.Vater < 0 && p.Mutter < 0) continue;
        const std::int64_t x = centre(i), top = grid.Top(p.GridY);
        int drops = 0;
        for (const FamilySegment& s : plan.segments) {
            if (s.a.x != x || s.b.x != x || std::max(s.a.y, s.b.y) != top) continue;
            ++drops;
            const std::int64_t y = std::min(s.a.y, s.b.y);
            for (std::size_t k = 0; k < plan.segments.size(); ++k) {
                const FamilySegment& h = plan.segments[k];
                if (h.a.y == y && h.b.y == y && h.family == s.family &&
                    std::min(h.a.x, h.b.x) <= x && x <= std::max(h.a.x, h.b.x) && h.a.x != h.b.x)
                    bars.emplace(k, i);
            }
        }
        EXPECT_EQ(drops, 1) << "child " << i;
    }
    EXPECT_EQ(int(bars.size()), c.bars);
    int strangers = 0;
    for (const auto& [k, child] : bars) {
        const FamilySegment& bar = plan.segments[k];
        const TPerson& sibling = doc.person(child);
        for (const TPerson& p : doc.Persons())
            strangers += p.GridY == sibling.GridY &&
                         (p.Vater != sibling.Vater || p.Mutter != sibling.Mutter) &&
                         grid.Left(p.GridX, p.GridY) <= std::max(bar.a.x, bar.b.x) &&
                         grid.Right(p.GridX, p.GridY) > std::min(bar.a.x, bar.b.x);
    }
    EXPECT_EQ(strangers, c.strangers);
    const std::string shown = c.shown;
    ASSERT_EQ(plan.dates.size(), shown.empty() ? 0u : 1u);
    if (!shown.empty()) {
        EXPECT_EQ(plan.dates[0].text, shown);
    }

    // The painting draws exactly these pieces, in black, each family in a
    // group of its own, and keeps the gaps the plan needs.
    RecordingCanvas canvas;
    ChartMargins m = margins;
    ChartPainter({&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr}, ChartMode::Arrange)
        .paint(canvas, m, kEverything);
    int black = 0;
    for (const DrawnSegment& s : canvas.segments())
        black += s.pen.color == kBlack;
    EXPECT_EQ(black, int(plan.segments.size()));
    int written = 0;
    for (const DrawnText& t : canvas.texts())
        written += !shown.empty() && t.text == shown;
    EXPECT_EQ(written, shown.empty() ? 0 : 1);
    EXPECT_EQ(familyRowSpacing(doc, box), plan.rowSpacing);
    EXPECT_EQ(chartGridOf(doc, box, margins).Top(1), grid.Top(1));

    // The poster groups each family's lines and each person's box.
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("poster.svg"));
    ChartMargins posterMargins = margins;
    ASSERT_TRUE(exportPoster(doc, box, posterMargins, 96, PosterRequest{}, svg).written);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_EQ(text.count("<g class=\"family\">"), c.families);
    EXPECT_EQ(text.count("<g class=\"person\">"), doc.PersonCount());
    EXPECT_EQ(text.count("<g "), text.count("</g>"));
    if (!shown.empty()) {
        EXPECT_TRUE(text.contains(QByteArray(c.shown))) << c.shown;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyLinesTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string n;
                             for (const char* p = info.param.name; *p; ++p)
                                 n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return n;
                         });

// Placed by hand beside its parents, a child rises from its bar into its
// bottom edge, where its own couple line starts too: the two keep apart.
TEST(FamilyLinesBesideParents, AChildWithAPartnerInItsParentsRowKeepsItsLinesApart) {
    for (const bool withChildOfItsOwn : {false, true}) {
        Document doc;
        doc.chart.lineStyle = LineStyle::FamilyLines;
        doc.addPerson(test::personAt(0, 0));
        doc.addPerson(test::personAt(1, 0));
        TPerson child = test::personAt(2, 0);
        child.Vater = 0;
        child.Mutter = 1;
        doc.addPerson(child);
        doc.addPerson(test::personAt(3, 0));
        for (const auto& [a, b] : {std::pair(0, 1), std::pair(2, 3)}) {
            Partnership p;
            p.first = a;
            p.second = b;
            doc.addPartnership(p);
        }
        if (withChildOfItsOwn) {
            TPerson grandchild = test::personAt(2, 1);
            grandchild.Vater = 2;
            grandchild.Mutter = 3;
            doc.addPerson(grandchild);
        }
        const BoxLayout box;
        const ChartMargins margins{45, 68};
        const FamilyLinePlan plan = planFamilyLines(doc, box, margins);
        const LineFaults faults = countLineFaults(doc, box, margins, plan);
        EXPECT_EQ(faults.overlaps, 0) << withChildOfItsOwn;
        EXPECT_EQ(faults.throughBoxes, 0) << withChildOfItsOwn;
    }
}

// A line to a child two rows down passes the middle row in a gap between
// its boxes, which on the staggered grid lies under the middle of a box
// above: the couple lines leaving that box keep off it, wherever it stands.
TEST(FamilyLinesBesideParents, ALineThroughARowKeepsOffTheCoupleLinesOfTheBoxAbove) {
    for (std::int32_t col = 2; col <= 6; ++col) {
        Document doc;
        doc.chart.lineStyle = LineStyle::FamilyLines;
        doc.addPerson(test::personAt(0, 0));
        TPerson child = test::personAt(5, 2);
        child.Vater = 0;
        doc.addPerson(child);
        for (std::int32_t c = 0; c <= 6; ++c)
            doc.addPerson(test::personAt(c, 1));
        const int twice = doc.PersonCount(); // between two partners
        doc.addPerson(test::personAt(col, 0));
        doc.addPerson(test::personAt(col - 1, 0));
        doc.addPerson(test::personAt(col + 1, 0));
        for (const int partner : {twice + 1, twice + 2}) {
            Partnership p;
            p.first = twice;
            p.second = partner;
            doc.addPartnership(p);
        }
        const BoxLayout box;
        const ChartMargins margins{45, 68};
        const FamilyLinePlan plan = planFamilyLines(doc, box, margins);
        const LineFaults faults = countLineFaults(doc, box, margins, plan);
        EXPECT_EQ(faults.overlaps, 0) << "two partnerships from column " << col;
        EXPECT_EQ(faults.throughBoxes, 0) << "two partnerships from column " << col;
    }
}

TEST(FamilyLinesSpacing, ParentLinesKeepThePlainGridAndManyFamiliesWidenTheGap) {
    Document doc;
    BoxLayout box;
    // Ten couples side by side, each with a child far to the right in the
    // next row: the bars overlap, so the gap needs ten tracks.
    for (int k = 0; k < 10; ++k) {
        doc.addPerson(test::personAt(2 * k, 0));
        doc.addPerson(test::personAt(2 * k + 1, 0));
    }
    for (int k = 0; k < 10; ++k) {
        TPerson child = test::personAt(30 + k, 1);
        child.Vater = 2 * k;
        child.Mutter = 2 * k + 1;
        doc.addPerson(child);
    }
    EXPECT_EQ(familyRowSpacing(doc, box), 0);
    doc.chart.lineStyle = LineStyle::FamilyLines;
    const int spacing = familyRowSpacing(doc, box);
    // Ten tracks 5 pixels apart, 5 below the boxes and 4 above the next row.
    EXPECT_GE(spacing, 5 + 5 * 9 + 4 - 9);
    const FamilyLinePlan plan = planFamilyLines(doc, box, {45, 68});
    const LineFaults faults = countLineFaults(doc, box, {45, 68}, plan);
    EXPECT_EQ(faults.overlaps, 0);
    EXPECT_EQ(faults.throughBoxes, 0);
    EXPECT_EQ(faults.hugging, 0);
    std::set<std::int64_t> tracks;
    for (const FamilySegment& s : plan.segments)
        if (s.a.y == s.b.y) tracks.insert(s.a.y);
    EXPECT_GE(tracks.size(), 10u);
    for (auto t = tracks.begin(); t != tracks.end() && std::next(t) != tracks.end(); ++t)
        EXPECT_GE(*std::next(t) - *t, 5) << "tracks at " << *t << " and " << *std::next(t);
    // The mouse finds the boxes of the spaced rows.
    const ChartGrid grid = chartGridOf(doc, box, {45, 68});
    EXPECT_EQ(grid.personAt(doc, grid.Left(30, 1) + 5, grid.Top(1) + 5), 20);
    EXPECT_EQ(grid.personAt(doc, grid.Left(30, 1) + 5, grid.Top(1) - 3), -1);
}

} // namespace
} // namespace lw
