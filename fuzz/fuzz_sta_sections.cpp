// The sections of the newer family tree files: any bytes after the body of
// a valid tree either are refused with a message or read into a tree whose
// next save reads back into the very same bytes.
#include "document/StaFile.h"
#include "document/StaSections.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>

using namespace lw;

namespace {

// The body of a tree of three persons, in the newer revision: everything
// but its section list.
QByteArray treeBody() {
    Document doc;
    for (int i = 0; i < 3; ++i) {
        TPerson p;
        p.NachName = "Person \u0141";
        p.GridX = i;
        p.GridY = 0;
        doc.addPerson(p);
    }
    const QByteArray whole = serializeSta(doc, BoxLayout{});
    return whole.left(whole.size() - staSectionsSize(doc));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QByteArray body = treeBody();
    const QByteArray bytes =
        body + QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
    StaReadResult first = parseSta(bytes, BoxLayout{});
    if (!first.file) {
        FUZZ_CHECK(!first.error.isEmpty());
        return 0;
    }
    const Document& doc = first.file->doc;
    for (const Partnership& p : doc.Partnerships()) {
        FUZZ_CHECK(p.first >= -1 && p.first < doc.PersonCount());
        FUZZ_CHECK(p.second >= -1 && p.second < doc.PersonCount());
    }
    const QByteArray written = serializeSta(doc, first.file->box);
    StaReadResult second = parseSta(written, BoxLayout{});
    FUZZ_CHECK(second.file.has_value());
    FUZZ_CHECK(serializeSta(second.file->doc, second.file->box) == written);
    return 0;
}
