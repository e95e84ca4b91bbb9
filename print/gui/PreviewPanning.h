#pragma once
// Dragging the print preview with any mouse button.
//
// The mouse positions are pixels of the scrolled chart surface, not of the
// window: while the surface scrolls under a still mouse, the position
// changes with it. On a press the position is kept as (X0, Y0); each move
// while pressed scrolls to
//     h = horizontal position + (X0 − X),  v = vertical position + (Y0 − Y),
// so that the chart follows the mouse. Each is held to 0 … range − 1 on its
// own, the range being the scroll bar's number of positions: a Qt scroll bar
// runs from 0 to its maximum, so range − 1 is that maximum. The horizontal
// position is set before the vertical one.
#include <QObject>
#include <cstdint>

class QScrollBar;

namespace lw {

class ChartView;

class PreviewPanning : public QObject {
    Q_OBJECT
  public:
    // Follows the mouse on `view`, whose child it becomes.
    explicit PreviewPanning(ChartView& view);

    bool pressed() const { return pressed_; }

    void PrintPaintBoxMouseDown(std::int64_t X, std::int64_t Y);
    void PrintPaintBoxMouseMove(std::int64_t X, std::int64_t Y);
    void PrintPaintBoxMouseUp();

  private:
    ChartView& view_;
    bool pressed_ = false;
    std::int64_t X0_ = 0;
    std::int64_t Y0_ = 0;
};

} // namespace lw
