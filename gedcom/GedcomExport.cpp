#include "gedcom/GedcomExport.h"

#include "document/StaFile.h"
#include "gedcom/GedcomDate.h"
#include "gedcom/GedcomImport.h"
#include "platform/DocText.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
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

// A person's text as UTF-8 on one line (bytes that are no UTF-8 become the
// replacement sign rather than a broken file).
QByteArray utf8(const std::string& text) {
    bool plain = true;
    for (char c : text)
        if (uchar(c) >= 0x80 || c == '\r' || c == '\n') plain = false;
    if (plain) return QByteArray(text.data(), qsizetype(text.size()));
    QString s = fromDocText(text);
    s.replace(u'\r', u' ').replace(u'\n', u' ');
    return s.toUtf8();
}

QByteArray pictureForm(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"jpeg" || suffix == u"jpe") return "jpg";
    if (suffix == u"tiff") return "tif";
    return suffix.isEmpty() ? QByteArray("jpg") : suffix.toUtf8();
}

// The picture's name as the file written into `folder` should hold it: a
// name relative to the tree file, or one inside `folder`, relative to
// `folder`; other names as they are.
QString pictureName(const QString& stored, const QString& treeFile, const QString& folder) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    if (folder.isEmpty() || drive.match(stored).hasMatch() || stored.startsWith(u'\\'))
        return stored;
    QString name = stored;
    name.replace(u'\\', u'/');
    const bool relative = QDir::isRelativePath(name);
    if (relative && treeFile.isEmpty()) return stored;
    const QString full = relative ? QFileInfo(treeFile).absoluteDir().filePath(name) : name;
    const QString inFolder = QDir(folder).relativeFilePath(QDir::cleanPath(full));
    if (relative || !inFolder.startsWith(QLatin1String(".."))) return inFolder;
    return stored;
}

QByteArray pointer(char prefix, int number) {
    return '@' + QByteArray(1, prefix) + QByteArray::number(number) + '@';
}

const char* sexTag(Sex sex) {
    switch (sex) {
    case Sex::Male:
        return "M";
    case Sex::Female:
        return "F";
    case Sex::Other:
        return "X";
    case Sex::Unknown:
        break;
    }
    return nullptr;
}

// The pedigree word of a FAMC line; the same words, capitalised, tell a
// father's or mother's own relation on the family's CHIL line.
QByteArray relationWord(ParentRelation r) {
    switch (r) {
    case ParentRelation::Birth:
        return "birth";
    case ParentRelation::Adopted:
        return "adopted";
    case ParentRelation::Foster:
        return "foster";
    case ParentRelation::Sealing:
        return "sealing";
    case ParentRelation::Other:
        break;
    }
    return "other";
}

QByteArray capitalised(QByteArray word) {
    word[0] = char(word[0] - 'a' + 'A');
    return word;
}

// A family of the file: a partnership, or a father–mother pair of children
// that no partnership holds.
struct Family {
    int husb = -1;
    int wife = -1;
    const Partnership* partnership = nullptr;
    std::vector<int> children;
};

struct Families {
    std::vector<Family> list;
    std::vector<int> childFamily;               // person → family as child, or -1
    std::vector<std::vector<int>> spouseFamily; // person → families as partner, in order
};

Families familiesOf(const Document& doc) {
    const int n = doc.PersonCount();
    auto valid = [n](int p) { return p >= 0 && p < n ? p : -1; };
    Families f;
    f.childFamily.assign(size_t(n), -1);
    f.spouseFamily.resize(size_t(n));
    // Each person's partnerships by rank, then list order.
    std::vector<std::vector<std::pair<std::int32_t, int>>> ranked(static_cast<size_t>(n));
    std::map<std::pair<int, int>, int> ofPair;
    for (const Partnership& pt : doc.Partnerships()) {
        const int husb = valid(pt.first), wife = valid(pt.second);
        if (husb < 0 && wife < 0) continue;
        const int index = int(f.list.size());
        f.list.push_back({husb, wife, &pt, {}});
        ofPair.try_emplace({husb, wife}, index);
        if (husb >= 0) ranked[size_t(husb)].emplace_back(pt.firstRank, index);
        if (wife >= 0 && wife != husb) ranked[size_t(wife)].emplace_back(pt.secondRank, index);
    }
    for (int i = 0; i < n; ++i) {
        std::stable_sort(ranked[size_t(i)].begin(), ranked[size_t(i)].end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& r : ranked[size_t(i)])
            f.spouseFamily[size_t(i)].push_back(r.second);
    }
    for (int i = 0; i < n; ++i) {
        const TPerson& p = doc.person(i);
        const int father = doc.validParent(i, p.Vater);
        const int mother = doc.validParent(i, p.Mutter);
        if (father < 0 && mother < 0) continue;
        auto [it, added] = ofPair.try_emplace({father, mother}, int(f.list.size()));
        if (added) {
            f.list.push_back({father, mother, nullptr, {}});
            if (father >= 0) f.spouseFamily[size_t(father)].push_back(it->second);
            if (mother >= 0 && mother != father)
                f.spouseFamily[size_t(mother)].push_back(it->second);
        }
        f.list[size_t(it->second)].children.push_back(i);
        f.childFamily[size_t(i)] = it->second;
    }
    return f;
}

void writeEvent(Writer& w, int level, const char* tag, const std::string& date,
                const std::string& place) {
    if (date.empty() && place.empty()) return;
    w.line(level, tag);
    if (!date.empty())
        w.text(level + 1, "DATE", gedcomDate(fromDocText(utf8(date).toStdString())).toUtf8());
    if (!place.empty()) w.text(level + 1, "PLAC", utf8(place));
}

} // namespace

QByteArray exportGedcom(const Document& doc, const QString& folder) {
    const Families families = familiesOf(doc);
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
        if (const char* sex = sexTag(p.sex)) w.line(1, "SEX", sex);
        writeEvent(w, 1, "BIRT", p.GebDate, p.birthPlace);
        writeEvent(w, 1, "CHR", p.baptism.date, p.baptism.place);
        writeEvent(w, 1, "DEAT", p.StDate, p.deathPlace);
        writeEvent(w, 1, "BURI", p.burial.date, p.burial.place);
        const int childOf = families.childFamily[size_t(i)];
        if (childOf >= 0) {
            w.line(1, "FAMC", fam(childOf));
            const Family& f = families.list[size_t(childOf)];
            // One pedigree for both parents; differing ones go on the CHIL line.
            const ParentRelation r = f.husb >= 0 ? p.fatherRelation : p.motherRelation;
            const bool same = f.husb < 0 || f.wife < 0 || p.fatherRelation == p.motherRelation;
            if (same && r != ParentRelation::Birth) w.line(2, "PEDI", relationWord(r));
        }
        for (int f : families.spouseFamily[size_t(i)])
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
            const QString file =
                pictureName(fromDocText(utf8(p.Bild).toStdString()), doc.FileName, folder);
            w.line(1, "OBJE");
            w.text(2, "FILE", file.toUtf8());
            w.line(3, "FORM", pictureForm(file));
        }
        if (p.GridX != -1 || p.GridY != -1)
            w.line(1, "_LWPOS", QByteArray::number(p.GridX) + ' ' + QByteArray::number(p.GridY));
    }
    for (int f = 0; f < int(families.list.size()); ++f) {
        const Family& family = families.list[size_t(f)];
        w.record("FAM", 'F', f + 1);
        if (family.husb >= 0) w.line(1, "HUSB", indi(family.husb));
        if (family.wife >= 0) w.line(1, "WIFE", indi(family.wife));
        if (const Partnership* pt = family.partnership) {
            writeEvent(w, 1, "MARR", pt->marriage.date, pt->marriage.place);
            if (pt->married && pt->marriage.empty()) w.line(1, "MARR", "Y");
            if (pt->divorced && pt->divorce.empty()) w.line(1, "DIV", "Y");
            if (pt->divorced) writeEvent(w, 1, "DIV", pt->divorce.date, pt->divorce.place);
        }
        for (int c : family.children) {
            w.line(1, "CHIL", indi(c));
            const TPerson& child = doc.person(c);
            if (family.husb >= 0 && family.wife >= 0 &&
                child.fatherRelation != child.motherRelation) {
                w.line(2, "_FREL", capitalised(relationWord(child.fatherRelation)));
                w.line(2, "_MREL", capitalised(relationWord(child.motherRelation)));
            }
        }
    }
    w.line(0, "TRLR");
    return w.bytes;
}

bool saveGedcom(const QString& path, const Document& doc, QString* error) {
    if (writeWholeFile(path, exportGedcom(doc, QFileInfo(path).absolutePath()))) return true;
    if (error) *error = kMsgCannotCreate;
    return false;
}

} // namespace lw::gedcom
