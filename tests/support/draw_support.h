#pragma once
// What the drawing tests share: listed points of a picture checked against the colours they must
// have, files written by hand or in the test's home, and the sheet of a test printer.
#include "platform/numeric.h"
#include "platform/printing/printer.h"
#include "support/little_endian.h"
#include "support/picture_files.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace lumoria::test {

// An RGB32 picture of that size whose pixel (x, y) is colour(x, y), a QRgb.
template <class Colour>
QImage PixelPicture(int width, int height, Colour colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colour(x, y));
    return image;
}

// A4 at the given resolution, its printable area inset by the offsets and by right and bottom.
inline platform::PrinterDeviceValues A4(int dpi, int offsetX, int offsetY, int right, int bottom)
{
    platform::PrinterDeviceValues v;
    v.dpiX = v.dpiY = dpi;
    v.physicalWidth = RoundToInt32(210 * dpi / 25.4L);
    v.physicalHeight = RoundToInt32(297 * dpi / 25.4L);
    v.physicalOffsetX = offsetX;
    v.physicalOffsetY = offsetY;
    v.clip = Rect{0, 0, v.physicalWidth - offsetX - right, v.physicalHeight - offsetY - bottom};
    return v;
}

// Writes the bytes to a file of that name in the test's home; its path.
inline QString WriteTempFile(const QString& name, const QByteArray& data)
{
    const QString path = TempPath(name);
    WriteBytes(path, data);
    return path;
}

struct PixelAt {
    QPoint point;
    QColor colour;
};

// Each point within `tolerance` levels of its colour in every channel (0: exactly); a failure names
// the point and both colours.
inline void ExpectPixels(const QImage& image, std::initializer_list<PixelAt> points, int tolerance = 0)
{
    for (const PixelAt& p : points) {
        const QColor got = image.pixelColor(p.point);
        EXPECT_TRUE(Near(got, p.colour, tolerance)) << "at " << p.point.x() << "," << p.point.y() << ": "
                                                     << got.name().toStdString() << ", not "
                                                     << p.colour.name().toStdString();
    }
}

} // namespace lumoria::test
