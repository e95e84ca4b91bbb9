#pragma once
// Dates between GEDCOM's form ("12 FEB 1840", "ABT 1900", "BET 1850 AND
// 1860", "@#DJULIAN@ 2 FEB 1793", "INT 1995 (from estimated age)") and the
// German way the persons page shows them ("12.02.1840", "um 1900",
// "zw. 1850 und 1860", "02.02.1793 (julianisch)", "1995 (from estimated age)").
//
// The German words: ABT "um", EST "ca.", CAL "errechnet", BEF "vor", AFT
// "nach", FROM "ab", TO "bis", BET … AND … "zw. … und …", FROM … TO … "… – …";
// B.C. "v. Chr.", BC "v.Chr.", BCE "v. u. Z."; dual years "13.01.1712/13";
// other calendars by a word in parentheses after the date, the long one
// for a 5.5.1 escape ("julianisch"), the short one for a GEDCOM 7 keyword
// ("jul."); Hebrew and French months by name ("2. Pluviôse 1"); the phrase
// of an interpreted date in parentheses after it.
#include <QString>

namespace lw::gedcom {

// The German text of a GEDCOM date (5.5.1 or 7). A date phrase "(…)" gives
// its text (in parentheses still when the text reads like a date); a date
// that does not parse is kept as written. gedcomDate() of the result is the
// date again, in canonical form: keywords upper case, single blanks, days
// without a leading zero, the Gregorian calendar not named.
QString germanDate(const QString& gedcom);

// The GEDCOM form of a German date text, also of what a user types
// ("12.3.1900", "März 1900", "von 1850 bis 1860", "12.03.1900 (Taufe)") or
// of a GEDCOM date typed as such; any other text is written as a phrase.
QString gedcomDate(const QString& german);

} // namespace lw::gedcom
