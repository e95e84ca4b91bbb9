#include "app/StatusProgress.h"

#include <QPainter>
#include <QStatusBar>
#include <cstdint>

namespace lw::app {

StatusProgress::StatusProgress(QStatusBar* bar) : QFrame(bar), bar_(bar) {
    setObjectName(QStringLiteral("ProgressPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFixedSize(250, 15);
}

QSize StatusProgress::sizeHint() const {
    return {250, 15};
}

int StatusProgress::barRight(const QRect& panel, int percent) {
    // Wraps around like the 32-bit arithmetic the bar has always used.
    auto product = std::int32_t(std::uint32_t(panel.width()) * std::uint32_t(percent));
    return panel.left() + product / 100;
}

void StatusProgress::SetProStatus(int percent) {
    if (percent < percent_) {
        percent_ = percent;
        bar_->repaint();
    } else {
        percent_ = percent;
        SBarPaintMore();
    }
}

void StatusProgress::SBarPaintMore() {
    // The bar only grows, so drawing it over the old one is enough.
    repaint(panelRect_.isNull() ? contentsRect() : panelRect_);
}

void StatusProgress::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QRect panel = contentsRect();
    drawBar(panel);
    panelRect_ = panel;
}

void StatusProgress::drawBar(const QRect& panel) {
    int right = barRight(panel, percent_);
    if (right <= panel.left()) return;
    QPainter p(this);
    // A value above 100 never paints outside the panel.
    p.setClipRect(panel);
    p.fillRect(QRect(panel.left(), panel.top(), right - panel.left(), panel.height()),
               QColor(0x00, 0x00, 0x80));
}

} // namespace lw::app
