// Family tree files with families: revision 0xCAFB keeps sex, places,
// events, parent relations, partnerships, the line style and every letter;
// a tree that needs none of it is written as 0xCAFC, byte for byte as
// before; damaged or newer files are refused with a message.
#include "document/StaFile.h"
#include "document/StaSections.h"
#include "platform/DocText.h"
#include "tests/TestPersons.h"

#include <QByteArray>
#include <cstring>
#include <gtest/gtest.h>

using namespace lw;

namespace {

std::uint32_t magicOf(const QByteArray& bytes) {
    std::uint32_t m = 0;
    std::memcpy(&m, bytes.constData(), 4);
    return m;
}

QByteArray u32(std::uint32_t v) {
    return QByteArray(reinterpret_cast<const char*>(&v), 4);
}

// Three persons of one family, with everything the new revision holds.
Document richFamily() {
    Document doc;
    TPerson father = test::personAt(0, 0, "Zeln\u00ED\u010Dkov\u00E1");
    father.sex = Sex::Male;
    father.birthPlace = "Brno";
    father.deathPlace = "Wien";
    father.baptism = {"3 FEB 1712/13", "St. Jakob"};
    father.burial = {"", "Zentralfriedhof"};
    doc.addPerson(father);
    TPerson mother = test::personAt(1, 0, "Qa\u0263an");
    mother.sex = Sex::Female;
    doc.addPerson(mother);
    TPerson child = test::personAt(0, 1, "\u738B");
    child.sex = Sex::Other;
    child.Vater = 0;
    child.Mutter = 1;
    child.motherRelation = ParentRelation::Adopted;
    doc.addPerson(child);
    Partnership married;
    married.first = 0;
    married.second = 1;
    married.marriage = {"ABT 1740", "Olm\u00FCtz"};
    doc.addPartnership(married);
    Partnership second; // the father's second, partner not known, divorced
    second.first = 0;
    second.firstRank = 1;
    second.divorced = true;
    second.divorce = {"1750", ""};
    second.married = true; // married on a day not known
    doc.addPartnership(second);
    doc.chart.lineStyle = LineStyle::FamilyLines;
    doc.chart.headingFont.Name.clear();
    for (int i = 0; i < 200; ++i)
        doc.chart.headingFont.Name += "\u0142"; // 400 bytes
    return doc;
}

} // namespace

TEST(StaFamilies, RichTreeComesBackWithEverything) {
    const Document doc = richFamily();
    const QByteArray bytes = serializeSta(doc, BoxLayout{});
    EXPECT_EQ(magicOf(bytes), kStaExtended);
    StaReadResult r = parseSta(bytes, BoxLayout{});
    ASSERT_TRUE(r.file) << r.error.toStdString();
    const Document& back = r.file->doc;
    ASSERT_EQ(back.PersonCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const TPerson &a = doc.person(i), &b = back.person(i);
        EXPECT_EQ(b.NachName, a.NachName);
        EXPECT_EQ(b.sex, a.sex);
        EXPECT_EQ(b.birthPlace, a.birthPlace);
        EXPECT_EQ(b.deathPlace, a.deathPlace);
        EXPECT_EQ(b.baptism, a.baptism);
        EXPECT_EQ(b.burial, a.burial);
        EXPECT_EQ(b.fatherRelation, a.fatherRelation);
        EXPECT_EQ(b.motherRelation, a.motherRelation);
    }
    EXPECT_EQ(back.Partnerships(), doc.Partnerships());
    EXPECT_EQ(back.chart.lineStyle, LineStyle::FamilyLines);
    // A font name has at most 255 bytes in the file, cut before a letter.
    EXPECT_EQ(back.chart.headingFont.Name, doc.chart.headingFont.Name.substr(0, 254));
    EXPECT_EQ(serializeSta(back, r.file->box), bytes);
}

// A font name past 255 bytes keeps what the file can hold, and the tree is
// written in the revision that kept name needs: saved again, the same bytes.
TEST(StaFamilies, AnOverlongFontNameSavesTheSameTwice) {
    Document doc;
    doc.addPerson(test::personAt(0, 0, "Ulm"));
    doc.chart.headingFont.Name = std::string(254, 'x') + "\u0100"; // past Windows-1252
    const QByteArray first = serializeSta(doc, BoxLayout{});
    StaReadResult r = parseSta(first, BoxLayout{});
    ASSERT_TRUE(r.file);
    EXPECT_EQ(r.file->doc.chart.headingFont.Name, std::string(254, 'x'));
    EXPECT_EQ(serializeSta(r.file->doc, r.file->box), first);
}

// Each thing only the new revision holds makes the file 0xCAFB; taken away
// again, the file is the very bytes of 0xCAFC it was before.
TEST(StaFamilies, OnlyWhatNeedsItTurnsTheFileIntoTheNewRevision) {
    const auto plainTree = [](Document& d) {
        d.addPerson(test::personAt(0, 0, "M\u00FCller\u20AC\u0081")); // all in Windows-1252
    };
    Document plain;
    plainTree(plain);
    const QByteArray before = serializeSta(plain, BoxLayout{});
    ASSERT_EQ(magicOf(before), kStaCurrent);
    EXPECT_NE(before.indexOf(QByteArray("M\xFCller\x80\x81")), -1);

    struct Case {
        const char* what;
        void (*change)(Document&);
    };
    const Case cases[] = {
        {"a letter beyond Windows-1252",
         [](Document& d) {
             TPerson q = d.person(0);
             q.VorName = "\u0141ukasz";
             d.replacePerson(0, q);
         }},
        {"a sex",
         [](Document& d) {
             TPerson q = d.person(0);
             q.sex = Sex::Female;
             d.replacePerson(0, q);
         }},
        {"a burial place",
         [](Document& d) {
             TPerson q = d.person(0);
             q.burial.place = "Ulm";
             d.replacePerson(0, q);
         }},
        {"a partnership", [](Document& d) { d.addPartnership(Partnership{}); }},
        {"family lines", [](Document& d) { d.chart.lineStyle = LineStyle::FamilyLines; }},
        {"a heading beyond Windows-1252", [](Document& d) { d.chart.Caption = "\u738B"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Document d;
        plainTree(d);
        c.change(d);
        const QByteArray bytes = serializeSta(d, BoxLayout{});
        EXPECT_EQ(magicOf(bytes), kStaExtended);
        StaReadResult r = parseSta(bytes, BoxLayout{});
        ASSERT_TRUE(r.file) << r.error.toStdString();
        EXPECT_EQ(serializeSta(r.file->doc, r.file->box), bytes);
    }
    Document undone;
    plainTree(undone);
    undone.addPartnership(Partnership{});
    undone.removePartnership(0);
    EXPECT_EQ(serializeSta(undone, BoxLayout{}), before);
}

// Bad bytes never give a half-read tree: every truncation, a newer revision,
// an unknown section that must be understood, a section twice, partner
// numbers and ill-formed UTF-8 are handled as the table says.
TEST(StaFamilies, DamagedAndNewerFilesAreRefusedOrMended) {
    const QByteArray bytes = serializeSta(richFamily(), BoxLayout{});
    for (qsizetype cut = 4; cut < bytes.size(); cut += 7) {
        const StaReadResult r = parseSta(bytes.left(cut), BoxLayout{});
        EXPECT_FALSE(r.file) << cut;
        EXPECT_FALSE(r.error.isEmpty()) << cut;
    }
    const QByteArray end = u32(0) + u32(0) + u32(0);
    ASSERT_TRUE(bytes.endsWith(end));
    const QByteArray body = bytes.left(bytes.size() - end.size());
    struct Case {
        const char* what;
        QByteArray file;
        QString error; // empty: read
    };
    const Case cases[] = {
        {"a newer revision", u32(0xCAFA) + bytes.mid(4), kMsgNewerRevision},
        {"an unknown section that must be understood",
         body + u32(77) + u32(kStaSectionRequired) + u32(2) + "xy" + end, kMsgNewerRevision},
        {"an unknown section that may be skipped",
         body + u32(77) + u32(0) + u32(2) + "xy" + end,
         {}},
        {"a section longer than the file", body + u32(77) + u32(0) + u32(1000) + end, kMsgDamaged},
        {"the chart twice", body + u32(kStaSectionChart) + u32(0) + u32(1) + "\x01" + end,
         kMsgDamaged},
        {"an end with content", body + u32(0) + u32(0) + u32(4) + u32(0), kMsgDamaged},
        {"the partnerships twice",
         body + u32(kStaSectionPartnerships) + u32(1) + u32(4) + u32(0) + end, kMsgDamaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StaReadResult r = parseSta(c.file, BoxLayout{});
        if (c.error.isEmpty()) {
            ASSERT_TRUE(r.file) << r.error.toStdString();
            EXPECT_EQ(r.file->doc.Partnerships().size(), 2u);
        } else {
            EXPECT_FALSE(r.file);
            EXPECT_EQ(r.error, c.error);
        }
    }

    // Ill-formed UTF-8 in a name becomes U+FFFD; a partner number outside
    // the persons becomes "not known".
    Document odd;
    odd.addPerson(test::personAt(0, 0, "\u738B"));
    Partnership far;
    far.first = 0;
    far.second = 0;
    odd.addPartnership(far);
    QByteArray file = serializeSta(odd, BoxLayout{});
    const qsizetype name = file.indexOf("\xE7\x8E\x8B");
    ASSERT_NE(name, -1);
    file[name + 1] = '\xFF';
    // The partnership is the last record: first, second, two ranks, two
    // empty texts, the divorce mark, two empty texts; then the end.
    const qsizetype first = file.size() - end.size() - (4 * 4 + 8 + 1 + 8);
    ASSERT_EQ(file.mid(first, 8), u32(0) + u32(0));
    file.replace(first + 4, 4, u32(5)); // second partner: person 5 of 1
    const StaReadResult r = parseSta(file, BoxLayout{});
    ASSERT_TRUE(r.file) << r.error.toStdString();
    const std::string& mended = r.file->doc.person(0).NachName;
    EXPECT_TRUE(isValidUtf8(mended));
    EXPECT_NE(mended.find("\xEF\xBF\xBD"), std::string::npos) << mended;
    ASSERT_EQ(r.file->doc.Partnerships().size(), 1u);
    EXPECT_EQ(r.file->doc.Partnerships()[0].first, 0);
    EXPECT_EQ(r.file->doc.Partnerships()[0].second, -1);
}
