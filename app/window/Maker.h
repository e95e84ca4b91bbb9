#pragma once
// Who makes the program and where to find them.
#include <QString>
#include <QUrl>

namespace lw::app {

inline QString makerWebAddress() {
    return QStringLiteral("www.morvane.de");
}
inline QUrl makerUrl() {
    return QUrl(QStringLiteral("https://www.morvane.de"));
}

} // namespace lw::app
