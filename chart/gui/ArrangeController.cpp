#include "chart/gui/ArrangeController.h"

#include "chart/gui/ChartView.h"
#include "document/Document.h"

#include <QMouseEvent>

namespace lw {

ArrangeController::ArrangeController(ChartView& view, Document& doc, Hooks hooks, QObject* parent)
    : QObject(parent), view_(view), doc_(doc), hooks_(std::move(hooks)) {
    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setSingleShot(true);
    timer1_.setInterval(kHeadingDelayMs);
    connect(&timer1_, &QTimer::timeout, this, &ArrangeController::Timer1Timer);

    connect(&view_, &ChartView::chartMousePressed, this, &ArrangeController::onPressed);
    connect(&view_, &ChartView::chartMouseMoved, this,
            [this](QMouseEvent*, qint64 x, qint64 y) { PaintBox1MouseMove(x, y); });
    connect(&view_, &ChartView::chartMouseReleased, this,
            [this](QMouseEvent*, qint64, qint64) { PaintBox1MouseUp(); });
}

void ArrangeController::onPressed(QMouseEvent* event, qint64 x, qint64 y) {
    PaintBox1MouseDown(event->button(), x, y);
}

void ArrangeController::PaintBox1MouseDown(Qt::MouseButton button, std::int64_t x, std::int64_t y) {
    if (dragging_) return;
    const int picked = view_.grid().personAt(doc_, x, y);
    if (picked < 0) return;
    const TPerson& person = doc_.person(picked);
    if (button == Qt::LeftButton) {
        // Qt keeps sending the mouse to the viewport while the button is held.
        dragGridX_ = person.GridX;
        dragGridY_ = person.GridY;
        dragStartX_ = person.GridX;
        dragStartY_ = person.GridY;
        dragging_ = true;
        return;
    }
    const int opened = doc_.GridNr(person.GridX, person.GridY);
    if (hooks_.openPerson) hooks_.openPerson(opened);
}

void ArrangeController::PaintBox1MouseMove(std::int64_t x, std::int64_t y) {
    if (dragging_)
        moveTo(x, y);
    else
        showCursorFor(x, y);
}

void ArrangeController::PaintBox1MouseUp() {
    if (!dragging_) return;
    dragging_ = false;
    const bool moved = dragGridX_ != dragStartX_ || dragGridY_ != dragStartY_;
    if (moved && doc_.GridBesetzt(dragGridX_, dragGridY_))
        emit personMoved(doc_.GridNr(dragGridX_, dragGridY_), dragStartX_, dragStartY_, dragGridX_,
                         dragGridY_);
}

void ArrangeController::showCursorFor(std::int64_t x, std::int64_t y) {
    QWidget* paintBox = view_.viewport();
    const bool overBox = view_.grid().anyBoxAt(doc_, x, y);
    const bool showsHand = paintBox->testAttribute(Qt::WA_SetCursor) &&
                           paintBox->cursor().shape() == Qt::PointingHandCursor;
    if (overBox && !showsHand)
        paintBox->setCursor(Qt::PointingHandCursor);
    else if (!overBox && showsHand)
        paintBox->unsetCursor();
}

void ArrangeController::moveTo(std::int64_t x, std::int64_t y) {
    const ChartGrid grid = view_.grid();
    if (grid.anyBoxAt(doc_, x, y)) return; // never onto a taken cell
    const std::optional<GridCell> drop = grid.dropCell(x, y, doc_.AreaWidth, doc_.AreaHeight);
    if (!drop || (drop->col == dragGridX_ && drop->row == dragGridY_)) return;
    if (!doc_.GridBesetzt(dragGridX_, dragGridY_)) {
        // The person was taken away under the mouse (the document changed).
        dragging_ = false;
        return;
    }
    doc_.setGridPos(doc_.GridNr(dragGridX_, dragGridY_), drop->col, drop->row);
    dragGridX_ = drop->col;
    dragGridY_ = drop->row;
    if (hooks_.repaintViews) hooks_.repaintViews();
}

void ArrangeController::CaptionEdChange() {
    timer1_.start(); // restarts a running timer
}

void ArrangeController::Timer1Timer() {
    timer1_.stop();
    view_.repaintChart();
}

} // namespace lw
