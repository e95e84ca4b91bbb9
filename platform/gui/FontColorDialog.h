#pragma once
// The toolkit's font dialog with the font colour beside the effects: box
// texts and headings are drawn in their font's colour, so it is chosen
// where the font is.
#include <QColor>
#include <QFontDialog>
#include <functional>

class QPushButton;

namespace lw {

class FontColorDialog : public QFontDialog {
    Q_OBJECT
  public:
    // Asks for a colour, starting from the one given; an invalid colour
    // means Cancel.
    using ColorPicker = std::function<QColor(const QColor&, QWidget* parent)>;

    FontColorDialog(const QFont& font, const QColor& color, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);
    QPushButton* colorButton() const { return colorButton_; }
    // Tests play the colour dialog.
    void setColorPicker(ColorPicker picker) { picker_ = std::move(picker); }

  private:
    void pickColor();

    QColor color_;
    QPushButton* colorButton_ = nullptr;
    ColorPicker picker_;
};

} // namespace lw
