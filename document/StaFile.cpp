#include "document/StaFile.h"

#include "document/StaSections.h"
#include "platform/DocText.h"
#include "platform/MemoryReady.h"
#include "platform/NativePath.h"
#include "platform/WholeFile.h"

#include <QDate>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {

// ---- reading primitives -------------------------------------------------

namespace {
// The reading and writing pieces of a file read or written in pieces: small
// enough to stay in the processor's cache, large enough that the calls into
// the system do not count.
constexpr size_t kPieceSize = 256 * 1024;
} // namespace

StaReader::StaReader(StaSource source, size_t size) : more_(size), source_(std::move(source)) {}

void StaReader::refill(size_t n) {
    if (!source_ || n > left_ + more_) throw StaError{kMsgDamaged};
    // The bytes at hand move to the front of a buffer that holds at least n.
    if (n > capacity_) {
        const size_t capacity = std::max(n, kPieceSize);
        std::unique_ptr<std::uint8_t[]> larger(new std::uint8_t[capacity]);
        if (left_ > 0) std::memcpy(larger.get(), p_, left_);
        buffer_ = std::move(larger);
        capacity_ = capacity;
    } else if (left_ > 0) {
        std::memmove(buffer_.get(), p_, left_);
    }
    p_ = buffer_.get();
    while (left_ < capacity_ && more_ > 0) {
        const qint64 got = source_(reinterpret_cast<char*>(buffer_.get()) + left_,
                                   std::min(capacity_ - left_, more_));
        if (got < 0) throw StaError{kMsgCannotOpen};
        if (got == 0) more_ = 0; // the file became shorter while it was read
        left_ += size_t(got);
        more_ -= std::min(more_, size_t(got));
    }
    if (n > left_) throw StaError{kMsgDamaged};
}

double StaReader::f64() {
    need(8);
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | p_[i];
    p_ += 8;
    left_ -= 8;
    double d;
    std::memcpy(&d, &v, sizeof d);
    return d;
}

std::string StaReader::bytes(size_t n) {
    std::string s;
    text(s, n);
    return s;
}

void StaReader::skip(size_t n) {
    if (n > left()) throw StaError{kMsgDamaged};
    // Long runs are skipped piece by piece, never through a buffer of their size.
    while (n > left_) {
        n -= left_;
        p_ += left_;
        left_ = 0;
        refill(std::min(n, kPieceSize));
    }
    p_ += n;
    left_ -= n;
}

std::int32_t StaReader::count(size_t minItemSize) {
    std::int32_t n = i32();
    if (n < 0 || (minItemSize > 0 && size_t(n) > left() / minItemSize)) throw StaError{kMsgDamaged};
    return n;
}

void StaWriter::makeRoom(qsizetype n) {
    if (sink_) {
        if (used_ > 0 && !sinkFailed_) sinkFailed_ = !sink_(begin_, size_t(used_));
        used_ = 0;
        if (n > capacity_) resize(n);
    } else {
        resize(std::max(used_ + n, 2 * capacity_ + 64));
    }
}

bool StaWriter::flush() {
    if (sink_ && used_ > 0 && !sinkFailed_) sinkFailed_ = !sink_(begin_, size_t(used_));
    used_ = 0;
    return !sinkFailed_;
}

void StaWriter::f64(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    char* b = room(8);
    for (int i = 0; i < 8; ++i)
        b[i] = char(u >> (8 * i));
}

// ---- counted texts and fonts ---------------------------------------------

void WriteLenString(StaWriter& w, const std::string& text) {
    w.i32(std::int32_t(text.size()));
    w.bytes(text);
}

void ReadLenString(StaReader& r, std::string& text) {
    const std::int32_t n = r.i32();
    if (n < 0) throw StaError{kMsgDamaged};
    r.text(text, size_t(n)); // a length beyond the file's end throws there
}

void WriteFontRecord(StaWriter& w, const TFontInfo& font) {
    w.u8(font.Charset);
    w.u32(font.Color);
    std::uint8_t n = std::uint8_t(font.Name.size() % 256);
    w.u8(n);
    w.bytes(font.Name.substr(0, n));
    w.u8(font.Pitch);
    w.i32(font.PixelsPerInch);
    w.i32(font.Size());
    w.u8(font.Style);
}

void ReadFontRecord(StaReader& r, TFontInfo& font) {
    font.Charset = r.u8();
    font.Color = r.u32();
    std::uint8_t n = r.u8();
    font.Name = r.bytes(n);
    font.Pitch = r.u8();
    font.PixelsPerInch = r.i32();
    font.setSize(r.i32());
    font.Style = r.u8() & 0x0F;
}

// ---- dates of the oldest revision ----------------------------------------

std::string oleDateText(double days) {
    // Days since 30 December 1899; the fraction is the time of day.
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) return {};
    QDate d = QDate(1899, 12, 30).addDays(qint64(std::trunc(days)));
    if (!d.isValid() || d.year() < 1 || d.year() > 9999) return {};
    return d.toString(QStringLiteral("dd.MM.yyyy")).toStdString();
}

// ---- the whole file --------------------------------------------------------

namespace {

// Smallest possible person of each revision, for plausibility of counts.
constexpr size_t kMinPersonCurrent = 5 * 4 + 3 * 4 + 2 * 4;
constexpr size_t kMinPersonGrid = 5 * 4 + 3 * 4;
constexpr size_t kMinPersonOldest = 2 * 4 + 2 * 8 + 3 * 4;

void readBiography(StaReader& r, TPerson& p) {
    std::int32_t lines = r.count(4);
    p.Leben.resize(size_t(lines));
    for (std::string& line : p.Leben)
        ReadLenString(r, line);
}

// Revision 0xCAFB begins as 0xCAFC does.
bool cellsInPersons(std::uint32_t magic) {
    return magic == kStaCurrent || magic == kStaExtended;
}

void readPersons(StaReader& r, std::uint32_t magic, std::vector<TPerson>& persons) {
    size_t minSize = cellsInPersons(magic) ? kMinPersonCurrent
                     : magic == kStaOldest ? kMinPersonOldest
                                           : kMinPersonGrid;
    std::int32_t count = r.count(minSize);
    persons.reserve(size_t(count));
    const MemoryReady ready(persons.data(), size_t(count) * sizeof(TPerson));
    for (std::int32_t i = 0; i < count; ++i) {
        TPerson& p = persons.emplace_back();
        ReadLenString(r, p.NachName);
        ReadLenString(r, p.VorName);
        if (magic == kStaOldest) {
            p.GebDate = oleDateText(r.f64());
            p.StDate = oleDateText(r.f64());
        } else {
            ReadLenString(r, p.GebDate);
            ReadLenString(r, p.StDate);
            ReadLenString(r, p.Bild);
        }
        p.Vater = r.i32();
        p.Mutter = r.i32();
        readBiography(r, p);
        if (cellsInPersons(magic)) {
            p.GridX = r.i32();
            p.GridY = r.i32();
        }
    }
}

// The grid of the two older revisions, column by column.
void readGrid(StaReader& r, int n, std::vector<TPerson>& persons) {
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            std::uint8_t taken = r.u8();
            r.skip(3);
            std::int32_t index = r.i32();
            if (taken != 0 && index >= 0 && size_t(index) < persons.size()) {
                persons[size_t(index)].GridX = x;
                persons[size_t(index)].GridY = y;
            }
        }
}

void readBoxValues(StaReader& r, BoxLayout& box) {
    box.bkColor = r.u32();
    box.borderColor = r.u32();
    // Sizes are taken as unsigned numbers, then clamped: -1 becomes the maximum.
    box.setBreit(double(r.u32()));
    box.setHoch(double(r.u32()));
    box.setBild(double(r.u32()));
    box.setAusricht(double(r.i32()));
    box.LeblaufCheck = r.i32() != 0;
}

StaFile parseOrThrow(StaReader& r, const BoxLayout& current) {
    StaFile file;
    file.box = current;
    if (r.left() < 4) throw StaError{kMsgDamaged};
    file.revision = r.u32();
    std::uint32_t magic = file.revision;
    if (isNewerStaRevision(magic)) throw StaError{kMsgNewerRevision};
    if (magic != kStaExtended && magic != kStaCurrent && magic != kStaGrid60 &&
        magic != kStaGrid200 && magic != kStaOldest)
        throw StaError{kMsgNotATree};

    Document& doc = file.doc;
    std::vector<TPerson> persons;
    readPersons(r, magic, persons);

    if (cellsInPersons(magic)) {
        doc.AreaWidth = kAreaRange.clamp(r.i32());
        doc.AreaHeight = kAreaRange.clamp(r.i32());
    } else if (magic == kStaGrid60 || magic == kStaGrid200) {
        int n = magic == kStaGrid60 ? 60 : 200;
        doc.AreaWidth = doc.AreaHeight = n;
        readGrid(r, n, persons);
    }
    if (magic != kStaOldest) readBoxValues(r, file.box);
    if (cellsInPersons(magic)) {
        ReadLenString(r, doc.chart.Caption);
        ReadFontRecord(r, doc.chart.headingFont);
        ReadFontRecord(r, file.box.font);
        doc.chart.setRandOED2(r.f64());
        doc.chart.setRandOEd(r.f64());
        doc.chart.setRandLEd(r.f64());
    }
    std::vector<Partnership> partnerships;
    if (magic == kStaExtended) readStaSections(r, persons, partnerships, doc.chart);
    // The texts in memory are UTF-8: the older revisions hold Windows-1252,
    // 0xCAFB UTF-8 in which each ill-formed byte becomes U+FFFD.
    // The heading and the fonts of the older revisions without them stay as
    // the new document and the settings have them.
    const auto decode = [magic](std::string& text) {
        if (magic == kStaExtended)
            repairUtf8(text);
        else if (!isAscii(text))
            text = ansiToDocText(text);
    };
    forEachPersonText(persons, decode);
    if (cellsInPersons(magic)) forEachLayoutText(doc.chart, file.box.font, decode);
    doc.adoptPersons(std::move(persons));
    doc.adoptPartnerships(std::move(partnerships));
    return file;
}

StaReadResult parseFrom(StaReader& r, const BoxLayout& current) {
    try {
        return {parseOrThrow(r, current), {}};
    } catch (const StaError& e) {
        return {std::nullopt, e.message};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, kMsgNoMemory};
    }
}

} // namespace

StaReadResult parseSta(const QByteArray& bytes, const BoxLayout& current) {
    StaReader r(bytes);
    return parseFrom(r, current);
}

StaReadResult parseSta(StaReader& r, const BoxLayout& current) {
    return parseFrom(r, current);
}

namespace {

struct FileHandle {
    int fd = -1;
    ~FileHandle() {
        if (fd >= 0) ::close(fd);
    }
};

// Reads up to `size` bytes at `offset`; the count read, or -1.
qint64 readAt(int fd, char* into, qint64 size, qint64 offset) {
    qint64 done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, into + done, size_t(size - done), off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += n;
    }
    return done;
}

// Files that are not plain files (a pipe) have no size to trust: read in
// pieces up to the limit.
StaReadResult readStream(int fd, QByteArray& bytes) {
    char chunk[65536];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {std::nullopt, kMsgCannotOpen};
        if (n == 0) return {};
        if (bytes.size() + n > kMaxStaFileSize) return {std::nullopt, kMsgTooLarge};
        bytes.append(chunk, n);
    }
}

StaReadResult loadOrFail(const QString& path, const BoxLayout& current) {
    FileHandle f{::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC)};
    struct stat st {};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || S_ISDIR(st.st_mode))
        return {std::nullopt, kMsgCannotOpen};
    if (!S_ISREG(st.st_mode)) {
        QByteArray bytes;
        if (StaReadResult failed = readStream(f.fd, bytes); !failed.error.isEmpty()) return failed;
        StaReader r(bytes);
        return parseFrom(r, current);
    }
    // The kind of file first: a large file of another kind is not read.
    char magic[4];
    const qint64 head = readAt(f.fd, magic, 4, 0);
    if (head < 0) return {std::nullopt, kMsgCannotOpen};
    if (head == 4) {
        StaReader r(magic, 4);
        const std::uint32_t m = r.u32();
        if (isNewerStaRevision(m)) return {std::nullopt, kMsgNewerRevision};
        if (m != kStaExtended && m != kStaCurrent && m != kStaGrid60 && m != kStaGrid200 &&
            m != kStaOldest)
            return {std::nullopt, kMsgNotATree};
    }
    const qint64 size = qint64(st.st_size);
    if (size > kMaxStaFileSize) return {std::nullopt, kMsgTooLarge};
    // Read in pieces: the file's bytes are copied once, into the persons.
    qint64 offset = 0;
    StaReader r(
        [&](char* into, size_t n) {
            const qint64 got = readAt(f.fd, into, qint64(n), offset);
            if (got > 0) offset += got;
            return got;
        },
        size_t(size));
    return parseFrom(r, current);
}

} // namespace

StaReadResult loadSta(const QString& path, const BoxLayout& current) {
    StaReadResult result;
    try {
        result = loadOrFail(path, current);
    } catch (const std::bad_alloc&) {
        return {std::nullopt, kMsgNoMemory};
    }
    if (result.file) {
        result.file->doc.FileName = path;
        result.file->doc.Modified = false;
    }
    return result;
}

namespace {

// At most `most` bytes of a UTF-8 text, cut before a whole letter.
std::string cutUtf8(const std::string& text, size_t most) {
    if (text.size() <= most) return text;
    size_t n = most;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return text.substr(0, n);
}

// The font name a file keeps, whose length is one byte: whole where
// Windows-1252 holds it in 255 bytes, else its first 255 bytes of UTF-8.
// Which revision the tree needs is decided on this name, so that it reads
// back into a tree that is written the same way again.
std::string keptFontName(const std::string& name) {
    if (fitsAnsi(name) && ansiLength(name) <= 255) return name;
    return cutUtf8(name, 255);
}

// A text as the file holds it: UTF-8 in 0xCAFB, Windows-1252 in 0xCAFC
// (needsExtendedSta made sure that every text has its bytes there).
struct TextForm {
    bool ansi = false;
    qsizetype size(const std::string& s) const {
        return qsizetype(ansi && !isAscii(s) ? ansiLength(s) : s.size());
    }
    std::string bytes(const std::string& s) const {
        return ansi ? docTextToAnsi(s).value_or(std::string()) : s;
    }
    // The font name's length is one byte. A UTF-8 name longer than that is
    // cut before a whole letter, so that it reads back as it was written.
    TFontInfo font(const TFontInfo& f) const {
        TFontInfo out = f;
        const std::string kept = keptFontName(f.Name);
        out.Name = ansi ? bytes(kept) : cutUtf8(kept, 255);
        return out;
    }
};

qsizetype lenStringSize(const TextForm& form, const std::string& s) {
    return 4 + form.size(s);
}
constexpr qsizetype kFontRecordFixed = 1 + 4 + 1 + 1 + 4 + 4 + 1;

// The exact size of the file, so that its buffer is sized once.
qsizetype staSize(const Document& doc, const BoxLayout& box, const TextForm& form) {
    qsizetype n = 4 + 4;
    for (const TPerson& p : doc.Persons()) {
        n += lenStringSize(form, p.NachName) + lenStringSize(form, p.VorName) +
             lenStringSize(form, p.GebDate) + lenStringSize(form, p.StDate) +
             lenStringSize(form, p.Bild) + 4 + 4 + 4 + 4 + 4;
        for (const std::string& line : p.Leben)
            n += lenStringSize(form, line);
    }
    n += 2 * 4 + 7 * 4 + lenStringSize(form, doc.chart.Caption); // area, box values, heading
    n += 2 * kFontRecordFixed + qsizetype(form.font(doc.chart.headingFont).Name.size() % 256) +
         qsizetype(form.font(box.font).Name.size() % 256);
    n += 3 * 8;
    return form.ansi ? n : n + staSectionsSize(doc);
}

void writeText(StaWriter& w, const TextForm& form, const std::string& text) {
    // An ASCII text has the same bytes in both forms and needs no copy.
    if (form.ansi && !isAscii(text))
        WriteLenString(w, form.bytes(text));
    else
        WriteLenString(w, text);
}

void writeSta(StaWriter& w, const Document& doc, const BoxLayout& box, const TextForm& form) {
    w.u32(form.ansi ? kStaCurrent : kStaExtended);
    w.i32(doc.PersonCount());
    for (const TPerson& p : doc.Persons()) {
        writeText(w, form, p.NachName);
        writeText(w, form, p.VorName);
        writeText(w, form, p.GebDate);
        writeText(w, form, p.StDate);
        writeText(w, form, p.Bild);
        w.i32(p.Vater);
        w.i32(p.Mutter);
        w.i32(p.LebenCount());
        for (const std::string& line : p.Leben)
            writeText(w, form, line);
        w.i32(p.GridX);
        w.i32(p.GridY);
    }
    w.i32(doc.AreaWidth);
    w.i32(doc.AreaHeight);
    w.u32(box.bkColor);
    w.u32(box.borderColor);
    w.i32(box.BreitEd);
    w.i32(box.HochEd);
    w.i32(box.BildEd);
    w.i32(box.Textausricht);
    w.i32(box.LeblaufCheck ? 1 : 0);
    writeText(w, form, doc.chart.Caption);
    WriteFontRecord(w, form.font(doc.chart.headingFont));
    WriteFontRecord(w, form.font(box.font));
    w.f64(doc.chart.RandOED2);
    w.f64(doc.chart.RandOEd);
    w.f64(doc.chart.RandLEd);
    if (!form.ansi) writeStaSections(w, doc);
}

} // namespace

bool needsExtendedSta(const Document& doc, const BoxLayout& box) {
    if (!doc.Partnerships().empty() || hasStaChartOptions(doc.chart)) return true;
    for (const TPerson& p : doc.Persons())
        if (hasStaDetails(p)) return true;
    bool fits = true;
    const auto check = [&fits](const std::string& text) { fits = fits && fitsAnsi(text); };
    forEachPersonText(doc.Persons(), check);
    check(doc.chart.Caption);
    check(keptFontName(doc.chart.headingFont.Name));
    check(keptFontName(box.font.Name));
    return !fits;
}

QByteArray serializeSta(const Document& doc, const BoxLayout& box) {
    const TextForm form{!needsExtendedSta(doc, box)};
    StaWriter w;
    w.reserve(staSize(doc, box, form));
    writeSta(w, doc, box, form);
    return w.data();
}

bool saveSta(const QString& path, const Document& doc, const BoxLayout& box, QString* error) {
    // Written in pieces: a large tree needs no second copy of itself in memory.
    const TextForm form{!needsExtendedSta(doc, box)};
    const auto size = [&] { return qint64(staSize(doc, box, form)); };
    const bool ok = writeWholeFile(path, size, [&](const WholeFileSink& sink) {
        StaWriter w(sink, qsizetype(kPieceSize));
        writeSta(w, doc, box, form);
        return w.flush();
    });
    if (!ok && error) *error = kMsgCannotCreate;
    return ok;
}

} // namespace lw
