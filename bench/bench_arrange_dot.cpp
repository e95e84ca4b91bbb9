// `lindwerk-bench arrange [FILE.ged...]`: our import and arrangement of real
// families beside Graphviz dot's layered layout of the same families, with
// the same measures (chart/ArrangeQuality.h), so that every change of the
// arrangement can be compared with a well-known layout in one run.
//
// dot gets the persons as nodes in file order and, for every child, an edge
// from each parent, top down. Its ranks become our rows, top rank first; in
// each rank the persons, sorted by x, take cells of that row where dot put
// them (x in box pitches, less the half box the odd rows are shifted by),
// each at least one cell right of the one before. dot is run as a program,
// never linked.
#include "bench/Bench.h"
#include "chart/ArrangeQuality.h"
#include "chart/AutoArrange.h"
#include "chart/FamilyLayers.h"
#include "gedcom/GedcomImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numeric>
#include <optional>
#include <string>

namespace lw::bench {

namespace {

// dot's boxes: one inch wide with a small gap, so that x divided by the
// pitch counts boxes.
constexpr double kDotBoxWidth = 1.0;
constexpr double kDotNodeSep = 0.06;
constexpr double kDotPitch = kDotBoxWidth + kDotNodeSep;
constexpr int kDotTimeoutMs = 300000;

struct Family {
    QString name;
    QByteArray bytes;
};

struct Measured {
    ArrangeQuality q;
    double ms = -1;
    QString problem; // why there are no figures
};

std::string dotGraph(const Document& doc) {
    std::string out =
        "digraph family {\n  rankdir=TB;\n  nodesep=" + std::to_string(kDotNodeSep) +
        ";\n  node [shape=box, fixedsize=true, width=" + std::to_string(kDotBoxWidth) +
        ", height=0.5, label=\"\"];\n";
    out.reserve(size_t(doc.PersonCount()) * 30);
    for (int i = 0; i < doc.PersonCount(); ++i)
        out += "  p" + std::to_string(i) + ";\n";
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& child = doc.person(i);
        for (int parent : {doc.validParent(i, child.Vater), doc.validParent(i, child.Mutter)})
            if (parent >= 0)
                out += "  p" + std::to_string(parent) + " -> p" + std::to_string(i) + ";\n";
    }
    out += "}\n";
    return out;
}

struct DotNode {
    double x = 0, y = 0;
    bool seen = false;
};

// The node lines of `dot -Tplain`: "node NAME X Y WIDTH HEIGHT ...", for
// the nodes named `prefix` and a number below `count`.
std::vector<DotNode> parsePlain(const QByteArray& plain, int count, char prefix = 'p') {
    std::vector<DotNode> nodes(static_cast<size_t>(count));
    for (const QByteArray& line : plain.split('\n')) {
        if (!line.startsWith("node ")) continue;
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 4 || !f[1].startsWith(prefix)) continue;
        bool ok = false;
        const int index = f[1].mid(1).toInt(&ok);
        if (!ok || index < 0 || index >= count) continue;
        nodes[size_t(index)] = {f[2].toDouble(), f[3].toDouble(), true};
    }
    return nodes;
}

// The same family for a layout that keeps couples together: each couple
// group (partners side by side, a person with two partners between them,
// as our arrangement builds them) one node as wide as its boxes, an edge
// from the parents' group to the child's group for every parent.
struct CoupleGraph {
    familylayout::Groups groups;
    std::string text;
};

CoupleGraph coupleGraph(const Document& doc) {
    std::vector<int> all(size_t(doc.PersonCount()));
    std::iota(all.begin(), all.end(), 0);
    const familylayout::Graph g(doc, all);
    CoupleGraph out{familylayout::buildGroups(g), {}};
    std::string& t = out.text;
    t = "digraph family {\n  rankdir=TB;\n  nodesep=" + std::to_string(kDotNodeSep) +
        ";\n  node [shape=box, fixedsize=true, height=0.5, label=\"\"];\n";
    for (int k = 0; k < out.groups.count(); ++k) {
        const double n = double(out.groups.members[size_t(k)].size());
        t += "  g" + std::to_string(k) +
             " [width=" + std::to_string(n * kDotBoxWidth + (n - 1) * kDotNodeSep) + "];\n";
    }
    for (int c = 0; c < g.size(); ++c)
        for (int parent : {g.father[size_t(c)], g.mother[size_t(c)]}) {
            if (parent < 0) continue;
            const int from = out.groups.groupOf[size_t(parent)];
            const int to = out.groups.groupOf[size_t(c)];
            if (from != to)
                t += "  g" + std::to_string(from) + " -> g" + std::to_string(to) + ";\n";
        }
    t += "}\n";
    return out;
}

// Each person's place within its group's node: the members side by side
// from the node's left edge, the chain turned around where the first
// member's parents stand right of the last member's (a member without
// parents counts as standing where the node stands).
std::vector<DotNode> membersOf(const Document& doc, const familylayout::Groups& groups,
                               const std::vector<DotNode>& groupNodes) {
    std::vector<DotNode> persons(size_t(doc.PersonCount()));
    // Where a member's parents stand, or the node itself without them.
    auto parentsX = [&](int p, const DotNode& node) {
        const TPerson& person = doc.person(p);
        double sum = 0;
        int n = 0;
        for (int parent : {doc.validParent(p, person.Vater), doc.validParent(p, person.Mutter)})
            if (parent >= 0 && groupNodes[size_t(groups.groupOf[size_t(parent)])].seen) {
                sum += groupNodes[size_t(groups.groupOf[size_t(parent)])].x;
                ++n;
            }
        return n ? sum / n : node.x;
    };
    for (int k = 0; k < groups.count(); ++k) {
        const DotNode& node = groupNodes[size_t(k)];
        if (!node.seen) continue;
        std::vector<int> members = groups.members[size_t(k)];
        if (parentsX(members.front(), node) > parentsX(members.back(), node))
            std::reverse(members.begin(), members.end());
        const double n = double(members.size());
        const double left = node.x - (n * kDotBoxWidth + (n - 1) * kDotNodeSep) / 2;
        for (size_t m = 0; m < members.size(); ++m)
            persons[size_t(members[m])] = {left + kDotBoxWidth / 2 + double(m) * kDotPitch, node.y,
                                           true};
    }
    return persons;
}

// dot's layout on our staggered grid, in a document of its own.
Document onGrid(const Document& doc, const std::vector<DotNode>& nodes) {
    // Ranks share one y; the largest y is the top rank.
    std::map<long long, std::vector<int>, std::greater<>> ranks;
    double left = 1e300;
    for (size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].seen) {
            ranks[std::llround(nodes[i].y * 100)].push_back(int(i));
            left = std::min(left, nodes[i].x);
        }
    std::vector<TPerson> persons(doc.Persons());
    for (TPerson& p : persons) {
        p.GridX = p.GridY = -1;
    }
    std::int32_t row = 0, leftmost = 0;
    for (auto& [y, members] : ranks) {
        std::sort(members.begin(), members.end(),
                  [&](int a, int b) { return nodes[size_t(a)].x < nodes[size_t(b)].x; });
        const double shift = row % 2 != 0 ? 0.5 : 0.0;
        std::int32_t previous = INT32_MIN;
        for (int i : members) {
            // Halves round up on both sides of 0, so that boxes a pitch apart
            // stay neighbours in a shifted row.
            auto col =
                std::int32_t(std::floor((nodes[size_t(i)].x - left) / kDotPitch - shift + 0.5));
            if (previous != INT32_MIN) col = std::max(col, previous + 1);
            previous = col;
            leftmost = std::min(leftmost, col);
            persons[size_t(i)].GridX = col;
            persons[size_t(i)].GridY = row;
        }
        ++row;
    }
    for (TPerson& p : persons)
        if (p.GridY >= 0) p.GridX -= leftmost; // an odd row may start half a box left of 0
    Document out;
    out.adoptPersons(std::move(persons));
    return out;
}

Measured measureDot(const QString& dot, const Document& doc, bool couplesAsOne) {
    Measured m;
    std::optional<Document> placed;
    QString problem;
    m.ms = bestMs(1, [&] {
        CoupleGraph couples;
        if (couplesAsOne) couples = coupleGraph(doc);
        const std::string graph = couplesAsOne ? couples.text : dotGraph(doc);
        QProcess p;
        p.start(dot, {QStringLiteral("-Tplain")});
        if (!p.waitForStarted()) {
            problem = QStringLiteral("dot does not start");
            return;
        }
        p.write(graph.data(), qint64(graph.size()));
        p.closeWriteChannel();
        if (!p.waitForFinished(kDotTimeoutMs)) {
            p.kill();
            p.waitForFinished();
            problem = QStringLiteral("dot took longer than %1 s").arg(kDotTimeoutMs / 1000);
            return;
        }
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            problem = QStringLiteral("dot failed: ") +
                      QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
            return;
        }
        const QByteArray plain = p.readAllStandardOutput();
        const std::vector<DotNode> nodes =
            couplesAsOne
                ? membersOf(doc, couples.groups, parsePlain(plain, couples.groups.count(), 'g'))
                : parsePlain(plain, doc.PersonCount());
        const auto missing =
            std::count_if(nodes.begin(), nodes.end(), [](const DotNode& n) { return !n.seen; });
        if (missing > 0) problem = QStringLiteral("dot left out %1 persons").arg(missing);
        placed = onGrid(doc, nodes);
    });
    m.problem = problem;
    if (placed)
        m.q = measureArrangement(*placed);
    else
        m.ms = -1;
    return m;
}

// Import and arrangement as import-gedcom does them, best of a few runs.
Measured measureOurs(const QByteArray& bytes, std::optional<Document>& arranged) {
    Measured m;
    const int runs = bytes.size() < 2000000 ? 5 : 2;
    bool imported = true;
    m.ms = bestMs(runs, [&] {
        arranged = gedcom::importGedcom(bytes).doc;
        if (!arranged) {
            imported = false;
            return;
        }
        arrangeDocument(*arranged, ArrangeScope::OnlyUnplaced);
    });
    if (!imported) {
        m.problem = QStringLiteral("import failed");
        m.ms = -1;
        return m;
    }
    m.q = measureArrangement(*arranged);
    return m;
}

std::vector<Family> sampleFamilies() {
    std::vector<Family> all;
    const QDir samples(QStringLiteral(LINDWERK_GEDCOM_SAMPLES));
    for (const QFileInfo& info :
         samples.entryInfoList({QStringLiteral("*.ged"), QStringLiteral("*.GED")}, QDir::Files,
                               QDir::Name | QDir::IgnoreCase)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            all.push_back({info.completeBaseName(), file.readAll()});
    }
    if (all.empty()) std::printf("no sample files in %s\n", LINDWERK_GEDCOM_SAMPLES);
    all.push_back({QStringLiteral("generated-10000"), generatedFamilyGedcom(10000)});
    all.push_back({QStringLiteral("interlinked-5000"), interlinkedFamiliesGedcom(5000, 0.1)});
    return all;
}

QString pair(const QString& ours, const QString& dot) {
    return ours + QStringLiteral(" / ") + dot;
}

QString cells(const ArrangeQuality& q) {
    return QStringLiteral("%1x%2").arg(q.width).arg(q.height);
}

void printRow(const QString& name, int persons, const Measured& ours,
              const std::optional<Measured>& dot) {
    const bool haveDot = dot && dot->ms >= 0;
    auto other = [&](const QString& figure) { return haveDot ? figure : QStringLiteral("-"); };
    const ArrangeQuality& o = ours.q;
    const ArrangeQuality d = haveDot ? dot->q : ArrangeQuality{};
    std::printf("%-16s %7d | %17s | %17s | %15s | %19s | %19s | %s\n", qPrintable(name), persons,
                qPrintable(pair(QString::number(o.crossingsBesideSiblings()),
                                other(QString::number(d.crossingsBesideSiblings())))),
                qPrintable(pair(QString::number(o.horizontal, 'f', 0),
                                other(QString::number(d.horizontal, 'f', 0)))),
                qPrintable(pair(QString::number(o.parentOneRowAboveShare(), 'f', 1),
                                other(QString::number(d.parentOneRowAboveShare(), 'f', 1))) +
                           QStringLiteral(" %")),
                qPrintable(pair(cells(o), other(cells(d)))),
                qPrintable(pair(QString::number(o.couplesSideBySide),
                                other(QString::number(d.couplesSideBySide))) +
                           QStringLiteral(" of %1").arg(o.couples)),
                qPrintable(pair(QString::number(ours.ms, 'f', 1),
                                haveDot ? QString::number(dot->ms, 'f', 0) : QStringLiteral("-"))));
    if (dot && !dot->problem.isEmpty())
        std::printf("%-16s   dot: %s\n", "", qPrintable(dot->problem));
    std::fflush(stdout);
}

} // namespace

int benchArrangeBesideDot(const QStringList& files) {
    std::vector<Family> families;
    int failed = 0;
    if (files.isEmpty()) families = sampleFamilies();
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::printf("%s: cannot be read\n", qPrintable(path));
            ++failed;
            continue;
        }
        families.push_back({QFileInfo(path).completeBaseName(), file.readAll()});
    }
    const QString dot = QStandardPaths::findExecutable(QStringLiteral("dot"));
    if (dot.isEmpty()) std::printf("dot is not on the PATH: only our figures\n");
    std::printf("%-16s %7s | %17s | %17s | %15s | %19s | %19s | %s\n", "family", "persons",
                "crossings ours/dot", "aside ours/dot", "parents 1 row up", "width x height",
                "couples side by side", "ms ours/dot");
    for (const Family& f : families) {
        std::optional<Document> arranged;
        const Measured ours = measureOurs(f.bytes, arranged);
        if (!arranged || ours.ms < 0) {
            std::printf("%-16s: %s\n", qPrintable(f.name), qPrintable(ours.problem));
            ++failed;
            continue;
        }
        std::optional<Measured> theirs;
        if (!dot.isEmpty()) theirs = measureDot(dot, *arranged, false);
        printRow(f.name, arranged->PersonCount(), ours, theirs);
        if (!dot.isEmpty())
            printRow(QStringLiteral("  couples as one"), arranged->PersonCount(), ours,
                     measureDot(dot, *arranged, true));
    }
    std::printf("crossings without the X of full siblings' lines to their two parents; "
                "aside: the columns the parent lines run sideways, summed; "
                "ms: import and arrangement, dot: writing the graph, dot -Tplain and reading it\n");
    if (!dot.isEmpty())
        std::printf("couples as one: dot with each couple group as one node as wide as its "
                    "boxes\n");
    return failed > 0 ? 1 : 0;
}

} // namespace lw::bench
