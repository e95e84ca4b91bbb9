#pragma once
// The relations among the persons of one arrangement, by their position in
// the list being arranged: father, mother, children and partners. Partners
// are the two parents of a common child and the two persons of a
// partnership of the document (a marriage without children, too), each
// person's partners in that person's order.
#include <algorithm>
#include <numeric>
#include <vector>

namespace lw {

class Document;

namespace familylayout {

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

struct Graph {
    std::vector<int> father, mother;
    std::vector<std::vector<int>> children;
    std::vector<std::vector<int>> partners; // each once, first partnerships first

    Graph(const Document& doc, const std::vector<int>& persons);
    // The relations among `members` (ascending indices of `whole`, one
    // connected family), by position in `members`. `localOf` (by index of
    // `whole`) is scratch space, as large as `whole`, left as it was found.
    Graph(const Graph& whole, const std::vector<int>& members, std::vector<int>& localOf);

    int size() const { return int(father.size()); }
    int otherParent(int child, int parent) const {
        return father[size_t(child)] == parent ? mother[size_t(child)] : father[size_t(child)];
    }
};

} // namespace familylayout
} // namespace lw
