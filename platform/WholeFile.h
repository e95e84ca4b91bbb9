#pragma once
// Writing a file so that it is either complete or not there: the bytes go to
// a temporary file beside `path`, which replaces `path` only when every byte
// has reached the disk. A failed write leaves an existing file as it was.
#include <QByteArray>
#include <QString>

namespace lw {

bool writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace lw
