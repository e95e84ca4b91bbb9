#pragma once
// The page "Personen anordnen": the heading and margin fields and the
// scrolling area that holds the arrange view of the chart.
#include "document/Layout.h"

#include <QWidget>

class QAbstractButton;
class QDoubleSpinBox;
class QLineEdit;
class QScrollArea;

namespace lw::app {

class ArrangePage : public QWidget {
    Q_OBJECT
  public:
    explicit ArrangePage(QWidget* parent = nullptr);

    // Puts the chart view into ScrollBox1; the page owns it from then on.
    void setChartView(QWidget* view);
    QWidget* chartView() const;

    // Shows the heading and margins of the document without reporting them
    // back as edits.
    void showChartLayout(const ChartLayout& chart);

    QAbstractButton* AreaBtn() const { return areaBtn_; }
    QLineEdit* CaptionEd() const { return captionEd_; }
    QAbstractButton* Font2Btn() const { return font2Btn_; }
    QDoubleSpinBox* RandLEd() const { return randLEd_; }
    QDoubleSpinBox* RandOEd() const { return randOEd_; }
    QDoubleSpinBox* RandOED2() const { return randOED2_; }
    QScrollArea* ScrollBox1() const { return scrollBox1_; }

  private:
    QAbstractButton* areaBtn_;
    QLineEdit* captionEd_;
    QAbstractButton* font2Btn_;
    QDoubleSpinBox* randLEd_;
    QDoubleSpinBox* randOEd_;
    QDoubleSpinBox* randOED2_;
    QScrollArea* scrollBox1_;
};

} // namespace lw::app
