#pragma once
// What the person dialog does with a person's partnerships, without any
// widgets: the rows it lists, and the change of the document's partnerships
// that confirming it makes, which can be done and taken back.
#include "document/Document.h"
#include "document/Partnership.h"

#include <utility>
#include <vector>

namespace lw {

// One partnership of the edited person as the dialog lists it.
struct PartnerEntry {
    int source = -1;  // its index in the document's list when the dialog opened; -1: added
    int partner = -1; // the other partner's person index; -1: none
    LifeEvent marriage;
    bool divorced = false;
    LifeEvent divorce;
    bool operator==(const PartnerEntry&) const = default;
};

// Person `person`'s partnerships in that person's order.
std::vector<PartnerEntry> partnerEntries(const Document& doc, int person);

// A change of the document's partnerships: some replaced, some removed,
// some appended. The indices are those of the list before the change.
struct PartnershipChange {
    struct Replaced {
        int index = -1;
        Partnership before;
        Partnership after;
    };
    std::vector<Replaced> replaced;
    std::vector<std::pair<int, Partnership>> removed; // ascending indices
    std::vector<Partnership> added;                   // appended in this order

    bool empty() const { return replaced.empty() && removed.empty() && added.empty(); }
    // From the list before the change to the list after it, and back.
    void apply(Document& doc) const;
    void revert(Document& doc) const;
};

// The change that gives person `person` exactly the partnerships `entries`,
// in their order: the person's ranks follow the rows; a partner named anew
// sees the partnership after its others. A partnership added for a woman
// names her second (as wife), else the person is named first.
PartnershipChange partnershipChange(const Document& doc, int person, Sex sex,
                                    const std::vector<PartnerEntry>& entries);

} // namespace lw
