#include "gedcom/GedcomImport.h"

#include "document/Layout.h"
#include "document/StaFile.h"
#include "gedcom/GedcomDate.h"
#include "gedcom/GedcomText.h"
#include "gedcom/ImportTally.h"
#include "gedcom/Importer.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace lw::gedcom {

namespace detail {

namespace {

constexpr int kListedSkippedLines = 50;

std::string trimBlanks(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Sex sexOf(const QString& value) {
    const QString v = value.trimmed().toUpper();
    if (v == u"M") return Sex::Male;
    if (v == u"F") return Sex::Female;
    if (v == u"X") return Sex::Other;
    return Sex::Unknown;
}

} // namespace

QString cleanText(const QString& value, bool keepTabs, bool leadingAtOnly) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'@' && i + 1 < value.size() && value[i + 1] == u'@' &&
            (!leadingAtOnly || i == 0)) {
            out += c;
            ++i;
        } else if (c == u'\t') {
            out += keepTabs ? c : QChar(u' ');
        } else if (c.unicode() >= 0x20 || c == u'\n') {
            out += c;
        }
    }
    return out;
}

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

Importer::Importer(const GedcomLines& g, const QString& folder, ImportReport& report)
    : g_(g), folder_(folder), report_(report), taken_(g.lines.size(), 0) {}

void Importer::takeAll(int line) {
    std::fill(taken_.begin() + line, taken_.begin() + g_.lines[size_t(line)].end, 1);
}

int Importer::takeChild(int parent, const QString& tag) {
    const int line = firstChild(g_, parent, tag);
    if (line >= 0) take(line);
    return line;
}

void Importer::noteRepeatedId(const GedcomLine& l, int firstLine) {
    report_.repeatedIds << QStringLiteral("Zeile %1: @%2@ %3 (zuerst in Zeile %4)")
                               .arg(l.lineNo)
                               .arg(l.xref, l.tag)
                               .arg(g_.lines[size_t(firstLine)].lineNo);
}

void Importer::checkSpouses(int fam) {
    for (const char* tag : {"HUSB", "WIFE"}) {
        int seen = 0;
        forChildren(g_, fam, [&](int i, const GedcomLine& c) {
            if (c.tag != QLatin1String(tag) || seen++ == 0) return;
            take(i); // listed on its own below
            report_.extraSpouses << QStringLiteral("Zeile %1: %2 %3 in Familie @%4@")
                                        .arg(c.lineNo)
                                        .arg(QLatin1String(tag), c.value.trimmed(),
                                             g_.lines[size_t(fam)].xref);
        });
    }
}

void Importer::indexRecords() {
    qsizetype records = 0;
    for (int i = 0; i < int(g_.lines.size()); i = g_.lines[size_t(i)].end)
        ++records;
    // Each index holds a share of the records: room for all of them at once.
    for (QHash<QString, int>* index : {&idLines_, &persons_, &families_, &childFamily_})
        index->reserve(records);
    int count = 0;
    for (int i = 0; i < int(g_.lines.size()); i = g_.lines[size_t(i)].end) {
        const GedcomLine& l = g_.lines[size_t(i)];
        if (i == 0 && l.tag == u"HEAD") {
            const int sour = firstChild(g_, i, QStringLiteral("SOUR"));
            ownFile_ = sour >= 0 && valueOf(sour).trimmed() == u"LINDWERK";
            const int gedc = firstChild(g_, i, QStringLiteral("GEDC"));
            const int vers = gedc >= 0 ? firstChild(g_, gedc, QStringLiteral("VERS")) : -1;
            gedcom7_ = vers >= 0 && valueOf(vers).trimmed().startsWith(u'7');
        }
        // The header, the submitter and the trailer describe the file, not
        // the family: nothing of them is missed.
        if (l.tag == u"HEAD" || l.tag == u"TRLR" || l.tag == u"SUBM" || l.tag == u"SUBN")
            takeAll(i);
        if (!l.xref.isEmpty()) {
            const auto first = idLines_.constFind(l.xref);
            if (first == idLines_.cend())
                idLines_.insert(l.xref, i);
            else
                noteRepeatedId(l, *first);
        }
        if (l.tag == u"INDI") {
            if (!l.xref.isEmpty() && !persons_.contains(l.xref)) persons_.insert(l.xref, count);
            ++count; // every INDI becomes a person, even one without or with a repeated id
        } else if (l.xref.isEmpty()) {
            continue;
        } else if (l.tag == u"FAM") {
            checkSpouses(i);
            if (!families_.contains(l.xref)) families_.insert(l.xref, i);
            forChildren(g_, i, [&](int, const GedcomLine& c) {
                if (c.tag == u"CHIL") {
                    const QString child = pointerOf(c.value);
                    if (!child.isEmpty() && !childFamily_.contains(child))
                        childFamily_.insert(child, i);
                }
            });
        } else if (l.tag == u"NOTE" || l.tag == u"SNOTE" || l.tag == u"OBJE") {
            if (!records_.contains(l.xref)) records_.insert(l.xref, i);
        }
    }
    personCount_ = count;
}

void Importer::splitName(int nameLine, QString& given, QString& surname) {
    const int givn = takeChild(nameLine, QStringLiteral("GIVN"));
    const int surn = takeChild(nameLine, QStringLiteral("SURN"));
    if (ownFile_) {
        // This program writes each non-empty name part as it is; a part it
        // does not write is empty.
        auto exact = [&](int line) {
            return line >= 0 ? clean(valueOf(line), true).replace(u'\n', u' ') : QString();
        };
        given = exact(givn);
        surname = exact(surn);
        return;
    }
    const QString value = clean(valueOf(nameLine)).replace(u'\n', u' ');
    const qsizetype slashes = value.count(u'/');
    if ((slashes != 2 || value.trimmed().isEmpty()) && (givn >= 0 || surn >= 0)) {
        given = givn >= 0 ? clean(valueOf(givn)).trimmed() : QString();
        surname = surn >= 0 ? clean(valueOf(surn)).trimmed() : QString();
        return;
    }
    const qsizetype first = value.indexOf(u'/');
    if (first < 0) {
        given = value.trimmed();
        surname.clear();
        return;
    }
    const qsizetype second = value.indexOf(u'/', first + 1);
    given = value.left(first).trimmed();
    surname = value.mid(first + 1, second < 0 ? -1 : second - first - 1).trimmed();
    const QString suffix = second < 0 ? QString() : value.mid(second + 1).trimmed();
    if (!suffix.isEmpty()) surname = surname.isEmpty() ? suffix : surname + u' ' + suffix;
}

LifeEvent Importer::event(int parent, std::initializer_list<const char*> tags, int* chosen) {
    int best = -1, bestScore = -1;
    for (const char* tag : tags)
        forChildren(g_, parent, [&](int i, const GedcomLine& ev) {
            if (ev.tag != QLatin1String(tag)) return;
            const int score = (firstChild(g_, i, QStringLiteral("DATE")) >= 0 ? 2 : 0) +
                              (firstChild(g_, i, QStringLiteral("PLAC")) >= 0 ? 1 : 0);
            if (score > bestScore) {
                best = i;
                bestScore = score;
            }
        });
    if (chosen) *chosen = best;
    LifeEvent e;
    if (best < 0) return e;
    take(best);
    // A date or place is one line: continuation lines inside it join with a blank.
    const int date = takeChild(best, QStringLiteral("DATE"));
    if (date >= 0) {
        const QString written = clean(valueOf(date));
        auto known = germanDates_.constFind(written);
        if (known == germanDates_.cend())
            known = germanDates_.insert(written, utf8(germanDate(written).replace(u'\n', u' ')));
        e.date = *known;
    }
    const int place = takeChild(best, QStringLiteral("PLAC"));
    if (place >= 0) {
        QString text = clean(valueOf(place), ownFile_).replace(u'\n', u' ');
        e.place = utf8(ownFile_ ? text : text.trimmed());
    }
    return e;
}

void Importer::notes(int indi, TPerson& p) {
    forChildren(g_, indi, [&](int i, const GedcomLine& c) {
        if (c.tag != u"NOTE" && c.tag != u"SNOTE") return;
        QString text = c.value;
        const QString ref = pointerOf(c.value);
        if (!ref.isEmpty()) {
            const int rec = records_.value(ref, -1);
            take(i); // a pointer to nothing is listed with the dangling references
            if (rec < 0 || g_.lines[size_t(rec)].tag == u"OBJE") return;
            take(rec);
            text = valueOf(rec);
        }
        take(i);
        for (const QString& line : clean(text, ownFile_).split(u'\n')) {
            p.Leben.push_back(utf8(line));
            ++report_.notes;
        }
    });
}

TPerson Importer::person(int indi, int index) {
    take(indi);
    TPerson p;
    QString given, surname;
    const int nameLine = takeChild(indi, QStringLiteral("NAME"));
    if (nameLine >= 0) splitName(nameLine, given, surname);
    const QString name = (given + u' ' + surname).trimmed();
    p.VorName = utf8(given);
    p.NachName = utf8(surname);
    if (!ownFile_) {
        p.VorName = trimBlanks(std::move(p.VorName));
        p.NachName = trimBlanks(std::move(p.NachName));
    }
    const int sex = takeChild(indi, QStringLiteral("SEX"));
    if (sex >= 0) p.sex = sexOf(valueOf(sex));
    LifeEvent birth = event(indi, {"BIRT"});
    p.GebDate = std::move(birth.date);
    p.birthPlace = std::move(birth.place);
    LifeEvent death = event(indi, {"DEAT"});
    p.StDate = std::move(death.date);
    p.deathPlace = std::move(death.place);
    p.baptism = event(indi, {"CHR", "BAPM"});
    p.burial = event(indi, {"BURI"});
    const QString pic = picture(indi);
    if (!pic.isEmpty()) p.Bild = utf8(pic);
    notes(indi, p);
    ParentRelation father = ParentRelation::Birth, mother = ParentRelation::Birth;
    const int fam = parentFamily(indi, index, name, father, mother);
    if (fam >= 0) {
        const int husb = firstChild(g_, fam, QStringLiteral("HUSB"));
        const int wife = firstChild(g_, fam, QStringLiteral("WIFE"));
        if (husb >= 0) p.Vater = persons_.value(pointerOf(valueOf(husb)), -1);
        if (wife >= 0) p.Mutter = persons_.value(pointerOf(valueOf(wife)), -1);
        p.fatherRelation = father;
        p.motherRelation = mother;
        childRelations(fam, g_.lines[size_t(indi)].xref, p);
    }
    spouseRanks(indi, index);
    position(indi, p);
    return p;
}

Document Importer::run() {
    indexRecords();
    report_.danglingPointers = danglingReferences(g_, idLines_);
    Document doc;
    doc.reservePersons(personCount_);
    int index = 0;
    std::int32_t maxX = -1, maxY = -1;
    for (int i = 0; i < int(g_.lines.size()); i = g_.lines[size_t(i)].end) {
        const GedcomLine& l = g_.lines[size_t(i)];
        if (l.level == 0 && l.tag == u"HEAD") {
            const int area = firstChild(g_, i, kAreaTag);
            if (area >= 0) {
                const QStringList wh = valueOf(area).simplified().split(u' ');
                if (wh.size() == 2) {
                    doc.AreaWidth = kAreaRange.clamp(wh[0].toDouble());
                    doc.AreaHeight = kAreaRange.clamp(wh[1].toDouble());
                }
            }
        }
        if (l.level != 0 || l.tag != u"INDI") continue;
        TPerson p = person(i, index);
        // A cell that an earlier person holds stays with that person.
        if (p.GridX >= 0 && doc.GridBesetzt(p.GridX, p.GridY)) p.GridX = p.GridY = -1;
        if (p.GridX >= 0) {
            ++report_.placed;
            maxX = std::max(maxX, p.GridX);
            maxY = std::max(maxY, p.GridY);
        }
        p.Vater = p.Vater == index ? -1 : p.Vater;
        p.Mutter = p.Mutter == index ? -1 : p.Mutter;
        doc.addPerson(std::move(p));
        ++index;
    }
    report_.persons = index;
    doc.adoptPartnerships(partnerships());
    report_.families = int(doc.Partnerships().size());
    doc.AreaWidth = std::max(doc.AreaWidth, maxX + 1);
    doc.AreaHeight = std::max(doc.AreaHeight, maxY + 1);
    report_.untaken = untakenStructures(g_, taken_);
    return doc;
}

} // namespace detail

GedcomImportResult importGedcom(const QByteArray& bytes, const QString& folder) noexcept {
    GedcomImportResult result;
    try {
        const DecodedText decoded = decodeGedcom(bytes);
        const GedcomLines lines = parseGedcomLines(decoded.text);
        if (!lines.hasHeader) {
            result.error = kMsgNotGedcom;
            return result;
        }
        ImportReport& r = result.report;
        r.encoding = encodingName(decoded.encoding);
        if (decoded.declaredDiffers)
            r.encodingNote = QStringLiteral("Die Datei nennt einen anderen Zeichensatz; gelesen "
                                            "wurde sie als %1.")
                                 .arg(r.encoding);
        r.missingTrailer = !lines.hasTrailer;
        r.oddLastByte = decoded.oddLastByte;
        r.skippedLineCount = int(lines.skipped.size());
        for (size_t i = 0; i < lines.skipped.size() && i < detail::kListedSkippedLines; ++i)
            r.skippedLines << QStringLiteral("Zeile %1: %2")
                                  .arg(lines.skipped[i].lineNo)
                                  .arg(lines.skipped[i].text);
        detail::Importer importer(lines, folder, r);
        result.doc = importer.run();
        result.doc->Modified = true;
    } catch (...) {
        result.doc.reset();
        result.error = kMsgNotGedcom;
    }
    return result;
}

GedcomImportResult loadGedcom(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        GedcomImportResult result;
        result.error = kMsgCannotOpen;
        return result;
    }
    const QByteArray bytes = file.readAll();
    return importGedcom(bytes, QFileInfo(path).absolutePath());
}

} // namespace lw::gedcom
