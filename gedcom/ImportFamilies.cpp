// The import's families: the parents of each person with the kind of
// relation, the couples with their marriage and divorce and the order of a
// person's partnerships; and each person's picture and chart cell.
#include "document/Layout.h"
#include "gedcom/GedcomImport.h"
#include "gedcom/Importer.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace lw::gedcom::detail {

namespace {

const QStringList kPictureKinds = {
    QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
    QStringLiteral("png"), QStringLiteral("bmp"),  QStringLiteral("dib"),
    QStringLiteral("gif"), QStringLiteral("tif"),  QStringLiteral("tiff")};

// A pedigree word (PEDI, lower case in 5.5.1, upper case in 7.0) or a
// father's or mother's relation word (_FREL, _MREL) as a relation.
ParentRelation relationOf(const QString& value) {
    const QString kind = value.trimmed().toLower();
    if (kind.isEmpty() || kind == u"birth" || kind == u"natural") return ParentRelation::Birth;
    if (kind == u"adopted") return ParentRelation::Adopted;
    if (kind == u"foster") return ParentRelation::Foster;
    if (kind == u"sealing") return ParentRelation::Sealing;
    return ParentRelation::Other;
}

quint64 rankKey(int person, int famLine) {
    return (quint64(quint32(person)) << 32) | quint32(famLine);
}

} // namespace

int Importer::parentFamily(int indi, int index, const QString& name, ParentRelation& father,
                           ParentRelation& mother) {
    struct Found {
        int fam;
        ParentRelation kind;
        int frel, mrel; // lines under the FAMC line, as some programs write them
    };
    QList<Found> found;
    int birth = -1;
    forChildren(g_, indi, [&](int i, const GedcomLine& c) {
        if (c.tag != u"FAMC") return;
        take(i); // the others are named in the report; dangling ones are listed
        const int pedi = takeChild(i, QStringLiteral("PEDI"));
        const int frel = takeChild(i, QStringLiteral("_FREL"));
        const int mrel = takeChild(i, QStringLiteral("_MREL"));
        const int fam = families_.value(pointerOf(c.value), -1);
        if (fam < 0 ||
            std::any_of(found.begin(), found.end(), [&](const Found& f) { return f.fam == fam; }))
            return;
        const ParentRelation kind = pedi >= 0 ? relationOf(valueOf(pedi)) : ParentRelation::Birth;
        found.append({fam, kind, frel, mrel});
        if (kind == ParentRelation::Birth && birth < 0) birth = int(found.size()) - 1;
    });
    if (found.size() > 1)
        report_.severalParents << QStringLiteral("Person %1 (%2)").arg(index + 1).arg(name);
    father = mother = ParentRelation::Birth;
    if (found.isEmpty()) return childFamily_.value(g_.lines[size_t(indi)].xref, -1);
    const Found& chosen = found[birth >= 0 ? birth : 0];
    father = mother = chosen.kind;
    if (chosen.frel >= 0) father = relationOf(valueOf(chosen.frel));
    if (chosen.mrel >= 0) mother = relationOf(valueOf(chosen.mrel));
    return chosen.fam;
}

// The family's CHIL line for the child may tell the relation to each parent
// on its own (_FREL, _MREL); it overrides the pedigree of the FAMC line.
void Importer::childRelations(int fam, const QString& child, TPerson& p) {
    if (child.isEmpty()) return;
    QList<int> mine;
    // A small family is searched as it stands; a large one once, into an index.
    if (g_.lines[size_t(fam)].end - fam <= kSearchedFamilyLines) {
        forChildren(g_, fam, [&](int i, const GedcomLine& c) {
            if (c.tag == u"CHIL" && pointerOf(c.value) == child) mine.append(i);
        });
    } else {
        auto lines = childLines_.find(fam);
        if (lines == childLines_.end()) {
            lines = childLines_.insert(fam, {});
            forChildren(g_, fam, [&](int i, const GedcomLine& c) {
                if (c.tag == u"CHIL") (*lines)[pointerOf(c.value)].append(i);
            });
        }
        mine = lines->value(child);
    }
    for (const int i : mine) {
        const int frel = takeChild(i, QStringLiteral("_FREL"));
        const int mrel = takeChild(i, QStringLiteral("_MREL"));
        if (frel >= 0) p.fatherRelation = relationOf(valueOf(frel));
        if (mrel >= 0) p.motherRelation = relationOf(valueOf(mrel));
    }
}

void Importer::spouseRanks(int indi, int index) {
    int rank = 0;
    forChildren(g_, indi, [&](int i, const GedcomLine& c) {
        if (c.tag != u"FAMS") return;
        take(i);
        const int fam = families_.value(pointerOf(c.value), -1);
        if (fam >= 0 && !spouseRank_.contains(rankKey(index, fam)))
            spouseRank_.insert(rankKey(index, fam), rank);
        ++rank;
    });
    spouseCount_.insert(index, rank);
}

std::vector<Partnership> Importer::partnerships() {
    std::vector<Partnership> out;
    // A family the person's FAMS lines do not name comes after those they do.
    auto rank = [&](int person, int fam) {
        return person < 0 ? 0 : spouseRank_.value(rankKey(person, fam), spouseCount_.value(person));
    };
    for (int i = 0; i < int(g_.lines.size()); i = g_.lines[size_t(i)].end) {
        const GedcomLine& l = g_.lines[size_t(i)];
        if (l.level != 0 || l.tag != u"FAM") continue;
        const int husb = firstChild(g_, i, QStringLiteral("HUSB"));
        const int wife = firstChild(g_, i, QStringLiteral("WIFE"));
        Partnership pt;
        if (husb >= 0) pt.first = persons_.value(pointerOf(valueOf(husb)), -1);
        if (wife >= 0) pt.second = persons_.value(pointerOf(valueOf(wife)), -1);
        if (pt.second == pt.first) pt.second = -1;
        // Taken as far as it is read: a family without a known partner
        // stays in the count of what was left.
        if (husb >= 0) take(husb);
        if (wife >= 0) take(wife);
        forChildren(g_, i, [&](int c, const GedcomLine& line) {
            if (line.tag == u"CHIL") take(c);
        });
        if (pt.first < 0 && pt.second < 0) continue;
        take(i);
        pt.firstRank = rank(pt.first, i);
        pt.secondRank = rank(pt.second, i);
        int marr = -1;
        pt.marriage = event(i, {"MARR"}, &marr);
        pt.married = marr >= 0 && pt.marriage.empty() && valueOf(marr).trimmed().toUpper() != u"N";
        int div = -1;
        pt.divorce = event(i, {"DIV"}, &div);
        pt.divorced = div >= 0 && (!pt.divorce.empty() || valueOf(div).trimmed().toUpper() != u"N");
        out.push_back(std::move(pt));
    }
    return out;
}

QString Importer::picture(int indi) {
    QString result;
    forChildren(g_, indi, [&](int i, const GedcomLine& c) {
        if (!result.isEmpty() || c.tag != u"OBJE") return;
        const QString ref = pointerOf(c.value);
        const int obje = ref.isEmpty() ? i : records_.value(ref, -1);
        if (obje < 0 || g_.lines[size_t(obje)].tag != u"OBJE") return;
        const int objeForm = firstChild(g_, obje, QStringLiteral("FORM"));
        forChildren(g_, obje, [&](int f, const GedcomLine& file) {
            if (!result.isEmpty() || file.tag != u"FILE") return;
            QString name = clean(file.value).trimmed();
            if (name.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
                name = QUrl(name).toLocalFile();
            if (name.isEmpty() || name.contains(QLatin1String("://")) ||
                name.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
                return;
            int form = firstChild(g_, f, QStringLiteral("FORM"));
            const int fileForm = form;
            if (form < 0) form = objeForm;
            QString kind = form >= 0 ? valueOf(form).trimmed().toLower() : QString();
            kind.remove(QLatin1String("image/"));
            const QString suffix = QFileInfo(name).suffix().toLower();
            if (!kPictureKinds.contains(suffix) && !kPictureKinds.contains(kind)) return;
            const QString written = name;
            static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
            if (!QDir::isAbsolutePath(name) && !drive.match(name).hasMatch() &&
                !name.startsWith(u'\\')) {
                name.replace(u'\\', u'/');
                if (!folder_.isEmpty()) name = QDir::cleanPath(QDir(folder_).filePath(name));
            }
            result = name;
            take(i);
            take(obje);
            take(f);
            if (fileForm >= 0) take(fileForm);
            if (objeForm >= 0) take(objeForm);
            // The name stays with the person, for when the file turns up.
            if (QFileInfo(name).isFile())
                ++report_.pictures;
            else
                report_.missingPictures << written;
        });
    });
    return result;
}

// The chart cell: this program's own "1 _LWPOS x y", or the custom event
// "1 EVEN x y" with "2 TYPE _LWPOS" that other programs make of it.
void Importer::position(int indi, TPerson& p) {
    int pos = takeChild(indi, kPosTag);
    if (pos < 0)
        forChildren(g_, indi, [&](int i, const GedcomLine& c) {
            if (pos >= 0 || c.tag != u"EVEN") return;
            const int type = firstChild(g_, i, QStringLiteral("TYPE"));
            if (type < 0 || valueOf(type).trimmed() != kPosTag) return;
            pos = i;
            take(i);
            take(type);
        });
    if (pos < 0) return;
    const QStringList xy = valueOf(pos).simplified().split(u' ');
    bool okX = false, okY = false;
    const int x = xy.size() == 2 ? xy[0].toInt(&okX) : 0;
    const int y = xy.size() == 2 ? xy[1].toInt(&okY) : 0;
    if (okX && okY && x >= 0 && y >= 0 && x < kAreaRange.hi && y < kAreaRange.hi) {
        p.GridX = x;
        p.GridY = y;
    }
}

} // namespace lw::gedcom::detail
