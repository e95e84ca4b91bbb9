// Dragging the print preview: the chart follows the mouse, each scroll
// position held to its own range.
#include "chart/gui/ChartView.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "print/gui/PreviewPanning.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace lw;

namespace {

class PreviewPanningTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.setSources(&doc, &box, &margins); // 60 × 60 cells: about 10145 × 5848
        view.resize(400, 300);
        view.show();
        view.repaintChart();
        ASSERT_GT(h().maximum(), 1000);
        ASSERT_GT(v().maximum(), 1000);
    }
    QScrollBar& h() { return *view.horizontalScrollBar(); }
    QScrollBar& v() { return *view.verticalScrollBar(); }

    Document doc;
    BoxLayout box;
    ChartMargins margins;
    ChartView view{ChartMode::Preview};
    PreviewPanning* panning = new PreviewPanning(view);
};

} // namespace

TEST_F(PreviewPanningTest, ChartFollowsTheMouseWithAnyButton) {
    h().setValue(500);
    v().setValue(400);
    QWidget* surface = view.viewport();
    QTest::mousePress(surface, Qt::RightButton, {}, QPoint(200, 150));
    EXPECT_TRUE(panning->pressed());
    // The mouse moves 50 left and 30 up: the chart moves with it.
    QTest::mouseMove(surface, QPoint(150, 120));
    EXPECT_EQ(h().value(), 550);
    EXPECT_EQ(v().value(), 430);
    // Positions are those of the scrolled surface, so a further move of the
    // mouse adds to what has been scrolled.
    QTest::mouseMove(surface, QPoint(100, 120));
    EXPECT_EQ(h().value(), 600);
    EXPECT_EQ(v().value(), 430);
    QTest::mouseRelease(surface, Qt::RightButton, {}, QPoint(100, 120));
    EXPECT_FALSE(panning->pressed());
    QTest::mouseMove(surface, QPoint(10, 10));
    EXPECT_EQ(h().value(), 600);
    EXPECT_EQ(v().value(), 430);
}

TEST_F(PreviewPanningTest, DraggingBeyondTheAreaStopsAtEachEndIndependently) {
    h().setValue(100);
    v().setValue(800);
    panning->PrintPaintBoxMouseDown(300, 900);
    // Far right, slightly up: horizontal stops at 0, vertical still follows.
    panning->PrintPaintBoxMouseMove(300 + 5000, 900 - 50);
    EXPECT_EQ(h().value(), 0);
    EXPECT_EQ(v().value(), 850);
    // Far left and far up: both stop at their last position.
    panning->PrintPaintBoxMouseMove(-1000000000000LL, -1000000000000LL);
    EXPECT_EQ(h().value(), h().maximum());
    EXPECT_EQ(v().value(), v().maximum());
    panning->PrintPaintBoxMouseUp();

    // Without a press, moving does nothing.
    h().setValue(10);
    panning->PrintPaintBoxMouseMove(0, 0);
    EXPECT_EQ(h().value(), 10);
}
