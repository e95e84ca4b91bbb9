#include "gedcom/ImportTally.h"

#include <QMap>
#include <algorithm>

namespace lw::gedcom {

namespace {

void tallyBelow(const GedcomLines& g, const std::vector<char>& taken, int parent,
                QMap<QString, int>& counts) {
    forChildren(g, parent, [&](int i, const GedcomLine& l) {
        if (taken[size_t(i)])
            tallyBelow(g, taken, i, counts);
        else
            ++counts[l.tag];
    });
}

} // namespace

std::vector<std::pair<QString, int>> untakenStructures(const GedcomLines& g,
                                                       const std::vector<char>& taken) {
    QMap<QString, int> counts;
    for (int i = 0; i < int(g.lines.size()); i = g.lines[size_t(i)].end) {
        if (taken[size_t(i)])
            tallyBelow(g, taken, i, counts);
        else
            ++counts[g.lines[size_t(i)].tag];
    }
    std::vector<std::pair<QString, int>> out(counts.keyValueBegin(), counts.keyValueEnd());
    std::stable_sort(out.begin(), out.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return out;
}

QStringList danglingReferences(const GedcomLines& g, const QHash<QString, int>& ids) {
    QStringList out;
    for (const GedcomLine& l : g.lines) {
        if (l.level == 0) continue;
        const QString target = pointerOf(l.value);
        if (target.isEmpty() || target == u"VOID" || ids.contains(target)) continue;
        out << QStringLiteral("Zeile %1: %2 %3").arg(l.lineNo).arg(l.tag, l.value.trimmed());
    }
    return out;
}

} // namespace lw::gedcom
