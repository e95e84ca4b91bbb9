#pragma once
// The zoom controls of a chart view: "−", the zoom in percent, "+" and
// "Ganze Fläche"; and the window's zoom keys Ctrl++, Ctrl+- and Ctrl+0,
// which act on the view of the current page.
#include <QWidget>
#include <functional>

class QLabel;

namespace lw {
class ChartView;
}

namespace lw::app {

class ZoomBar : public QWidget {
    Q_OBJECT
  public:
    explicit ZoomBar(ChartView& view, QWidget* parent = nullptr);
    QLabel* percentLabel() const { return percent_; }

  private:
    QLabel* percent_;
};

// Ctrl++ (also Ctrl+= for keyboards with + on a shifted key), Ctrl+- and
// Ctrl+0 on `window`, for the view `currentView` gives (null: none).
void installZoomShortcuts(QWidget& window, std::function<ChartView*()> currentView);

} // namespace lw::app
