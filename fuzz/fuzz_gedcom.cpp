// GEDCOM files: any bytes either are refused with a message or read into a
// tree whose parents name persons of the tree; that tree, written as GEDCOM
// and read again, gives back the same persons.
#include "fuzz/FuzzCheck.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"

#include <cstddef>
#include <cstdint>

using namespace lw;

namespace {

void checkParents(const Document& doc) {
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        FUZZ_CHECK(p.Vater >= -1 && p.Vater < doc.PersonCount());
        FUZZ_CHECK(p.Mutter >= -1 && p.Mutter < doc.PersonCount());
    }
}

bool samePerson(const TPerson& a, const TPerson& b) {
    return a.NachName == b.NachName && a.VorName == b.VorName && a.GebDate == b.GebDate &&
           a.StDate == b.StDate && a.Vater == b.Vater && a.Mutter == b.Mutter &&
           a.Leben == b.Leben && a.GridX == b.GridX && a.GridY == b.GridY;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const gedcom::GedcomImportResult first = gedcom::importGedcom(bytes);
    if (!first.doc) {
        FUZZ_CHECK(!first.error.isEmpty());
        return 0;
    }
    checkParents(*first.doc);
    const gedcom::GedcomImportResult second =
        gedcom::importGedcom(gedcom::exportGedcom(*first.doc));
    FUZZ_CHECK(second.doc.has_value());
    FUZZ_CHECK(second.doc->PersonCount() == first.doc->PersonCount());
    for (int i = 0; i < first.doc->PersonCount(); ++i)
        FUZZ_CHECK(samePerson(first.doc->person(i), second.doc->person(i)));
    return 0;
}
