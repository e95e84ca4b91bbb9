#include "app/pages/ArrangePage.h"

#include "app/pages/PageFrame.h"
#include "app/widgets/FindBar.h"
#include "app/widgets/ZoomBar.h"
#include "chart/gui/ChartView.h"
#include "platform/Color.h"
#include "platform/DocText.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValidator>

namespace lw::app {
namespace {

QDoubleSpinBox* makeMarginEdit(const char* name, QWidget* parent) {
    auto* e = new QDoubleSpinBox(parent);
    e->setObjectName(QLatin1String(name));
    e->setRange(0.0, kMarginMax);
    e->setDecimals(2);
    e->setSingleStep(1.0);
    e->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    e->setKeyboardTracking(true);
    return e;
}

} // namespace

ArrangePage::ArrangePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ArrangePage"));
    auto* content = new QWidget(this);

    auto* area = new QPushButton(QStringLiteral("Größe der Fläche..."), content);
    area->setObjectName(QStringLiteral("AreaBtn"));
    areaBtn_ = area;
    autoArrangeBtn_ = new QPushButton(QStringLiteral("Automatisch anordnen"), content);
    autoArrangeBtn_->setObjectName(QStringLiteral("AutoArrangeBtn"));
    auto button = [content](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), content);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(QStringLiteral("Für die ausgewählte Person; auch im Menü eines Kästchens "
                                     "(Umschalttaste und rechte Maustaste)"));
        return b;
    };
    ancestorsBtn_ = button("Vorfahren anordnen...", "AncestorsBtn");
    descendantsBtn_ = button("Nachkommen anordnen...", "DescendantsBtn");
    hourglassBtn_ = button("Sanduhr anordnen...", "HourglassBtn");
    captionEd_ = new QLineEdit(QStringLiteral("Stammbaum der Familie X"), content);
    captionEd_->setObjectName(QStringLiteral("CaptionEd"));
    auto* font2 = new QPushButton(QStringLiteral("&Schriftart..."), content);
    font2->setObjectName(QStringLiteral("Font2Btn"));
    font2Btn_ = font2;
    randLEd_ = makeMarginEdit("RandLEd", content);
    randOEd_ = makeMarginEdit("RandOEd", content);
    randOED2_ = makeMarginEdit("RandOED2", content);
    lineStyleBox_ = new QComboBox(content);
    lineStyleBox_->setObjectName(QStringLiteral("LineStyleBox"));
    lineStyleBox_->addItems({QStringLiteral("Eltern"), QStringLiteral("Familienlinien")});

    auto* firstRow = new QHBoxLayout;
    firstRow->addWidget(areaBtn_);
    firstRow->addSpacing(8);
    firstRow->addWidget(new QLabel(QStringLiteral("Überschrift:"), content));
    firstRow->addWidget(captionEd_, 1);
    firstRow->addWidget(font2Btn_);
    zoomRow_ = firstRow;

    auto* secondRow = new QHBoxLayout;
    auto addMargin = [&](const QString& label, QDoubleSpinBox* edit) {
        secondRow->addWidget(new QLabel(label, content));
        secondRow->addWidget(edit);
        secondRow->addSpacing(8);
    };
    addMargin(QStringLiteral("Linker Rand in mm:"), randLEd_);
    addMargin(QStringLiteral("Oberer Rand in mm:"), randOEd_);
    addMargin(QStringLiteral("Oberer Rand für Überschrift in mm:"), randOED2_);
    secondRow->addStretch(1);

    // Until the chart view takes its place, an empty workspace.
    auto* placeholder = new QScrollArea(content);
    placeholder->setObjectName(QStringLiteral("ScrollBox1"));
    placeholder->setBackgroundRole(QPalette::Dark);
    QPalette pal = placeholder->palette();
    pal.setColor(QPalette::Dark, toQColor(0x8000000C)); // application workspace
    placeholder->setPalette(pal);
    scrollBox1_ = placeholder;

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(firstRow);
    layout->addLayout(secondRow);
    // The rows above have no width to spare in the smallest window.
    auto* arrangeRow = new QHBoxLayout;
    arrangeRow->addWidget(autoArrangeBtn_);
    arrangeRow->addSpacing(8);
    arrangeRow->addWidget(new QLabel(QStringLiteral("Linien:"), content));
    arrangeRow->addWidget(lineStyleBox_);
    arrangeRow->addStretch(1);
    layout->addLayout(arrangeRow);
    // The charts of one person stand in a row of their own, for the same reason.
    auto* focusRow = new QHBoxLayout;
    for (QAbstractButton* b : {ancestorsBtn_, descendantsBtn_, hourglassBtn_})
        focusRow->addWidget(b);
    focusRow->addStretch(1);
    layout->addLayout(focusRow);
    layout->addWidget(scrollBox1_, 1);
    findBar_ = new FindBar(content);
    layout->addWidget(findBar_);

    framePage(this,
              QStringLiteral("Personen anordnen - linke Maustaste: Person anordnen; rechte "
                             "Maustaste: Person bearbeiten"),
              QString(), content);
    showChartLayout(ChartLayout{});
}

void ArrangePage::setChartView(QAbstractScrollArea* view) {
    view->setObjectName(QStringLiteral("ScrollBox1"));
    view->viewport()->setObjectName(QStringLiteral("PaintBox1"));
    view->setPalette(scrollBox1_->palette());
    view->setBackgroundRole(QPalette::Dark);
    delete scrollBox1_->parentWidget()->layout()->replaceWidget(scrollBox1_, view);
    delete scrollBox1_;
    scrollBox1_ = chartView_ = view;
    if (auto* chart = qobject_cast<lw::ChartView*>(view)) zoomRow_->addWidget(new ZoomBar(*chart));
}

void ArrangePage::showLineStyle(LineStyle style) {
    QSignalBlocker blocker(lineStyleBox_);
    lineStyleBox_->setCurrentIndex(style == LineStyle::FamilyLines ? 1 : 0);
}

void ArrangePage::showChartLayout(const ChartLayout& chart) {
    QSignalBlocker b1(captionEd_), b2(randLEd_), b3(randOEd_), b4(randOED2_);
    showLineStyle(chart.lineStyle);
    captionEd_->setText(fromDocText(chart.Caption));
    randLEd_->setValue(chart.RandLEd);
    randOEd_->setValue(chart.RandOEd);
    randOED2_->setValue(chart.RandOED2);
}

} // namespace lw::app
