// The disc label's geometry and mask: the disc and hole for the slider positions, which pixels keep
// the photo, and masks that never build on one another.
#include <gtest/gtest.h>

#include "editing/cover/disc_cover.h"
#include "support/imaging_bitmaps.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

// A photo with no white pixel, different at every place of interest.
Bitmap Photo(int w, int h)
{
    return MakeBitmap(w, h, [](int x, int y) { return QColor(x % 251, y % 241, 100); }, PixelFormat::Device);
}

constexpr QRgb kWhite = 0xFFFFFFFF;

} // namespace

TEST(DiscCover, GeometryForSizesAndSliders)
{
    struct Case {
        int w, h, percent, a, b;
        Rect disc, hole;
    };
    const Case cases[] = {
        {3200, 2400, 100, 0, 0, {400, 0, 2800, 2400}, {1275, 875, 1925, 1525}},
        // 65 wide: (3200 - 65) / 2 = 1567.5 goes to the even 1568.
        {3200, 2400, 10, 0, 0, {1480, 1080, 1720, 1320}, {1568, 1168, 1633, 1233}},
        // (3201 - 2400) / 2 = 400.5 goes to the even 400.
        {3201, 2400, 100, 0, 0, {400, 0, 2800, 2400}, {1276, 875, 1926, 1525}},
        {3200, 2400, 100, 160, 0, {2000, 0, 4400, 2400}, {2875, 875, 3525, 1525}},
        {3200, 2400, 100, -3, 7, {370, 70, 2770, 2470}, {1245, 945, 1895, 1595}},
        {1000, 3000, 50, 0, -120, {250, 50, 750, 550}, {432, 232, 567, 367}},
        // The hole of d x 13 / 48: 2.71 rounds up to 3 (not truncated to 2); (100 - 3) / 2 = 48.5 to 48.
        {100, 100, 10, 0, 0, {45, 45, 55, 55}, {48, 48, 51, 51}},
        // 6.5 goes to the even 6 (not 7), 19.5 to the even 20 (not 19).
        {100, 100, 24, 0, 0, {38, 38, 62, 62}, {47, 47, 53, 53}},
        {100, 100, 72, 0, 0, {14, 14, 86, 86}, {40, 40, 60, 60}},
        // The disc: 49.5 goes to the even 50 (not 49), 52.5 to the even 52 (not 53).
        {150, 150, 33, 0, 0, {50, 50, 100, 100}, {68, 68, 82, 82}},
        {150, 150, 35, 0, 0, {49, 49, 101, 101}, {68, 68, 82, 82}},
    };
    for (const Case& c : cases) {
        const GeometriaDaCapaDeCD g = CalcularGeometriaDaCapaDeCD(c.w, c.h, c.percent, c.a, c.b);
        EXPECT_EQ(g.disco, c.disc) << c.w << "x" << c.h << " " << c.percent << " " << c.a << "," << c.b;
        EXPECT_EQ(g.furo, c.hole) << c.w << "x" << c.h << " " << c.percent << " " << c.a << "," << c.b;
    }
}

TEST(DiscCover, OffsetLimitIsHalfTheSideInSteps)
{
    EXPECT_EQ(LimiteDoDeslocamento(3200), 160);
    EXPECT_EQ(LimiteDoDeslocamento(2400), 120);
    EXPECT_EQ(LimiteDoDeslocamento(25), 1);  // 1.25
    EXPECT_EQ(LimiteDoDeslocamento(30), 2);  // 1.5 goes to the even 2
    EXPECT_EQ(LimiteDoDeslocamento(50), 2);  // 2.5 goes to the even 2
}

TEST(DiscCover, MaskKeepsTheRingAndWhitensOutsideTheDiscAndTheHole)
{
    const Bitmap photo = Photo(3200, 2400);
    struct Probe {
        int x, y;
        bool keeps;
    };
    struct Case {
        const char* name;
        int percent, a, b;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        // The disc touches x = 400 and 2799 on its middle rows and y = 0 and 2399 on its middle columns;
        // the hole spans 1275..1924 and 875..1524.
        {"100 %", 100, 0, 0, {{0, 0, false},       {399, 1199, false},  {400, 1199, true},   {2799, 1200, true},
                              {2800, 1200, false}, {1599, 0, true},     {1600, 2399, true},  {500, 300, false},
                              {3199, 2399, false}, {1000, 1200, true},  {1274, 1199, true},  {1275, 1199, false},
                              {1924, 1200, false}, {1925, 1200, true},  {1600, 874, true},   {1600, 875, false},
                              {1599, 1524, false}, {1599, 1525, true},  {1600, 1200, false}, {2200, 600, true}}},
        // Disc 1480..1719 x 1080..1319, hole 1568..1632 x 1168..1232.
        {"10 %", 10, 0, 0, {{1479, 1199, false}, {1480, 1199, true},  {1719, 1200, true},  {1720, 1200, false},
                            {1600, 1079, false}, {1600, 1080, true},  {1567, 1200, true},  {1568, 1200, false},
                            {1632, 1200, false}, {1633, 1200, true},  {1600, 1320, false}, {1600, 1319, true},
                            {400, 1200, false},  {1500, 1100, false}, {1520, 1200, true}}},
        // The centre on the right edge: the disc is cut there, the hole too.
        {"offset 160", 100, 160, 0, {{1999, 1199, false}, {2000, 1199, true}, {2874, 1199, true}, {2875, 1199, false},
                                     {3199, 1199, false}, {3199, 300, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap masked = photo;
        AplicarCapaDeCDEmBitmap(masked, c.percent, c.a, c.b);
        ASSERT_EQ(QSize(masked.Width(), masked.Height()), QSize(3200, 2400));
        for (const Probe& p : c.probes)
            EXPECT_EQ(masked.Image().pixel(p.x, p.y), p.keeps ? photo.Image().pixel(p.x, p.y) : kWhite) << p.x << "," << p.y;
        // Masking again changes nothing.
        Bitmap twice = masked;
        AplicarCapaDeCDEmBitmap(twice, c.percent, c.a, c.b);
        EXPECT_EQ(twice.Image(), masked.Image());
    }
}

TEST(DiscCover, TwentyFourBitPhotoGetsTheSameMask)
{
    const Bitmap photo32 = Photo(321, 200);
    Bitmap photo24 = photo32;
    photo24.SetPixelFormat(PixelFormat::Bits24);
    Bitmap a = photo32, b = photo24;
    AplicarCapaDeCDEmBitmap(a, 70, 2, -1);
    AplicarCapaDeCDEmBitmap(b, 70, 2, -1);
    EXPECT_EQ(b.Format(), PixelFormat::Bits24);
    EXPECT_EQ(b.Image().convertToFormat(QImage::Format_RGB32), a.Image());
}
