#include "app/PrintPage.h"

#include "app/ImageButton.h"
#include "app/PageFrame.h"

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
    goBtn1_->setToolTip(QStringLiteral("Startet den Druckvorgang!"));
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

    // Until the preview takes its place, an empty scroll area.
    printScrollBox_ = new QScrollArea(content);
    printScrollBox_->setObjectName(QStringLiteral("PrintScrollBox"));

    auto* tools = new QHBoxLayout;
    tools->addWidget(goBtn1_);
    tools->addWidget(setupBtn_);
    tools->addSpacing(12);
    tools->addWidget(leblaufBtn_, 0, Qt::AlignVCenter);
    tools->addWidget(posterBtn_, 0, Qt::AlignVCenter);
    tools->addSpacing(12);
    tools->addWidget(sheetInfo_, 0, Qt::AlignVCenter);
    tools->addStretch(1);

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
}

} // namespace lw::app
