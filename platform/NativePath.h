#pragma once
// File names as the system keeps them: bytes, normally UTF-8. A name whose
// bytes are not valid UTF-8 still has to reach the file it names, so such a
// byte travels inside a QString as the unpaired surrogate U+DC80 + (byte -
// 0x80) and turns back into the same byte on the way out. Names that are valid
// UTF-8 convert exactly as Qt converts them.
#include <QByteArray>
#include <QString>

namespace lw {

QString pathFromNative(const QByteArray& bytes);
QByteArray nativePath(const QString& path);

} // namespace lw
