#include "gedcom/GedcomExport.h"

#include "document/StaFile.h"
#include "gedcom/GedcomDate.h"
#include "gedcom/GedcomImport.h"
#include "platform/WholeFile.h"
#include "platform/Win1252.h"

#include <QFileInfo>
#include <map>
#include <utility>

namespace lw::gedcom {

namespace {

constexpr qsizetype kMaxValue = 200; // bytes of a value before CONC takes over

// Builds the file as UTF-8 bytes.
class Writer {
  public:
    QByteArray bytes;

    void line(int level, const char* tag, const QByteArray& value = {}) {
        bytes += char('0' + level);
        bytes += ' ';
        bytes += tag;
        if (!value.isEmpty()) {
            bytes += ' ';
            bytes += value;
        }
        bytes += "\r\n";
    }
    void record(const char* kind, char prefix, int number) {
        bytes += "0 @";
        bytes += prefix;
        bytes += QByteArray::number(number);
        bytes += "@ ";
        bytes += kind;
        bytes += "\r\n";
    }

    // A text value: "@" doubled, line breaks as CONT, long lines cut with
    // CONC where no blank is at the cut (readers may trim blanks there) and
    // never inside a character.
    void text(int level, const char* tag, QByteArray value) {
        if (value.contains('@')) value.replace("@", "@@");
        qsizetype start = 0;
        for (bool first = true;; first = false) {
            const qsizetype end = value.indexOf('\n', start);
            QByteArray rest = value.mid(start, end < 0 ? -1 : end - start);
            line(first ? level : level + 1, first ? tag : "CONT", cut(rest));
            while (!rest.isEmpty())
                line(level + 1, "CONC", cut(rest));
            if (end < 0) break;
            start = end + 1;
        }
    }

  private:
    static QByteArray cut(QByteArray& rest) {
        if (rest.size() <= kMaxValue) return std::exchange(rest, QByteArray());
        auto inside = [&](qsizetype at) { return (uchar(rest[at]) & 0xC0) == 0x80; };
        qsizetype at = kMaxValue;
        while (at > kMaxValue / 2 && (rest[at] == ' ' || rest[at - 1] == ' ' || inside(at)))
            --at;
        while (inside(at))
            --at;
        QByteArray head = rest.left(at);
        rest.remove(0, at);
        return head;
    }
};

// A person's text as UTF-8 on one line.
QByteArray utf8(const std::string& ansi) {
    bool plain = true;
    for (char c : ansi)
        if (uchar(c) >= 0x80 || c == '\r' || c == '\n') plain = false;
    if (plain) return QByteArray(ansi.data(), qsizetype(ansi.size()));
    QString s = fromAnsi(ansi);
    s.replace(u'\r', u' ').replace(u'\n', u' ');
    return s.toUtf8();
}

QByteArray pictureForm(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"jpeg" || suffix == u"jpe") return "jpg";
    if (suffix == u"tiff") return "tif";
    return suffix.isEmpty() ? QByteArray("jpg") : suffix.toUtf8();
}

QByteArray pointer(char prefix, int number) {
    return '@' + QByteArray(1, prefix) + QByteArray::number(number) + '@';
}

} // namespace

QByteArray exportGedcom(const Document& doc) {
    // The families: each distinct father–mother pair, in order of the first
    // child.
    std::map<std::pair<int, int>, int> familyOf;
    std::vector<std::pair<int, int>> families;
    std::vector<std::vector<int>> children;
    std::vector<int> childFamily(size_t(doc.PersonCount()), -1);
    std::vector<std::vector<int>> spouseFamilies(size_t(doc.PersonCount()));
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        const int father = doc.validParent(i, p.Vater);
        const int mother = doc.validParent(i, p.Mutter);
        if (father < 0 && mother < 0) continue;
        auto [it, added] = familyOf.try_emplace({father, mother}, int(families.size()));
        if (added) {
            families.push_back({father, mother});
            children.emplace_back();
            if (father >= 0) spouseFamilies[size_t(father)].push_back(it->second);
            if (mother >= 0 && mother != father)
                spouseFamilies[size_t(mother)].push_back(it->second);
        }
        children[size_t(it->second)].push_back(i);
        childFamily[size_t(i)] = it->second;
    }
    auto indi = [](int i) { return pointer('I', i + 1); };
    auto fam = [](int f) { return pointer('F', f + 1); };

    Writer w;
    w.bytes.reserve(qsizetype(doc.PersonCount()) * 300 + 512);
    w.line(0, "HEAD");
    w.line(1, "SOUR", "LINDWERK");
    w.line(2, "NAME", "Lindwerk");
    w.line(2, "VERS", "3.0");
    w.line(1, "SUBM", "@U1@");
    w.line(1, "GEDC");
    w.line(2, "VERS", "5.5.1");
    w.line(2, "FORM", "LINEAGE-LINKED");
    w.line(1, "CHAR", "UTF-8");
    w.line(1, "_LWAREA",
           QByteArray::number(doc.AreaWidth) + ' ' + QByteArray::number(doc.AreaHeight));
    w.record("SUBM", 'U', 1);
    w.line(1, "NAME", "Lindwerk");

    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        w.record("INDI", 'I', i + 1);
        const QByteArray given = utf8(p.VorName), surname = utf8(p.NachName);
        w.text(1, "NAME", given.isEmpty() ? '/' + surname + '/' : given + " /" + surname + '/');
        if (!given.isEmpty()) w.text(2, "GIVN", given);
        if (!surname.isEmpty()) w.text(2, "SURN", surname);
        if (!p.GebDate.empty()) {
            w.line(1, "BIRT");
            w.text(2, "DATE", gedcomDate(QString::fromUtf8(utf8(p.GebDate))).toUtf8());
        }
        if (!p.StDate.empty()) {
            w.line(1, "DEAT");
            w.text(2, "DATE", gedcomDate(QString::fromUtf8(utf8(p.StDate))).toUtf8());
        }
        if (childFamily[size_t(i)] >= 0) w.line(1, "FAMC", fam(childFamily[size_t(i)]));
        for (int f : spouseFamilies[size_t(i)])
            w.line(1, "FAMS", fam(f));
        if (!p.Leben.empty()) {
            QByteArray note;
            for (size_t k = 0; k < p.Leben.size(); ++k) {
                if (k > 0) note += '\n';
                note += utf8(p.Leben[k]);
            }
            w.text(1, "NOTE", note);
        }
        if (!p.Bild.empty()) {
            const QByteArray file = utf8(p.Bild);
            w.line(1, "OBJE");
            w.text(2, "FILE", file);
            w.line(3, "FORM", pictureForm(QString::fromUtf8(file)));
        }
        if (p.GridX != -1 || p.GridY != -1)
            w.line(1, "_LWPOS", QByteArray::number(p.GridX) + ' ' + QByteArray::number(p.GridY));
    }
    for (int f = 0; f < int(families.size()); ++f) {
        w.record("FAM", 'F', f + 1);
        if (families[size_t(f)].first >= 0) w.line(1, "HUSB", indi(families[size_t(f)].first));
        if (families[size_t(f)].second >= 0) w.line(1, "WIFE", indi(families[size_t(f)].second));
        for (int c : children[size_t(f)])
            w.line(1, "CHIL", indi(c));
    }
    w.line(0, "TRLR");
    return w.bytes;
}

bool saveGedcom(const QString& path, const Document& doc, QString* error) {
    if (writeWholeFile(path, exportGedcom(doc))) return true;
    if (error) *error = kMsgCannotCreate;
    return false;
}

} // namespace lw::gedcom
