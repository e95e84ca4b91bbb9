#include "chart/ChartPainter.h"
#include "chart/ClippedPen.h"
#include "chart/ParentLine.h"
#include "chart/PersonBox.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/QPainterCanvas.h"
#include "platform/RecordingCanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace lw;

namespace {

constexpr TColor kGreen = rgb(0, 128, 0);
constexpr TColor kRed = rgb(255, 0, 0);
constexpr TColor kBlue = rgb(0, 0, 255);
const Rect64 kEverything{-100000, -100000, 2000000000, 2000000000};

struct Seg {
    std::int64_t x1, y1, x2, y2;
    bool operator==(const Seg&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Seg& s) {
    return o << "(" << s.x1 << "," << s.y1 << ")->(" << s.x2 << "," << s.y2 << ")";
}

// The connection line walked step by step, as the line drawing is defined.
std::vector<Seg> walkedLine(const ChartGrid& g, GridCell child, GridCell parent, bool father) {
    const std::int64_t cx = (g.W() - 9) / 2 + (father ? 0 : 2);
    const bool childTop = child.row > parent.row;
    const bool parentTop = child.row < parent.row;
    auto edge = [&](GridCell c, bool top) {
        return Point64{g.Left(c.col, c.row) + cx, top ? g.Top(c.row) : g.Bottom(c.row)};
    };
    auto stub = [&](Point64 e, bool top) {
        return Point64{e.x, e.y + (top ? (father ? -4 : -2) : (father ? 5 : 7))};
    };
    const Point64 ce = edge(child, childTop), s = stub(ce, childTop);
    const Point64 pe = edge(parent, parentTop), t = stub(pe, parentTop);
    std::vector<Seg> segs{{ce.x, ce.y, s.x, s.y}, {pe.x, pe.y, t.x, t.y}};
    Point64 c = s;
    while (std::llabs(c.y - t.y) > 5) {
        const std::int64_t ny = c.y < t.y ? c.y + g.H() : c.y - g.H();
        segs.push_back({c.x, c.y, c.x, ny});
        std::int64_t nx = c.x;
        if (std::llabs(ny - t.y) > 5) {
            nx = c.x < t.x ? c.x + 42 : c.x - 42;
            segs.push_back({c.x, ny, nx, ny});
        }
        c = {nx, ny};
    }
    segs.push_back({c.x, c.y, t.x, t.y});
    segs.push_back({t.x, t.y, pe.x, pe.y});
    return segs;
}

std::vector<Seg> segmentsIn(const RecordingCanvas& c, TColor color) {
    std::vector<Seg> out;
    for (const DrawnSegment& s : c.segments())
        if (s.pen.color == color && s.pen.style == PenStyle::Solid)
            out.push_back({s.x1, s.y1, s.x2, s.y2});
    return out;
}

class ChartPaintTest : public ::testing::Test {
  protected:
    int add(std::int32_t col, std::int32_t row, int father = -1, int mother = -1) {
        TPerson p;
        p.NachName = "P" + std::to_string(doc.PersonCount());
        p.GridX = col;
        p.GridY = row;
        p.Vater = father;
        p.Mutter = mother;
        return doc.addPerson(p);
    }
    ChartPaintInput input() { return {&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr}; }
    RecordingCanvas paint(ChartMode mode, const Rect64& exposed = kEverything,
                          Point64 origin = {}) {
        RecordingCanvas canvas;
        ChartPainter(input(), mode).paint(canvas, margins, exposed, origin);
        return canvas;
    }
    ChartGrid grid() const { return ChartGrid(box.BreitEd, box.HochEd, {45, 68}); }

    Document doc;
    BoxLayout box;
    ChartMargins margins{45, 68};
};

} // namespace

TEST_F(ChartPaintTest, SizesWithThePreviousMarginsAndRecomputesThem) {
    margins = ChartMargins{};
    RecordingCanvas c;
    EXPECT_EQ(ChartPainter(input(), ChartMode::Arrange).paint(c, margins, kEverything),
              (Point64{168 * 60 + 30 + 20, 96 * 60 + 30 + 20}));
    EXPECT_EQ(margins, (ChartMargins{45, 68}));
    EXPECT_EQ(ChartPainter(input(), ChartMode::Arrange).paint(c, margins, kEverything),
              (Point64{10145, 5848}));
    // The white background covers the paint box.
    const auto rects = c.rectangles();
    EXPECT_EQ(rects.back().right, 10145);
    EXPECT_EQ(rects.back().bottom, 5848);
    EXPECT_EQ(rects.back().brush, clWhite);
    EXPECT_EQ(rects.back().pen.color, clWhite);
}

TEST_F(ChartPaintTest, EmptyChartHasBackgroundGuidesAndHeadingOnly) {
    const RecordingCanvas c = paint(ChartMode::Arrange);
    ASSERT_EQ(c.rectangles().size(), 1u);
    const auto texts = c.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FALSE(texts[0].formatted);
    EXPECT_EQ(texts[0].x, 45);
    EXPECT_EQ(texts[0].y, 22);
    EXPECT_EQ(texts[0].text, "Stammbaum der Familie X");
    EXPECT_EQ(texts[0].font, doc.chart.headingFont);
    EXPECT_EQ(texts[0].background, clWhite);
    EXPECT_TRUE(segmentsIn(c, kGreen).empty());
}

TEST_F(ChartPaintTest, PageGuidesEveryPrinterPage) {
    // A4 less margins at 600 dpi is 4760 × 6815 printer pixels: 761 × 1090
    // screen pixels at 96 dpi. The chart is 10145 × 5848.
    const RecordingCanvas c = paint(ChartMode::Arrange);
    std::vector<DrawnSegment> vertical, horizontal;
    for (const DrawnSegment& s : c.segments()) {
        ASSERT_EQ(s.pen.color, kBlue);
        ASSERT_EQ(s.pen.style, PenStyle::Dot);
        (s.x1 == s.x2 ? vertical : horizontal).push_back(s);
    }
    ASSERT_EQ(vertical.size(), 10145u / 761u);
    ASSERT_EQ(horizontal.size(), 5848u / 1090u);
    for (size_t k = 0; k < vertical.size(); ++k) {
        EXPECT_EQ(vertical[k].x1, int(k + 1) * 761);
        EXPECT_EQ(vertical[k].y1, 0);
        EXPECT_EQ(vertical[k].y2, 5848);
    }
    EXPECT_EQ(horizontal[0].y1, 1090);
    EXPECT_EQ(horizontal[0].x2, 10145);

    // A chart narrower than a page has no vertical guides.
    doc.AreaWidth = 2;
    for (const DrawnSegment& s : paint(ChartMode::Arrange).segments())
        EXPECT_NE(s.x1, s.x2);
}

TEST_F(ChartPaintTest, BoxesRowByRowFirstPersonOnACell) {
    add(2, 1);
    add(0, 1);
    add(5, 0);
    add(0, 1);  // hidden behind person 1
    add(60, 0); // outside the area
    add(-1, -1);
    const auto rects = paint(ChartMode::Arrange).rectangles();
    // The background first, then the boxes of (5, 0), (0, 1), (2, 1).
    ASSERT_EQ(rects.size(), 4u);
    const ChartGrid g = grid();
    EXPECT_EQ(rects[1].left, g.Left(5, 0));
    EXPECT_EQ(rects[2].left, g.Left(0, 1));
    EXPECT_EQ(rects[3].left, g.Left(2, 1));
    EXPECT_EQ(rects[3].top, g.Top(1));
    const auto texts = paint(ChartMode::Arrange).texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2].text.substr(0, 3), "P1\r");
}

TEST_F(ChartPaintTest, ParentOneRowAbove) {
    const int father = add(0, 0), mother = add(1, 0);
    add(0, 1, father, mother);
    const RecordingCanvas c = paint(ChartMode::Arrange);
    // Child at (0, 1): Left 127, Top 164; father at (0, 0): Left 45, Bottom 155.
    EXPECT_EQ(segmentsIn(c, kGreen), (std::vector<Seg>{{206, 164, 206, 160},
                                                       {124, 155, 124, 160},
                                                       {206, 160, 124, 160},
                                                       {124, 160, 124, 155}}));
    // The mother line: 2 pixels right, its horizontal part 2 pixels lower.
    EXPECT_EQ(segmentsIn(c, kRed), (std::vector<Seg>{{208, 164, 208, 162},
                                                     {294, 155, 294, 162},
                                                     {208, 162, 294, 162},
                                                     {294, 162, 294, 155}}));
}

TEST_F(ChartPaintTest, ParentTwoRowsAbove) {
    const int father = add(3, 0);
    add(0, 2, father);
    // Child stub end (124, 256), one step of H up, no 42 pixel step, then
    // across to the father's stub end (628, 160).
    EXPECT_EQ(segmentsIn(paint(ChartMode::Arrange), kGreen),
              (std::vector<Seg>{{124, 260, 124, 256},
                                {628, 155, 628, 160},
                                {124, 256, 124, 160},
                                {124, 160, 628, 160},
                                {628, 160, 628, 155}}));
}

TEST_F(ChartPaintTest, ParentThreeRowsAboveTakesOneSideStep) {
    const int father = add(3, 0);
    add(0, 3, father);
    EXPECT_EQ(segmentsIn(paint(ChartMode::Arrange), kGreen),
              (std::vector<Seg>{{206, 356, 206, 352},
                                {628, 155, 628, 160},
                                {206, 352, 206, 256},
                                {206, 256, 248, 256},
                                {248, 256, 248, 160},
                                {248, 160, 628, 160},
                                {628, 160, 628, 155}}));
}

TEST_F(ChartPaintTest, ParentInTheSameRow) {
    const int father = add(2, 0), mother = add(4, 0);
    add(0, 0, father, mother);
    const RecordingCanvas c = paint(ChartMode::Arrange);
    EXPECT_EQ(segmentsIn(c, kGreen), (std::vector<Seg>{{124, 155, 124, 160},
                                                       {460, 155, 460, 160},
                                                       {124, 160, 460, 160},
                                                       {460, 160, 460, 155}}));
    EXPECT_EQ(segmentsIn(c, kRed), (std::vector<Seg>{{126, 155, 126, 162},
                                                     {798, 155, 798, 162},
                                                     {126, 162, 798, 162},
                                                     {798, 162, 798, 155}}));
}

TEST_F(ChartPaintTest, ChildAboveItsParent) {
    const int father = add(1, 2);
    add(0, 0, father);
    EXPECT_EQ(segmentsIn(paint(ChartMode::Arrange), kGreen),
              (std::vector<Seg>{{124, 155, 124, 160},
                                {292, 260, 292, 256},
                                {124, 160, 124, 256},
                                {124, 256, 292, 256},
                                {292, 256, 292, 260}}));
}

TEST_F(ChartPaintTest, NoLineToSelfOrToAMissingParent) {
    add(0, 0, 0, 7);
    add(1, 1, -1, -5);
    const RecordingCanvas c = paint(ChartMode::Arrange);
    EXPECT_TRUE(segmentsIn(c, kGreen).empty());
    EXPECT_TRUE(segmentsIn(c, kRed).empty());
}

TEST_F(ChartPaintTest, RoutesMatchTheStepByStepWalk) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> cell(-1, 12);
    for (int w : {168, 10, 55}) {
        for (int h : {96, 10, 31}) {
            box.BreitEd = w;
            box.HochEd = h;
            const ChartGrid g(w, h, {45, 68});
            for (int round = 0; round < 40; ++round) {
                const GridCell child{cell(rng), cell(rng)};
                const GridCell parent{cell(rng), cell(rng)};
                for (bool father : {true, false}) {
                    RecordingCanvas canvas;
                    ClippedPen pen(canvas, {}, kEverything);
                    ParentLineRoute(g, child, parent, father).draw(pen);
                    std::vector<Seg> drawn;
                    for (const DrawnSegment& s : canvas.segments())
                        drawn.push_back({s.x1, s.y1, s.x2, s.y2});
                    ASSERT_EQ(drawn, walkedLine(g, child, parent, father))
                        << "W " << w << " H " << h << " child " << child.col << "," << child.row
                        << " parent " << parent.col << "," << parent.row;
                    // The bounds hold every point.
                    const Rect64 b = ParentLineRoute(g, child, parent, father).bounds();
                    for (const Seg& s : drawn) {
                        ASSERT_TRUE(s.x1 >= b.left && s.x1 < b.right && s.y1 >= b.top &&
                                    s.y1 < b.bottom);
                        ASSERT_TRUE(s.x2 >= b.left && s.x2 < b.right && s.y2 >= b.top &&
                                    s.y2 < b.bottom);
                    }
                }
            }
        }
    }
}

TEST_F(ChartPaintTest, LongLinesAreDrawnOnlyWhereSeen) {
    doc.AreaWidth = 1000000;
    doc.AreaHeight = 1000000;
    const int father = add(0, 0);
    add(500000, 999999, father);
    const ChartGrid g = grid();
    // A window in the middle of the route, which moves 42 pixels sideways
    // per row.
    const ParentLineRoute route(g, {500000, 999999}, {0, 0}, true);
    const std::int64_t top = g.Top(400000);
    const std::int64_t left = route.xAfter((route.S().y - top) / 96) - 800;
    const Rect64 view{left, top, left + 1600, top + 1000};
    const RecordingCanvas c = paint(ChartMode::Arrange, view, {view.left, view.top});
    const std::vector<Seg> drawn = segmentsIn(c, kGreen);
    ASSERT_FALSE(drawn.empty());
    EXPECT_LT(drawn.size(), 40u);
    // Every drawn piece lies on the walked route, clipped near the window.
    std::vector<Seg> walked;
    for (const Seg& w : walkedLine(g, {500000, 999999}, {0, 0}, true))
        if (std::max(w.x1, w.x2) >= view.left - 50 && std::min(w.x1, w.x2) < view.right + 50 &&
            std::max(w.y1, w.y2) >= view.top - 50 && std::min(w.y1, w.y2) < view.bottom + 50)
            walked.push_back(w);
    for (const Seg& s : drawn) {
        const Seg chart{s.x1 + view.left, s.y1 + view.top, s.x2 + view.left, s.y2 + view.top};
        bool onRoute = false;
        for (const Seg& w : walked) {
            const bool vertical = w.x1 == w.x2 && chart.x1 == w.x1 && chart.x2 == w.x1 &&
                                  std::min(chart.y1, chart.y2) >= std::min(w.y1, w.y2) &&
                                  std::max(chart.y1, chart.y2) <= std::max(w.y1, w.y2);
            const bool horizontal = w.y1 == w.y2 && chart.y1 == w.y1 && chart.y2 == w.y1 &&
                                    std::min(chart.x1, chart.x2) >= std::min(w.x1, w.x2) &&
                                    std::max(chart.x1, chart.x2) <= std::max(w.x1, w.x2);
            onRoute = onRoute || vertical || horizontal;
        }
        EXPECT_TRUE(onRoute) << chart;
        EXPECT_GE(std::min(s.y1, s.y2), -30);
        EXPECT_LE(std::max(s.y1, s.y2), 1030);
    }
    // The walked route crosses the window: the vertical pieces inside it are
    // all drawn.
    int crossing = 0;
    for (const Seg& w : walked)
        if (w.x1 == w.x2 && w.x1 >= view.left && w.x1 < view.right &&
            std::min(w.y1, w.y2) < view.bottom && std::max(w.y1, w.y2) >= view.top)
            ++crossing;
    int drawnVertical = 0;
    for (const Seg& s : drawn)
        drawnVertical += s.x1 == s.x2 ? 1 : 0;
    EXPECT_EQ(drawnVertical, crossing);
}

// A person without a cell has no box and no lines, in both views: a chart of
// some of the persons draws nothing into the corner.
TEST_F(ChartPaintTest, NoLinesToOrFromPersonsWithoutACell) {
    const int unplacedFather = add(-1, -1), mother = add(1, 0);
    add(0, 1, unplacedFather, mother);
    add(-1, -1, -1, mother); // an unplaced child
    const ChartGrid g = grid();
    for (const ChartMode mode : {ChartMode::Arrange, ChartMode::Preview}) {
        const RecordingCanvas c = paint(mode);
        EXPECT_TRUE(segmentsIn(c, kGreen).empty());
        EXPECT_EQ(segmentsIn(c, kRed), walkedLine(g, {0, 1}, {1, 0}, false));
    }
}

TEST_F(ChartPaintTest, FindGridPos) {
    const int alone = add(3, 4);
    const int first = add(5, 5);
    const int hidden = add(5, 5);
    const int outside = add(70, 1);
    const int unplaced = add(-1, -1);
    ChartPainter preview(input(), ChartMode::Preview);
    EXPECT_EQ(preview.FindGridPos(alone), (GridCell{3, 4}));
    EXPECT_EQ(preview.FindGridPos(first), (GridCell{5, 5}));
    EXPECT_EQ(preview.FindGridPos(hidden), (GridCell{-1, -1}));
    EXPECT_EQ(preview.FindGridPos(outside), (GridCell{-1, -1}));
    EXPECT_EQ(preview.FindGridPos(unplaced), (GridCell{-1, -1}));
    // The arrange view keeps each person's own cell for its lines.
    ChartPainter arrange(input(), ChartMode::Arrange);
    EXPECT_EQ(arrange.lineCell(hidden), (GridCell{5, 5}));
    EXPECT_EQ(preview.lineCell(hidden), (GridCell{-1, -1}));
}

TEST_F(ChartPaintTest, PreviewLinesUseFindGridPos) {
    add(5, 5);
    const int hiddenFather = add(5, 5);
    add(0, 3, hiddenFather);
    const ChartGrid g = grid();
    EXPECT_EQ(segmentsIn(paint(ChartMode::Preview), kGreen), walkedLine(g, {0, 3}, {-1, -1}, true));
    EXPECT_EQ(segmentsIn(paint(ChartMode::Arrange), kGreen), walkedLine(g, {0, 3}, {5, 5}, true));
}

namespace {

QImage render(ChartPaintInput in, ChartMode mode, ChartMargins margins, const Rect64& exposed) {
    QImage image(int(exposed.right - exposed.left), int(exposed.bottom - exposed.top),
                 QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, DeviceCaps{});
    ChartPainter(in, mode).paint(canvas, margins, exposed, {exposed.left, exposed.top});
    return image;
}

} // namespace

TEST_F(ChartPaintTest, PixelsWhereTheGeometrySaysOnAnImage) {
    doc.AreaWidth = 4;
    doc.AreaHeight = 3;
    const int father = add(0, 0), mother = add(2, 0);
    add(1, 2, father, mother);
    const Point64 size = chartExtent(doc, box, margins);
    const QImage img = render(input(), ChartMode::Arrange, margins, {0, 0, size.x, size.y});
    ASSERT_EQ(img.width(), 168 * 4 + 45 + 20);
    const QColor border(Qt::black), fill(0xFF, 0xFF, 0xE1), white(Qt::white);
    // Box of (0, 0): frame at columns 45 and 203, rows 68 and 154.
    EXPECT_EQ(img.pixelColor(45, 100), border);
    EXPECT_EQ(img.pixelColor(203, 100), border);
    EXPECT_EQ(img.pixelColor(100, 68), border);
    EXPECT_EQ(img.pixelColor(100, 154), border);
    EXPECT_EQ(img.pixelColor(204, 100), white);
    EXPECT_EQ(img.pixelColor(46, 152), fill);
    EXPECT_EQ(img.pixelColor(202, 152), fill);
    // Father line: stub below the father's box at x 124, then across at y 160
    // to the child's column; the mother's 2 pixels right and 2 lower.
    EXPECT_EQ(img.pixelColor(124, 157), QColor(0, 128, 0));
    const ChartGrid g = grid();
    const std::int64_t childX = g.Left(1, 2) + 79;
    EXPECT_EQ(img.pixelColor(int(childX), int(g.Top(2) - 50)), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(int(childX + 2), int(g.Top(2) - 50)), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(int(childX + 1), int(g.Top(2) - 50)), white);
}

TEST_F(ChartPaintTest, PartialPaintingMatchesTheWholeChart) {
    doc.AreaWidth = 9;
    doc.AreaHeight = 7;
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> col(0, 8), row(0, 6);
    for (int i = 0; i < 25; ++i) {
        const int n = doc.PersonCount();
        std::uniform_int_distribution<int> parent(-1, std::max(0, n - 1));
        add(col(rng), row(rng), n > 0 ? parent(rng) : -1, n > 0 ? parent(rng) : -1);
    }
    const Point64 size = chartExtent(doc, box, margins);
    for (ChartMode mode : {ChartMode::Arrange, ChartMode::Preview}) {
        const QImage whole = render(input(), mode, margins, {0, 0, size.x, size.y});
        for (const Rect64 part : {Rect64{300, 200, 700, 500}, Rect64{761, 0, 1400, 90},
                                  Rect64{1, 1, 2, 2}, Rect64{1000, 500, size.x, size.y}}) {
            const QImage piece = render(input(), mode, margins, part);
            const QImage expected =
                whole.copy(int(part.left), int(part.top), piece.width(), piece.height());
            ASSERT_EQ(piece, expected) << "part at " << part.left << ", " << part.top;
        }
    }
}
