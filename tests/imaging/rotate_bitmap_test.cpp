// Free rotation: exact quarter turns (also 270, -270 and 450), the sizes of other turns, a turn
// worked by hand through the fixed-point steps, the fill colour,
// and the small routines the rotating control uses (RotatePoints, MulDiv).
#include <gtest/gtest.h>

#include "imaging/rotate_bitmap.h"
#include "platform/failure.h"
#include "support/pixel_pictures.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

// Every pixel of its own colour.
Bitmap Distinct(int w, int h)
{
    return NoisyBitmap(w, h, PixelFormat::Bits32);
}

enum class Turn { None, Anticlockwise, Clockwise, Half };

// The expected quarter turn, by the meaning of the turn alone.
QColor Expected(const Bitmap& s, Turn turn, int x, int y)
{
    const int W = s.Width();
    const int H = s.Height();
    switch (turn) {
    case Turn::None: return PixelOf(s, x, y);
    case Turn::Anticlockwise: return PixelOf(s, W - 1 - y, x);
    case Turn::Clockwise: return PixelOf(s, y, H - 1 - x);
    case Turn::Half: return PixelOf(s, W - 1 - x, H - 1 - y);
    }
    return {};
}

} // namespace

struct QuarterCase {
    long double angle;
    Turn turn;
};

class RotateBitmapQuarter : public ::testing::TestWithParam<QuarterCase> {};

TEST_P(RotateBitmapQuarter, IsAnExactPermutationWithoutBackground)
{
    for (QSize size : {QSize(4, 2), QSize(5, 3), QSize(6, 4), QSize(37, 23)}) {
        const Bitmap s = Distinct(size.width(), size.height());
        const Bitmap r = RotateBitmap(s, 0x000000FF, GetParam().angle);
        const bool swapped = GetParam().turn == Turn::Anticlockwise || GetParam().turn == Turn::Clockwise;
        ASSERT_EQ(r.Width(), swapped ? s.Height() : s.Width());
        ASSERT_EQ(r.Height(), swapped ? s.Width() : s.Height());
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                ASSERT_EQ(PixelOf(r, x, y), Expected(s, GetParam().turn, x, y))
                    << double(GetParam().angle) << " " << size.width() << "x" << size.height() << " at " << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, RotateBitmapQuarter,
                         ::testing::Values(QuarterCase{0, Turn::None}, QuarterCase{360, Turn::None},
                                           QuarterCase{90, Turn::Anticlockwise}, QuarterCase{-90, Turn::Clockwise},
                                           QuarterCase{180, Turn::Half}, QuarterCase{270, Turn::Clockwise},
                                           QuarterCase{-270, Turn::Anticlockwise}, QuarterCase{450, Turn::Anticlockwise},
                                           QuarterCase{-450, Turn::Clockwise}));

TEST(RotateBitmap, OtherAnglesGiveTheBoundingBoxWithFilledCorners)
{
    struct Case {
        QSize source;
        long double angle;
        QSize expected;
    };
    for (const Case& c : {Case{{100, 100}, 45, {141, 141}}, Case{{100, 100}, -45, {141, 141}},
                          Case{{4, 2}, 45, {4, 4}}, Case{{200, 100}, 30, {223, 186}}, Case{{200, 100}, 390, {223, 186}}}) {
        const Bitmap r = RotateBitmap(Distinct(c.source.width(), c.source.height()), 0x0000FF00, c.angle);
        EXPECT_EQ(QSize(r.Width(), r.Height()), c.expected) << double(c.angle);
        // Corners of a turned picture lie outside it: they take the fill colour.
        EXPECT_EQ(PixelOf(r, 0, 0), QColor(0, 255, 0));
        EXPECT_EQ(PixelOf(r, r.Width() - 1, r.Height() - 1), QColor(0, 255, 0));
    }
}

TEST(RotateBitmap, FortyFiveDegreesTakeTheFixedPointStepsFromTheTopRight)
{
    // 4 x 2 at 45: C = 46340, S = -46340, a 4 x 4 result, centres (2, 2) and (2, 1). Screen pixel
    // (x, y) is xx = x - 1, yy = 2 - y; sx = floor(0.7071 (xx + yy)) + 2, bottom-up sy =
    // floor(0.7071 (yy - xx)) + 1, which is screen row 1 - sy. The top row turns up to the right.
    const QPoint o(-1, -1); // the fill colour
    const QPoint expected[4][4] = {{o, o, o, o},
                                   {o, {2, 0}, {3, 0}, o},
                                   {{1, 0}, {2, 0}, {2, 1}, o},
                                   {{0, 0}, {1, 1}, o, o}};
    const Bitmap s = Distinct(4, 2);
    const Bitmap r = RotateBitmap(s, colorRef(1, 2, 3), 45);
    ASSERT_EQ(QSize(r.Width(), r.Height()), QSize(4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const QPoint p = expected[y][x];
            EXPECT_EQ(PixelOf(r, x, y), p == o ? QColor(1, 2, 3) : PixelOf(s, p.x(), p.y())) << x << "," << y;
        }
}

TEST(RotateBitmap, ReadsTwentyFourBitSourcesAndGivesThirtyTwoBits)
{
    Bitmap s = Distinct(6, 4);
    s.SetPixelFormat(PixelFormat::Bits24);
    const Bitmap r = RotateBitmap(s, 0, 180);
    EXPECT_EQ(r.Format(), PixelFormat::Bits32);
    EXPECT_EQ(PixelOf(r, 0, 0), PixelOf(Distinct(6, 4), 5, 3));
}

TEST(RotateBitmap, TurnsPicturesBeyondSixteenBitSidesAndRefusesWhatCannotBeHeld)
{
    QImage strip(40000, 2, QImage::Format_RGB32);
    strip.fill(qRgb(0, 0, 255));
    strip.setPixel(39999, 0, qRgb(255, 0, 0));
    Bitmap s;
    s.SetImage(strip, PixelFormat::Bits32);
    const Bitmap r = RotateBitmap(s, 0, 90);
    ASSERT_EQ(QSize(r.Width(), r.Height()), QSize(2, 40000));
    EXPECT_EQ(PixelOf(r, 0, 0), QColor(255, 0, 0)); // the top-right corner comes to the top-left
    EXPECT_EQ(PixelOf(r, 1, 39999), QColor(0, 0, 255));
    // At 45 degrees a 100 x 65000 picture would need some 2100 megapixels.
    Bitmap tall;
    tall.SetImage(QImage(100, 65000, QImage::Format_RGB32), PixelFormat::Bits32);
    EXPECT_THROW(RotateBitmap(tall, 0, 45), OutOfMemory);
}

TEST(RotateBitmap, AnglesWithinOneTurnKeepTheirSign)
{
    EXPECT_EQ(AnguloDentroDeUmaVolta(450), 90);
    EXPECT_EQ(AnguloDentroDeUmaVolta(-450), -90);
    EXPECT_EQ(AnguloDentroDeUmaVolta(360), 0);
    EXPECT_EQ(AnguloDentroDeUmaVolta(270), -90);
    EXPECT_EQ(AnguloDentroDeUmaVolta(-270), 90);
    EXPECT_EQ(AnguloDentroDeUmaVolta(-30), -30);
}

TEST(RotatePoints, ScalesAndOffsetsRoundingHalvesToEven)
{
    Point p[3] = {{1, 2}, {1, 1}, {3, 5}};
    RotatePoints(p, 1, 2.5f, 0, 0, 0.5f, 0, 0.5f);
    EXPECT_EQ(p[0], (Point{2, 2}));  // 2.5 -> 2, 1.5 -> 2
    EXPECT_EQ(p[1], (Point{2, 1}));  // 2.5 -> 2, 1.0
    EXPECT_EQ(p[2], (Point{3, 5}));  // beyond the last index: untouched
}

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 3, 4), 5);
    EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000); // a 64-bit product
}
