#include "document/DateCalendars.h"

#include <array>

namespace lw {

namespace {

const std::array<CalendarInfo, 6> kCalendars = {{
    {Calendar::Gregorian, "@#DGREGORIAN@", "GREGORIAN", "gregorianisch", "greg."},
    {Calendar::Julian, "@#DJULIAN@", "JULIAN", "julianisch", "jul."},
    {Calendar::Hebrew, "@#DHEBREW@", "HEBREW", "jüdisch", "jüd."},
    {Calendar::French, "@#DFRENCH R@", "FRENCH_R", "franz. Revolutionskalender", "franz. Rev."},
    {Calendar::Roman, "@#DROMAN@", "", "römisch", ""},
    {Calendar::Unknown, "@#DUNKNOWN@", "", "unbekannter Kalender", ""},
}};

QStringList fromUtf8(std::initializer_list<const char*> words) {
    QStringList out;
    for (const char* w : words)
        out << QString::fromUtf8(w);
    return out;
}

} // namespace

const CalendarInfo* calendarInfos(int& count) {
    count = int(kCalendars.size());
    return kCalendars.data();
}

const CalendarInfo& calendarInfo(Calendar c) {
    for (const CalendarInfo& i : kCalendars)
        if (i.calendar == c) return i;
    return kCalendars[0];
}

bool namedMonths(Calendar c) {
    return c == Calendar::Hebrew || c == Calendar::French;
}

const QStringList& monthCodes(Calendar c) {
    static const QStringList kGregorian = fromUtf8(
        {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"});
    static const QStringList kHebrew = fromUtf8({"TSH", "CSH", "KSL", "TVT", "SHV", "ADR", "ADS",
                                                 "NSN", "IYR", "SVN", "TMZ", "AAV", "ELL"});
    static const QStringList kFrench =
        fromUtf8({"VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM", "FLOR", "PRAI", "MESS",
                  "THER", "FRUC", "COMP"});
    return c == Calendar::Hebrew ? kHebrew : c == Calendar::French ? kFrench : kGregorian;
}

const QStringList& germanMonthNames(Calendar c) {
    static const QStringList kHebrew =
        fromUtf8({"Tischri", "Cheschwan", "Kislew", "Tevet", "Schevat", "Adar", "Weadar", "Nisan",
                  "Ijar", "Siwan", "Tammus", "Aw", "Elul"});
    static const QStringList kFrench = fromUtf8(
        {"Vendémiaire", "Brumaire", "Frimaire", "Nivôse", "Pluviôse", "Ventôse", "Germinal",
         "Floréal", "Prairial", "Messidor", "Thermidor", "Fructidor", "Sansculottiden"});
    static const QStringList kNone;
    return c == Calendar::Hebrew ? kHebrew : c == Calendar::French ? kFrench : kNone;
}

int germanMonthOf(Calendar c, const QString& word) {
    const QStringList& names = germanMonthNames(c);
    for (qsizetype m = 0; m < names.size(); ++m)
        if (names[m].compare(word, Qt::CaseInsensitive) == 0) return int(m) + 1;
    return 0;
}

int gregorianMonthOfWord(const QString& word) {
    using namespace Qt::StringLiterals;
    static const std::array<QStringList, 12> kWords = {{
        {u"januar"_s, u"jan"_s, u"jänner"_s, u"jän"_s},
        {u"februar"_s, u"feb"_s, u"febr"_s},
        {u"märz"_s, u"maerz"_s, u"mär"_s, u"mrz"_s, u"mar"_s},
        {u"april"_s, u"apr"_s},
        {u"mai"_s, u"may"_s},
        {u"juni"_s, u"jun"_s},
        {u"juli"_s, u"jul"_s},
        {u"august"_s, u"aug"_s},
        {u"september"_s, u"sep"_s, u"sept"_s},
        {u"oktober"_s, u"okt"_s, u"oct"_s},
        {u"november"_s, u"nov"_s},
        {u"dezember"_s, u"dez"_s, u"dec"_s},
    }};
    const QString w = word.toLower();
    for (std::size_t m = 0; m < kWords.size(); ++m)
        if (kWords[m].contains(w)) return int(m) + 1;
    return 0;
}

bool calendarOfLabel(const QString& label, Calendar& c, bool& keywordStyle) {
    for (const CalendarInfo& i : kCalendars) {
        const QString longLabel = QString::fromUtf8(i.label);
        const QString shortLabel = QString::fromUtf8(i.shortLabel);
        if (label.compare(longLabel, Qt::CaseInsensitive) == 0 ||
            (!shortLabel.isEmpty() && label.compare(shortLabel, Qt::CaseInsensitive) == 0)) {
            c = i.calendar;
            keywordStyle = label.compare(longLabel, Qt::CaseInsensitive) != 0;
            return true;
        }
    }
    return false;
}

void approximateGregorian(Calendar c, int year, int month, int& gregYear, int& gregMonth) {
    gregYear = year;
    gregMonth = month;
    if (c == Calendar::Hebrew) {
        // The year begins with Tischri, in September or October.
        static constexpr std::array<int, 13> kMonth = {9, 10, 11, 12, 1, 2, 3, 3, 4, 5, 6, 7, 8};
        gregYear = year - 3760;
        if (month >= 1 && month <= 13) {
            gregMonth = kMonth[std::size_t(month - 1)];
            if (month <= 4) gregYear -= 1;
        }
    } else if (c == Calendar::French) {
        // Year 1 began on 22 September 1792.
        static constexpr std::array<int, 13> kMonth = {10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9};
        gregYear = year + 1792;
        if (month >= 1 && month <= 13) {
            gregMonth = kMonth[std::size_t(month - 1)];
            if (month <= 3) gregYear -= 1;
        } else {
            gregYear -= 1;
        }
    }
}

} // namespace lw
