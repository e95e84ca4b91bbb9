// Family tree files: any bytes either are refused or read into a document
// whose cell index answers as the persons say, and whose next save reads
// back into the very same bytes.
#include "document/StaFile.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>

using namespace lw;

namespace {

void checkCells(const Document& doc) {
    for (int i = 0; i < doc.PersonCount(); ++i) {
        std::int32_t x, y;
        doc.GetGridPos(i, x, y);
        FUZZ_CHECK(doc.GridBesetzt(x, y));
        const int first = doc.GridNr(x, y);
        FUZZ_CHECK(first >= 0 && first <= i);
        std::int32_t fx, fy;
        doc.GetGridPos(first, fx, fy);
        FUZZ_CHECK(fx == x && fy == y);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    StaReadResult first = parseSta(bytes, BoxLayout{});
    if (!first.file) {
        FUZZ_CHECK(!first.error.isEmpty());
        return 0;
    }
    checkCells(first.file->doc);
    const QByteArray written = serializeSta(first.file->doc, first.file->box);
    StaReadResult second = parseSta(written, BoxLayout{});
    FUZZ_CHECK(second.file.has_value());
    FUZZ_CHECK(second.file->doc.PersonCount() == first.file->doc.PersonCount());
    checkCells(second.file->doc);
    FUZZ_CHECK(serializeSta(second.file->doc, second.file->box) == written);
    return 0;
}
