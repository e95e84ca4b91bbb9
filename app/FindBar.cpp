#include "app/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace lw::app {

namespace {

QToolButton* makeButton(const QString& text, const QString& hint, const char* name,
                        QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    return b;
}

} // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FindBar"));
    auto* label = new QLabel(QStringLiteral("&Suchen:"), this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("SearchEd"));
    field_->setClearButtonEnabled(true);
    field_->setPlaceholderText(QStringLiteral("Name oder Datum"));
    label->setBuddy(field_);
    QToolButton* previous =
        makeButton(QStringLiteral("Zurück"), QStringLiteral("Vorheriger Treffer (Umschalt+F3)"),
                   "SearchPreviousBtn", this);
    QToolButton* next =
        makeButton(QStringLiteral("Weiter"), QStringLiteral("Nächster Treffer (Eingabe, F3)"),
                   "SearchNextBtn", this);
    QToolButton* close = makeButton(QStringLiteral("×"), QStringLiteral("Suche schließen (Esc)"),
                                    "SearchCloseBtn", this);
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
