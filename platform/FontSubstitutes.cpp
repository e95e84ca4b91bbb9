#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace lw {

using namespace Qt::StringLiterals;

void installFontSubstitutes() {
    struct Substitute {
        QString family;
        QStringList faces; // the first installed one is taken
    };
    const Substitute substitutes[] = {
        {u"Arial"_s, {u"Liberation Sans"_s, u"DejaVu Sans"_s}},
        {u"Arial Narrow"_s, {u"Liberation Sans Narrow"_s, u"DejaVu Sans Condensed"_s}},
        // Black is a weight of its own: a face that has it, not a bold one.
        {u"Arial Black"_s, {u"Lato Black"_s, u"DejaVu Sans"_s}},
        {u"MS Sans Serif"_s, {u"Liberation Sans"_s, u"DejaVu Sans"_s}},
        {u"Times New Roman"_s, {u"Liberation Serif"_s, u"DejaVu Serif"_s}},
        {u"Courier New"_s, {u"Liberation Mono"_s, u"DejaVu Sans Mono"_s}},
    };
    for (const Substitute& s : substitutes)
        QFont::insertSubstitutions(s.family, s.faces);
}

} // namespace lw
