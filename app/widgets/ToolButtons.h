#pragma once
// Small tool buttons of the window's bars, named for tests and tooltips.
#include <QString>
#include <QToolButton>

namespace lw::app {

inline QToolButton* makeToolButton(const QString& text, const QString& hint, const char* name,
                                   QWidget* parent, bool flat = false) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(flat);
    return b;
}

} // namespace lw::app
