// GEDCOM dates: every form read as German text and written back, also over
// every DATE line of the sample files.
#include "gedcom/GedcomDate.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <iostream>

using namespace lw;
using namespace lw::gedcom;

TEST(GedcomDate, GermanFormsAndBack) {
    struct Case {
        const char* gedcom;
        const char* german;
        const char* back; // what the German text is written as; null: `gedcom` again
    };
    const Case cases[] = {
        {"12 FEB 1840", "12.02.1840", nullptr},
        {"5 jul 1974", "05.07.1974", "5 JUL 1974"},
        {"05  JUL 1974", "05.07.1974", "5 JUL 1974"},
        {" 5.5.1840", "05.05.1840", "5 MAY 1840"}, // a German date in a GEDCOM file
        {"FEB 1840", "02.1840", nullptr},
        {"1840", "1840", nullptr},
        {"ABT 1900", "um 1900", nullptr},
        {"BEF 1970", "vor 1970", nullptr},
        {"AFT 3 MAR 2000", "nach 03.03.2000", nullptr},
        {"BET MAY 1979 AND AUG 1979", "zw. 05.1979 und 08.1979", nullptr},
        {"EST 1850", "ca. 1850", nullptr},
        {"CAL 1850", "errechnet 1850", nullptr},
        {"FROM APR 2000 TO 5 MAR 2001", "04.2000 – 05.03.2001", nullptr},
        {"FROM 1900", "ab 1900", nullptr},
        {"TO 1910", "bis 1910", nullptr},
        {"@#DGREGORIAN@ 1 JAN 1900", "01.01.1900", "1 JAN 1900"},
        {"GREGORIAN 1 JAN 1900", "01.01.1900", "1 JAN 1900"},
        {"13 JAN 1712/13", "13.01.1712/13", nullptr},
        {"1606/7", "1606/7", nullptr},
        {"BET 5 APR 1712/13 AND 28 SEP 1714/15", "zw. 05.04.1712/13 und 28.09.1714/15", nullptr},
        {"ABT 560 BC", "um 560 v.Chr.", nullptr},
        {"1 JAN 100 B.C.", "01.01.100 v. Chr.", nullptr},
        {"560 BCE", "560 v. u. Z.", nullptr},
        {"@#DJULIAN@ 2 FEB 1793", "02.02.1793 (julianisch)", nullptr},
        {"JULIAN 2 FEB 1793", "02.02.1793 (jul.)", nullptr},
        {"BEF @#DJULIAN@ 44 B.C.", "vor 44 v. Chr. (julianisch)", nullptr},
        {"@#DFRENCH R@ 2 PLUV 1", "2. Pluviôse 1 (franz. Revolutionskalender)", nullptr},
        {"FRENCH_R COMP 11", "Sansculottiden 11 (franz. Rev.)", nullptr},
        {"@#DHEBREW@ 1 TSH 5760", "1. Tischri 5760 (jüdisch)", nullptr},
        {"FROM HEBREW ADS 5757 TO HEBREW 25 SVN 5757", "Weadar 5757 (jüd.) – 25. Siwan 5757 (jüd.)",
         nullptr},
        {"@#DROMAN@ 753", "753 (römisch)", nullptr},
        {"@#DUNKNOWN@ 3 MAR 12", "03.03.12 (unbekannter Kalender)", nullptr},
        {"(im Krieg)", "im Krieg", nullptr},
        {"(1900)", "(1900)", nullptr},
        {"INT 1 FEB 1840 (Lichtmess 1840)", "01.02.1840 (Lichtmess 1840)", nullptr},
        {"INT 1995 (from estimated age)", "1995 (from estimated age)", nullptr},
        {"INT @#DJULIAN@ 1700 (alter Stil)", "1700 (julianisch) (alter Stil)", nullptr},
        {"INT 1900 (julianisch)", "1900 (gregorianisch) (julianisch)", nullptr},
        // Kept as written, and written as a phrase:
        {"32 JAN 1900", "32 JAN 1900", "(32 JAN 1900)"},
        {"BET 1900", "BET 1900", "(BET 1900)"},
        {"2 TVT 5758", "2 TVT 5758", "(2 TVT 5758)"},
        {"21 NOV 1952 IF", "21 NOV 1952 IF", "(21 NOV 1952 IF)"},
        {"from estimated age", "from estimated age", "(from estimated age)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gedcom);
        const QString german = QString::fromUtf8(c.german);
        EXPECT_EQ(germanDate(QString::fromUtf8(c.gedcom)), german);
        EXPECT_EQ(gedcomDate(german), QString::fromUtf8(c.back ? c.back : c.gedcom));
    }
    // What a user types is written as the date it means.
    const std::pair<const char*, const char*> typed[] = {
        {"12.3.1900", "12 MAR 1900"},
        {"1.2.1840", "1 FEB 1840"},
        {"um 1900", "ABT 1900"},
        {"ca. 1850", "EST 1850"},
        {"geschätzt 1850", "EST 1850"},
        {"März 1900", "MAR 1900"},
        {"12. März 1900", "12 MAR 1900"},
        {"Jan. 1900", "JAN 1900"},
        {"vor 1900", "BEF 1900"},
        {"12.03.1712/13", "12 MAR 1712/13"},
        {"von 1850 bis 1860", "FROM 1850 TO 1860"},
        {"1850 - 1860", "FROM 1850 TO 1860"},
        {"um 560 v. Chr.", "ABT 560 B.C."},
        {"12 mar 1900", "12 MAR 1900"},
        {"12.03.1900 (Taufe)", "INT 12 MAR 1900 (Taufe)"},
        {"Ostern", "(Ostern)"},
        {"32.01.1900", "(32.01.1900)"},
        {"13.1900", "(13.1900)"},
        {"12. 3. 1900", "12 MAR 1900"},
        {"1.2.3.1900", "(1.2.3.1900)"},
        {"123.1900", "(123.1900)"},
        {"3.1900/", "(3.1900/)"},
        {"zw. 1850 bis 1860", "(zw. 1850 bis 1860)"},
    };
    for (const auto& [german, gedcom] : typed)
        EXPECT_EQ(gedcomDate(QString::fromUtf8(german)), QString::fromUtf8(gedcom)) << german;
}

namespace {

// A GEDCOM date the way the converter writes it: keywords upper case, single
// blanks, days without a leading zero, the Gregorian calendar not named.
QString canonicalDate(const QString& date) {
    const QString t = date.trimmed();
    if (t.startsWith(u'(')) return t;
    const qsizetype open = t.indexOf(u'(');
    QString head = (open < 0 ? t : t.left(open)).simplified().toUpper();
    static const QRegularExpression kZeroDay(QStringLiteral(R"((^| )0(\d) (?=[A-Z]))"));
    static const QRegularExpression kGregorian(
        QStringLiteral(R"((^| )(@#DGREGORIAN@|GREGORIAN) )"));
    head.replace(kZeroDay, QStringLiteral("\\1\\2 "));
    head.replace(kGregorian, QStringLiteral("\\1"));
    return open < 0 ? head : head + u' ' + t.mid(open);
}

// The date grammar of GEDCOM 5.5.1 and 7, for canonical dates.
bool validDate(const QString& canonical) {
    const QString greg = QStringLiteral("JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC");
    const QString heb = QStringLiteral("TSH|CSH|KSL|TVT|SHV|ADR|ADS|NSN|IYR|SVN|TMZ|AAV|ELL");
    const QString fr =
        QStringLiteral("VEND|BRUM|FRIM|NIVO|PLUV|VENT|GERM|FLOR|PRAI|MESS|THER|FRUC|COMP");
    const QString epoch = QStringLiteral("(?: (?:B\\.C\\.|BC|BCE))?");
    auto date = [](const QString& months, const QString& year) {
        return QStringLiteral("(?:(?:[1-9]|[12]\\d|3[01]) )?(?:(?:%1) )?").arg(months) + year;
    };
    const QString one =
        QStringLiteral("(?:%1|(?:@#DJULIAN@|JULIAN) %2|(?:@#DHEBREW@|HEBREW) %3|"
                       "(?:@#DFRENCH R@|FRENCH_R) %4)")
            .arg(date(greg, QStringLiteral("\\d{1,4}(?:/\\d{2}|") + epoch + u')'),
                 date(greg, QStringLiteral("\\d{1,4}") + epoch),
                 date(heb, QStringLiteral("\\d{1,4}")), date(fr, QStringLiteral("\\d{1,4}")));
    const QRegularExpression grammar(
        QStringLiteral("^(?:%1|(?:ABT|CAL|EST|BEF|AFT|FROM|TO) %1|BET %1 AND %1|FROM %1 TO %1|"
                       "INT %1 \\(.*\\)|\\(.*\\))$")
            .arg(one));
    return grammar.match(canonical).hasMatch();
}

} // namespace

// Every DATE line of the sample files comes back from its German text as
// the canonical form of what was read.
TEST(GedcomDate, SampleFileDatesComeBack) {
    const QDir dir(QStringLiteral(LINDWERK_GEDCOM_SAMPLES));
    if (!dir.exists()) GTEST_SKIP() << "no sample folder beside the repository";
    static const QRegularExpression kDateLine(QStringLiteral(R"(^\s*\d+\s+DATE(?: (.*))?$)"));
    static const QRegularExpression kDigits(QStringLiteral(R"(\d+)"));
    int dates = 0, valid = 0, back = 0;
    QSet<QString> forms;
    QMap<QString, QString> invalid;
    for (const QString& name : dir.entryList({QStringLiteral("*.ged")}, QDir::Files)) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString text = QString::fromLatin1(f.readAll());
        for (const QString& line : text.split(QRegularExpression(QStringLiteral("[\r\n]+")))) {
            const QRegularExpressionMatch m = kDateLine.match(line);
            if (!m.hasMatch()) continue;
            const QString d = m.captured(1);
            const QString canonical = canonicalDate(d);
            const QString german = germanDate(d);
            const QString written = gedcomDate(german);
            ++dates;
            if (!validDate(canonical)) {
                invalid.insert(d.trimmed(), german + QStringLiteral(" -> ") + written);
                continue;
            }
            ++valid;
            forms.insert(QString(canonical).replace(kDigits, QStringLiteral("9")));
            if (written == canonical)
                ++back;
            else
                ADD_FAILURE() << d.toStdString() << " -> " << german.toStdString() << " -> "
                              << written.toStdString();
        }
    }
    std::cout << "DATE lines: " << dates << ", valid: " << valid << " in " << forms.size()
              << " forms, back unchanged: " << back << "; invalid (" << invalid.size()
              << " distinct):\n";
    for (auto it = invalid.begin(); it != invalid.end(); ++it)
        std::cout << "  " << it.key().toStdString() << " => " << it.value().toStdString() << '\n';
    EXPECT_GT(valid, 2000);
    EXPECT_EQ(back, valid);
}
