#include "print/gui/PreviewPanning.h"

#include "chart/gui/ChartView.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace lw {

namespace {

// h held to 0 … range − 1, where range − 1 is the scroll bar's last
// position.
void scrollTo(QScrollBar& bar, std::int64_t position) {
    const std::int64_t last = std::max(0, bar.maximum());
    bar.setValue(int(std::clamp<std::int64_t>(position, 0, last)));
}

} // namespace

PreviewPanning::PreviewPanning(ChartView& view) : QObject(&view), view_(view) {
    connect(&view, &ChartView::chartMousePressed, this,
            [this](QMouseEvent*, qint64 x, qint64 y) { PrintPaintBoxMouseDown(x, y); });
    connect(&view, &ChartView::chartMouseMoved, this,
            [this](QMouseEvent*, qint64 x, qint64 y) { PrintPaintBoxMouseMove(x, y); });
    connect(&view, &ChartView::chartMouseReleased, this,
            [this](QMouseEvent*, qint64, qint64) { PrintPaintBoxMouseUp(); });
}

void PreviewPanning::PrintPaintBoxMouseDown(std::int64_t X, std::int64_t Y) {
    pressed_ = true;
    X0_ = X;
    Y0_ = Y;
}

void PreviewPanning::PrintPaintBoxMouseMove(std::int64_t X, std::int64_t Y) {
    if (!pressed_) return;
    QScrollBar& horizontal = *view_.horizontalScrollBar();
    QScrollBar& vertical = *view_.verticalScrollBar();
    // The scroll bars count view pixels; at a zoom other than 100 % chart
    // pixels differ from them.
    const ChartZoom zoom = view_.zoom();
    const std::int64_t h = std::int64_t(horizontal.value()) + (zoom.toView(X0_) - zoom.toView(X));
    const std::int64_t v = std::int64_t(vertical.value()) + (zoom.toView(Y0_) - zoom.toView(Y));
    scrollTo(horizontal, h);
    scrollTo(vertical, v);
}

void PreviewPanning::PrintPaintBoxMouseUp() {
    pressed_ = false;
}

} // namespace lw
