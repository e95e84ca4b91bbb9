// dump and convert: a family tree as JSON, and rewritten as the current revision.
#include "cli/Commands.h"
#include "document/StaFile.h"
#include "platform/Win1252.h"

#include <QTextStream>
#include <array>
#include <charconv>
#include <cstdio>
#include <string>

namespace lw::cli {

namespace {

const QString kMsgCannotWriteOutput = QStringLiteral("Die Ausgabe konnte nicht geschrieben werden.");

// The JSON of one character, as UTF-8: escapes for quotes, backslashes and
// control characters (C0, DEL and C1), the character itself otherwise.
std::string jsonChar(char16_t c) {
    switch (c) {
    case '"':
        return "\\\"";
    case '\\':
        return "\\\\";
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    default:
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
            return buf;
        }
        return QString(QChar(c)).toUtf8().toStdString();
    }
}

// Each Windows-1252 byte as JSON text, worked out once.
const std::array<std::string, 256>& byteTable() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = jsonChar(fromAnsi(std::string(1, char(b))).at(0).unicode());
        return t;
    }();
    return table;
}

// The JSON text goes to stdout in pieces of a quarter megabyte, so that a
// large tree needs no buffer of its whole text.
class JsonOut {
  public:
    static constexpr size_t kPiece = 256 * 1024;
    JsonOut() { out_.reserve(kPiece + 4096); }
    // Hands a full buffer on.
    void spill() {
        if (out_.size() >= kPiece) flush();
    }
    // Hands the rest on; false when any piece could not be written.
    bool flush() {
        failed_ = failed_ || std::fwrite(out_.data(), 1, out_.size(), stdout) != out_.size();
        out_.clear();
        return !failed_;
    }
    JsonOut& raw(std::string_view s) {
        out_.append(s);
        return *this;
    }
    JsonOut& ansi(const std::string& bytes) {
        const auto& table = byteTable();
        out_ += '"';
        for (char b : bytes)
            out_.append(table[static_cast<unsigned char>(b)]);
        out_ += '"';
        return *this;
    }
    template <class Int> JsonOut& num(Int v) {
        char buf[24];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
        (void)ec;
        out_.append(buf, size_t(end - buf));
        return *this;
    }
    JsonOut& real(double v) { return raw(QString::number(v, 'g', 17).toStdString()); }

  private:
    std::string out_;
    bool failed_ = false;
};

void fontJson(JsonOut& o, const TFontInfo& f) {
    o.raw("{\"name\": ").ansi(f.Name).raw(", \"charset\": ").num(int(f.Charset));
    o.raw(", \"color\": ").num(std::uint32_t(f.Color)).raw(", \"pitch\": ").num(int(f.Pitch));
    o.raw(", \"height\": ").num(f.Height).raw(", \"style\": ").num(int(f.Style)).raw("}");
}

void personJson(JsonOut& o, const TPerson& p) {
    o.raw("    {\"NachName\": ").ansi(p.NachName).raw(", \"VorName\": ").ansi(p.VorName);
    o.raw(", \"GebDate\": ").ansi(p.GebDate).raw(", \"StDate\": ").ansi(p.StDate);
    o.raw(", \"Bild\": ").ansi(p.Bild).raw(", \"Vater\": ").num(p.Vater);
    o.raw(", \"Mutter\": ").num(p.Mutter).raw(", \"Leben\": [");
    for (size_t i = 0; i < p.Leben.size(); ++i) {
        if (i > 0) o.raw(", ");
        o.ansi(p.Leben[i]);
    }
    o.raw("], \"GridX\": ").num(p.GridX).raw(", \"GridY\": ").num(p.GridY).raw("}");
}

// Writes the JSON to stdout; false when it could not be written whole.
bool dumpJson(const StaFile& file) {
    const Document& doc = file.doc;
    const BoxLayout& box = file.box;
    JsonOut o;
    o.raw("{\n  \"revision\": ").num(file.revision).raw(",\n");
    o.raw("  \"area\": [").num(doc.AreaWidth).raw(", ").num(doc.AreaHeight).raw("],\n");
    o.raw("  \"persons\": [");
    const auto& persons = doc.Persons();
    for (size_t i = 0; i < persons.size(); ++i) {
        o.raw(i == 0 ? "\n" : ",\n");
        personJson(o, persons[i]);
        o.spill();
    }
    o.raw(persons.empty() ? "" : "\n  ").raw("],\n");
    o.raw("  \"layout\": {\n");
    o.raw("    \"bkColor\": ").num(std::uint32_t(box.bkColor)).raw(",\n");
    o.raw("    \"borderColor\": ").num(std::uint32_t(box.borderColor)).raw(",\n");
    o.raw("    \"BreitEd\": ").num(box.BreitEd).raw(",\n");
    o.raw("    \"HochEd\": ").num(box.HochEd).raw(",\n");
    o.raw("    \"BildEd\": ").num(box.BildEd).raw(",\n");
    o.raw("    \"Textausricht\": ").num(box.Textausricht).raw(",\n");
    o.raw("    \"LeblaufCheck\": ").raw(box.LeblaufCheck ? "true" : "false").raw(",\n");
    o.raw("    \"Caption\": ").ansi(doc.chart.Caption).raw(",\n");
    o.raw("    \"headingFont\": ");
    fontJson(o, doc.chart.headingFont);
    o.raw(",\n    \"boxFont\": ");
    fontJson(o, box.font);
    o.raw(",\n");
    o.raw("    \"RandOED2\": ").real(doc.chart.RandOED2).raw(",\n");
    o.raw("    \"RandOEd\": ").real(doc.chart.RandOEd).raw(",\n");
    o.raw("    \"RandLEd\": ").real(doc.chart.RandLEd).raw("\n");
    o.raw("  }\n}\n");
    return o.flush() && std::fflush(stdout) == 0;
}

} // namespace

int runDump(const QStringList& args) {
    if (args.size() != 1) return usageError(QStringLiteral("Aufruf: lindwerk-cli dump DATEI.sta"));
    StaReadResult r = loadSta(args[0], BoxLayout{});
    if (!r.file) return failure(r.error);
    if (!dumpJson(*r.file)) return failure(kMsgCannotWriteOutput);
    keepUntilExit(std::move(*r.file));
    return 0;
}

int runConvert(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("Aufruf: lindwerk-cli convert EIN.sta AUS.sta"));
    StaReadResult r = loadSta(args[0], BoxLayout{});
    if (!r.file) return failure(r.error);
    QString error;
    if (!saveSta(args[1], r.file->doc, r.file->box, &error)) return failure(error);
    keepUntilExit(std::move(*r.file));
    return 0;
}

} // namespace lw::cli
