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

constexpr qsizetype kMaxValue = 200; // characters of a value before CONC takes over

class Writer {
  public:
    QByteArray bytes;

    void line(int level, const QString& tagAndXref, const QString& value = {}) {
        bytes += QByteArray::number(level);
        bytes += ' ';
        bytes += tagAndXref.toUtf8();
        if (!value.isEmpty()) {
            bytes += ' ';
            bytes += value.toUtf8();
        }
        bytes += "\r\n";
    }

    // A text value: "@" doubled, line breaks as CONT, long lines cut with
    // CONC where no blank is at the cut (readers may trim blanks there).
    void text(int level, const QString& tag, const QString& value) {
        const QStringList parts = QString(value).replace(u'@', QLatin1String("@@")).split(u'\n');
        for (qsizetype k = 0; k < parts.size(); ++k) {
            QString rest = parts[k];
            QString first = cut(rest);
            line(k == 0 ? level : level + 1, k == 0 ? tag : QStringLiteral("CONT"), first);
            while (!rest.isEmpty())
                line(level + 1, QStringLiteral("CONC"), cut(rest));
        }
    }

  private:
    static QString cut(QString& rest) {
        if (rest.size() <= kMaxValue) return std::exchange(rest, QString());
        qsizetype at = kMaxValue;
        while (at > kMaxValue / 2 &&
               (rest[at] == u' ' || rest[at - 1] == u' ' || rest[at].isLowSurrogate()))
            --at;
        if (rest[at].isLowSurrogate()) --at;
        QString head = rest.left(at);
        rest.remove(0, at);
        return head;
    }
};

QString oneLine(const std::string& ansi) {
    QString s = fromAnsi(ansi);
    s.replace(u'\r', u' ').replace(u'\n', u' ');
    return s;
}

QString pictureForm(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"jpeg" || suffix == u"jpe") return QStringLiteral("jpg");
    if (suffix == u"tiff") return QStringLiteral("tif");
    return suffix.isEmpty() ? QStringLiteral("jpg") : suffix;
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
    auto indi = [](int i) { return QStringLiteral("@I%1@").arg(i + 1); };
    auto fam = [](int f) { return QStringLiteral("@F%1@").arg(f + 1); };

    Writer w;
    w.bytes.reserve(qsizetype(doc.PersonCount()) * 200 + 512);
    w.line(0, QStringLiteral("HEAD"));
    w.line(1, QStringLiteral("SOUR"), QStringLiteral("LINDWERK"));
    w.line(2, QStringLiteral("NAME"), QStringLiteral("Lindwerk"));
    w.line(2, QStringLiteral("VERS"), QStringLiteral("3.0"));
    w.line(1, QStringLiteral("SUBM"), QStringLiteral("@U1@"));
    w.line(1, QStringLiteral("GEDC"));
    w.line(2, QStringLiteral("VERS"), QStringLiteral("5.5.1"));
    w.line(2, QStringLiteral("FORM"), QStringLiteral("LINEAGE-LINKED"));
    w.line(1, QStringLiteral("CHAR"), QStringLiteral("UTF-8"));
    w.line(1, kAreaTag, QStringLiteral("%1 %2").arg(doc.AreaWidth).arg(doc.AreaHeight));
    w.line(0, QStringLiteral("@U1@ SUBM"));
    w.line(1, QStringLiteral("NAME"), QStringLiteral("Lindwerk"));

    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        w.line(0, indi(i) + QStringLiteral(" INDI"));
        const QString given = oneLine(p.VorName), surname = oneLine(p.NachName);
        QString name = given.isEmpty() ? QStringLiteral("/") + surname + u'/'
                                       : given + QStringLiteral(" /") + surname + u'/';
        w.text(1, QStringLiteral("NAME"), name);
        if (!given.isEmpty()) w.text(2, QStringLiteral("GIVN"), given);
        if (!surname.isEmpty()) w.text(2, QStringLiteral("SURN"), surname);
        if (!p.GebDate.empty()) {
            w.line(1, QStringLiteral("BIRT"));
            w.text(2, QStringLiteral("DATE"), gedcomDate(oneLine(p.GebDate)));
        }
        if (!p.StDate.empty()) {
            w.line(1, QStringLiteral("DEAT"));
            w.text(2, QStringLiteral("DATE"), gedcomDate(oneLine(p.StDate)));
        }
        if (childFamily[size_t(i)] >= 0)
            w.line(1, QStringLiteral("FAMC"), fam(childFamily[size_t(i)]));
        for (int f : spouseFamilies[size_t(i)])
            w.line(1, QStringLiteral("FAMS"), fam(f));
        if (!p.Leben.empty()) {
            QStringList lines;
            for (const std::string& l : p.Leben)
                lines << oneLine(l);
            w.text(1, QStringLiteral("NOTE"), lines.join(u'\n'));
        }
        if (!p.Bild.empty()) {
            const QString file = oneLine(p.Bild);
            w.line(1, QStringLiteral("OBJE"));
            w.text(2, QStringLiteral("FILE"), file);
            w.line(3, QStringLiteral("FORM"), pictureForm(file));
        }
        if (p.GridX != -1 || p.GridY != -1)
            w.line(1, kPosTag, QStringLiteral("%1 %2").arg(p.GridX).arg(p.GridY));
    }
    for (int f = 0; f < int(families.size()); ++f) {
        w.line(0, fam(f) + QStringLiteral(" FAM"));
        if (families[size_t(f)].first >= 0)
            w.line(1, QStringLiteral("HUSB"), indi(families[size_t(f)].first));
        if (families[size_t(f)].second >= 0)
            w.line(1, QStringLiteral("WIFE"), indi(families[size_t(f)].second));
        for (int c : children[size_t(f)])
            w.line(1, QStringLiteral("CHIL"), indi(c));
    }
    w.line(0, QStringLiteral("TRLR"));
    return w.bytes;
}

bool saveGedcom(const QString& path, const Document& doc, QString* error) {
    if (writeWholeFile(path, exportGedcom(doc))) return true;
    if (error) *error = kMsgCannotCreate;
    return false;
}

} // namespace lw::gedcom
