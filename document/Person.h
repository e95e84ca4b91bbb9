#pragma once
#include "picture/Dib.h"
#include "picture/Picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lw {

// One person of the family tree. Texts are Windows-1252 bytes.
struct TPerson {
    std::string Bild; // picture file name; empty = none
    std::string NachName;
    std::string VorName;
    std::string StDate; // date of death, free text
    std::string GebDate; // date of birth, free text
    std::int32_t Vater = -1; // index of the father, -1 = none
    std::int32_t Mutter = -1; // index of the mother, -1 = none
    std::vector<std::string> Leben; // biography lines
    TDibRecord Dib; // the loaded picture as the boxes draw it: `picture`'s record
    PictureRef picture; // keeps Dib's pixels; shared with persons naming the same file
    std::int32_t GridX = -1; // chart cell; -1, -1 = not placed
    std::int32_t GridY = -1;

    std::int32_t LebenCount() const { return std::int32_t(Leben.size()); }
};

} // namespace lw
