#include "gedcom/GedcomLines.h"

namespace lw::gedcom {

namespace {

constexpr int kMaxLevel = 99;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Reads one line; false when it is not a GEDCOM line.
bool readLine(QStringView s, GedcomLine& out) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && isBlank(s[i]))
        ++i;
    const qsizetype levelStart = i;
    int level = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        level = level * 10 + (s[i].unicode() - '0');
        if (level > kMaxLevel) return false;
        ++i;
    }
    if (i == levelStart || i >= n || !isBlank(s[i])) return false;
    while (i < n && isBlank(s[i]))
        ++i;
    QString xref;
    if (i < n && s[i] == u'@') {
        const qsizetype close = s.indexOf(u'@', i + 1);
        if (close < 0 || close == i + 1) return false;
        xref = s.mid(i + 1, close - i - 1).toString();
        i = close + 1;
        if (i >= n || !isBlank(s[i])) return false;
        while (i < n && isBlank(s[i]))
            ++i;
    }
    const qsizetype tagStart = i;
    while (i < n && !isBlank(s[i])) {
        const QChar c = s[i];
        if (!(c.isLetterOrNumber() || c == u'_') || c.unicode() >= 128) return false;
        ++i;
    }
    if (i == tagStart) return false;
    out.level = level;
    out.xref = std::move(xref);
    out.tag = s.mid(tagStart, i - tagStart).toString().toUpper();
    // One delimiter, then the value as written.
    out.value = i < n ? s.mid(i + 1).toString() : QString();
    return true;
}

} // namespace

QString pointerOf(const QString& value) {
    const QString v = value.trimmed();
    if (v.size() < 3 || !v.startsWith(u'@') || !v.endsWith(u'@')) return {};
    const QString inner = v.mid(1, v.size() - 2);
    if (inner.contains(u'@') || inner.startsWith(u'#')) return {};
    return inner;
}

int firstChild(const GedcomLines& g, int parent, const QString& tag) {
    const GedcomLine& p = g.lines[size_t(parent)];
    for (int i = parent + 1; i < p.end; i = g.lines[size_t(i)].end)
        if (g.lines[size_t(i)].tag == tag) return i;
    return -1;
}

GedcomLines parseGedcomLines(const QString& text) {
    GedcomLines g;
    g.lines.reserve(size_t(text.size() / 24));
    std::vector<int> open; // the last line read on each level
    int lineNo = 0;
    bool first = true;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView raw = QStringView(text).mid(pos, end - pos);
        ++lineNo;
        pos = end;
        if (pos < n && text[pos] == u'\r') ++pos;
        if (pos < n && text[pos] == u'\n') ++pos;
        if (raw.trimmed().isEmpty()) continue;

        GedcomLine line;
        line.lineNo = lineNo;
        const bool ok = readLine(raw, line);
        const int depth = int(open.size());
        if (!ok || line.level > depth || (first && (line.level != 0 || line.tag != u"HEAD"))) {
            g.skipped.push_back({lineNo, raw.left(80).toString()});
            first = false;
            continue;
        }
        if (first) g.hasHeader = true;
        first = false;
        if ((line.tag == u"CONC" || line.tag == u"CONT") && line.level > 0 && line.xref.isEmpty()) {
            // Continues the last line one level up.
            while (int(open.size()) > line.level) {
                g.lines[size_t(open.back())].end = int(g.lines.size());
                open.pop_back();
            }
            QString& target = g.lines[size_t(open.back())].value;
            if (line.tag == u"CONT") target += u'\n';
            target += line.value;
            continue;
        }
        while (int(open.size()) > line.level) {
            g.lines[size_t(open.back())].end = int(g.lines.size());
            open.pop_back();
        }
        if (line.level == 0 && line.tag == u"TRLR") g.hasTrailer = true;
        open.push_back(int(g.lines.size()));
        g.lines.push_back(std::move(line));
    }
    while (!open.empty()) {
        g.lines[size_t(open.back())].end = int(g.lines.size());
        open.pop_back();
    }
    return g;
}

} // namespace lw::gedcom
