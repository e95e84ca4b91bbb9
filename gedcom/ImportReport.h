#pragma once
// What a GEDCOM import did beyond the plain reading: what it did not take
// over, lines that were skipped, pictures that are missing, references to
// nothing, persons with several parent families, and the counts.
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace lw::gedcom {

struct ImportReport {
    QString encoding;     // the encoding read, German name
    QString encodingNote; // set when the CHAR line named another encoding
    int persons = 0;
    int families = 0; // couples taken over as partnerships
    int notes = 0;    // biography lines taken from notes
    int pictures = 0; // persons that got a picture whose file is there
    int placed = 0;   // persons that brought their chart cell
    int skippedLineCount = 0;
    // The structures not taken over, by tag, most frequent first ("SOUR", 345).
    std::vector<std::pair<QString, int>> untaken;
    QStringList missingPictures;  // picture files named by the file but not found
    QStringList skippedLines;     // "Zeile 17: …" (the first ones)
    QStringList severalParents;   // persons with more than one parent family
    QStringList extraSpouses;     // a family's second, third … HUSB or WIFE, left out
    QStringList repeatedIds;      // records whose id an earlier record has already
    QStringList danglingPointers; // relations naming a record the file does not hold
    bool missingTrailer = false;
    bool oddLastByte = false; // a UTF-16 file ended inside a character

    // The report as German text, one item per line; control characters of
    // the file (NUL, tabs, escapes) are shown as their visible signs (␀).
    QString text() const;
};

} // namespace lw::gedcom
