// The rotating picture control: where its turned bitmap is drawn, the colour of the corners, and
// when it renders again.
#include <gtest/gtest.h>

#include "editing/angle_image.h"
#include "platform/graphics/picture.h"
#include "support/imaging_bitmaps.h"
#include "support/picture_files.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

// Blue, 40 x 20, with its own bottom-left pixel.
Bitmap WithBottomLeft(QRgb bottomLeft)
{
    return MakeBitmap(40, 20, [&](int x, int y) { return x == 0 && y == 19 ? QColor(bottomLeft) : QColor(Qt::blue); },
                      PixelFormat::Bits32);
}

} // namespace

TEST(CalcDestRect, PlacesTheTurnedBitmapAsTheOptionsSay)
{
    struct Case {
        DestRectOptions o;
        int diagonal;
        QSize rotated, client;
        Rect expected;
    };
    const Case cases[] = {
        // Larger than the client: scaled down in proportion, then centred.
        {{false, false, true, false}, 0, {200, 100}, {100, 100}, {0, 0, 100, 50}},
        {{true, false, true, false}, 0, {200, 100}, {100, 100}, {0, 25, 100, 75}},
        // Smaller with Proportional alone: its own size.
        {{true, false, true, false}, 0, {40, 20}, {100, 100}, {30, 40, 70, 60}},
        // Stretch without Proportional: the whole client.
        {{false, true, false, false}, 0, {40, 20}, {100, 80}, {0, 0, 100, 80}},
        // Stretch with Proportional: the height limits.
        {{false, true, true, false}, 0, {40, 20}, {100, 20}, {0, 0, 40, 20}},
        // UniqueSize: the diagonal square, the turned picture centred in it.
        {{false, false, false, true}, 50, {30, 40}, {100, 100}, {10, 5, 40, 45}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CalcDestRect(c.o, c.diagonal, c.rotated, c.client), c.expected)
            << c.rotated.width() << "x" << c.rotated.height() << " in " << c.client.width() << "x" << c.client.height();
}

TEST(AngleImage, CornersTakeTheBottomLeftPixelOrWhiteForOneBitOrTheFixedOrTheControlColour)
{
    // Black all over but a white mark near the top right; the bottom-left pixel is black.
    QImage mono(40, 20, QImage::Format_RGB32);
    mono.fill(Qt::black);
    mono.setPixel(35, 2, qRgb(255, 255, 255));
    auto bmp = [&](int bits) {
        const QString path = WriteBmp(QStringLiteral("mono%1.bmp").arg(bits), mono, bits);
        return [path](TAngleImage& c) { c.Picture().LoadFromFile(path); c.RebuildImage(); };
    };
    const QString jpeg = WriteJpeg(QStringLiteral("angle.jpg"), SolidImage(60, 40, Qt::blue));
    struct Case {
        const char* name;
        std::function<void(TAngleImage&)> load;
        ColorRef colour, fixed;
        bool fixedFirst; // fixed before the turn, or after it (the corners render again)
        int angle;
        QColor corner, centre;
        int diagonal;
    };
    const Case cases[] = {
        {"bottom-left red", [](TAngleImage& c) { c.SetGraphic(WithBottomLeft(qRgb(255, 0, 0))); }, clNone, clNone, false,
         30, QColor(255, 0, 0), Qt::blue, 45},
        {"bottom-left red, white fixed", [](TAngleImage& c) { c.SetGraphic(WithBottomLeft(qRgb(255, 0, 0))); }, clNone,
         0x00FFFFFF, false, 30, QColor(255, 255, 255), Qt::blue, 45},
        {"1-bit", bmp(1), clNone, clNone, false, 30, QColor(255, 255, 255), Qt::black, 45},
        {"24-bit", bmp(24), clNone, clNone, false, 30, QColor(0, 0, 0), Qt::black, 45},
        {"1-bit, red fixed", bmp(1), clNone, colorRef(255, 0, 0), true, 30, QColor(255, 0, 0), Qt::black, 45},
        // Round(sqrt(60² + 40²)) = Round(72.11); Round(sqrt(40² + 20²)) = Round(44.72).
        {"JPEG, white control", [&](TAngleImage& c) { c.Picture().LoadFromFile(jpeg); c.RebuildImage(); }, 0x00FFFFFF,
         clNone, false, 45, QColor(255, 255, 255), Qt::blue, 72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TAngleImage control;
        if (c.colour != clNone)
            control.SetColor(c.colour);
        c.load(control);
        if (c.fixed != clNone && c.fixedFirst)
            control.SetTransparentColor(c.fixed);
        control.SetAngle(c.angle);
        if (c.fixed != clNone && !c.fixedFirst)
            control.SetTransparentColor(c.fixed);
        const QImage& r = control.RotatedBitmap().Image();
        EXPECT_EQ(QColor(r.pixel(0, 0)), c.corner);
        EXPECT_EQ(QColor(r.pixel(r.width() - 1, r.height() - 1)), c.corner);
        EXPECT_TRUE(Near(QColor(r.pixel(r.width() / 2, r.height() / 2)), c.centre));
        EXPECT_EQ(control.Diagonal(), c.diagonal);
        EXPECT_EQ(control.Angle(), c.angle);
    }
}

TEST(AngleImage, RendersOncePerChangeOfAngleOrPicture)
{
    TAngleImage control;
    EXPECT_EQ(control.RotatedBitmap().Width(), 0);
    control.SetAngle(10); // no picture: nothing to render
    EXPECT_EQ(control.RenderCount(), 0);
    control.SetGraphic(WithBottomLeft(qRgb(1, 2, 3)));
    EXPECT_EQ(control.RenderCount(), 1);
    control.SetAngle(10);
    EXPECT_EQ(control.RenderCount(), 1);
    control.SetAngle(90);
    EXPECT_EQ(control.RenderCount(), 2);
    EXPECT_EQ(QSize(control.RotatedBitmap().Width(), control.RotatedBitmap().Height()), QSize(20, 40));
    control.SetCenter(true);
    control.SetStretch(true);
    control.resize(300, 300);
    EXPECT_EQ(control.RenderCount(), 2);
}

TEST(AngleImage, KeepsItsOwnCopyOfThePicture)
{
    TAngleImage control;
    {
        Picture picture;
        picture.SetGraphic(std::make_unique<Bitmap>(WithBottomLeft(qRgb(9, 9, 9))));
        control.SetPicture(picture);
    }
    control.SetAngle(180);
    EXPECT_EQ(PixelOf(control.RotatedBitmap(), 39, 0), QColor(9, 9, 9));
}

TEST(AngleImage, AutoSizeWithUniqueSizeKeepsTheDiagonalSquare)
{
    TAngleImage control;
    control.SetAutoSize(true);
    control.SetGraphic(WithBottomLeft(qRgb(1, 2, 3)));
    EXPECT_EQ(control.size(), QSize(45, 45)); // Round(sqrt(40² + 20²)) = Round(44.72)
    control.SetAngle(37);
    EXPECT_EQ(control.size(), QSize(45, 45));
}

TEST(AngleImage, OutlineFollowsThePixelsInTheParentsCoordinates)
{
    QWidget parent;
    TAngleImage control(&parent);
    control.SetUniqueSize(false);
    control.SetGraphic(WithBottomLeft(qRgb(1, 2, 3))); // 40 x 20
    control.setGeometry(10, 20, 40, 20);
    EXPECT_EQ(control.GetRotatedRegion(), QPolygon({QPoint(10, 20), QPoint(50, 20), QPoint(50, 40), QPoint(10, 40)}));
    control.SetAngle(90);
    control.setGeometry(10, 20, 20, 40);
    // The source's top-left corner goes to the bottom-left, its top-right corner to the top-left.
    EXPECT_EQ(control.GetRotatedRegion(), QPolygon({QPoint(10, 60), QPoint(10, 20), QPoint(30, 20), QPoint(30, 60)}));
    control.SetAngle(180);
    control.SetStretch(true);
    control.setGeometry(0, 0, 80, 40); // drawn at twice its size
    EXPECT_EQ(control.GetRotatedRegion(), QPolygon({QPoint(80, 40), QPoint(0, 40), QPoint(0, 0), QPoint(80, 0)}));
}

TEST(AngleImage, AnIconIsDrawnSeeThroughWhereItHasNoPixels)
{
    // Left half see-through, right half blue.
    QImage icone(16, 16, QImage::Format_ARGB32);
    icone.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            icone.setPixel(x, y, qRgb(0, 0, 255));
    const QString path = TempPath(QStringLiteral("angle.ico"));
    WriteBytes(path, IcoBytes(icone));
    QWidget fundo;
    fundo.resize(60, 60);
    QPalette p = fundo.palette();
    p.setColor(QPalette::Window, Qt::red);
    fundo.setPalette(p);
    fundo.setAutoFillBackground(true);
    auto* control = new TAngleImage(&fundo);
    control->setGeometry(0, 0, 40, 40);
    control->SetUniqueSize(false);
    control->SetColor(0x00FFFFFF);
    control->Picture().LoadFromFile(path);
    control->RebuildImage();
    ASSERT_FALSE(control->Transparent());
    const QImage visto = fundo.grab().toImage();
    EXPECT_EQ(QColor(visto.pixel(12, 8)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(visto.pixel(3, 8)), QColor(255, 0, 0));
}
