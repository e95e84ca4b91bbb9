// The tiling arithmetic: scale, chart corner and sheet count.
#include "document/Document.h"
#include "print/PageTiling.h"
#include "tests/TestPersons.h"

#include <gtest/gtest.h>

using namespace lw;
using lw::test::personAt;

namespace {

const PrintScale k96At600{96, 600, 600};
const ChartMargins kDefaultMargins{45, 68};

} // namespace

TEST(PrintScale, MapsWithTruncationAndScalesPenAndFonts) {
    EXPECT_EQ(k96At600.x(45), 281);   // 281.25
    EXPECT_EQ(k96At600.y(155), 968);  // 968.75
    EXPECT_EQ(k96At600.x(-41), -256); // toward zero, not down
    EXPECT_EQ(k96At600.penWidth(), 6);
    EXPECT_EQ(k96At600.fontHeight(-19), -118);
    EXPECT_EQ(k96At600.fontHeight(-11), -68);
    EXPECT_EQ(k96At600.fontHeight(20), 125);
    // 64 bits: a million columns of 1000 pixels at 600 dpi.
    EXPECT_EQ(k96At600.x(1'000'000'000LL), 6'250'000'000LL);
    // Vertical values use the vertical resolution.
    EXPECT_EQ((PrintScale{96, 600, 300}).y(96), 300);
    // A printer coarser than the screen: pen width 0.
    EXPECT_EQ((PrintScale{96, 72, 72}).penWidth(), 0);
}

TEST(OccupiedCorner, CountsOnlyPlacedPersonsInsideTheArea) {
    Document doc;
    EXPECT_EQ(occupiedCorner(doc), (ChartCorner{0, 0}));
    doc.AreaWidth = 20;
    doc.AreaHeight = 10;
    doc.addPerson(personAt(9, 0));
    doc.addPerson(personAt(0, 4));
    doc.addPerson(personAt(-1, -1)); // not placed
    doc.addPerson(personAt(25, 2));  // right of the area
    doc.addPerson(personAt(3, 10));  // below the area
    EXPECT_EQ(occupiedCorner(doc), (ChartCorner{9, 4}));
}

TEST(SheetCount, ReachingColumnNineNeedsThreeByOne) {
    // ((168·9 + 159 + 45 + 40)·600 div 96) div 4760 + 1 = 10975 div 4760 + 1
    // ((96·4 + 87 + 68)·600 div 96) div 6779 + 1 = 3368 div 6779 + 1
    const SheetCount count = countSheets(168, 96, {9, 4}, kDefaultMargins, k96At600, 4760, 6779);
    EXPECT_EQ(count, (SheetCount{3, 1}));
    EXPECT_EQ(count.total(), 3);
    EXPECT_EQ(sheetCountMessage(count.total()),
              QStringLiteral("Es werden bis zu 3 Blätter benötigt"));
}

TEST(SheetCount, EmptyChartNeedsOneSheetAndExactMultipleAddsAColumn) {
    EXPECT_EQ(countSheets(168, 96, {}, kDefaultMargins, k96At600, 4760, 6815), (SheetCount{1, 1}));
    // Empty chart: (159 + 45 + 40)·600 div 96 = 1525 across, (87 + 68)·6.25 = 968 down.
    EXPECT_EQ(countSheets(168, 96, {}, kDefaultMargins, k96At600, 1525, 968), (SheetCount{2, 2}));
    EXPECT_EQ(countSheets(168, 96, {}, kDefaultMargins, k96At600, 1526, 969), (SheetCount{1, 1}));
}

TEST(SheetCount, HugeChartsStayExactAndAnOverflowingTotalIsFlagged) {
    const SheetCount far =
        countSheets(1000, 1000, {999999, 999999}, kDefaultMargins, k96At600, 4760, 6815);
    // (1000·999999 + 991 + 45 + 40)·600 div 96 = 6250000475, beyond 32 bits.
    EXPECT_EQ(far.Cols, 6250000475LL / 4760 + 1);
    EXPECT_EQ(far.total(), far.Cols * far.Rows);
    EXPECT_EQ((SheetCount{std::int64_t(1) << 40, std::int64_t(1) << 30}).total(), -1);
}
