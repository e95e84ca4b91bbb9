#pragma once
// The About window: picture, program name, a notice and a few words about the
// maker, with a button to the maker's web page.
#include <QDialog>
#include <functional>

class QAbstractButton;
class QLabel;

namespace lw {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    // `openWebsite` opens the maker's web page.
    explicit TAboutBox(std::function<void()> openWebsite, QWidget* parent = nullptr);

    QAbstractButton* webButton() const { return webButton_; }
    QAbstractButton* okButton() const { return okButton_; }
    QLabel* picture() const { return picture_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::function<void()> openWebsite_;
    QAbstractButton* webButton_;
    QAbstractButton* okButton_;
    QLabel* picture_;
};

} // namespace lw
