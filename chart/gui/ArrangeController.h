#pragma once
// The mouse on the arrange view and the delayed repaint after heading edits.
//
// The left button on a box picks the person up; while the button is held
// (the view's viewport keeps getting the mouse, also outside it), the person
// jumps from free cell to free cell under the mouse. It never lands on a
// taken cell and never changes places with another person; moving leaves
// the modified flag alone. Any button release puts it down where it is and,
// when that is another cell than where it was picked up, reports the move.
// The other buttons open the person under the mouse for editing.
//
// Which person a point picks: the last one in index order whose box holds
// it. Which person moves or is opened: the first one in index order on that
// person's cell (only a file can put two persons on one cell).
//
// The person picked up last stays selected (the view frames its box); the
// arrow keys move the selected box by one cell, to free cells of the area
// only, as a drag would. While a person is dragged near or beyond an edge
// of the view, the view scrolls that way, faster the further out the mouse
// is, and the person follows.
#include "chart/ChartGrid.h"

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <cstdint>
#include <functional>

class QMouseEvent;

namespace lw {

class ChartView;
class Document;

class ArrangeController : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        // Select the person's row in the person list and open it (EditItem).
        std::function<void(int)> openPerson;
        // Repaint the arrange view and the print preview.
        std::function<void()> repaintViews;
    };

    static constexpr int kHeadingDelayMs = 500;

    ArrangeController(ChartView& view, Document& doc, Hooks hooks, QObject* parent = nullptr);

    // Mouse handlers, with chart pixels.
    void PaintBox1MouseDown(Qt::MouseButton button, std::int64_t x, std::int64_t y);
    void PaintBox1MouseMove(std::int64_t x, std::int64_t y);
    void PaintBox1MouseUp();

    // A move in progress ends without moving anything more, e.g. because the
    // persons were replaced under it; the selection goes with it.
    void cancelMove();

    // The selected person (−1: none); the view frames its box.
    int selectedPerson() const;
    void selectPerson(int person);
    // Moves the selected person by one cell in the direction; true when it
    // moved (the cell was free and inside the area).
    bool moveSelected(int dCol, int dRow);

    // Edge scrolling while dragging: the band along the edges of the view
    // that scrolls, the timer's period and the largest step.
    static constexpr int kEdgeBand = 24;
    static constexpr int kEdgeIntervalMs = 30;
    static constexpr int kEdgeMaxStep = 60;
    // The scroll step for a mouse position `pos` on an axis of length
    // `length`: negative towards the start, 0 outside the bands.
    static int edgeStep(int pos, int length);
    const QTimer& edgeTimer() const { return edgeTimer_; }
    // One tick of the edge scrolling (the timer's slot).
    void scrollAtEdge();

    bool Dragging() const { return dragging_; }
    std::int32_t DragGridX() const { return dragGridX_; }
    std::int32_t DragGridY() const { return dragGridY_; }

    // The heading text changed: the arrange view is repainted once,
    // kHeadingDelayMs after the last change.
    void CaptionEdChange();
    void Timer1Timer();
    const QTimer& Timer1() const { return timer1_; }

  signals:
    // A person moved from one cell to another: once per drag that ended on
    // another cell than where it began, and by each arrow key.
    void personMoved(int index, int oldX, int oldY, int newX, int newY);
    // The mouse let person `index` go over the box of person `occupant`: it
    // stays on the last free cell it reached.
    void dropRefused(int index, int occupant);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void onPressed(QMouseEvent* event, qint64 x, qint64 y);
    void showCursorFor(std::int64_t x, std::int64_t y);
    void moveTo(std::int64_t x, std::int64_t y);
    void followMouse(const QPoint& viewportPos);

    ChartView& view_;
    Document& doc_;
    Hooks hooks_;
    bool dragging_ = false;
    std::int32_t dragGridX_ = -1;
    std::int32_t dragGridY_ = -1;
    std::int32_t dragStartX_ = -1; // where the person was picked up
    std::int32_t dragStartY_ = -1;
    QTimer timer1_;
    QTimer edgeTimer_;
    QPoint mouse_; // the last mouse position on the viewport while dragging
};

} // namespace lw
