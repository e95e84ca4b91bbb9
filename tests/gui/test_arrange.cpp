// The arrange page: the mouse on the chart, the wheel, the heading timer,
// the margin fields, the area size dialog and the charts of one person,
// through the real window; and the move rules of the arrange controller on a
// view of its own.
#include "app/pages/ArrangePage.h"
#include "app/pages/PersonListController.h"
#include "app/pages/PersonsPage.h"
#include "app/window/MainForm.h"
#include "chart/gui/AreaForm.h"
#include "chart/gui/ArrangeController.h"
#include "chart/gui/ChartView.h"
#include "document/gui/EditPForm.h"
#include "gui/MainWindowFixture.h"
#include "session/DocumentHistory.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <QWheelEvent>
#include <QWindow>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

using lw::test::centreOf;
using lw::test::PaintCounter;

namespace {

class ArrangeTest : public lw::test::MainWindowTest {
  protected:
    ArrangeTest() : MainWindowTest(lw::test::kLargeWindow) {}
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(showArrangePage());
        settle();
        paints = std::make_unique<PaintCounter>(paintBox());
        form->editPForm()->setRunner([this](lw::TEditPForm& f) {
            opened.push_back(f.NachNameED->text());
            f.CancelBtn->click();
        });
    }

    lw::ArrangeController* arrange() { return form->arrangeController(); }

    void click(Qt::MouseButton button, QPoint pos) {
        QTest::mousePress(paintBox(), button, {}, pos);
        QTest::mouseRelease(paintBox(), button, {}, pos);
    }
    int paintsAfterEvents() {
        settle();
        const int n = paints->paints;
        paints->paints = 0;
        return n;
    }

    // A wheel turn of `delta` (120 a notch, positive away from the user)
    // over the centre of `over`, as the window system delivers it.
    void wheel(QWidget* over, int delta) {
        const QPoint pos = over->mapTo(form.get(), over->rect().center());
        QWheelEvent event(QPointF(pos), QPointF(form->mapToGlobal(pos)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form->windowHandle(), &event);
    }

    std::unique_ptr<PaintCounter> paints;
    std::vector<QString> opened; // surnames the edit dialog was opened with
};

} // namespace

// --------------------------------------------------------------- the mouse

TEST_F(ArrangeTest, HitTestReachesOnePixelBeyondTheDrawnBox) {
    add("Oben", 0, 0);
    add("Unten", 0, 1);
    ASSERT_EQ(view()->scrollX(), 0);
    ASSERT_EQ(view()->scrollY(), 0);

    // Cell (0, 0): x 45 … 204, y 68 … 155; cell (0, 1): x 127 … 286, y 164 … 251.
    for (QPoint p : {QPoint(45, 68), QPoint(204, 100), QPoint(204, 155)})
        click(Qt::RightButton, p);
    for (QPoint p : {QPoint(127, 164), QPoint(286, 251)})
        click(Qt::RightButton, p);
    EXPECT_EQ(opened, (std::vector<QString>{"Oben", "Oben", "Oben", "Unten", "Unten"}));

    opened.clear();
    for (QPoint p : {QPoint(205, 100), QPoint(44, 100), QPoint(100, 67), QPoint(100, 156),
                     QPoint(126, 200), QPoint(287, 200), QPoint(200, 252)})
        click(Qt::RightButton, p);
    EXPECT_TRUE(opened.empty());

    QTest::mousePress(paintBox(), Qt::LeftButton, {}, QPoint(204, 100));
    EXPECT_TRUE(arrange()->Dragging());
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, QPoint(204, 100));
    QTest::mousePress(paintBox(), Qt::LeftButton, {}, QPoint(205, 100));
    EXPECT_FALSE(arrange()->Dragging());
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, QPoint(205, 100));
}

TEST_F(ArrangeTest, DraggingPassesOverTakenBoxesToAFreeCell) {
    const int a = add("A", 0, 0);
    const int b = add("B", 1, 0);
    paintsAfterEvents();

    view()->setFocus(); // taking the focus repaints the view
    paintsAfterEvents();

    QTest::mousePress(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
    EXPECT_TRUE(arrange()->Dragging());
    EXPECT_EQ(paintsAfterEvents(), 1); // picking up frames the selected box

    QTest::mouseMove(paintBox(), centreOf(1, 0)); // over B: stays
    EXPECT_EQ(cellOf(a), (lw::GridCell{0, 0}));
    EXPECT_EQ(paintsAfterEvents(), 0);

    QTest::mouseMove(paintBox(), centreOf(2, 0)); // beyond B, free: moves there
    EXPECT_EQ(cellOf(a), (lw::GridCell{2, 0}));
    EXPECT_EQ(arrange()->DragGridX(), 2);
    EXPECT_EQ(paintsAfterEvents(), 1);

    QTest::mouseMove(paintBox(), centreOf(2, 0) + QPoint(82, 0)); // the gap after it
    QTest::mouseMove(paintBox(), centreOf(0, 1));                 // the staggered row
    EXPECT_EQ(cellOf(a), (lw::GridCell{0, 1}));
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, centreOf(0, 1));
    EXPECT_FALSE(arrange()->Dragging());

    QTest::mouseMove(paintBox(), centreOf(3, 0)); // after the release nothing moves
    EXPECT_EQ(cellOf(a), (lw::GridCell{0, 1}));
    EXPECT_EQ(cellOf(b), (lw::GridCell{1, 0}));
    EXPECT_TRUE(doc().Modified); // the drag ended on another cell
    EXPECT_FALSE(doc().GridBesetzt(0, 0));
    EXPECT_EQ(form->personsPage()->ListBox1()->count(), 2);
}

TEST_F(ArrangeTest, OtherButtonsOpenThePersonAndSelectItsRow) {
    add("A", 0, 0);
    add("B", 1, 0);
    QListWidget* list = form->personsPage()->ListBox1();

    click(Qt::MiddleButton, centreOf(1, 0)); // cancelled: the row stays selected
    EXPECT_EQ(opened, (std::vector<QString>{"B"}));
    EXPECT_EQ(form->personList()->selectedRow(), 1);

    form->editPForm()->setRunner([](lw::TEditPForm& f) {
        f.VorNameED->setText("Anna");
        f.OkBtn->click();
    });
    click(Qt::RightButton, centreOf(0, 0));
    EXPECT_EQ(doc().person(0).VorName, "Anna");
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("A; Anna"));
    EXPECT_EQ(form->personList()->selectedRow(), 0);
    EXPECT_FALSE(arrange()->Dragging());
}

TEST_F(ArrangeTest, TwoOnOneCellPickTheLastButMoveAndOpenTheFirst) {
    const int first = add("Erste", 0, 0);
    const int last = add("Letzte", 0, 0); // only a file does this

    click(Qt::RightButton, centreOf(0, 0));
    EXPECT_EQ(opened, (std::vector<QString>{"Erste"}));

    QTest::mousePress(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
    QTest::mouseMove(paintBox(), centreOf(1, 0));
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, centreOf(1, 0));
    EXPECT_EQ(cellOf(first), (lw::GridCell{1, 0}));
    EXPECT_EQ(cellOf(last), (lw::GridCell{0, 0}));
}

TEST_F(ArrangeTest, PressesWhileMovingAreIgnoredAndAnyReleaseEndsTheMove) {
    const int a = add("A", 0, 0);
    add("B", 1, 0);
    QTest::mousePress(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
    QTest::mousePress(paintBox(), Qt::RightButton, {}, centreOf(1, 0));
    EXPECT_TRUE(opened.empty());
    QTest::mouseRelease(paintBox(), Qt::RightButton, {}, centreOf(1, 0));
    EXPECT_FALSE(arrange()->Dragging());
    QTest::mouseMove(paintBox(), centreOf(2, 0));
    EXPECT_EQ(cellOf(a), (lw::GridCell{0, 0}));
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, centreOf(2, 0));
}

TEST_F(ArrangeTest, ChartOfOnePersonFromThePageOrTheBoxMenuIsOneStep) {
    // Vater and Mutter with their child Kind, and Fremd, who is no kin.
    const char* names[] = {"Vater", "Mutter", "Kind", "Fremd"};
    const lw::GridCell cells[] = {{0, 0}, {3, 0}, {1, 2}, {5, 5}};
    for (int i = 0; i < 4; ++i) {
        lw::TPerson p;
        p.NachName = names[i];
        p.GridX = cells[i].col;
        p.GridY = cells[i].row;
        p.Vater = i == 2 ? 0 : -1;
        p.Mutter = i == 2 ? 1 : -1;
        doc().addPerson(p);
    }
    form->UpdatePersonList();
    form->history()->reset();
    settle();
    QUndoStack& history = form->history()->stack();

    // The page's buttons act on the selected person: none yet, then Kind,
    // whose question is cancelled.
    dialogs.answerMessage(lw::IDOK);
    form->arrangePage()->AncestorsBtn()->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Vorfahren anordnen"));
    EXPECT_TRUE(dialogs.numberQuestions().empty());
    arrange()->selectPerson(2);
    dialogs.answerNumber(std::nullopt);
    form->arrangePage()->HourglassBtn()->click();
    ASSERT_EQ(dialogs.numberQuestions().size(), 1u);
    EXPECT_TRUE(dialogs.numberQuestions()[0].label.contains(QLatin1String("Kind")));
    EXPECT_EQ(history.count(), 0);
    arrange()->selectPerson(-1);

    // The box menu, once it is open, takes the entry `action` by its keys.
    auto choose = [](const char* action) {
        QTimer::singleShot(0, [action] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* entry : menu->actions())
                if (entry->objectName() == QLatin1String(action)) menu->setActiveAction(entry);
            QTest::keyClick(menu, Qt::Key_Return);
        });
    };
    // Shift and the right button on Kind's box: its menu, not the editor.
    choose("AncestorsAction");
    dialogs.answerNumber(2);
    QTest::mousePress(paintBox(), Qt::RightButton, Qt::ShiftModifier, centreOf(1, 2));
    QTest::mouseRelease(paintBox(), Qt::RightButton, Qt::ShiftModifier, centreOf(1, 2));
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(dialogs.numberQuestions().size(), 2u);
    const auto& asked = dialogs.numberQuestions()[1];
    EXPECT_EQ(asked.title, QStringLiteral("Vorfahren anordnen"));
    EXPECT_EQ((std::array{asked.value, asked.min, asked.max}), (std::array{4, 1, 30}));
    // Kind below its parents (the odd row is shifted half a box), Fremd
    // without a cell, the area as large as the chart.
    const lw::GridCell arranged[] = {{0, 0}, {1, 0}, {0, 1}, {-1, -1}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(cellOf(i), arranged[i]) << names[i];
    EXPECT_EQ((std::pair{doc().AreaWidth, doc().AreaHeight}), (std::pair{2, 2}));
    EXPECT_EQ(arrange()->selectedPerson(), 2);
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(history.undoText(), QStringLiteral("Vorfahren anordnen"));

    form->history()->undo();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(cellOf(i), cells[i]) << names[i];
    EXPECT_EQ((std::pair{doc().AreaWidth, doc().AreaHeight}), (std::pair{60, 60}));
    EXPECT_FALSE(doc().Modified);

    // The menu key opens the menu of the selected box (still Kind's).
    choose("DescendantsAction");
    dialogs.answerNumber(1);
    // The window system makes the key a menu request of the focused view.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(view(), &menuKey);
    EXPECT_EQ(dialogs.numberQuestions().back().title, QStringLiteral("Nachkommen anordnen"));
    const lw::GridCell alone[] = {{-1, -1}, {-1, -1}, {0, 0}, {-1, -1}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(cellOf(i), alone[i]) << names[i];
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(ArrangeTest, AMoveEndsWhenThePersonsAreReplaced) {
    add("A", 0, 0);
    QTest::mousePress(paintBox(), Qt::LeftButton, {}, centreOf(0, 0));
    ASSERT_TRUE(arrange()->Dragging());
    form->Neu1Click(); // unmodified: clears without asking
    EXPECT_FALSE(arrange()->Dragging());
    QTest::mouseMove(paintBox(), centreOf(2, 0));
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, centreOf(2, 0));
    EXPECT_EQ(doc().PersonCount(), 0);
}

TEST_F(ArrangeTest, HandCursorOverBoxesOnly) {
    add("A", 0, 0);
    QTest::mouseMove(paintBox(), centreOf(0, 0));
    EXPECT_EQ(paintBox()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(paintBox(), QPoint(205, 100)); // between the boxes
    EXPECT_EQ(paintBox()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(paintBox(), QPoint(204, 100));
    EXPECT_EQ(paintBox()->cursor().shape(), Qt::PointingHandCursor);

    // While moving, the cursor stays as it was.
    QTest::mousePress(paintBox(), Qt::LeftButton, {}, QPoint(204, 100));
    QTest::mouseMove(paintBox(), centreOf(3, 3));
    EXPECT_EQ(paintBox()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseRelease(paintBox(), Qt::LeftButton, {}, centreOf(3, 3));
}

// --------------------------------------------------------------- the wheel

TEST_F(ArrangeTest, WheelScrollsTheViewOfTheCurrentPageByTwentyPerNotch) {
    QScrollBar* arrangeBar = view()->verticalScrollBar();
    QScrollBar* previewBar = form->printView()->verticalScrollBar();
    QWidget* topBar = form->findChild<QWidget*>(QStringLiteral("TopBar"));
    ASSERT_NE(topBar, nullptr);
    arrangeBar->setValue(100);

    wheel(paintBox(), -120); // down, over the view: only our 20 pixels
    EXPECT_EQ(arrangeBar->value(), 120);
    wheel(form->arrangePage()->CaptionEd(), 120); // anywhere on the window
    EXPECT_EQ(arrangeBar->value(), 100);
    wheel(paintBox(), -60); // half a notch waits for the other half
    EXPECT_EQ(arrangeBar->value(), 100);
    wheel(paintBox(), -60);
    EXPECT_EQ(arrangeBar->value(), 120);
    wheel(paintBox(), -360); // three notches at once
    EXPECT_EQ(arrangeBar->value(), 180);
    arrangeBar->setValue(10);
    wheel(paintBox(), 120); // kept within the range
    EXPECT_EQ(arrangeBar->value(), 0);

    showPage(2);
    previewBar->setValue(100);
    wheel(form->printView()->viewport(), -120);
    EXPECT_EQ(previewBar->value(), 120);
    wheel(topBar, 120);
    EXPECT_EQ(previewBar->value(), 100);
    EXPECT_EQ(arrangeBar->value(), 0);

    for (int page : {0, 3}) {
        showPage(page);
        wheel(topBar, -120);
        EXPECT_EQ(previewBar->value(), 100) << page;
        EXPECT_EQ(arrangeBar->value(), 0) << page;
    }
}

// ------------------------------------------------- heading, margins, area

TEST_F(ArrangeTest, HeadingRepaintsOnceHalfASecondAfterTheLastKeystroke) {
    QLineEdit* caption = form->arrangePage()->CaptionEd();
    const QTimer& timer = arrange()->Timer1();
    EXPECT_FALSE(timer.isActive());
    paintsAfterEvents();

    QTest::keyClick(caption, Qt::Key_A);
    QElapsedTimer sinceFirstKey;
    sinceFirstKey.start();
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(timer.isSingleShot());
    EXPECT_EQ(timer.interval(), 500);
    QTest::qWait(150);
    const int left = timer.remainingTime();
    QTest::keyClick(caption, Qt::Key_B);
    QElapsedTimer sinceLastKey;
    sinceLastKey.start();
    EXPECT_GT(timer.remainingTime(), left); // started again
    EXPECT_EQ(doc().chart.Caption, "Stammbaum der Familie Xab");
    if (sinceFirstKey.elapsed() >= 450)
        GTEST_SKIP() << "the machine was too busy to type two keys within half a second";
    EXPECT_EQ(paints->paints, 0);

    ASSERT_TRUE(QTest::qWaitFor([&] { return paints->paints > 0; }, 3000));
    EXPECT_GE(sinceLastKey.elapsed(), 450); // a coarse timer may be a little early
    QTest::qWait(600);
    EXPECT_EQ(paints->paints, 1);
    EXPECT_FALSE(timer.isActive());
}

TEST_F(ArrangeTest, MarginFieldsRepaintTheArrangeViewAtOnce) {
    paintsAfterEvents();
    form->arrangePage()->RandLEd()->setValue(20);
    EXPECT_GE(paintsAfterEvents(), 1);       // and once more when the new margins resize it
    EXPECT_EQ(form->margins().RandLPix, 75); // 20 mm at 96 dpi
    form->arrangePage()->RandOED2()->setValue(1);
    EXPECT_EQ(paintsAfterEvents(), 1);
    EXPECT_TRUE(doc().Modified); // the next save writes the margins
}

TEST_F(ArrangeTest, AreaDialogChangesTheAreaOnOkOnly) {
    add("A", 5, 5);
    doc().Modified = false;
    lw::TAreaForm* area = form->areaForm();
    area->setRunner([](lw::TAreaForm& f) {
        EXPECT_EQ(f.breited->value(), 60);
        EXPECT_EQ(f.hoched->value(), 60);
        f.breited->setValue(4);
        f.hoched->setValue(3);
        f.CancelBtn->click();
    });
    paintsAfterEvents();
    form->arrangePage()->AreaBtn()->click();
    EXPECT_EQ(doc().AreaWidth, 60);
    EXPECT_EQ(doc().AreaHeight, 60);
    EXPECT_EQ(paintsAfterEvents(), 0);

    area->setRunner([](lw::TAreaForm& f) {
        f.breited->setValue(4);
        f.hoched->setValue(3);
        f.OkBtn->click();
    });
    form->arrangePage()->AreaBtn()->click();
    EXPECT_EQ(doc().AreaWidth, 4);
    EXPECT_EQ(doc().AreaHeight, 3);
    EXPECT_EQ(cellOf(0), (lw::GridCell{5, 5})); // outside now, but not moved
    EXPECT_TRUE(doc().Modified);                // the next save writes the area
    EXPECT_EQ(paintsAfterEvents(), 1);
    EXPECT_EQ(view()->chartSize(), (lw::Point64{4 * 168 + 45 + 20, 3 * 96 + 68 + 20}));
}

// ------------------------------------------- the controller on its own

namespace {

class ArrangeControllerTest : public ::testing::Test {
  protected:
    void SetUp() override { view.setSources(&doc, &box, &margins); }
    int add(int col, int row) {
        lw::TPerson p;
        p.GridX = col;
        p.GridY = row;
        return doc.addPerson(p);
    }
    void drag(QPoint from, std::initializer_list<QPoint> path) {
        controller.PaintBox1MouseDown(Qt::LeftButton, from.x(), from.y());
        for (QPoint p : path)
            controller.PaintBox1MouseMove(p.x(), p.y());
        controller.PaintBox1MouseUp();
    }

    lw::Document doc;
    lw::BoxLayout box;
    lw::ChartMargins margins{45, 68};
    lw::ChartView view{lw::ChartMode::Arrange};
    int repaints = 0;
    std::vector<int> openedPersons;
    lw::ArrangeController controller{
        view, doc, {[this](int i) { openedPersons.push_back(i); }, [this] { ++repaints; }}};
};

} // namespace

TEST_F(ArrangeControllerTest, EachMoveRepaintsBothViewsOnce) {
    const int a = add(0, 0);
    add(1, 0);
    drag(centreOf(0, 0), {centreOf(1, 0), centreOf(2, 0), centreOf(2, 0) + QPoint(3, 0),
                          centreOf(3, 0), QPoint(-500, -500)});
    EXPECT_EQ(doc.person(a).GridX, 3);
    EXPECT_EQ(repaints, 2); // to (2, 0) and to (3, 0)
    EXPECT_FALSE(doc.Modified);
}

TEST_F(ArrangeControllerTest, NothingLandsOutsideTheArea) {
    doc.AreaWidth = 2;
    doc.AreaHeight = 1;
    const int a = add(0, 0);
    drag(centreOf(0, 0), {centreOf(2, 0), centreOf(0, 1), centreOf(1, 0)});
    EXPECT_EQ(doc.person(a).GridX, 1);
    EXPECT_EQ(repaints, 1);
}

TEST_F(ArrangeControllerTest, AnUnplacedPersonHasNoBoxToHit) {
    // Cell (-1, -1) would lie at x -41 … 118, y -28 … 59, over the heading;
    // nothing is drawn there, so nothing is picked there.
    add(0, 0);
    const int unplaced = add(-1, -1);
    controller.PaintBox1MouseDown(Qt::RightButton, 50, 30);
    EXPECT_TRUE(openedPersons.empty());
    drag(QPoint(50, 30), {centreOf(1, 0)});
    EXPECT_EQ(doc.person(unplaced).GridX, -1);
    EXPECT_EQ(doc.person(unplaced).GridY, -1);
    EXPECT_FALSE(doc.GridBesetzt(1, 0));
}
