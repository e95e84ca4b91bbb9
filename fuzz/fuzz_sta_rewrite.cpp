// Rewriting a family tree file without building its document: for any
// bytes it either leaves the file to the whole reader and writes nothing,
// or gives what reading the whole tree and saving it gives (the same bytes,
// or a refusal where the reader refuses too).
#include "document/StaFile.h"
#include "document/StaRewrite.h"
#include "fuzz/FuzzCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

using namespace lw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QString in = dir.filePath(QStringLiteral("ein.sta"));
    const QString out = dir.filePath(QStringLiteral("aus.sta"));
    QFile::remove(out);
    {
        QFile file(in);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }
    const StaRewriteResult rewritten = rewriteSta(in, out, BoxLayout{});
    if (!rewritten.handled) {
        FUZZ_CHECK(!QFile::exists(out));
        return 0;
    }
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const StaReadResult whole = parseSta(bytes, BoxLayout{});
    if (!rewritten.error.isEmpty()) {
        FUZZ_CHECK(!whole.file.has_value());
        return 0;
    }
    FUZZ_CHECK(whole.file.has_value());
    QFile file(out);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    FUZZ_CHECK(file.readAll() == serializeSta(whole.file->doc, whole.file->box));
    return 0;
}
