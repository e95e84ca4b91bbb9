// The arrangement of large trees: generated GEDCOM files of random persons,
// of many separate families and of one large family of siblings, imported
// and placed as import-gedcom does, then arranged anew as arrange does. Each
// case tells its times, the area and whether every person got a cell that
// the largest area holds.
#include "bench/Bench.h"
#include "chart/AutoArrange.h"
#include "document/Layout.h"
#include "gedcom/GedcomImport.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>

namespace lw::bench {

namespace {

// Father and mother (or -1) of each person, by index.
using Parents = std::vector<std::pair<int, int>>;

// The persons as a GEDCOM file: one FAM record for each pair of parents.
QByteArray gedcomOf(const Parents& parents) {
    std::string out = "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n";
    out.reserve(parents.size() * 110);
    std::unordered_map<std::uint64_t, int> familyOf;
    std::vector<std::pair<int, int>> couples;
    std::vector<std::vector<int>> children;
    std::vector<int> famc(parents.size(), -1);
    for (size_t i = 0; i < parents.size(); ++i) {
        const auto [f, m] = parents[i];
        if (f < 0 && m < 0) continue;
        const std::uint64_t key = (std::uint64_t(std::uint32_t(f)) << 32) | std::uint32_t(m);
        auto [it, added] = familyOf.try_emplace(key, int(couples.size()));
        if (added) {
            couples.push_back({f, m});
            children.emplace_back();
        }
        famc[i] = it->second;
        children[size_t(it->second)].push_back(int(i));
    }
    static const char* given[] = {"Anna", "Jürgen", "Maria", "Karl", "Käthe", "Otto"};
    for (size_t i = 0; i < parents.size(); ++i) {
        out += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME " + given[i % 6] + " /Lindner " +
               std::to_string(i) + "/\n1 BIRT\n2 DATE " + std::to_string(1500 + i % 500) + "\n";
        if (famc[i] >= 0) out += "1 FAMC @F" + std::to_string(famc[i]) + "@\n";
    }
    for (size_t c = 0; c < couples.size(); ++c) {
        out += "0 @F" + std::to_string(c) + "@ FAM\n";
        if (couples[c].first >= 0) out += "1 HUSB @I" + std::to_string(couples[c].first) + "@\n";
        if (couples[c].second >= 0) out += "1 WIFE @I" + std::to_string(couples[c].second) + "@\n";
        for (int child : children[c])
            out += "1 CHIL @I" + std::to_string(child) + "@\n";
    }
    out += "0 TRLR\n";
    return QByteArray::fromStdString(out);
}

// Random persons: a few founders, then each person the child of an earlier
// couple (more often) or of a new couple of two earlier persons, chosen from
// the whole tree, so that the lines run wild across it.
Parents randomPersons(int count) {
    std::mt19937 rng(26);
    Parents parents(size_t(count), {-1, -1});
    std::vector<std::pair<int, int>> couples;
    const int founders = std::max(2, count / 100);
    for (int i = founders; i < count; ++i) {
        if (rng() % 10 == 0) continue; // married into the tree
        if (!couples.empty() && rng() % 5 < 3) {
            parents[size_t(i)] = couples[rng() % couples.size()];
            continue;
        }
        const int f = int(rng() % unsigned(i)), m = int(rng() % unsigned(i));
        if (f == m) continue;
        couples.push_back({f, m});
        parents[size_t(i)] = couples.back();
    }
    return parents;
}

// Father, mother and one child, again and again.
Parents separateFamilies(int families) {
    Parents parents;
    for (int f = 0; f < families; ++f) {
        const int father = int(parents.size());
        parents.push_back({-1, -1});
        parents.push_back({-1, -1});
        parents.push_back({father, father + 1});
    }
    return parents;
}

// One couple with `children` children, one of whom has a child.
Parents siblingsWithGrandchild(int children) {
    Parents parents{{-1, -1}, {-1, -1}};
    for (int c = 0; c < children; ++c)
        parents.push_back({0, 1});
    parents.push_back({2 + children / 2, -1});
    return parents;
}

struct Case {
    const char* file;
    const char* what;
    Parents parents;
};

std::vector<Case> cases() {
    std::vector<Case> all;
    all.push_back({"random-125000.ged", "125,000 random persons", randomPersons(125000)});
    all.push_back({"random-250000.ged", "250,000 random persons", randomPersons(250000)});
    all.push_back({"random-1000000.ged", "1,000,000 random persons", randomPersons(1000000)});
    all.push_back({"families-100000.ged", "100,000 separate families", separateFamilies(100000)});
    all.push_back({"families-400000.ged", "400,000 separate families", separateFamilies(400000)});
    all.push_back({"siblings-100000.ged", "100,000 siblings, one grandchild",
                   siblingsWithGrandchild(100000)});
    return all;
}

// Persons without a cell or beyond the largest area, which nothing draws.
int undrawn(const Document& doc) {
    int count = 0;
    for (const TPerson& p : doc.Persons())
        count += p.GridX < 0 || p.GridY < 0 || p.GridX >= kAreaRange.hi || p.GridY >= kAreaRange.hi;
    return count;
}

bool columnZeroUsed(const Document& doc) {
    for (const TPerson& p : doc.Persons())
        if (p.GridX == 0) return true;
    return doc.PersonCount() == 0;
}

} // namespace

void benchArrangeScale() {
    for (const Case& c : cases()) {
        const QByteArray bytes = gedcomOf(c.parents);
        std::optional<Document> doc;
        const double importMs = bestMs(1, [&] {
            doc = gedcom::importGedcom(bytes).doc;
            arrangeDocument(*doc, ArrangeScope::OnlyUnplaced);
        });
        const int afterImport = undrawn(*doc);
        const bool zeroAfterImport = columnZeroUsed(*doc);
        int moved = 0;
        const double arrangeMs =
            bestMs(1, [&] { moved = arrangeDocument(*doc, ArrangeScope::All); });
        std::printf("arrange-scale %s: %d persons\n"
                    "  import + place  %9.1f ms, %d without a drawn cell, column 0 %s\n"
                    "  arrange         %9.1f ms, %d moved, %d without a drawn cell, column 0 %s, "
                    "area %d x %d\n",
                    c.what, doc->PersonCount(), importMs, afterImport,
                    zeroAfterImport ? "used" : "empty", arrangeMs, moved, undrawn(*doc),
                    columnZeroUsed(*doc) ? "used" : "empty", doc->AreaWidth, doc->AreaHeight);
        std::fflush(stdout);
    }
}

int writeArrangeScaleFiles(const QString& folder) {
    if (!QDir().mkpath(folder)) return 1;
    for (const Case& c : cases()) {
        QFile file(QDir(folder).filePath(QString::fromLatin1(c.file)));
        if (!file.open(QIODevice::WriteOnly) || file.write(gedcomOf(c.parents)) < 0) return 1;
        std::printf("%s: %s\n", qPrintable(file.fileName()), c.what);
    }
    return 0;
}

} // namespace lw::bench
