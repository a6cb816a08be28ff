// Exact filled ellipses and the overlay that leaves one colour of the source out.
#include <gtest/gtest.h>

#include "imaging/filled_ellipse.h"
#include "imaging/transparent_overlay.h"
#include "support/pixel_pictures.h"

#include <cstdint>

using namespace lumoria;
using namespace lumoria::platform;

namespace {

Bitmap Pattern(int w, int h, PixelFormat f, int salt)
{
    return test::MakeBitmap(w, h, [&](int x, int y) { return QColor((x * 7 + salt) % 200 + 20, (y * 5 + salt) % 200 + 20, salt); }, f);
}

// Pixel centre inside the inscribed ellipse, scaled by 2 to stay in integers.
bool InsideByDefinition(const Rect& r, int x, int y)
{
    const std::int64_t a = r.Right - r.Left, b = r.Bottom - r.Top;
    const std::int64_t ex = 2 * x + 1 - r.Left - r.Right, ey = 2 * y + 1 - r.Top - r.Bottom;
    return ex * ex * b * b + ey * ey * a * a <= a * a * b * b;
}

} // namespace

TEST(FilledEllipse, RowSpansMatchThePixelCentreRule)
{
    const Rect boxes[] = {{0, 0, 1, 1},   {0, 0, 2, 2},    {3, 4, 10, 9},   {-5, -7, 40, 13},
                          {0, 0, 65, 65}, {10, 2, 11, 50}, {0, 0, 400, 3}, {7, 7, 8, 8}};
    for (const Rect& r : boxes) {
        bool touchesLeft = false, touchesRight = false, touchesTop = false, touchesBottom = false;
        for (int y = r.Top - 2; y < r.Bottom + 2; ++y) {
            int a = 0, b = 0;
            const bool any = FaixaDaElipseNaLinha(r, y, &a, &b);
            for (int x = r.Left - 2; x < r.Right + 2; ++x) {
                const bool inside = any && x >= a && x < b;
                ASSERT_EQ(inside, InsideByDefinition(r, x, y)) << r.Left << "," << r.Top << " " << x << "," << y;
                if (inside) {
                    touchesLeft |= x == r.Left;
                    touchesRight |= x == r.Right - 1;
                    touchesTop |= y == r.Top;
                    touchesBottom |= y == r.Bottom - 1;
                }
            }
        }
        EXPECT_TRUE(touchesLeft && touchesRight && touchesTop && touchesBottom) << r.Left << "," << r.Top;
    }
}

TEST(FilledEllipse, PaintsOnlyInsideAndCutsAtTheEdges)
{
    for (PixelFormat f : {PixelFormat::Bits24, PixelFormat::Device}) {
        Bitmap b(20, 10, f);
        const Rect box{-6, 2, 14, 18};
        PreencherElipse(b, box, QColor(10, 20, 30));
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(b.Image().pixel(x, y) & 0xFFFFFF,
                          (InsideByDefinition(box, x, y) ? qRgb(10, 20, 30) : qRgb(255, 255, 255)) & 0xFFFFFF)
                    << x << "," << y;
    }
}

TEST(TransparentOverlay, NoKeyPixelsCopyTheSourceAndAllKeyPixelsChangeNothing)
{
    for (PixelFormat f : {PixelFormat::Bits24, PixelFormat::Device}) {
        const Bitmap base = Pattern(30, 20, f, 1);
        const Bitmap source = Pattern(12, 9, PixelFormat::Device, 90); // never pure black
        const QImage sourceBefore = source.Image().copy();

        Bitmap dest = base;
        DesenharBitmapTransparenteSobreOutro(dest.GetCanvas(), source, 5, 4, Qt::black);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x) {
                const bool covered = x >= 5 && x < 17 && y >= 4 && y < 13;
                const QRgb want = covered ? source.Image().pixel(x - 5, y - 4) : base.Image().pixel(x, y);
                ASSERT_EQ(dest.Image().pixel(x, y), want) << x << "," << y;
            }
        EXPECT_EQ(source.Image(), sourceBefore);

        Bitmap allKey(12, 9);
        PreencherElipse(allKey, Rect{-100, -100, 100, 100}, Qt::black);
        Bitmap untouched = base;
        DesenharBitmapTransparenteSobreOutro(untouched.GetCanvas(), allKey, 5, 4, Qt::black);
        EXPECT_EQ(untouched.Image(), base.Image());
    }
}

TEST(TransparentOverlay, KeyPixelsShowTheDestinationAndTheSourceIsCutAtTheEdges)
{
    const Bitmap base = Pattern(10, 8, PixelFormat::Bits24, 3);
    Bitmap source(6, 6); // white with a black middle column
    for (int y = 0; y < 6; ++y)
        reinterpret_cast<QRgb*>(source.ScanLine(y))[3] = qRgb(0, 0, 0);
    Bitmap dest = base;
    DesenharBitmapTransparenteSobreOutro(dest.GetCanvas(), source, -2, 5, Qt::black);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const int sx = x + 2, sy = y - 5;
            const bool covered = sx >= 0 && sx < 6 && sy >= 0 && sy < 6 && sx != 3;
            ASSERT_EQ(dest.Image().pixel(x, y) & 0xFFFFFF,
                      (covered ? qRgb(255, 255, 255) : base.Image().pixel(x, y)) & 0xFFFFFF)
                << x << "," << y;
        }
}
