#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace lw {

void installFontSubstitutes() {
    struct Substitute {
        const char* family;
        QStringList faces; // the first installed one is taken
    };
    const Substitute substitutes[] = {
        {"Arial", {"Liberation Sans", "DejaVu Sans"}},
        {"Arial Narrow", {"Liberation Sans Narrow", "DejaVu Sans Condensed"}},
        // Black is a weight of its own: a face that has it, not a bold one.
        {"Arial Black", {"Lato Black", "DejaVu Sans"}},
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
        {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
        {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
    };
    for (const Substitute& s : substitutes)
        QFont::insertSubstitutions(QString::fromLatin1(s.family), s.faces);
}

} // namespace lw
