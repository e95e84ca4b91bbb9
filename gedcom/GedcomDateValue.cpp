#include "gedcom/GedcomDateValue.h"

#include <QStringList>
#include <array>

namespace lw::gedcom {

namespace {

bool allDigits(const QString& s, int minLen, int maxLen) {
    if (s.size() < minLen || s.size() > maxLen) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// The calendar a GEDCOM token names ("@#DJULIAN@", "JULIAN"); the French
// escape's inner blank is already an underscore.
bool calendarToken(const QString& token, Calendar& c, CalendarStyle& style) {
    int count = 0;
    const CalendarInfo* infos = calendarInfos(count);
    for (int i = 0; i < count; ++i) {
        QString escape = QString::fromUtf8(infos[i].escape);
        escape.replace(u' ', u'_');
        const QString keyword = QString::fromUtf8(infos[i].keyword);
        if (token == escape || (!keyword.isEmpty() && token == keyword)) {
            c = infos[i].calendar;
            style = c == Calendar::Gregorian ? CalendarStyle::None
                    : token == escape        ? CalendarStyle::Escape
                                             : CalendarStyle::Keyword;
            return true;
        }
    }
    return false;
}

std::optional<SingleDate> parseSingle(QStringList w) {
    SingleDate d;
    if (!w.isEmpty() && calendarToken(w.first(), d.calendar, d.style)) w.removeFirst();
    if (!w.isEmpty() && (w.last() == u"B.C." || w.last() == u"BC" || w.last() == u"BCE"))
        d.epoch = w.takeLast();
    if (w.isEmpty() || w.size() > 3) return std::nullopt;
    const QString year = w.last();
    const qsizetype slash = year.indexOf(u'/');
    d.year = slash < 0 ? year : year.left(slash);
    if (slash >= 0) d.dual = year.mid(slash + 1);
    if (!allDigits(d.year, 1, 4) || (slash >= 0 && !allDigits(d.dual, 1, 2))) return std::nullopt;
    if (w.size() >= 2) {
        d.month = int(monthCodes(d.calendar).indexOf(w[w.size() - 2])) + 1;
        if (d.month == 0) return std::nullopt;
    }
    if (w.size() == 3) {
        if (!allDigits(w[0], 1, 2)) return std::nullopt;
        d.day = w[0].toInt();
    }
    if (!validSingle(d)) return std::nullopt;
    return d;
}

QString writeSingle(const SingleDate& d) {
    QStringList w;
    const CalendarInfo& info = calendarInfo(d.calendar);
    if (d.style == CalendarStyle::Escape) w << QString::fromUtf8(info.escape);
    if (d.style == CalendarStyle::Keyword) w << QString::fromUtf8(info.keyword);
    if (d.day > 0) w << QString::number(d.day);
    if (d.month > 0) w << monthCodes(d.calendar)[d.month - 1];
    w << (d.dual.isEmpty() ? d.year : d.year + u'/' + d.dual);
    if (!d.epoch.isEmpty()) w << d.epoch;
    return w.join(u' ');
}

const std::array<std::pair<const char*, DateKind>, 8> kPrefixes = {{
    {"ABT", DateKind::About},
    {"CAL", DateKind::Calculated},
    {"EST", DateKind::Estimated},
    {"BEF", DateKind::Before},
    {"AFT", DateKind::After},
    {"BET", DateKind::Between},
    {"FROM", DateKind::From},
    {"TO", DateKind::To},
}};

// The words of a date without phrase, upper case, the French escape as one word.
QStringList words(const QString& text) {
    QString s = text.simplified().toUpper();
    s.replace(QStringLiteral("@#DFRENCH R@"), QStringLiteral("@#DFRENCH_R@"));
    return s.split(u' ', Qt::SkipEmptyParts);
}

} // namespace

bool validSingle(const SingleDate& d) {
    if (d.year.isEmpty() || (d.day > 0 && d.month == 0)) return false;
    if (d.month < 0 || d.month > monthCodes(d.calendar).size()) return false;
    const int maxDay = namedMonths(d.calendar) ? 30 : 31;
    if (d.day < 0 || d.day > maxDay) return false;
    if (!d.dual.isEmpty() && (d.calendar != Calendar::Gregorian || !d.epoch.isEmpty()))
        return false;
    if (!d.epoch.isEmpty() && namedMonths(d.calendar)) return false;
    if (d.calendar == Calendar::Gregorian && d.style != CalendarStyle::None) return false;
    return true;
}

std::optional<DateValue> parseGedcomDate(const QString& text) {
    const QString t = text.trimmed();
    DateValue v;
    if (t.startsWith(u'(')) {
        if (!t.endsWith(u')') || t.size() < 2) return std::nullopt;
        v.kind = DateKind::Phrase;
        v.phrase = t.mid(1, t.size() - 2);
        return v;
    }
    const qsizetype open = t.indexOf(u'(');
    QStringList w = words(open < 0 ? t : t.left(open));
    if (w.isEmpty()) return std::nullopt;
    if (w.first() == u"INT") {
        if (open < 0 || !t.endsWith(u')')) return std::nullopt;
        auto d = parseSingle(w.mid(1));
        if (!d) return std::nullopt;
        v.kind = DateKind::Interpreted;
        v.first = *d;
        v.phrase = t.mid(open + 1, t.size() - open - 2);
        return v;
    }
    if (open >= 0) return std::nullopt;
    for (const auto& [tag, kind] : kPrefixes) {
        if (w.first() != QLatin1String(tag)) continue;
        v.kind = kind;
        w.removeFirst();
        const QString joiner = kind == DateKind::Between ? QStringLiteral("AND")
                               : kind == DateKind::From  ? QStringLiteral("TO")
                                                         : QString();
        const qsizetype mid = joiner.isEmpty() ? -1 : w.indexOf(joiner);
        if (kind == DateKind::Between && mid < 0) return std::nullopt;
        if (mid >= 0) {
            auto a = parseSingle(w.mid(0, mid));
            auto b = parseSingle(w.mid(mid + 1));
            if (!a || !b) return std::nullopt;
            if (kind == DateKind::From) v.kind = DateKind::FromTo;
            v.first = *a;
            v.second = *b;
            return v;
        }
        auto a = parseSingle(w);
        if (!a) return std::nullopt;
        v.first = *a;
        return v;
    }
    auto a = parseSingle(w);
    if (!a) return std::nullopt;
    v.first = *a;
    return v;
}

QString writeGedcomDate(const DateValue& v) {
    switch (v.kind) {
    case DateKind::Plain:
        return writeSingle(v.first);
    case DateKind::Between:
        return QStringLiteral("BET ") + writeSingle(v.first) + QStringLiteral(" AND ") +
               writeSingle(v.second);
    case DateKind::FromTo:
        return QStringLiteral("FROM ") + writeSingle(v.first) + QStringLiteral(" TO ") +
               writeSingle(v.second);
    case DateKind::Interpreted:
        return QStringLiteral("INT ") + writeSingle(v.first) + QStringLiteral(" (") + v.phrase +
               u')';
    case DateKind::Phrase:
        return u'(' + v.phrase + u')';
    default:
        break;
    }
    for (const auto& [tag, kind] : kPrefixes)
        if (kind == v.kind) return QLatin1String(tag) + u' ' + writeSingle(v.first);
    return writeSingle(v.first);
}

} // namespace lw::gedcom
