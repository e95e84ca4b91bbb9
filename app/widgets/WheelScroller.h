#pragma once
// The mouse wheel on the main window: wherever the mouse is over the window,
// each notch of the wheel scrolls the view of the current page by 20 pixels
// (down for a notch towards the user, up for one away), when that page has
// a view; on the other pages the wheel does nothing here.
//
// The wheel is watched on the window's native window, so every wheel event
// is seen exactly once, before any widget gets it. An event over the view
// itself ends there: the view does not scroll a second time by its own
// wheel handling, so a notch moves it by exactly 20 pixels. Over the tab bar
// it ends there as well (the wheel does not switch pages). Over a spin box
// the wheel belongs to the spin box alone: the view does not scroll. Over
// any other widget the event goes on as usual. With Ctrl held, each notch
// zooms a chart view one step instead, around the mouse when it is over the
// chart. Horizontal wheel movement is left to the widgets; while a modal
// dialog or a popup is open the window gets no wheel at all.
#include <QObject>
#include <QPointer>
#include <functional>

class QAbstractScrollArea;
class QPoint;
class QWheelEvent;
class QWidget;
class QWindow;

namespace lw {
class ChartView;
}

namespace lw::app {

class WheelScroller : public QObject {
    Q_OBJECT
  public:
    static constexpr int kStep = 20;   // pixels per notch
    static constexpr int kNotch = 120; // wheel delta of one notch

    // `viewOfCurrentPage` gives the view to scroll, or null on pages without one.
    WheelScroller(QWidget& window, std::function<QAbstractScrollArea*()> viewOfCurrentPage);

    // FormMouseWheelDown and FormMouseWheelUp: one notch on the current page.
    void FormMouseWheelDown();
    void FormMouseWheelUp();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void watchNativeWindow();
    // True when the event was used up by the view under the mouse.
    bool wheel(const QWheelEvent& event);
    void scrollBy(int pixels);
    void zoomAt(lw::ChartView& view, bool in, const QPoint& globalPos);

    QWidget& window_;
    std::function<QAbstractScrollArea*()> viewOfCurrentPage_;
    QPointer<QWindow> watched_;
    int accumulated_ = 0;  // wheel delta not yet used up by whole notches
    bool zooming_ = false; // whether the accumulated delta zooms
};

} // namespace lw::app
