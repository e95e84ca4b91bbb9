#include "app/WheelScroller.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
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
    QAbstractScrollArea* view = viewOfCurrentPage_ ? viewOfCurrentPage_() : nullptr;
    if (!view) return false;

    // Whole notches only; a fine-grained wheel adds up until one is full.
    accumulated_ += delta;
    while (accumulated_ >= kNotch || accumulated_ <= -kNotch) {
        if (accumulated_ > 0) {
            accumulated_ -= kNotch;
            FormMouseWheelUp();
        } else {
            accumulated_ += kNotch;
            FormMouseWheelDown();
        }
    }
    const QWidget* under = window_.childAt(event.position().toPoint());
    return under && (under == view || view->isAncestorOf(under));
}

} // namespace lw::app
