#pragma once
// What a change of the document was, as its listeners hear of it.
namespace lw {

struct DocumentChange {
    enum class Kind {
        PersonAdded,      // `person` appended (addPerson)
        PersonsAdded,     // many appended at once (adoptPersons)
        PersonReplaced,   // `person`'s data replaced (replacePerson)
        PersonRemoved,    // `person` taken out; later indices moved down
        PersonRestored,   // `person` put back; later indices moved up
        PersonsExchanged, // `person` and `other` exchanged their places in the list
        CellsMoved,       // `person` moved (-1: many, setGridPositions)
        Partnerships,     // partnerships added, replaced or removed
        Layout,           // area, heading or margins (told by whoever changed them)
        Replaced,         // cleared, or another tree taken over
    };
    Kind kind = Kind::Replaced;
    int person = -1;
    int other = -1;
};

} // namespace lw
