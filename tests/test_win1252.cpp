#include "platform/DocText.h"
#include "platform/Win1252.h"

#include <gtest/gtest.h>

using namespace lw;

TEST(Win1252, EveryByteSurvivesTheWayThroughQString) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(char(b));
    QString text = fromAnsi(all);
    ASSERT_EQ(text.size(), 255);
    EXPECT_EQ(text[0x80 - 1], QChar(0x20AC)); // euro sign
    EXPECT_EQ(text[0xFC - 1], QChar(0x00FC)); // ü
    EXPECT_EQ(text[0x9F - 1], QChar(0x0178)); // Ÿ
    EXPECT_EQ(toAnsi(text), all);
}

TEST(Win1252, CharactersWithoutAByteAreFound) {
    QString text = QStringLiteral("Stra\u00DFe \u20AC \u0141\u00F3d\u017A");
    EXPECT_EQ(firstUnencodable(text), 9); // Ł
    EXPECT_FALSE(toAnsi(text).has_value());
    EXPECT_EQ(toAnsiLossy(text), "Stra\xDF"
                                 "e \x80 ?\xF3"
                                 "d?");
    EXPECT_EQ(firstUnencodable(QStringLiteral("M\u00FCller \u201EAnna\u201C")), -1);
}

// Every well-formed document text comes back from the user interface's
// string unchanged, a byte order mark at its start included.
TEST(DocText, EveryTextSurvivesTheWayThroughQString) {
    for (const char* text : {"", "Zeln\u00ED\u010Dkov\u00E1", "\xEF\xBB\xBFLind", "a\xEF\xBB\xBF",
                             "\xF0\x9F\x98\x80 \u0081", "\xEF\xBB\xBF\xEF\xBB\xBF"}) {
        EXPECT_EQ(lw::toDocText(lw::fromDocText(text)), text);
    }
}
