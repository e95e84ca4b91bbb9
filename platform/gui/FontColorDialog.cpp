#include "platform/gui/FontColorDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace lw {
namespace {

// The group of the dialog that holds the effect check boxes.
QGroupBox* effectsGroup(QFontDialog& dialog) {
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
        if (!group->findChildren<QCheckBox*>().isEmpty()) return group;
    return nullptr;
}

QIcon swatch(const QColor& color) {
    QPixmap pixmap(32, 14);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

FontColorDialog::FontColorDialog(const QFont& font, const QColor& color, QWidget* parent)
    : QFontDialog(font, parent), color_(color) {
    setOption(QFontDialog::DontUseNativeDialog);
    picker_ = [](const QColor& start, QWidget* owner) {
        return QColorDialog::getColor(start, owner, QStringLiteral("Schriftfarbe"));
    };

    auto* row = new QWidget(this);
    row->setObjectName(QStringLiteral("FontColorRow"));
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    colorButton_ = new QPushButton(QStringLiteral("Ändern..."), row);
    colorButton_->setObjectName(QStringLiteral("FontColorBtn"));
    colorButton_->setIconSize(QSize(32, 14));
    auto* label = new QLabel(QStringLiteral("&Farbe:"), row);
    label->setBuddy(colorButton_);
    line->addWidget(label);
    line->addWidget(colorButton_);
    line->addStretch(1);
    connect(colorButton_, &QPushButton::clicked, this, &FontColorDialog::pickColor);

    if (QGroupBox* effects = effectsGroup(*this); effects && effects->layout()) {
        effects->layout()->addWidget(row);
    } else if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        grid->addWidget(row, grid->rowCount(), 0, 1, grid->columnCount());
    } else if (layout()) {
        layout()->addWidget(row);
    }
    setColor(color);
}

void FontColorDialog::setColor(const QColor& color) {
    color_ = color;
    colorButton_->setIcon(swatch(color));
}

void FontColorDialog::pickColor() {
    const QColor chosen = picker_ ? picker_(color_, this) : QColor();
    if (chosen.isValid()) setColor(chosen);
}

} // namespace lw
