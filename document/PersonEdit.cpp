#include "document/PersonEdit.h"

#include "platform/Win1252.h"

namespace lw {
namespace {

// The character at `at`, with its surrogate partner; invisible characters
// are named by their code point.
QString characterAt(const QString& text, qsizetype at) {
    char32_t code = text[at].unicode();
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
        code = QChar::surrogateToUcs4(text[at], text[at + 1]);
    if (QChar::isPrint(code) && !QChar::isSpace(code)) return QString::fromUcs4(&code, 1);
    return QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
}

QString unencodableMessage(const QString& field, const QString& character) {
    return QStringLiteral("Das Feld „%1“ enthält das Zeichen „%2“, das in Stammbaumdateien "
                          "nicht gespeichert werden kann.")
        .arg(field, character);
}

// Encodes one text; on failure `error` receives the message for the user.
std::optional<std::string> encodeField(const QString& field, const QString& text,
                                       std::optional<QString>& error) {
    if (error) return std::nullopt;
    qsizetype bad = firstUnencodable(text);
    if (bad >= 0) {
        error = unencodableMessage(field, characterAt(text, bad));
        return std::nullopt;
    }
    return toAnsi(text);
}

} // namespace

QString personListText(const TPerson& person) {
    return fromAnsi(person.NachName) + QStringLiteral("; ") + fromAnsi(person.VorName);
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
    std::optional<QString> error;
    auto nachName = encodeField(QStringLiteral("Nachname"), texts.NachName, error);
    auto vorName = encodeField(QStringLiteral("Vorname"), texts.VorName, error);
    auto gebDate = encodeField(QStringLiteral("Geburtsdatum"), texts.GebDate, error);
    auto stDate = encodeField(QStringLiteral("Sterbedatum"), texts.StDate, error);
    std::vector<std::string> leben;
    for (const QString& line : texts.Leben) {
        auto bytes = encodeField(QStringLiteral("Lebenslauf"), line, error);
        if (bytes) leben.push_back(std::move(*bytes));
    }
    auto bild = encodeField(QStringLiteral("Bild"), texts.Bild, error);
    if (!error && !isValidPictureName(texts.Bild)) error = invalidPictureNameMessage(texts.Bild);
    if (error) return error;

    person.NachName = std::move(*nachName);
    person.VorName = std::move(*vorName);
    person.GebDate = std::move(*gebDate);
    person.StDate = std::move(*stDate);
    person.Leben = std::move(leben);
    person.Bild = std::move(*bild);
    return std::nullopt;
}

} // namespace lw
