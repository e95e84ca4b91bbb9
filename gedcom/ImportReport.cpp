#include "gedcom/ImportReport.h"

#include <QLocale>

namespace lw::gedcom {

namespace {

// Control characters as the signs that stand for them (U+2400 …), so that
// the report never writes a NUL or an escape sequence to a terminal.
QString visible(QString line) {
    for (QChar& c : line) {
        const char16_t u = c.unicode();
        if (u < 0x20)
            c = QChar(char16_t(0x2400 + u));
        else if (u == 0x7F)
            c = QChar(char16_t(0x2421));
        else if (u >= 0x80 && u < 0xA0)
            c = QChar(char16_t(0xFFFD));
    }
    return line;
}

constexpr qsizetype kListedItems = 50;
constexpr qsizetype kTagsPerLine = 8;

void listed(QStringList& out, const QStringList& items) {
    for (qsizetype i = 0; i < items.size() && i < kListedItems; ++i)
        out << QStringLiteral("  ") + items[i];
    if (items.size() > kListedItems)
        out << QStringLiteral("  … und %1 weitere").arg(items.size() - kListedItems);
}

} // namespace

QString ImportReport::text() const {
    QStringList out;
    out << QStringLiteral("GEDCOM-Import: %1 Personen, %2 Familien gelesen (Zeichensatz %3).")
               .arg(persons)
               .arg(families)
               .arg(encoding);
    if (!encodingNote.isEmpty()) out << encodingNote;
    out << QStringLiteral("%1 Personen mit Bild, %2 Lebenslauf-Zeilen aus Notizen, %3 Personen "
                          "mit gespeicherter Position.")
               .arg(pictures)
               .arg(notes)
               .arg(placed);
    if (oddLastByte)
        out << QStringLiteral("Die Datei endet mitten in einem UTF-16-Zeichen; das letzte Byte "
                              "wurde nicht gelesen.");
    if (missingTrailer)
        out << QStringLiteral("Die Datei endet ohne Abschlusszeile (TRLR); sie ist vielleicht "
                              "unvollständig.");
    if (!untaken.empty()) {
        const QLocale german(QLocale::German, QLocale::Germany);
        QStringList counts;
        int total = 0;
        for (const auto& [tag, count] : untaken) {
            counts << tag + u' ' + german.toString(count);
            total += count;
        }
        out << QStringLiteral("Nicht übernommen wurden %1 Angaben (GEDCOM-Kennung und Anzahl):")
                   .arg(german.toString(total));
        // A few to a line, so that a message box need not be wider than the screen.
        for (qsizetype i = 0; i < counts.size(); i += kTagsPerLine)
            out << QStringLiteral("  ") + counts.mid(i, kTagsPerLine).join(QStringLiteral(", "));
    }
    if (!missingPictures.isEmpty()) {
        out << QStringLiteral("%1 Bilddateien wurden nicht gefunden; die Namen bleiben bei den "
                              "Personen:")
                   .arg(missingPictures.size());
        listed(out, missingPictures);
    }
    if (skippedLineCount > 0) {
        out << QStringLiteral("%1 Zeilen waren nicht lesbar und wurden übersprungen:")
                   .arg(skippedLineCount);
        for (const QString& s : skippedLines)
            out << QStringLiteral("  ") + s;
        if (skippedLineCount > skippedLines.size())
            out << QStringLiteral("  … und %1 weitere").arg(skippedLineCount - skippedLines.size());
    }
    if (!severalParents.isEmpty()) {
        out << QStringLiteral("%1 Personen haben mehrere Elternfamilien; übernommen wurden die "
                              "leiblichen Eltern, sonst die ersten:")
                   .arg(severalParents.size());
        listed(out, severalParents);
    }
    if (!extraSpouses.isEmpty()) {
        out << QStringLiteral("Familien mit mehr als einem Ehemann (HUSB) oder mehr als einer "
                              "Ehefrau (WIFE): übernommen wurde jeweils der erste, weggelassen "
                              "wurden diese %1 Einträge:")
                   .arg(extraSpouses.size());
        listed(out, extraSpouses);
    }
    if (!repeatedIds.isEmpty()) {
        out << QStringLiteral("%1 Datensätze tragen eine Kennung, die schon ein früherer trägt; "
                              "Verweise gelten dem ersten:")
                   .arg(repeatedIds.size());
        listed(out, repeatedIds);
    }
    if (!danglingPointers.isEmpty()) {
        out << QStringLiteral("%1 Verweise nennen einen Datensatz, den die Datei nicht enthält, "
                              "und wurden übergangen:")
                   .arg(danglingPointers.size());
        listed(out, danglingPointers);
    }
    for (QString& line : out)
        line = visible(line);
    return out.join(u'\n');
}

} // namespace lw::gedcom
