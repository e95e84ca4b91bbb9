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
#include "chart/ChartGrid.h"

#include <QObject>
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
    // persons were replaced under it.
    void cancelMove() { dragging_ = false; }

    bool Dragging() const { return dragging_; }
    std::int32_t DragGridX() const { return dragGridX_; }
    std::int32_t DragGridY() const { return dragGridY_; }

    // The heading text changed: the arrange view is repainted once,
    // kHeadingDelayMs after the last change.
    void CaptionEdChange();
    void Timer1Timer();
    const QTimer& Timer1() const { return timer1_; }

  signals:
    // A drag ended on another cell than where it began: one move per drag.
    void personMoved(int index, int oldX, int oldY, int newX, int newY);

  private:
    void onPressed(QMouseEvent* event, qint64 x, qint64 y);
    void showCursorFor(std::int64_t x, std::int64_t y);
    void moveTo(std::int64_t x, std::int64_t y);

    ChartView& view_;
    Document& doc_;
    Hooks hooks_;
    bool dragging_ = false;
    std::int32_t dragGridX_ = -1;
    std::int32_t dragGridY_ = -1;
    std::int32_t dragStartX_ = -1; // where the person was picked up
    std::int32_t dragStartY_ = -1;
    QTimer timer1_;
};

} // namespace lw
