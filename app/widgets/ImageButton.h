#pragma once
// A button made of two pictures of equal size: the normal one, and the
// pressed one that is shown while the mouse button is held on it.
//
// Pressing any mouse button shows the pressed picture. While the button is
// held, dragging the pointer off the picture shows the normal one again and
// dragging back shows the pressed one. Releasing restores the normal
// picture; only a left-button release inside the picture is a click.
#include <QPixmap>
#include <QWidget>

namespace lw::app {

class ImageButton : public QWidget {
    Q_OBJECT
  public:
    ImageButton(const QPixmap& normal, const QPixmap& pressed, QWidget* parent = nullptr);

    // The pressed picture is the one on screen.
    bool showsPressed() const { return showsPressed_; }
    // A mouse button went down on the button and has not been released.
    bool isHeld() const { return held_; }

    QSize sizeHint() const override { return normal_.size(); }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool inside(const QPointF& pos) const;
    void showPicture(bool pressed);

    QPixmap normal_;
    QPixmap pressed_;
    bool showsPressed_ = false;
    bool held_ = false;
    bool leftHeld_ = false;
};

} // namespace lw::app
