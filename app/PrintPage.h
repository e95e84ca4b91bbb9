#pragma once
// The page "Drucken": the Go! and printer set-up image buttons, the export
// button and the scrolling area that holds the print preview.
#include <QWidget>

class QAbstractButton;
class QScrollArea;

namespace lw::app {

class ImageButton;

class PrintPage : public QWidget {
    Q_OBJECT
  public:
    explicit PrintPage(QWidget* parent = nullptr);

    // Puts the print preview into PrintScrollBox; the page owns it from then
    // on.
    void setPreviewView(QWidget* view);
    QWidget* previewView() const;

    ImageButton* GoBtn1() const { return goBtn1_; }
    ImageButton* SetupBtn() const { return setupBtn_; }
    QAbstractButton* LeblaufBtn() const { return leblaufBtn_; }
    QScrollArea* PrintScrollBox() const { return printScrollBox_; }

  private:
    ImageButton* goBtn1_;
    ImageButton* setupBtn_;
    QAbstractButton* leblaufBtn_;
    QScrollArea* printScrollBox_;
};

} // namespace lw::app
