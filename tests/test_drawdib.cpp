#include "picture/DrawDib.h"
#include "platform/Dialogs.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <vector>

using namespace lw;

namespace {

class ScriptedDialogs : public Dialogs {
  public:
    struct Box {
        QString text;
        QString caption;
        unsigned flags;
    };
    int messageBox(const QString& text, const QString& caption, unsigned flags) override {
        boxes.push_back({text, caption, flags});
        return IDOK;
    }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool chooseFont(TFontInfo&) override { return false; }
    bool chooseColor(TColor&) override { return false; }

    std::vector<Box> boxes;
};

// A 24-bit picture whose pixel at column x, row y from the top holds blue x,
// green y and red 0x55, so every output byte tells where it came from.
TDibRecord coordinatePicture(int w, int h) {
    TDibRecord dib;
    EXPECT_TRUE(newdib(dib, w, h, 24, nullptr, 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setpixel(dib, x, h - 1 - y, 0x550000u | (std::uint32_t(y) << 8) | std::uint32_t(x));
    return dib;
}

// An indexed picture with pixel value f(x, stored row) and a recognisable
// colour table.
TDibRecord indexedPicture(int w, int h, int bits) {
    BITMAPINFO colors;
    for (int i = 0; i < 256; ++i)
        colors.bmiColors[i] = RGBQUAD{std::uint8_t(i), std::uint8_t(i ^ 0x5A), 0x33, 0};
    TDibRecord dib;
    EXPECT_TRUE(newdib(dib, w, h, bits, &colors, 1 << bits));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setpixel(dib, x, y, std::uint32_t(x * 3 + y * 7) % (1u << bits));
    return dib;
}

class DrawDibTest : public ::testing::Test {
  protected:
    void SetUp() override { liveBefore = liveDibCount(); }
    void TearDown() override {
        EXPECT_EQ(liveDibCount(), liveBefore) << "a temporary picture was not released";
    }

    RecordingCanvas canvas;
    ScriptedDialogs dialogs;
    long liveBefore = 0;
};

TEST_F(DrawDibTest, ScreenScalesA24BitPictureRowByRowNearestNeighbour) {
    TDibRecord dib = coordinatePicture(100, 50);
    const std::uint8_t* bitsBefore = dib.bits;
    DrawDib(canvas, 10, 20, 75, 81, dib, &dialogs);

    ASSERT_FALSE(canvas.calls().empty());
    const auto* mode = std::get_if<SetStretchBltModeCall>(&canvas.calls().front());
    ASSERT_NE(mode, nullptr) << canvas.dump();
    EXPECT_EQ(mode->mode, COLORONCOLOR);
    EXPECT_EQ(canvas.countOf<StretchDIBitsCall>(), 0);

    const auto rows = canvas.callsOf<SetDIBitsToDeviceCall>();
    ASSERT_EQ(rows.size(), 81u);
    for (int r = 0; r < 81; ++r) {
        const SetDIBitsToDeviceCall& row = rows[std::size_t(r)];
        EXPECT_EQ(row.x, 10);
        EXPECT_EQ(row.y, 20 + r);
        EXPECT_EQ(row.w, 75);
        EXPECT_EQ(row.h, 1);
        EXPECT_EQ(row.startLine, 0);
        EXPECT_EQ(row.lines, 1);
        EXPECT_EQ(row.dib.width, 75);
        EXPECT_EQ(row.dib.height, 1);
        EXPECT_EQ(row.dib.bitCount, 24);
        ASSERT_EQ(row.rows.size(), 1u);
        const std::vector<std::uint8_t>& px = row.rows[0];
        for (int i = 0; i < 75; ++i) {
            ASSERT_EQ(px[std::size_t(3 * i)], 100 * i / 75) << "row " << r << " column " << i;
            ASSERT_EQ(px[std::size_t(3 * i + 1)], 50 * r / 81) << "row " << r;
            ASSERT_EQ(px[std::size_t(3 * i + 2)], 0x55);
        }
    }
    // The examples: columns 0, 1, 2, 3 from source columns 0, 1, 2, 4; rows
    // 0 and 1 from source row 0 (top), row 2 from source row 1.
    const std::vector<std::uint8_t>& first = rows[0].rows[0];
    EXPECT_EQ((std::vector<int>{first[0], first[3], first[6], first[9]}),
              (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(rows[0].rows[0], rows[1].rows[0]);
    EXPECT_EQ(rows[2].rows[0][1], 1);

    EXPECT_EQ(dib.bits, bitsBefore);
    EXPECT_EQ(getpixel(dib, 99, 0), 0x553163u); // the caller's picture is untouched
    EXPECT_TRUE(dialogs.boxes.empty());
    deldib(dib);
}

TEST_F(DrawDibTest, ScreenScaledEightBitRowsCarryTheColourTable) {
    TDibRecord dib = indexedPicture(6, 4, 8);
    DrawDib(canvas, 0, 0, 12, 2, dib, &dialogs);

    const auto rows = canvas.callsOf<SetDIBitsToDeviceCall>();
    ASSERT_EQ(rows.size(), 2u);
    for (int r = 0; r < 2; ++r) {
        const SetDIBitsToDeviceCall& row = rows[std::size_t(r)];
        EXPECT_EQ(row.dib.bitCount, 8);
        ASSERT_EQ(row.dib.colors.size(), 256u);
        for (int c = 0; c < 256; ++c) {
            EXPECT_EQ(row.dib.colors[std::size_t(c)].rgbBlue, c);
            EXPECT_EQ(row.dib.colors[std::size_t(c)].rgbGreen, c ^ 0x5A);
        }
        const int storedRow = 4 - 1 - 4 * r / 2;
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(row.rows[0][std::size_t(i)], getpixel(dib, 6 * i / 12, storedRow));
    }
    deldib(dib);
}

TEST_F(DrawDibTest, OtherDepthsAndPrintersGoToTheStretchedOutputOnly) {
    struct Case {
        int bits;
        bool printer;
    };
    for (const Case c : {Case{1, false}, Case{4, false}, Case{24, true}, Case{8, true},
                         Case{1, true}, Case{32, false}}) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, printer " << c.printer);
        RecordingCanvas device(c.printer ? RecordingCanvas::printerCaps(600)
                                         : RecordingCanvas::screenCaps());
        TDibRecord dib = c.bits == 24 ? coordinatePicture(7, 5) : TDibRecord{};
        if (c.bits == 32)
            ASSERT_TRUE(newdib(dib, 7, 5, 32, nullptr, 0));
        else if (c.bits != 24)
            dib = indexedPicture(7, 5, c.bits);

        DrawDib(device, 3, 4, 700, 500, dib, &dialogs);
        const auto stretched = device.callsOf<StretchDIBitsCall>();
        ASSERT_EQ(stretched.size(), 1u) << device.dump();
        const StretchDIBitsCall& s = stretched[0];
        EXPECT_EQ((std::vector<int>{s.x, s.y, s.w, s.h, s.srcX, s.srcY, s.srcW, s.srcH}),
                  (std::vector<int>{3, 4, 700, 500, 0, 0, 7, 5}));
        EXPECT_EQ(s.dib.bitCount, c.bits);
        EXPECT_EQ(device.calls().size(), 2u) << device.dump(); // stretch mode + output
        deldib(dib);
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DrawDibTest, FirstFallbackScalesFirstToFirstAndLastToLast24Bit) {
    canvas.failStretchDIBits = true;
    canvas.caps = RecordingCanvas::printerCaps(300);
    TDibRecord dib = coordinatePicture(5, 3);
    DrawDib(canvas, 1, 2, 9, 5, dib, &dialogs);

    const auto out = canvas.callsOf<SetDIBitsToDeviceCall>();
    ASSERT_EQ(out.size(), 1u) << canvas.dump();
    const SetDIBitsToDeviceCall& c = out[0];
    EXPECT_EQ((std::vector<int>{c.x, c.y, c.w, c.h, c.startLine, c.lines}),
              (std::vector<int>{1, 2, 9, 5, 0, 5}));
    EXPECT_EQ(c.dib.width, 9);
    EXPECT_EQ(c.dib.height, 5);
    ASSERT_EQ(c.rows.size(), 5u);
    for (int y = 0; y < 5; ++y) {
        const int sy = 2 * y / 4; // stored rows
        for (int x = 0; x < 9; ++x) {
            const int sx = 4 * x / 8;
            const auto& row = c.rows[std::size_t(y)];
            EXPECT_EQ(row[std::size_t(3 * x)], sx) << x << "," << y;
            EXPECT_EQ(row[std::size_t(3 * x + 1)], 2 - sy) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.countOf<CreateCompatibleBitmapCall>(), 0);
    EXPECT_TRUE(dialogs.boxes.empty());
    deldib(dib);
}

TEST_F(DrawDibTest, FirstFallbackMergesFourBitNibblesAndCopiesOneBitPixels) {
    canvas.caps = RecordingCanvas::printerCaps(); // 8 bits would be scaled row by row on a screen
    canvas.failStretchDIBits = true;
    for (const int bits : {4, 1, 8}) {
        SCOPED_TRACE(bits);
        canvas.clear();
        TDibRecord dib = indexedPicture(5, 4, bits);
        DrawDib(canvas, 0, 0, 7, 3, dib, &dialogs);
        const auto out = canvas.callsOf<SetDIBitsToDeviceCall>();
        ASSERT_EQ(out.size(), 1u) << canvas.dump();
        ASSERT_EQ(out[0].dib.colors.size(), std::size_t(1) << bits);
        EXPECT_EQ(out[0].dib.colors[1].rgbGreen, 1 ^ 0x5A);

        // Rebuild the output picture from the recorded rows and compare.
        TDibRecord drawn;
        ASSERT_TRUE(newdib(drawn, 7, 3, bits, nullptr, 0));
        for (int y = 0; y < 3; ++y)
            std::copy(out[0].rows[std::size_t(y)].begin(), out[0].rows[std::size_t(y)].end(),
                      drawn.bits + std::size_t(y) * drawn.stride);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_EQ(getpixel(drawn, x, y), getpixel(dib, 4 * x / 6, 3 * y / 2))
                    << x << "," << y;
        deldib(drawn);
        deldib(dib);
    }
}

TEST_F(DrawDibTest, SecondFallbackCopiesThroughADeviceBitmap) {
    TDibRecord dib = indexedPicture(6, 4, 4);
    struct Case {
        bool dibToDevice;
        bool failFirstOutput;
    };
    for (const Case c : {Case{false, false}, Case{true, true}}) {
        canvas.clear();
        canvas.failStretchDIBits = true;
        canvas.caps.dibToDevice = c.dibToDevice;
        canvas.failSetDIBitsToDevice = c.failFirstOutput;
        DrawDib(canvas, 5, 6, 30, 20, dib, &dialogs);

        EXPECT_EQ(canvas.countOf<SetDIBitsToDeviceCall>(), c.dibToDevice ? 1 : 0);
        const auto created = canvas.callsOf<CreateCompatibleBitmapCall>();
        ASSERT_EQ(created.size(), 1u) << canvas.dump();
        EXPECT_EQ(created[0].w, 6);
        EXPECT_EQ(created[0].h, 4);
        const auto transferred = canvas.callsOf<SetDIBitsCall>();
        ASSERT_EQ(transferred.size(), 1u);
        EXPECT_EQ(transferred[0].bitmapId, created[0].bitmapId);
        EXPECT_EQ(transferred[0].startLine, 0);
        EXPECT_EQ(transferred[0].lines, 4);
        const auto blits = canvas.callsOf<StretchBltCall>();
        ASSERT_EQ(blits.size(), 1u);
        const StretchBltCall& b = blits[0];
        EXPECT_EQ(
            (std::vector<int>{b.x, b.y, b.w, b.h, b.bitmapId, b.srcX, b.srcY, b.srcW, b.srcH}),
            (std::vector<int>{5, 6, 30, 20, created[0].bitmapId, 0, 0, 6, 4}));
    }
    EXPECT_TRUE(dialogs.boxes.empty());
    deldib(dib);
}

TEST_F(DrawDibTest, SecondFallbackFailuresAreToldInTheirOwnWords) {
    TDibRecord dib = coordinatePicture(4, 4);
    struct Case {
        void (*provoke)(RecordingCanvas&);
        const char* text;
        int bitmapCopies;
    };
    const Case cases[] = {
        {[](RecordingCanvas& c) { c.failCreateCompatibleBitmap = true; },
         "Konnte Bitmap nicht erzeugen!", 0},
        {[](RecordingCanvas& c) { c.failSetDIBits = true; },
         "Das Gerät unterstützt die Funtkion setdibits nicht!", 0},
        {[](RecordingCanvas& c) { c.failStretchBlt = true; },
         "Das Gerät unterstützt die Funktion StretchBlt nicht!", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RecordingCanvas device(RecordingCanvas::printerCaps());
        device.failStretchDIBits = true;
        device.caps.dibToDevice = false;
        c.provoke(device);
        ScriptedDialogs told;
        DrawDib(device, 0, 0, 8, 8, dib, &told);
        ASSERT_EQ(told.boxes.size(), 1u) << device.dump();
        EXPECT_EQ(told.boxes[0].text, QString::fromUtf8(c.text));
        EXPECT_TRUE(told.boxes[0].caption.isEmpty());
        EXPECT_EQ(told.boxes[0].flags, unsigned(MB_OK));
        EXPECT_EQ(device.countOf<StretchBltCall>(), c.bitmapCopies);

        RecordingCanvas silent(device.caps);
        c.provoke(silent);
        silent.failStretchDIBits = true;
        DrawDib(silent, 0, 0, 8, 8, dib, nullptr); // no dialogs: no crash, same calls
        EXPECT_EQ(silent.calls().size(), device.calls().size());
    }
    deldib(dib);
}

TEST_F(DrawDibTest, DestinationsBelowOnePixelDrawNothing) {
    TDibRecord dib = coordinatePicture(10, 10);
    for (const auto& [w, h] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-4, 10},
                               std::pair{10, -1}, std::pair{0, 0}}) {
        canvas.clear();
        DrawDib(canvas, 0, 0, w, h, dib, &dialogs);
        EXPECT_TRUE(canvas.calls().empty()) << w << "x" << h << "\n" << canvas.dump();
    }
    canvas.clear();
    DrawDib(canvas, 0, 0, 10, 10, TDibRecord{}, &dialogs);
    EXPECT_TRUE(canvas.calls().empty());
    deldib(dib);
}

TEST_F(DrawDibTest, OnePixelDestinations) {
    TDibRecord dib = coordinatePicture(10, 10);

    // Screen: the top left pixel.
    DrawDib(canvas, 3, 3, 1, 1, dib, &dialogs);
    auto rows = canvas.callsOf<SetDIBitsToDeviceCall>();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].rows[0][0], 0);
    EXPECT_EQ(rows[0].rows[0][1], 0);

    // Without stretched output, a one pixel wide or high destination skips
    // the scaled copy (which needs two pixels each way) and goes the last way.
    for (const auto& [w, h] : {std::pair{1, 5}, std::pair{5, 1}}) {
        RecordingCanvas device(RecordingCanvas::printerCaps());
        device.failStretchDIBits = true;
        DrawDib(device, 0, 0, w, h, dib, &dialogs);
        EXPECT_EQ(device.countOf<SetDIBitsToDeviceCall>(), 0) << device.dump();
        const auto blits = device.callsOf<StretchBltCall>();
        ASSERT_EQ(blits.size(), 1u) << device.dump();
        EXPECT_EQ(blits[0].w, w);
        EXPECT_EQ(blits[0].h, h);
    }
    EXPECT_TRUE(dialogs.boxes.empty());
    deldib(dib);
}

} // namespace
