#include "chart/FamilyLayers.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace lw::familylayout {

namespace {

// Rows with the least sum of line lengths, each weighted by its lines, that
// keep every child's group at least one row below its parents' group: from
// a valid start, a spanning tree of links without slack is exchanged edge by
// edge while that shortens the lines (the network simplex method). `budget`
// bounds the work, in links visited; the rows stay valid whenever it ends.
class RowTightener {
  public:
    RowTightener(const GroupLinks& links, std::vector<int>& layer) : layer_(layer) {
        const int n = int(links.succ.size());
        std::vector<int> last(size_t(n), -1);
        for (int from = 0; from < n; ++from)
            for (int to : links.succ[size_t(from)]) {
                if (last[size_t(to)] >= 0 && edges_[size_t(last[size_t(to)])].from == from) {
                    ++edges_[size_t(last[size_t(to)])].weight;
                    continue;
                }
                last[size_t(to)] = int(edges_.size());
                edges_.push_back({from, to, 1});
            }
        incident_.resize(size_t(n));
        for (size_t e = 0; e < edges_.size(); ++e) {
            incident_[size_t(edges_[e].from)].push_back(int(e));
            incident_[size_t(edges_[e].to)].push_back(int(e));
        }
        inTree_.assign(edges_.size(), 0);
        cut_.assign(edges_.size(), 0);
        parentEdge_.assign(size_t(n), -1);
        low_.assign(size_t(n), 0);
        lim_.assign(size_t(n), 0);
    }

    void run(std::int64_t budget) {
        const int n = int(incident_.size());
        if (n < 2) return;
        for (const Edge& e : edges_)
            if (slack(e) < 0) return; // not a valid start
        budget_ = budget;
        if (!spanTightTree()) return;
        numberTree();
        cutValues();
        while (budget_ > 0) {
            int leave = -1;
            for (size_t e = 0; e < edges_.size() && leave < 0; ++e)
                if (inTree_[e] && cut_[e] < 0) leave = int(e);
            budget_ -= std::int64_t(edges_.size());
            if (leave < 0) break;
            const int enter = enteringEdge(leave);
            if (enter < 0) break;
            inTree_[size_t(leave)] = 0;
            inTree_[size_t(enter)] = 1;
            numberTree();
            cutValues();
            updateRows();
        }
    }

  private:
    struct Edge {
        int from, to, weight;
    };
    int slack(const Edge& e) const { return layer_[size_t(e.to)] - layer_[size_t(e.from)] - 1; }
    int other(int e, int v) const {
        return edges_[size_t(e)].from == v ? edges_[size_t(e)].to : edges_[size_t(e)].from;
    }

    // Grows a tree over links without slack from group 0, moving the whole
    // tree by the least slack of a link leaving it until it spans all.
    bool spanTightTree() {
        const int n = int(incident_.size());
        std::vector<char> in(size_t(n), 0);
        std::vector<int> members{0}, stack{0};
        in[0] = 1;
        while (true) {
            while (!stack.empty()) {
                const int v = stack.back();
                stack.pop_back();
                for (int e : incident_[size_t(v)]) {
                    const int w = other(e, v);
                    if (in[size_t(w)] || slack(edges_[size_t(e)]) != 0) continue;
                    in[size_t(w)] = 1;
                    inTree_[size_t(e)] = 1;
                    members.push_back(w);
                    stack.push_back(w);
                }
            }
            if (int(members.size()) == n) return true;
            int best = -1, bestSlack = std::numeric_limits<int>::max();
            for (size_t e = 0; e < edges_.size(); ++e) {
                const Edge& ed = edges_[e];
                if (in[size_t(ed.from)] == in[size_t(ed.to)] || slack(ed) >= bestSlack) continue;
                best = int(e);
                bestSlack = slack(ed);
            }
            budget_ -= std::int64_t(edges_.size());
            if (best < 0 || budget_ <= 0) return false; // not connected, or too costly
            const int delta = in[size_t(edges_[size_t(best)].to)] ? -bestSlack : bestSlack;
            for (int v : members)
                layer_[size_t(v)] += delta;
            for (int v : members)
                stack.push_back(v);
        }
    }

    // Post-order numbers of the tree from group 0: a group's subtree holds
    // the numbers from its low to its lim.
    void numberTree() {
        const int n = int(incident_.size());
        std::fill(parentEdge_.begin(), parentEdge_.end(), -1);
        order_.clear();
        std::vector<std::pair<int, size_t>> stack{{0, 0}};
        std::vector<char> seen(size_t(n), 0);
        seen[0] = 1;
        int next = 0;
        low_[0] = 0;
        while (!stack.empty()) {
            auto& [v, k] = stack.back();
            if (k < incident_[size_t(v)].size()) {
                const int e = incident_[size_t(v)][k++];
                const int w = other(e, v);
                if (!inTree_[size_t(e)] || seen[size_t(w)]) continue;
                seen[size_t(w)] = 1;
                parentEdge_[size_t(w)] = e;
                low_[size_t(w)] = next;
                stack.emplace_back(w, 0);
                continue;
            }
            lim_[size_t(v)] = next++;
            order_.push_back(v);
            stack.pop_back();
        }
    }
    bool below(int v, int root) const {
        return low_[size_t(root)] <= lim_[size_t(v)] && lim_[size_t(v)] <= lim_[size_t(root)];
    }

    // The cut value of each tree link: the weight of the links that cross
    // the cut in its direction less those that cross against it.
    void cutValues() {
        for (int child : order_) {
            const int pe = parentEdge_[size_t(child)];
            if (pe < 0) continue;
            const bool childIsTail = edges_[size_t(pe)].from == child;
            std::int64_t value = edges_[size_t(pe)].weight;
            for (int e : incident_[size_t(child)]) {
                if (e == pe) continue;
                const bool out = edges_[size_t(e)].from == child;
                const bool toHead = out == childIsTail;
                const int w = edges_[size_t(e)].weight;
                value += toHead ? w : -w;
                if (inTree_[size_t(e)]) value += toHead ? -cut_[size_t(e)] : cut_[size_t(e)];
            }
            cut_[size_t(pe)] = value;
        }
    }

    int enteringEdge(int leave) {
        const Edge& l = edges_[size_t(leave)];
        // The side of the tree link away from the root.
        const bool tailBelow = parentEdge_[size_t(l.from)] == leave;
        const int tail = tailBelow ? l.from : l.to;
        int best = -1, bestSlack = std::numeric_limits<int>::max();
        for (size_t e = 0; e < edges_.size(); ++e) {
            const Edge& ed = edges_[e];
            if (inTree_[e]) continue;
            if (tailBelow != below(ed.to, tail) || tailBelow == below(ed.from, tail)) continue;
            if (slack(ed) < bestSlack) {
                best = int(e);
                bestSlack = slack(ed);
            }
        }
        return best;
    }

    void updateRows() {
        for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
            const int pe = parentEdge_[size_t(*it)];
            if (pe < 0) continue;
            const Edge& e = edges_[size_t(pe)];
            if (e.to == *it)
                layer_[size_t(e.to)] = layer_[size_t(e.from)] + 1;
            else
                layer_[size_t(e.from)] = layer_[size_t(e.to)] - 1;
        }
    }

    std::vector<int>& layer_;
    std::vector<Edge> edges_;
    std::vector<std::vector<int>> incident_;
    std::vector<char> inTree_;
    std::vector<std::int64_t> cut_;
    std::vector<int> parentEdge_, low_, lim_, order_;
    std::int64_t budget_ = 0;
};

} // namespace

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
    bool slack = false;
    for (int gr = 0; gr < count && !slack; ++gr)
        for (int s : links.succ[size_t(gr)])
            slack = slack || layer[size_t(s)] > layer[size_t(gr)] + 1;
    if (slack) {
        RowTightener(links, layer).run(std::int64_t(40) * 1000 * 1000);
        refine(layer);
    }
    const int top = count ? *std::min_element(layer.begin(), layer.end()) : 0;
    for (int& l : layer)
        l -= top;
    return layer;
}

} // namespace lw::familylayout
