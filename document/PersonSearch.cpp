#include "document/PersonSearch.h"

#include "document/Document.h"
#include "platform/DocText.h"

namespace lw {

QString searchFolded(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c == QChar(0x00DF) || c == QChar(0x1E9E)) { // ß, capital ß
            folded += QStringLiteral("ss");
            continue;
        }
        folded += c;
    }
    return folded.toCaseFolded();
}

PersonQuery::PersonQuery(const QString& text)
    : words_(searchFolded(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {}

bool PersonQuery::matches(const TPerson& person) const {
    if (words_.isEmpty()) return false;
    const QString fields[] = {
        searchFolded(fromDocText(person.NachName)), searchFolded(fromDocText(person.VorName)),
        searchFolded(fromDocText(person.GebDate)), searchFolded(fromDocText(person.StDate))};
    for (const QString& word : words_) {
        bool found = false;
        for (const QString& field : fields)
            found = found || field.contains(word);
        if (!found) return false;
    }
    return true;
}

int findPerson(const Document& doc, const PersonQuery& query, int current, SearchFrom from,
               const std::function<bool(int)>& eligible) {
    const int n = doc.PersonCount();
    if (n == 0 || query.empty()) return -1;
    const bool forward = from != SearchFrom::Before;
    int start = current < 0 || current >= n ? (forward ? 0 : n - 1) : current;
    if (current >= 0 && current < n && from != SearchFrom::Here) start += forward ? 1 : -1;
    for (int k = 0; k < n; ++k) {
        const int i = ((forward ? start + k : start - k) % n + n) % n;
        if ((!eligible || eligible(i)) && query.matches(doc.person(i))) return i;
    }
    return -1;
}

} // namespace lw
