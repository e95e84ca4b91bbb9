#pragma once
// The owner-drawn progress panel of the status bar: a navy bar from the left
// edge, as wide as the percentage of the panel, with what is going on and
// the percentage written over it. A bar that reached 100 % shows
// "Bild geladen" for a moment (kDoneShownMs), then the panel is empty again.
#include <QFrame>
#include <QRect>
#include <QTimer>

class QStatusBar;

namespace lw::app {

class StatusProgress : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kDoneShownMs = 1500;

    // `bar` is the status bar that holds the panel; a smaller percentage
    // repaints all of it.
    explicit StatusProgress(QStatusBar* bar);

    // A bar that grows is drawn over the old one; a smaller value repaints
    // the whole status bar first.
    void SetProStatus(int percent);

    // The last percentage reported.
    int percent() const { return percent_; }
    // Whether the panel shows a bar and its text (not after 0, nor once the
    // finished bar has gone).
    bool showsBar() const { return shown_ && percent_ > 0; }
    // The text over the bar ("" when it shows none).
    QString text() const;
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
    void finished();

    QStatusBar* bar_;
    int percent_ = 0;
    bool shown_ = true;
    QRect panelRect_;
    QTimer doneTimer_;
};

} // namespace lw::app
