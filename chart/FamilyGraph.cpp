#include "chart/FamilyGraph.h"

#include "document/Document.h"

#include <algorithm>
#include <tuple>

namespace lw::familylayout {

Graph::Graph(const Document& doc, const std::vector<int>& persons) {
    const size_t n = persons.size();
    std::vector<int> localOf(size_t(doc.PersonCount()), -1);
    for (size_t i = 0; i < n; ++i)
        localOf[size_t(persons[i])] = int(i);
    father.assign(n, -1);
    mother.assign(n, -1);
    children.resize(n);
    partners.resize(n);
    // (person, rank, place in the document's list, partner)
    std::vector<std::tuple<int, int, int, int>> links;
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
    const std::vector<Partnership>& all = doc.Partnerships();
    const int count = doc.PersonCount();
    for (size_t k = 0; k < all.size(); ++k) {
        const Partnership& p = all[k];
        if (p.first < 0 || p.second < 0 || p.first >= count || p.second >= count) continue;
        const int a = localOf[size_t(p.first)], b = localOf[size_t(p.second)];
        if (a < 0 || b < 0 || a == b) continue;
        links.emplace_back(a, p.firstRank, int(k), b);
        links.emplace_back(b, p.secondRank, int(k), a);
    }
    // Parents of common children who have no partnership come after the
    // partnerships, in the order of their first child.
    for (size_t i = 0; i < n; ++i)
        if (father[i] >= 0 && mother[i] >= 0) {
            links.emplace_back(father[i], 1 << 30, int(i), mother[i]);
            links.emplace_back(mother[i], 1 << 30, int(i), father[i]);
        }
    std::sort(links.begin(), links.end());
    for (const auto& [person, rank, place, partner] : links) {
        std::vector<int>& ps = partners[size_t(person)];
        if (std::find(ps.begin(), ps.end(), partner) == ps.end()) ps.push_back(partner);
    }
}

Graph::Graph(const Graph& whole, const std::vector<int>& members, std::vector<int>& localOf) {
    const size_t n = members.size();
    for (size_t i = 0; i < n; ++i)
        localOf[size_t(members[i])] = int(i);
    father.assign(n, -1);
    mother.assign(n, -1);
    children.resize(n);
    partners.resize(n);
    auto local = [&](int p) { return p >= 0 ? localOf[size_t(p)] : -1; };
    for (size_t i = 0; i < n; ++i) {
        const size_t w = size_t(members[i]);
        father[i] = local(whole.father[w]);
        mother[i] = local(whole.mother[w]);
        children[i].reserve(whole.children[w].size());
        for (int c : whole.children[w])
            children[i].push_back(local(c));
        partners[i].reserve(whole.partners[w].size());
        for (int p : whole.partners[w])
            partners[i].push_back(local(p));
    }
    for (int p : members)
        localOf[size_t(p)] = -1;
}

} // namespace lw::familylayout
