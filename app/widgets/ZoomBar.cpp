#include "app/widgets/ZoomBar.h"

#include "app/widgets/ToolButtons.h"

#include "chart/gui/ChartView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>

namespace lw::app {

namespace {

QString percentText(int percent) {
    return QStringLiteral("%1 %").arg(percent);
}

} // namespace

ZoomBar::ZoomBar(ChartView& view, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ZoomBar"));
    QToolButton* out = makeToolButton(QStringLiteral("−"), QStringLiteral("Verkleinern (Strg+-)"),
                                      "ZoomOutBtn", this);
    QToolButton* in = makeToolButton(QStringLiteral("+"), QStringLiteral("Vergrößern (Strg++)"),
                                     "ZoomInBtn", this);
    QToolButton* fit = makeToolButton(
        QStringLiteral("Ganze Fläche"),
        QStringLiteral("Überschrift und alle angeordneten Personen zeigen"), "ZoomFitBtn", this);
    percent_ = new QLabel(percentText(view.zoom().percent()), this);
    percent_->setObjectName(QStringLiteral("ZoomLabel"));
    percent_->setToolTip(QStringLiteral("Zoom (Strg+0: 100 %)"));
    percent_->setAlignment(Qt::AlignCenter);
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("400 %")) +
                              8);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(out);
    row->addWidget(percent_);
    row->addWidget(in);
    row->addWidget(fit);

    ChartView* v = &view;
    connect(out, &QToolButton::clicked, v, &ChartView::zoomOut);
    connect(in, &QToolButton::clicked, v, &ChartView::zoomIn);
    connect(fit, &QToolButton::clicked, v, &ChartView::zoomToFit);
    connect(v, &ChartView::zoomChanged, percent_,
            [this](int percent) { percent_->setText(percentText(percent)); });
}

void installZoomShortcuts(QWidget& window, std::function<ChartView*()> currentView) {
    auto bind = [&window, currentView](const QList<QKeySequence>& keys,
                                       void (ChartView::*action)()) {
        for (const QKeySequence& key : keys) {
            auto* s = new QShortcut(key, &window);
            QObject::connect(s, &QShortcut::activated, &window, [currentView, action] {
                if (ChartView* view = currentView()) (view->*action)();
            });
        }
    };
    bind({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
          QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))},
         &ChartView::zoomIn);
    bind({QKeySequence(Qt::CTRL | Qt::Key_Minus),
          QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus))},
         &ChartView::zoomOut);
    bind({QKeySequence(Qt::CTRL | Qt::Key_0)}, &ChartView::zoomReset);
}

} // namespace lw::app
