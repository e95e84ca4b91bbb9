#pragma once
// The owner-drawn progress panel of the status bar: a navy bar from the left
// edge, as wide as the percentage of the panel.
#include <QFrame>
#include <QRect>

class QStatusBar;

namespace lw::app {

class StatusProgress : public QFrame {
    Q_OBJECT
  public:
    // `bar` is the status bar that holds the panel; a smaller percentage
    // repaints all of it.
    explicit StatusProgress(QStatusBar* bar);

    // A bar that grows is drawn over the old one; a smaller value repaints
    // the whole status bar first.
    void SetProStatus(int percent);

    int percent() const { return percent_; }
    // The panel rectangle of the last drawing (empty before the first).
    QRect panelRect() const { return panelRect_; }

    // The right edge (excluded) of the bar in `panel`: left + width * p / 100,
    // with the product taken in 32-bit integers and the division truncated.
    static int barRight(const QRect& panel, int percent);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drawBar(const QRect& panel);
    void SBarPaintMore();

    QStatusBar* bar_;
    int percent_ = 0;
    QRect panelRect_;
};

} // namespace lw::app
