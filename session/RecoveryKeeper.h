#pragma once
// Copies of the unsaved document, so that a crash, a kill or a power cut does
// not take the changes since the last save with it.
//
// While the document has unsaved changes, a copy is written into the program's
// data folder (never over the user's file) 30 seconds after the last change,
// and at the latest two minutes after the first change that no copy holds
// yet. Each running program keeps its copy under a lock file of its own, so
// two programs never take each other's copies; a copy whose lock is free was
// left by a program that did not end normally, and is offered at the next
// start.
#include "document/StaFile.h"

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace lw::app {

class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    struct Source {
        std::function<bool()> modified;        // whether there is anything to keep
        std::function<QByteArray()> treeBytes; // the document as a family tree file
        std::function<QString()> fileName;     // the user's file, may be empty
    };
    // A copy left behind by a program that did not end normally, locked by
    // this keeper until it is taken or dropped.
    struct LeftCopy {
        QString path;
        QDateTime written;
        std::shared_ptr<QLockFile> lock;
    };
    // What a left copy holds.
    struct Recovered {
        StaReadResult tree;
        QString fileName;
    };

    RecoveryKeeper(const QString& folder, Source source, QObject* parent = nullptr);
    // Releases the lock; the copy stays unless discard() removed it.
    ~RecoveryKeeper() override;

    // "<data folder>/Wiederherstellung".
    static QString defaultFolder();
    // The question that offers a left copy of the tree in `fileName` (empty:
    // a tree never saved, named by its `heading` where it has one).
    static QString question(const QDateTime& written, const QString& fileName,
                            const QString& heading);

    void setDelays(int afterLastChangeMs, int longestWaitMs);

    // Copies of programs that are gone, newest first.
    std::vector<LeftCopy> leftCopies() const;
    static Recovered read(const LeftCopy& copy, const BoxLayout& current);
    // Removes a left copy that was taken over or declined.
    static void drop(const LeftCopy& copy);

    // This program's copy; it exists only while there are unsaved changes.
    QString copyPath() const { return copyPath_; }

  public slots:
    // The document changed: the timers start.
    void noteChange();
    // Writes the copy now (or removes it when nothing is unsaved).
    void writeNow();
    // The document was saved, replaced or closed: the copy goes.
    void discard();

  private:
    QString folder_;
    Source source_;
    QString copyPath_;
    std::unique_ptr<QLockFile> lock_;
    QTimer afterLastChange_;
    QTimer longestWait_;
};

} // namespace lw::app
