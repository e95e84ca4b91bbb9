#include "picture/ThumbnailStore.h"

#include "picture/PictureDecode.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <vector>

namespace lw {

namespace {

constexpr quint32 kMagic = 0x4C575442; // "LWTB"
constexpr quint32 kVersion = 1;

void writeRequest(QDataStream& out, const PictureRequest& r) {
    out << r.path << qint64(r.need.areaWidth) << qint64(r.need.areaHeight)
        << qint32(r.need.devicePpi);
}

PictureRequest readRequest(QDataStream& in) {
    PictureRequest r;
    qint64 w = 0, h = 0;
    qint32 ppi = 0;
    in >> r.path >> w >> h >> ppi;
    r.need = {w, h, ppi};
    return r;
}

bool supportedDepth(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
}

} // namespace

QString ThumbnailStore::defaultFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/pictures");
}

QString ThumbnailStore::fileFor(const PictureRequest& request) const {
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    writeRequest(out, request);
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return folder_ + QLatin1Char('/') + QString::fromLatin1(hash) + QStringLiteral(".lwb");
}

PictureRef ThumbnailStore::read(const PictureRequest& request, const FileStamp& stamp) const {
    if (folder_.isEmpty()) return {};
    QFile file(fileFor(request));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QDataStream in(&file);
    quint32 magic = 0, version = 0;
    qint64 size = 0, modified = 0;
    in >> magic >> version;
    if (magic != kMagic || version != kVersion) return {};
    const PictureRequest kept = readRequest(in);
    in >> size >> modified;
    qint32 sourceW = 0, sourceH = 0, w = 0, h = 0, bitCount = 0, colorCount = 0;
    in >> sourceW >> sourceH >> w >> h >> bitCount >> colorCount;
    if (in.status() != QDataStream::Ok || !(kept == request) ||
        !(FileStamp{size, modified} == stamp) || !supportedDepth(bitCount) || colorCount < 0 ||
        colorCount > (bitCount <= 8 ? 1 << bitCount : 0) || sourceW <= 0 || sourceH <= 0)
        return {};

    BITMAPINFO colors;
    for (int i = 0; i < colorCount; ++i) {
        quint32 c = 0;
        in >> c;
        colors.bmiColors[i] = {quint8(c), quint8(c >> 8), quint8(c >> 16), 0};
    }
    TDibRecord dib;
    if (in.status() != QDataStream::Ok || !newdib(dib, w, h, bitCount, &colors, colorCount))
        return {};
    auto picture = std::make_shared<const Picture>(dib, QSize(sourceW, sourceH), request);
    const qint64 bytes = qint64(dib.stride) * h;
    if (in.readRawData(reinterpret_cast<char*>(dib.bits), int(bytes)) != bytes || !in.atEnd())
        return {};
    // Used now: the last to go when the folder is pruned.
    file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    return picture;
}

bool ThumbnailStore::write(const PictureRequest& request, const FileStamp& stamp,
                           const Picture& picture) const {
    const TDibRecord& dib = picture.dib();
    if (folder_.isEmpty() || dib.empty() || !supportedDepth(dib.bitCount()) ||
        !QDir().mkpath(folder_))
        return false;
    QSaveFile file(fileFor(request));
    if (!file.open(QIODevice::WriteOnly)) return false;
    QDataStream out(&file);
    out << kMagic << kVersion;
    writeRequest(out, request);
    const int colorCount = int(dib.info->bmiHeader.biClrUsed);
    out << qint64(stamp.size) << qint64(stamp.modified) << qint32(picture.sourceSize().width())
        << qint32(picture.sourceSize().height()) << qint32(dib.width()) << qint32(dib.height())
        << qint32(dib.bitCount()) << qint32(colorCount);
    for (int i = 0; i < colorCount; ++i) {
        const RGBQUAD& q = dib.info->bmiColors[i];
        out << (quint32(q.rgbBlue) | quint32(q.rgbGreen) << 8 | quint32(q.rgbRed) << 16);
    }
    const qint64 bytes = qint64(dib.stride) * dib.height();
    if (out.writeRawData(reinterpret_cast<const char*>(dib.bits), int(bytes)) != bytes) {
        file.cancelWriting();
        return false;
    }
    return out.status() == QDataStream::Ok && file.commit();
}

void ThumbnailStore::prune(qint64 budget) const {
    if (folder_.isEmpty()) return;
    // Each file's time and size are read once: sorting the folder by time
    // asked the system again at every comparison, half a second for a full
    // folder.
    struct Entry {
        qint64 used;
        qint64 size;
        QString path;
    };
    std::vector<Entry> files;
    QDirIterator it(folder_, {QStringLiteral("*.lwb")}, QDir::Files);
    while (it.hasNext()) {
        const QFileInfo file = it.nextFileInfo();
        files.push_back({file.lastModified().toMSecsSinceEpoch(), file.size(), file.filePath()});
    }
    std::sort(files.begin(), files.end(), [](const Entry& a, const Entry& b) {
        return a.used != b.used ? a.used > b.used : a.path < b.path;
    });
    qint64 kept = 0;
    for (const Entry& file : files) { // the most recently used first
        kept += file.size;
        if (kept > budget) QFile::remove(file.path);
    }
}

} // namespace lw
