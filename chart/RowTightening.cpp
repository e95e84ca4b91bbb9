#include "chart/RowTightening.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace lw::familylayout {

namespace {

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

void tightenRows(const GroupLinks& links, std::vector<int>& layer, std::int64_t budget) {
    RowTightener(links, layer).run(budget);
}

} // namespace lw::familylayout
