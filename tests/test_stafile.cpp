#include "document/StaFile.h"
#include "document/StaRewrite.h"
#include "platform/MemoryReady.h"
#include "tests/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>

using namespace lw;

namespace {

// Little-endian bytes written out by hand, independent of the writer.
struct Bytes {
    QByteArray b;
    Bytes& u8(int v) {
        b.append(char(v));
        return *this;
    }
    Bytes& i32(std::int64_t v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((std::uint64_t(v) >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes& f64(double d) {
        std::uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int i = 0; i < 8; ++i)
            b.append(char(u >> (8 * i)));
        return *this;
    }
    Bytes& text(const char* s) {
        i32(std::int64_t(std::strlen(s)));
        b.append(s);
        return *this;
    }
    Bytes& hex(const char* h) {
        b.append(QByteArray::fromHex(h));
        return *this;
    }
};

// The seven box words of every revision but the oldest.
Bytes& boxWords(Bytes& b, std::int64_t w = 168, std::int64_t h = 96, std::int64_t p = 50) {
    return b.i32(0x00E1FFFF).i32(0).i32(w).i32(h).i32(p).i32(1).i32(1);
}

TPerson person(const char* surname, int x, int y) {
    TPerson p;
    p.NachName = surname;
    p.GridX = x;
    p.GridY = y;
    return p;
}

StaFile parsed(const QByteArray& bytes, const BoxLayout& current = BoxLayout{}) {
    StaReadResult r = parseSta(bytes, current);
    EXPECT_TRUE(r.file.has_value()) << r.error.toStdString();
    return r.file ? std::move(*r.file) : StaFile{};
}

QByteArray richFile() {
    Document doc;
    TPerson a = person("M\u00FC"
                       "ller\u20AC\u0081",
                       3, 4); // ü, euro sign and an unassigned byte
    a.VorName = "Anna";
    a.GebDate = "1.2.1900";
    a.StDate = "ca. 1970";
    a.Bild = "bilder/anna.png";
    a.Leben = {"Lebte in Ulm.", "",
               "Stra\u00DF"
               "e \"7\""};
    doc.addPerson(a);
    TPerson b = person("Bauer", -1, -1);
    b.Vater = 0;
    b.Mutter = 7; // invalid, but kept as it is
    doc.addPerson(b);
    doc.addPerson(person("Zwilling", 3, 4)); // shares a cell, as only files can
    doc.AreaWidth = 123;
    doc.AreaHeight = 45;
    doc.chart.Caption = "Familie \u00C4rger";
    doc.chart.headingFont.Name = "Liberation Serif";
    doc.chart.headingFont.Style = fsBold | fsUnderline;
    doc.chart.headingFont.Color = 0x000000FF;
    doc.chart.setRandOED2(7.5);
    doc.chart.setRandOEd(0);
    doc.chart.setRandLEd(50);
    BoxLayout box;
    box.bkColor = clInfoBk;
    box.borderColor = 0x00123456;
    box.font.Name = "DejaVu Sans";
    box.font.Height = -15;
    box.font.Pitch = fpVariable;
    box.font.Charset = 238;
    box.setBreit(200);
    box.setHoch(120);
    box.setBild(0);
    box.setAusricht(2);
    box.LeblaufCheck = false;
    return serializeSta(doc, box);
}

} // namespace

TEST(StaFile, WritesTheOnePersonExampleByteForByte) {
    Document doc;
    doc.addPerson(person("A", 0, 0));
    Bytes expected;
    expected.hex("FCCA0000").hex("01000000").hex("0100000041");
    for (int i = 0; i < 4; ++i)
        expected.hex("00000000");
    expected.hex("FFFFFFFF").hex("FFFFFFFF").hex("00000000").hex("00000000").hex("00000000");
    expected.i32(60).i32(60);
    boxWords(expected);
    expected.text("Stammbaum der Familie X");
    // Heading font: ANSI, window text, "Arial Black", default pitch, 96 ppi, 14 pt.
    expected.u8(0).i32(0x80000008).u8(11).hex("417269616C20426C61636B").u8(0).i32(96).i32(14).u8(0);
    // Box font: "Arial", 11 px = 8 pt.
    expected.u8(0).i32(0x80000008).u8(5).hex("417269616C").u8(0).i32(96).i32(8).u8(0);
    expected.f64(6).f64(18).f64(12);
    EXPECT_EQ(serializeSta(doc, BoxLayout{}).toHex(' '), expected.b.toHex(' '));
}

TEST(StaFile, RoundTripKeepsEveryValue) {
    QByteArray bytes = richFile();
    StaFile f = parsed(bytes);
    EXPECT_EQ(f.revision, kStaCurrent);
    const Document& doc = f.doc;
    ASSERT_EQ(doc.PersonCount(), 3);
    const TPerson& a = doc.person(0);
    EXPECT_EQ(a.NachName, "M\u00FC"
                          "ller\u20AC\u0081");
    EXPECT_EQ(a.VorName, "Anna");
    EXPECT_EQ(a.GebDate, "1.2.1900");
    EXPECT_EQ(a.StDate, "ca. 1970");
    EXPECT_EQ(a.Bild, "bilder/anna.png");
    EXPECT_EQ(a.Leben, (std::vector<std::string>{"Lebte in Ulm.", "",
                                                 "Stra\u00DF"
                                                 "e \"7\""}));
    EXPECT_EQ(doc.person(1).Vater, 0);
    EXPECT_EQ(doc.person(1).Mutter, 7);
    EXPECT_EQ(doc.person(1).GridX, -1);
    EXPECT_EQ(doc.GridNr(3, 4), 0);
    EXPECT_EQ(doc.AreaWidth, 123);
    EXPECT_EQ(doc.AreaHeight, 45);
    EXPECT_EQ(doc.chart.Caption, "Familie \u00C4rger");
    EXPECT_EQ(doc.chart.headingFont.Name, "Liberation Serif");
    EXPECT_EQ(doc.chart.headingFont.Style, fsBold | fsUnderline);
    EXPECT_EQ(doc.chart.headingFont.Height, -19);
    EXPECT_EQ(doc.chart.RandOED2, 7.5);
    EXPECT_EQ(doc.chart.RandOEd, 0);
    EXPECT_EQ(doc.chart.RandLEd, 50);
    EXPECT_EQ(f.box.bkColor, clInfoBk);
    EXPECT_EQ(f.box.borderColor, 0x00123456u);
    EXPECT_EQ(f.box.font.Name, "DejaVu Sans");
    EXPECT_EQ(f.box.font.Height, -15);
    EXPECT_EQ(f.box.font.Charset, 238);
    EXPECT_EQ(f.box.font.Pitch, fpVariable);
    EXPECT_EQ(f.box.BreitEd, 200);
    EXPECT_EQ(f.box.HochEd, 120);
    EXPECT_EQ(f.box.BildEd, 0);
    EXPECT_EQ(f.box.Textausricht, 2);
    EXPECT_FALSE(f.box.LeblaufCheck);
    // Written again, the bytes are the same.
    EXPECT_EQ(serializeSta(doc, f.box), bytes);
}

TEST(StaFile, FontSizeGoesThroughPointsAtTheStoredResolution) {
    TFontInfo font = defaultHeadingFont();
    StaWriter w;
    WriteFontRecord(w, font);
    QByteArray b = w.data();
    EXPECT_EQ(b.mid(1 + 4 + 1 + 11 + 1 + 4, 4), QByteArray::fromHex("0E000000")); // 14 points
    StaReader r(b);
    TFontInfo back;
    ReadFontRecord(r, back);
    EXPECT_EQ(back.Height, -19);
    EXPECT_EQ(back, font);

    // A record stored at 120 ppi: 10 points become -17 pixels at that resolution.
    Bytes rec;
    rec.u8(0).i32(0).u8(1).hex("58").u8(2).i32(120).i32(10).u8(0xFF);
    StaReader r2(rec.b);
    ReadFontRecord(r2, back);
    EXPECT_EQ(back.PixelsPerInch, 120);
    EXPECT_EQ(back.Height, -17);
    EXPECT_EQ(back.Pitch, fpFixed);
    EXPECT_EQ(back.Style, 0x0F);

    // A name longer than 255 characters keeps its length modulo 256.
    font.Name = std::string(260, 'x');
    StaWriter w2;
    WriteFontRecord(w2, font);
    EXPECT_EQ(quint8(w2.data()[5]), 4);
    EXPECT_EQ(w2.data().size(), 1 + 4 + 1 + 4 + 1 + 4 + 4 + 1);
}

TEST(StaFile, SizesAreReadUnsignedThenClamped) {
    Bytes b;
    b.hex("FCCA0000").i32(0).i32(60).i32(60);
    b.i32(0x000000FF).i32(0x80000005).i32(-1).i32(5).i32(-1).i32(7).i32(42);
    b.text("").u8(0).i32(0).u8(0).u8(0).i32(96).i32(8).u8(0);
    b.u8(0).i32(0).u8(0).u8(0).i32(96).i32(8).u8(0);
    b.f64(-1).f64(std::nan("")).f64(99);
    StaFile f = parsed(b.b);
    EXPECT_EQ(f.box.BreitEd, 1000);
    EXPECT_EQ(f.box.HochEd, 10);
    EXPECT_EQ(f.box.BildEd, 90);
    EXPECT_EQ(f.box.Textausricht, 2);
    EXPECT_TRUE(f.box.LeblaufCheck);
    EXPECT_EQ(f.box.borderColor, 0x80000005u);
    EXPECT_EQ(f.doc.chart.RandOED2, 0);
    EXPECT_EQ(f.doc.chart.RandOEd, 0);
    EXPECT_EQ(f.doc.chart.RandLEd, 50);
}

TEST(StaFile, ReadsTheGridRevisions) {
    for (auto [magic, n] : {std::pair{0xCAFFu, 60}, std::pair{0xCAFDu, 200}}) {
        Bytes b;
        b.i32(magic).i32(2);
        for (const char* name : {"Erster", "Zweiter"})
            b.text(name).text("").text("1900").text("").text("p.bmp").i32(-1).i32(0).i32(1).text(
                "x");
        QByteArray grid(n * n * 8, '\0');
        auto cell = [&](int x, int y, int taken, int index) {
            int at = (x * n + y) * 8;
            grid[at] = char(taken);
            std::int32_t v = index;
            std::memcpy(grid.data() + at + 4, &v, 4);
        };
        cell(2, 5, 1, 1);     // person 1 at column 2, row 5
        cell(n - 1, 0, 1, 9); // index out of range: ignored
        cell(3, 3, 0, 0);     // not taken: ignored
        cell(0, 1, 0xFF, 0);  // any non-zero byte means taken
        b.b.append(grid);
        boxWords(b, 300, 50, 20);
        BoxLayout current;
        current.font.Name = "Eigene";
        StaFile f = parsed(b.b, current);
        EXPECT_EQ(f.revision, magic);
        EXPECT_EQ(f.doc.AreaWidth, n);
        EXPECT_EQ(f.doc.AreaHeight, n);
        ASSERT_EQ(f.doc.PersonCount(), 2);
        EXPECT_EQ(f.doc.person(0).GridX, 0);
        EXPECT_EQ(f.doc.person(0).GridY, 1);
        EXPECT_EQ(f.doc.person(1).GridX, 2);
        EXPECT_EQ(f.doc.person(1).GridY, 5);
        EXPECT_EQ(f.doc.person(1).Bild, "p.bmp");
        EXPECT_EQ(f.doc.person(1).Mutter, 0);
        EXPECT_EQ(f.doc.person(1).Leben, std::vector<std::string>{"x"});
        EXPECT_EQ(f.box.BreitEd, 300);
        EXPECT_EQ(f.box.BildEd, 20);
        EXPECT_EQ(f.box.font.Name, "Eigene"); // no fonts in these revisions
        EXPECT_EQ(f.doc.chart, ChartLayout{});
    }
}

TEST(StaFile, ReadsTheOldestRevisionWithDatesAsText) {
    Bytes b;
    b.hex("FECA0000").i32(1);
    b.text("Alt").text("Otto").f64(1.0 + 0.75).f64(44927.0); // 31.12.1899 at 18:00, 1.1.2023
    b.i32(-1).i32(-1).i32(2).text("eins").text("zwei");
    BoxLayout current;
    current.setBreit(444);
    StaFile f = parsed(b.b, current);
    ASSERT_EQ(f.doc.PersonCount(), 1);
    const TPerson& p = f.doc.person(0);
    EXPECT_EQ(p.GebDate, "31.12.1899");
    EXPECT_EQ(p.StDate, "01.01.2023");
    EXPECT_TRUE(p.Bild.empty());
    EXPECT_EQ(p.GridX, -1);
    EXPECT_EQ(p.Leben.size(), 2u);
    EXPECT_EQ(f.doc.AreaWidth, 60);
    EXPECT_EQ(f.box.BreitEd, 444); // the settings stay as they were
    EXPECT_EQ(oleDateText(0), "30.12.1899");
    EXPECT_EQ(oleDateText(-1.5), "29.12.1899");
    EXPECT_EQ(oleDateText(1e300), "");
    EXPECT_EQ(oleDateText(std::nan("")), "");
}

TEST(StaFile, RefusesEveryTruncationOfAValidFile) {
    QByteArray full = richFile();
    ASSERT_TRUE(parseSta(full, BoxLayout{}).file);
    for (qsizetype len = 0; len < full.size(); ++len) {
        StaReadResult r = parseSta(full.left(len), BoxLayout{});
        ASSERT_FALSE(r.file) << "accepted a file cut at " << len;
        ASSERT_EQ(r.error, kMsgDamaged) << len;
    }
}

TEST(StaFile, RefusesImplausibleCountsAndUnknownMagic) {
    auto refused = [](const QByteArray& b) {
        StaReadResult r = parseSta(b, BoxLayout{});
        return r.file ? QString() : r.error;
    };
    EXPECT_EQ(refused(Bytes().hex("FCCA0000").i32(0x7FFFFFFF).b), kMsgDamaged);
    EXPECT_EQ(refused(Bytes().hex("FCCA0000").i32(-1).b), kMsgDamaged);
    EXPECT_EQ(refused(Bytes().hex("FCCA0000").i32(1).i32(0x7FFFFFF0).b), kMsgDamaged);
    Bytes lines;
    lines.hex("FCCA0000").i32(1).text("").text("").text("").text("").text("").i32(-1).i32(-1);
    lines.i32(100000000).i32(0).i32(0);
    EXPECT_EQ(refused(lines.b), kMsgDamaged);
    EXPECT_EQ(refused(Bytes().hex("4D5A9000").i32(0).b), kMsgNotATree);
    EXPECT_EQ(refused(QByteArray("PK")), kMsgDamaged);
}

TEST(StaFile, LoadAndSaveThroughFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("baum.sta"));

    EXPECT_EQ(loadSta(path, BoxLayout{}).error, kMsgCannotOpen);

    Document doc;
    doc.addPerson(person("Kurz", 1, 1));
    ASSERT_TRUE(saveSta(path, doc, BoxLayout{}, nullptr));
    StaReadResult r = loadSta(path, BoxLayout{});
    ASSERT_TRUE(r.file);
    EXPECT_EQ(r.file->doc.FileName, path);
    EXPECT_FALSE(r.file->doc.Modified);
    EXPECT_EQ(r.file->doc.person(0).NachName, "Kurz");

    // A save that fails part-way leaves the file that was there.
    QString error;
    Document big;
    for (int i = 0; i < 200; ++i)
        big.addPerson(person("Sehr langer Nachname", i, 0));
    {
        lw::test::FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(saveSta(path, big, BoxLayout{}, &error));
    }
    EXPECT_EQ(error, kMsgCannotCreate);
    EXPECT_EQ(loadSta(path, BoxLayout{}).file->doc.PersonCount(), 1);
    EXPECT_FALSE(saveSta(dir.filePath(QStringLiteral("fehlt/baum.sta")), doc, BoxLayout{}, &error));
    EXPECT_EQ(error, kMsgCannotCreate);
}

// Font records at the edges: sizes that would overflow when negated, and
// resolutions that are not positive. The size settles after one reading,
// so the next save writes the same bytes.
TEST(StaFile, ImplausibleFontRecordsSettleAfterOneReading) {
    struct Case {
        std::int32_t ppi;
        std::int32_t size;
    };
    const Case cases[] = {{96, INT32_MIN}, {96, INT32_MAX}, {-1, 44},      {0, -2147483647},
                          {INT32_MIN, 1},  {INT32_MAX, 12}, {1, 44739242}, {-120, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ppi << " ppi, size " << c.size);
        Bytes rec;
        rec.u8(0).i32(0).u8(5).hex("417269616C").u8(0).i32(c.ppi).i32(c.size).u8(0);
        StaReader r(rec.b);
        TFontInfo font;
        ReadFontRecord(r, font);
        EXPECT_LE(std::abs(font.Height), kMaxFontHeight);
        StaWriter first;
        WriteFontRecord(first, font);
        StaReader again(first.data());
        TFontInfo back;
        ReadFontRecord(again, back);
        StaWriter second;
        WriteFontRecord(second, back);
        EXPECT_EQ(second.data(), first.data());
    }
    // A resolution that is not positive counts as the screen's.
    Bytes rec;
    rec.u8(0).i32(0).u8(1).hex("58").u8(0).i32(0).i32(12).u8(0);
    StaReader r(rec.b);
    TFontInfo font;
    ReadFontRecord(r, font);
    EXPECT_EQ(font.Height, -16);
}

// Files larger than the reading and writing pieces: boundaries fall inside
// counts and texts, one biography line is larger than a piece, the persons
// are enough for their memory to be made ready on a second thread, and a
// write that fails after the first piece keeps the old file.
TEST(StaFile, LargeFilesGoThroughInPiecesByteForByte) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("gross.sta"));
    Document doc;
    for (int i = 0; i < 20000; ++i) {
        TPerson p = person(std::string(size_t(i % 37), char('a' + i % 26)).c_str(), i % 50, i / 50);
        p.Leben = {std::string(size_t(i % 101), 'x'), "Zeile"};
        p.Vater = i - 1;
        doc.addPerson(p);
    }
    TPerson big = person("Lang", -1, -1);
    std::string umlauts;
    for (int i = 0; i < 700 * 1024; ++i)
        umlauts += "\u00E4"; // one byte each in the file
    big.Leben = {umlauts};
    doc.addPerson(big);
    const QByteArray bytes = serializeSta(doc, BoxLayout{});
    ASSERT_GT(bytes.size(), 1024 * 1024);
    ASSERT_GE(doc.Persons().size() * sizeof(TPerson), MemoryReady::kMinBytes);

    ASSERT_TRUE(saveSta(path, doc, BoxLayout{}, nullptr));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    file.close();
    StaReadResult r = loadSta(path, BoxLayout{});
    ASSERT_TRUE(r.file) << r.error.toStdString();
    EXPECT_EQ(serializeSta(r.file->doc, r.file->box), bytes);

    for (qsizetype cut :
         {qsizetype(4), qsizetype(300000), bytes.size() - 400000, bytes.size() - 1}) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.left(cut));
        file.close();
        EXPECT_EQ(loadSta(path, BoxLayout{}).error, kMsgDamaged) << cut;
    }

    Document other;
    other.addPerson(person("Anders", 0, 0));
    ASSERT_TRUE(saveSta(path, other, BoxLayout{}, nullptr));
    {
        lw::test::FileSizeLimit limit(400 * 1024);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(saveSta(path, doc, BoxLayout{}, nullptr));
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), serializeSta(other, BoxLayout{}));
}

namespace {

// What a conversion left: whether the rewrite took the file, the message,
// and the written file (none when nothing was written).
struct Converted {
    bool handled = true;
    QString error;
    std::optional<QByteArray> bytes;
};

std::optional<QByteArray> contents(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

Converted rewritten(const QString& in, const QString& out) {
    QFile::remove(out);
    const StaRewriteResult r = rewriteSta(in, out, BoxLayout{});
    return {r.handled, r.error, contents(out)};
}

Converted throughTheTree(const QString& in, const QString& out) {
    QFile::remove(out);
    StaReadResult r = loadSta(in, BoxLayout{});
    QString error = r.error;
    if (r.file) saveSta(out, r.file->doc, r.file->box, &error);
    return {true, error, contents(out)};
}

} // namespace

// Rewriting a tree file without its document writes what reading and saving
// the tree writes, refuses what reading refuses with the same message, and
// leaves alone (writing nothing) what it does not take.
TEST(StaFile, RewriteGivesTheBytesOfReadingAndSavingTheTree) {
    struct Case {
        std::string name;
        QByteArray bytes;
        bool handled;
    };
    Bytes odd; // values the reader clamps, a Windows-1252 heading, bytes after the tree
    odd.hex("FCCA0000").i32(1).text("A").text("").text("").text("").text("");
    odd.i32(7).i32(-5).i32(1).text("Zeile").i32(2).i32(3).i32(99999).i32(-4);
    boxWords(odd, -1, 0x7FFFFFFF, -1).text("\xC4rger");
    odd.u8(0).i32(0).u8(1).hex("58").u8(0).i32(-1).i32(INT32_MIN).u8(0xFF);
    odd.u8(0).i32(0).u8(0).u8(0).i32(96).i32(8).u8(0).f64(-3).f64(1e300).f64(std::nan(""));
    odd.hex("0102030405");
    Document large; // pieces of the copy end inside records and texts
    for (int i = 0; i < 3000; ++i) {
        TPerson p = person(std::string(size_t(i % 41), char('a' + i % 26)).c_str(), i, 0);
        p.Leben = {std::string(size_t(100 + i % 97), 'x'), "Stra\u00DFe"};
        large.addPerson(p);
    }
    Document wide;
    wide.addPerson(person("\u4E2D", 0, 0)); // a letter beyond Windows-1252
    Bytes lines;
    lines.hex("FCCA0000").i32(1).text("").text("").text("").text("").text("").i32(-1).i32(-1);
    lines.i32(100000000).i32(0).i32(0);

    std::vector<Case> cases = {
        {"reich", richFile(), true},
        {"schief", odd.b, true},
        {"gross", serializeSta(large, BoxLayout{}), true},
        {"leer", serializeSta(Document{}, BoxLayout{}), true},
        {"erweitert", serializeSta(wide, BoxLayout{}), false},
        {"viele Personen", Bytes().hex("FCCA0000").i32(0x7FFFFFFF).b, true},
        {"viele Zeilen", lines.b, true},
        {"neuer", Bytes().hex("00CA0000").i32(0).b, false},
        {"fremd", QByteArray("PK\x03\x04"), false},
    };
    const QByteArray rich = richFile();
    for (qsizetype len = 0; len < rich.size(); ++len)
        cases.push_back({"abgeschnitten " + std::to_string(len), rich.left(len), len >= 4});
    const QDir samples(QStringLiteral(LINDWERK_STA_SAMPLES));
    for (const QString& name : samples.entryList({QStringLiteral("*.sta")})) {
        const QByteArray bytes = *contents(samples.filePath(name));
        cases.push_back(
            {name.toStdString(), bytes, bytes.startsWith(QByteArray::fromHex("FCCA0000"))});
    }
    ASSERT_GT(cases.size(), rich.size() + 12);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString in = dir.filePath(QStringLiteral("ein.sta"));
    const QString out = dir.filePath(QStringLiteral("aus.sta"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        const Converted fast = rewritten(in, out);
        ASSERT_EQ(fast.handled, c.handled);
        if (!fast.handled) {
            EXPECT_FALSE(fast.bytes);
            continue;
        }
        const Converted slow = throughTheTree(in, out);
        EXPECT_EQ(fast.error, slow.error);
        ASSERT_EQ(fast.bytes.has_value(), slow.bytes.has_value());
        if (fast.bytes) {
            EXPECT_EQ(fast.bytes->toHex(' '), slow.bytes->toHex(' '));
        }
    }
    // A folder that is not there: nothing to write into, as for a save.
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(rich);
    f.close();
    const QString nowhere = dir.filePath(QStringLiteral("fehlt/aus.sta"));
    EXPECT_EQ(rewritten(in, nowhere).error, throughTheTree(in, nowhere).error);
    EXPECT_EQ(rewritten(in, nowhere).error, kMsgCannotCreate);
}
