// dump and convert: a family tree as JSON, and rewritten as the current revision.
#include "cli/Commands.h"
#include "document/StaFile.h"
#include "document/StaRewrite.h"

#include <QTextStream>
#include <array>
#include <charconv>
#include <cstdio>
#include <string>

namespace lw::cli {

namespace {

const QString kMsgCannotWriteOutput =
    QStringLiteral("Die Ausgabe konnte nicht geschrieben werden.");

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

// Each ASCII character as JSON text, worked out once.
const std::array<std::string, 128>& asciiTable() {
    static const std::array<std::string, 128> table = [] {
        std::array<std::string, 128> t;
        for (int b = 0; b < 128; ++b)
            t[size_t(b)] = jsonChar(char16_t(b));
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
    // A document text (UTF-8) as a JSON string; the C1 controls are escaped.
    JsonOut& text(const std::string& utf8) {
        const auto& table = asciiTable();
        out_ += '"';
        for (size_t i = 0; i < utf8.size(); ++i) {
            const auto b = static_cast<unsigned char>(utf8[i]);
            if (b < 0x80) {
                out_.append(table[b]);
            } else if (b == 0xC2 && i + 1 < utf8.size() &&
                       static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
                out_.append(jsonChar(char16_t(static_cast<unsigned char>(utf8[++i]))));
            } else {
                out_ += char(b);
            }
        }
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
    o.raw("{\"name\": ").text(f.Name).raw(", \"charset\": ").num(int(f.Charset));
    o.raw(", \"color\": ").num(std::uint32_t(f.Color)).raw(", \"pitch\": ").num(int(f.Pitch));
    o.raw(", \"height\": ").num(f.Height).raw(", \"style\": ").num(int(f.Style)).raw("}");
}

const char* sexName(Sex sex) {
    switch (sex) {
    case Sex::Male:
        return "male";
    case Sex::Female:
        return "female";
    case Sex::Other:
        return "other";
    default:
        return "unknown";
    }
}

const char* relationName(ParentRelation relation) {
    switch (relation) {
    case ParentRelation::Adopted:
        return "adopted";
    case ParentRelation::Foster:
        return "foster";
    case ParentRelation::Sealing:
        return "sealing";
    case ParentRelation::Other:
        return "other";
    default:
        return "birth";
    }
}

void eventJson(JsonOut& o, const LifeEvent& e) {
    o.raw("{\"date\": ").text(e.date).raw(", \"place\": ").text(e.place).raw("}");
}

// What a person holds beyond the older files, each only when it is not
// at its default, so that the output of older trees stays as it was.
void personExtrasJson(JsonOut& o, const TPerson& p) {
    if (p.sex != Sex::Unknown) o.raw(", \"sex\": \"").raw(sexName(p.sex)).raw("\"");
    if (!p.birthPlace.empty()) o.raw(", \"birthPlace\": ").text(p.birthPlace);
    if (!p.deathPlace.empty()) o.raw(", \"deathPlace\": ").text(p.deathPlace);
    if (!p.baptism.empty()) eventJson(o.raw(", \"baptism\": "), p.baptism);
    if (!p.burial.empty()) eventJson(o.raw(", \"burial\": "), p.burial);
    if (p.fatherRelation != ParentRelation::Birth)
        o.raw(", \"fatherRelation\": \"").raw(relationName(p.fatherRelation)).raw("\"");
    if (p.motherRelation != ParentRelation::Birth)
        o.raw(", \"motherRelation\": \"").raw(relationName(p.motherRelation)).raw("\"");
}

void partnershipJson(JsonOut& o, const Partnership& p) {
    o.raw("    {\"first\": ").num(p.first).raw(", \"second\": ").num(p.second);
    o.raw(", \"firstRank\": ").num(p.firstRank).raw(", \"secondRank\": ").num(p.secondRank);
    eventJson(o.raw(", \"marriage\": "), p.marriage);
    o.raw(", \"divorced\": ").raw(p.divorced ? "true" : "false");
    eventJson(o.raw(", \"divorce\": "), p.divorce);
    if (p.married) o.raw(", \"married\": true");
    o.raw("}");
}

void personJson(JsonOut& o, const TPerson& p) {
    o.raw("    {\"NachName\": ").text(p.NachName).raw(", \"VorName\": ").text(p.VorName);
    o.raw(", \"GebDate\": ").text(p.GebDate).raw(", \"StDate\": ").text(p.StDate);
    o.raw(", \"Bild\": ").text(p.Bild).raw(", \"Vater\": ").num(p.Vater);
    o.raw(", \"Mutter\": ").num(p.Mutter).raw(", \"Leben\": [");
    for (size_t i = 0; i < p.Leben.size(); ++i) {
        if (i > 0) o.raw(", ");
        o.text(p.Leben[i]);
    }
    o.raw("], \"GridX\": ").num(p.GridX).raw(", \"GridY\": ").num(p.GridY);
    personExtrasJson(o, p);
    o.raw("}");
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
    if (!doc.Partnerships().empty()) {
        o.raw("  \"partnerships\": [");
        const auto& couples = doc.Partnerships();
        for (size_t i = 0; i < couples.size(); ++i) {
            o.raw(i == 0 ? "\n" : ",\n");
            partnershipJson(o, couples[i]);
            o.spill();
        }
        o.raw("\n  ],\n");
    }
    o.raw("  \"layout\": {\n");
    o.raw("    \"bkColor\": ").num(std::uint32_t(box.bkColor)).raw(",\n");
    o.raw("    \"borderColor\": ").num(std::uint32_t(box.borderColor)).raw(",\n");
    o.raw("    \"BreitEd\": ").num(box.BreitEd).raw(",\n");
    o.raw("    \"HochEd\": ").num(box.HochEd).raw(",\n");
    o.raw("    \"BildEd\": ").num(box.BildEd).raw(",\n");
    o.raw("    \"Textausricht\": ").num(box.Textausricht).raw(",\n");
    o.raw("    \"LeblaufCheck\": ").raw(box.LeblaufCheck ? "true" : "false").raw(",\n");
    o.raw("    \"Caption\": ").text(doc.chart.Caption).raw(",\n");
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
    const StaRewriteResult rewritten = rewriteSta(args[0], args[1], BoxLayout{});
    if (rewritten.handled) return rewritten.error.isEmpty() ? 0 : failure(rewritten.error);
    StaReadResult r = loadSta(args[0], BoxLayout{});
    if (!r.file) return failure(r.error);
    QString error;
    if (!saveSta(args[1], r.file->doc, r.file->box, &error)) return failure(error);
    keepUntilExit(std::move(*r.file));
    return 0;
}

} // namespace lw::cli
