#include "app/pages/PrintPage.h"

#include "app/pages/PageFrame.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/ZoomBar.h"
#include "chart/gui/ChartView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace lw::app {

PrintPage::PrintPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PrintPage"));
    auto* content = new QWidget(this);

    goBtn1_ = new ImageButton(QPixmap(QStringLiteral(":/images/go_up.png")),
                              QPixmap(QStringLiteral(":/images/go_down.png")), content);
    goBtn1_->setObjectName(QStringLiteral("GoBtn1"));
    goBtn1_->setToolTip(QStringLiteral("Startet den Druckvorgang! (Strg+P)"));
    setupBtn_ = new ImageButton(QPixmap(QStringLiteral(":/images/setup_up.png")),
                                QPixmap(QStringLiteral(":/images/setup_down.png")), content);
    setupBtn_->setObjectName(QStringLiteral("SetupBtn"));
    setupBtn_->setToolTip(QStringLiteral("Klicken Sie hier, um einen anderen Drucker oder ein "
                                         "anderes Papierformat zu wählen"));
    auto* leblauf = new QPushButton(QStringLiteral("Lebensläufe exportieren..."), content);
    leblauf->setObjectName(QStringLiteral("LeblaufBtn"));
    leblaufBtn_ = leblauf;
    auto* poster = new QPushButton(QStringLiteral("Als Poster exportieren..."), content);
    poster->setObjectName(QStringLiteral("PosterBtn"));
    posterBtn_ = poster;
    sheetInfo_ = new QLabel(content);
    sheetInfo_->setObjectName(QStringLiteral("SheetInfo"));
    // The count takes the room that is left; it never widens the window.
    sheetInfo_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    sheetInfo_->setMinimumWidth(0);

    // Until the preview takes its place, an empty scroll area.
    printScrollBox_ = new QScrollArea(content);
    printScrollBox_->setObjectName(QStringLiteral("PrintScrollBox"));

    auto* tools = new QHBoxLayout;
    tools->addWidget(goBtn1_);
    tools->addWidget(setupBtn_);
    tools->addSpacing(12);
    // The export buttons, with the zoom controls under them once the
    // preview is there: beside the tall image buttons they cost no width.
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addStretch(1);
    column->addWidget(leblaufBtn_, 0, Qt::AlignLeft);
    column->addWidget(posterBtn_, 0, Qt::AlignLeft);
    column->addStretch(1);
    tools->addLayout(column);
    tools->addSpacing(12);
    tools->addWidget(sheetInfo_, 1, Qt::AlignVCenter);
    tools_ = column;

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(tools);
    layout->addWidget(printScrollBox_, 1);

    framePage(this,
              QStringLiteral("Drucken - Ergebnis in der Vorschau betrachten und Druckvorgang mit "
                             "\"Go!\" starten"),
              QStringLiteral(":/images/side_print.png"), content);
}

void PrintPage::setPreviewView(QAbstractScrollArea* view) {
    view->setObjectName(QStringLiteral("PrintScrollBox"));
    view->viewport()->setObjectName(QStringLiteral("PrintPaintBox"));
    view->viewport()->setCursor(Qt::PointingHandCursor);
    delete printScrollBox_->parentWidget()->layout()->replaceWidget(printScrollBox_, view);
    delete printScrollBox_;
    printScrollBox_ = previewView_ = view;
    if (auto* chart = qobject_cast<lw::ChartView*>(view))
        tools_->insertWidget(3, new ZoomBar(*chart), 0, Qt::AlignLeft);
}

} // namespace lw::app
