#include "app/widgets/ImageButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace lw::app {

ImageButton::ImageButton(const QPixmap& normal, const QPixmap& pressed, QWidget* parent)
    : QWidget(parent), normal_(normal), pressed_(pressed) {
    setFixedSize(normal_.size());
    setCursor(Qt::PointingHandCursor);
}

bool ImageButton::inside(const QPointF& pos) const {
    int x = int(std::floor(pos.x()));
    int y = int(std::floor(pos.y()));
    return x >= 0 && x < width() && y >= 0 && y < height();
}

void ImageButton::showPicture(bool pressed) {
    if (showsPressed_ == pressed) return;
    showsPressed_ = pressed;
    update();
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), showsPressed_ ? pressed_ : normal_);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    showPicture(true);
    held_ = true;
    if (event->button() == Qt::LeftButton) leftHeld_ = true;
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    if (!held_) return;
    showPicture(inside(event->position()));
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    bool click = event->button() == Qt::LeftButton && leftHeld_ && inside(event->position());
    showPicture(false);
    held_ = false;
    leftHeld_ = false;
    if (click) emit clicked();
}

} // namespace lw::app
