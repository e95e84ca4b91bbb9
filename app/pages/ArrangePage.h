#pragma once
// The page "Personen anordnen": the heading and margin fields and the
// scrolling area that holds the arrange view of the chart.
#include "document/Layout.h"

#include <QWidget>

class QAbstractButton;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QAbstractScrollArea;
class QHBoxLayout;

namespace lw::app {

class FindBar;

class ArrangePage : public QWidget {
    Q_OBJECT
  public:
    explicit ArrangePage(QWidget* parent = nullptr);

    // The chart view scrolls itself: it takes the place of ScrollBox1 (and
    // its name); the page owns it from then on. A chart view gets its zoom
    // controls after the heading (whose field gives way, so the window's
    // smallest width stays as it was).
    void setChartView(QAbstractScrollArea* view);
    QAbstractScrollArea* chartView() const { return chartView_; }

    // Shows the heading and margins of the document without reporting them
    // back as edits.
    void showChartLayout(const ChartLayout& chart);
    // Shows the line style alone without reporting a choice.
    void showLineStyle(LineStyle style);

    QAbstractButton* AreaBtn() const { return areaBtn_; }
    QAbstractButton* AutoArrangeBtn() const { return autoArrangeBtn_; }
    // The charts of the selected person: "Vorfahren anordnen...",
    // "Nachkommen anordnen...", "Sanduhr anordnen...".
    QAbstractButton* AncestorsBtn() const { return ancestorsBtn_; }
    QAbstractButton* DescendantsBtn() const { return descendantsBtn_; }
    QAbstractButton* HourglassBtn() const { return hourglassBtn_; }
    QLineEdit* CaptionEd() const { return captionEd_; }
    QAbstractButton* Font2Btn() const { return font2Btn_; }
    QDoubleSpinBox* RandLEd() const { return randLEd_; }
    QDoubleSpinBox* RandOEd() const { return randOEd_; }
    QDoubleSpinBox* RandOED2() const { return randOED2_; }
    // The line style: 0 lines to the parents, 1 family lines.
    QComboBox* LineStyleBox() const { return lineStyleBox_; }
    QAbstractScrollArea* ScrollBox1() const { return scrollBox1_; }
    // The search field below the chart (hidden until opened).
    FindBar* findBar() const { return findBar_; }

  private:
    QAbstractButton* areaBtn_;
    QAbstractButton* autoArrangeBtn_;
    QAbstractButton* ancestorsBtn_;
    QAbstractButton* descendantsBtn_;
    QAbstractButton* hourglassBtn_;
    QLineEdit* captionEd_;
    QAbstractButton* font2Btn_;
    QDoubleSpinBox* randLEd_;
    QDoubleSpinBox* randOEd_;
    QDoubleSpinBox* randOED2_;
    QComboBox* lineStyleBox_;
    QAbstractScrollArea* scrollBox1_;
    QAbstractScrollArea* chartView_ = nullptr;
    QHBoxLayout* zoomRow_;
    FindBar* findBar_;
};

} // namespace lw::app
