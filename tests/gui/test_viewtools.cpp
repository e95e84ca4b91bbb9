// The arrange view and the print preview as tools: zoom with its keys and
// the wheel, finding persons, arrow-key moves, edge scrolling while
// dragging, a quick second press, and the wheel over spin boxes and tabs;
// through the real window.
#include "app/pages/ArrangePage.h"
#include "app/pages/PersonsPage.h"
#include "app/pages/PrintPage.h"
#include "app/widgets/FindBar.h"
#include "app/window/MainForm.h"
#include "chart/ZoomedCanvas.h"
#include "chart/gui/ArrangeController.h"
#include "chart/gui/ChartView.h"
#include "document/gui/EditPForm.h"
#include "gui/MainWindowFixture.h"
#include "gui/ScriptedDialogs.h"
#include "platform/DocText.h"
#include "platform/QPainterCanvas.h"

#include <QApplication>
#include <QCursor>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ViewToolsTest : public lw::test::MainWindowTest {
  protected:
    ViewToolsTest() : MainWindowTest(lw::test::kLargeWindow) {}
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(showArrangePage());
    }

    // The viewport point over the middle of a cell's box at the current zoom.
    QPoint centreOf(int col, int row) {
        const lw::ChartGrid g = view()->grid();
        const lw::Point64 p = view()->toViewport(
            {(g.Left(col, row) + g.Right(col, row)) / 2, (g.Top(row) + g.Bottom(row)) / 2});
        return QPoint(int(p.x), int(p.y));
    }
    // A wheel turn over `pos` of `over`, as the window system delivers it.
    void wheel(QWidget* over, QPoint pos, int delta, Qt::KeyboardModifiers mods = {}) {
        const QPoint at = over->mapTo(form.get(), pos);
        QWheelEvent event(QPointF(at), QPointF(form->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, mods, Qt::NoScrollPhase, false);
        // Spontaneous, as from the window system: only such wheel events
        // travel on from a widget that ignores them to its parents.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(form->windowHandle(), &event);
    }
    void keys(QWidget* to, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(to, key, mods);
        settle();
    }
    lw::app::FindBar* findBar(int page) {
        return page == 0 ? form->personsPage()->findBar() : form->arrangePage()->findBar();
    }
};

} // namespace

// ------------------------------------------------------------------ zoom

TEST_F(ViewToolsTest, DragsLandOnTheSameCellsAtEveryZoom) {
    for (int percent : {100, 50, 200, 5, 400}) {
        doc().ClearAll();
        const int a = add("A", 0, 0);
        add("B", 1, 0);
        view()->setZoom(lw::ChartZoom(percent), QPoint(0, 0));
        view()->horizontalScrollBar()->setValue(0);
        view()->verticalScrollBar()->setValue(0);
        settle();
        ASSERT_EQ(view()->zoom().percent(), percent);
        // Right-clicking B opens B, at the zoomed place of its box.
        std::vector<QString> opened;
        form->editPForm()->setRunner([&](lw::TEditPForm& f) {
            opened.push_back(f.NachNameED->text());
            f.CancelBtn->click();
        });
        QTest::mouseClick(paintBox(), Qt::RightButton, {}, centreOf(1, 0));
        EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("B")}) << percent;

        QTest::mousePress(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
        QTest::mouseMove(paintBox(), centreOf(1, 0)); // taken: stays
        EXPECT_EQ(cellOf(a), (lw::GridCell{0, 0})) << percent;
        QTest::mouseMove(paintBox(), centreOf(2, 1));
        QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, centreOf(2, 1));
        EXPECT_EQ(cellOf(a), (lw::GridCell{2, 1})) << percent;
        // The chart pixel under the box's middle maps back to the same cell.
        EXPECT_EQ(view()->grid().cellAt(view()->toChart(centreOf(2, 1)).x,
                                        view()->toChart(centreOf(2, 1)).y),
                  (lw::GridCell{2, 1}))
            << percent;
    }
}

TEST_F(ViewToolsTest, ZoomKeysWheelAndFitKeepTheirAnchorsAndLimits) {
    add("A", 0, 0);
    add("B", 30, 40);
    QLabel* label = form->arrangePage()->findChild<QLabel*>(QStringLiteral("ZoomLabel"));
    ASSERT_NE(label, nullptr);

    keys(form.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom().percent(), 75);
    EXPECT_EQ(label->text(), QStringLiteral("75 %"));
    keys(form.get(), Qt::Key_Plus, Qt::ControlModifier);
    keys(form.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom().percent(), 125);
    keys(form.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom().percent(), 100);

    // Ctrl+wheel zooms around the mouse: the chart pixel under it stays.
    const QPoint mouse(300, 200);
    const lw::Point64 before = view()->toChart(mouse);
    wheel(paintBox(), mouse, 120, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom().percent(), 125);
    const lw::Point64 after = view()->toChart(mouse);
    EXPECT_LE(std::llabs(after.x - before.x), 1);
    EXPECT_LE(std::llabs(after.y - before.y), 1);
    for (int i = 0; i < 20; ++i)
        wheel(paintBox(), mouse, -120, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom().percent(), lw::ChartZoom::kMin);
    for (int i = 0; i < 20; ++i)
        wheel(paintBox(), mouse, 120, Qt::ControlModifier);
    EXPECT_EQ(view()->zoom().percent(), lw::ChartZoom::kMax);

    // "Ganze Fläche": both boxes in sight, as large as that allows.
    form->arrangePage()->findChild<QToolButton*>(QStringLiteral("ZoomFitBtn"))->click();
    settle();
    const int fit = view()->zoom().percent();
    EXPECT_LT(fit, 100);
    EXPECT_GE(fit, 10);
    const QRect inside = paintBox()->rect();
    for (auto [col, row] : {std::pair{0, 0}, std::pair{30, 40}})
        EXPECT_TRUE(inside.contains(centreOf(col, row))) << col << "," << row << " at " << fit;

    // The print preview zooms on its own, with the same keys.
    showPage(2);
    keys(form.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form->printView()->zoom().percent(), 75);
    EXPECT_EQ(view()->zoom().percent(), fit);
}

// "Ganze Fläche" on both views: every box and the whole heading in sight,
// the heading's letters painted from its first to its last. Boxes far from
// the heading used to be centred on their own, cutting the heading.
TEST_F(ViewToolsTest, FitShowsTheWholeHeadingAndEveryBox) {
    struct Case {
        int page;
        std::vector<lw::GridCell> cells;
    };
    const Case cases[] = {
        {1, {{3, 0}, {4, 2}}},         // fits at 100 %, heading far left of the boxes
        {1, {{6, 3}, {9, 5}, {7, 7}}}, // needs a smaller zoom
        {2, {{3, 0}, {4, 2}}},         // the print preview alike
        {2, {{6, 3}, {9, 5}, {7, 7}}},
    };
    for (const Case& c : cases) {
        doc().ClearAll();
        for (const lw::GridCell& cell : c.cells)
            add("Bronte", cell.col, cell.row, "Anne");
        showPage(c.page);
        lw::ChartView* v = c.page == 1 ? view() : form->printView();
        QWidget* page = c.page == 1 ? static_cast<QWidget*>(form->arrangePage())
                                    : static_cast<QWidget*>(form->printPage());
        v->setZoom(lw::ChartZoom(100), QPoint(0, 0));
        page->findChild<QToolButton*>(QStringLiteral("ZoomFitBtn"))->click();
        settle();
        const int percent = v->zoom().percent();
        const std::string at = "page " + std::to_string(c.page) + " with " +
                               std::to_string(c.cells.size()) + " boxes at " +
                               std::to_string(percent) + " %";
        ASSERT_GE(percent, 30) << at; // the heading's letters are still drawn
        if (c.page == 1) {
            EXPECT_EQ(percent == 100, c.cells.size() == 2) << at;
        }
        const QRect inside = v->viewport()->rect();
        const lw::ChartGrid g = v->grid();
        for (const lw::GridCell& cell : c.cells) {
            const lw::Point64 a = v->toViewport({g.Left(cell.col, cell.row), g.Top(cell.row)});
            const lw::Point64 b = v->toViewport({g.Right(cell.col, cell.row), g.Bottom(cell.row)});
            EXPECT_TRUE(inside.contains(int(a.x), int(a.y)) &&
                        inside.contains(int(b.x) - 1, int(b.y) - 1))
                << cell.col << "," << cell.row << " " << at;
        }
        // The heading stands at (45, 22) above the first row (68): its ink
        // is the black in that band.
        const QImage image = v->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const lw::Point64 start = v->toViewport({45, 22});
        const lw::Point64 end = v->toViewport({45, 68});
        ASSERT_GE(start.x, 0) << at;
        ASSERT_GE(start.y, 0) << at;
        int first = image.width(), last = -1;
        for (int y = int(start.y); y < int(end.y) && y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        ASSERT_GE(last, 0) << "no heading in sight, " << at;
        EXPECT_LE(first - int(start.x), 4) << at; // from its first letter on
        // ... to its last: as wide as the heading is, and clear of the edge.
        lw::TFontInfo font = doc().chart.headingFont;
        if (percent != 100)
            font.Height = lw::ZoomedCanvas::scaledFontHeight(font.Height, v->zoom());
        const int width = QFontMetrics(lw::QPainterCanvas::toQFont(font), v->viewport())
                              .horizontalAdvance(lw::fromDocText(doc().chart.Caption));
        EXPECT_GE(last - first, width * 9 / 10) << at;
        EXPECT_LT(last, image.width() - 2) << at;
    }
}

// Ctrl+0 keeps the place: the chart pixel under the mouse stays under it;
// with the mouse elsewhere the selected box stays where it shows.
TEST_F(ViewToolsTest, ZoomResetKeepsWhatIsUnderTheMouseOrTheSelectedBox) {
    const int a = add("A", 6, 3);
    const int b = add("B", 9, 7);
    // Both boxes in sight at a third, the chart's top left corner at the
    // viewport's.
    auto atAThird = [&] {
        view()->setZoom(lw::ChartZoom(33), QPoint(0, 0));
        view()->horizontalScrollBar()->setValue(0);
        view()->verticalScrollBar()->setValue(0);
        settle();
    };
    atAThird();

    const QPoint overA = centreOf(cellOf(a).col, cellOf(a).row);
    QCursor::setPos(paintBox()->mapToGlobal(overA));
    settle();
    ASSERT_EQ(paintBox()->mapFromGlobal(QCursor::pos()), overA);
    const lw::Point64 underMouse = view()->toChart(overA);
    keys(form.get(), Qt::Key_0, Qt::ControlModifier);
    ASSERT_EQ(view()->zoom().percent(), 100);
    const lw::Point64 after = view()->toChart(overA);
    // A view pixel at 33 % covers three chart pixels: it stays within them.
    EXPECT_LE(std::llabs(after.x - underMouse.x), 3);
    EXPECT_LE(std::llabs(after.y - underMouse.y), 3);

    // The mouse off the view: around the selected box.
    view()->setSelectedPerson(b);
    atAThird();
    ASSERT_TRUE(paintBox()->rect().contains(centreOf(cellOf(b).col, cellOf(b).row)));
    const QPoint bBefore = centreOf(cellOf(b).col, cellOf(b).row);
    QCursor::setPos(form->mapToGlobal(QPoint(-200, -200)));
    settle();
    keys(form.get(), Qt::Key_0, Qt::ControlModifier);
    ASSERT_EQ(view()->zoom().percent(), 100);
    const QPoint bAfter = centreOf(cellOf(b).col, cellOf(b).row);
    EXPECT_LE(std::abs(bAfter.x() - bBefore.x()), 4) << bAfter.x() << "," << bAfter.y();
    EXPECT_LE(std::abs(bAfter.y() - bBefore.y()), 4) << bAfter.x() << "," << bAfter.y();

    // A selected box out of sight comes into the middle.
    view()->setZoom(lw::ChartZoom(75), QPoint(0, 0));
    view()->horizontalScrollBar()->setValue(0);
    view()->verticalScrollBar()->setValue(0);
    settle();
    ASSERT_FALSE(paintBox()->rect().contains(centreOf(cellOf(b).col, cellOf(b).row)));
    keys(form.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(paintBox()->rect().contains(centreOf(cellOf(b).col, cellOf(b).row)));
}

TEST_F(ViewToolsTest, ZoomedPaintingScalesBoxesAndDropsIllegibleTexts) {
    doc().AreaWidth = 10;
    doc().AreaHeight = 5;
    add("WWWWWWWW", 0, 0);
    add("WWWWWWWW", 1, 1);
    // Dark text pixels inside the first box at a zoom.
    auto inkAt = [&](int percent) {
        view()->setZoom(lw::ChartZoom(percent), QPoint(0, 0));
        view()->horizontalScrollBar()->setValue(0);
        view()->verticalScrollBar()->setValue(0);
        settle();
        const QImage image = paintBox()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const lw::ChartGrid g = view()->grid();
        // Inset so that the frame stays outside even at 25 %.
        const lw::Point64 a = view()->toViewport({g.Left(0, 0) + 8, g.Top(0) + 5});
        const lw::Point64 b = view()->toViewport({g.Right(0, 0) - 8, g.Bottom(0) - 5});
        int dark = 0;
        for (int y = int(a.y); y < int(b.y); ++y)
            for (int x = int(a.x); x < int(b.x); ++x)
                dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        // The frame of box (1, 1) sits where the zoom puts it, one pixel wide.
        const lw::Point64 corner = view()->toViewport({g.Left(1, 1), g.Top(1) + 10});
        EXPECT_EQ(image.pixel(int(corner.x), int(corner.y)), qRgb(0, 0, 0)) << percent;
        EXPECT_EQ(image.pixel(int(corner.x) - 1, int(corner.y)), qRgb(255, 255, 255)) << percent;
        EXPECT_NE(image.pixel(int(corner.x) + 1, int(corner.y)), qRgb(0, 0, 0)) << percent;
        return dark;
    };
    const int full = inkAt(100);
    EXPECT_GT(full, 20);
    EXPECT_GT(inkAt(200), 2 * full); // texts grow with the zoom
    EXPECT_EQ(inkAt(25), 0);         // 11-pixel text at 25 %: left out
}

// ------------------------------------------------------------------ search

TEST_F(ViewToolsTest, SearchIgnoresAccentsAndCaseAndWrapsBothWays) {
    const int first = add("M\u00FCller", -1, -1, "Anna"); // not on the chart
    const int second = add("Schmidt", 2, 0);
    const int third = add("MULLER", 3, 20, "Bernd");
    add("Lind", 4, 0);
    showPage(0);
    QListWidget* list = form->personsPage()->ListBox1();
    lw::app::FindBar* bar = findBar(0);
    ASSERT_FALSE(bar->isVisible());
    keys(form.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(bar->isVisible());
    QTest::keyClicks(bar->field(), "muller");
    settle();
    EXPECT_EQ(list->currentRow(), first);
    keys(bar->field(), Qt::Key_Return);
    EXPECT_EQ(list->currentRow(), third);
    keys(bar->field(), Qt::Key_F3);
    EXPECT_EQ(list->currentRow(), first); // around the end
    keys(bar->field(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(list->currentRow(), third); // and back
    bar->field()->setText(QStringLiteral("anna m\u00dcl"));
    EXPECT_EQ(list->currentRow(), first);
    bar->field()->setText(QStringLiteral("Meier"));
    EXPECT_EQ(list->currentRow(), first); // no match: the selection stays
    EXPECT_FALSE(bar->status()->text().isEmpty());

    // On the arrange page only boxes count; the match is centred and marked.
    showPage(1);
    view()->setZoom(lw::ChartZoom(50));
    keys(form.get(), Qt::Key_F, Qt::ControlModifier);
    lw::app::FindBar* arrangeBar = findBar(1);
    ASSERT_TRUE(arrangeBar->isVisible());
    arrangeBar->field()->setText(QStringLiteral("MÜLLER"));
    settle();
    EXPECT_EQ(view()->flashedPerson(), third);
    EXPECT_EQ(form->arrangeController()->selectedPerson(), third);
    keys(arrangeBar->field(), Qt::Key_F3);
    EXPECT_EQ(view()->flashedPerson(), third); // the only box that matches
    const lw::Rect64 box = *view()->boxOf(third);
    const lw::Point64 middle =
        view()->toViewport({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    // Centred vertically (to the left, the chart's edge comes first).
    EXPECT_LE(std::llabs(middle.y - paintBox()->height() / 2), 2);
    EXPECT_GE(middle.x, 0);
    arrangeBar->field()->setText(QStringLiteral("schmidt"));
    EXPECT_EQ(view()->flashedPerson(), second);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view()->flashedPerson() < 0; },
                                lw::ChartView::kFlashMs + 1000));
    keys(arrangeBar->field(), Qt::Key_Escape);
    EXPECT_FALSE(arrangeBar->isVisible());
}

// ------------------------------------------------------------ arrow keys

TEST_F(ViewToolsTest, ArrowKeysMoveTheSelectedBoxToFreeCellsOnly) {
    doc().AreaWidth = 3;
    doc().AreaHeight = 2;
    const int a = add("A", 0, 0);
    add("B", 1, 0);
    QSignalSpy moved(form->arrangeController(), &lw::ArrangeController::personMoved);
    view()->setFocus();
    keys(view(), Qt::Key_Right); // nothing selected: nothing moves
    EXPECT_EQ(cellOf(a), (lw::GridCell{0, 0}));

    QTest::mouseClick(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
    ASSERT_EQ(form->arrangeController()->selectedPerson(), a);
    EXPECT_EQ(view()->focusPolicy(), Qt::StrongFocus);
    const struct {
        Qt::Key key;
        lw::GridCell expected;
    } steps[] = {
        {Qt::Key_Right, {0, 0}},                         // B's cell is taken
        {Qt::Key_Up, {0, 0}},                            // above the area
        {Qt::Key_Left, {0, 0}},                          // left of the area
        {Qt::Key_Down, {0, 1}},  {Qt::Key_Down, {0, 1}}, // below the area
        {Qt::Key_Right, {1, 1}}, {Qt::Key_Right, {2, 1}},
        {Qt::Key_Right, {2, 1}}, {Qt::Key_Up, {2, 0}},
    };
    for (const auto& step : steps) {
        keys(view(), step.key);
        EXPECT_EQ(cellOf(a), step.expected) << step.key;
    }
    ASSERT_EQ(moved.count(), 4);
    const QList<QVariant> first = moved.at(0);
    EXPECT_EQ(first, (QList<QVariant>{a, 0, 0, 0, 1}));
    EXPECT_EQ(moved.at(3), (QList<QVariant>{a, 2, 1, 2, 0}));
    EXPECT_TRUE(doc().GridBesetzt(2, 0));
    EXPECT_FALSE(doc().GridBesetzt(0, 0));
    // A click on empty space ends the selection; the arrows scroll again.
    QTest::mouseClick(paintBox(), Qt::LeftButton, {}, QPoint(paintBox()->width() - 5, 5));
    EXPECT_EQ(form->arrangeController()->selectedPerson(), -1);
}

// ------------------------------------------------------------- the mouse

TEST_F(ViewToolsTest, AQuickSecondPressStartsAMove) {
    const int a = add("A", 0, 0);
    QTest::mouseClick(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
    QTest::mouseDClick(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
    // mouseDClick ends with the double-click press; the move goes on from there.
    EXPECT_TRUE(form->arrangeController()->Dragging());
    QTest::mouseMove(paintBox(), centreOf(2, 0));
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, centreOf(2, 0));
    EXPECT_EQ(cellOf(a), (lw::GridCell{2, 0}));
}

TEST_F(ViewToolsTest, DraggingBeyondTheEdgeScrollsAndCarriesTheBox) {
    doc().AreaWidth = 200;
    const int a = add("A", 0, 0);
    form->repaintViews();
    settle();
    QScrollBar* bar = view()->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 1000);
    QTest::mousePress(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
    const QPoint beyond(paintBox()->width() + 40, centreOf(0, 0).y());
    QTest::mouseMove(paintBox(), beyond);
    EXPECT_TRUE(form->arrangeController()->edgeTimer().isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() > 400; }, 5000));
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, beyond);
    EXPECT_FALSE(form->arrangeController()->edgeTimer().isActive());
    const int scrolled = bar->value();
    // The box went along into the newly shown cells, never to a hidden one.
    EXPECT_GT(cellOf(a).col, 3);
    const lw::Rect64 box = *view()->boxOf(a);
    EXPECT_LT(view()->toViewport({box.left, 0}).x, paintBox()->width());
    settle();
    EXPECT_EQ(bar->value(), scrolled); // stops with the release

    // The band inside the edge: slow at its inner end, faster further out.
    using C = lw::ArrangeController;
    EXPECT_EQ(C::edgeStep(500, 1000), 0);
    EXPECT_EQ(C::edgeStep(C::kEdgeBand, 1000), 0);
    EXPECT_LT(C::edgeStep(C::kEdgeBand - 1, 1000), 0);
    EXPECT_GT(C::edgeStep(1000 - C::kEdgeBand, 1000), 0);
    EXPECT_LT(C::edgeStep(990, 1000), C::edgeStep(1200, 1000));
    EXPECT_EQ(C::edgeStep(100000, 1000), C::kEdgeMaxStep);
}

// ------------------------------------------------------------- the wheel

TEST_F(ViewToolsTest, WheelOverSpinBoxOrTabBarStaysThere) {
    QScrollBar* bar = view()->verticalScrollBar();
    bar->setValue(100);
    QDoubleSpinBox* margin = form->arrangePage()->RandLEd();
    const double before = margin->value();
    wheel(margin, margin->rect().center(), -120);
    EXPECT_EQ(bar->value(), 100);       // the chart does not scroll
    EXPECT_LT(margin->value(), before); // the margin steps down

    QTabBar* tabs = form->PageControl1()->tabBar();
    wheel(tabs, tabs->tabRect(1).center(), -120);
    EXPECT_EQ(form->PageControl1()->currentIndex(), 1);
    wheel(tabs, tabs->tabRect(1).center(), 120);
    EXPECT_EQ(form->PageControl1()->currentIndex(), 1);
    EXPECT_EQ(bar->value(), 100); // one notch down and one up
}
