#include "document/BioExport.h"

#include "platform/DocText.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <algorithm>
#include <utility>
#include <vector>

namespace lw {
namespace {

// The person's own surname and dates are cut to this many characters.
constexpr size_t kMaxOwnText = 255;

// Appends `s`, cut after `maxChars` characters.
void appendBytes(QByteArray& out, const std::string& s, size_t maxChars = std::string::npos) {
    size_t end = 0, chars = 0;
    if (maxChars >= s.size())
        end = s.size();
    else
        while (end < s.size() && (chars < maxChars || (std::uint8_t(s[end]) & 0xC0) == 0x80)) {
            if ((std::uint8_t(s[end]) & 0xC0) != 0x80) ++chars;
            ++end;
        }
    out.append(s.data(), qsizetype(end));
}

void endLine(QByteArray& out) {
    out.append("\r\n");
}

void appendParentLine(QByteArray& out, const char* label, const TPerson& parent) {
    out.append(label);
    appendBytes(out, parent.NachName);
    out.append(' ');
    appendBytes(out, parent.VorName);
    endLine(out);
}

// " in <place>" after a date, or "in <place>" alone.
void appendPlace(QByteArray& out, const std::string& date, const std::string& place) {
    if (place.empty()) return;
    if (!date.empty()) out.append(' ');
    out.append("in ");
    appendBytes(out, place);
}

void appendEventLine(QByteArray& out, const char* label, const LifeEvent& event) {
    if (event.empty()) return;
    out.append(label);
    appendBytes(out, event.date);
    appendPlace(out, event.date, event.place);
    endLine(out);
}

// "Partner: <surname> <first name> (⚭ <date> in <place>, geschieden <date>)";
// the brackets only when a marriage or divorce is known.
void appendPartnerLine(QByteArray& out, const Document& doc, int index, const Partnership& p) {
    const int other = doc.validParent(index, p.first == index ? p.second : p.first);
    out.append("Partner: ");
    if (other >= 0) {
        appendBytes(out, doc.person(other).NachName);
        out.append(' ');
        appendBytes(out, doc.person(other).VorName);
    } else {
        out.append("unbekannt");
    }
    QByteArray about;
    if (!p.marriage.empty()) {
        about.append("\u26AD ");
        appendBytes(about, p.marriage.date);
        appendPlace(about, p.marriage.date, p.marriage.place);
    }
    if (p.divorced) {
        if (!about.isEmpty()) about.append(", ");
        about.append("geschieden");
        if (!p.divorce.date.empty()) about.append(' ');
        appendBytes(about, p.divorce.date);
    }
    if (!about.isEmpty()) out.append(" (").append(about).append(')');
    endLine(out);
}

// `partners`: the person's partnerships as (rank, index), in its order.
void appendBlock(QByteArray& out, const Document& doc, int index,
                 const std::vector<std::pair<std::int32_t, int>>& partners) {
    const TPerson& p = doc.person(index);
    appendBytes(out, p.NachName, kMaxOwnText);
    out.append(' ');
    appendBytes(out, p.VorName);
    endLine(out);
    if (!p.GebDate.empty() || !p.birthPlace.empty()) {
        out.append('*');
        appendBytes(out, p.GebDate, kMaxOwnText);
        appendPlace(out, p.GebDate, p.birthPlace);
        endLine(out);
    }
    appendEventLine(out, "Taufe: ", p.baptism);
    if (!p.StDate.empty() || !p.deathPlace.empty()) {
        out.append('+');
        appendBytes(out, p.StDate, kMaxOwnText);
        appendPlace(out, p.StDate, p.deathPlace);
        endLine(out);
    }
    appendEventLine(out, "Bestattung: ", p.burial);
    if (int v = doc.validParent(index, p.Vater); v >= 0)
        appendParentLine(out, "Vater: ", doc.person(v));
    if (int m = doc.validParent(index, p.Mutter); m >= 0)
        appendParentLine(out, "Mutter: ", doc.person(m));
    for (const auto& [rank, partnership] : partners)
        appendPartnerLine(out, doc, index, doc.Partnerships()[size_t(partnership)]);
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
    // Each person's partnerships in its order, found in one pass.
    std::vector<std::vector<std::pair<std::int32_t, int>>> partners(size_t(doc.PersonCount()));
    const std::vector<Partnership>& all = doc.Partnerships();
    for (int i = 0; i < int(all.size()); ++i) {
        const Partnership& p = all[size_t(i)];
        if (p.first >= 0 && p.first < doc.PersonCount())
            partners[size_t(p.first)].emplace_back(p.firstRank, i);
        if (p.second >= 0 && p.second < doc.PersonCount() && p.second != p.first)
            partners[size_t(p.second)].emplace_back(p.secondRank, i);
    }
    for (int i = 0; i < doc.PersonCount(); ++i) {
        std::sort(partners[size_t(i)].begin(), partners[size_t(i)].end());
        appendBlock(out, doc, i, partners[size_t(i)]);
    }
    // Windows-1252 as ever when it holds every letter; UTF-8 with its byte
    // order mark otherwise, so that editors know the file.
    const std::string_view text(out.constData(), size_t(out.size()));
    if (std::optional<std::string> ansi = docTextToAnsi(text))
        return QByteArray(ansi->data(), qsizetype(ansi->size()));
    return QByteArray("\xEF\xBB\xBF") + out;
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
