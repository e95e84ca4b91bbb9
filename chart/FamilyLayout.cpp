#include "chart/FamilyLayout.h"

#include "document/Document.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace lw {

namespace {

struct UnionFind {
    std::vector<int> parent;
    explicit UnionFind(int n) : parent(static_cast<size_t>(n)) {
        std::iota(parent.begin(), parent.end(), 0);
    }
    int find(int a) {
        while (parent[size_t(a)] != a)
            a = parent[size_t(a)] = parent[size_t(parent[size_t(a)])];
        return a;
    }
    void unite(int a, int b) {
        a = find(a);
        b = find(b);
        if (a != b) parent[size_t(std::max(a, b))] = std::min(a, b);
    }
};

// The parent links among the listed persons, by position in the list.
struct Graph {
    std::vector<int> father, mother;
    std::vector<std::vector<int>> children;

    Graph(const Document& doc, const std::vector<int>& persons) {
        const size_t n = persons.size();
        std::vector<int> localOf(size_t(doc.PersonCount()), -1);
        for (size_t i = 0; i < n; ++i)
            localOf[size_t(persons[i])] = int(i);
        father.assign(n, -1);
        mother.assign(n, -1);
        children.resize(n);
        for (size_t i = 0; i < n; ++i) {
            const TPerson& p = doc.person(persons[i]);
            const int f = doc.validParent(persons[i], p.Vater);
            const int m = doc.validParent(persons[i], p.Mutter);
            father[i] = f >= 0 ? localOf[size_t(f)] : -1;
            mother[i] = m >= 0 ? localOf[size_t(m)] : -1;
            if (mother[i] == father[i]) mother[i] = -1;
            if (father[i] >= 0) children[size_t(father[i])].push_back(int(i));
            if (mother[i] >= 0) children[size_t(mother[i])].push_back(int(i));
        }
    }
    // The links among `members` (ascending indices of `whole`, one connected
    // family), by position in `members`. `localOf` (by index of `whole`) is
    // scratch space, as large as `whole`, that this leaves as it found it.
    Graph(const Graph& whole, const std::vector<int>& members, std::vector<int>& localOf) {
        const size_t n = members.size();
        for (size_t i = 0; i < n; ++i)
            localOf[size_t(members[i])] = int(i);
        father.assign(n, -1);
        mother.assign(n, -1);
        children.resize(n);
        auto local = [&](int p) { return p >= 0 ? localOf[size_t(p)] : -1; };
        for (size_t i = 0; i < n; ++i) {
            const size_t w = size_t(members[i]);
            father[i] = local(whole.father[w]);
            mother[i] = local(whole.mother[w]);
            children[i].reserve(whole.children[w].size());
            for (int c : whole.children[w])
                children[i].push_back(local(c));
        }
        for (int p : members)
            localOf[size_t(p)] = -1;
    }
    int otherParent(int child, int parent) const {
        return father[size_t(child)] == parent ? mother[size_t(child)] : father[size_t(child)];
    }
};

// The layered layout of one connected family.
class FamilyLayout {
  public:
    FamilyLayout(const Graph& g, const std::vector<int>& members) : g_(g), members_(members) {}

    // Cells by member, columns from 0; `width` and `height` of the block.
    std::vector<GridCell> run(int& width, int& height);

  private:
    void buildGroups();
    void assignLayers();
    double px(int person) const {
        return x_[size_t(group_[size_t(person)])] + offset_[size_t(person)];
    }
    bool desireDown(int g, double& d, double& w) const;
    bool desireUp(int g, double& d, double& w) const;
    // One sweep step over a row; `settle` keeps groups with children where
    // they are and brings only the childless ones under their parents.
    void pass(int layer, bool down, bool settle = false);
    void orient(int group);

    const Graph& g_;
    const std::vector<int>& members_;
    std::vector<int> group_;     // by person (graph index): its couple group
    std::vector<double> offset_; // by person: place within the group
    std::vector<std::vector<int>> groupMembers_;
    std::vector<std::vector<int>> succ_; // group → groups of children
    std::vector<int> layer_;
    std::vector<double> x_;      // group → x of its first member's box centre, in columns
    std::vector<int> slotInRow_; // group → its place in its row during a pass
    std::vector<std::vector<int>> layers_;
    // By person, during a pass: how many of its children in the row have
    // wishes, and the sum of those wishes for the group start.
    std::vector<int> siblingCount_;
    std::vector<double> siblingWant_;
};

void FamilyLayout::buildGroups() {
    // Partners (the two parents of a common child) form one group, which
    // stands as a block of neighbouring cells.
    const int n = int(g_.father.size());
    group_.assign(size_t(n), -1);
    offset_.assign(size_t(n), 0);
    UnionFind uf(n);
    std::vector<std::vector<int>> partners;
    partners.resize(members_.size());
    std::vector<int> slot(size_t(n), -1);
    for (size_t i = 0; i < members_.size(); ++i)
        slot[size_t(members_[i])] = int(i);
    for (int c : members_) {
        const int f = g_.father[size_t(c)], m = g_.mother[size_t(c)];
        if (f < 0 || m < 0) continue;
        uf.unite(f, m);
        partners[size_t(slot[size_t(f)])].push_back(m);
        partners[size_t(slot[size_t(m)])].push_back(f);
    }
    std::vector<int> groupOfRoot(size_t(n), -1);
    for (int p : members_) {
        int& gid = groupOfRoot[size_t(uf.find(p))];
        if (gid < 0) {
            gid = int(groupMembers_.size());
            groupMembers_.emplace_back();
        }
        group_[size_t(p)] = gid;
        groupMembers_[size_t(gid)].push_back(p);
    }
    // Order each group along its partner links, so that partners stand side
    // by side: a chain from the member with the fewest partners.
    std::vector<char> seen(size_t(n), 0);
    for (std::vector<int>& gm : groupMembers_) {
        if (gm.size() == 1) continue;
        for (int p : gm) {
            auto& ps = partners[size_t(slot[size_t(p)])];
            std::sort(ps.begin(), ps.end());
            ps.erase(std::unique(ps.begin(), ps.end()), ps.end());
        }
        int start = gm.front();
        for (int p : gm)
            if (partners[size_t(slot[size_t(p)])].size() <
                partners[size_t(slot[size_t(start)])].size())
                start = p;
        std::vector<int> order, stack{start};
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            if (seen[size_t(p)]) continue;
            seen[size_t(p)] = 1;
            order.push_back(p);
            const auto& ps = partners[size_t(slot[size_t(p)])];
            for (auto it = ps.rbegin(); it != ps.rend(); ++it)
                if (!seen[size_t(*it)]) stack.push_back(*it);
        }
        gm = std::move(order);
    }
    for (const std::vector<int>& gm : groupMembers_)
        for (size_t k = 0; k < gm.size(); ++k)
            offset_[size_t(gm[k])] = double(k);
}

void FamilyLayout::assignLayers() {
    const int groups = int(groupMembers_.size());
    succ_.assign(size_t(groups), {});
    std::vector<int> indegree(size_t(groups), 0);
    for (int c : members_) {
        for (int parent : {g_.father[size_t(c)], g_.mother[size_t(c)]}) {
            if (parent < 0) continue;
            const int from = group_[size_t(parent)], to = group_[size_t(c)];
            if (from == to) continue;
            succ_[size_t(from)].push_back(to);
            ++indegree[size_t(to)];
        }
    }
    // Topological order; a cycle in damaged data is broken at its
    // lowest group, whose links back are then left out.
    std::vector<int> topo, queue, rank(size_t(groups), -1);
    topo.reserve(size_t(groups));
    size_t head = 0;
    int forced = 0;
    for (int gr = 0; gr < groups; ++gr)
        if (indegree[size_t(gr)] == 0) queue.push_back(gr);
    while (int(topo.size()) < groups) {
        if (head == queue.size()) {
            while (rank[size_t(forced)] >= 0)
                ++forced;
            queue.push_back(forced);
        }
        const int gr = queue[head++];
        if (rank[size_t(gr)] >= 0) continue;
        rank[size_t(gr)] = int(topo.size());
        topo.push_back(gr);
        for (int s : succ_[size_t(gr)])
            if (--indegree[size_t(s)] == 0 && rank[size_t(s)] < 0) queue.push_back(s);
    }
    // Longest path from the oldest generation down, then each group that
    // has children moves down to stand right above the nearest of them.
    layer_.assign(size_t(groups), 0);
    for (int gr : topo)
        for (int s : succ_[size_t(gr)])
            if (rank[size_t(s)] > rank[size_t(gr)])
                layer_[size_t(s)] = std::max(layer_[size_t(s)], layer_[size_t(gr)] + 1);
    for (auto it = topo.rbegin(); it != topo.rend(); ++it) {
        int nearest = std::numeric_limits<int>::max();
        for (int s : succ_[size_t(*it)])
            if (rank[size_t(s)] > rank[size_t(*it)]) nearest = std::min(nearest, layer_[size_t(s)]);
        if (nearest != std::numeric_limits<int>::max())
            layer_[size_t(*it)] = std::max(layer_[size_t(*it)], nearest - 1);
    }
    const int depth = 1 + *std::max_element(layer_.begin(), layer_.end());
    layers_.assign(size_t(depth), {});
    for (int gr = 0; gr < groups; ++gr)
        layers_[size_t(layer_[size_t(gr)])].push_back(gr);
}

bool FamilyLayout::desireDown(int gr, double& d, double& w) const {
    double sum = 0;
    int count = 0;
    for (int m : groupMembers_[size_t(gr)]) {
        double xs = 0;
        int n = 0;
        for (int parent : {g_.father[size_t(m)], g_.mother[size_t(m)]}) {
            if (parent < 0 || layer_[size_t(group_[size_t(parent)])] >= layer_[size_t(gr)])
                continue;
            xs += px(parent);
            ++n;
        }
        if (n == 0) continue;
        sum += xs / n - offset_[size_t(m)];
        ++count;
    }
    if (count == 0) return false;
    d = sum / count;
    w = count;
    return true;
}

bool FamilyLayout::desireUp(int gr, double& d, double& w) const {
    double sum = 0;
    int count = 0;
    for (int m : groupMembers_[size_t(gr)]) {
        for (int c : g_.children[size_t(m)]) {
            if (layer_[size_t(group_[size_t(c)])] <= layer_[size_t(gr)]) continue;
            const int other = g_.otherParent(c, m);
            const double mid = other >= 0 && group_[size_t(other)] == gr
                                   ? (offset_[size_t(m)] + offset_[size_t(other)]) / 2
                                   : offset_[size_t(m)];
            sum += px(c) - mid;
            ++count;
        }
    }
    if (count == 0) return false;
    d = sum / count;
    w = count;
    return true;
}

// Orders the groups of one row by where their relatives want them, then
// finds the positions closest to those wishes that keep the order and let
// no two boxes share a cell (weighted isotonic regression, pool adjacent
// violators), and puts them on the row's cells.
void FamilyLayout::pass(int layer, bool down, bool settle) {
    std::vector<int>& row = layers_[size_t(layer)];
    const size_t n = row.size();
    std::vector<double> want(n), weight(n);
    std::vector<char> has(n);
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i) {
        order[i] = i;
        double d = 0, w = 0;
        has[i] = down ? desireDown(row[i], d, w) : desireUp(row[i], d, w);
        want[i] = d;
        weight[i] = w;
        if (settle && desireUp(row[i], d, w)) {
            has[i] = true;
            want[i] = x_[size_t(row[i])];
            weight[i] = 1000;
        }
        slotInRow_[size_t(row[i])] = int(i);
    }
    // A group that has no relatives in the direction of the pass goes with
    // its siblings (a childless son beside his married sisters), else with
    // its relatives on the other side, else stays. What the siblings want is
    // summed by parent first, so that a large family of siblings costs one
    // pass over the row.
    std::vector<int> touched;
    for (size_t k = 0; k < n; ++k) {
        if (!has[k]) continue;
        for (int sibling : groupMembers_[size_t(row[k])])
            for (int parent : {g_.father[size_t(sibling)], g_.mother[size_t(sibling)]}) {
                if (parent < 0) continue;
                if (siblingCount_[size_t(parent)]++ == 0) touched.push_back(parent);
                siblingWant_[size_t(parent)] += want[k] + offset_[size_t(sibling)];
            }
    }
    for (size_t i = 0; i < n; ++i) {
        if (has[i]) continue;
        double sum = 0;
        int count = 0;
        for (int m : groupMembers_[size_t(row[i])])
            for (int parent : {g_.father[size_t(m)], g_.mother[size_t(m)]})
                if (parent >= 0) {
                    const int c = siblingCount_[size_t(parent)];
                    sum += siblingWant_[size_t(parent)] - c * offset_[size_t(m)];
                    count += c;
                }
        double d = 0, w = 0;
        if (count > 0) {
            want[i] = sum / count;
            weight[i] = 0.5;
        } else if (down ? desireUp(row[i], d, w) : desireDown(row[i], d, w)) {
            want[i] = d;
            weight[i] = 0.5;
        } else {
            want[i] = x_[size_t(row[i])];
            weight[i] = 0.25;
        }
    }
    for (int parent : touched) {
        siblingCount_[size_t(parent)] = 0;
        siblingWant_[size_t(parent)] = 0;
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (want[a] != want[b]) return want[a] < want[b];
        return x_[size_t(row[a])] < x_[size_t(row[b])];
    });
    struct Pool {
        double sumWY, sumW;
        size_t count;
    };
    std::vector<Pool> pools;
    double span = 0;
    for (size_t k = 0; k < n; ++k) {
        const size_t i = order[k];
        pools.push_back({weight[i] * (want[i] - span), weight[i], 1});
        span += double(groupMembers_[size_t(row[i])].size());
        while (pools.size() > 1) {
            const Pool& b = pools.back();
            const Pool& a = pools[pools.size() - 2];
            if (a.sumWY / a.sumW <= b.sumWY / b.sumW) break;
            Pool merged{a.sumWY + b.sumWY, a.sumW + b.sumW, a.count + b.count};
            pools.pop_back();
            pools.back() = merged;
        }
    }
    const double shift = (layer % 2 != 0) ? 0.5 : 0.0;
    std::vector<int> sorted(n);
    size_t k = 0;
    span = 0;
    double nextFree = -std::numeric_limits<double>::infinity();
    for (const Pool& pool : pools) {
        const double y = pool.sumWY / pool.sumW;
        for (size_t c = 0; c < pool.count; ++c, ++k) {
            const int gr = row[order[k]];
            const double size = double(groupMembers_[size_t(gr)].size());
            double col = std::round(y + span - shift);
            if (col < nextFree) col = nextFree;
            x_[size_t(gr)] = col + shift;
            nextFree = col + size;
            span += size;
            sorted[k] = gr;
        }
    }
    row = std::move(sorted);
    for (int gr : row)
        orient(gr);
}

// Turns a group around when its members then stand nearer to their parents
// and children (a son beside his sister, his wife on the outside).
void FamilyLayout::orient(int gr) {
    std::vector<int>& gm = groupMembers_[size_t(gr)];
    const size_t k = gm.size();
    if (k < 2) return;
    double keep = 0, turned = 0;
    for (size_t j = 0; j < k; ++j) {
        const int m = gm[j];
        auto add = [&](int r) {
            if (r < 0 || group_[size_t(r)] == gr) return;
            keep += std::abs(x_[size_t(gr)] + double(j) - px(r));
            turned += std::abs(x_[size_t(gr)] + double(k - 1 - j) - px(r));
        };
        add(g_.father[size_t(m)]);
        add(g_.mother[size_t(m)]);
        for (int c : g_.children[size_t(m)])
            add(c);
    }
    if (turned >= keep) return;
    std::reverse(gm.begin(), gm.end());
    for (size_t j = 0; j < k; ++j)
        offset_[size_t(gm[j])] = double(j);
}

std::vector<GridCell> FamilyLayout::run(int& width, int& height) {
    buildGroups();
    assignLayers();
    x_.assign(groupMembers_.size(), 0);
    slotInRow_.assign(groupMembers_.size(), 0);
    siblingCount_.assign(g_.father.size(), 0);
    siblingWant_.assign(g_.father.size(), 0);
    for (size_t l = 0; l < layers_.size(); ++l) {
        double at = (l % 2 != 0) ? 0.5 : 0.0;
        for (int gr : layers_[l]) {
            x_[size_t(gr)] = at;
            at += double(groupMembers_[size_t(gr)].size());
        }
    }
    const int depth = int(layers_.size());
    constexpr int kRounds = 4;
    for (int round = 0; round < kRounds; ++round) {
        for (int l = 1; l < depth; ++l)
            pass(l, true);
        for (int l = depth - 2; l >= 0; --l)
            pass(l, false);
    }
    for (int l = 1; l < depth; ++l)
        pass(l, true, true);
    std::vector<GridCell> cells(members_.size());
    std::int64_t minCol = std::numeric_limits<std::int64_t>::max(), maxCol = 0;
    for (size_t i = 0; i < members_.size(); ++i) {
        const int p = members_[i];
        const int l = layer_[size_t(group_[size_t(p)])];
        const std::int64_t col = std::llround(px(p) - ((l % 2 != 0) ? 0.5 : 0.0));
        cells[i] = {std::int32_t(col), std::int32_t(l)};
        minCol = std::min(minCol, col);
    }
    for (GridCell& c : cells) {
        c.col = std::int32_t(c.col - minCol);
        maxCol = std::max<std::int64_t>(maxCol, c.col);
    }
    width = int(maxCol + 1);
    height = depth;
    return cells;
}

} // namespace

namespace {

// A family's cells, with columns and rows from 0, and its extent.
struct Block {
    std::vector<GridCell> cells; // by position in the family's member list
    std::int64_t width = 0, height = 0;
};

// `count` persons in a square, row by row, as persons without relatives.
Block squareBlock(size_t count) {
    Block b;
    const std::int64_t side =
        std::max<std::int64_t>(1, std::llround(std::ceil(std::sqrt(double(count)))));
    b.cells.resize(count);
    for (size_t k = 0; k < count; ++k)
        b.cells[k] = {std::int32_t(std::int64_t(k) % side), std::int32_t(std::int64_t(k) / side)};
    b.width = count ? std::min<std::int64_t>(side, std::int64_t(count)) : 0;
    b.height = count ? (std::int64_t(count) + side - 1) / side : 0;
    return b;
}

// Where each block goes: side by side with a free column between them, and
// where the next one would pass `maxWidth`, on in a further band below the
// tallest block of the band, starting on an even row so that the half-box
// shift of the odd rows stays with each block. False when the bands do not
// fit into `maxHeight` rows.
bool packBlocks(const std::vector<Block>& blocks, std::int64_t maxWidth, std::int64_t maxHeight,
                std::vector<GridCell>& origins) {
    origins.resize(blocks.size());
    std::int64_t left = 0, top = 0, bandHeight = 0;
    for (size_t b = 0; b < blocks.size(); ++b) {
        const Block& block = blocks[b];
        if (left > 0 && left + block.width > maxWidth) {
            top += bandHeight + 1;
            top += top % 2;
            left = 0;
            bandHeight = 0;
        }
        if (block.width > maxWidth || top + block.height > maxHeight) return false;
        origins[b] = {std::int32_t(left), std::int32_t(top)};
        left += block.width + 1;
        bandHeight = std::max(bandHeight, block.height);
    }
    return true;
}

} // namespace

std::optional<std::vector<GridCell>> layoutFamilies(const Document& doc,
                                                    const std::vector<int>& persons,
                                                    std::int32_t maxWidth, std::int32_t maxHeight) {
    const Graph g(doc, persons);
    const int n = int(persons.size());
    UnionFind uf(n);
    for (int i = 0; i < n; ++i)
        for (int parent : {g.father[size_t(i)], g.mother[size_t(i)]})
            if (parent >= 0) uf.unite(i, parent);
    std::vector<std::vector<int>> families;
    std::vector<int> familyOf(static_cast<size_t>(n), -1), loners;
    for (int i = 0; i < n; ++i) {
        int& f = familyOf[size_t(uf.find(i))];
        if (f < 0) {
            f = int(families.size());
            families.emplace_back();
        }
        families[size_t(f)].push_back(i);
    }
    // Each family is laid out on its own graph, so that its cost follows its
    // own size, not the whole list's.
    std::vector<int> localOf(static_cast<size_t>(n), -1);
    std::vector<const std::vector<int>*> placedFamilies;
    std::vector<Block> blocks;
    for (const std::vector<int>& members : families) {
        if (members.size() == 1) {
            loners.push_back(members.front());
            continue;
        }
        const Graph local(g, members, localOf);
        std::vector<int> all(members.size());
        std::iota(all.begin(), all.end(), 0);
        Block block;
        int width = 0, height = 0;
        block.cells = FamilyLayout(local, all).run(width, height);
        block.width = width;
        block.height = height;
        // A family wider or deeper than the whole area stands as a square.
        if (block.width > maxWidth || block.height > maxHeight) block = squareBlock(members.size());
        placedFamilies.push_back(&members);
        blocks.push_back(std::move(block));
    }
    // Persons without relatives stand in a square block beside the families.
    if (!loners.empty()) {
        placedFamilies.push_back(&loners);
        blocks.push_back(squareBlock(loners.size()));
    }
    std::vector<GridCell> origins;
    std::vector<GridCell> cells(static_cast<size_t>(n));
    if (!packBlocks(blocks, maxWidth, maxHeight, origins)) {
        // Bands of blocks that leave too much free: everyone in one square.
        const Block all = squareBlock(size_t(n));
        if (all.width > maxWidth || all.height > maxHeight) return std::nullopt;
        return all.cells;
    }
    for (size_t b = 0; b < blocks.size(); ++b) {
        const std::vector<int>& members = *placedFamilies[b];
        for (size_t k = 0; k < members.size(); ++k)
            cells[size_t(members[k])] = {blocks[b].cells[k].col + origins[b].col,
                                         blocks[b].cells[k].row + origins[b].row};
    }
    return cells;
}

} // namespace lw
