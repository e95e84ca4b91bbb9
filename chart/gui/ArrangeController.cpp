#include "chart/gui/ArrangeController.h"

#include "chart/gui/ChartView.h"
#include "document/Document.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <cstdlib>

namespace lw {

ArrangeController::ArrangeController(ChartView& view, Document& doc, Hooks hooks, QObject* parent)
    : QObject(parent), view_(view), doc_(doc), hooks_(std::move(hooks)) {
    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setSingleShot(true);
    timer1_.setInterval(kHeadingDelayMs);
    connect(&timer1_, &QTimer::timeout, this, &ArrangeController::Timer1Timer);

    edgeTimer_.setInterval(kEdgeIntervalMs);
    connect(&edgeTimer_, &QTimer::timeout, this, &ArrangeController::scrollAtEdge);

    connect(&view_, &ChartView::chartMousePressed, this, &ArrangeController::onPressed);
    connect(&view_, &ChartView::chartMouseMoved, this,
            [this](QMouseEvent* event, qint64 x, qint64 y) {
                PaintBox1MouseMove(x, y);
                if (dragging_) followMouse(event->position().toPoint());
            });
    connect(&view_, &ChartView::chartMouseReleased, this, [this](QMouseEvent*, qint64 x, qint64 y) {
        // Let go over another person's box: the person stays on the
        // last free cell it reached, and the window says why.
        const int over = dragging_ ? view_.grid().personAt(doc_, x, y) : -1;
        const int moving = dragging_ && doc_.GridBesetzt(dragGridX_, dragGridY_)
                               ? doc_.GridNr(dragGridX_, dragGridY_)
                               : -1;
        PaintBox1MouseUp();
        if (over >= 0 && moving >= 0 && over != moving) emit dropRefused(moving, over);
    });
    view_.installEventFilter(this);
    view_.viewport()->installEventFilter(this);
}

void ArrangeController::cancelMove() {
    dragging_ = false;
    edgeTimer_.stop();
    selectPerson(-1);
}

int ArrangeController::selectedPerson() const {
    return view_.selectedPerson();
}

void ArrangeController::selectPerson(int person) {
    view_.setSelectedPerson(person);
}

bool ArrangeController::moveSelected(int dCol, int dRow) {
    const int person = selectedPerson();
    if (person < 0 || person >= doc_.PersonCount()) return false;
    const TPerson& p = doc_.person(person);
    const std::int32_t oldX = p.GridX, oldY = p.GridY;
    const std::int64_t x = std::int64_t(oldX) + dCol, y = std::int64_t(oldY) + dRow;
    auto inArea = [this](std::int64_t c, std::int64_t r) {
        return c >= 0 && c < doc_.AreaWidth && r >= 0 && r < doc_.AreaHeight;
    };
    if (!inArea(oldX, oldY) || !inArea(x, y) || doc_.GridBesetzt(std::int32_t(x), std::int32_t(y)))
        return false;
    doc_.setGridPos(person, std::int32_t(x), std::int32_t(y));
    if (hooks_.repaintViews) hooks_.repaintViews();
    if (const std::optional<Rect64> box = view_.boxOf(person)) {
        // Keep the moved box in sight.
        const Point64 a = view_.toViewport({box->left, box->top});
        const Point64 b = view_.toViewport({box->right, box->bottom});
        if (a.x < 0 || a.y < 0 || b.x > view_.viewport()->width() ||
            b.y > view_.viewport()->height())
            view_.centreOn({(box->left + box->right) / 2, (box->top + box->bottom) / 2});
    }
    emit personMoved(person, oldX, oldY, std::int32_t(x), std::int32_t(y));
    return true;
}

bool ArrangeController::eventFilter(QObject* watched, QEvent* event) {
    // Only the type is looked at first: while the view is being destroyed it
    // still sends events, and it must not be asked anything then.
    if (event->type() == QEvent::KeyPress && !dragging_ &&
        (watched == &view_ || watched == view_.viewport())) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || selectedPerson() < 0)
            return false;
        switch (key->key()) {
        case Qt::Key_Left:
            moveSelected(-1, 0);
            return true;
        case Qt::Key_Right:
            moveSelected(1, 0);
            return true;
        case Qt::Key_Up:
            moveSelected(0, -1);
            return true;
        case Qt::Key_Down:
            moveSelected(0, 1);
            return true;
        default:
            return false;
        }
    }
    return QObject::eventFilter(watched, event);
}

int ArrangeController::edgeStep(int pos, int length) {
    // Inside the band the step grows from 1 at its inner edge; beyond the
    // view it keeps growing with the distance, up to kEdgeMaxStep.
    int depth = 0;
    if (pos < kEdgeBand)
        depth = kEdgeBand - pos;
    else if (pos >= length - kEdgeBand)
        depth = -(pos - (length - kEdgeBand) + 1);
    if (depth == 0) return 0;
    const int step = std::min(kEdgeMaxStep, (std::abs(depth) + 1) / 2);
    return depth > 0 ? -step : step;
}

void ArrangeController::followMouse(const QPoint& viewportPos) {
    mouse_ = viewportPos;
    const QSize size = view_.viewport()->size();
    const bool atEdge =
        edgeStep(mouse_.x(), size.width()) != 0 || edgeStep(mouse_.y(), size.height()) != 0;
    if (atEdge && !edgeTimer_.isActive())
        edgeTimer_.start();
    else if (!atEdge)
        edgeTimer_.stop();
}

void ArrangeController::scrollAtEdge() {
    if (!dragging_) {
        edgeTimer_.stop();
        return;
    }
    const QSize size = view_.viewport()->size();
    QScrollBar* h = view_.horizontalScrollBar();
    QScrollBar* v = view_.verticalScrollBar();
    h->setValue(h->value() + edgeStep(mouse_.x(), size.width()));
    v->setValue(v->value() + edgeStep(mouse_.y(), size.height()));
    const Point64 p = view_.toChart(mouse_);
    moveTo(p.x, p.y);
}

void ArrangeController::onPressed(QMouseEvent* event, qint64 x, qint64 y) {
    PaintBox1MouseDown(event->button(), x, y);
}

void ArrangeController::PaintBox1MouseDown(Qt::MouseButton button, std::int64_t x, std::int64_t y) {
    if (dragging_) return;
    const int picked = view_.grid().personAt(doc_, x, y);
    if (picked < 0) {
        if (button == Qt::LeftButton) selectPerson(-1);
        return;
    }
    const TPerson& person = doc_.person(picked);
    if (button == Qt::LeftButton) {
        // Qt keeps sending the mouse to the viewport while the button is held.
        dragGridX_ = person.GridX;
        dragGridY_ = person.GridY;
        dragStartX_ = person.GridX;
        dragStartY_ = person.GridY;
        dragging_ = true;
        selectPerson(doc_.GridNr(person.GridX, person.GridY));
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
    edgeTimer_.stop();
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
    const int moved = doc_.GridNr(dragGridX_, dragGridY_);
    doc_.setGridPos(moved, drop->col, drop->row);
    selectPerson(moved);
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
