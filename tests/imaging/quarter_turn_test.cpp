// The quarter-turn routines: the pixel mapping, the sizes of the screen routine, the formats of the
// printer routine, and the strip variant giving the same picture.
#include <gtest/gtest.h>

#include "imaging/quarter_turn.h"
#include "platform/graphics/picture.h"
#include "support/picture_files.h"
#include "support/pixel_pictures.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

// Every pixel different: red from x, green from y, blue from the 256-pixel block.
Bitmap RampBitmap(int w, int h, PixelFormat f = PixelFormat::Bits24)
{
    return MakeBitmap(w, h, [](int x, int y) { return QColor(x % 256, y % 256, (x / 256 + 7 * (y / 256)) % 256); }, f);
}

} // namespace

TEST(QuarterTurn, FullSizeMapsEveryPixelAnticlockwise)
{
    const Bitmap source = RampBitmap(7, 5);
    Bitmap turned = source;
    RotacionarBitmapNoventaGraus(turned);
    ASSERT_EQ(turned.Width(), 5);
    ASSERT_EQ(turned.Height(), 7);
    EXPECT_EQ(turned.Format(), PixelFormat::Bits24);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(turned.Image().pixel(x, y), source.Image().pixel(7 - 1 - y, x)) << x << "," << y;
    // The top-right pixel lands top-left and the top-left one bottom-left.
    EXPECT_EQ(turned.Image().pixel(0, 0), source.Image().pixel(6, 0));
    EXPECT_EQ(turned.Image().pixel(0, 6), source.Image().pixel(0, 0));

    // Four turns give the starting pixels back.
    Bitmap four = source;
    for (int i = 0; i < 4; ++i)
        RotacionarBitmapNoventaGraus(four);
    EXPECT_EQ(four.Image(), source.Image());

    // A column becomes a row, its top pixel at the left end.
    Bitmap column = RampBitmap(1, 9);
    RotacionarBitmapNoventaGraus(column);
    EXPECT_EQ(column.Width(), 9);
    EXPECT_EQ(column.Height(), 1);
    EXPECT_EQ(column.Image().pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(column.Image().pixel(8, 0), qRgb(0, 8, 0));
}

TEST(QuarterTurn, PrinterRoutineEndsAt24BitsWithTheSameColours)
{
    // A 32-bit bitmap and a palette bitmap.
    for (PixelFormat f : {PixelFormat::Bits32, PixelFormat::Bits8}) {
        Picture picture;
        auto b = std::make_unique<Bitmap>();
        b->SetImage(QuadrantsImage(8, 6, Qt::red, Qt::green, Qt::blue, Qt::yellow), f);
        picture.SetGraphic(std::move(b));
        RotacionarPictureNoventaGrausAntiHorario_LarguraNaoLimitada(picture);
        const Bitmap& r = picture.GetBitmap();
        EXPECT_EQ(r.Format(), PixelFormat::Bits24);
        EXPECT_EQ(r.Width(), 6);
        EXPECT_EQ(r.Height(), 8);
        EXPECT_EQ(r.Image().pixelColor(1, 1), QColor(Qt::green)); // the top-right quadrant
        EXPECT_EQ(r.Image().pixelColor(1, 6), QColor(Qt::red));
        EXPECT_EQ(r.Image().pixelColor(4, 6), QColor(Qt::blue));
    }
    // A grey JPEG, decoded to 8 bits, comes out 24-bit and grey.
    Picture grey;
    grey.LoadFromFile(WriteJpeg(QStringLiteral("grey.jpg"), SolidImage(16, 8, QColor(77, 77, 77)), 95, true));
    RotacionarPictureNoventaGrausAntiHorario_LarguraNaoLimitada(grey);
    EXPECT_EQ(grey.GetBitmap().Format(), PixelFormat::Bits24);
    EXPECT_EQ(grey.GetBitmap().Width(), 8);
    EXPECT_TRUE(Near(grey.GetBitmap().Image().pixelColor(3, 3), QColor(77, 77, 77), 2));
}

TEST(QuarterTurn, ScreenRoutineReducesWidePicturesAndEndsWithADisplayBitmap)
{
    struct Case {
        QSize in, out;
    };
    // 6400 x 4801: 3200 x 2400.5, rounded to even, then turned.
    for (const Case& c : {Case{{300, 200}, {200, 300}}, Case{{6400, 4801}, {2400, 3200}}, Case{{2000, 2000}, {2000, 2000}}}) {
        SCOPED_TRACE(c.in.width());
        // Only the small picture's pixels are checked (a ramp of 30 megapixels takes long to make).
        const bool small = c.in.width() == 300;
        Picture p;
        p.SetGraphic(std::make_unique<Bitmap>(small ? RampBitmap(300, 200) : Bitmap(c.in.width(), c.in.height(), PixelFormat::Bits24)));
        RotacionarPictureNoventaGrausAntiHorario_LarguraLimitadaCertaQuantidadeDePixels(p);
        EXPECT_EQ(QSize(p.Width(), p.Height()), c.out);
        EXPECT_EQ(p.GetBitmap().Format(), PixelFormat::Device);
        if (small)
            EXPECT_EQ(PixelOf(p.GetBitmap(), 0, 0), QColor(299 % 256, 0, 1));
    }
}

TEST(QuarterTurn, PrimitiveKeepsTheDestinationsFormatAndLeavesTheSourceAlone)
{
    const Bitmap source = RampBitmap(2001, 10);
    Bitmap destination(1, 1, PixelFormat::Bits32);
    EXPECT_TRUE(RotacionarBitmapNoventaGrausAntiHorarioUsandoAPIDoWindowsFuncaoPLGBLT(source, destination));
    EXPECT_EQ(destination.Format(), PixelFormat::Bits32);
    EXPECT_EQ(destination.Width(), 10);
    EXPECT_EQ(destination.Height(), 2001);
    EXPECT_EQ(destination.Image().pixel(3, 0), source.Image().pixel(2000, 3));
    EXPECT_EQ(source.Width(), 2001);
}

TEST(QuarterTurn, StripVariantGivesTheFullTurn)
{
    // 2500 columns: one whole strip and one partial, clipped at the result's top edge.
    const Bitmap source = RampBitmap(2500, 6);
    Picture strips;
    strips.SetGraphic(std::make_unique<Bitmap>(source));
    RotacionarPictureNoventaGrausAntiHorario_FatiandoOsBitmapsGigantes(strips);
    Bitmap full = source;
    RotacionarBitmapNoventaGraus(full);
    ASSERT_EQ(strips.Width(), 6);
    ASSERT_EQ(strips.Height(), 2500);
    const QImage a = strips.GetBitmap().Image().convertToFormat(QImage::Format_RGB32);
    const QImage b = full.Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(a, b);
}

TEST(QuarterTurn, JpegPictureTurnsOnBothPaths)
{
    const QString path = WriteJpeg(QStringLiteral("landscape.jpg"),
                                         HalvesImage(120, 80, QColor(200, 20, 20), QColor(20, 20, 200)));
    for (bool screen : {true, false}) {
        Picture p;
        p.LoadFromFile(path);
        if (screen)
            RotacionarPictureNoventaGrausAntiHorario_LarguraLimitadaCertaQuantidadeDePixels(p);
        else
            RotacionarPictureNoventaGrausAntiHorario_LarguraNaoLimitada(p);
        ASSERT_EQ(p.GetGraphic()->Kind(), GraphicKind::Bitmap);
        EXPECT_EQ(p.Width(), 80);
        EXPECT_EQ(p.Height(), 120);
        // The right half (blue) is now on top.
        EXPECT_TRUE(Near(p.GetBitmap().Image().pixelColor(40, 20), QColor(20, 20, 200), 16));
        EXPECT_TRUE(Near(p.GetBitmap().Image().pixelColor(40, 100), QColor(200, 20, 20), 16));
    }
}
