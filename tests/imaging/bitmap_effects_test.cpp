// The editor's bitmap effects: the colours of the worked examples, the progress bar's range and steps,
// aborts (the partial result of the step-by-step loop, and the picture given back), seeded random
// routines, and the degenerate arguments that are refused or clamped.
#include <gtest/gtest.h>

#include "imaging/bitmap_effects.h"
#include "imaging/flip_and_channels.h"
#include "support/imaging_bitmaps.h"

#include <limits>

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

TEST(BitmapEffects, SepiaExamples)
{
    struct Case {
        int depth;
        QColor in, out;
    };
    const Case cases[] = {
        {20, QColor(100, 150, 200), QColor(190, 170, 150)},
        {0, QColor(100, 150, 200), QColor(150, 150, 150)},
        {128, QColor(0, 0, 3), QColor(255, 129, 1)},
        {128, QColor(255, 255, 255), QColor(255, 255, 255)},
        {-200, QColor(100, 150, 200), QColor(0, 0, 150)},
    };
    for (const Case& c : cases) {
        for (bool fast : {false, true}) {
            Bitmap bitmap = SolidBitmap(3, 2, c.in, PixelFormat::Bits32);
            RecordingProgress progress;
            if (fast)
                ColocarBitmapEmSepia_Rapido_24Bits(progress, c.depth, bitmap);
            else
                ColocarBitmapEmSepia(progress, c.depth, bitmap);
            EXPECT_EQ(PixelOf(bitmap, 2, 1), c.out) << c.depth << " fast " << fast;
            EXPECT_EQ(progress.highest, 2);
            EXPECT_EQ(progress.steps, (std::vector<int>{0, 1}));
            EXPECT_EQ(bitmap.Format(), PixelFormat::Bits32);
        }
    }
}

TEST(BitmapEffects, BlackAndWhiteThresholds)
{
    Bitmap bitmap = MakeBitmap(2, 1, [](int x, int) { return x ? QColor(50, 50, 50) : QColor(200, 200, 200); });
    RecordingProgress progress;
    ColocarBitmapEmPretoBranco(progress, 127, bitmap);
    EXPECT_EQ(PixelOf(bitmap, 0, 0), QColor(Qt::white));
    EXPECT_EQ(PixelOf(bitmap, 1, 0), QColor(Qt::black));
    EXPECT_EQ(progress.highest, 2);

    Bitmap white = SolidBitmap(4, 3, Qt::white);
    ColocarBitmapEmPretoBranco(progress, 255, white);
    EXPECT_TRUE(SamePixels(white, SolidBitmap(4, 3, Qt::black)));
}

TEST(BitmapEffects, LuminanceIsTheExtendedSumTruncated)
{
    // For a grey the weights sum to one, but their extended sum falls just below some greys: those
    // must count one less (a double sum gives other greys).
    for (int v = 1; v < 256; ++v) {
        const long double sum = 0.2989L * v + 0.5866L * v + 0.1145L * v;
        const int expected = int(sum);
        Bitmap above = SolidBitmap(1, 1, QColor(v, v, v));
        RecordingProgress progress;
        ColocarBitmapEmPretoBranco(progress, std::uint8_t(expected - 1), above);
        EXPECT_EQ(PixelOf(above, 0, 0), QColor(Qt::white)) << v;
        Bitmap at = SolidBitmap(1, 1, QColor(v, v, v));
        ColocarBitmapEmPretoBranco(progress, std::uint8_t(expected), at);
        EXPECT_EQ(PixelOf(at, 0, 0), QColor(Qt::black)) << v;
    }
}

TEST(BitmapEffects, AmountZeroChangesNothingAndRefusedAmountsLightNoBar)
{
    struct Case {
        const char* name;
        Bitmap original;
        std::function<void(RecordingProgress&, Bitmap&)> run;
        int highest; // the bar's top; -1: never lit
    };
    RandomSource random(5);
    const Case cases[] = {
        {"spray 0", NoisyBitmap(9, 7), [&](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmSpray(p, random, 0, b); }, 8},
        {"spray -3", NoisyBitmap(9, 7), [&](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmSpray(p, random, -3, b); }, 8},
        {"sharpen 0", NoisyBitmap(6, 5, PixelFormat::Bits32),
         [](RecordingProgress& p, Bitmap& b) { ColorCarBitmapEmAcentuacaoFiltroSharper(p, 0, b); }, 4},
        {"anti-aliasing 0", NoisyBitmap(5, 4), [](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmAntiAliasing(p, 0, b); }, 3},
        {"anti-aliasing -50", NoisyBitmap(5, 4),
         [](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmAntiAliasing(p, -50, b); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap bitmap = c.original;
        RecordingProgress progress;
        c.run(progress, bitmap);
        EXPECT_TRUE(SamePixels(bitmap, c.original));
        EXPECT_EQ(progress.highest, c.highest);
    }
}

TEST(BitmapEffects, RandomEffectsRepeatForASeedAndChangeThePicture)
{
    struct Case {
        const char* name;
        Bitmap original;
        std::uint64_t seed;
        std::function<void(RecordingProgress&, RandomSource&, Bitmap&)> run;
        int highest;
        std::size_t steps; // per run
    };
    const Case cases[] = {
        {"spray", MakeBitmap(20, 20, [](int x, int y) { return QColor(x * 10, y * 10, 0); }), 42,
         [](RecordingProgress& p, RandomSource& r, Bitmap& b) { ColocarBitmapEmSpray(p, r, 3, b); }, 19, 20},
        // One step per stroke, and one more.
        {"impressionist", NoisyBitmap(30, 20, PixelFormat::Bits32), 9,
         [](RecordingProgress& p, RandomSource& r, Bitmap& b) { ColocarBitmapEmPinturaImpressionista(p, r, 3, 2, 0, 10, b); },
         10, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap a = c.original, b = c.original;
        RecordingProgress progress;
        RandomSource first(c.seed), second(c.seed);
        c.run(progress, first, a);
        c.run(progress, second, b);
        EXPECT_TRUE(SamePixels(a, b));
        EXPECT_FALSE(SamePixels(a, c.original));
        EXPECT_EQ(progress.highest, c.highest);
        EXPECT_EQ(progress.steps.size(), 2 * c.steps);
    }
}

TEST(BitmapEffects, ErrorDiffusionCarriesTheQuarterDownToTheLastRow)
{
    // One column of 200: row 0 keeps 200 (black), carries 50 down; row 1 has 250 (black), carries 62;
    // row 2 has 262: white, 7 left.
    Bitmap column = SolidBitmap(1, 3, QColor(200, 200, 200));
    RecordingProgress progress;
    ColocarBitmapEmDistribuicaoDePixels(progress, column);
    EXPECT_EQ(PixelOf(column, 0, 0), QColor(Qt::black));
    EXPECT_EQ(PixelOf(column, 0, 1), QColor(Qt::black));
    EXPECT_EQ(PixelOf(column, 0, 2), QColor(Qt::white));

    // Mid grey, taller than fifteen thousand rows: the first column only carries a quarter down
    // (128 + v / 4 never passes 255), so it is all black and hands three quarters to the second, which
    // turns white nearly everywhere, down to the last rows alike.
    Bitmap bitmap = SolidBitmap(2, 20000, QColor(128, 128, 128));
    ColocarBitmapEmDistribuicaoDePixels(progress, bitmap);
    EXPECT_EQ(progress.highest, 2);
    int whiteFirst = 0, whiteTop = 0, whiteBottom = 0;
    for (int y = 0; y < 20000; ++y) {
        whiteFirst += PixelOf(bitmap, 0, y) == QColor(Qt::white);
        const bool white = PixelOf(bitmap, 1, y) == QColor(Qt::white);
        (y < 5000 ? whiteTop : whiteBottom) += white && (y < 5000 || y >= 15000);
    }
    EXPECT_EQ(whiteFirst, 0);
    EXPECT_GT(whiteTop, 4900);
    EXPECT_NEAR(whiteBottom, whiteTop, 5);
}

TEST(BitmapEffects, BlendModesOverTheSharedArea)
{
    const Bitmap first = MakeBitmap(4, 2, [](int x, int) { return QColor(100 + x, 3, 0); });
    const Bitmap original = MakeBitmap(4, 2, [](int x, int) { return QColor(20, 0, 200 + x); });
    // Mode 1: column 0 keeps the second bitmap, column 2 is half way.
    Bitmap second = original;
    RecordingProgress progress;
    MisturarDoisBitmapsRetornandoResultadoNoSegundo(progress, 1, first, second);
    EXPECT_EQ(progress.highest, 3);
    EXPECT_EQ(PixelOf(second, 0, 1), PixelOf(original, 0, 1));
    EXPECT_EQ(PixelOf(second, 2, 0), QColor(61, 2, 101)); // (102 + 20) / 2, 1.5 -> 2, 202 / 2
    // Mode 2 mirrors the weights: column 0 is the first bitmap.
    second = original;
    MisturarDoisBitmapsRetornandoResultadoNoSegundo(progress, 2, first, second);
    EXPECT_EQ(PixelOf(second, 0, 0), PixelOf(first, 0, 0));
    // Mode 3: the mean with halves to even: (101 + 20) / 2 = 60.5 -> 60, (3 + 0) / 2 = 1.5 -> 2,
    // (0 + 201) / 2 = 100.5 -> 100.
    second = original;
    MisturarDoisBitmapsRetornandoResultadoNoSegundo(progress, 3, first, second);
    EXPECT_EQ(PixelOf(second, 1, 0), QColor(60, 2, 100));
    EXPECT_EQ(PixelOf(second, 3, 1), QColor(62, 2, 102)); // 61.5 -> 62, 101.5 -> 102

    // Only the area both share is blended.
    Bitmap narrow = SolidBitmap(3, 4, Qt::black);
    MisturarDoisBitmapsRetornandoResultadoNoSegundo(progress, 3, SolidBitmap(6, 2, Qt::white), narrow);
    EXPECT_EQ(PixelOf(narrow, 2, 1), QColor(128, 128, 128));
    EXPECT_EQ(PixelOf(narrow, 2, 2), QColor(Qt::black));
}

TEST(BitmapEffects, SharpenLightensTheDiagonalsOfADotAndEndsIn24Bits)
{
    // A dark dot on grey: its diagonal neighbours get lighter, the dot stays (row 0 and column 0 count
    // as outside, so the top-left pixel takes itself in place of its neighbours).
    Bitmap dot = MakeBitmap(
        4, 4, [](int x, int y) { return x == 2 && y == 2 ? QColor(0, 0, 0) : QColor(100, 100, 100); }, PixelFormat::Bits32);
    RecordingProgress progress;
    ColorCarBitmapEmAcentuacaoFiltroSharper(progress, 64, dot);
    EXPECT_EQ(PixelOf(dot, 1, 1), QColor(150, 150, 150)); // (384 x 100 - 64 x 300) / 128
    EXPECT_EQ(PixelOf(dot, 2, 2), QColor(0, 0, 0));
    EXPECT_EQ(PixelOf(dot, 0, 0), QColor(100, 100, 100));
    EXPECT_EQ(dot.Format(), PixelFormat::Bits24);
}

TEST(BitmapEffects, SharpenTakesTheLastRowAndColumnButNotTheFirst)
{
    // Amount 32: (256 C - 32 x the four corners) div 128; a corner in row 0 or column 0 or beyond the
    // picture is the centre itself, one in the last row or column is read.
    const int picture[3][4] = {{40, 80, 120, 160}, {60, 100, 121, 200}, {0, 140, 180, 220}};
    const int expected[3][4] = {
        {25, 69, 105, 169}, // (1, 0): (640 - 240 - 121) / 4 = 69.75 -> 69
        {40, 80, 91, 205},  // (3, 1): (1600 - 600 - 180) / 4: the last row is read
        {0, 144, 195, 244}, // (2, 2): (1440 - 360 - 100 - 200) / 4: the last column is read
    };
    Bitmap bitmap = GreyBitmap(picture);
    RecordingProgress progress;
    ColorCarBitmapEmAcentuacaoFiltroSharper(progress, 32, bitmap);
    ExpectGrey(bitmap, expected);
}

TEST(BitmapEffects, AntiAliasingWrapsAroundThePicturesEdges)
{
    // Amount 50 moves each differing neighbour half-way, ties to even. Right of the last column is
    // column 0, above row 0 the last row, below the last row row 0.
    struct Caso {
        const char* nome;
        int picture[3][3];
        int expected[3][3];
    } casos[] = {
        {"a light pixel in the last column",
         {{100, 100, 100}, {100, 100, 200}, {100, 100, 100}},
         {{100, 100, 109}, {112, 106, 116}, {103, 103, 106}}},
        {"a light pixel in the last row",
         {{100, 100, 100}, {100, 100, 100}, {100, 200, 100}},
         {{100, 112, 106}, {100, 112, 106}, {112, 118, 112}}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        Bitmap bitmap = GreyBitmap(c.picture);
        RecordingProgress progress;
        ColocarBitmapEmAntiAliasing(progress, 50, bitmap);
        ExpectGrey(bitmap, c.expected);
    }
}

TEST(BitmapEffects, AntiAliasingFiftyMovesHalfWayInATwoPixelRow)
{
    // One row: the centre at column 1 pulls its left neighbour half way (and its right one, which is
    // column 0 again through the wrap of a two-pixel row).
    Bitmap pair = MakeBitmap(2, 1, [](int x, int) { return x ? QColor(100, 100, 100) : QColor(0, 50, 101); });
    RecordingProgress progress;
    ColocarBitmapEmAntiAliasing(progress, 50, pair);
    // Left: (0-100)/2+100 = 50, (50-100)/2+100 = 75, (101-100)/2+100 = 100.5 -> 100; then as the right
    // neighbour: (50-100)/2+100 = 75, 87.5 -> 88, 100.
    EXPECT_EQ(PixelOf(pair, 0, 0), QColor(75, 88, 100));
    EXPECT_EQ(PixelOf(pair, 1, 0), QColor(100, 100, 100));
}

TEST(BitmapEffects, ResizeBoxes)
{
    // 4 x 4 to 2 x 2: rows and columns 0..2 for the first pixel, 2..3 for the last.
    const Bitmap source = MakeBitmap(4, 4, [](int x, int y) { return QColor(x * 10 + y, 0, 0); });
    Bitmap small;
    ColocarBitmapEmNovasDimensoes(source, small, 2, 2);
    ASSERT_EQ(small.Width(), 2);
    ASSERT_EQ(small.Height(), 2);
    EXPECT_EQ(PixelOf(small, 0, 0).red(), 11); // mean of 0..2 x 10 + 0..2
    EXPECT_EQ(PixelOf(small, 1, 1).red(), 28); // mean of 2..3 x 10 + 2..3 = 27.5, halves up

    // 7 rows to 6: the step 7/6 summed in single precision lands on 3.5 exactly (so row 4 starts the
    // fourth box) and ends at 6.9999995, which would reach row 7: the box is clamped to row 6.
    const int values[7] = {0, 5, 20, 45, 80, 125, 180};
    const Bitmap column = MakeBitmap(1, 7, [&](int, int y) { return QColor(values[y], 0, 0); });
    Bitmap six;
    ColocarBitmapEmNovasDimensoes(column, six, 1, 6);
    const int expected[6] = {3, 13, 48, 103, 153, 180};
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(PixelOf(six, 0, y).red(), expected[y]) << y;

    // Enlarging never reads outside; a size of 0 is refused.
    Bitmap large;
    ColocarBitmapEmNovasDimensoes(source, large, 9, 9);
    EXPECT_EQ(PixelOf(large, 8, 8).red(), 33);
    Bitmap untouched = source;
    ColocarBitmapEmNovasDimensoes(source, untouched, 0, 3);
    EXPECT_TRUE(SamePixels(untouched, source));
}

TEST(BitmapEffects, ArredondarMeioParaCima)
{
    EXPECT_EQ(ArredondarMeioParaCima(2.5), 3);
    EXPECT_EQ(ArredondarMeioParaCima(3.5), 4);
    EXPECT_EQ(ArredondarMeioParaCima(2.4999), 2);
    EXPECT_EQ(ArredondarMeioParaCima(-2.5), -2);
    EXPECT_EQ(ArredondarMeioParaCima(-2.7), -2);
}

TEST(BitmapEffects, SineWarpTakesTheSourceSizeAndRefusesPeriodZero)
{
    const Bitmap source = NoisyBitmap(8, 6);
    Bitmap destination(3, 3, PixelFormat::Bits24);
    RecordingProgress progress;
    ColocarBitmapEmDeformacaoSenoidal(progress, 0, 2, source, destination);
    EXPECT_EQ(destination.Width(), 3);
    EXPECT_EQ(progress.onCount, 0);

    // Amplitude 0: a plain copy at the source's size.
    ColocarBitmapEmDeformacaoSenoidal(progress, 5, 0, source, destination);
    EXPECT_TRUE(SamePixels(destination, source));
    EXPECT_EQ(progress.highest, 8);

    // Amplitude 2: row 0 moves by sin(0) = 0 across and column 0 by cos(0) x 2 = 2 down; the bottom
    // rows of column 0 fall outside and turn black.
    ColocarBitmapEmDeformacaoSenoidal(progress, 1000, 2, source, destination);
    EXPECT_EQ(PixelOf(destination, 0, 0), PixelOf(source, 0, 2));
    EXPECT_EQ(PixelOf(destination, 0, 5), QColor(Qt::black));
}

TEST(BitmapEffects, ImpressionistStrokeFillsTheEllipseOfItsBox)
{
    // One stroke, one sample: the stroke takes the sampled colour (white outside) over the ellipse of
    // the box (cx - rx, cy - ry)-(cx + rx, cy + ry), which touches all four sides of the box.
    struct Case {
        int rx, ry;
        // Per row from cy - ry: the columns filled, relative to cx, [from, to).
        std::vector<std::pair<int, int>> rows;
    };
    const Case cases[] = {
        {1, 1, {{-1, 1}, {-1, 1}}},
        {3, 2, {{-2, 2}, {-3, 3}, {-3, 3}, {-2, 2}}},
    };
    for (const Case& c : cases) {
        for (std::uint64_t seed = 1; seed <= 12; ++seed) {
            const Bitmap original = NoisyBitmap(16, 14);
            RandomSource draws(seed);
            const int cx = draws.Random(16);
            const int cy = draws.Random(14);
            const int sy = cy - c.ry + draws.Random(2 * c.ry + 1);
            const int sx = cx - c.rx + draws.Random(2 * c.rx + 1);
            const bool inside = sx >= 0 && sx < 16 && sy >= 0 && sy < 14;
            const QColor colour = inside ? PixelOf(original, sx, sy) : QColor(Qt::white);

            Bitmap bitmap = original;
            RecordingProgress progress;
            RandomSource random(seed);
            ColocarBitmapEmPinturaImpressionista(progress, random, c.rx, c.ry, 1, 0, bitmap);
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 16; ++x) {
                    const int row = y - (cy - c.ry);
                    const bool filled = row >= 0 && row < int(c.rows.size()) && x - cx >= c.rows[row].first
                        && x - cx < c.rows[row].second;
                    ASSERT_EQ(PixelOf(bitmap, x, y), filled ? colour : PixelOf(original, x, y))
                        << c.rx << "x" << c.ry << " seed " << seed << " at " << x - cx << "," << y - cy;
                }
        }
    }
}

TEST(BitmapEffects, AbortStopsAfterTheStepAndKeepsTheStepByStepResult)
{
    // Columns: steps 0..5 done, the rest of the band as it was.
    const Bitmap original = SolidBitmap(300, 3, QColor(200, 200, 200));
    Bitmap bitmap = original;
    RecordingProgress progress;
    progress.abortAt = 4;
    ColocarBitmapEmPretoBranco(progress, 100, bitmap);
    EXPECT_EQ(progress.steps.back(), 4);
    for (int x = 0; x < 300; ++x)
        ASSERT_EQ(PixelOf(bitmap, x, 2), x <= 5 ? QColor(Qt::white) : QColor(200, 200, 200)) << x;

    // Rows, likewise.
    Bitmap rows = SolidBitmap(3, 100, QColor(100, 150, 200));
    ColocarBitmapEmSepia(progress, 20, rows);
    for (int y = 0; y < 100; ++y)
        ASSERT_EQ(PixelOf(rows, 1, y), y <= 5 ? QColor(190, 170, 150) : QColor(100, 150, 200)) << y;
}

TEST(BitmapEffects, AbortGivesTheVisiblePictureBack)
{
    using Run = std::function<void(RecordingProgress&, Bitmap&)>;
    RandomSource random(3);
    const Run runs[] = {
        [](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmSepia(p, 30, b); },
        [](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmSepia_Rapido_24Bits(p, 30, b); },
        [&](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmSpray(p, random, 4, b); },
        [](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmPretoBranco(p, 90, b); },
        [](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmDistribuicaoDePixels(p, b); },
        [&](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmPinturaImpressionista(p, random, 3, 3, 4, 20, b); },
        [](RecordingProgress& p, Bitmap& b) {
            const Bitmap source = NoisyBitmap(40, 30);
            ColocarBitmapEmDeformacaoSenoidal(p, 7, 3, source, b);
        },
        [](RecordingProgress& p, Bitmap& b) { ColocarBitmapEmAntiAliasing(p, 10, b); },
        [](RecordingProgress& p, Bitmap& b) { ColorCarBitmapEmAcentuacaoFiltroSharper(p, 30, b); },
        [](RecordingProgress& p, Bitmap& b) {
            MisturarDoisBitmapsRetornandoResultadoNoSegundo(p, 1, SolidBitmap(40, 30, Qt::white), b);
        },
        [](RecordingProgress& p, Bitmap& b) { EditarCanaisDeCorDeBitmap(p, 50, 150, 0, b); },
    };
    int index = 0;
    for (const Run& run : runs) {
        const Bitmap original = NoisyBitmap(40, 30, PixelFormat::Bits32);
        Bitmap bitmap = original;
        RecordingProgress progress;
        progress.visible = &bitmap;
        progress.abortAt = 3;
        run(progress, bitmap);
        EXPECT_EQ(progress.steps.back(), 3) << index;
        EXPECT_EQ(progress.offCount, 1) << index;
        EXPECT_TRUE(SamePixels(bitmap, original)) << index;
        ++index;
    }
}

TEST(BitmapEffects, EmptyBitmapsAreLeftAlone)
{
    Bitmap empty;
    RecordingProgress progress;
    RandomSource random(1);
    ColocarBitmapEmSepia(progress, 10, empty);
    ColocarBitmapEmSpray(progress, random, 3, empty);
    ColocarBitmapEmDistribuicaoDePixels(progress, empty);
    ColocarBitmapEmPinturaImpressionista(progress, random, 2, 2, 2, 2, empty);
    ColocarBitmapEmAntiAliasing(progress, 2, empty);
    ColorCarBitmapEmAcentuacaoFiltroSharper(progress, 2, empty);
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(progress.onCount, 0);
}

TEST(BitmapEffects, ExtremeArgumentsStayInsideThePicture)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    const Bitmap original = NoisyBitmap(7, 5, PixelFormat::Bits32);
    RecordingProgress progress;
    RandomSource random(2);
    Bitmap spray = original;
    ColocarBitmapEmSpray(progress, random, kMax, spray);
    Bitmap painted = original;
    ColocarBitmapEmPinturaImpressionista(progress, random, kMax, kMax, 50, 3, painted);
    // Every sample falls outside: the mean is white.
    EXPECT_EQ(PixelOf(painted, 3, 2), QColor(Qt::white));
    Bitmap warped;
    ColocarBitmapEmDeformacaoSenoidal(progress, 3, kMax, original, warped);
    EXPECT_EQ(PixelOf(warped, 0, 0), QColor(Qt::black));
    Bitmap channels = original;
    EditarCanaisDeCorDeBitmap(progress, kMax, std::numeric_limits<int>::min(), 100, channels);
    EXPECT_EQ(PixelOf(channels, 1, 1).red(), PixelOf(original, 1, 1).red() ? 255 : 0);
    EXPECT_EQ(PixelOf(channels, 1, 1).green(), 0);
    Bitmap sharp = original;
    ColorCarBitmapEmAcentuacaoFiltroSharper(progress, kMax, sharp);
    Bitmap smooth = original;
    ColocarBitmapEmAntiAliasing(progress, kMax, smooth);
}
