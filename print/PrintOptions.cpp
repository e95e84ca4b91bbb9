#include "print/PrintOptions.h"

#include "platform/ProfileFile.h"

#include <charconv>
#include <string>

namespace lw {

namespace {

void readInt(const ProfileFile& file, const char* key, int lo, int hi, int& value) {
    const std::optional<std::string> text = file.value(kPrintOptionsSection, key);
    if (!text) return;
    int v = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, v);
    if (ec == std::errc() && ptr == end && v >= lo && v <= hi) value = v;
}

void readBool(const ProfileFile& file, const char* key, bool& value) {
    int v = value ? 1 : 0;
    readInt(file, key, 0, 1, v);
    value = v != 0;
}

} // namespace

void readPrintOptions(const ProfileFile& file, PrintOptions& o) {
    int mode = int(o.scaleMode);
    readInt(file, "Massstab", 0, 2, mode);
    o.scaleMode = ScaleMode(mode);
    readInt(file, "Prozent", PrintOptions::kMinPercent, PrintOptions::kMaxPercent, o.percent);
    readInt(file, "BlaetterBreit", 1, PrintOptions::kMaxSheetsWide, o.sheetsWide);
    readBool(file, "LeereAuslassen", o.skipEmpty);
    readInt(file, "KlebeRandMm", 0, PrintOptions::kMaxGlueMm, o.glueMm);
    readBool(file, "Schnittmarken", o.marks);
    readBool(file, "Uebersicht", o.map);
}

void writePrintOptions(ProfileFile& file, const PrintOptions& o) {
    auto put = [&](const char* key, int v) {
        file.setValue(kPrintOptionsSection, key, std::to_string(v));
    };
    put("Massstab", int(o.scaleMode));
    put("Prozent", o.percent);
    put("BlaetterBreit", o.sheetsWide);
    put("LeereAuslassen", o.skipEmpty);
    put("KlebeRandMm", o.glueMm);
    put("Schnittmarken", o.marks);
    put("Uebersicht", o.map);
}

} // namespace lw
