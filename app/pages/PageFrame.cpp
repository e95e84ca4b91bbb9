#include "app/pages/PageFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <qdrawutil.h>

namespace lw::app {

HeaderStrip::HeaderStrip(const QString& text, QWidget* parent)
    : QWidget(parent), label_(new QLabel(text, this)) {
    setObjectName(QStringLiteral("HeaderStrip"));
    setFixedHeight(33);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QFont bold = label_->font();
    bold.setBold(true);
    label_->setFont(bold);
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->addWidget(label_);
}

QString HeaderStrip::text() const {
    return label_->text();
}

void HeaderStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QBrush fill{QColor::fromRgb(kHeaderColor)};
    qDrawShadePanel(&p, rect(), palette(), true, 1);
    qDrawShadePanel(&p, rect().adjusted(1, 1, -1, -1), palette(), false, 1, &fill);
}

QWidget* makeSideColumn(const QString& pictureResource, QWidget* parent) {
    auto* column = new QWidget(parent);
    column->setObjectName(QStringLiteral("SideColumn"));
    column->setFixedWidth(209);
    column->setAutoFillBackground(true);
    QPalette pal = column->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(kColumnColor));
    column->setPalette(pal);

    auto* picture = new QLabel(column);
    picture->setObjectName(QStringLiteral("SidePicture"));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(1);
    picture->setPixmap(QPixmap(pictureResource));
    picture->setFixedSize(picture->pixmap().size() + QSize(2, 2));

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 7, 0, 7);
    layout->addWidget(picture, 0, Qt::AlignHCenter | Qt::AlignTop);
    layout->addStretch(1);
    return column;
}

void framePage(QWidget* page, const QString& header, const QString& sidePicture, QWidget* content) {
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(new HeaderStrip(header, page));
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    if (!sidePicture.isEmpty()) body->addWidget(makeSideColumn(sidePicture, page));
    body->addWidget(content, 1);
    outer->addLayout(body, 1);
}

} // namespace lw::app
