#pragma once
// Dates between GEDCOM's form ("12 FEB 1840", "ABT 1900", "BET 1850 AND
// 1860") and the German way the persons page shows them ("12.02.1840",
// "um 1900", "zw. 1850 und 1860").
#include <QString>

namespace lw::gedcom {

// The German text of a GEDCOM date. A date phrase "(…)" or "INT … (…)"
// gives its text; a date that does not parse is kept as written.
QString germanDate(const QString& gedcom);

// The GEDCOM form of a German date text. A text that does not parse, or
// that would not come back unchanged, is written as an interpreted date with
// the text as its phrase, or as a bare phrase: germanDate() of the result is
// always `german` again (for texts without line breaks or parentheses).
QString gedcomDate(const QString& german);

} // namespace lw::gedcom
