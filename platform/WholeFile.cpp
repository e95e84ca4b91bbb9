#include "platform/WholeFile.h"

#include "platform/NativePath.h"

#include <QRegularExpression>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {
namespace {

const char kTempMarker[] = ".lwtmp-";

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    // Closes now; false when the close reports a failed write.
    bool close() {
        int f = fd;
        fd = -1;
        return f < 0 || ::close(f) == 0;
    }
};

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

int syncData(const WholeFileOptions& options, int fd) {
    return options.sync ? options.sync(fd) : ::fdatasync(fd);
}

// Folder and file name of a path; "." for a name without folder.
void splitPath(const QByteArray& path, QByteArray& dir, QByteArray& name) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        dir = ".";
        name = path;
    } else {
        dir = slash == 0 ? QByteArray("/") : path.left(slash);
        name = path.mid(slash + 1);
    }
}

// A name that does not exist yet is taken by O_EXCL, so that the mode
// follows the umask as for any new file.
int createTemporary(const QByteArray& dir, const QByteArray& name, QByteArray& tempPath) {
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 rng{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray suffix(6, 'x');
        for (char& c : suffix)
            c = alphabet[rng() % (sizeof alphabet - 1)];
        tempPath = dir + '/' + '.' + name + kTempMarker + QByteArray::number(qint64(::getpid())) +
                   '-' + suffix;
        int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool processGone(long pid) {
    return pid > 0 && pid != long(::getpid()) && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// Temporary files of processes that ended before they could finish a save.
void removeStaleTemporaries(const QByteArray& dir) {
    DIR* d = ::opendir(dir.constData());
    if (!d) return;
    while (dirent* e = ::readdir(d)) {
        long pid = 0;
        if (isWholeFileTemporary(pathFromNative(QByteArray(e->d_name)), &pid) && processGone(pid))
            ::unlink((dir + '/' + e->d_name).constData());
    }
    ::closedir(d);
}

bool isReadOnly(const struct stat& st, const QByteArray& path) {
    // The write bits count even for a user whom the system would let write.
    return (st.st_mode & 0222) == 0 || ::access(path.constData(), W_OK) != 0;
}

using Producer = std::function<bool(const WholeFileSink&)>;

// For a file that may be changed in a folder that may not: the old bytes
// are overwritten. Space is taken first, so that a full disk or a size limit
// is found before the old contents are touched.
bool writeInPlace(const QByteArray& path, qint64 size, const Producer& produce,
                  const WholeFileOptions& options) {
    Fd f{::open(path.constData(), O_WRONLY | O_CLOEXEC)};
    if (f.fd < 0) return false;
    if (size > 0) {
        int r = ::posix_fallocate(f.fd, 0, off_t(size));
        if (r != 0 && r != EOPNOTSUPP && r != EINVAL) return false;
    }
    off_t written = 0;
    const bool produced = produce([&](const char* data, size_t n) {
        written += off_t(n);
        return writeAll(f.fd, data, n);
    });
    return produced && ::ftruncate(f.fd, written) == 0 && syncData(options, f.fd) == 0 && f.close();
}

// For a device or a pipe that the user names (/dev/stdout, /dev/null): its
// node must stay, so the bytes are written into it rather than renamed over.
bool writeIntoDevice(const QByteArray& path, const Producer& produce) {
    Fd f{::open(path.constData(), O_WRONLY | O_CLOEXEC)};
    return f.fd >= 0 &&
           produce([&](const char* data, size_t n) { return writeAll(f.fd, data, n); }) &&
           f.close();
}

// Writes the pieces into the temporary file. Each written piece is sent on
// its way to the disk at once, so that the closing sync has little left to
// wait for.
bool writePieces(int fd, const Producer& produce) {
    off_t written = 0;
    return produce([&](const char* data, size_t n) {
        if (!writeAll(fd, data, n)) return false;
        ::sync_file_range(fd, written, off_t(n), SYNC_FILE_RANGE_WRITE);
        written += off_t(n);
        return true;
    });
}

void syncFolder(const QByteArray& dir) {
    // The rename is done; a folder that cannot be synced (some file systems
    // refuse it) still holds the complete file.
    Fd d{::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (d.fd >= 0) ::fsync(d.fd);
}

} // namespace

void ignoreFileSizeSignal() {
    struct sigaction old {};
    if (::sigaction(SIGXFSZ, nullptr, &old) == 0 && old.sa_handler == SIG_DFL)
        ::signal(SIGXFSZ, SIG_IGN);
}

bool isWholeFileTemporary(const QString& fileName, long* pid) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\..+\\.lwtmp-([0-9]{1,10})-[A-Za-z0-9]{6}$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch()) return false;
    if (pid) *pid = m.captured(1).toLong();
    return true;
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, const WholeFileOptions& options) {
    return writeWholeFile(
        path, [&] { return qint64(bytes.size()); },
        [&](const WholeFileSink& sink) { return sink(bytes.constData(), size_t(bytes.size())); },
        options);
}

// A link that names a file not yet there is followed too: the file is
// created where the link points, and the link stays. False for a loop of
// links or a link that cannot be read.
static bool danglingLinkTarget(QByteArray& target) {
    constexpr int kMaxHops = 40;
    for (int hop = 0; hop < kMaxHops; ++hop) {
        struct stat link {};
        if (::lstat(target.constData(), &link) != 0 || !S_ISLNK(link.st_mode)) return true;
        QByteArray next(4096, '\0');
        const ssize_t n = ::readlink(target.constData(), next.data(), size_t(next.size()));
        if (n <= 0 || n >= next.size()) return false;
        next.truncate(int(n));
        if (!next.startsWith('/')) {
            const int slash = target.lastIndexOf('/');
            if (slash >= 0) next = target.left(slash + 1) + next;
        }
        target = next;
    }
    return false;
}

bool writeWholeFile(const QString& path, const std::function<qint64()>& size,
                    const Producer& produce, const WholeFileOptions& options) {
    ignoreFileSizeSignal();
    QByteArray target = nativePath(path);
    if (target.isEmpty()) return false;

    // A link is followed, so that the file it names gets the new contents.
    struct stat st {};
    bool exists = ::stat(target.constData(), &st) == 0;
    if (exists) {
        struct stat link {};
        if (::lstat(target.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
            if (char* real = ::realpath(target.constData(), nullptr)) {
                target = real;
                std::free(real);
            }
        }
        if (S_ISDIR(st.st_mode) || isReadOnly(st, target)) return false;
        if (!S_ISREG(st.st_mode)) return writeIntoDevice(target, produce);
    } else if (errno != ENOENT) {
        return false;
    } else if (!danglingLinkTarget(target)) {
        return false;
    }

    QByteArray dir, name;
    splitPath(target, dir, name);
    if (name.isEmpty()) return false;
    removeStaleTemporaries(dir);

    QByteArray tempPath;
    Fd f{createTemporary(dir, name, tempPath)};
    if (f.fd < 0) {
        const int err = errno;
        const bool folderRefuses = err == EACCES || err == EPERM;
        return exists && S_ISREG(st.st_mode) && folderRefuses &&
               writeInPlace(target, size(), produce, options);
    }
    bool ok = (!exists || ::fchmod(f.fd, st.st_mode & 07777) == 0) && writePieces(f.fd, produce) &&
              syncData(options, f.fd) == 0;
    ok = f.close() && ok;
    ok = ok && ::rename(tempPath.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(tempPath.constData());
        return false;
    }
    syncFolder(dir);
    return true;
}

} // namespace lw
