#include "app/widgets/WheelScroller.h"

#include "chart/gui/ChartView.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QScrollBar>
#include <QTabBar>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace lw::app {

WheelScroller::WheelScroller(QWidget& window,
                             std::function<QAbstractScrollArea*()> viewOfCurrentPage)
    : QObject(&window), window_(window), viewOfCurrentPage_(std::move(viewOfCurrentPage)) {
    window_.installEventFilter(this);
    watchNativeWindow();
}

void WheelScroller::FormMouseWheelDown() {
    scrollBy(kStep);
}

void WheelScroller::FormMouseWheelUp() {
    scrollBy(-kStep);
}

void WheelScroller::scrollBy(int pixels) {
    QAbstractScrollArea* view = viewOfCurrentPage_ ? viewOfCurrentPage_() : nullptr;
    if (!view) return;
    QScrollBar* bar = view->verticalScrollBar();
    bar->setValue(bar->value() + pixels); // the bar keeps it within its range
}

void WheelScroller::watchNativeWindow() {
    QWindow* native = window_.windowHandle();
    if (!native || native == watched_) return;
    if (watched_) watched_->removeEventFilter(this);
    native->installEventFilter(this);
    watched_ = native;
}

bool WheelScroller::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        // The native window exists from the first showing on.
        if (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange)
            watchNativeWindow();
        return false;
    }
    if (watched == watched_ && event->type() == QEvent::Wheel)
        return wheel(*static_cast<QWheelEvent*>(event));
    return QObject::eventFilter(watched, event);
}

bool WheelScroller::wheel(const QWheelEvent& event) {
    const QWidget* modal = QApplication::activeModalWidget();
    if ((modal && modal != &window_) || QApplication::activePopupWidget()) return false;
    const int delta = event.angleDelta().y();
    if (delta == 0) return false;
    const QWidget* under = window_.childAt(event.position().toPoint());
    // A spin box under the mouse takes the wheel for itself alone.
    for (const QWidget* w = under; w; w = w->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(w)) return false;
    QAbstractScrollArea* view = viewOfCurrentPage_ ? viewOfCurrentPage_() : nullptr;
    if (!view) return false;
    auto* chart = qobject_cast<lw::ChartView*>(view);
    const bool zooming = chart && (event.modifiers() & Qt::ControlModifier);
    if (zooming != zooming_) accumulated_ = 0; // a notch is either kind, not half of each
    zooming_ = zooming;

    // Whole notches only; a fine-grained wheel adds up until one is full.
    accumulated_ += delta;
    while (accumulated_ >= kNotch || accumulated_ <= -kNotch) {
        const bool up = accumulated_ > 0;
        accumulated_ += up ? -kNotch : kNotch;
        if (zooming)
            zoomAt(*chart, up, event.globalPosition().toPoint());
        else if (up)
            FormMouseWheelUp();
        else
            FormMouseWheelDown();
    }
    // Over the tab bar the wheel would switch pages: it ends here too.
    const bool overTabs = under && qobject_cast<const QTabBar*>(under);
    return zooming || overTabs || (under && (under == view || view->isAncestorOf(under)));
}

void WheelScroller::zoomAt(lw::ChartView& view, bool in, const QPoint& globalPos) {
    // Around the mouse when it is over the chart, else around the middle.
    const QPoint pos = view.viewport()->mapFromGlobal(globalPos);
    const lw::ChartZoom zoom = in ? view.zoom().stepIn() : view.zoom().stepOut();
    if (view.viewport()->rect().contains(pos))
        view.setZoom(zoom, pos);
    else
        view.setZoom(zoom);
}

} // namespace lw::app
