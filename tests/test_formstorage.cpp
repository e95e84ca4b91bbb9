#include "session/FormStorage.h"

#include <gtest/gtest.h>

using namespace lw;

namespace {

constexpr ScreenFacts kScreen{1024, 768, 96};
constexpr WinRect kCurrent{5, 6, 105, 206};

WindowPlacement normalAt(WinRect r) {
    WindowPlacement p;
    p.normalPosition = r;
    return p;
}

FormRestore restore(const QByteArray& section, BoxLayout& box, ScreenFacts screen = kScreen) {
    return restoreFormSettings(ProfileFile::parse("[TMainForm]\r\n" + section), screen, kCurrent,
                               box);
}

BoxLayout unusualBox() {
    BoxLayout box;
    box.bkColor = rgb(1, 2, 3);
    box.borderColor = 0x8000000F; // system colour
    box.font.Name = "Times New Roman";
    box.font.Charset = 238;
    box.font.Color = rgb(255, 0, 0);
    box.font.Pitch = fpFixed;
    box.font.Height = -13; // 10 points
    box.font.Style = fsBold | fsUnderline | fsStrikeOut;
    box.BreitEd = 200;
    box.HochEd = 120;
    box.BildEd = 30;
    box.Textausricht = 2;
    box.LeblaufCheck = false;
    return box;
}

} // namespace

TEST(FormStorage, WritesEveryKeyInOrderAndFormat) {
    BoxLayout box;
    box.resetToStandard();
    ProfileFile file;
    saveFormSettings(file, normalAt({10, 20, 648, 532}), false, box, kScreen);
    const QByteArray expected = "[TMainForm]\r\n"
                                "FormVersion=0\r\n"
                                "Flags=0\r\n"
                                "ShowCmd=1\r\n"
                                "PixelsPerInch=96\r\n"
                                "MinMaxPos(1024x768)=-1,-1,-1,-1\r\n"
                                "MinMaxPos=-1,-1,-1,-1\r\n"
                                "NormPos(1024x768)=10,20,648,532\r\n"
                                "NormPos=10,20,648,532\r\n"
                                "Visible=0\r\n"
                                "BorderColorBox_ColorValue=0\r\n"
                                "bkColorBox_ColorValue=-2147483624\r\n"
                                "FontDialog1_FontCharset=0\r\n"
                                "FontDialog1_FontColor=-2147483640\r\n"
                                "FontDialog1_FontHeight=-11\r\n"
                                "FontDialog1_FontName=Arial\r\n"
                                "FontDialog1_FontPitch=fpDefault\r\n"
                                "FontDialog1_FontSize=8\r\n"
                                "FontDialog1_FontStyle=[]\r\n"
                                "HochEd_Value=96\r\n"
                                "BreitEd_Value=168\r\n"
                                "BildEd_Value=50\r\n"
                                "Textausricht_ItemIndex=1\r\n"
                                "LeblaufCheck_Checked=True\r\n";
    EXPECT_EQ(file.text(), expected);

    saveFormSettings(file, normalAt({10, 20, 648, 532}), true, unusualBox(), kScreen);
    EXPECT_EQ(file.value(kFormSection, "Visible"), "1");
    EXPECT_EQ(file.value(kFormSection, "FontDialog1_FontStyle"),
              "[fsBold,fsUnderline,fsStrikeOut]");
    EXPECT_EQ(file.value(kFormSection, "FontDialog1_FontPitch"), "fpFixed");
    EXPECT_EQ(file.value(kFormSection, "LeblaufCheck_Checked"), "False");
    EXPECT_EQ(file.text().count('\n'), expected.count('\n')); // same keys, updated in place
}

TEST(FormStorage, RoundTripOfEveryKey) {
    const BoxLayout saved = unusualBox();
    WindowPlacement placement;
    placement.flags = 2;
    placement.showCmd = SW_SHOWMAXIMIZED;
    placement.minPosition = {-32000, -32000};
    placement.maxPosition = {-4, -4};
    placement.normalPosition = {30, 40, 700, 560};
    ProfileFile file = ProfileFile::parse("[Fremd]\r\nx=1\r\n[TMainForm]\r\nEigenes=ja\r\n");
    saveFormSettings(file, placement, false, saved, kScreen);

    BoxLayout box;
    FormRestore r = restoreFormSettings(ProfileFile::parse(file.text()), kScreen, kCurrent, box);
    EXPECT_TRUE(r.restored);
    EXPECT_EQ(box, saved);
    ASSERT_TRUE(r.placement);
    EXPECT_EQ(r.placement->flags, 2);
    EXPECT_EQ(r.placement->minPosition, placement.minPosition);
    EXPECT_EQ(r.placement->maxPosition, placement.maxPosition);
    EXPECT_EQ(r.placement->normalPosition, placement.normalPosition);
    EXPECT_EQ(r.show, ShowState::Maximized);
    EXPECT_EQ(file.value("Fremd", "x"), "1");
    EXPECT_EQ(file.value(kFormSection, "Eigenes"), "ja");
}

TEST(FormStorage, QuotedFontNameSurvives) {
    BoxLayout saved;
    saved.font.Name = "'Meine Schrift'";
    ProfileFile file;
    saveFormSettings(file, normalAt({0, 0, 10, 10}), false, saved, kScreen);
    EXPECT_TRUE(file.text().contains("FontDialog1_FontName=\"'Meine Schrift'\"\r\n"));
    BoxLayout box;
    restoreFormSettings(ProfileFile::parse(file.text()), kScreen, kCurrent, box);
    EXPECT_EQ(box.font.Name, "'Meine Schrift'");
}

TEST(FormStorage, NoFileLeavesTheStartValues) {
    BoxLayout box;
    FormRestore r = restoreFormSettings(ProfileFile(), kScreen, kCurrent, box);
    EXPECT_EQ(box, BoxLayout{});
    EXPECT_EQ(box.bkColor, rgb(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(box.font.Size(), 8);
    EXPECT_FALSE(r.placement);
    EXPECT_EQ(r.show, ShowState::Normal);
}

TEST(FormStorage, NegativeFormVersionRestoresNothing) {
    BoxLayout box;
    FormRestore r = restore("FormVersion=-1\r\nNormPos=1,2,300,400\r\nShowCmd=3\r\n"
                            "BildEd_Value=10\r\n",
                            box);
    EXPECT_FALSE(r.restored);
    EXPECT_FALSE(r.placement);
    EXPECT_EQ(box, BoxLayout{});
}

TEST(FormStorage, OtherPixelsPerInchRestoresBoxButNotPosition) {
    BoxLayout box;
    FormRestore r = restore("PixelsPerInch=120\r\nNormPos=1,2,300,400\r\nBreitEd_Value=300\r\n"
                            "ShowCmd=3\r\n",
                            box);
    EXPECT_FALSE(r.placement);
    EXPECT_EQ(box.BreitEd, 300);
    EXPECT_EQ(r.show, ShowState::Maximized);

    r = restore("NormPos=1,2,300,400\r\n", box); // no PixelsPerInch: the screen's counts
    ASSERT_TRUE(r.placement);
    EXPECT_EQ(r.placement->normalPosition, (WinRect{1, 2, 300, 400}));
}

TEST(FormStorage, SpinValuesClampAndUnreadableNumbersKeepTheValue) {
    BoxLayout box;
    box.BreitEd = 200;
    restore("BildEd_Value=120\r\nBreitEd_Value=breit\r\nHochEd_Value= 12.6 \r\n", box);
    EXPECT_EQ(box.BildEd, 90);
    EXPECT_EQ(box.BreitEd, 200);
    EXPECT_EQ(box.HochEd, 13);

    restore("BreitEd_Value=5\r\nHochEd_Value=1e9\r\nBildEd_Value=nan\r\n", box);
    EXPECT_EQ(box.BreitEd, 10);
    EXPECT_EQ(box.HochEd, 1000);
    EXPECT_EQ(box.BildEd, 90);
}

TEST(FormStorage, WholeNumbersThatAreNotNumbersGiveZero) {
    BoxLayout box = unusualBox();
    restore("bkColorBox_ColorValue=rot\r\nTextausricht_ItemIndex=mitte\r\n"
            "FontDialog1_FontCharset=300\r\nBorderColorBox_ColorValue=-2147483624\r\n"
            "Textausricht_ItemIndex=9\r\n",
            box);
    EXPECT_EQ(box.bkColor, 0u);
    EXPECT_EQ(box.Textausricht, 0); // the first of the two keys
    EXPECT_EQ(box.font.Charset, 0);
    EXPECT_EQ(box.borderColor, clInfoBk);

    restore("Textausricht_ItemIndex=9\r\n", box);
    EXPECT_EQ(box.Textausricht, 2);
}

TEST(FormStorage, FontSizeIsAppliedAfterHeight) {
    BoxLayout box;
    restore("FontDialog1_FontHeight=-20\r\nFontDialog1_FontSize=10\r\n", box);
    EXPECT_EQ(box.font.Height, -13);

    restore("FontDialog1_FontHeight=-20\r\n", box); // the size follows the new height
    EXPECT_EQ(box.font.Height, -20);
    EXPECT_EQ(box.font.Size(), 15);
}

TEST(FormStorage, NamesIgnoreCaseAndUnknownNamesKeepTheValue) {
    BoxLayout box;
    restore("FontDialog1_FontPitch=FPFIXED\r\nLeblaufCheck_Checked=false\r\n"
            "FontDialog1_FontStyle=[fsbold, FSITALIC]\r\n",
            box);
    EXPECT_EQ(box.font.Pitch, fpFixed);
    EXPECT_FALSE(box.LeblaufCheck);
    EXPECT_EQ(box.font.Style, fsBold | fsItalic);

    restore("FontDialog1_FontPitch=fpSchmal\r\nLeblaufCheck_Checked=vielleicht\r\n"
            "FontDialog1_FontStyle=[fsBold,fsFett]\r\nFontDialog1_FontName=\r\n",
            box);
    EXPECT_EQ(box.font.Pitch, fpFixed);
    EXPECT_FALSE(box.LeblaufCheck);
    EXPECT_EQ(box.font.Style, fsBold | fsItalic);
    EXPECT_EQ(box.font.Name, "Arial");

    restore("FontDialog1_FontStyle=[]\r\nLeblaufCheck_Checked=TRUE\r\n", box);
    EXPECT_EQ(box.font.Style, 0);
    EXPECT_TRUE(box.LeblaufCheck);
}

TEST(FormStorage, PositionKeysAndTheirParts) {
    BoxLayout box;
    // The key of this screen's size comes first; an empty one counts as absent.
    FormRestore r = restore("NormPos(1024x768)=10,10,500,400\r\nNormPos=1,1,2,2\r\n", box);
    ASSERT_TRUE(r.placement);
    EXPECT_EQ(r.placement->normalPosition, (WinRect{10, 10, 500, 400}));
    r = restore("NormPos(1024x768)=\r\nNormPos(800x600)=3,3,4,4\r\nNormPos=1,1,20,20\r\n", box);
    ASSERT_TRUE(r.placement);
    EXPECT_EQ(r.placement->normalPosition, (WinRect{1, 1, 20, 20}));

    // Parts that are not numbers: 0 for min/max, the current geometry for the rectangle.
    r = restore("MinMaxPos=x,7\r\nNormPos=a, 20 ,b,400\r\n", box);
    ASSERT_TRUE(r.placement);
    EXPECT_EQ(r.placement->minPosition, (WinPoint{0, 7}));
    EXPECT_EQ(r.placement->maxPosition, (WinPoint{0, 0}));
    EXPECT_EQ(r.placement->normalPosition, (WinRect{5, 20, 105, 400}));

    r = restore("MinMaxPos=1,2,3,4\r\n", box); // found, the rectangle stays as it is
    ASSERT_TRUE(r.placement);
    EXPECT_EQ(r.placement->normalPosition, kCurrent);

    EXPECT_FALSE(restore("NormPos=500,10,500,400\r\n", box).placement); // no width
    EXPECT_FALSE(restore("NormPos=10,400,500,10\r\n", box).placement);  // no height
    EXPECT_FALSE(restore("Flags=1\r\n", box).placement);                // no position
}

TEST(FormStorage, ShowCommands) {
    const std::pair<const char*, ShowState> cases[] = {
        {"1", ShowState::Normal},    {"5", ShowState::Normal},    {"9", ShowState::Normal},
        {"2", ShowState::Minimized}, {"6", ShowState::Minimized}, {"7", ShowState::Minimized},
        {"3", ShowState::Maximized}, {"4", ShowState::Normal},    {"drei", ShowState::Normal}};
    for (const auto& [value, state] : cases) {
        BoxLayout box;
        EXPECT_EQ(restore(QByteArray("ShowCmd=") + value + "\r\n", box).show, state) << value;
    }
}

// Whatever the file holds, a saved and read-back section gives the values
// that were read: font names with control characters or blanks, sizes at
// the limits of 32 bits, heights and resolutions that are not plausible.
TEST(FormStorage, ReadValuesSurviveTheirOwnSave) {
    const std::vector<QByteArray> sections = {
        "FontDialog1_FontName=\tArial\x01 \r\n",
        "FontDialog1_FontName=Ari\ral\r\n",
        "FontDialog1_FontName=\" Arial \"\r\n",
        "FontDialog1_FontSize=-2147483648\r\n",
        "FontDialog1_FontSize=2147483647\r\n",
        "FontDialog1_FontHeight=59652324\r\nFontDialog1_FontSize=\r\n",
        "FontDialog1_FontHeight=-2147483648\r\nFontDialog1_FontSize=x\r\n",
    };
    for (const QByteArray& section : sections) {
        SCOPED_TRACE(section.toStdString());
        BoxLayout first;
        restore(section, first);
        EXPECT_LE(std::abs(first.font.Height), kMaxFontHeight);
        ProfileFile file;
        saveFormSettings(file, normalAt({0, 0, 10, 10}), false, first, kScreen);
        BoxLayout second;
        restoreFormSettings(ProfileFile::parse(file.text()), kScreen, kCurrent, second);
        EXPECT_EQ(second, first);
    }
    BoxLayout box;
    restore("FontDialog1_FontName=\tAri\x7F"
            "al\r\n",
            box);
    EXPECT_EQ(box.font.Name, "Arial");
}
