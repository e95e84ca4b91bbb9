#include "gedcom/GedcomImport.h"

#include "document/Layout.h"
#include "document/StaFile.h"
#include "gedcom/GedcomDate.h"
#include "gedcom/GedcomLines.h"
#include "gedcom/GedcomText.h"
#include "gedcom/Transliterate.h"
#include "platform/Win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace lw::gedcom {

namespace {

constexpr int kListedSkippedLines = 50;

const QStringList kPictureKinds = {
    QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
    QStringLiteral("png"), QStringLiteral("bmp"),  QStringLiteral("dib"),
    QStringLiteral("gif"), QStringLiteral("tif"),  QStringLiteral("tiff")};

// A text value as the person should hold it: "@@" is one "@", tabs are
// blanks (kept in files this program wrote, which took them from a tree)
// and other control characters go.
QString cleanText(const QString& value, bool keepTabs = false) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'@' && i + 1 < value.size() && value[i + 1] == u'@') {
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

class Importer {
  public:
    Importer(const GedcomLines& g, const QString& folder, ImportReport& report)
        : g_(g), folder_(folder), report_(report) {}

    Document run();

  private:
    void indexRecords();
    void checkSpouses(int fam);
    void checkPointers();
    void noteRepeatedId(const GedcomLine& l, int firstLine);
    TPerson person(int line, int index);
    void splitName(int nameLine, QString& given, QString& surname) const;
    QString eventDate(int indi, std::initializer_list<const char*> tags) const;
    int parentFamily(int indi, int index, const QString& name);
    QString picture(int indi) const;
    void notes(int indi, int index, const QString& name, TPerson& p);
    std::string field(const QString& text, int index, const QString& name, const char* what);

    const GedcomLines& g_;
    QString folder_;
    ImportReport& report_;
    Transliterator translit_;
    QHash<QString, int> persons_;     // INDI id → person index
    QHash<QString, int> families_;    // FAM id → line
    QHash<QString, int> records_;     // NOTE, SNOTE and OBJE records → line
    QHash<QString, int> childFamily_; // INDI id → first FAM that lists it as CHIL
    QHash<QString, int> idLines_;     // record id → line of its first record
    // Written by this program: names and biographies are taken exactly as
    // they were in the tree (blanks at the edges, no-break blanks, tabs).
    bool ownFile_ = false;
};

void Importer::noteRepeatedId(const GedcomLine& l, int firstLine) {
    report_.repeatedIds << QStringLiteral("Zeile %1: @%2@ %3 (zuerst in Zeile %4)")
                               .arg(l.lineNo)
                               .arg(l.xref, l.tag)
                               .arg(g_.lines[size_t(firstLine)].lineNo);
}

// Relations that name a record the file does not hold are left out; the
// report says which.
void Importer::checkPointers() {
    static const QStringList kRelations = {QStringLiteral("FAMC"), QStringLiteral("FAMS"),
                                           QStringLiteral("HUSB"), QStringLiteral("WIFE"),
                                           QStringLiteral("CHIL")};
    for (int i = 0; i < int(g_.lines.size()); i = g_.lines[size_t(i)].end) {
        const GedcomLine& record = g_.lines[size_t(i)];
        if (record.tag != u"INDI" && record.tag != u"FAM") continue;
        forChildren(g_, i, [&](int, const GedcomLine& c) {
            if (!kRelations.contains(c.tag)) return;
            const QString target = pointerOf(c.value);
            if (target.isEmpty() || idLines_.contains(target)) return;
            report_.danglingPointers
                << QStringLiteral("Zeile %1: %2 %3").arg(c.lineNo).arg(c.tag, c.value.trimmed());
        });
    }
}

void Importer::checkSpouses(int fam) {
    for (const char* tag : {"HUSB", "WIFE"}) {
        int seen = 0;
        forChildren(g_, fam, [&](int, const GedcomLine& c) {
            if (c.tag != QLatin1String(tag) || seen++ == 0) return;
            report_.extraSpouses << QStringLiteral("Zeile %1: %2 %3 in Familie @%4@")
                                        .arg(c.lineNo)
                                        .arg(QLatin1String(tag), c.value.trimmed(),
                                             g_.lines[size_t(fam)].xref);
        });
    }
}

void Importer::indexRecords() {
    int count = 0;
    for (int i = 0; i < int(g_.lines.size()); i = g_.lines[size_t(i)].end) {
        const GedcomLine& l = g_.lines[size_t(i)];
        if (i == 0 && l.tag == u"HEAD") {
            const int sour = firstChild(g_, i, QStringLiteral("SOUR"));
            ownFile_ = sour >= 0 && g_.lines[size_t(sour)].value.trimmed() == u"LINDWERK";
        }
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
}

namespace {

std::string trimBlanks(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string Importer::field(const QString& text, int index, const QString& name, const char* what) {
    bool changed = false;
    std::string bytes = translit_.toWindows1252(text, &changed);
    if (changed)
        report_.changedTexts << QStringLiteral("Person %1 (%2), %3: „%4“ → „%5“")
                                    .arg(index + 1)
                                    .arg(name, QString::fromUtf8(what), text, fromAnsi(bytes));
    return bytes;
}

void Importer::splitName(int nameLine, QString& given, QString& surname) const {
    const int givn = firstChild(g_, nameLine, QStringLiteral("GIVN"));
    const int surn = firstChild(g_, nameLine, QStringLiteral("SURN"));
    if (ownFile_) {
        // This program writes each non-empty name part as it is; a part it
        // does not write is empty.
        auto exact = [&](int line) {
            return line >= 0 ? cleanText(g_.lines[size_t(line)].value, true).replace(u'\n', u' ')
                             : QString();
        };
        given = exact(givn);
        surname = exact(surn);
        return;
    }
    const QString value = cleanText(g_.lines[size_t(nameLine)].value).replace(u'\n', u' ');
    const qsizetype slashes = value.count(u'/');
    if ((slashes != 2 || value.trimmed().isEmpty()) && (givn >= 0 || surn >= 0)) {
        given = givn >= 0 ? cleanText(g_.lines[size_t(givn)].value).trimmed() : QString();
        surname = surn >= 0 ? cleanText(g_.lines[size_t(surn)].value).trimmed() : QString();
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

QString Importer::eventDate(int indi, std::initializer_list<const char*> tags) const {
    for (const char* tag : tags) {
        QString found;
        forChildren(g_, indi, [&](int i, const GedcomLine& ev) {
            if (!found.isEmpty() || ev.tag != QLatin1String(tag)) return;
            const int date = firstChild(g_, i, QStringLiteral("DATE"));
            if (date >= 0) found = germanDate(cleanText(g_.lines[size_t(date)].value));
        });
        if (!found.isEmpty()) return found;
    }
    return {};
}

int Importer::parentFamily(int indi, int index, const QString& name) {
    QList<int> found;
    int birth = -1;
    forChildren(g_, indi, [&](int i, const GedcomLine& c) {
        if (c.tag != u"FAMC") return;
        const int fam = families_.value(pointerOf(c.value), -1);
        if (fam < 0 || found.contains(fam)) return;
        found << fam;
        const int pedi = firstChild(g_, i, QStringLiteral("PEDI"));
        const QString kind =
            pedi >= 0 ? g_.lines[size_t(pedi)].value.trimmed().toLower() : QString();
        const bool other = kind == u"adopted" || kind == u"foster" || kind == u"sealing";
        if (!other && birth < 0) birth = fam;
    });
    if (found.size() > 1)
        report_.severalParents << QStringLiteral("Person %1 (%2)").arg(index + 1).arg(name);
    if (birth >= 0) return birth;
    if (!found.isEmpty()) return found.first();
    return childFamily_.value(g_.lines[size_t(indi)].xref, -1);
}

QString Importer::picture(int indi) const {
    QString result;
    forChildren(g_, indi, [&](int i, const GedcomLine& c) {
        if (!result.isEmpty() || c.tag != u"OBJE") return;
        const QString ref = pointerOf(c.value);
        const int obje = ref.isEmpty() ? i : records_.value(ref, -1);
        if (obje < 0 || g_.lines[size_t(obje)].tag != u"OBJE") return;
        const int objeForm = firstChild(g_, obje, QStringLiteral("FORM"));
        forChildren(g_, obje, [&](int f, const GedcomLine& file) {
            if (!result.isEmpty() || file.tag != u"FILE") return;
            QString name = cleanText(file.value).trimmed();
            if (name.isEmpty() || name.contains(QLatin1String("://")) ||
                name.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
                return;
            int form = firstChild(g_, f, QStringLiteral("FORM"));
            if (form < 0) form = objeForm;
            QString kind = form >= 0 ? g_.lines[size_t(form)].value.trimmed().toLower() : QString();
            kind.remove(QLatin1String("image/"));
            const QString suffix = QFileInfo(name).suffix().toLower();
            if (!kPictureKinds.contains(suffix) && !kPictureKinds.contains(kind)) return;
            static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
            if (!QDir::isAbsolutePath(name) && !drive.match(name).hasMatch() &&
                !name.startsWith(u'\\')) {
                name.replace(u'\\', u'/');
                if (!folder_.isEmpty()) name = QDir::cleanPath(QDir(folder_).filePath(name));
            }
            result = name;
        });
    });
    return result;
}

void Importer::notes(int indi, int index, const QString& name, TPerson& p) {
    forChildren(g_, indi, [&](int, const GedcomLine& c) {
        if (c.tag != u"NOTE" && c.tag != u"SNOTE") return;
        QString text = c.value;
        const QString ref = pointerOf(c.value);
        if (!ref.isEmpty()) {
            const int rec = records_.value(ref, -1);
            if (rec < 0 || g_.lines[size_t(rec)].tag == u"OBJE") return;
            text = g_.lines[size_t(rec)].value;
        }
        for (const QString& line : cleanText(text, ownFile_).split(u'\n')) {
            p.Leben.push_back(field(line, index, name, "Lebenslauf"));
            ++report_.notes;
        }
    });
}

TPerson Importer::person(int indi, int index) {
    TPerson p;
    QString given, surname;
    const int nameLine = firstChild(g_, indi, QStringLiteral("NAME"));
    if (nameLine >= 0) splitName(nameLine, given, surname);
    const QString name = (given + u' ' + surname).trimmed();
    // A mark without a letter can turn into a blank at the edge of a name:
    // names are trimmed after the conversion, as they are read back.
    p.VorName = field(given, index, name, "Vorname");
    p.NachName = field(surname, index, name, "Nachname");
    if (!ownFile_) {
        p.VorName = trimBlanks(std::move(p.VorName));
        p.NachName = trimBlanks(std::move(p.NachName));
    }
    // A date is one line: continuation lines inside it join with a blank.
    p.GebDate = field(eventDate(indi, {"BIRT", "CHR", "BAPM"}).replace(u'\n', u' '), index, name,
                      "Geburtsdatum");
    p.StDate =
        field(eventDate(indi, {"DEAT", "BURI"}).replace(u'\n', u' '), index, name, "Sterbedatum");
    const QString pic = picture(indi);
    if (!pic.isEmpty()) {
        p.Bild = field(pic, index, name, "Bild");
        ++report_.pictures;
    }
    notes(indi, index, name, p);
    const int fam = parentFamily(indi, index, name);
    if (fam >= 0) {
        const int husb = firstChild(g_, fam, QStringLiteral("HUSB"));
        const int wife = firstChild(g_, fam, QStringLiteral("WIFE"));
        if (husb >= 0) p.Vater = persons_.value(pointerOf(g_.lines[size_t(husb)].value), -1);
        if (wife >= 0) p.Mutter = persons_.value(pointerOf(g_.lines[size_t(wife)].value), -1);
    }
    const int pos = firstChild(g_, indi, kPosTag);
    if (pos >= 0) {
        const QStringList xy = g_.lines[size_t(pos)].value.simplified().split(u' ');
        bool okX = false, okY = false;
        const int x = xy.size() == 2 ? xy[0].toInt(&okX) : 0;
        const int y = xy.size() == 2 ? xy[1].toInt(&okY) : 0;
        if (okX && okY && x >= 0 && y >= 0 && x < kAreaRange.hi && y < kAreaRange.hi) {
            p.GridX = x;
            p.GridY = y;
        }
    }
    return p;
}

Document Importer::run() {
    indexRecords();
    checkPointers();
    Document doc;
    int index = 0;
    std::int32_t maxX = -1, maxY = -1;
    for (int i = 0; i < int(g_.lines.size()); i = g_.lines[size_t(i)].end) {
        const GedcomLine& l = g_.lines[size_t(i)];
        if (l.level == 0 && l.tag == u"FAM") ++report_.families;
        if (l.level == 0 && l.tag == u"HEAD") {
            const int area = firstChild(g_, i, kAreaTag);
            if (area >= 0) {
                const QStringList wh = g_.lines[size_t(area)].value.simplified().split(u' ');
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
    doc.AreaWidth = std::max(doc.AreaWidth, maxX + 1);
    doc.AreaHeight = std::max(doc.AreaHeight, maxY + 1);
    return doc;
}

} // namespace

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
        for (size_t i = 0; i < lines.skipped.size() && i < kListedSkippedLines; ++i)
            r.skippedLines << QStringLiteral("Zeile %1: %2")
                                  .arg(lines.skipped[i].lineNo)
                                  .arg(lines.skipped[i].text);
        Importer importer(lines, folder, r);
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
