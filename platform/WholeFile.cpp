#include "platform/WholeFile.h"

#include <QSaveFile>

namespace lw {

bool writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // The explicit flush matters: a short write while the buffer is flushed
    // (disk full, size limit) does not make commit() fail by itself.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace lw
