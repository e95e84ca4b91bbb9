#pragma once
// Two persons who formed a couple: married, divorced, or parents together.
//
// A couple that has children is known from the children's father and mother
// already; a partnership is kept for what only it holds (a marriage, a
// divorce, a couple without children, the order of a person's several
// partners). A child whose father and mother are the two partners belongs
// to that partnership.
#include "document/Person.h"

#include <cstdint>

namespace lw {

struct Partnership {
    // The two partners by person index; either may be -1 (not known). The
    // first is the one a GEDCOM file names as husband, the second as wife.
    std::int32_t first = -1;
    std::int32_t second = -1;
    // Where this partnership stands among the partnerships of the first and
    // of the second partner: a person's partnerships are ordered by their
    // rank for that person, then by their place in the document's list.
    std::int32_t firstRank = 0;
    std::int32_t secondRank = 0;
    LifeEvent marriage;
    bool divorced = false;
    LifeEvent divorce; // date and place of the divorce, when known
    // Married, though neither the date nor the place of the marriage is
    // known ("1 MARR" alone in a GEDCOM file).
    bool married = false;

    bool operator==(const Partnership&) const = default;
};

} // namespace lw
