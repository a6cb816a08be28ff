// The shaped button's outline painted a row at a time is the set of pixels that onOutline names.
#include <gtest/gtest.h>

#include "components/fancy_shape.h"

using namespace lumoria;

TEST(PixelShapeOutline, PaintsExactlyThePixelsOnTheOutline)
{
    const PixelShape shapes[] = {PixelShape::roundRect(0, 0, 74, 24, 16, 16), PixelShape::ellipse(0, 0, 40, 23),
                                 PixelShape::ellipse(3, 2, 9, 30), PixelShape::rect(0, 0, 20, 10),
                                 PixelShape::roundRect(5, 4, 30, 6, 40, 40), PixelShape::rect(-3, -2, 90, 40)};
    for (const PixelShape& shape : shapes) {
        QImage image(80, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        shape.outline(image, qRgb(0, 0, 0));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), shape.onOutline(x, y)) << x << "," << y;
    }
}

TEST(PixelShapeFill, WritesWhatSetPixelWritesInEveryFormat)
{
    const PixelShape shape = PixelShape::roundRect(-2, 1, 70, 30, 20, 20);
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_ARGB32,
                                      QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB888};
    for (const QImage::Format format : formats) {
        for (const QRgb colour : {qRgb(200, 30, 90), qRgba(200, 30, 90, 128)}) {
            SCOPED_TRACE(testing::Message() << "format " << format << " colour " << std::hex << colour);
            QImage painted(64, 32, format);
            painted.fill(Qt::white);
            QImage reference = painted.copy();
            shape.fill(painted, colour);
            shape.outline(painted, qRgb(1, 2, 3));
            for (int y = 0; y < reference.height(); ++y)
                for (int x = 0; x < reference.width(); ++x) {
                    if (shape.onOutline(x, y))
                        reference.setPixel(x, y, qRgb(1, 2, 3));
                    else if (shape.contains(x, y))
                        reference.setPixel(x, y, colour);
                }
            EXPECT_EQ(painted, reference);
        }
    }
}
