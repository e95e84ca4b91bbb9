#include "document/StaRewrite.h"

#include "document/StaFile.h"
#include "platform/DocText.h"
#include "platform/NativePath.h"
#include "platform/WholeFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {
namespace {

constexpr size_t kPieceSize = 256 * 1024;
// The smallest person record of 0xCAFC, as the reader counts it.
constexpr size_t kMinPerson = 5 * 4 + 3 * 4 + 2 * 4;

struct InputFile {
    int fd = -1;
    ~InputFile() {
        if (fd >= 0) ::close(fd);
    }
    // Up to `size` bytes at `offset`; the count read, or -1.
    qint64 readAt(char* into, size_t size, qint64 offset) const {
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pread(fd, into + done, size - done, off_t(offset) + off_t(done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return -1;
            if (n == 0) break;
            done += size_t(n);
        }
        return qint64(done);
    }
    // A source for StaReader that reads on from `at`.
    auto readingOn(qint64& at) const {
        return [this, &at](char* into, size_t n) {
            const qint64 got = readAt(into, n, at);
            if (got > 0) at += got;
            return got;
        };
    }
};

// Whether a text of the file, taken into the tree and written again, keeps
// its bytes.
bool comesBack(std::string_view ansi) {
    if (isAscii(ansi)) return true;
    const std::optional<std::string> again = docTextToAnsi(ansiToDocText(ansi));
    return again && *again == ansi;
}

// Reads through the person records, checked as the reader checks them
// (throws StaError); false as soon as a text would not come back.
bool personsComeBack(StaReader& r) {
    const auto text = [&r] {
        const std::int32_t n = r.i32();
        if (n < 0) throw StaError{kMsgDamaged};
        return comesBack(r.view(size_t(n)));
    };
    r.u32(); // the revision
    const std::int32_t count = r.count(kMinPerson);
    for (std::int32_t i = 0; i < count; ++i) {
        for (int field = 0; field < 5; ++field) // names, dates, picture
            if (!text()) return false;
        r.skip(2 * 4); // father and mother
        const std::int32_t lines = r.count(4);
        for (std::int32_t line = 0; line < lines; ++line)
            if (!text()) return false;
        r.skip(2 * 4); // the cell
    }
    return true;
}

// The layout after the persons, read by the ordinary reader as the rest of
// a tree without persons, and written again the same way; empty when the
// tree would be written as 0xCAFB.
struct Layout {
    QString error;
    QByteArray bytes;
};
Layout rewrittenLayout(const InputFile& f, qint64 from, qint64 size, const BoxLayout& current) {
    static const char kNoPersons[8] = {'\xFC', '\xCA', 0, 0, 0, 0, 0, 0};
    size_t head = 0;
    qint64 at = from;
    const auto rest = f.readingOn(at);
    StaReader r(
        [&](char* into, size_t n) -> qint64 {
            if (head < sizeof kNoPersons) {
                const size_t k = std::min(n, sizeof kNoPersons - head);
                std::copy_n(kNoPersons + head, k, into);
                head += k;
                return qint64(k);
            }
            return rest(into, n);
        },
        sizeof kNoPersons + size_t(size - from));
    const StaReadResult read = parseSta(r, current);
    if (!read.file) return {read.error, {}};
    const QByteArray written = serializeSta(read.file->doc, read.file->box);
    if (written.left(4) != QByteArray(kNoPersons, 4)) return {};
    return {{}, written.mid(sizeof kNoPersons)};
}

} // namespace

StaRewriteResult rewriteSta(const QString& in, const QString& out, const BoxLayout& current) {
    InputFile f{::open(nativePath(in).constData(), O_RDONLY | O_CLOEXEC)};
    struct stat st {};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) return {};
    const qint64 size = qint64(st.st_size);
    char magic[4];
    if (size > kMaxStaFileSize || f.readAt(magic, 4, 0) != 4 ||
        StaReader(magic, 4).u32() != kStaCurrent)
        return {};

    qint64 personsEnd = 0;
    Layout layout;
    try {
        qint64 at = 0;
        StaReader r(f.readingOn(at), size_t(size));
        if (!personsComeBack(r)) return {};
        personsEnd = size - qint64(r.left());
        layout = rewrittenLayout(f, personsEnd, size, current);
    } catch (const StaError& e) {
        return {true, e.message};
    } catch (const std::bad_alloc&) {
        return {true, kMsgNoMemory};
    }
    if (!layout.error.isEmpty()) return {true, layout.error};
    if (layout.bytes.isEmpty()) return {};

    // The person records as they are, then the layout.
    bool readFailed = false;
    const bool written = writeWholeFile(
        out, [&] { return personsEnd + layout.bytes.size(); },
        [&](const WholeFileSink& sink) {
            const std::unique_ptr<char[]> piece(new char[kPieceSize]);
            for (qint64 at = 0; at < personsEnd;) {
                const qint64 got = f.readAt(
                    piece.get(), size_t(std::min(qint64(kPieceSize), personsEnd - at)), at);
                if (got <= 0) {
                    readFailed = true;
                    return false;
                }
                if (!sink(piece.get(), size_t(got))) return false;
                at += got;
            }
            return sink(layout.bytes.constData(), size_t(layout.bytes.size()));
        });
    if (!written) return {true, readFailed ? kMsgCannotOpen : kMsgCannotCreate};
    return {true, {}};
}

} // namespace lw
