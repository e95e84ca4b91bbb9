#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lw {

// A person's sex as the family knows it.
enum class Sex : std::uint8_t { Unknown = 0, Male = 1, Female = 2, Other = 3 };

// How a child is the child of a parent: by birth unless a file says
// otherwise (adopted, foster child, sealed, or another relation).
enum class ParentRelation : std::uint8_t {
    Birth = 0,
    Adopted = 1,
    Foster = 2,
    Sealing = 3,
    Other = 4
};

// Something that happened on a day at a place: a baptism, a burial, a
// marriage. The date is free text as the birth and death dates are.
struct LifeEvent {
    std::string date;
    std::string place;

    bool empty() const { return date.empty() && place.empty(); }
    bool operator==(const LifeEvent&) const = default;
};

// One person of the family tree. Texts are UTF-8; the older tree files that
// hold Windows-1252 are converted when they are read and written.
struct TPerson {
    std::string Bild; // picture file name; empty = none
    std::string NachName;
    std::string VorName;
    std::string StDate;             // date of death, free text
    std::string GebDate;            // date of birth, free text
    std::int32_t Vater = -1;        // index of the father, -1 = none
    std::int32_t Mutter = -1;       // index of the mother, -1 = none
    std::vector<std::string> Leben; // biography lines
    std::int32_t GridX = -1;        // chart cell; -1, -1 = not placed
    std::int32_t GridY = -1;

    // What the family knows beyond names and the two dates.
    Sex sex = Sex::Unknown;
    std::string birthPlace; // where GebDate happened
    std::string deathPlace; // where StDate happened
    LifeEvent baptism;
    LifeEvent burial;
    ParentRelation fatherRelation = ParentRelation::Birth;
    ParentRelation motherRelation = ParentRelation::Birth;

    std::int32_t LebenCount() const { return std::int32_t(Leben.size()); }
};

} // namespace lw
