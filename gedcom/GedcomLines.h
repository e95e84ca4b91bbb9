#pragma once
// The lines of a GEDCOM file as a tree: each line has a level, an optional
// cross-reference id, a tag and a value. CONC and CONT lines are joined into
// the value of the line they continue (CONT with a line break). Lines that
// cannot be read, or that skip a level, are left out and listed.
#include <QString>
#include <vector>

namespace lw::gedcom {

struct GedcomLine {
    int level = 0;
    QString xref;   // without the @ signs; empty when none
    QString tag;    // upper case
    QString value;  // as written, continuations joined
    int lineNo = 0; // 1-based line in the file
    int end = 0;    // index past the last line of this line's subtree
};

struct SkippedLine {
    int lineNo;
    QString text;
};

struct GedcomLines {
    std::vector<GedcomLine> lines;
    std::vector<SkippedLine> skipped;
    bool hasHeader = false;  // the first line read is "0 HEAD"
    bool hasTrailer = false; // a "0 TRLR" line was read
};

// Splits the text at CR, LF or CR LF and reads each line.
GedcomLines parseGedcomLines(const QString& text);

// The pointer a value names ("@I1@" → "I1"); empty when the value is no
// pointer.
QString pointerOf(const QString& value);

// Walks the direct children of line `parent`.
template <class F> void forChildren(const GedcomLines& g, int parent, F&& f) {
    const GedcomLine& p = g.lines[size_t(parent)];
    for (int i = parent + 1; i < p.end; i = g.lines[size_t(i)].end)
        f(i, g.lines[size_t(i)]);
}

// The first direct child of `parent` with `tag`, or -1.
int firstChild(const GedcomLines& g, int parent, const QString& tag);

} // namespace lw::gedcom
