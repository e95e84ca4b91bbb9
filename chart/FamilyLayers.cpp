#include "chart/FamilyLayers.h"

#include "chart/RowTightening.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace lw::familylayout {

Groups buildGroups(const Graph& g) {
    const int n = g.size();
    Groups out;
    out.groupOf.assign(size_t(n), -1);
    out.offset.assign(size_t(n), 0);
    UnionFind uf(n);
    // A partner who is the person's own parent or child (damaged data, or a
    // remarriage within the family) stands in a row of its own instead.
    auto parentOf = [&](int parent, int child) {
        return g.father[size_t(child)] == parent || g.mother[size_t(child)] == parent;
    };
    for (int p = 0; p < n; ++p)
        for (int q : g.partners[size_t(p)])
            if (!parentOf(p, q) && !parentOf(q, p)) uf.unite(p, q);
    std::vector<int> groupOfRoot(size_t(n), -1);
    for (int p = 0; p < n; ++p) {
        int& gid = groupOfRoot[size_t(uf.find(p))];
        if (gid < 0) {
            gid = int(out.members.size());
            out.members.emplace_back();
        }
        out.groupOf[size_t(p)] = gid;
        out.members[size_t(gid)].push_back(p);
    }
    // A chain along the partner links from the member with the fewest
    // partners, each person's first partner next to it.
    std::vector<char> seen(size_t(n), 0);
    std::vector<int> order, stack;
    for (std::vector<int>& gm : out.members) {
        if (gm.size() == 1) continue;
        int start = gm.front();
        for (int p : gm)
            if (g.partners[size_t(p)].size() < g.partners[size_t(start)].size()) start = p;
        order.clear();
        stack.assign(1, start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            if (seen[size_t(p)]) continue;
            seen[size_t(p)] = 1;
            order.push_back(p);
            const auto& ps = g.partners[size_t(p)];
            for (auto it = ps.rbegin(); it != ps.rend(); ++it)
                if (!seen[size_t(*it)] && out.groupOf[size_t(*it)] == out.groupOf[size_t(p)])
                    stack.push_back(*it);
        }
        gm = order;
    }
    for (const std::vector<int>& gm : out.members)
        for (size_t k = 0; k < gm.size(); ++k)
            out.offset[size_t(gm[k])] = double(k);
    return out;
}

std::vector<int> assignLayers(const Graph& g, const Groups& groups, GroupLinks& links) {
    const int count = groups.count();
    std::vector<std::vector<int>> succ(static_cast<size_t>(count));
    std::vector<int> indegree(size_t(count), 0);
    for (int c = 0; c < g.size(); ++c)
        for (int parent : {g.father[size_t(c)], g.mother[size_t(c)]}) {
            if (parent < 0) continue;
            const int from = groups.groupOf[size_t(parent)], to = groups.groupOf[size_t(c)];
            if (from == to) continue;
            succ[size_t(from)].push_back(to);
            ++indegree[size_t(to)];
        }
    // Topological order; a cycle in damaged data is broken at its lowest
    // group, whose links back are then left out.
    std::vector<int> topo, queue, rank(size_t(count), -1);
    topo.reserve(size_t(count));
    size_t head = 0;
    int forced = 0;
    for (int gr = 0; gr < count; ++gr)
        if (indegree[size_t(gr)] == 0) queue.push_back(gr);
    while (int(topo.size()) < count) {
        if (head == queue.size()) {
            while (rank[size_t(forced)] >= 0)
                ++forced;
            queue.push_back(forced);
        }
        const int gr = queue[head++];
        if (rank[size_t(gr)] >= 0) continue;
        rank[size_t(gr)] = int(topo.size());
        topo.push_back(gr);
        for (int s : succ[size_t(gr)])
            if (--indegree[size_t(s)] == 0 && rank[size_t(s)] < 0) queue.push_back(s);
    }
    links.succ.assign(size_t(count), {});
    links.pred.assign(size_t(count), {});
    for (int gr = 0; gr < count; ++gr)
        for (int s : succ[size_t(gr)])
            if (rank[size_t(s)] > rank[size_t(gr)]) {
                links.succ[size_t(gr)].push_back(s);
                links.pred[size_t(s)].push_back(gr);
            }
    // Two starts: each group one row below its lowest parents, and each
    // group with children that have children of their own right above the
    // nearest of them (a whole line of ancestors then comes down at once).
    auto leaf = [&](int gr) { return links.succ[size_t(gr)].empty(); };
    std::vector<int> early(size_t(count), 0);
    for (int gr : topo)
        for (int s : links.succ[size_t(gr)])
            early[size_t(s)] = std::max(early[size_t(s)], early[size_t(gr)] + 1);
    std::vector<int> late = early;
    for (auto it = topo.rbegin(); it != topo.rend(); ++it) {
        int nearest = std::numeric_limits<int>::max();
        for (int s : links.succ[size_t(*it)])
            if (!leaf(s)) nearest = std::min(nearest, late[size_t(s)] - 1);
        if (nearest != std::numeric_limits<int>::max()) late[size_t(*it)] = nearest;
    }
    auto refine = [&](std::vector<int>& layer) {
        // Then each group with children where its lines are shortest, as long
        // as that changes anything; the childless ones stay out of it.
        constexpr int kNone = std::numeric_limits<int>::max();
        bool skipLeaves = true;
        auto settle = [&](int gr) {
            if (leaf(gr)) return false;
            int lo = -kNone, hi = kNone, up = 0, down = 0;
            for (int p : links.pred[size_t(gr)]) {
                lo = std::max(lo, layer[size_t(p)] + 1);
                ++up;
            }
            for (int s : links.succ[size_t(gr)]) {
                if (skipLeaves && leaf(s)) continue;
                hi = std::min(hi, layer[size_t(s)] - 1);
                ++down;
            }
            int want = layer[size_t(gr)];
            if (up > down && lo != -kNone)
                want = lo;
            else if (up <= down && hi != kNone)
                want = hi;
            if (want == layer[size_t(gr)]) return false;
            layer[size_t(gr)] = want;
            return true;
        };
        for (int sweep = 0; sweep < 40; ++sweep) {
            bool changed = false;
            for (auto it = topo.rbegin(); it != topo.rend(); ++it)
                changed = settle(*it) || changed;
            for (int gr : topo)
                changed = settle(gr) || changed;
            if (!changed) break;
        }
        auto placeLeaves = [&] {
            for (int gr : topo) {
                if (!leaf(gr) || links.pred[size_t(gr)].empty()) continue;
                int lo = -kNone;
                for (int p : links.pred[size_t(gr)])
                    lo = std::max(lo, layer[size_t(p)] + 1);
                layer[size_t(gr)] = lo;
            }
        };
        placeLeaves();
        // Parents whose only children are childless, and who have no parents
        // here, come down to them (a couple whose childless son married into a
        // deep family); now the childless count like any other children.
        skipLeaves = false;
        for (int sweep = 0; sweep < 4; ++sweep) {
            bool changed = false;
            for (auto it = topo.rbegin(); it != topo.rend(); ++it)
                changed = settle(*it) || changed;
            if (!changed) break;
        }
        placeLeaves();
    };
    // Whichever start ends with the shorter lines in sum.
    auto span = [&](const std::vector<int>& layer) {
        std::int64_t sum = 0;
        for (int gr = 0; gr < count; ++gr)
            for (int s : links.succ[size_t(gr)])
                sum += layer[size_t(s)] - layer[size_t(gr)];
        return sum;
    };
    refine(early);
    refine(late);
    std::vector<int> layer = span(late) < span(early) ? std::move(late) : std::move(early);
    // Groups that move one at a time stop where a whole line of them would
    // have to move together: the rows are then tightened as a whole, and the
    // childless come back under their parents.
    // (Rows where every line is one row long are as short as can be.)
    auto hasLongLine = [&] {
        for (int gr = 0; gr < count; ++gr)
            for (int s : links.succ[size_t(gr)])
                if (layer[size_t(s)] > layer[size_t(gr)] + 1) return true;
        return false;
    };
    if (hasLongLine()) {
        constexpr std::int64_t kTighteningWork = 40'000'000; // links visited
        tightenRows(links, layer, kTighteningWork);
        refine(layer);
    }
    const int top = count ? *std::min_element(layer.begin(), layer.end()) : 0;
    for (int& l : layer)
        l -= top;
    return layer;
}

} // namespace lw::familylayout
