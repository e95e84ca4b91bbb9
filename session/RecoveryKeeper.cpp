#include "session/RecoveryKeeper.h"

#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <algorithm>

namespace lw::app {
namespace {

// A copy is "LWRECOV1", the user's file name (length, UTF-8), then the tree.
const QByteArray kMagic = "LWRECOV1";
const QString kSuffix = QStringLiteral(".lwrec");

QString lockPathFor(const QString& copyPath) {
    return copyPath.left(copyPath.size() - kSuffix.size()) + QStringLiteral(".lock");
}

QByteArray copyBytes(const QString& fileName, const QByteArray& tree) {
    StaWriter w;
    w.reserve(kMagic.size() + 4 + tree.size() + fileName.size() * 3);
    w.bytes(kMagic.toStdString());
    WriteLenString(w, fileName.toUtf8().toStdString());
    QByteArray out = w.data();
    out += tree;
    return out;
}

} // namespace

RecoveryKeeper::RecoveryKeeper(const QString& folder, Source source, QObject* parent)
    : QObject(parent), folder_(folder), source_(std::move(source)) {
    QDir().mkpath(folder_);
    // A name no other running program has: the lock decides.
    const QString base = QStringLiteral("sitzung-%1-").arg(QCoreApplication::applicationPid());
    for (int n = 1; n < 1000 && !lock_; ++n) {
        const QString candidate = QDir(folder_).filePath(base + QString::number(n) + kSuffix);
        auto lock = std::make_unique<QLockFile>(lockPathFor(candidate));
        lock->setStaleLockTime(0); // only a lock whose program is gone is free
        if (!QFileInfo::exists(candidate) && lock->tryLock(0)) {
            lock_ = std::move(lock);
            copyPath_ = candidate;
        }
    }
    afterLastChange_.setSingleShot(true);
    longestWait_.setSingleShot(true);
    setDelays(30 * 1000, 120 * 1000);
    connect(&afterLastChange_, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
    connect(&longestWait_, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
}

RecoveryKeeper::~RecoveryKeeper() = default;

QString RecoveryKeeper::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Wiederherstellung");
}

QString RecoveryKeeper::question(const QDateTime& written, const QString& fileName,
                                 const QString& heading) {
    QString tree;
    if (!fileName.isEmpty())
        tree = QStringLiteral("am Stammbaum „%1“").arg(QDir::toNativeSeparators(fileName));
    else if (!heading.trimmed().isEmpty())
        tree = QStringLiteral("am nie gespeicherten Stammbaum „%1“").arg(heading.trimmed());
    else
        tree = QStringLiteral("an einem nie gespeicherten Stammbaum ohne Überschrift");
    return QStringLiteral("Die Sitzung wurde nicht ordnungsgemäß beendet. Nicht gespeicherte "
                          "Änderungen %1 vom %2 wiederherstellen?")
        .arg(tree, written.toString(QStringLiteral("dd.MM.yyyy, HH:mm")));
}

void RecoveryKeeper::setDelays(int afterLastChangeMs, int longestWaitMs) {
    afterLastChange_.setInterval(afterLastChangeMs);
    longestWait_.setInterval(longestWaitMs);
}

void RecoveryKeeper::noteChange() {
    if (!lock_) return;
    afterLastChange_.start();
    if (!longestWait_.isActive()) longestWait_.start();
}

void RecoveryKeeper::writeNow() {
    afterLastChange_.stop();
    longestWait_.stop();
    if (!lock_) return;
    if (!source_.modified()) {
        QFile::remove(copyPath_);
        return;
    }
    // A copy that cannot be written is tried again after the next change;
    // the user's own file is not touched either way.
    writeWholeFile(copyPath_, copyBytes(source_.fileName(), source_.treeBytes()));
}

void RecoveryKeeper::discard() {
    afterLastChange_.stop();
    longestWait_.stop();
    if (lock_) QFile::remove(copyPath_);
}

std::vector<RecoveryKeeper::LeftCopy> RecoveryKeeper::leftCopies() const {
    std::vector<LeftCopy> copies;
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        if (file.absoluteFilePath() == QFileInfo(copyPath_).absoluteFilePath()) continue;
        auto lock = std::make_shared<QLockFile>(lockPathFor(file.absoluteFilePath()));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue; // its program is still running
        copies.push_back({file.absoluteFilePath(), file.lastModified(), std::move(lock)});
    }
    return copies;
}

RecoveryKeeper::Recovered RecoveryKeeper::read(const LeftCopy& copy, const BoxLayout& current) {
    Recovered out;
    QFile f(copy.path);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly)) bytes = f.readAll();
    if (!bytes.startsWith(kMagic)) {
        out.tree.error = kMsgDamaged;
        return out;
    }
    try {
        StaReader r(bytes.constData() + kMagic.size(), size_t(bytes.size() - kMagic.size()));
        std::string name;
        ReadLenString(r, name);
        out.fileName = QString::fromStdString(name);
        const qsizetype treeStart = bytes.size() - qsizetype(r.left());
        out.tree = parseSta(bytes.mid(treeStart), current);
    } catch (const StaError& e) {
        out.tree.error = e.message;
    }
    return out;
}

void RecoveryKeeper::drop(const LeftCopy& copy) {
    QFile::remove(copy.path);
    if (copy.lock) copy.lock->unlock();
}

} // namespace lw::app
