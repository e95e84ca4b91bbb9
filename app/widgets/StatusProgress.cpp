#include "app/widgets/StatusProgress.h"

#include <QPainter>
#include <QStatusBar>
#include <algorithm>
#include <cstdint>

namespace lw::app {

StatusProgress::StatusProgress(QStatusBar* bar) : QFrame(bar), bar_(bar) {
    setObjectName(QStringLiteral("ProgressPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFixedSize(250, 15);
    doneTimer_.setSingleShot(true);
    doneTimer_.setInterval(kDoneShownMs);
    connect(&doneTimer_, &QTimer::timeout, this, &StatusProgress::finished);
}

QSize StatusProgress::sizeHint() const {
    return {250, 15};
}

int StatusProgress::barRight(const QRect& panel, int percent) {
    // Wraps around like the 32-bit arithmetic the bar has always used.
    auto product = std::int32_t(std::uint32_t(panel.width()) * std::uint32_t(percent));
    return panel.left() + product / 100;
}

QString StatusProgress::text() const {
    if (!showsBar()) return {};
    if (percent_ >= 100) return QStringLiteral("Bild geladen");
    return QStringLiteral("Bild wird geladen … %1 %").arg(percent_);
}

void StatusProgress::SetProStatus(int percent) {
    shown_ = true;
    if (percent >= 100)
        doneTimer_.start();
    else
        doneTimer_.stop();
    if (percent < percent_) {
        percent_ = percent;
        bar_->repaint();
    } else {
        percent_ = percent;
        SBarPaintMore();
    }
}

void StatusProgress::finished() {
    shown_ = false;
    repaint();
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
    if (!showsBar()) return;
    int right = barRight(panel, percent_);
    if (right <= panel.left()) return;
    QPainter p(this);
    // A value above 100 never paints outside the panel.
    p.setClipRect(panel);
    const QRect done(panel.left(), panel.top(), right - panel.left(), panel.height());
    p.fillRect(done, QColor(0x00, 0x00, 0x80));
    // The text in white on the bar and in the window's text colour beside it;
    // small enough to leave the panel's top and bottom rows to the bar.
    QFont font = p.font();
    font.setPixelSize(std::max(6, panel.height() - 4));
    p.setFont(font);
    const QString t = text();
    p.setClipRect(done & panel);
    p.setPen(Qt::white);
    p.drawText(panel, Qt::AlignCenter, t);
    if (done.right() < panel.right()) {
        p.setClipRect(QRect(QPoint(done.right() + 1, panel.top()), panel.bottomRight()));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(panel, Qt::AlignCenter, t);
    }
}

} // namespace lw::app
