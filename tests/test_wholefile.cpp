// Saves under faults: killed part-way, onto a full disk, into places that
// refuse files, with a failing sync; and what a killed save leaves behind.
#include "document/StaFile.h"
#include "platform/WholeFile.h"
#include "tests/ChildProcess.h"
#include "tests/FileSizeLimit.h"
#include "tests/TestPersons.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace lw;
using lw::test::FileSizeLimit;

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Names in `dir` other than `keep` that are not temporary files of a save.
QStringList strangers(const QDir& dir, const QStringList& keep) {
    QStringList out;
    for (const QString& name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        if (!keep.contains(name) && !isWholeFileTemporary(name)) out << name;
    return out;
}

QStringList everything(const QDir& dir) {
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray treeBytes(int persons, const char* surname) {
    Document doc;
    for (int i = 0; i < persons; ++i) {
        TPerson p;
        p.NachName = surname;
        p.VorName = std::string(40, char('a' + i % 26));
        p.Leben.assign(4, std::string(60, 'x'));
        p.GridX = i % 300;
        p.GridY = i / 300;
        doc.addPerson(std::move(p));
    }
    return serializeSta(doc, BoxLayout{});
}

int failingSync(int) {
    return -1;
}

} // namespace

// Every failing save reports the German message, keeps what was there and
// leaves no temporary file.
TEST(SaveFaults, FailedSavesKeepTheOldFile) {
    struct Case {
        const char* what;
        std::function<void(const QString& path)> prepare;
        std::function<bool(const QString& path, QString* error)> save;
        bool rootIgnoresIt;
    };
    Document doc;
    for (int i = 0; i < 200; ++i)
        doc.addPerson(test::personAt(-1, -1, "Sehr langer Nachname"));
    auto plainSave = [&](const QString& path, QString* error) {
        return saveSta(path, doc, BoxLayout{}, error);
    };
    const QByteArray old = "alte Datei";
    const std::vector<Case> cases = {
        {"volle Platte (Größenbeschränkung)", [&](const QString& p) { writeFile(p, old); },
         [&](const QString& p, QString* e) {
             FileSizeLimit limit(1000);
             EXPECT_TRUE(limit.active());
             return plainSave(p, e);
         },
         false},
        {"fehlender Ordner", [](const QString&) {},
         [&](const QString& p, QString* e) { return plainSave(p + "/fehlt/baum.sta", e); }, false},
        {"Ordnername", [](const QString& p) { QDir().mkdir(p); }, plainSave, false},
        {"schreibgeschützte Datei",
         [&](const QString& p) {
             writeFile(p, old);
             QFile::setPermissions(p, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
         },
         plainSave, false},
        {"Sync schlägt fehl", [&](const QString& p) { writeFile(p, old); },
         [&](const QString& p, QString*) {
             return writeWholeFile(p, serializeSta(doc, BoxLayout{}), {.sync = failingSync});
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath("baum.sta");
        c.prepare(path);
        const QByteArray before = QFileInfo(path).isFile() ? readFile(path) : QByteArray();
        QString error;
        EXPECT_FALSE(c.save(path, &error));
        if (error.size()) {
            EXPECT_EQ(error, kMsgCannotCreate);
        }
        if (!before.isEmpty()) {
            EXPECT_EQ(readFile(path), before);
        }
        EXPECT_EQ(strangers(QDir(dir.path()), {"baum.sta"}), QStringList());
        EXPECT_EQ(everything(QDir(dir.path())).size(), QFileInfo::exists(path) ? 1 : 0);
    }
}

// The save of a large tree is killed at random moments: the file is always
// the complete old or the complete new one, and the next save clears away
// what the killed ones left.
TEST(SaveFaults, KilledSavesLeaveTheOldOrTheNewFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("baum.sta");
    const QByteArray versions[2] = {treeBytes(2000, "Alt"), treeBytes(3000, "Neu")};
    ASSERT_TRUE(writeWholeFile(path, versions[0]));

    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    ASSERT_EQ(
        test::waitChild(test::forkChild([&] { return writeWholeFile(path, versions[1]) ? 0 : 1; })),
        0);
    const auto oneSave =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    ASSERT_EQ(readFile(path), versions[1]);

    // The child saves the two versions in turn until it is killed, so every
    // kill lands in a save or between two, however fast the machine is.
    std::mt19937 rng(15);
    std::uniform_int_distribution<long> moment(0, oneSave.count() * 3);
    QByteArray last = versions[1];
    int changes = 0;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = test::forkChild([&] {
            for (int i = 0;; ++i)
                if (!writeWholeFile(path, versions[i % 2])) return 1;
        });
        std::this_thread::sleep_for(std::chrono::microseconds(moment(rng)));
        ::kill(child, SIGKILL);
        ASSERT_EQ(test::waitChild(child), 128 + SIGKILL) << "round " << round;
        const QByteArray now = readFile(path);
        ASSERT_TRUE(now == versions[0] || now == versions[1]) << "round " << round;
        changes += now != last;
        last = now;
        ASSERT_EQ(strangers(QDir(dir.path()), {"baum.sta"}), QStringList());
    }
    EXPECT_GT(changes, 0) << "the killed children never completed a save";
    ASSERT_TRUE(writeWholeFile(path, versions[0]));
    EXPECT_EQ(everything(QDir(dir.path())), QStringList{"baum.sta"});
}

// Only temporary files of processes that are gone are removed, of any tree
// in the folder; everything else stays.
TEST(SaveFaults, StaleTemporariesOfEndedProcessesGo) {
    QTemporaryDir dir;
    const pid_t gone = test::forkChild([] { return 0; });
    test::waitChild(gone);
    const QString dead = QStringLiteral(".baum.sta.lwtmp-%1-abcDEF").arg(gone);
    const QString deadOther = QStringLiteral(".anderer.sta.lwtmp-%1-123456").arg(gone);
    const QString living = QStringLiteral(".baum.sta.lwtmp-%1-abcdef").arg(::getppid());
    const QStringList users = {"baum.sta.backup", "baum.sta.abcdef", ".baum.sta.lwtmp-x-abcdef"};
    for (const QString& name : QStringList{dead, deadOther, living} + users)
        writeFile(dir.filePath(name), "x");
    ASSERT_TRUE(writeWholeFile(dir.filePath("baum.sta"), "neu"));
    QStringList expected = QStringList{"baum.sta", living} + users;
    expected.sort();
    QStringList left = everything(QDir(dir.path()));
    left.sort();
    EXPECT_EQ(left, expected);
}

// A file the user may change in a folder where he may not create files is
// written in place; a new file there is still refused.
TEST(SaveFaults, ReadOnlyFolderWritesAnExistingFileInPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath("geteilt.sta");
    writeFile(path, "alt");
    QFile::setPermissions(path, QFileDevice::Permissions(0x6666));
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555));
    const int code = test::runUnprivileged([&] {
        if (!writeWholeFile(path, "neuer Inhalt")) return 1;
        return writeWholeFile(dir.filePath("neu.sta"), "x") ? 2 : 0;
    });
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    if (code == 125) GTEST_SKIP() << "cannot run as an ordinary user";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readFile(path), "neuer Inhalt");
    EXPECT_EQ(everything(QDir(dir.path())), QStringList{"geteilt.sta"});
}

// A device named as the output keeps its node: the bytes go into it, and a
// device that takes none (a full disk) is a failure, not a new regular file.
TEST(SaveFaults, DevicesAreWrittenIntoNotReplaced) {
    struct stat st {};
    if (::stat("/dev/full", &st) != 0 || !S_ISCHR(st.st_mode)) GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(writeWholeFile(QStringLiteral("/dev/full"), QByteArray(100, 'x')));
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_TRUE(writeWholeFile(QStringLiteral("/dev/null"), QByteArray(100, 'x')));
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// Links are followed whether their file exists or not; the link stays a link,
// and a loop of links is refused.
TEST(SaveFaults, LinksAreWrittenThroughEvenWhenTheirFileIsMissing) {
    QTemporaryDir dir;
    const QString d = dir.path() + QLatin1Char('/');
    QDir(d).mkdir(QStringLiteral("sub"));
    writeFile(d + QStringLiteral("old.txt"), "alt");
    struct Case {
        const char* link;
        const char* pointsTo; // as written into the link
        const char* written;  // the file that gets the bytes; null: refused
    } cases[] = {
        {"toOld", "old.txt", "old.txt"},      {"dangling", "new.txt", "new.txt"},
        {"absolute", nullptr, "sub/abs.txt"}, {"chain", "dangling2", "chained.txt"},
        {"loopA", "loopB", nullptr},
    };
    ASSERT_EQ(::symlink("chained.txt", (d + QStringLiteral("dangling2")).toLocal8Bit()), 0);
    ASSERT_EQ(::symlink("loopA", (d + QStringLiteral("loopB")).toLocal8Bit()), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        const QString link = d + QString::fromLatin1(c.link);
        const QByteArray to =
            c.pointsTo ? QByteArray(c.pointsTo) : (d + QStringLiteral("sub/abs.txt")).toLocal8Bit();
        ASSERT_EQ(::symlink(to.constData(), link.toLocal8Bit().constData()), 0);
        const bool ok = writeWholeFile(link, QByteArray("neu"));
        EXPECT_EQ(ok, c.written != nullptr);
        struct stat st {};
        ASSERT_EQ(::lstat(link.toLocal8Bit().constData(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link was replaced";
        if (c.written) {
            EXPECT_EQ(readFile(d + QString::fromLatin1(c.written)), "neu");
        }
    }
}
