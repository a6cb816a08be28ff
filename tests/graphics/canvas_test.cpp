// The canvas's pixel rules (rectangles without their right and bottom edge, lines without their end
// point, wide pens centred), stretched drawing and copies, and the resampling behind them.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/image_rotation.h"
#include "platform/graphics/image_scaling.h"
#include "support/draw_support.h"
#include "support/picture_files.h"

#include <QPainter>

using namespace lumoria;
using namespace lumoria::platform;
using lumoria::test::ExpectPixels;
using lumoria::test::MaxDifference;


TEST(Canvas, RectangleLeavesOutItsRightAndBottomEdge)
{
    Bitmap b(20, 20);
    Canvas& c = b.GetCanvas();
    c.brush.color = Qt::blue;
    c.pen.color = Qt::black;
    c.Rectangle(2, 3, 8, 9);
    // Outlined on the first column and row and on the last ones inside, filled with the brush; the
    // right and bottom edges left out.
    ExpectPixels(b.Image(), {{{2, 3}, Qt::black}, {{7, 8}, Qt::black}, {{5, 5}, Qt::blue}, {{8, 5}, Qt::white}, {{5, 9}, Qt::white}});

    // A clear brush outlines only; a white pen and brush cover exactly the rectangle.
    c.brush.style = BrushStyle::Clear;
    c.pen.color = Qt::red;
    c.Rectangle(10, 10, 15, 15);
    ExpectPixels(b.Image(), {{{10, 12}, Qt::red}, {{12, 12}, Qt::white}});
    EXPECT_EQ(c.ClipRect(), (Rect{0, 0, 20, 20}));
}

TEST(Canvas, LinesLeaveOutTheirEndPointAndWidePensAreCentred)
{
    Bitmap b(30, 30);
    Canvas& c = b.GetCanvas();
    c.pen.color = Qt::black;
    c.MoveTo(2, 2);
    c.LineTo(10, 2);
    ExpectPixels(b.Image(), {{{2, 2}, Qt::black}, {{9, 2}, Qt::black}, {{10, 2}, Qt::white}});
    EXPECT_EQ(c.PenPos(), (Point{10, 2}));

    c.pen.width = 3;
    c.pen.color = Qt::red;
    c.MoveTo(20, 5);
    c.LineTo(20, 15);
    ExpectPixels(b.Image(), {{{19, 10}, Qt::red}, {{20, 10}, Qt::red}, {{21, 10}, Qt::red}, {{18, 10}, Qt::white}, {{22, 10}, Qt::white},
                             {{20, 5}, Qt::red}, {{20, 14}, Qt::red}, {{20, 15}, Qt::white}});
}

TEST(Canvas, StretchDrawAndCopyRectPlaceThePartsOfAPicture)
{
    const QImage quadrants = test::QuadrantsImage(40, 40, Qt::red, Qt::green, Qt::blue, Qt::yellow);
    Bitmap source;
    source.SetImage(quadrants, PixelFormat::Bits24);

    Bitmap target(100, 100);
    target.GetCanvas().StretchDraw(Rect{10, 10, 90, 90}, source);
    ExpectPixels(target.Image(), {{{20, 20}, Qt::red}, {{80, 20}, Qt::green}, {{20, 80}, Qt::blue}, {{80, 80}, Qt::yellow},
                                  {{9, 50}, Qt::white}, {{90, 50}, Qt::white}, {{89, 89}, Qt::yellow}});

    // The right half of the source into a whole rectangle.
    Bitmap copy(50, 50);
    copy.GetCanvas().CopyRect(Rect{0, 0, 50, 50}, source.GetCanvas(), Rect{20, 0, 40, 40});
    ExpectPixels(copy.Image(), {{{25, 10}, Qt::green}, {{25, 40}, Qt::yellow}});

    // A source reaching past the picture copies only what lies inside, where it belongs.
    Bitmap past(40, 40);
    past.GetCanvas().CopyRect(Rect{0, 0, 40, 40}, source.GetCanvas(), Rect{20, 0, 60, 40});
    ExpectPixels(past.Image(), {{{10, 10}, Qt::green}, {{30, 10}, Qt::white}});

    // Empty or turned-over rectangles draw nothing.
    Bitmap none(10, 10);
    none.GetCanvas().StretchDraw(Rect{5, 5, 5, 9}, source);
    none.GetCanvas().StretchDraw(Rect{8, 8, 2, 2}, source);
    EXPECT_EQ(MaxDifference(none.Image(), Bitmap(10, 10).Image()), 0);
}

TEST(Canvas, PrinterStyleCanvasOverAPainter)
{
    QImage page(60, 40, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    Canvas c(painter, Rect{0, 0, 50, 30}, true);
    EXPECT_EQ(c.OwnerBitmap(), nullptr);
    c.brush.color = Qt::black;
    c.FillRect(Rect{0, 0, 5, 5});
    painter.end();
    ExpectPixels(page, {{{4, 4}, Qt::black}, {{5, 5}, Qt::white}});
}

TEST(Bitmap, SizeFormatsAndDrawingOnAPaletteBitmap)
{
    Bitmap b(4, 3, PixelFormat::Bits24);
    EXPECT_GE(b.BytesPerLine(), 12);
    b.ScanLine(0)[0] = 10; // blue of the top-left pixel
    b.SetSize(6, 5);       // keeps the top-left pixels; new ones white
    EXPECT_EQ(b.ScanLine(0)[0], 10);
    ExpectPixels(b.Image(), {{{5, 4}, Qt::white}});
    b.SetPixelFormat(PixelFormat::Bits32);
    EXPECT_EQ(b.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(b.Image().pixelColor(0, 0).blue(), 10);

    Bitmap palette;
    palette.LoadFromData(test::BmpBytes(test::SolidImage(4, 4, Qt::green), 8));
    EXPECT_EQ(palette.Format(), PixelFormat::Bits8);
    palette.GetCanvas().brush.color = Qt::red;
    palette.GetCanvas().FillRect(Rect{0, 0, 2, 2});
    EXPECT_EQ(palette.Format(), PixelFormat::Bits24);
    ExpectPixels(palette.Image(), {{{0, 0}, Qt::red}, {{3, 3}, Qt::green}});

    b.SetSize(0, 7);
    EXPECT_TRUE(b.Empty());
    b.GetCanvas().FillRect(Rect{0, 0, 5, 5}); // nothing to draw on, nothing happens
}

TEST(Scaling, ShrinkingAveragesEveryPixelAndEnlargingBlends)
{
    // A 1-pixel checker of black and white shrinks to even grey.
    const QImage checker = test::PixelPicture(8, 8, [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); });
    const QImage half = ScaleImage(checker, checker.rect(), QSize(4, 4));
    ASSERT_EQ(half.size(), QSize(4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_NEAR(qRed(half.pixel(x, y)), 128, 1);
    // Three pixels into two: each output pixel is one and a half input pixels.
    QImage row(3, 1, QImage::Format_RGB32);
    row.setPixel(0, 0, qRgb(0, 0, 0));
    row.setPixel(1, 0, qRgb(90, 90, 90));
    row.setPixel(2, 0, qRgb(180, 180, 180));
    const QImage two = ScaleImage(row, row.rect(), QSize(2, 1));
    EXPECT_NEAR(qRed(two.pixel(0, 0)), 30, 1);  // (0 + 90 / 2) / 1.5
    EXPECT_NEAR(qRed(two.pixel(1, 0)), 150, 1); // (90 / 2 + 180) / 1.5
    // Enlarging keeps the end pixels and blends between them.
    const QImage wide = ScaleImage(row, row.rect(), QSize(6, 1));
    EXPECT_EQ(qRed(wide.pixel(0, 0)), 0);
    EXPECT_EQ(qRed(wide.pixel(5, 0)), 180);
    EXPECT_GT(qRed(wide.pixel(2, 0)), qRed(wide.pixel(1, 0)));
    // A window of the result is the same part of the whole result.
    const QImage big = test::QuadrantsImage(300, 200, Qt::red, Qt::green, Qt::blue, Qt::yellow);
    const QImage whole = ScaleImage(big, big.rect(), QSize(123, 77));
    const QImage part = ScaleImage(big, big.rect(), QSize(123, 77), QRect(50, 30, 40, 20));
    EXPECT_EQ(part, whole.copy(50, 30, 40, 20));
    // Nothing for nothing.
    EXPECT_TRUE(ScaleImage(big, QRect(), QSize(10, 10)).isNull());
    EXPECT_TRUE(ScaleImage(big, big.rect(), QSize(0, 10)).isNull());
}

TEST(Rotation, PixelMappingOfEveryDepth)
{
    for (QImage::Format f : {QImage::Format_BGR888, QImage::Format_RGB32, QImage::Format_Indexed8}) {
        SCOPED_TRACE(int(f));
        QImage source = test::QuadrantsImage(6, 4, Qt::red, Qt::green, Qt::blue, Qt::yellow).convertToFormat(f);
        const QImage turned = RotateAnticlockwise(source);
        ASSERT_EQ(turned.size(), QSize(4, 6));
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(turned.pixel(x, y), source.pixel(6 - 1 - y, x)) << x << "," << y;
    }
    // Sizes that are no multiple of the tiles or of the four pixels moved at a time.
    const QImage big =
        test::PixelPicture(601, 259, [](int x, int y) { return qRgb(x % 251, y % 241, (x * 7 + y) % 256); }).convertToFormat(QImage::Format_BGR888);
    const QImage bigTurned = RotateAnticlockwise(big);
    ASSERT_EQ(bigTurned.size(), QSize(259, 601));
    for (int y = 0; y < 601; ++y)
        for (int x = 0; x < 259; ++x)
            ASSERT_EQ(bigTurned.pixel(x, y), big.pixel(601 - 1 - y, x)) << x << "," << y;
    QImage wrong(3, 3, QImage::Format_RGB32);
    EXPECT_THROW(RotateAnticlockwiseInto(QImage(4, 2, QImage::Format_RGB32), wrong), RangeError);
}

TEST(Scaling, APalettePictureScaledOnACanvasGivesTheScalersPixels)
{
    // 8 and 1 bits a pixel, with detail across and down that no two colours share: reduced (large
    // enough for its columns to be shared out over threads), enlarged, from a part, and onto a
    // canvas that shows only a part of the target.
    QImage indexed(2917, 1389, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table << qRgb(i, (i * 37) % 256, 255 - i);
    indexed.setColorTable(table);
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            indexed.setPixel(x, y, uint((x / 7 + (y / 5) * 3 + (x < 40 && y < 30 ? 128 : 0)) % 256));
    QImage mono = indexed.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    struct Case {
        QImage picture;
        QRect source;
        QRect dest;
    };
    const Case cases[] = {{indexed, indexed.rect(), QRect(10, 20, 201, 143)},
                          {indexed, QRect(31, 17, 300, 211), QRect(-40, 5, 611, 420)},
                          {mono, mono.rect(), QRect(3, 4, 155, 97)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dest.width());
        Bitmap target(320, 240, PixelFormat::Bits32);
        target.GetCanvas().DrawImage(Rect{c.dest.left(), c.dest.top(), c.dest.right() + 1, c.dest.bottom() + 1},
                                     c.picture, c.source);
        const QRect window = QRect(QPoint(0, 0), QSize(320, 240)).translated(-c.dest.topLeft())
                                 .intersected(QRect(QPoint(0, 0), c.dest.size()));
        const QImage expected = ScaleImage(c.picture.convertToFormat(QImage::Format_RGB32), c.source, c.dest.size(), window);
        EXPECT_EQ(target.Image().copy(QRect(c.dest.topLeft() + window.topLeft(), window.size())), expected);
    }
}
