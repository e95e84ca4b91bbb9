#include "gedcom/ImportReport.h"

namespace lw::gedcom {

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
    if (missingTrailer)
        out << QStringLiteral("Die Datei endet ohne Abschlusszeile (TRLR); sie ist vielleicht "
                              "unvollständig.");
    if (!changedTexts.isEmpty()) {
        out << QStringLiteral("%1 Texte enthielten Zeichen, die Lindwerk nicht speichern kann, "
                              "und wurden angepasst:")
                   .arg(changedTexts.size());
        for (const QString& s : changedTexts)
            out << QStringLiteral("  ") + s;
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
        for (const QString& s : severalParents)
            out << QStringLiteral("  ") + s;
    }
    return out.join(u'\n');
}

} // namespace lw::gedcom
