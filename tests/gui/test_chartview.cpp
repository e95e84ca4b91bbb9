#include "chart/gui/ChartView.h"
#include "chart/gui/PrinterFactsQt.h"
#include "document/Document.h"
#include "document/Layout.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>

using namespace lw;

namespace {

class ChartViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.resize(820, 620);
        view.setSources(&doc, &box, &margins);
        view.show();
    }
    int add(std::int32_t col, std::int32_t row, int father = -1) {
        TPerson p;
        p.NachName = "Lind";
        p.GridX = col;
        p.GridY = row;
        p.Vater = father;
        return doc.addPerson(p);
    }

    Document doc;
    BoxLayout box;
    ChartMargins margins{45, 68};
    ChartView view{ChartMode::Arrange};
};

} // namespace

TEST_F(ChartViewTest, ScrollRangeFollowsTheChartInSixtyFourBits) {
    doc.AreaWidth = 1000000;
    doc.AreaHeight = 1000000;
    view.repaintChart();
    EXPECT_EQ(view.chartSize(), (Point64{168000000LL + 65, 96000000LL + 88}));
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 168000065 - view.viewport()->width());
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 96000088 - view.viewport()->height());

    // Wider than a scroll bar holds: the scrolling stops at the int limit.
    box.BreitEd = 5000;
    view.repaintChart();
    EXPECT_EQ(view.chartSize().x, 5000000000LL + 65);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), std::numeric_limits<int>::max());
    EXPECT_EQ(ChartView::scrollMaximum(100, 300), 0);
    EXPECT_EQ(ChartView::scrollMaximum(1LL << 40, 300), std::numeric_limits<int>::max());
}

TEST_F(ChartViewTest, FarCornerOfAHugeAreaPaintsFast) {
    doc.AreaWidth = 1000000;
    doc.AreaHeight = 1000000;
    const int father = add(999999, 999996);
    add(999999, 999998, father);
    add(0, 0);
    view.repaintChart();
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    QElapsedTimer timer;
    timer.start();
    const QImage image = view.viewport()->grab().toImage();
    EXPECT_LT(timer.elapsed(), 1000);

    // The child's box: Left 999999·168 + 45, Top 999998·96 + 68.
    const int left = int(999999LL * 168 + 45 - view.scrollX());
    const int top = int(999998LL * 96 + 68 - view.scrollY());
    ASSERT_GT(left, 0);
    ASSERT_LT(left + 10, image.width());
    EXPECT_EQ(image.pixelColor(left, top + 40), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(left + 158, top + 40), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(left + 2, top + 84), QColor(0xFF, 0xFF, 0xE1));
    // Its father line leaves the top edge upwards, in green.
    EXPECT_EQ(image.pixelColor(left + 79, top - 2), QColor(0, 128, 0));
}

TEST_F(ChartViewTest, PaintingRecomputesMarginsAndResizes) {
    margins = ChartMargins{};
    view.repaintChart();
    const int before = view.horizontalScrollBar()->maximum();
    view.viewport()->grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(margins, (ChartMargins{45, 68}));
    EXPECT_EQ(view.grid().RandLPix(), 45);
    EXPECT_EQ(view.grid().Top(0), 68);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), before + 15);
}

TEST_F(ChartViewTest, MouseEventsCarryChartPixels) {
    doc.AreaWidth = 1000;
    doc.AreaHeight = 1000;
    view.repaintChart();
    view.horizontalScrollBar()->setValue(1000);
    view.verticalScrollBar()->setValue(2000);
    QSignalSpy pressed(&view, &ChartView::chartMousePressed);
    QSignalSpy moved(&view, &ChartView::chartMouseMoved);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseMove(view.viewport(), QPoint(30, 50));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][1].toLongLong(), 1010);
    EXPECT_EQ(pressed[0][2].toLongLong(), 2020);
    ASSERT_GE(moved.count(), 1);
    EXPECT_EQ(moved.last()[1].toLongLong(), 1030);
    EXPECT_EQ(moved.last()[2].toLongLong(), 2050);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(30, 50));
}

TEST(PrinterFactsQt, PdfPrinterGivesAFourAtItsResolution) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setResolution(600);
    const PrinterFacts facts = printerFactsOf(printer);
    EXPECT_EQ(facts.dpiX, 600);
    EXPECT_EQ(facts.dpiY, 600);
    // The printable part of a 4960 × 7015 pixel sheet.
    EXPECT_GT(facts.pageWidth, 4000);
    EXPECT_LE(facts.pageWidth, 4961);
    EXPECT_GT(facts.pageHeight, 6000);
    EXPECT_LE(facts.pageHeight, 7016);
    EXPECT_NE(makeDefaultPrinter(), nullptr);
}

TEST_F(ChartViewTest, HomeShowsTheTopRowsFirstBoxWhereTheCornerIsEmpty) {
    doc.AreaWidth = 200;
    doc.AreaHeight = 100;
    const int deeper = add(3, 40);
    add(90, 30); // the top row's first box, right of the deeper one
    add(120, 30);
    view.repaintChart();
    view.horizontalScrollBar()->setValue(500);
    view.scrollHome();
    const QRect shown = view.viewport()->rect();
    auto inSight = [&](int person) {
        const TPerson& p = doc.person(person);
        const ChartGrid g = view.grid();
        const Point64 at = view.toViewport({g.Left(p.GridX, p.GridY), g.Top(p.GridY)});
        return shown.contains(QPoint(int(at.x), int(at.y)));
    };
    EXPECT_TRUE(inSight(1));
    EXPECT_FALSE(inSight(deeper));
    EXPECT_GT(view.horizontalScrollBar()->value(), 0);

    // A box in sight from the corner keeps the corner, heading and all.
    add(1, 1);
    view.repaintChart();
    view.scrollHome();
    EXPECT_EQ(view.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}
