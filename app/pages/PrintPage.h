#pragma once
// The page "Drucken": the Go! and printer set-up image buttons, the export
// button and the scrolling area that holds the print preview.
#include <QWidget>

class QAbstractButton;
class QAbstractScrollArea;
class QLabel;
class QVBoxLayout;

namespace lw::app {

class ImageButton;

class PrintPage : public QWidget {
    Q_OBJECT
  public:
    explicit PrintPage(QWidget* parent = nullptr);

    // The preview scrolls itself: it takes the place of PrintScrollBox (and
    // its name); the page owns it from then on. A chart view gets its zoom
    // controls under the export button.
    void setPreviewView(QAbstractScrollArea* view);
    QAbstractScrollArea* previewView() const { return previewView_; }

    ImageButton* GoBtn1() const { return goBtn1_; }
    ImageButton* SetupBtn() const { return setupBtn_; }
    QAbstractButton* LeblaufBtn() const { return leblaufBtn_; }
    // "Als Poster exportieren...", and the sheets the print will take.
    QAbstractButton* PosterBtn() const { return posterBtn_; }
    QLabel* SheetInfo() const { return sheetInfo_; }
    QAbstractScrollArea* PrintScrollBox() const { return printScrollBox_; }

  private:
    ImageButton* goBtn1_;
    ImageButton* setupBtn_;
    QAbstractButton* leblaufBtn_;
    QAbstractButton* posterBtn_;
    QLabel* sheetInfo_;
    QAbstractScrollArea* printScrollBox_;
    QAbstractScrollArea* previewView_ = nullptr;
    QVBoxLayout* tools_;
};

} // namespace lw::app
