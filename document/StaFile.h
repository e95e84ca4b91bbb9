#pragma once
// Family tree files (.sta). Revision 0xCAFC is written for every tree it can
// hold (Windows-1252 texts, nothing beyond names, dates, biography, picture
// and cell); 0xCAFB, which adds sections for the rest (UTF-8 texts, places,
// events, partnerships, the line style), only for the trees that need it. 0xCAFF, 0xCAFD and
// 0xCAFE are read as well.
//
// Reading builds a complete new document; the caller replaces its open
// document only when the read succeeded, so a damaged file never leaves a
// half-read tree behind. Every count and length is checked against the bytes
// that are left before anything is allocated for it.
#include "document/Document.h"
#include "document/Layout.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lw {

constexpr std::uint32_t kStaCurrent = 0xCAFC;
constexpr std::uint32_t kStaExtended = 0xCAFB;
constexpr std::uint32_t kStaGrid60 = 0xCAFF;
constexpr std::uint32_t kStaGrid200 = 0xCAFD;
constexpr std::uint32_t kStaOldest = 0xCAFE;

// The program's messages about family tree files.
inline const QString kMsgCannotCreate = QStringLiteral("Datei konnte nicht erstellt werden.");
inline const QString kMsgCannotOpen = QStringLiteral("Datei konnte nicht geöffnet werden.");
inline const QString kMsgNotATree = QStringLiteral("Datei enthält keinen Stammbaum.");
inline const QString kMsgNewerRevision = QStringLiteral(
    "Die Datei stammt aus einer neueren Version von Lindwerk und kann nicht geöffnet werden.");
inline const QString kMsgDamaged = QStringLiteral("Die Datei ist beschädigt oder unvollständig.");
inline const QString kMsgTooLarge =
    QStringLiteral("Die Datei ist zu groß für einen Stammbaum und wurde nicht geöffnet.");
inline const QString kMsgNoMemory =
    QStringLiteral("Nicht genügend Arbeitsspeicher, um die Datei zu lesen.");

// No family tree file is larger than this; bigger files are refused before
// they are read.
constexpr qint64 kMaxStaFileSize = qint64(2) * 1024 * 1024 * 1024;

// Where a reader gets further bytes: fills `into` with up to `size` bytes and
// returns how many it gave, 0 at the end, -1 when reading failed.
using StaSource = std::function<qint64(char* into, size_t size)>;

// A byte source that refuses to read past its end. It reads either a buffer
// that holds the whole file or, in pieces, a source of known size; the pieces
// go through one small buffer, so that reading a large file touches little
// fresh memory.
class StaReader {
  public:
    explicit StaReader(const QByteArray& bytes)
        : p_(reinterpret_cast<const std::uint8_t*>(bytes.constData())),
          left_(size_t(bytes.size())) {}
    StaReader(const char* data, size_t size)
        : p_(reinterpret_cast<const std::uint8_t*>(data)), left_(size) {}
    // `size`: the bytes `source` holds; a source that ends earlier counts as
    // a damaged file, one that holds more is read only up to `size`.
    StaReader(StaSource source, size_t size);

    // The bytes not read yet.
    size_t left() const { return left_ + more_; }
    // Each throws StaError when the bytes run out.
    std::uint8_t u8() {
        need(1);
        --left_;
        return *p_++;
    }
    std::int32_t i32() {
        need(4);
        const std::uint32_t v = std::uint32_t(p_[0]) | std::uint32_t(p_[1]) << 8 |
                                std::uint32_t(p_[2]) << 16 | std::uint32_t(p_[3]) << 24;
        p_ += 4;
        left_ -= 4;
        return std::int32_t(v);
    }
    std::uint32_t u32() { return std::uint32_t(i32()); }
    double f64();
    std::string bytes(size_t n);
    // The next `n` bytes into `into`, which takes no more memory than they
    // need (assign() would round its capacity up).
    void text(std::string& into, size_t n) { into = std::string(view(n)); }
    // The next `n` bytes where the reader holds them; valid until it reads on.
    std::string_view view(size_t n) {
        need(n);
        const std::string_view v(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        left_ -= n;
        return v;
    }
    void skip(size_t n);
    // A count of items that each need at least `minItemSize` bytes; throws
    // when negative or when the rest of the file cannot hold them.
    std::int32_t count(size_t minItemSize);

  private:
    void need(size_t n) {
        if (n > left_) refill(n);
    }
    // Reads on until at least `n` bytes are at hand.
    void refill(size_t n);

    const std::uint8_t* p_ = nullptr;
    size_t left_ = 0; // bytes at hand from p_ on
    size_t more_ = 0; // bytes the source still holds beyond them
    StaSource source_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    size_t capacity_ = 0;
};

// Where a writer hands its bytes on; false when they could not be written.
using StaSink = std::function<bool(const char* data, size_t size)>;

// Bytes written into one buffer: reserve() the final size first and it is
// never grown again. A writer with a sink instead hands every full buffer to
// the sink and starts it anew; flush() hands over the rest.
class StaWriter {
  public:
    StaWriter() = default;
    StaWriter(StaSink sink, qsizetype bufferSize) : sink_(std::move(sink)) { resize(bufferSize); }

    void reserve(qsizetype bytes) {
        if (bytes > capacity_) resize(bytes);
    }
    void u8(std::uint8_t v) { *room(1) = char(v); }
    void i32(std::int32_t v) {
        const std::uint32_t u = std::uint32_t(v);
        char* p = room(4);
        p[0] = char(u);
        p[1] = char(u >> 8);
        p[2] = char(u >> 16);
        p[3] = char(u >> 24);
    }
    void u32(std::uint32_t v) { i32(std::int32_t(v)); }
    void f64(double v);
    void bytes(std::string_view s) {
        if (!s.empty()) std::memcpy(room(qsizetype(s.size())), s.data(), s.size());
    }
    // The bytes written so far (a writer without sink); the end of writing.
    const QByteArray& data() {
        resize(used_);
        return out_;
    }
    // Hands the rest to the sink; false when the sink refused any bytes.
    bool flush();

  private:
    char* room(qsizetype n) {
        if (used_ + n > capacity_) makeRoom(n);
        char* p = begin_ + used_;
        used_ += n;
        return p;
    }
    void makeRoom(qsizetype n);
    void resize(qsizetype size) {
        out_.resize(size);
        begin_ = out_.data();
        capacity_ = size;
    }

    QByteArray out_;
    char* begin_ = nullptr; // out_'s bytes, kept apart from its checks for sharing
    qsizetype capacity_ = 0;
    qsizetype used_ = 0;
    StaSink sink_;
    bool sinkFailed_ = false;
};

struct StaError {
    QString message;
};

// One counted text: a 4-byte length, then the characters.
void WriteLenString(StaWriter& w, const std::string& text);
void ReadLenString(StaReader& r, std::string& text);

// One font record; reading takes the stored pixels per inch before the size.
void WriteFontRecord(StaWriter& w, const TFontInfo& font);
void ReadFontRecord(StaReader& r, TFontInfo& font);

// What a family tree file holds. `box` starts as the settings in force and
// takes the values the file carries (older revisions carry fewer).
struct StaFile {
    std::uint32_t revision = kStaCurrent;
    Document doc;
    BoxLayout box;
};

struct StaReadResult {
    std::optional<StaFile> file; // empty on failure
    QString error;               // German message on failure
};

// Parses a whole file; the document's FileName is left empty.
StaReadResult parseSta(const QByteArray& bytes, const BoxLayout& current);
// The same for the bytes that `r` gives.
StaReadResult parseSta(StaReader& r, const BoxLayout& current);
// Reads `path`; on success the document's FileName is `path`, Modified false.
// The first four bytes are checked before the file is read whole; files
// larger than kMaxStaFileSize and reads that run out of memory are refused
// with a German message.
StaReadResult loadSta(const QString& path, const BoxLayout& current);

// Revisions below 0xCAFB that carry the mark of a family tree file: written
// by a later version of the program.
inline bool isNewerStaRevision(std::uint32_t magic) {
    return magic >= 0xCA00 && magic < kStaExtended;
}

// Whether the tree holds anything that revision 0xCAFC cannot: a text with a
// letter outside Windows-1252, a field beyond it not at its default, a
// partnership, the family line style.
bool needsExtendedSta(const Document& doc, const BoxLayout& box);

// The bytes of revision 0xCAFC, or of 0xCAFB when needsExtendedSta.
QByteArray serializeSta(const Document& doc, const BoxLayout& box);
// Writes through a temporary file that replaces `path` only when complete.
// False with `error` set ("Datei konnte nicht erstellt werden.") otherwise.
bool saveSta(const QString& path, const Document& doc, const BoxLayout& box, QString* error);

// Text of a date value (days since 30 December 1899) in the form dd.MM.yyyy;
// empty for a value that names no representable day.
std::string oleDateText(double days);

} // namespace lw
