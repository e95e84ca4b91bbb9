#include "gedcom/GedcomDate.h"

#include <QStringList>
#include <array>
#include <cstring>
#include <optional>

namespace lw::gedcom {

namespace {

constexpr std::array<const char*, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool allDigits(const QString& s, int minLen, int maxLen) {
    if (s.size() < minLen || s.size() > maxLen) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

int monthOf(const QString& word) {
    for (int m = 0; m < 12; ++m)
        if (word.compare(QLatin1String(kMonths[size_t(m)]), Qt::CaseInsensitive) == 0) return m + 1;
    return 0;
}

QString two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// One GEDCOM date without modifier: [[day] month] year.
std::optional<QString> germanPlain(const QStringList& words) {
    QStringList w = words;
    if (!w.isEmpty() && w.first().compare(u"@#DGREGORIAN@", Qt::CaseInsensitive) == 0)
        w.removeFirst();
    if (w.isEmpty() || w.size() > 3 || !allDigits(w.last(), 1, 4)) return std::nullopt;
    const QString year = w.last();
    if (w.size() == 1) return year;
    const int month = monthOf(w[w.size() - 2]);
    if (month == 0) return std::nullopt;
    if (w.size() == 2) return two(month) + u'.' + year;
    if (!allDigits(w[0], 1, 2)) return std::nullopt;
    const int day = w[0].toInt();
    if (day < 1 || day > 31) return std::nullopt;
    return two(day) + u'.' + two(month) + u'.' + year;
}

// The text between the first "(" and the last ")".
QString phraseOf(const QString& s) {
    const qsizetype open = s.indexOf(u'(');
    const qsizetype close = s.lastIndexOf(u')');
    return close > open ? s.mid(open + 1, close - open - 1) : s.mid(open + 1);
}

std::optional<QString> germanOf(const QString& gedcom) {
    const QString s = gedcom.simplified();
    if (s.startsWith(u'(')) return phraseOf(gedcom);
    QStringList w = s.split(u' ', Qt::SkipEmptyParts);
    if (w.isEmpty()) return std::nullopt;
    const QString head = w.first().toUpper();
    auto rest = [&](qsizetype from, qsizetype to) { return w.mid(from, to - from); };
    if (head == u"INT" && s.contains(u'(')) return phraseOf(gedcom);
    if (head == u"BET" || head == u"FROM") {
        const QString joiner = head == u"BET" ? QStringLiteral("AND") : QStringLiteral("TO");
        qsizetype mid = -1;
        for (qsizetype i = 1; i < w.size(); ++i)
            if (w[i].toUpper() == joiner) mid = i;
        if (mid < 0) {
            if (head == u"BET") return std::nullopt;
            auto a = germanPlain(rest(1, w.size()));
            if (!a) return std::nullopt;
            return QStringLiteral("ab ") + *a;
        }
        auto a = germanPlain(rest(1, mid));
        auto b = germanPlain(rest(mid + 1, w.size()));
        if (!a || !b) return std::nullopt;
        return head == u"BET" ? QStringLiteral("zw. ") + *a + QStringLiteral(" und ") + *b
                              : *a + QStringLiteral(" \u2013 ") + *b;
    }
    static const std::array<std::pair<const char*, const char*>, 6> kPrefixes = {{
        {"ABT", "um "},
        {"BEF", "vor "},
        {"AFT", "nach "},
        {"EST", "ca. "},
        {"CAL", "ca. "},
        {"TO", "bis "},
    }};
    for (const auto& [tag, german] : kPrefixes) {
        if (head == QLatin1String(tag)) {
            auto a = germanPlain(rest(1, w.size()));
            if (!a) return std::nullopt;
            return QString::fromUtf8(german) + *a;
        }
    }
    return germanPlain(w);
}

// One German date without prefix: dd.mm.yyyy, mm.yyyy or yyyy.
std::optional<QString> gedcomPlain(const QString& s) {
    const QStringList parts = s.split(u'.');
    if (parts.size() > 3 || !allDigits(parts.last(), 1, 4)) return std::nullopt;
    QString out = parts.last();
    if (parts.size() >= 2) {
        if (!allDigits(parts[parts.size() - 2], 1, 2)) return std::nullopt;
        const int month = parts[parts.size() - 2].toInt();
        if (month < 1 || month > 12) return std::nullopt;
        out = QLatin1String(kMonths[size_t(month - 1)]) + u' ' + out;
    }
    if (parts.size() == 3) {
        if (!allDigits(parts[0], 1, 2)) return std::nullopt;
        const int day = parts[0].toInt();
        if (day < 1 || day > 31) return std::nullopt;
        out = QString::number(day) + u' ' + out;
    }
    return out;
}

std::optional<QString> gedcomOf(const QString& german) {
    const QString s = german.trimmed();
    if (s.isEmpty()) return std::nullopt;
    if (s.startsWith(QLatin1String("zw. "))) {
        const qsizetype und = s.indexOf(QLatin1String(" und "));
        if (und < 0) return std::nullopt;
        auto a = gedcomPlain(s.mid(4, und - 4).trimmed());
        auto b = gedcomPlain(s.mid(und + 5).trimmed());
        if (!a || !b) return std::nullopt;
        return QStringLiteral("BET ") + *a + QStringLiteral(" AND ") + *b;
    }
    for (const QString& dash : {QStringLiteral(" \u2013 "), QStringLiteral(" - ")}) {
        const qsizetype at = s.indexOf(dash);
        if (at < 0) continue;
        auto a = gedcomPlain(s.left(at).trimmed());
        auto b = gedcomPlain(s.mid(at + dash.size()).trimmed());
        if (!a || !b) return std::nullopt;
        return QStringLiteral("FROM ") + *a + QStringLiteral(" TO ") + *b;
    }
    static const std::array<std::pair<const char*, const char*>, 6> kPrefixes = {{
        {"um ", "ABT "},
        {"vor ", "BEF "},
        {"nach ", "AFT "},
        {"ca. ", "EST "},
        {"ab ", "FROM "},
        {"bis ", "TO "},
    }};
    for (const auto& [german, tag] : kPrefixes) {
        if (s.startsWith(QLatin1String(german))) {
            auto a = gedcomPlain(s.mid(qsizetype(strlen(german))).trimmed());
            if (!a) return std::nullopt;
            return QLatin1String(tag) + *a;
        }
    }
    return gedcomPlain(s);
}

} // namespace

QString germanDate(const QString& gedcom) {
    std::optional<QString> g = germanOf(gedcom);
    return g ? *g : gedcom.trimmed();
}

QString gedcomDate(const QString& german) {
    std::optional<QString> g = gedcomOf(german);
    if (g && germanDate(*g) == german) return *g;
    if (g) return QStringLiteral("INT ") + *g + QStringLiteral(" (") + german + u')';
    return u'(' + german + u')';
}

} // namespace lw::gedcom
