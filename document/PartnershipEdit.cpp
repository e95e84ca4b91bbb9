#include "document/PartnershipEdit.h"

#include <algorithm>
#include <map>

namespace lw {
namespace {

bool namesFirst(const Partnership& p, int person) {
    return p.first == person;
}

// The rank after every partnership that `person` has now.
std::int32_t rankAfterOthers(const Document& doc, int person) {
    std::int32_t next = 0;
    if (person < 0) return next;
    for (const Partnership& p : doc.Partnerships()) {
        if (p.first == person) next = std::max(next, p.firstRank + 1);
        if (p.second == person) next = std::max(next, p.secondRank + 1);
    }
    return next;
}

} // namespace

std::vector<PartnerEntry> partnerEntries(const Document& doc, int person) {
    std::vector<PartnerEntry> entries;
    for (int index : doc.partnershipsOf(person)) {
        const Partnership& p = doc.Partnerships()[size_t(index)];
        PartnerEntry e;
        e.source = index;
        e.partner = namesFirst(p, person) ? p.second : p.first;
        e.marriage = p.marriage;
        e.divorced = p.divorced;
        e.divorce = p.divorce;
        entries.push_back(std::move(e));
    }
    return entries;
}

void PartnershipChange::apply(Document& doc) const {
    for (const Replaced& r : replaced)
        doc.replacePartnership(r.index, r.after);
    for (auto it = removed.rbegin(); it != removed.rend(); ++it)
        doc.removePartnership(it->first);
    for (const Partnership& p : added)
        doc.addPartnership(p);
}

void PartnershipChange::revert(Document& doc) const {
    for (size_t i = 0; i < added.size(); ++i)
        doc.removePartnership(int(doc.Partnerships().size()) - 1);
    for (const auto& [index, partnership] : removed)
        doc.insertPartnership(index, partnership);
    for (const Replaced& r : replaced)
        doc.replacePartnership(r.index, r.before);
}

PartnershipChange partnershipChange(const Document& doc, int person, Sex sex,
                                    const std::vector<PartnerEntry>& entries) {
    PartnershipChange change;
    // Partners named anew more than once in one confirmation get one rank each.
    std::map<int, std::int32_t> nextRank;
    auto rankFor = [&](int partner) {
        auto [it, fresh] = nextRank.try_emplace(partner, 0);
        if (fresh) it->second = rankAfterOthers(doc, partner);
        return partner < 0 ? 0 : it->second++;
    };
    std::vector<bool> kept(doc.Partnerships().size(), false);
    for (size_t row = 0; row < entries.size(); ++row) {
        const PartnerEntry& e = entries[row];
        const bool known = e.source >= 0 && size_t(e.source) < doc.Partnerships().size();
        Partnership p = known ? doc.Partnerships()[size_t(e.source)] : Partnership{};
        const bool first = known ? namesFirst(p, person) : sex != Sex::Female;
        std::int32_t& ownSide = first ? p.first : p.second;
        std::int32_t& otherSide = first ? p.second : p.first;
        std::int32_t& otherRank = first ? p.secondRank : p.firstRank;
        ownSide = person;
        (first ? p.firstRank : p.secondRank) = std::int32_t(row);
        if (!known || otherSide != e.partner) {
            otherSide = e.partner;
            otherRank = rankFor(e.partner);
        }
        p.marriage = e.marriage;
        p.divorced = e.divorced;
        p.divorce = e.divorced ? e.divorce : LifeEvent{};
        if (!known) {
            change.added.push_back(std::move(p));
            continue;
        }
        kept[size_t(e.source)] = true;
        const Partnership& before = doc.Partnerships()[size_t(e.source)];
        if (!(p == before)) change.replaced.push_back({e.source, before, std::move(p)});
    }
    for (int index : doc.partnershipsOf(person))
        if (!kept[size_t(index)])
            change.removed.emplace_back(index, doc.Partnerships()[size_t(index)]);
    std::sort(change.removed.begin(), change.removed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return change;
}

} // namespace lw
