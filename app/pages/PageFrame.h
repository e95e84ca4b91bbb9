#pragma once
// The parts every page of the main window shares: the header strip along its
// top and the decorative picture column on its left.
#include <QString>
#include <QWidget>

class QLabel;

namespace lw::app {

// 33 pixels high, a lowered outer and a raised inner bevel around the page's
// colour, holding one bold line of text.
class HeaderStrip : public QWidget {
  public:
    explicit HeaderStrip(const QString& text, QWidget* parent = nullptr);
    QString text() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QLabel* label_;
};

// 209 pixels wide in the column colour, the picture in a lowered frame.
QWidget* makeSideColumn(const QString& pictureResource, QWidget* parent = nullptr);

// Lays out `page`: the header strip on top; below it `content`, with the
// picture column on its left when `sidePicture` names one.
void framePage(QWidget* page, const QString& header, const QString& sidePicture, QWidget* content);

// Colours of the page frames.
inline constexpr unsigned kHeaderColor = 0xF0CAA6; // RGB
inline constexpr unsigned kColumnColor = 0xC0DCC0; // RGB

} // namespace lw::app
