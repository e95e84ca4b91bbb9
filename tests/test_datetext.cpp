// Date texts: which are dates, which look like one and are none (and why),
// which are no date at all, and their order in a list sorted by date.
#include "document/DateText.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using lw::DateCheck;
using lw::DateKey;
using Kind = lw::DateCheck::Kind;

namespace {

struct Row {
    const char* text;
    Kind kind;
    const char* problem; // for Invalid and NotADate
    DateKey key;         // for Date
};

} // namespace

TEST(DateText, TellsDatesFromTextsThatLookLikeOneAndFromOtherTexts) {
    const Row rows[] = {
        {"", Kind::Empty, "", {}},
        {"   ", Kind::Empty, "", {}},
        {"?", Kind::Unknown, "", {}},
        {"unbekannt", Kind::Unknown, "", {}},
        {"12.03.1900", Kind::Date, "", {1900, 3, 12, 0}},
        {"1.2.1850", Kind::Date, "", {1850, 2, 1, 0}},
        {" 12. 3. 1900 ", Kind::Date, "", {1900, 3, 12, 0}},
        {"03.1900", Kind::Date, "", {1900, 3, 0, 0}},
        {"1900", Kind::Date, "", {1900, 0, 0, 0}},
        {"29.02.1904", Kind::Date, "", {1904, 2, 29, 0}},
        {"29.02.2000", Kind::Date, "", {2000, 2, 29, 0}},
        {"1900-03-12", Kind::Date, "", {1900, 3, 12, 0}},
        {"12 MAR 1685", Kind::Date, "", {1685, 3, 12, 0}},
        {"DEC 1701", Kind::Date, "", {1701, 12, 0, 0}},
        {"12. März 1900", Kind::Date, "", {1900, 3, 12, 0}},
        {"Okt. 1901", Kind::Date, "", {1901, 10, 0, 0}},
        {"um 1900", Kind::Date, "", {1900, 0, 0, 0}},
        {"ca. 1900", Kind::Date, "", {1900, 0, 0, 0}},
        {"ca.1900", Kind::Date, "", {1900, 0, 0, 0}},
        {"ABT 1900", Kind::Date, "", {1900, 0, 0, 0}},
        {"vor 1900", Kind::Date, "", {1900, 0, 0, -1}},
        {"BEF 12 MAR 1900", Kind::Date, "", {1900, 3, 12, -1}},
        {"nach 05.1900", Kind::Date, "", {1900, 5, 0, 1}},
        {"zw. 1850 und 1860", Kind::Date, "", {1850, 0, 0, 0}},
        {"BET 1850 AND 1860", Kind::Date, "", {1850, 0, 0, 0}},
        {"1850 \u2013 1860", Kind::Date, "", {1850, 0, 0, 0}},
        {"1850-1860", Kind::Date, "", {1850, 0, 0, 0}},
        {"von 1.1.1850 bis 2.2.1850", Kind::Date, "", {1850, 1, 1, 0}},
        // The forms read from GEDCOM files:
        {"13.01.1712/13", Kind::Date, "", {1713, 1, 13, 0}},
        {"1699/00", Kind::Date, "", {1700, 0, 0, 0}},
        {"um 560 v. Chr.", Kind::Date, "", {-560, 0, 0, 0}},
        {"01.01.100 v.Chr.", Kind::Date, "", {-100, 1, 1, 0}},
        {"29.02.1700 (julianisch)", Kind::Date, "", {1700, 2, 29, 0}},
        {"2. Pluviôse 1 (franz. Revolutionskalender)", Kind::Date, "", {1793, 2, 2, 0}},
        {"Weadar 5757 (jüd.) – 25. Siwan 5757 (jüd.)", Kind::Date, "", {1997, 3, 0, 0}},
        {"1995 (from estimated age)", Kind::Date, "", {1995, 0, 0, 0}},
        {"1900 (gregorianisch) (julianisch)", Kind::Date, "", {1900, 0, 0, 0}},
        {"errechnet 1850", Kind::Date, "", {1850, 0, 0, 0}},
        {"13.01.1712/15", Kind::Invalid, "Kein gültiges Datum: Doppeljahr 1712/15", {}},
        {"31. Tevet 5758 (jüdisch)", Kind::Invalid, "Kein gültiges Datum: Tag 31", {}},
        {"32.13.1900", Kind::Invalid, "Kein gültiges Datum: Tag 32, Monat 13", {}},
        {"12.13.1900", Kind::Invalid, "Kein gültiges Datum: Monat 13", {}},
        {"0.3.1900", Kind::Invalid, "Kein gültiges Datum: Tag 0", {}},
        {"31.04.1900", Kind::Invalid, "Kein gültiges Datum: Tag 31, der April hat nur 30 Tage", {}},
        {"29.2.1900",
         Kind::Invalid,
         "Kein gültiges Datum: Tag 29, der Februar 1900 hat nur 28 Tage",
         {}},
        {"12.03.", Kind::Invalid, "Kein gültiges Datum: Jahr fehlt", {}},
        {"März", Kind::Invalid, "Kein gültiges Datum: Jahr fehlt", {}},
        {"0", Kind::Invalid, "Kein gültiges Datum: Jahr 0", {}},
        {"12.3.19000", Kind::Invalid, "Kein gültiges Datum: Jahr 19000", {}},
        {"um", Kind::Invalid, "Kein gültiges Datum: nach „um“ fehlt das Datum", {}},
        {"vor 13.1900", Kind::Invalid, "Kein gültiges Datum: Monat 13", {}},
        {"zw. 1860 und 1850",
         Kind::Invalid,
         "Kein gültiges Datum: das Ende liegt vor dem Anfang",
         {}},
        {"12/3/1900",
         Kind::Invalid,
         "Kein gültiges Datum: unbekannte Schreibweise (etwa 12.03.1900, März 1900 oder um "
         "1900)",
         {}},
        {"gestern", Kind::NotADate, "Kein Datum", {}},
        {"im Krieg gefallen", Kind::NotADate, "Kein Datum", {}},
    };
    for (const Row& r : rows) {
        const QString text = QString::fromUtf8(r.text);
        const DateCheck c = lw::checkDate(text);
        EXPECT_EQ(c.kind, r.kind) << r.text << ": " << c.problem.toStdString();
        EXPECT_EQ(c.problem.toStdString(), r.problem) << r.text;
        EXPECT_EQ(c.marked(), r.kind == Kind::Invalid || r.kind == Kind::NotADate) << r.text;
        if (r.kind == Kind::Date) {
            ASSERT_TRUE(c.key.has_value()) << r.text;
            EXPECT_EQ(*c.key, r.key) << r.text;
        } else {
            EXPECT_FALSE(c.key.has_value()) << r.text;
        }
    }

    // Sorted by date: dates by time (before, on, after), then the other
    // texts by text, then the empty ones.
    const QStringList shuffled = {"",         "gestern",  "nach 1900",      "12.03.1900",
                                  "vor 1900", "Abt 1850", "1900",           "32.13.1900",
                                  "1.1.1901", "03.1900",  "um 560 v. Chr.", "1699/00"};
    std::vector<QString> sorted(shuffled.begin(), shuffled.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return lw::dateSortKey(a) < lw::dateSortKey(b);
    });
    const std::vector<QString> expected = {
        "um 560 v. Chr.", "1699/00",   "Abt 1850", "vor 1900",   "1900",    "03.1900",
        "12.03.1900",     "nach 1900", "1.1.1901", "32.13.1900", "gestern", ""};
    EXPECT_EQ(sorted, expected);
}
