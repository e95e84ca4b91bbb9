#include "document/PersonEdit.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

TPerson named(const std::string& nach, const std::string& vor, int x = -1, int y = -1) {
    TPerson p;
    p.NachName = nach;
    p.VorName = vor;
    p.GridX = x;
    p.GridY = y;
    return p;
}

TEST(PersonEdit, ListTextIsSurnameSemicolonFirstName) {
    EXPECT_EQ(personListText(named("M\u00FCller", "Anna")), QStringLiteral("Müller; Anna"));
    EXPECT_EQ(personListText(named("", "")), QStringLiteral("; "));
}

TEST(PersonEdit, ParentRowsLeaveOutThePersonBeingEdited) {
    Document doc;
    for (const char* name : {"A", "B", "C", "D"})
        doc.addPerson(named(name, "x"));
    EXPECT_EQ(parentRows(doc, -1), QStringList({"A; x", "B; x", "C; x", "D; x"}));
    EXPECT_EQ(parentRows(doc, 1), QStringList({"A; x", "C; x", "D; x"}));
    EXPECT_EQ(parentRows(doc, 3), QStringList({"A; x", "B; x", "C; x"}));
}

TEST(PersonEdit, ParentRowsMapBackToTheSamePersons) {
    Document doc;
    for (int i = 0; i < 4; ++i)
        doc.addPerson(named("P", std::to_string(i)));
    // Person 1 with father 3: the list shows persons 0, 2, 3; row 2 is person 3.
    EXPECT_EQ(shownParentRow(doc, 1, 3), 2);
    EXPECT_EQ(storedParent(2, 1), 3);
    // Person 2 with mother 0: row 0, stored as 0 again.
    EXPECT_EQ(shownParentRow(doc, 2, 0), 0);
    EXPECT_EQ(storedParent(0, 2), 0);
    EXPECT_EQ(shownParentRow(doc, 2, -1), -1);
    EXPECT_EQ(storedParent(-1, 2), -1);
    // Every parent of every person survives the round trip.
    for (int i = 0; i < 4; ++i)
        for (int parent = -1; parent < 4; ++parent) {
            if (parent == i) continue;
            EXPECT_EQ(storedParent(shownParentRow(doc, i, parent), i), parent)
                << i << " " << parent;
        }
}

TEST(PersonEdit, NewPersonTakesTheFirstFreeCellRowByRow) {
    Document doc;
    doc.AreaWidth = 3;
    doc.AreaHeight = 2;
    TPerson p;
    placeNewPerson(doc, p);
    EXPECT_EQ(std::make_pair(p.GridX, p.GridY), std::make_pair(0, 0));

    doc.addPerson(named("a", "", 0, 0));
    doc.addPerson(named("b", "", 1, 0));
    placeNewPerson(doc, p);
    EXPECT_EQ(std::make_pair(p.GridX, p.GridY), std::make_pair(2, 0));

    doc.addPerson(named("c", "", 2, 0));
    placeNewPerson(doc, p);
    EXPECT_EQ(std::make_pair(p.GridX, p.GridY), std::make_pair(0, 1));

    doc.addPerson(named("d", "", 0, 1));
    doc.addPerson(named("e", "", 1, 1));
    doc.addPerson(named("f", "", 2, 1));
    p.GridX = 5;
    p.GridY = 5;
    placeNewPerson(doc, p);
    EXPECT_EQ(std::make_pair(p.GridX, p.GridY), std::make_pair(-1, -1));
}

TEST(PersonEdit, PictureNamesWithForbiddenCharactersAreRefused) {
    EXPECT_TRUE(isValidPictureName(""));
    EXPECT_TRUE(isValidPictureName("/home/anna/Bilder/Opa (1950).jpg"));
    EXPECT_TRUE(isValidPictureName("/home/anna/Bilder/Foto [1].jpg")); // ordinary on Linux
    for (const char* bad : {"a<b", "a>b", "a|b", "\"a\""})
        EXPECT_FALSE(isValidPictureName(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(invalidPictureNameMessage("c:\\a|b.bmp"),
              QStringLiteral("Ungültiger Dateiname - c:\\a|b.bmp"));
}

EditedTexts sampleTexts() {
    return {"Müller", "Jürgen", "1.2.1901", "† 1977", {"Erste Zeile", "", "€ 5"}, "/tmp/ä.bmp"};
}

TEST(PersonEdit, EditedTextsAreStoredAsUtf8) {
    TPerson p;
    p.Vater = 4;
    ASSERT_FALSE(storeEditedTexts(sampleTexts(), p));
    EXPECT_EQ(p.NachName, "M\u00FCller");
    EXPECT_EQ(p.VorName, "J\u00FCrgen");
    EXPECT_EQ(p.GebDate, "1.2.1901");
    EXPECT_EQ(p.StDate, "\u2020 1977");
    EXPECT_EQ(p.Leben, (std::vector<std::string>{"Erste Zeile", "", "\u20AC 5"}));
    EXPECT_EQ(p.Bild, "/tmp/\u00E4.bmp");
    EXPECT_EQ(p.Vater, 4); // not a text: untouched
}

// Every letter is stored as typed, also beyond Windows-1252 and the BMP; only
// a picture name that could not be opened later is refused, storing nothing.
TEST(PersonEdit, EveryLetterIsStoredButAForbiddenPictureNameIsRefused) {
    TPerson p = named("alt", "alt");
    EditedTexts texts = sampleTexts();
    texts.NachName = QStringLiteral("\u0141ukasiewicz");
    texts.Leben[1] = QString::fromUtf8("Gr\u00FC\u00DFe \xF0\x9F\x98\x80");
    texts.GebDate = QStringLiteral("1901\u200B");
    ASSERT_FALSE(storeEditedTexts(texts, p));
    EXPECT_EQ(p.NachName, "\xC5\x81ukasiewicz");
    EXPECT_EQ(p.Leben[1], "Gr\xC3\xBC\xC3\x9F"
                          "e \xF0\x9F\x98\x80");
    EXPECT_EQ(p.GebDate, "1901\xE2\x80\x8B");

    p = named("alt", "alt");
    // A picture name that the dialog would refuse to open later is not stored.
    texts = sampleTexts();
    texts.Bild = "/tmp/Oma <1950>.jpg";
    const std::optional<QString> error = storeEditedTexts(texts, p);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, QStringLiteral("Ungültiger Dateiname - /tmp/Oma <1950>.jpg"));
    EXPECT_EQ(p.NachName, "alt");
}

} // namespace
} // namespace lw
