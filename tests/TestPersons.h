#pragma once
// Persons for test documents.
#include "document/Person.h"

#include <cstdint>

namespace lw::test {

// A person with only a surname, on cell (col, row).
inline TPerson personAt(std::int32_t col, std::int32_t row, const char* surname = "Lind") {
    TPerson p;
    p.NachName = surname;
    p.GridX = col;
    p.GridY = row;
    return p;
}

} // namespace lw::test
