#include "document/PersonEdit.h"

#include "platform/DocText.h"

namespace lw {

QString personListText(const TPerson& person) {
    return fromDocText(person.NachName) + QStringLiteral("; ") + fromDocText(person.VorName);
}

QStringList parentRows(const Document& doc, int editing) {
    QStringList rows;
    rows.reserve(doc.PersonCount());
    for (int i = 0; i < doc.PersonCount(); ++i)
        if (i != editing) rows.append(personListText(doc.person(i)));
    return rows;
}

int shownParentRow(const Document& doc, int i, int parent) {
    int valid = doc.validParent(i, parent);
    return valid > i ? valid - 1 : valid;
}

int storedParent(int row, int i) {
    return row >= i ? row + 1 : row;
}

void placeNewPerson(const Document& doc, TPerson& person) {
    std::int32_t x = -1, y = -1;
    if (!doc.firstFreeCell(x, y)) x = y = -1;
    person.GridX = x;
    person.GridY = y;
}

QString searchKey(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c == QChar(0xDF)) {
            key += QStringLiteral("ss");
            continue;
        }
        key += c;
    }
    return key.toCaseFolded();
}

bool isValidPictureName(const QString& name) {
    for (QChar c : name)
        if (QStringLiteral("<>|\"").contains(c)) return false;
    return true;
}

QString invalidPictureNameMessage(const QString& name) {
    return QStringLiteral("Ungültiger Dateiname - %1").arg(name);
}

std::optional<QString> storeEditedTexts(const EditedTexts& texts, TPerson& person) {
    if (!isValidPictureName(texts.Bild)) return invalidPictureNameMessage(texts.Bild);
    person.NachName = toDocText(texts.NachName);
    person.VorName = toDocText(texts.VorName);
    person.GebDate = toDocText(texts.GebDate);
    person.StDate = toDocText(texts.StDate);
    person.Leben.clear();
    person.Leben.reserve(size_t(texts.Leben.size()));
    for (const QString& line : texts.Leben)
        person.Leben.push_back(toDocText(line));
    person.Bild = toDocText(texts.Bild);
    return std::nullopt;
}

} // namespace lw
