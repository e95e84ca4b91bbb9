// The QPainter canvas on a widget that sits inside a window.
#include "platform/QPainterCanvas.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

using namespace lw;

namespace {

// Draws a thin vertical line through its whole height at x = 10.
class LineWidget : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QPainterCanvas canvas(painter, DeviceCaps{});
        canvas.setPen(clBlack);
        canvas.moveTo(10, 0);
        canvas.lineTo(10, height());
    }
};

} // namespace

TEST(QPainterCanvasOnWidget, ThinLinesReachTheBottomOfAWidgetLowInItsWindow) {
    QWidget window;
    window.resize(300, 300);
    QPalette white;
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
    window.setAutoFillBackground(true);
    auto* child = new LineWidget(&window);
    child->setGeometry(0, 200, 300, 100);

    const QImage shot = window.grab().toImage();
    for (int y : {200, 250, 299})
        EXPECT_EQ(shot.pixelColor(10, y), QColor(Qt::black)) << "window row " << y;
    EXPECT_EQ(shot.pixelColor(11, 250), QColor(Qt::white));
}
