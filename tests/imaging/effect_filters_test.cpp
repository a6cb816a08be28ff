// The area filters on their own: in-place reads worked by hand (also across the blur's chains of
// rows), borders, and the degenerate pictures.
#include <gtest/gtest.h>

#include "imaging/effect_filters.h"
#include "support/pixel_pictures.h"

#include <cmath>
#include <limits>

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

Bitmap Row(std::initializer_list<int> reds)
{
    std::vector<int> v(reds);
    return MakeBitmap(int(v.size()), 1, [&](int x, int) { return QColor(v[x], 0, 0); });
}

} // namespace

TEST(SplitBlur, ReadsPixelsItHasAlreadyBlurredAndSmallPicturesStay)
{
    // One row: every sample is on the row itself. 0, 100, 200 -> 50, (50 + 200) / 2 = 125,
    // (125 + 200) / 2 = 162.
    Bitmap row = Row({0, 100, 200});
    SplitBlurBitmap(row, 1);
    EXPECT_EQ(PixelOf(row, 0, 0).red(), 50);
    EXPECT_EQ(PixelOf(row, 1, 0).red(), 125);
    EXPECT_EQ(PixelOf(row, 2, 0).red(), 162);

    Bitmap one = Row({77});
    SplitBlurBitmap(one, 1);
    EXPECT_EQ(PixelOf(one, 0, 0).red(), 77);

    const Bitmap original = NoisyBitmap(6, 5);
    Bitmap far = original;
    SplitBlurBitmap(far, 6);
    EXPECT_TRUE(SamePixels(far, original));

    // Distance 2 on 3 x 5: columns 0 and 2 read columns 0 and 2, column 1 itself; rows 0 and 1 read
    // themselves (already blurred to their left) and the row two below; rows 2 to 4 the blurred row
    // two above, and rows 3 and 4 themselves below. Row 2, column 0: (95 + 220 + 118 + 44) shr 2.
    const int picture[5][3] = {{0, 40, 80}, {120, 160, 200}, {240, 20, 60}, {100, 140, 180}, {220, 4, 44}};
    const int expected[5][3] = {{95, 30, 118}, {150, 150, 157}, {119, 17, 119}, {146, 145, 158}, {125, 10, 101}};
    Bitmap b = MakeBitmap(3, 5, [&](int x, int y) { return QColor(picture[y][x], 0, 0); });
    SplitBlurBitmap(b, 2);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PixelOf(b, x, y).red(), expected[y][x]) << x << ", " << y;
}

TEST(Emboss, WorkedGreyTheLastRowAndEveryRowReadsTheUnembossedRowBelow)
{
    // Grey 100: rows above the last get (100 + 155) / 2 = 127, the last takes the embossed row above:
    // (100 + 255 - 127) / 2 = 114.
    Bitmap grey = MakeBitmap(5, 3, [](int, int) { return QColor(100, 100, 100); });
    EmbossBitmap(grey);
    EXPECT_EQ(PixelOf(grey, 0, 0), QColor(127, 127, 127));
    EXPECT_EQ(PixelOf(grey, 4, 1), QColor(127, 127, 127));
    EXPECT_EQ(PixelOf(grey, 2, 2), QColor(114, 114, 114));

    // The neighbour three across and one down.
    Bitmap dot = MakeBitmap(6, 2, [](int x, int y) { return x == 4 && y == 1 ? QColor(255, 255, 255) : QColor(0, 0, 0); });
    EmbossBitmap(dot);
    EXPECT_EQ(PixelOf(dot, 1, 0).red(), 0);
    EXPECT_EQ(PixelOf(dot, 0, 0).red(), 127);

    const Bitmap single = NoisyBitmap(9, 1);
    Bitmap row = single;
    EmbossBitmap(row);
    EXPECT_TRUE(SamePixels(row, single));

    // Flat rows of their own grey, tall enough for the rows to be split among threads: row y becomes
    // (g(y) + 255 - g(y + 1)) / 2 with the row below as it was.
    auto g = [](int y) { return (y * 37) % 256; };
    Bitmap tall = MakeBitmap(5, 500, [&](int, int y) { return QColor(g(y), g(y), g(y)); });
    EmbossBitmap(tall);
    for (int y = 0; y < 499; ++y)
        ASSERT_EQ(PixelOf(tall, 2, y).red(), (g(y) + 255 - g(y + 1)) >> 1) << y;
}

TEST(Mosaic, BlocksFromTheTopLeft)
{
    const Bitmap original = NoisyBitmap(5, 5);
    Bitmap b = original;
    MosaicBitmap(b, 2);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(PixelOf(b, x, y), PixelOf(original, x / 2 * 2, y / 2 * 2)) << x << "," << y;
}

TEST(AntiAlias, OnlyInsideTheBorderWithNewLeftAndUpperNeighbours)
{
    // 3 x 3: only the centre changes, to the mean of its four neighbours.
    Bitmap b = MakeBitmap(3, 3, [](int x, int y) { return QColor(x * 40 + y * 100, 0, 0); });
    const Bitmap original = b;
    AntiAliasBitmap(b, 0, 0, 3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            if (x != 1 || y != 1)
                EXPECT_EQ(PixelOf(b, x, y), PixelOf(original, x, y));
    EXPECT_EQ(PixelOf(b, 1, 1).red(), (40 + 240 + 100 + 180) / 4);

    // 4 x 3: pixel (2, 1) reads the new value of (1, 1) as its left neighbour.
    Bitmap wide = MakeBitmap(4, 3, [](int x, int y) { return QColor(x == 0 ? 200 : 0, 0, 0); });
    AntiAliasBitmap(wide, 0, 0, 4, 3);
    EXPECT_EQ(PixelOf(wide, 1, 1).red(), 50);
    EXPECT_EQ(PixelOf(wide, 2, 1).red(), 12);

    const Bitmap two = NoisyBitmap(2, 5);
    Bitmap narrow = two;
    AntiAliasBitmap(narrow, 0, 0, 2, 5);
    EXPECT_TRUE(SamePixels(narrow, two));
}

TEST(Trace, ForwardMarksThenBackwardFromTheSecondPass)
{
    // A white picture with a red block reaching the right edge: marks land on the white side of the
    // edges (the first edge's neighbour, red, is the reference colour). The forward scan stops two
    // columns short of the right edge, so only the backward scan marks above the last columns.
    auto square = [] {
        return MakeBitmap(8, 8, [](int x, int y) {
            return x >= 3 && y >= 3 && y <= 5 ? QColor(255, 0, 0) : QColor(255, 255, 255);
        });
    };
    Bitmap once = square();
    TraceBitmap(once, 1);
    EXPECT_EQ(PixelOf(once, 2, 3), QColor(Qt::black));
    EXPECT_EQ(PixelOf(once, 3, 2), QColor(Qt::black));
    EXPECT_EQ(PixelOf(once, 4, 4), QColor(255, 0, 0));
    EXPECT_EQ(PixelOf(once, 5, 2), QColor(Qt::black));
    EXPECT_EQ(PixelOf(once, 7, 2), QColor(Qt::white));

    Bitmap twice = square();
    TraceBitmap(twice, 2);
    EXPECT_EQ(PixelOf(twice, 7, 2), QColor(Qt::black));
    EXPECT_EQ(PixelOf(twice, 6, 2), QColor(Qt::black));
    for (int n = 3; n <= 10; ++n) {
        Bitmap more = square();
        TraceBitmap(more, n);
        EXPECT_TRUE(SamePixels(more, twice)) << n;
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const QColor c = PixelOf(twice, x, y);
            EXPECT_TRUE(c == QColor(Qt::black) || c == PixelOf(square(), x, y));
        }
}

TEST(Resample, FlatStaysExactAndANarrowSourceReadsOnlyItsColumn)
{
    const Bitmap flat = MakeBitmap(7, 5, [](int, int) { return QColor(10, 200, 99); });
    Bitmap out(13, 4, PixelFormat::Bits24);
    ResampleBitmap(flat, out);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(PixelOf(out, x, y), QColor(10, 200, 99));

    const Bitmap column = MakeBitmap(1, 3, [](int, int y) { return QColor(y * 100, 0, 0); });
    Bitmap wide(4, 3, PixelFormat::Bits24);
    ResampleBitmap(column, wide);
    // ystep = (2 << 15) / 3: row 1 samples 0.666 of the way from 0 to 100.
    EXPECT_EQ(PixelOf(wide, 3, 0).red(), 0);
    EXPECT_EQ(PixelOf(wide, 3, 1).red(), 66);
}

TEST(Tiles, LayoutRule)
{
    struct Case {
        int value, w, h, stored, tw, th;
    };
    const Case cases[] = {
        {20, 100, 80, 10, 10, 10}, {4, 100, 80, 4, 25, 20}, {0, 100, 80, 0, 10, 10},
        {-3, 100, 80, 0, 10, 10},  {7, 0, 0, 7, 10, 10},    {5, 19, 10, 1, 10, 10},
    };
    for (const Case& c : cases) {
        const TileLayout l = TileLayoutFor(c.value, c.w, c.h);
        EXPECT_EQ(l.value, c.stored) << c.value;
        EXPECT_EQ(l.tileWidth, c.tw) << c.value;
        EXPECT_EQ(l.tileHeight, c.th) << c.value;
    }
}

TEST(ColourEffects, GreyIsTheExtendedSumRounded)
{
    // Every red and green with three blues, among them all the halves (30 R + 59 G + 11 B ending in 50),
    // where only the extended sum decides which way the grey rounds.
    const Bitmap source = MakeBitmap(256, 256 * 3, [](int x, int y) { return QColor(x, y / 3, (y % 3) * 50); });
    ColourEffects grey;
    grey.grayScale = true;
    Bitmap display;
    ApplyColourEffects(source, nullptr, grey, display);
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < 256; ++x) {
            const QColor in = PixelOf(source, x, y);
            const long double sum = 0.3L * in.red() + 0.59L * in.green() + 0.11L * in.blue();
            ASSERT_EQ(PixelOf(display, x, y).red(), int(std::nearbyint(sum))) << x << "," << y;
        }
}

TEST(EffectFilters, ExtremeArgumentsAndEmptyPicturesStayInside)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    const Bitmap original = NoisyBitmap(6, 4);
    Bitmap blurred = original;
    SplitBlurBitmap(blurred, kMax);
    EXPECT_TRUE(SamePixels(blurred, original));
    Bitmap mosaic = original;
    MosaicBitmap(mosaic, kMax);
    EXPECT_EQ(PixelOf(mosaic, 5, 3), PixelOf(original, 0, 0));
    ColourEffects e;
    e.posterize = kMax;
    e.contrast = kMax;
    e.lightness = std::numeric_limits<int>::min();
    e.saturation = kMax;
    Bitmap display;
    ApplyColourEffects(original, nullptr, e, display);
    EXPECT_EQ(display.Width(), 6);

    // 0 x 0 pictures are left alone.
    Bitmap empty;
    SplitBlurBitmap(empty, 2);
    EmbossBitmap(empty);
    MosaicBitmap(empty, 3);
    AntiAliasBitmap(empty, 0, 0, 5, 5);
    TraceBitmap(empty, 3);
    ResampleBitmap(original, empty);
    TileBitmap(original, empty, 10, 10);
    EXPECT_TRUE(empty.Empty());
}
