#include "document/BioExport.h"

#include "platform/WholeFile.h"

#include <QDir>
#include <algorithm>

namespace lw {
namespace {

// The person's own surname and dates are cut to this many characters.
constexpr size_t kMaxOwnText = 255;

void appendBytes(QByteArray& out, const std::string& s, size_t maxLen = std::string::npos) {
    out.append(s.data(), qsizetype(std::min(s.size(), maxLen)));
}

void endLine(QByteArray& out) { out.append("\r\n"); }

void appendParentLine(QByteArray& out, const char* label, const TPerson& parent) {
    out.append(label);
    appendBytes(out, parent.NachName);
    out.append(' ');
    appendBytes(out, parent.VorName);
    endLine(out);
}

void appendBlock(QByteArray& out, const Document& doc, int index) {
    const TPerson& p = doc.person(index);
    appendBytes(out, p.NachName, kMaxOwnText);
    out.append(' ');
    appendBytes(out, p.VorName);
    endLine(out);
    if (!p.GebDate.empty()) {
        out.append('*');
        appendBytes(out, p.GebDate, kMaxOwnText);
        endLine(out);
    }
    if (!p.StDate.empty()) {
        out.append('+');
        appendBytes(out, p.StDate, kMaxOwnText);
        endLine(out);
    }
    if (int v = doc.validParent(index, p.Vater); v >= 0)
        appendParentLine(out, "Vater: ", doc.person(v));
    if (int m = doc.validParent(index, p.Mutter); m >= 0)
        appendParentLine(out, "Mutter: ", doc.person(m));
    if (!p.Leben.empty()) {
        out.append("Lebenslauf:");
        endLine(out);
        for (const std::string& line : p.Leben) {
            appendBytes(out, line);
            endLine(out);
        }
    }
    endLine(out);
    endLine(out);
}

} // namespace

QByteArray biographyText(const Document& doc) {
    QByteArray out;
    for (int i = 0; i < doc.PersonCount(); ++i) appendBlock(out, doc, i);
    return out;
}

QString cannotWriteMessage(const QString& path) {
    return QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.")
        .arg(QDir::toNativeSeparators(path));
}

bool exportBiographies(const QString& path, const Document& doc, QString* error) {
    if (writeWholeFile(path, biographyText(doc))) return true;
    if (error) *error = cannotWriteMessage(path);
    return false;
}

} // namespace lw
