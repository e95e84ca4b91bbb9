#include "app/widgets/FindBar.h"

#include "app/widgets/ToolButtons.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace lw::app {

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FindBar"));
    auto* label = new QLabel(QStringLiteral("&Suchen:"), this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("SearchEd"));
    field_->setClearButtonEnabled(true);
    field_->setPlaceholderText(QStringLiteral("Name oder Datum"));
    label->setBuddy(field_);
    QToolButton* previous =
        makeToolButton(QStringLiteral("Zurück"), QStringLiteral("Vorheriger Treffer (Umschalt+F3)"),
                       "SearchPreviousBtn", this, true);
    QToolButton* next =
        makeToolButton(QStringLiteral("Weiter"), QStringLiteral("Nächster Treffer (Eingabe, F3)"),
                       "SearchNextBtn", this, true);
    QToolButton* close = makeToolButton(
        QStringLiteral("×"), QStringLiteral("Suche schließen (Esc)"), "SearchCloseBtn", this, true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("SearchStatus"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 0);
    row->addWidget(label);
    row->addWidget(field_, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(status_);
    row->addWidget(close);

    connect(field_, &QLineEdit::textChanged, this, &FindBar::textChanged);
    connect(field_, &QLineEdit::returnPressed, this, &FindBar::nextRequested);
    connect(next, &QToolButton::clicked, this, &FindBar::nextRequested);
    connect(previous, &QToolButton::clicked, this, &FindBar::previousRequested);
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit closed();
    });
    hide();
}

void FindBar::open() {
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void FindBar::showFound(bool found) {
    status_->setText(
        found || field_->text().trimmed().isEmpty() ? QString() : QStringLiteral("Nicht gefunden"));
    field_->setStyleSheet(found || field_->text().trimmed().isEmpty()
                              ? QString()
                              : QStringLiteral("QLineEdit { background: #ffd6d6; }"));
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        emit closed();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace lw::app
